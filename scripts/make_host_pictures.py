#!/usr/bin/python3
"""Draws the host program's pictures: the Display Properties preview and the icon.

Run by hand from anywhere; the results go to host/pictures/ (or the folder given
as the only argument) and are committed. Everything is drawn procedurally from
fixed seeds, so running it twice gives the same bytes. Needs Debian's python3
with python3-numpy.

The BMP and ICO bytes are packed here rather than by an imaging library: the
resource compiler and LoadImage are fussy about header variants, and writing
the headers ourselves keeps them exactly the plain BITMAPINFOHEADER kind.
"""

import os
import struct
import sys

import numpy as np

# Every shape is drawn at this many samples per pixel edge and then averaged,
# which is what keeps the one-pixel planets and the thin ring from flickering
# between "there" and "gone" at these tiny sizes.
SUPERSAMPLE = 4

PREVIEW_WIDTH = 152
PREVIEW_HEIGHT = 112

PREVIEW_SEED = 20240611


# ---------------------------------------------------------------------------
# File formats


def bmp_24bit(rgb):
    """Uncompressed bottom-up 24-bit BMP with a 40-byte BITMAPINFOHEADER."""
    height, width, _ = rgb.shape
    row_bytes = (width * 3 + 3) & ~3
    pixel_bytes = row_bytes * height
    offset = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", offset + pixel_bytes, 0, 0, offset)
    # 2835 pixels per metre is 72 dpi; nothing reads it, but zero upsets some viewers.
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                              pixel_bytes, 2835, 2835, 0, 0)
    padding = bytes(row_bytes - width * 3)
    rows = []
    for y in range(height - 1, -1, -1):
        rows.append(rgb[y, :, ::-1].tobytes() + padding)
    return file_header + info_header + b"".join(rows)


def ico_image_32bit(rgba):
    """One icon image: BITMAPINFOHEADER (double height), BGRA rows, AND mask."""
    height, width, _ = rgba.shape
    xor = b"".join(rgba[y, :, [2, 1, 0, 3]].T.tobytes() for y in range(height - 1, -1, -1))
    # The mask still matters: Windows falls back to it where alpha blending is
    # off (old shells, some remote sessions), so it must agree with alpha.
    mask_row_bytes = ((width + 31) // 32) * 4
    mask_rows = []
    for y in range(height - 1, -1, -1):
        bits = np.zeros(mask_row_bytes * 8, dtype=np.uint8)
        bits[:width] = rgba[y, :, 3] == 0
        mask_rows.append(np.packbits(bits).tobytes())
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico_file(images):
    count = len(images)
    directory = struct.pack("<HHH", 0, 1, count)
    blobs = [ico_image_32bit(image) for image in images]
    offset = 6 + 16 * count
    entries = []
    for image, blob in zip(images, blobs):
        height, width, _ = image.shape
        # A size byte of 0 means 256, so only sizes below 256 are written as is.
        entries.append(struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                                   len(blob), offset))
        offset += len(blob)
    return directory + b"".join(entries) + b"".join(blobs)


# ---------------------------------------------------------------------------
# Drawing helpers; coordinates are in output pixels, y downwards.


def sample_grid(width, height):
    xs = (np.arange(width * SUPERSAMPLE) + 0.5) / SUPERSAMPLE
    ys = (np.arange(height * SUPERSAMPLE) + 0.5) / SUPERSAMPLE
    return np.meshgrid(xs, ys)


def downsample(canvas):
    h = canvas.shape[0] // SUPERSAMPLE
    w = canvas.shape[1] // SUPERSAMPLE
    return canvas.reshape(h, SUPERSAMPLE, w, SUPERSAMPLE, -1).mean(axis=(1, 3))


def edge_coverage(signed_inside):
    """Soft 0..1 coverage from a signed distance (pixels, positive inside).

    Spreading the edge over one sample keeps the supersampled edge from
    stepping in sixteenths.
    """
    return np.clip(signed_inside * SUPERSAMPLE + 0.5, 0.0, 1.0)


