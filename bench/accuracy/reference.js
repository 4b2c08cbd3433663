// SPDX-License-Identifier: MIT
// Reference values from the astronomy-engine package (an independent
// ephemeris: VSOP87 Earth, its own lunar series, IAU nutation and
// precession), printed as CSV for scripts/accuracy.sh. Run with NODE_PATH
// pointing at the node_modules folder the script installed it into.
//
//   node reference.js phases JD0 JD1        every quarter between JD0 and JD1
//   node reference.js illum MJD0 MJD1 STEP  illuminated fraction at 0h UT
//   node reference.js eclipses JD0 JD1      solar and lunar eclipses
//   node reference.js seasons Y0 Y1         equinoxes and solstices
//   node reference.js riseset PLACES ROWS   reference for each row of the
//                                           program's rise and set CSV
//   node reference.js localeclipses PLACES JD0 JD1  solar eclipses seen at places
//   node reference.js lunareclipses PLACES JD0 JD1  lunar eclipse contacts, and
//                                           the Moon's altitude there at each
//   node reference.js eclipsesat PLACES ROWS  the Sun's or Moon's altitude and
//                                           azimuth at each instant of the
//                                           program's eclipses at places
//   node reference.js sunday PLACES ROWS    the sun view's events of each day
//                                           of the program's rows
//   node reference.js sunbands PLACES JD0 JD1  the golden and blue hours as
//                                           whole intervals that overlap JD0..JD1
//   node reference.js culminations PLACES JD0 JD1  the Sun's geometric altitude
//                                           at its upper and lower culminations
//   node reference.js apsides JD0 JD1       the Moon's perigees and apogees
//   node reference.js moondistance ROWS     the Moon's distance at each row
//
// Instants are Julian Dates, "ut" and "tt" of the same instant.
'use strict';
const fs = require('fs');
const A = require('astronomy-engine');

const kJ2000 = 2451545.0;
const kMjdJ2000 = 51544.5;
const kEarthRadiusKm = 6378.1366;  // equatorial radius, the unit of gamma
const kHour = 1 / 24;
const out = [];
const flush = () => { process.stdout.write(out.join('\n') + '\n'); out.length = 0; };
const emit = (line) => { out.push(line); if (out.length >= 10000) flush(); };
const jd = (t) => (t.ut + kJ2000).toFixed(8) + ',' + (t.tt + kJ2000).toFixed(8);

// Quarters as the difference of the apparent geocentric ecliptic longitudes
// of the Moon and the Sun (the Sun with its aberration), the definition of
// Meeus ch. 49 and the almanacs. The package's own quarter search compares
// geometric longitudes, which puts its quarters about 40 s later; its result
// ("pkg") only starts three Newton steps on the apparent elongation.
const norm180 = (x) => ((x % 360) + 540) % 360 - 180;
const elongation = (t) => A.EclipticGeoMoon(t).lon - A.SunPosition(t).elon;

function apparentquarter(q) {
  const target = 90 * q.quarter;
  const h = 0.01;
  const rate = norm180(elongation(q.time.AddDays(h)) - elongation(q.time.AddDays(-h))) / (2 * h);
  let t = q.time;
  for (let i = 0; i < 3; ++i) t = t.AddDays(-norm180(elongation(t) - target) / rate);
  return t;
}

function phases(jd0, jd1) {
  emit('quarter,ut,tt,pkg');
  let q = A.SearchMoonQuarter(A.MakeTime(jd0 - kJ2000));
  while (q.time.ut + kJ2000 <= jd1) {
    emit(q.quarter + ',' + jd(apparentquarter(q)) + ',' + (q.time.ut + kJ2000).toFixed(8));
    q = A.NextMoonQuarter(q);
  }
}

function illum(mjd0, mjd1, step) {
  emit('mjd,fraction');
  for (let mjd = mjd0; mjd <= mjd1; mjd += step) {
    emit(mjd + ',' + A.Illumination(A.Body.Moon, A.MakeTime(mjd - kMjdJ2000)).phase_fraction.toFixed(7));
  }
}

