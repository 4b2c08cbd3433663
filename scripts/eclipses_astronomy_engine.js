// SPDX-License-Identifier: MIT
// The eclipses of `nachtblick-report eclipses YEAR --place 0 --format tsv`
// computed with the npm package astronomy-engine, for the speed comparison
// in docs/performance.md: every solar eclipse of the year with its local
// kind, contacts, the Sun's apparent altitude and azimuth at each,
// magnitude and obscuration at the maximum; every partial and total lunar
// eclipse with its contacts and the Moon's altitude and azimuth at each;
// written as tsv to stdout, times in UTC and in Central European time.
//
//   NODE_PATH=DIR/node_modules node scripts/eclipses_astronomy_engine.js \
//     [YEAR [LATITUDE LONGITUDE]]        (default 2024 48.2 15.61667)
'use strict';
const A = require('astronomy-engine');
// The magnitude from the apparent topocentric discs, as the accuracy page
// computes it.
const { magnitude } = require('../bench/accuracy/reference.js');

const year = Number(process.argv[2] || 2024);
const observer = new A.Observer(Number(process.argv[3] || 48.2),
                                Number(process.argv[4] || 15.61667), 0);
const begin = A.MakeTime(new Date(Date.UTC(year, 0, 1)));
const end = A.MakeTime(new Date(Date.UTC(year + 1, 0, 1)));
const local = new Intl.DateTimeFormat('sv-SE', {
  timeZone: 'Europe/Berlin', year: 'numeric', month: '2-digit', day: '2-digit',
  hour: '2-digit', minute: '2-digit', second: '2-digit', timeZoneName: 'longOffset'});
const rows = [];

function horizon(body, time) {
  const eq = A.Equator(body, time, observer, true, true);
  return A.Horizon(time, observer, eq.ra, eq.dec, 'normal');
}

function row(date, body, global, kind, event, time, extra) {
  const cells = [date, body, global, kind, event];
  if (time) {
    const h = horizon(body === 'sun' ? A.Body.Sun : A.Body.Moon, time);
    cells.push(time.date.toISOString().replace(/\.\d+/, ''), local.format(time.date),
               h.altitude.toFixed(2), h.azimuth.toFixed(2));
  } else {
    cells.push('', '', '', '');
  }
  rows.push({t: time ? time.ut : 0, line: cells.concat(extra || ['', '']).join('\t')});
}

const seen = [];
for (let e = A.SearchLocalSolarEclipse(begin, observer); e.peak.time.ut < end.ut;
     e = A.NextLocalSolarEclipse(e.peak.time, observer)) {
  seen.push(e);
}
for (let g = A.SearchGlobalSolarEclipse(begin); g.peak.ut < end.ut;
     g = A.NextGlobalSolarEclipse(g.peak)) {
  const date = g.peak.date.toISOString().slice(0, 10);
  const e = seen.find((s) => Math.abs(s.peak.time.ut - g.peak.ut) < 1);
  if (!e) {
    rows.push({t: g.peak.ut,
               line: [date, 'sun', g.kind, 'none', 'MAX', '', '', '', '', '', ''].join('\t')});
    continue;
  }
  for (const [event, c] of [['C1', e.partial_begin], ['C2', e.total_begin], ['MAX', e.peak],
                            ['C3', e.total_end], ['C4', e.partial_end]]) {
    if (c) row(date, 'sun', g.kind, e.kind, event, c.time, event === 'MAX' ?
               [magnitude(observer, c.time).toFixed(4), e.obscuration.toFixed(4)] : null);
  }
}
for (let l = A.SearchLunarEclipse(begin); l.peak.ut < end.ut; l = A.NextLunarEclipse(l.peak)) {
  if (l.kind === 'penumbral') continue;
  const date = l.peak.date.toISOString().slice(0, 10);
  for (const [event, sd] of [['P1', -l.sd_penum], ['U1', -l.sd_partial], ['U2', -l.sd_total],
                             ['MAX', 0], ['U3', l.sd_total], ['U4', l.sd_partial],
                             ['P4', l.sd_penum]]) {
    if (event === 'MAX' || sd !== 0) {
      row(date, 'moon', l.kind, l.kind, event, l.peak.AddDays(sd / 1440));
    }
  }
}
rows.sort((a, b) => a.t - b.t);
const head = ['date', 'body', 'kind_global', 'kind_local', 'event', 'utc', 'local', 'alt', 'az',
  'magnitude', 'obscuration'];
process.stdout.write([head.join('\t')].concat(rows.map((r) => r.line)).join('\n') + '\n');