def smooth_noise(shape, cell, rng):
    """Value noise: a random lattice every `cell` samples, bilinearly blended."""
    h, w = shape
    gh, gw = h // cell + 2, w // cell + 2
    lattice = rng.random((gh, gw))
    ys = np.arange(h) / cell
    xs = np.arange(w) / cell
    y0 = np.floor(ys).astype(int)
    x0 = np.floor(xs).astype(int)
    fy = (ys - y0)[:, None]
    fx = (xs - x0)[None, :]
    fy = fy * fy * (3 - 2 * fy)
    fx = fx * fx * (3 - 2 * fx)
    a = lattice[y0][:, x0]
    b = lattice[y0][:, x0 + 1]
    c = lattice[y0 + 1][:, x0]
    d = lattice[y0 + 1][:, x0 + 1]
    return (a * (1 - fx) + b * fx) * (1 - fy) + (c * (1 - fx) + d * fx) * fy


def paint(canvas, colour, alpha):
    """Lays `colour` (per sample or constant) over an RGB canvas."""
    alpha = alpha[..., None]
    canvas *= 1.0 - alpha
    canvas += np.asarray(colour) * alpha


def lerp_colour(a, b, t):
    a = np.asarray(a, dtype=float)
    b = np.asarray(b, dtype=float)
    return a + (b - a) * t[..., None]


def sphere_normal(x, y, cx, cy, radius):
    nx = (x - cx) / radius
    ny = (y - cy) / radius
    nz = np.sqrt(np.clip(1.0 - nx * nx - ny * ny, 0.0, 1.0))
    return nx, ny, nz


def lambert(nx, ny, nz, light, ambient):
    lx, ly, lz = np.asarray(light) / np.linalg.norm(light)
    diffuse = np.clip(nx * lx + ny * ly + nz * lz, 0.0, 1.0)
    return ambient + (1.0 - ambient) * diffuse


# ---------------------------------------------------------------------------
# The preview: the Sun's limb down the left edge, the planets in a row.

# Planets sit half a pixel below the true middle so that the one-pixel ones
# land on a single row instead of smearing over two.
ROW_Y = 56.5

SUN_RADIUS = 80.0
SUN_BULGE = 16.0  # how far the limb reaches into the picture on the middle row
SUN_CENTRE = (SUN_BULGE - SUN_RADIUS, PREVIEW_HEIGHT / 2)

# Sunlight for the planets comes from the left, a little towards the viewer,
# so each shows a thin dark crescent on its right.
PLANET_LIGHT = (-0.62, -0.08, 0.78)

# (x, radius, colour) of the plain dots, inner planets first, Pluto last.
SMALL_PLANETS = [
    (24.5, 1.15, (0.78, 0.76, 0.74)),   # Mercury
    (30.5, 1.55, (1.00, 0.90, 0.60)),   # Venus
    (36.5, 1.65, (0.30, 0.70, 0.92)),   # Earth
    (42.5, 1.30, (1.00, 0.42, 0.22)),   # Mars
    (146.5, 1.15, (0.88, 0.80, 0.70)),  # Pluto
]

JUPITER = (60.5, 11.0)
SATURN = (92.5, 7.5)
SATURN_RING_TILT_DEG = -16.0
SATURN_RING_OPENING = 0.30  # minor/major axis ratio of the ring ellipse
URANUS = (120.5, 5.2, (0.62, 0.87, 0.92))
NEPTUNE = (134.5, 5.0, (0.22, 0.40, 0.92))

# Jupiter's belts and zones, top (north) to bottom, by the sine of latitude.
JUPITER_BANDS = [
    (-1.00, (0.55, 0.50, 0.45)),
    (-0.80, (0.66, 0.60, 0.52)),
    (-0.62, (0.86, 0.80, 0.68)),
    (-0.50, (0.68, 0.52, 0.38)),
    (-0.40, (0.92, 0.87, 0.74)),
    (-0.28, (0.93, 0.88, 0.76)),
    (-0.20, (0.62, 0.42, 0.27)),
    (-0.08, (0.70, 0.50, 0.33)),
    (0.00, (0.96, 0.92, 0.82)),
    (0.10, (0.94, 0.88, 0.76)),
    (0.18, (0.66, 0.46, 0.30)),
    (0.30, (0.72, 0.53, 0.37)),
    (0.38, (0.93, 0.86, 0.72)),
    (0.52, (0.90, 0.83, 0.70)),
    (0.60, (0.70, 0.56, 0.42)),
    (0.72, (0.84, 0.77, 0.65)),
    (0.86, (0.64, 0.58, 0.50)),
    (1.00, (0.52, 0.48, 0.44)),
]

