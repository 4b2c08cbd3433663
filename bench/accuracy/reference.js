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

const [what, a, b, c] = process.argv.slice(2);
if (what === 'phases') phases(+a, +b);
else if (what === 'illum') illum(+a, +b, +c);
else if (what === 'eclipses') eclipses(+a, +b);
else if (what === 'seasons') seasons(+a, +b);
else if (what === 'riseset') riseset(a, b);
else { process.stderr.write('usage: see the head of reference.js\n'); process.exit(2); }
flush();