// |gamma| of a lunar eclipse: least distance of the Moon's centre from the
// axis of the Earth's shadow (the Sun-Earth line) in Earth radii.
function lunargamma(t) {
  const e = A.HelioVector(A.Body.Earth, t);
  const m = A.GeoMoon(t);
  const el = Math.hypot(e.x, e.y, e.z);
  const along = (m.x * e.x + m.y * e.y + m.z * e.z) / el;
  const perp = Math.sqrt(Math.max(0, m.x * m.x + m.y * m.y + m.z * m.z - along * along));
  return perp * A.KM_PER_AU / kEarthRadiusKm;
}

function eclipses(jd0, jd1) {
  emit('body,kind,ut,tt,gamma');
  let s = A.SearchGlobalSolarEclipse(A.MakeTime(jd0 - kJ2000));
  while (s.peak.ut + kJ2000 <= jd1) {
    emit('solar,' + s.kind + ',' + jd(s.peak) + ',' + (s.distance / kEarthRadiusKm).toFixed(5));
    s = A.NextGlobalSolarEclipse(s.peak);
  }
  let l = A.SearchLunarEclipse(A.MakeTime(jd0 - kJ2000));
  while (l.peak.ut + kJ2000 <= jd1) {
    emit('lunar,' + l.kind + ',' + jd(l.peak) + ',' + lunargamma(l.peak).toFixed(5));
    l = A.NextLunarEclipse(l.peak);
  }
}

function seasons(y0, y1) {
  emit('year,season,ut,tt');
  for (let y = y0; y <= y1; ++y) {
    const s = A.Seasons(y);
    [s.mar_equinox, s.jun_solstice, s.sep_equinox, s.dec_solstice].forEach((t, i) => emit(y + ',' + (i + 1) + ',' + jd(t)));
  }
}

// The same horizon conventions as the program: the Sun's centre at -50'
// (refraction and semidiameter) and the twilights at -6, -12 and -18
// degrees, geometric; the Moon by the package's own rise and set, its upper
// limb topocentric with 34' of refraction, which the program's geocentric
// +8' for the centre stands for.
const kSunAltitude = { 0: -50 / 60, '-1': -6, '-2': -12, '-3': -18 };

function crossing(type, obs, dir, t, days) {
  if (type === 1) return A.SearchRiseSet(A.Body.Moon, obs, dir, t, days);
  return A.SearchAltitude(A.Body.Sun, obs, dir, t, days, kSunAltitude[type]);
}

// Altitude above the event's horizon at t, degrees.
function above(type, obs, t) {
  const body = type === 1 ? A.Body.Moon : A.Body.Sun;
  const eq = A.Equator(body, t, obs, true, true);
  const alt = A.Horizon(t, obs, eq.ra, eq.dec).altitude;
  if (type === 1) return alt + A.RAD2DEG * Math.asin(1737.4 / A.KM_PER_AU / eq.dist) + 34 / 60;
  return alt - kSunAltitude[type];
}

// On a day without a crossing: the altitude above the event's horizon
// (degrees) nearest to it among 0h, 24h and the upper and lower transits
// within the day, where the extremes lie. Its sign must be that at 0h; a
// different sign would mean the crossing search missed a crossing.
function extreme(type, obs, t0) {
  const body = type === 1 ? A.Body.Moon : A.Body.Sun;
  const times = [A.MakeTime(t0), A.MakeTime(t0 + 1)];
  for (const ha of [0, 12]) {
    const e = A.SearchHourAngle(body, obs, ha, A.MakeTime(t0), +1);
    if (e.time.ut <= t0 + 1) times.push(e.time);
  }
  const alts = times.map((t) => above(type, obs, t));
  return alts[0] > 0 ? Math.min(...alts) : Math.max(...alts);
}