SATURN_BANDS = [
    (-1.00, (0.72, 0.62, 0.45)),
    (-0.60, (0.86, 0.74, 0.50)),
    (-0.35, (0.95, 0.83, 0.56)),
    (-0.15, (0.84, 0.68, 0.42)),
    (0.05, (0.97, 0.86, 0.58)),
    (0.30, (0.90, 0.76, 0.48)),
    (0.55, (0.82, 0.68, 0.44)),
    (1.00, (0.70, 0.60, 0.44)),
]

# Ring opacity by distance from Saturn's centre in planet radii: the faint
# inner ring, the bright broad ring, the dark division, the outer ring.
SATURN_RING_PROFILE = [
    (1.22, 0.00), (1.28, 0.22), (1.50, 0.30), (1.55, 0.85), (1.90, 0.95),
    (1.95, 0.15), (2.02, 0.15), (2.06, 0.75), (2.22, 0.70), (2.27, 0.00),
]


def band_colour(latitude, bands):
    stops = np.array([s for s, _ in bands])
    colours = np.array([c for _, c in bands])
    return np.stack([np.interp(latitude, stops, colours[:, k]) for k in range(3)], axis=-1)


def draw_stars(canvas, x, y, rng):
    # Keep stars off a three-pixel frame (the picture is shown inside a
    # monitor bezel where an edge dot reads as dirt) and out of the planet row.
    stars = []
    while len(stars) < 26:
        sx = rng.uniform(30, PREVIEW_WIDTH - 3)
        sy = rng.uniform(3, PREVIEW_HEIGHT - 3)
        if abs(sy - ROW_Y) < 16:
            continue
        stars.append((sx, sy, rng.uniform(0.18, 0.55), rng.uniform(-0.08, 0.08)))
    for sx, sy, brightness, tint in stars:
        # Centre each star on a pixel so it stays one crisp dot after averaging.
        sx = np.floor(sx) + 0.5
        sy = np.floor(sy) + 0.5
        glow = brightness * np.exp(-((x - sx) ** 2 + (y - sy) ** 2) / (2 * 0.32 ** 2))
        canvas += glow[..., None] * np.array([1.0 - tint, 1.0, 1.0 + tint])


def draw_sun(canvas, x, y, rng):
    cx, cy = SUN_CENTRE
    distance = np.hypot(x - cx, y - cy)
    outside = np.clip(distance - SUN_RADIUS, 0.0, None)
    # A tight bright halo plus a wide faint one; the sum fades to near black
    # by the corners so the preview's corners stay sky coloured.
    glow = 0.50 * np.exp(-outside / 2.6) + 0.13 * np.exp(-outside / 10.0)
    canvas += glow[..., None] * np.array([1.0, 0.42, 0.10])

    mu = np.sqrt(np.clip(1.0 - (distance / SUN_RADIUS) ** 2, 0.0, 1.0))
    heat = mu ** 0.65
    colour = lerp_colour((0.80, 0.14, 0.02), (1.0, 0.66, 0.20), heat)
    granules = smooth_noise(x.shape, 5, rng) * 0.6 + smooth_noise(x.shape, 17, rng) * 0.4
    colour *= (0.90 + 0.16 * granules)[..., None]
    paint(canvas, colour, edge_coverage(SUN_RADIUS - distance))


def draw_shaded_disc(canvas, x, y, cx, radius, surface, ambient=0.10):
    nx, ny, nz = sphere_normal(x, y, cx, ROW_Y, radius)
    light = lambert(nx, ny, nz, PLANET_LIGHT, ambient)
    # A touch of limb darkening keeps even the tiny discs round.
    shade = light * (0.80 + 0.20 * nz)
    colour = surface(nx, ny) * shade[..., None]
    paint(canvas, colour, edge_coverage(radius - np.hypot(x - cx, y - ROW_Y)))


def draw_jupiter(canvas, x, y):
    cx, radius = JUPITER

    def surface(nx, ny):
        # A gentle wobble along the belts so they are not ruled lines.
        wobble = 0.025 * np.sin(nx * 9.0 + ny * 23.0) + 0.015 * np.sin(nx * 17.0 - ny * 11.0)
        colour = band_colour(ny + wobble, JUPITER_BANDS)
        spot = ((nx - 0.28) / 0.20) ** 2 + ((ny - 0.34) / 0.09) ** 2
        spot_strength = np.clip(1.2 - spot, 0.0, 1.0)
        return lerp_colour(colour, np.broadcast_to((0.80, 0.42, 0.30), colour.shape),
                           spot_strength * 0.85)

    draw_shaded_disc(canvas, x, y, cx, radius, surface)


