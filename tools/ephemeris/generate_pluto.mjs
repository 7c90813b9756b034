// Writes data/ephemeris/pluto.txt: Chebyshev segments for the heliocentric rectangular coordinates of Pluto
// referred to the ecliptic and equinox of J2000.0, in au, time in days of TDB. Run once by generate.sh; the
// file it writes is committed.
//
// Two sources, both under the MIT licence, each used where it is the better:
//   - from 1895 on, the periodic terms of Meeus, Astronomical Algorithms, chapter 37 (a fit to the JPL
//     DE200 ephemeris valid for 1885-2099), as the npm package astronomia carries them, run on to the
//     table's end in 2102;
//   - before 1885, the npm package astronomy-engine, whose Pluto is a gravity simulation (the Sun and the
//     four giant planets) started from states of the TOP2013 theory every 80 years;
//   - from 1885 to 1895 the two are blended with a smooth weight, the coordinates differing there by a
//     few arc seconds.
// The segments are least-squares fits to the blended coordinates and reproduce them to about 0.01" (the
// script measures and prints it).
//
// usage: node generate_pluto.mjs NODE_MODULES_DIR OUTPUT_DIR

import fs from 'node:fs'
import path from 'node:path'
import { createRequire } from 'node:module'
import { pathToFileURL } from 'node:url'

const [, , modulesDir, outDir] = process.argv
if (!modulesDir || !outDir) {
  console.error('usage: node generate_pluto.mjs NODE_MODULES_DIR OUTPUT_DIR')
  process.exit(2)
}
const packageOf = (name) => JSON.parse(fs.readFileSync(path.join(modulesDir, name, 'package.json'), 'utf8'))
const engine = createRequire(path.join(modulesDir, 'x.js'))('astronomy-engine')
const meeus = (await import(pathToFileURL(path.join(modulesDir, 'astronomia', 'src', 'pluto.js')).href)).default
const enginePkg = packageOf('astronomy-engine')
const astronomiaPkg = packageOf('astronomia')

const J2000 = 2451545.0
// The obliquity of the ecliptic at J2000.0 (IAU 2006), the one the program uses to return to the equator.
const eps = ((84381.406 / 3600) * Math.PI) / 180
const [ce, se] = [Math.cos(eps), Math.sin(eps)]

// astronomy-engine: heliocentric, equator of J2000.0 (ICRS axes), turned to the ecliptic of J2000.0.
function fromSimulation(jd) {
  const v = engine.HelioVector(engine.Body.Pluto, engine.AstroTime.FromTerrestrialTime(jd - J2000))
  return [v.x, ce * v.y + se * v.z, -se * v.y + ce * v.z]
}

// Meeus' terms: heliocentric longitude, latitude, radius on the ecliptic of J2000.0.
function fromTerms(jd) {
  const { lon, lat, range } = meeus.heliocentric(jd)
  return [range * Math.cos(lat) * Math.cos(lon), range * Math.cos(lat) * Math.sin(lon), range * Math.sin(lat)]
}

// The Julian day of 0h on a date of the Julian calendar (before 1582 Oct 15) or the Gregorian one.
function julianDay(year, month, day) {
  if (month <= 2) { year -= 1; month += 12 }
  const gregorian = year * 10000 + month * 100 + day >= 15821015
  const b = gregorian ? 2 - Math.floor(year / 100) + Math.floor(Math.floor(year / 100) / 4) : 0
  return Math.floor(365.25 * (year + 4716)) + Math.floor(30.6001 * (month + 1)) + day + b - 1524.5
}

const blendStart = julianDay(1885, 1, 1)
const blendEnd = julianDay(1895, 1, 1)
function pluto(jd) {
  if (jd <= blendStart) return fromSimulation(jd)
  if (jd >= blendEnd) return fromTerms(jd)
  const u = (jd - blendStart) / (blendEnd - blendStart)
  const w = 0.5 - 0.5 * Math.cos(Math.PI * u) // 0 at the start, 1 at the end, level at both
  const a = fromSimulation(jd)
  const b = fromTerms(jd)
  return a.map((ak, k) => ak * (1 - w) + b[k] * w)
}

// Segments of a whole number of days from a little before 0001 Jan 1 (Julian) to a little after 2101 Jan 1.
const days = 512
const degree = 9
const first = julianDay(0, 1, 1)
const last = julianDay(2102, 1, 1)
const segments = Math.ceil((last - first) / days)