// For each row of the program (place, mjd, type, flags, rise, set in zone
// hours): the reference crossing within +-3 h of each time the program
// found, whether the reference has a rising and a setting within the day,
// the altitude at 0h and, on a day without a crossing, the check above.
// Output times are hours of the same zone time.
function riseset(placesPath, rowsPath) {
  const places = fs.readFileSync(placesPath, 'utf8').split('\n')
    .filter((l) => l && l[0] !== '#').map((l) => l.split(';'));
  const obs = places.map((p) => new A.Observer(+p[1], +p[2], 0));
  const zones = places.map((p) => +p[3]);
  const rows = fs.readFileSync(rowsPath, 'utf8').split('\n');
  emit('place,mjd,type,rise,set,dayrise,dayset,alt0,extreme');
  for (let i = 1; i < rows.length; ++i) {
    if (!rows[i]) continue;
    const [place, mjd, type, flags, rise, set] = rows[i].split(',').map(Number);
    const o = obs[place];
    const zone = zones[place];
    const t0 = mjd - zone / 24 - kMjdJ2000;  // 0h zone time, UT days from J2000
    const hours = (t) => (t === null ? '' : ((t.ut - t0) * 24).toFixed(6));
    const cells = [];
    [[1, flags & 1, rise], [-1, flags & 2, set]].forEach(([dir, found, h]) => {
      let near = null;
      if (found) near = crossing(type, o, dir, A.MakeTime(t0 + (h - 3) * kHour), 6 * kHour);
      let inday = near !== null && near.ut >= t0 && near.ut <= t0 + 1 ? near : null;
      if (inday === null) inday = crossing(type, o, dir, A.MakeTime(t0), 1);
      cells.push([hours(near), hours(inday)]);
    });
    const none = cells[0][1] === '' && cells[1][1] === '';
    emit([place, mjd, type, cells[0][0], cells[1][0], cells[0][1], cells[1][1],
      above(type, o, A.MakeTime(t0)).toFixed(6), none ? extreme(type, o, t0).toFixed(6) : ''].join(','));
  }
}

// Places file of the views: name;latitude;longitude[;zone], # comments.
function readplaces(path) {
  return fs.readFileSync(path, 'utf8').split('\n').filter((l) => l && l[0] !== '#')
    .map((l) => { const p = l.split(';'); return new A.Observer(+p[1], +p[2], 0); });
}

function readrows(path) {
  const lines = fs.readFileSync(path, 'utf8').split('\n').filter((l) => l);
  const head = lines[0].split(',');
  return lines.slice(1).map((l) => {
    const r = {};
    l.split(',').forEach((v, i) => { r[head[i]] = v; });
    return r;
  });
}

const time = (jd) => A.MakeTime(jd - kJ2000);
const fixed = (x, digits) => (x === null || x === undefined ? '' : x.toFixed(digits));

// Apparent (with the package's "normal" refraction) and geometric
// topocentric altitude and the azimuth of a body at t, degrees.
function horizontal(body, obs, t) {
  const eq = A.Equator(body, t, obs, true, true);
  const app = A.Horizon(t, obs, eq.ra, eq.dec, 'normal');
  const geo = A.Horizon(t, obs, eq.ra, eq.dec);
  return { alt: app.altitude, az: app.azimuth, geo: geo.altitude };
}

const kSunRadiusKm = 695700;  // the package's radii
const kMoonRadiusKm = 1737.4;

// Magnitude of a solar eclipse at t seen from obs: (sSun + sMoon - d) /
// (2 sSun) from the apparent topocentric directions and distances.
function magnitude(obs, t) {
  const unit = (eq) => {
    const ra = eq.ra * 15 * A.DEG2RAD, dec = eq.dec * A.DEG2RAD;
    return [Math.cos(dec) * Math.cos(ra), Math.cos(dec) * Math.sin(ra), Math.sin(dec)];
  };
  const s = A.Equator(A.Body.Sun, t, obs, true, true);
  const m = A.Equator(A.Body.Moon, t, obs, true, true);
  const u = unit(s), v = unit(m);
  const d = Math.acos(Math.min(1, u[0] * v[0] + u[1] * v[1] + u[2] * v[2]));
  const ss = Math.asin(kSunRadiusKm / (s.dist * A.KM_PER_AU));
  const sm = Math.asin(kMoonRadiusKm / (m.dist * A.KM_PER_AU));
  return (ss + sm - d) / (2 * ss);
}

