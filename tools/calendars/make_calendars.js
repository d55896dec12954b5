#!/usr/bin/env node
// Builds the time-zone correction calendars of the place tables from the IANA
// time-zone database, as the system's zoneinfo holds it (read through zdump):
//   Calendar/<8 digits>.CAL   one calendar for each zone of the Italian table
//   Calendar/Database.cll     the calendars of the foreign table one after another
//   Calendar/Elencal.002      the index of Database.cll
// The calendars to build are listed in data/sources/places/calendars.tsv
// (written by tools/places/make_places.js).
//
// A calendar: record 0 "GREG" (the switch to the Gregorian calendar), record 1
// "LMT " (the end of local mean time, with the correction that followed it), then
// one record per clock change, dated by the local clock time just before the
// change, with the total correction in hours from then on (east negative), and
// "****" at the end. Changes run to the end of LAST_YEAR and on to the next
// return to standard time.
//
// Usage: node tools/calendars/make_calendars.js [--out DATA_DIR] [--zdump PATH]
'use strict';

const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');

const REPO = path.resolve(__dirname, '..', '..');
const RECORD_SIZE = 24;
const DATE_OFFSET = 84.82300164692441;  // added to every stored Julian day
const LAST_YEAR = 2040;
const UNIX_EPOCH_JD = 2440587.5;

// First day of the Gregorian calendar by country, where the country made the
// change at one date (Julian day at 0h of that Gregorian date). Other countries
// carry the mark 1721423.5: the settings' Gregorian switch decides for them.
const GREGORIAN_START = {
  ES: [1582, 10, 15], PT: [1582, 10, 15], PL: [1582, 10, 15], VA: [1582, 10, 15], SM: [1582, 10, 15],
  FR: [1582, 12, 20], HU: [1587, 11, 1],
  DK: [1700, 3, 1], NO: [1700, 3, 1],
  GB: [1752, 9, 14], IE: [1752, 9, 14], US: [1752, 9, 14],
  SE: [1753, 3, 1], FI: [1753, 3, 1],
  JP: [1873, 1, 1], BG: [1916, 4, 14], RU: [1918, 2, 14],
  RS: [1919, 1, 28], ME: [1919, 1, 28], MK: [1919, 1, 28], RO: [1919, 4, 14], GR: [1923, 3, 1],
};
const UNDATED_SWITCH = 1721423.5;

function argValue(name) {
  const i = process.argv.indexOf(name);
  return i >= 0 ? process.argv[i + 1] : undefined;
}

// Julian day at 0h of a Gregorian date.
function gregorianJd(y, m, d) {
  return Date.UTC(y, m - 1, d) / 86400000 + UNIX_EPOCH_JD;
}

// ---- records ----------------------------------------------------------------

function extendedBytes(value, buf, offset) {
  const dv = new DataView(new ArrayBuffer(8));
  dv.setFloat64(0, value);
  const bits = dv.getBigUint64(0);
  const sign = Number(bits >> 63n);
  const exp = Number((bits >> 52n) & 0x7ffn);
  const mant = bits & 0xfffffffffffffn;
  if (exp === 0 && mant === 0n) {
    buf.fill(0, offset, offset + 10);
    return;
  }
  const m64 = (1n << 63n) | (mant << 11n);
  buf.writeBigUInt64LE(m64, offset);
  buf.writeUInt16LE((sign << 15) | (exp - 1023 + 16383), offset + 8);
}

function record(jd, code, correction, raw = false) {
  const r = Buffer.alloc(RECORD_SIZE, 0);
  extendedBytes(raw ? jd : jd + DATE_OFFSET, r, 0);
  const c = Buffer.from(code.padEnd(4).slice(0, 4), 'latin1');
  r[10] = c.length;
  c.copy(r, 11);
  r.writeDoubleLE(correction === 0 ? 0 : correction, 16);
  return r;
}

// ---- zone history -------------------------------------------------------------

const MONTHS = { Jan: 0, Feb: 1, Mar: 2, Apr: 3, May: 4, Jun: 5, Jul: 6, Aug: 7, Sep: 8, Oct: 9, Nov: 10, Dec: 11 };