// The first degree + 1 Chebyshev coefficients of the source sampled at `points` Chebyshev points: the
// least-squares fit over those points, which smooths the simulation's small steps every 146 days.
const points = 40
function chebyshevFit(start) {
  const values = []
  for (let j = 0; j < points; ++j) {
    const x = Math.cos((Math.PI * (j + 0.5)) / points)
    values.push(pluto(start + ((x + 1) / 2) * days))
  }
  const coefficients = [[], [], []]
  for (let k = 0; k <= degree; ++k) {
    for (let c = 0; c < 3; ++c) {
      let sum = 0
      for (let j = 0; j < points; ++j) sum += values[j][c] * Math.cos((Math.PI * k * (j + 0.5)) / points)
      coefficients[c].push(((k === 0 ? 1 : 2) / points) * sum)
    }
  }
  return coefficients
}

// Nine decimals of an au (0.15 m): far below a milli-arc-second at Pluto's distance.
const num = (x) => {
  if (!Number.isFinite(x)) throw new Error(`not a finite number: ${x}`)
  let s = x.toFixed(9).replace(/0+$/, '').replace(/\.$/, '')
  if (s === '-0') s = '0'
  return s
}

function evaluate(coefficients, x) {
  // Clenshaw's recurrence.
  let b1 = 0, b2 = 0
  for (let k = coefficients.length - 1; k >= 1; --k) [b1, b2] = [2 * x * b1 - b2 + coefficients[k], b1]
  return x * b1 - b2 + coefficients[0]
}

function fnv1a64(text) {
  let h = 0xcbf29ce484222325n
  for (const b of Buffer.from(text, 'utf8')) {
    h ^= BigInt(b)
    h = (h * 0x100000001b3n) & 0xffffffffffffffffn
  }
  return h.toString(16).padStart(16, '0')
}

let text = ''
text += '# Pluto: heliocentric rectangular coordinates x, y, z in au, referred to the ecliptic and equinox of\n'
text += '# J2000.0 (the obliquity of J2000.0 taken as 84381.406"), time in Julian days of TDB.\n'
text += `# From 1895 on: Meeus' periodic terms (Astronomical Algorithms, ch. 37) from astronomia ${astronomiaPkg.version}\n`
text += `# (npm registry, ${astronomiaPkg.license} licence). Before 1885: the gravity simulation of astronomy-engine\n`
text += `# ${enginePkg.version} (npm registry, ${enginePkg.license} licence, Don Cross), started from states of TOP2013.\n`
text += '# From 1885 to 1895 the two are blended. Written by tools/ephemeris/generate_pluto.mjs.\n'
text += '# "chebyshev FIRST DAYS SEGMENTS COEFFICIENTS": SEGMENTS segments of DAYS days each from the Julian day\n'
text += '# FIRST, one a line, each 3 * COEFFICIENTS numbers: the Chebyshev coefficients of x, then of y, then of\n'
text += '# z, in au, over the segment mapped onto [-1, 1]; a coordinate is c0 T0 + c1 T1 + ... .\n'
text += `chebyshev ${num(first)} ${days} ${segments} ${degree + 1}\n`
let worst = 0, worstAt = 0
for (let i = 0; i < segments; ++i) {
  const start = first + i * days
  const coefficients = chebyshevFit(start).map((c) => c.map(num).map(Number))
  text += coefficients.flat().map(num).join(' ') + '\n'
  // How well the rounded segment reproduces the source, between and beyond the fitting points.
  for (let j = 0; j <= 64; ++j) {
    const x = -1 + j / 32
    const exact = pluto(start + ((x + 1) / 2) * days)
    const r = Math.hypot(...exact)
    const d = Math.hypot(...exact.map((e, c) => e - evaluate(coefficients[c], x)))
    if (d / r > worst) { worst = d / r; worstAt = start + ((x + 1) / 2) * days }
  }
}
const body = text
fs.mkdirSync(outDir, { recursive: true })
fs.writeFileSync(path.join(outDir, 'pluto.txt'), body + `check ${fnv1a64(body)}\n`)
console.log(`pluto.txt: ${body.length} bytes, ${segments} segments; largest departure from the source ` +
  `${((worst * 180) / Math.PI * 3600).toFixed(4)}" (heliocentric) at JD ${worstAt.toFixed(1)}`)