// Every solar eclipse the package finds at each place (those with the
// Sun's centre above the horizon, refraction included, at the first or
// the last contact): one row per contact with the package's apparent
// altitude and the geometric one.
function localeclipses(placesPath, jd0, jd1) {
  emit('place,kind,peak,obscuration,magnitude,event,jd,alt,geo');
  readplaces(placesPath).forEach((obs, place) => {
    let e = A.SearchLocalSolarEclipse(time(jd0), obs);
    while (e.peak.time.ut + kJ2000 <= jd1) {
      const head = [place, e.kind, (e.peak.time.ut + kJ2000).toFixed(8), e.obscuration.toFixed(5),
        magnitude(obs, e.peak.time).toFixed(5)].join(',');
      [['C1', e.partial_begin], ['C2', e.total_begin], ['MAX', e.peak], ['C3', e.total_end],
        ['C4', e.partial_end]].forEach(([name, ev]) => {
        if (!ev) return;
        const h = horizontal(A.Body.Sun, obs, ev.time);
        emit([head, name, (ev.time.ut + kJ2000).toFixed(8), ev.altitude.toFixed(5),
          h.geo.toFixed(5)].join(','));
      });
      e = A.NextLocalSolarEclipse(e.peak.time, obs);
    }
  });
}

// The contacts of every lunar eclipse (peak -+ the semi-durations of the
// penumbral, partial and total phases) and, for those that are not only
// penumbral, the Moon's geometric altitude at each contact at each place.
function lunareclipses(placesPath, jd0, jd1) {
  const places = readplaces(placesPath);
  emit('place,kind,peak,event,jd,geo');
  let l = A.SearchLunarEclipse(time(jd0));
  while (l.peak.ut + kJ2000 <= jd1) {
    const peak = l.peak.ut + kJ2000;
    const contacts = [['P1', -l.sd_penum], ['U1', -l.sd_partial], ['U2', -l.sd_total],
      ['MAX', 0], ['U3', l.sd_total], ['U4', l.sd_partial], ['P4', l.sd_penum]]
      .filter(([name, sd]) => name === 'MAX' || sd !== 0)
      .map(([name, sd]) => [name, peak + sd / 1440]);
    contacts.forEach(([name, jd]) => emit(['', l.kind, peak.toFixed(8), name, jd.toFixed(8), '']
      .join(',')));
    if (l.kind !== 'penumbral') {
      places.forEach((obs, place) => contacts.forEach(([name, jd]) => emit([place, l.kind,
        peak.toFixed(8), name, jd.toFixed(8),
        horizontal(A.Body.Moon, obs, time(jd)).geo.toFixed(5)].join(','))));
    }
    l = A.NextLunarEclipse(l.peak);
  }
}

// For each row of the program's eclipses at places: the body's apparent
// and geometric altitude and its azimuth at the program's instant.
function eclipsesat(placesPath, rowsPath) {
  const places = readplaces(placesPath);
  emit('alt,az,geo');
  for (const r of readrows(rowsPath)) {
    if (r.event === 'none') { emit(',,'); continue; }
    const body = r.body === 'solar' ? A.Body.Sun : A.Body.Moon;
    const h = horizontal(body, places[+r.place], time(+r.jd));
    emit([h.alt.toFixed(5), h.az.toFixed(5), h.geo.toFixed(5)].join(','));
  }
}

// The golden (-4 to +6 deg) and blue (-6 to -4 deg) hours.
const kBands = { golden: [-4, 6], blue: [-6, -4] };

// The crossings of the levels low and high by the Sun's centre
// (SearchAltitude: geometric, topocentric) in either direction within
// JD t0..t1, in time order, each with its level and whether it enters the
// band between them.
function bandcrossings(obs, low, high, t0, t1) {
  const crossings = [];
  [low, high].forEach((level, index) => [+1, -1].forEach((dir) => {
    let t = time(t0);
    for (;;) {
      const c = A.SearchAltitude(A.Body.Sun, obs, dir, t, t1 - (t.ut + kJ2000), level);
      if (c === null) break;
      crossings.push({ jd: c.ut + kJ2000, level, rising: dir > 0 ? 1 : 0,
        enters: (index === 0) === (dir > 0) });
      t = c.AddDays(1 / 1440);
    }
  }));
  return crossings.sort((a, b) => a.jd - b.jd);
}

