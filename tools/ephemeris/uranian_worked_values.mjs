// Worked values for the tests of the eight hypothetical points, computed apart from the program: the
// eccentric anomaly by Meeus' iteration as the npm package astronomia carries it (kepler2, Astronomical
// Algorithms 30.7), the heliocentric position from the anomalies by Meeus' formulas (astronomia's kepler
// module and chapter 33), and the precession from the ecliptic of J1900.0 to the mean ecliptic of date by
// the IAU 2006 ecliptic precession angles (Capitaine, Wallace and Chapront 2003: pi_A, Pi_A, p_A) in
// Meeus' rotation 21.7, composed through J2000.0. The program computes the same from the same elements
// with its own Kepler solver and ERFA's eraEcm06; the two agree to a few micro-arcseconds.
//
// usage: node uranian_worked_values.mjs NODE_MODULES_DIR
// Prints one line a point and date: name, Julian day, heliocentric longitude and latitude of date in
// degrees (eight decimals) and the radius in au.

import path from 'node:path'
import { pathToFileURL } from 'node:url'

const [, , modulesDir] = process.argv
if (!modulesDir) {
  console.error('usage: node uranian_worked_values.mjs NODE_MODULES_DIR')
  process.exit(2)
}
const kepler = (await import(pathToFileURL(path.join(modulesDir, 'astronomia', 'src', 'kepler.js')).href)).default

const D = Math.PI / 180
const AS = D / 3600
const epoch = 2415020.0
const gauss = 0.01720209895
const elements = [
  ['Cupido', 163.7409, 40.99837, 0.00460, 171.4333, 129.8325, 1.0833],
  ['Hades', 27.6496, 50.66744, 0.00245, 148.1796, 161.3339, 1.0500],
  ['Zeus', 165.1232, 59.21436, 0.00120, 299.0440, 0, 0],
  ['Kronos', 169.0193, 64.81690, 0.00305, 208.8801, 0, 0],
  ['Apollon', 138.0533, 70.29949, 0, 0, 0, 0],
  ['Admetos', 351.3350, 73.62765, 0, 0, 0, 0],
  ['Vulkanus', 55.8983, 77.25568, 0, 0, 0, 0],
  ['Poseidon', 165.5163, 83.66907, 0, 0, 0, 0]
]

// Heliocentric longitude, latitude (radians) and radius on the ecliptic of J1900.0.
function onOrbit ([, m0, a, e, w, node, inc], jd) {
  const n = gauss / (a * Math.sqrt(a))
  const m = m0 * D + n * (jd - epoch)
  const E = kepler.kepler2(e, m, 15)
  const nu = kepler.trueAnomaly(E, e)
  const r = kepler.radius(E, e, a)
  const u = w * D + nu // argument of latitude
  // (33.2)-like: longitude from the node along the inclined plane.
  const lon = node * D + Math.atan2(Math.sin(u) * Math.cos(inc * D), Math.cos(u))
  const lat = Math.asin(Math.sin(u) * Math.sin(inc * D))
  return [lon, lat, r]
}

// The IAU 2006 ecliptic precession angles from J2000.0 to t Julian centuries after it, radians.
function angles (t) {
  const poly = (c) => c.reduceRight((acc, k) => acc * t + k, 0)
  return {
    eta: poly([0, 46.998973, -0.0334926, -0.00012559, 0.000000113, -0.0000000022]) * AS,
    Pi: poly([629546.7936, -867.95758, 0.157992, -0.0005371, -0.00004797, 0.000000072]) * AS,
    p: poly([0, 5028.796195, 1.1054348, 0.00007964, -0.000023857, -0.0000000383]) * AS
  }
}

const unit = (lon, lat) => [Math.cos(lat) * Math.cos(lon), Math.cos(lat) * Math.sin(lon), Math.sin(lat)]
const rz = (v, a) => [Math.cos(a) * v[0] + Math.sin(a) * v[1], -Math.sin(a) * v[0] + Math.cos(a) * v[1], v[2]]
const rx = (v, a) => [v[0], Math.cos(a) * v[1] + Math.sin(a) * v[2], -Math.sin(a) * v[1] + Math.cos(a) * v[2]]

// Meeus 21.7 as rotations: the longitude counted from the node of the ecliptic of date on that of J2000.0
// (at Pi), the tilt eta about that node, and back by Pi + p on the ecliptic of date.
function fromJ2000 (v, t) {
  const { eta, Pi, p } = angles(t)
  return rz(rx(rz(v, Pi), eta), -(Pi + p))
}
function toJ2000 (v, t) {
  const { eta, Pi, p } = angles(t)
  return rz(rx(rz(v, Pi + p), -eta), -Pi)
}

// A check of the rotation against Meeus' formula itself.
{
  const t = 0.9, lon0 = 1.234, lat0 = 0.0123
  const { eta, Pi, p } = angles(t)
  const A = Math.cos(eta) * Math.cos(lat0) * Math.sin(Pi - lon0) - Math.sin(eta) * Math.sin(lat0)
  const B = Math.cos(lat0) * Math.cos(Pi - lon0)
  const C = Math.cos(eta) * Math.sin(lat0) + Math.sin(eta) * Math.cos(lat0) * Math.sin(Pi - lon0)
  const v = fromJ2000(unit(lon0, lat0), t)
  const dl = Math.abs(Math.atan2(Math.sin(p + Pi - Math.atan2(A, B) - Math.atan2(v[1], v[0])),
    Math.cos(p + Pi - Math.atan2(A, B) - Math.atan2(v[1], v[0]))))
  const db = Math.abs(Math.asin(C) - Math.asin(v[2]))
  if (dl > 1e-12 || db > 1e-12) throw new Error('the rotation is not Meeus 21.7')
}

const dates = [2415020.5, 2433282.5, 2447892.5, 2451545.0, 2460000.5, 2470000.5, 2488069.5]
for (const el of elements) {
  for (const jd of dates) {
    const [l, b, r] = onOrbit(el, jd)
    const t1900 = (epoch - 2451545.0) / 36525
    const t = (jd - 2451545.0) / 36525
    const v = fromJ2000(toJ2000(unit(l, b), t1900), t)
    let lon = Math.atan2(v[1], v[0]) / D
    if (lon < 0) lon += 360
    const lat = Math.asin(v[2]) / D
    console.log(`${el[0]} ${jd} ${lon.toFixed(8)} ${lat.toFixed(8)} ${r.toFixed(8)}`)
  }
}