def saturn_ring_frame(x, y):
    cx, radius = SATURN
    tilt = np.radians(SATURN_RING_TILT_DEG)
    dx = x - cx
    dy = y - ROW_Y
    along = dx * np.cos(tilt) + dy * np.sin(tilt)
    across = -dx * np.sin(tilt) + dy * np.cos(tilt)
    rho = np.hypot(along, across / SATURN_RING_OPENING) / radius
    return rho, across


def draw_saturn_ring(canvas, x, y, front):
    rho, across = saturn_ring_frame(x, y)
    stops = np.array([s for s, _ in SATURN_RING_PROFILE])
    opacity = np.interp(rho, stops, np.array([o for _, o in SATURN_RING_PROFILE]))
    # We look down on the ring plane, so the near half of the ring is the half
    # below the planet's centre and crosses in front of the disc.
    half = across >= 0 if front else across < 0
    opacity = np.where(half, opacity, 0.0)
    colour = lerp_colour((0.62, 0.54, 0.42), (0.92, 0.84, 0.66), np.clip((rho - 1.3) / 0.6, 0, 1))
    paint(canvas, colour, opacity * 0.95)


def draw_saturn(canvas, x, y):
    cx, radius = SATURN
    draw_saturn_ring(canvas, x, y, front=False)

    def surface(nx, ny):
        return band_colour(ny + 0.02 * np.sin(nx * 13.0), SATURN_BANDS)

    draw_shaded_disc(canvas, x, y, cx, radius, surface)
    draw_saturn_ring(canvas, x, y, front=True)


def draw_ice_giant(canvas, x, y, cx, radius, base):
    base = np.asarray(base)

    def surface(nx, ny):
        # Faint banding; both look nearly featureless, as they do.
        t = 0.5 + 0.5 * np.cos(ny * 7.0)
        return lerp_colour(base * 0.92, np.minimum(base * 1.05, 1.0), t)

    draw_shaded_disc(canvas, x, y, cx, radius, surface)


def draw_preview():
    rng = np.random.default_rng(PREVIEW_SEED)
    x, y = sample_grid(PREVIEW_WIDTH, PREVIEW_HEIGHT)
    canvas = np.zeros(x.shape + (3,))
    draw_stars(canvas, x, y, rng)
    draw_sun(canvas, x, y, rng)
    for cx, radius, colour in SMALL_PLANETS:
        # A terminator is invisible on a dot a pixel or two across and only
        # dims it, so the small ones are lit almost flat.
        draw_shaded_disc(canvas, x, y, cx, radius,
                         lambda nx, ny, c=colour: np.broadcast_to(c, nx.shape + (3,)),
                         ambient=0.6)
    draw_jupiter(canvas, x, y)
    draw_saturn(canvas, x, y)
    draw_ice_giant(canvas, x, y, URANUS[0], URANUS[1], URANUS[2])
    draw_ice_giant(canvas, x, y, NEPTUNE[0], NEPTUNE[1], NEPTUNE[2])
    rgb = downsample(np.clip(canvas, 0.0, 1.0))
    return np.round(rgb * 255.0).astype(np.uint8)


# ---------------------------------------------------------------------------
# The icon: a sun, a tilted orbit and a planet on it, on transparency.

# Per icon size: sun radius, glow reach, orbit half-axes, orbit line
# half-width, planet radius. The small one is drawn on its own rather than
# shrunk from the large one so its lines stay a full pixel wide.
ICON_LAYOUTS = {
    32: dict(sun=5.4, glow=3.6, orbit=(13.4, 5.8), line=0.60, planet=2.9),
    16: dict(sun=3.0, glow=1.3, orbit=(6.6, 3.0), line=0.50, planet=1.7),
}
ICON_ORBIT_TILT_DEG = -24.0
ICON_PLANET_ANGLE_DEG = 30.0  # where on the orbit the planet sits, on the near side