// The hours of the sun view about noon (the transit): the band's
// intervals in progress within 12 hours of it, each edge searched a day
// at a time outward up to 40 days; the morning's is the last to begin
// before noon, the evening's the first to end after it. Edges are
// crossings as bandcrossings() gives them, null beyond the 40 days.
function dayhours(obs, noon, low, high) {
  const inband = (t) => {
    const h = horizontal(A.Body.Sun, obs, time(t)).geo;
    return h > low && h <= high;
  };
  const outward = (t, dir) => {
    for (let k = 0; k < 40; ++k) {
      const c = dir < 0 ? bandcrossings(obs, low, high, t - k - 1, t - k)
        : bandcrossings(obs, low, high, t + k, t + k + 1);
      if (c.length) return dir < 0 ? c[c.length - 1] : c[0];
    }
    return null;
  };
  const intervals = [];
  let open = inband(noon - 0.5) ? { begin: outward(noon - 0.5, -1) } : null;
  for (const c of bandcrossings(obs, low, high, noon - 0.5, noon + 0.5)) {
    if (c.enters && open === null) open = { begin: c };
    else if (!c.enters && open !== null) { intervals.push({ begin: open.begin, end: c }); open = null; }
  }
  if (open !== null) intervals.push({ begin: open.begin, end: outward(noon + 0.5, +1) });
  const before = (x) => x === null || x.jd < noon;
  const morning = intervals.filter((i) => before(i.begin)).pop() || null;
  const evening = intervals.find((i) => !before(i.end)) || null;
  return { morning, evening };
}

// The sun view's events: rise, set, transit, and the edges of the hours
// by band, half and edge.
const kSunEvents = {
  rise: +1, set: -1, transit: 0,
  blue_am_begin: ['blue', 'morning', 'begin'], blue_am_end: ['blue', 'morning', 'end'],
  golden_am_begin: ['golden', 'morning', 'begin'], golden_am_end: ['golden', 'morning', 'end'],
  golden_pm_begin: ['golden', 'evening', 'begin'], golden_pm_end: ['golden', 'evening', 'end'],
  blue_pm_begin: ['blue', 'evening', 'begin'], blue_pm_end: ['blue', 'evening', 'end'],
};

// For each row of the program's sun days (place, local day jd1..jd2, event,
// its instant): the reference's instant of the event (empty: none) and the
// level crossed there (hours only), the Sun's geometric altitude and
// azimuth at the program's instant, and the Sun's geometric altitude at its
// upper and lower transits nearest the day (how near a missing event came).
// Rise and set (the package's own, the upper limb with 34' of refraction)
// and the transit lie within the local day; the hours are the intervals
// of dayhours() about the reference's transit (the middle of the day
// without one), each edge on whatever date it falls.
function sunday(placesPath, rowsPath) {
  const places = readplaces(placesPath);
  emit('ref,level,alt,az,high,low');
  let key = null, cache = {}, extremes = null;
  for (const r of readrows(rowsPath)) {
    const obs = places[+r.place], jd1 = +r.jd1, jd2 = +r.jd2, span = jd2 - jd1;
    if (key !== r.place + ',' + r.mjd) {
      key = r.place + ',' + r.mjd;
      cache = {};
      extremes = [0, 12].map((ha) => {
        const e = A.SearchHourAngle(A.Body.Sun, obs, ha, time(jd1 - 0.25), +1);
        return horizontal(A.Body.Sun, obs, e.time).geo;
      });
      const t = A.SearchHourAngle(A.Body.Sun, obs, 0, time(jd1), +1).time;
      cache.transit = t.ut + kJ2000 < jd2 ? { jd: t.ut + kJ2000, level: '' } : null;
      const noon = cache.transit ? cache.transit.jd : (jd1 + jd2) / 2;
      for (const [band, [low, high]] of Object.entries(kBands)) {
        cache[band] = dayhours(obs, noon, low, high);
      }
    }
    const what = kSunEvents[r.event];
    let ref = null;
    if (what === 0) {
      ref = cache.transit;
    } else if (typeof what === 'number') {
      const t = A.SearchRiseSet(A.Body.Sun, obs, what, time(jd1), span);
      ref = t && t.ut + kJ2000 < jd2 ? { jd: t.ut + kJ2000, level: '' } : null;
    } else {
      const half = cache[what[0]][what[1]];
      ref = half && half[what[2]];
    }
    let at = { geo: null, az: null };
    if (+r.jd !== 0) at = horizontal(A.Body.Sun, obs, time(+r.jd));
    emit([fixed(ref && ref.jd, 8), ref ? ref.level : '', fixed(at.geo, 6), fixed(at.az, 6),
      extremes[0].toFixed(4), extremes[1].toFixed(4)].join(','));
  }
}

