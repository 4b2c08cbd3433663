// SPDX-License-Identifier: MIT
// The events of `nachtblick-report ical YEAR --place 0` computed with the
// npm package astronomy-engine, for the speed comparison in
// docs/performance.md: moon quarters, solar and lunar eclipses (partial,
// total, annular; no penumbral ones), equinoxes and solstices, the five
// Easter feasts (Gauss's rule, Gregorian years) and sunrise and sunset of
// every day at a place, written as iCalendar to stdout.
//
//   NODE_PATH=DIR/node_modules node scripts/ical_astronomy_engine.js \
//     [YEAR [LATITUDE LONGITUDE]]        (default 2024 48.2 15.61667)
'use strict';
const Astronomy = require('astronomy-engine');

const year = Number(process.argv[2] || 2024);
const observer = new Astronomy.Observer(Number(process.argv[3] || 48.2),
                                        Number(process.argv[4] || 15.61667), 0);
const begin = new Date(Date.UTC(year, 0, 1));
const end = new Date(Date.UTC(year + 1, 0, 1));
const kDay = 86400000;
const events = [];

function stamp(date) {
  return date.toISOString().replace(/[-:]/g, '').replace(/\.\d+/, '');
}
function add(date, summary, description) {
  if (date >= begin && date < end) events.push({date, summary, description});
}

const quarters = ['Neumond', 'Erstes Viertel', 'Vollmond', 'Letztes Viertel'];
for (let q = Astronomy.SearchMoonQuarter(begin); q.time.date < end;
     q = Astronomy.NextMoonQuarter(q)) {
  add(q.time.date, quarters[q.quarter]);
}

const solar = {partial: 'Partielle', total: 'Totale', annular: 'Ringförmige', hybrid: 'Totale'};
for (let e = Astronomy.SearchGlobalSolarEclipse(begin); e.peak.date < end;
     e = Astronomy.NextGlobalSolarEclipse(e.peak)) {
  add(e.peak.date, solar[e.kind] + ' Sonnenfinsternis');
}
const lunar = {partial: 'Partielle', total: 'Totale'};
for (let e = Astronomy.SearchLunarEclipse(begin); e.peak.date < end;
     e = Astronomy.NextLunarEclipse(e.peak)) {
  if (lunar[e.kind]) add(e.peak.date, lunar[e.kind] + ' Mondfinsternis');
}

const seasons = Astronomy.Seasons(year);
add(seasons.mar_equinox.date, 'Frühlingsanfang');
add(seasons.jun_solstice.date, 'Sommeranfang');
add(seasons.sep_equinox.date, 'Herbstanfang');
add(seasons.dec_solstice.date, 'Winteranfang');

// Gauss's Easter rule, as a day of March.
function easter(y) {
  const a = y % 19, k = Math.floor(y / 100), p = Math.floor((8 * k + 13) / 25);
  const q = Math.floor(k / 4), M = (15 + k - p - q) % 30, N = (4 + k - q) % 7;
  const d = (19 * a + M) % 30, e = (2 * (y % 4) + 4 * (y % 7) + 6 * d + N) % 7;
  let r = 22 + d + e;
  if (r === 57) r = 50;
  if (d === 28 && e === 6 && (11 * (M + 1)) % 30 <= 18) r = 49;
  return r;
}
const feasts = [[0, 'Ostersonntag'], [39, 'Christi Himmelfahrt'], [49, 'Pfingstsonntag'],
                [60, 'Fronleichnam'], [-46, 'Aschermittwoch']];
for (const [offset, name] of feasts) {
  events.push({date: new Date(Date.UTC(year, 2, easter(year) + offset)), summary: name, day: true});
}

// Sunrise and sunset of every day, searched from 0h of Central European
// Time (the zone of the reports; summer time shifts only the printed hour).
for (let t = begin.getTime() - 3600000; t < end.getTime(); t += kDay) {
  for (const [direction, name] of [[+1, 'Sonnenaufgang'], [-1, 'Sonnenuntergang']]) {
    const found = Astronomy.SearchRiseSet(Astronomy.Body.Sun, observer, direction, new Date(t), 1);
    if (found) add(new Date(Math.round(found.date.getTime() / 60000) * 60000), name);
  }
}

events.sort((a, b) => a.date - b.date);
const lines = ['BEGIN:VCALENDAR', 'VERSION:2.0', 'PRODID:-//nachtblick//astronomy-engine//DE'];
for (const e of events) {
  const start = e.day ? stamp(e.date).slice(0, 8) : stamp(e.date);
  lines.push('BEGIN:VEVENT', `UID:${start}-${e.summary.replace(/ /g, '-')}@nachtblick`,
             'DTSTAMP:20260206T000000Z', (e.day ? 'DTSTART;VALUE=DATE:' : 'DTSTART:') + start,
             `SUMMARY:${e.summary}`, 'END:VEVENT');
}
lines.push('END:VCALENDAR', '');
process.stdout.write(lines.join('\r\n'));