def paint_rgba(canvas, colour, alpha):
    """Premultiplied 'over' onto an RGBA canvas."""
    a = alpha[..., None]
    canvas[..., :3] = np.asarray(colour) * a + canvas[..., :3] * (1.0 - a)
    canvas[..., 3:] = a + canvas[..., 3:] * (1.0 - a)


def draw_icon(size):
    layout = ICON_LAYOUTS[size]
    x, y = sample_grid(size, size)
    canvas = np.zeros(x.shape + (4,))
    centre = size / 2.0
    dx = x - centre
    dy = y - centre

    tilt = np.radians(ICON_ORBIT_TILT_DEG)
    along = dx * np.cos(tilt) + dy * np.sin(tilt)
    across = -dx * np.sin(tilt) + dy * np.cos(tilt)
    a, b = layout["orbit"]
    rho = np.hypot(along / a, across / b)
    gradient = np.hypot(along / (a * a), across / (b * b)) / np.maximum(rho, 1e-6)
    distance_to_orbit = np.abs(rho - 1.0) / np.maximum(gradient, 1e-6)
    orbit_alpha = edge_coverage(layout["line"] - distance_to_orbit)
    # Mid blue reads on both a dark desktop and a white explorer window.
    orbit_colour = (0.42, 0.62, 1.0)

    # The far half of the orbit goes behind the sun.
    paint_rgba(canvas, orbit_colour, np.where(across < 0, orbit_alpha, 0.0))

    sun_distance = np.hypot(dx, dy)
    beyond = np.clip(sun_distance - layout["sun"], 0.0, None)
    # The glow ends at a finite reach so the background is exactly transparent.
    glow = 0.65 * np.clip(1.0 - beyond / layout["glow"], 0.0, 1.0) ** 2
    paint_rgba(canvas, (1.0, 0.66, 0.20), np.where(sun_distance > layout["sun"], glow, 0.0))
    heat = np.clip(sun_distance / layout["sun"], 0.0, 1.0)
    sun_colour = lerp_colour((1.0, 0.97, 0.70), (1.0, 0.52, 0.08), heat ** 1.6)
    paint_rgba(canvas, sun_colour, edge_coverage(layout["sun"] - sun_distance))

    paint_rgba(canvas, orbit_colour, np.where(across >= 0, orbit_alpha, 0.0))

    angle = np.radians(ICON_PLANET_ANGLE_DEG)
    pa, pb = a * np.cos(angle), b * np.sin(angle)
    px = centre + pa * np.cos(tilt) - pb * np.sin(tilt)
    py = centre + pa * np.sin(tilt) + pb * np.cos(tilt)
    radius = layout["planet"]
    nx, ny, nz = sphere_normal(x, y, px, py, radius)
    # Lit from the sun's side of the planet.
    light = lambert(nx, ny, nz, (centre - px, centre - py, 0.8 * np.hypot(pa, pb)), 0.22)
    planet_colour = np.array((0.32, 0.68, 1.0)) * light[..., None]
    # A dark rim keeps the planet separate from the orbit line it sits on.
    planet_distance = np.hypot(x - px, y - py)
    paint_rgba(canvas, (0.02, 0.06, 0.16), edge_coverage(radius + 0.45 - planet_distance) * 0.6)
    paint_rgba(canvas, planet_colour, edge_coverage(radius - planet_distance))

    rgba = downsample(canvas)
    alpha = rgba[..., 3:]
    # Icons carry straight, not premultiplied, colour.
    colour = np.where(alpha > 0, rgba[..., :3] / np.maximum(alpha, 1e-9), 0.0)
    out = np.concatenate([colour, alpha], axis=-1)
    out = np.round(np.clip(out, 0.0, 1.0) * 255.0).astype(np.uint8)
    out[out[..., 3] == 0, :3] = 0
    return out


# ---------------------------------------------------------------------------


def write_outputs(outputs):
    """Writes {file name: bytes} to host/pictures/, or to the folder given as
    the only argument."""
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "host", "pictures")
    os.makedirs(out_dir, exist_ok=True)
    for name, data in outputs.items():
        path = os.path.join(out_dir, name)
        with open(path, "wb") as f:
            f.write(data)
        print(f"{os.path.normpath(path)}: {len(data)} bytes")


def main():
    write_outputs({
        "preview.bmp": bmp_24bit(draw_preview()),
        "host.ico": ico_file([draw_icon(32), draw_icon(16)]),
    })


if __name__ == "__main__":
    main()