// The golden and blue hours as whole intervals: every crossing of a
// band's edges (bandcrossings()) from 40 days before JD0 to 40 days after
// JD1, more than the Sun stays in a band at these places; the intervals
// between an entry and the next exit, those that overlap JD0..JD1. An
// edge beyond the 40 days is left empty.
function sunbands(placesPath, jd0, jd1) {
  emit('place,band,begin,end,beginrising,endrising');
  const t0 = jd0 - 40, t1 = jd1 + 40;
  readplaces(placesPath).forEach((obs, place) => {
    for (const [band, [low, high]] of Object.entries(kBands)) {
      const crossings = bandcrossings(obs, low, high, t0, t1);
      const h = horizontal(A.Body.Sun, obs, time(t0)).geo;
      let open = h > low && h <= high ? { begin: '', beginrising: '' } : null;
      const close = (end, endrising) => {
        if ((open.begin === '' || open.begin <= jd1) && (end === '' || end >= jd0)) {
          emit([place, band, fixed(open.begin === '' ? null : open.begin, 8),
            fixed(end === '' ? null : end, 8), open.beginrising, endrising].join(','));
        }
      };
      for (const c of crossings) {
        if (c.enters && open === null) open = { begin: c.jd, beginrising: c.rising };
        else if (!c.enters && open !== null) { close(c.jd, c.rising); open = null; }
      }
      if (open !== null) close('', '');
    }
  });
}

// The Sun's upper and lower culminations (hour angle 0 and 12) from JD0
// to JD1 with its geometric altitude there: how near a day's extreme
// comes to a band's edge.
function culminations(placesPath, jd0, jd1) {
  emit('place,jd,alt');
  readplaces(placesPath).forEach((obs, place) => {
    const rows = [];
    for (const ha of [0, 12]) {
      let t = time(jd0);
      for (;;) {
        const e = A.SearchHourAngle(A.Body.Sun, obs, ha, t, +1);
        if (e.time.ut + kJ2000 > jd1) break;
        rows.push([e.time.ut + kJ2000, horizontal(A.Body.Sun, obs, e.time).geo]);
        t = e.time.AddDays(0.5);
      }
    }
    rows.sort((a, b) => a[0] - b[0]);
    rows.forEach(([jd, alt]) => emit([place, jd.toFixed(8), alt.toFixed(6)].join(',')));
  });
}

function apsides(jd0, jd1) {
  emit('event,ut,distance');
  let a = A.SearchLunarApsis(time(jd0));
  while (a.time.ut + kJ2000 < jd1) {
    emit([a.kind === A.ApsisKind.Pericenter ? 'perigee' : 'apogee',
      (a.time.ut + kJ2000).toFixed(8), a.dist_km.toFixed(3)].join(','));
    a = A.NextLunarApsis(a);
  }
}

// The geocentric distance of the Moon's centre, km, at the dynamical time
// of each row of the program.
function moondistance(rowsPath) {
  emit('distance');
  for (const r of readrows(rowsPath)) {
    const v = A.GeoMoon(A.AstroTime.FromTerrestrialTime(+r.tt - kJ2000));
    emit((Math.hypot(v.x, v.y, v.z) * A.KM_PER_AU).toFixed(3));
  }
}

// Run as a program; required as a module (scripts/eclipses_astronomy_engine.js),
// it lends its magnitude.
if (require.main === module) {
  const [what, a, b, c] = process.argv.slice(2);
  if (what === 'phases') phases(+a, +b);
  else if (what === 'illum') illum(+a, +b, +c);
  else if (what === 'eclipses') eclipses(+a, +b);
  else if (what === 'seasons') seasons(+a, +b);
  else if (what === 'riseset') riseset(a, b);
  else if (what === 'localeclipses') localeclipses(a, +b, +c);
  else if (what === 'lunareclipses') lunareclipses(a, +b, +c);
  else if (what === 'eclipsesat') eclipsesat(a, b);
  else if (what === 'sunday') sunday(a, b);
  else if (what === 'sunbands') sunbands(a, +b, +c);
  else if (what === 'culminations') culminations(a, +b, +c);
  else if (what === 'apsides') apsides(+a, +b);
  else if (what === 'moondistance') moondistance(a);
  else { process.stderr.write('usage: see the head of reference.js\n'); process.exit(2); }
  flush();
}
module.exports = { magnitude };