// The states of a zone in time order: [{ t (seconds, UT), gmtoff, isdst, abbr }],
// the first being the state before the first change (t = null).
function zoneHistory(zdump, zone) {
  const out = execFileSync(zdump, ['-v', '-c', `1800,${LAST_YEAR + 3}`, zone]).toString();
  const re = /^\S+\s+\w{3} (\w{3})\s+(\d+) (\d+):(\d+):(\d+) (-?\d+) UT = .* (\S+) isdst=(\d) gmtoff=(-?\d+)$/;
  const lines = [];
  for (const line of out.split('\n')) {
    const m = re.exec(line);
    if (!m) continue;
    const t = Date.UTC(+m[6], MONTHS[m[1]], +m[2], +m[3], +m[4], +m[5]) / 1000;
    lines.push({ t, abbr: m[7], isdst: +m[8], gmtoff: +m[9] });
  }
  if (lines.length === 0) {
    // A zone that never changed: its one state now.
    const now = execFileSync(zdump, ['-v', '-c', '2000,2001', zone]).toString();
    throw new Error(`zone ${zone} has no changes: ${now}`);
  }
  const states = [{ t: null, gmtoff: lines[0].gmtoff, isdst: lines[0].isdst, abbr: lines[0].abbr }];
  for (let i = 1; i < lines.length; i++) {
    const a = lines[i - 1], b = lines[i];
    if (a.gmtoff === b.gmtoff && a.isdst === b.isdst && a.abbr === b.abbr) continue;
    if (b.t - a.t !== 1) continue;  // not a change: two unrelated lines
    states.push(b);
  }
  // Keep the changes to the end of LAST_YEAR and on to the next standard time.
  const end = Date.UTC(LAST_YEAR + 1, 0, 1) / 1000;
  let keep = states.findIndex((s, i) => i > 0 && s.t >= end);
  if (keep < 0) keep = states.length;
  while (keep < states.length && states[keep - 1].isdst) keep++;
  return states.slice(0, keep);
}

function codeOf(state) {
  const a = state.abbr;
  if (a.length <= 4 && !['GREG', 'RICH', 'LMT'].includes(a) && /^[\x20-\x7e]+$/.test(a)) return a;
  return state.isdst ? 'DST' : 'STD';
}

function calendarRecords(zdump, zone, country, italian) {
  const states = zoneHistory(zdump, zone);
  const records = [];
  // Record 0: the Gregorian switch. The Italian table's date is taken one day
  // earlier by the program, so it is stored half a day after the first day.
  if (italian) {
    records.push(record(gregorianJd(1582, 10, 15) + 0.5, 'GREG', 0));
  } else if (GREGORIAN_START[country]) {
    const [y, m, d] = GREGORIAN_START[country];
    records.push(record(gregorianJd(y, m, d) - 0.5, 'GREG', 0));
  } else {
    records.push(record(UNDATED_SWITCH, 'GREG', 0));
  }
  for (let i = 1; i < states.length; i++) {
    const before = states[i - 1], s = states[i];
    const jd = s.t / 86400 + UNIX_EPOCH_JD + before.gmtoff / 86400;  // clock time before the change
    const code = i === 1 && before.abbr === 'LMT' ? 'LMT ' : codeOf(s);
    records.push(record(jd, code, -s.gmtoff / 3600));
  }
  if (records.length < 2) throw new Error(`zone ${zone}: no periods`);
  records.push(record(0, '****', 0));
  return records;
}

// ---- output -------------------------------------------------------------------

function main() {
  const dataDir = path.resolve(argValue('--out') || path.join(REPO, 'data'));
  const zdump = argValue('--zdump') || 'zdump';
  const list = fs.readFileSync(path.join(dataDir, 'sources', 'places', 'calendars.tsv'), 'utf8')
    .split('\n').filter((l) => l && !l.startsWith('#')).map((l) => l.split('\t'));
  const dir = path.join(dataDir, 'Calendar');
  fs.mkdirSync(dir, { recursive: true });

  const database = [record(list.filter((c) => c[1] === 'ESTERO').length, 'CLL ', 0, true)];
  let count = 1;
  const index = [];
  let italian = 0;
  for (const [name, table, country, zone] of list) {
    if (table === 'ITALIA') {
      fs.writeFileSync(path.join(dir, `${name}.CAL`), Buffer.concat(calendarRecords(zdump, zone, country, true)));
      italian++;
      continue;
    }
    const records = calendarRecords(zdump, zone, country, false);
    index.push(`${name}.CAL  ${String(count).padStart(6, '0')}  ${zone} ${country}`);
    database.push(...records);
    count += records.length;
  }
  fs.writeFileSync(path.join(dir, 'Database.cll'), Buffer.concat(database));
  fs.writeFileSync(path.join(dir, 'Elencal.002'), Buffer.from(index.join('\r\n') + '\r\n\x1a', 'latin1'));
  console.log(`${dir}: ${italian} calendar files, ${index.length} calendars in Database.cll (${count} records)`);
}

main();
