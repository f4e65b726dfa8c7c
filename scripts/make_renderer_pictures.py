#!/usr/bin/python3
"""Makes the renderer's texture pictures and its icon under renderer/pictures/.

A developer tool, run by hand; its outputs are committed and the build only
reads them. Run it from anywhere:

    python3 scripts/make_renderer_pictures.py [output-folder]

It needs, on Debian 12:

    apt-get install python3 python3-numpy python3-pil xplanet-images stellarium-data

Two pictures start from public-domain maps that those packages install:
earth.bmp from xplanet-images' /usr/share/xplanet/images/earth.jpg (NASA,
not copyrighted) and moon.bmp from stellarium-data's
/usr/share/stellarium/textures/moon.png (USGS and Clementine, public domain).
Every other picture is drawn here from seeded noise, so a second run writes
the same bytes. renderer/pictures/CREDITS.md says where each picture came from.

The bitmaps are 24-bit BI_RGB BMPs written byte by byte here rather than by an
image library, because the renderer hands their rows straight to OpenGL and
relies on that exact layout (bottom row first, rows padded to 4 bytes).
Each picture's colours are finally bent (a per-channel gamma) so that its mean
colour lands on the one the scene's lighting was tuned for.
"""

import math
import os
import struct
import sys

import numpy as np
from PIL import Image

EARTH_SOURCE = "/usr/share/xplanet/images/earth.jpg"
MOON_SOURCE = "/usr/share/stellarium/textures/moon.png"

# Longitude that becomes the earth map's left edge. The sphere's texture
# coordinates start in western Africa, so the Pacific falls in the middle.
EARTH_LEFT_EDGE_LONGITUDE = -10.0


# ---------------------------------------------------------------- file output

def bmp_bytes(rgb):
    """A bottom-up 24-bit BI_RGB bitmap of an (h, w, 3) uint8 array given top row first."""
    height, width, _ = rgb.shape
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    pad = b"\0" * (stride - width * 3)
    for row in rgb[::-1]:
        pixels += row[:, ::-1].tobytes()  # B, G, R
        pixels += pad
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def icon_bytes(indices, palette):
    """A one-image .ico: 32x32, 16 colours, opaque AND mask. indices is (32, 32), top row first."""
    size = indices.shape[0]
    xor = bytearray()
    for row in indices[::-1]:
        for i in range(0, size, 2):
            xor.append((int(row[i]) << 4) | int(row[i + 1]))
    and_stride = ((size + 31) // 32) * 4
    and_mask = bytes(and_stride * size)  # every pixel drawn, none see-through
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask), 0, 0, 16, 0)
    image = info + colours + bytes(xor) + and_mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return icondir + entry + image


# ---------------------------------------------------------------- helpers

def spectral_noise(rng, height, width, beta, stretch_x=1.0):
    """Noise with a 1/f^beta power spectrum, scaled to 0..1.

    Made in the frequency domain, so it tiles: the seam where longitude 360
    meets 0 on the sphere does not show. stretch_x > 1 lengthens the features
    east-west, as in banded atmospheres.
    """
    white = rng.standard_normal((height, width))
    fy = np.fft.fftfreq(height)[:, None]
    fx = np.fft.fftfreq(width)[None, :] * stretch_x
    f = np.sqrt(fx * fx + fy * fy)
    f[0, 0] = np.inf
    field = np.real(np.fft.ifft2(np.fft.fft2(white) * f ** (-beta / 2.0)))
    field -= field.min()
    return field / field.max()


def grid(height, width):
    y, x = np.mgrid[0:height, 0:width].astype(np.float64)
    return y + 0.5, x + 0.5


def wrapped_dx(x, cx, width):
    return (x - cx + width / 2.0) % width - width / 2.0


def smoothstep(edge0, edge1, value):
    t = np.clip((value - edge0) / (edge1 - edge0), 0.0, 1.0)
    return t * t * (3.0 - 2.0 * t)


def ramp(t, stops):
    """Colours (h, w, 3) from a 0..1 field through (position, (r, g, b)) stops."""
    points = [s[0] for s in stops]
    return np.stack([np.interp(t, points, [s[1][c] for s in stops]) for c in range(3)], axis=-1)


def blend(base, colour, alpha):
    alpha = alpha[..., None]
    return base * (1.0 - alpha) + np.asarray(colour, dtype=np.float64) * alpha


def sample_wrapped(field, y, x):
    """Bilinear look-up with east-west wrap and clamped poles."""
    height, width = field.shape
    y = np.clip(y - 0.5, 0, height - 1)
    x = (x - 0.5) % width
    y0 = np.floor(y).astype(int)
    x0 = np.floor(x).astype(int)
    y1 = np.minimum(y0 + 1, height - 1)
    x1 = (x0 + 1) % width
    fy = y - y0
    fx = x - x0
    top = field[y0, x0] * (1 - fx) + field[y0, x1] * fx
    bottom = field[y1, x0] * (1 - fx) + field[y1, x1] * fx
    return top * (1 - fy) + bottom * fy


def swirl(field, centres):
    """Twists the field round each (cy, cx, radius, turns) centre, like storm systems."""
    height, width = field.shape
    y, x = grid(height, width)
    sy, sx = y.copy(), x.copy()
    for cy, cx, radius, turns in centres:
        dx = wrapped_dx(sx, cx, width)
        dy = sy - cy
        r2 = (dx * dx + dy * dy) / (radius * radius)
        angle = turns * 2.0 * math.pi * np.exp(-r2)
        c, s = np.cos(angle), np.sin(angle)
        sx = cx + dx * c - dy * s
        sy = cy + dx * s + dy * c
    return sample_wrapped(field, sy, sx)


def shrink(image, width, height):
    """Area-averaging resize of a float (h, w) or (h, w, 3) array."""
    if image.ndim == 2:
        return np.asarray(Image.fromarray(image.astype(np.float32), "F").resize((width, height), Image.BOX),
                          dtype=np.float64)
    return np.stack([shrink(image[..., c], width, height) for c in range(3)], axis=-1)


def craters(shape, rng, count, radius_range, depth=1.0, rim=0.6, power=2.0):
    """A relief field (0 = untouched) of bowl-shaped craters with raised rims, wrapping east-west."""
    height, width = shape
    y, x = grid(height, width)
    relief = np.zeros(shape)
    lo, hi = radius_range
    for _ in range(count):
        # Many small craters, few large ones.
        radius = lo * (hi / lo) ** (rng.random() ** power)
        cy = rng.uniform(0, height)
        cx = rng.uniform(0, width)
        d = np.hypot(wrapped_dx(x, cx, width), y - cy) / radius
        bowl = -depth * np.clip(1.0 - d * d, 0.0, 1.0)
        ring = rim * np.exp(-((d - 1.0) / 0.18) ** 2)
        relief += (bowl + ring) * (0.5 + 0.5 * rng.random())
    return relief


def fit_mean(image, target, frozen=None):
    """Bends each channel by a gamma so the picture's rounded mean lands on target.

    A gamma keeps 0 at 0 and 255 at 255, so black space round the additive
    pictures and white round the mask stay exact. Pixels under 'frozen' keep
    their colour (the sun's disc must stay as bright as it was drawn).
    """
    image = np.clip(np.asarray(image, dtype=np.float64), 0.0, 255.0)
    if image.ndim == 2:
        image = np.repeat(image[..., None], 3, axis=-1)
    free = np.ones(image.shape[:2], bool) if frozen is None else ~frozen
    out = image.copy()
    for c in range(3):
        channel = image[..., c] / 255.0

        def mean_for(log_gamma):
            bent = channel.copy()
            bent[free] = channel[free] ** math.exp(log_gamma)
            return float(np.mean(np.round(bent * 255.0)))

        lo, hi = math.log(1.0 / 40.0), math.log(40.0)
        for _ in range(60):
            mid = 0.5 * (lo + hi)
            if mean_for(mid) > target[c]:
                lo = mid
            else:
                hi = mid
        log_gamma = 0.5 * (lo + hi)
        bent = channel.copy()
        bent[free] = channel[free] ** math.exp(log_gamma)
        out[..., c] = bent * 255.0
    return np.clip(np.round(out), 0, 255).astype(np.uint8)


def grey(field):
    return np.repeat(field[..., None], 3, axis=-1)


# ---------------------------------------------------------------- the sun

SUN_SIZE = 64
SUN_DISC_RADIUS = 6.5  # about a fifth of the picture across


def sun_radius():
    y, x = grid(SUN_SIZE, SUN_SIZE)
    c = SUN_SIZE / 2.0
    return np.hypot(x - c, y - c)


def make_sun_glow():
    r = sun_radius()
    edge = SUN_SIZE / 2.0
    # The halo fades to nothing before the picture's edge, so the quad it is
    # added on shows no border.
    fade = np.clip((edge - r) / (edge - SUN_DISC_RADIUS), 0.0, 1.0)
    # Dimmer than the disc even where they meet, so the disc keeps an edge.
    halo = np.stack([215.0 * fade ** 1.6, 220.0 * fade ** 1.5, 70.0 * fade ** 2.2], axis=-1)
    disc = np.clip(SUN_DISC_RADIUS + 0.5 - r, 0.0, 1.0)  # one pixel of antialiasing
    image = blend(halo, (255.0, 255.0, 111.0), disc)
    frozen = r <= SUN_DISC_RADIUS
    return fit_mean(image, (54, 57, 23), frozen=frozen)


def make_sun_mask():
    r = sun_radius()
    edge = SUN_SIZE / 2.0
    # Black where the glow's disc is, so the disc replaces what lies behind it;
    # the ramp lets the halo darken the scene less and less outwards.
    level = np.clip((r - SUN_DISC_RADIUS) / (edge - SUN_DISC_RADIUS), 0.0, 1.0) ** 0.6
    return fit_mean(grey(level * 255.0), (202, 202, 202))


# ---------------------------------------------------------------- planets

def make_mercury(rng):
    n = 256
    base = spectral_noise(rng, n, n, 2.6)
    relief = craters((n, n), rng, 260, (2.0, 26.0), depth=0.5, rim=0.45, power=2.5)
    # Lit from the west: rims catch the light on one side, bowls shade the other.
    slope = relief - np.roll(relief, 1, axis=1)
    shade = np.clip(0.55 * base + 0.35 + 0.12 * relief + 0.9 * slope, 0.0, 1.0)
    colour = ramp(shade, [(0.0, (95, 50, 25)), (0.5, (200, 115, 58)), (1.0, (250, 180, 115))])
    return fit_mean(shrink(colour, 128, 128), (206, 119, 62))


def make_venus(rng):
    n = 256
    clouds = spectral_noise(rng, n, n, 3.0, stretch_x=0.6)
    swirls = [(rng.uniform(30, n - 30), rng.uniform(0, n), rng.uniform(25, 60), rng.uniform(-0.5, 0.5))
              for _ in range(7)]
    clouds = swirl(clouds, swirls)
    detail = spectral_noise(rng, n, n, 1.8)
    field = np.clip(0.8 * clouds + 0.2 * detail, 0.0, 1.0)
    field = (field - field.min()) / (field.max() - field.min())
    colour = ramp(field, [(0.0, (110, 50, 5)), (0.45, (180, 100, 15)), (0.75, (225, 150, 35)),
                          (1.0, (250, 205, 90))])
    return fit_mean(shrink(colour, 128, 128), (187, 111, 21))


def make_earth(rng):
    src = np.asarray(Image.open(EARTH_SOURCE).convert("RGB"), dtype=np.float64)
    width = src.shape[1]
    shift = int(round((EARTH_LEFT_EDGE_LONGITUDE + 180.0) / 360.0 * width))
    src = np.roll(src, -shift, axis=1)
    n = 256
    land = shrink(src, n, n)

    y, x = grid(n, n)
    latitude = 90.0 - 180.0 * y / n
    # The source already has Antarctica and the Arctic ice; this only closes
    # the gaps in the last few rows, which become the sphere's caps.
    land = blend(land, (235, 240, 248), smoothstep(80.0, 88.0, np.abs(latitude)))

    # Cloud systems: broad noise twisted round a few storm centres, thicker
    # at mid latitudes and along the equator than over the subtropics.
    cloud = spectral_noise(rng, n, n, 2.6, stretch_x=1.4)
    storms = []
    for i in range(8):
        lat = (-1.0) ** i * rng.uniform(35.0, 60.0)
        cy, cx, radius = (90.0 - lat) / 180.0 * n, rng.uniform(0, n), rng.uniform(14, 22)
        # Thicken the cloud round each centre before twisting, so the twist
        # winds it into spiral arms.
        cloud += 0.25 * np.exp(-(wrapped_dx(x, cx, n) ** 2 + (y - cy) ** 2) / (radius * radius))
        storms.append((cy, cx, radius, math.copysign(rng.uniform(0.5, 0.8), lat)))
    cloud = swirl(cloud, storms)
    cloud = 0.8 * cloud + 0.2 * spectral_noise(rng, n, n, 2.0)
    belt = 0.8 + 0.25 * np.exp(-(latitude / 8.0) ** 2) + 0.25 * smoothstep(30.0, 55.0, np.abs(latitude)) \
        - 0.15 * np.exp(-((np.abs(latitude) - 22.0) / 8.0) ** 2)
    cover = smoothstep(0.42, 0.75, cloud * belt)
    image = blend(land, (248, 250, 255), 0.92 * cover)
    return fit_mean(shrink(image, 128, 128), (143, 162, 181))


def make_mars(rng):
    n = 256
    # Several separate dark regions, each a soft east-west blob frayed by noise.
    y, x = grid(n, n)
    broad = spectral_noise(rng, n, n, 1.9)
    for _ in range(7):
        cy, cx = rng.uniform(0.2, 0.8) * n, rng.uniform(0, n)
        ry, rx = rng.uniform(10, 28), rng.uniform(20, 55)
        broad += 0.45 * np.exp(-(wrapped_dx(x, cx, n) / rx) ** 2 - ((y - cy) / ry) ** 2)
    fine = spectral_noise(rng, n, n, 1.8)
    relief = craters((n, n), rng, 60, (2.0, 14.0), depth=0.3, rim=0.25, power=2.0)
    level = np.quantile(broad, 0.72)
    dark = smoothstep(level - 0.05, level + 0.08, broad)  # the dark albedo patches
    slope = relief - np.roll(relief, 1, axis=1)
    shade = np.clip(0.45 + 0.5 * fine + 0.1 * relief + 0.6 * slope, 0.0, 1.0)
    colour = ramp(np.clip(shade, 0, 1), [(0.0, (120, 40, 25)), (1.0, (190, 68, 42))])
    colour = blend(colour, (85, 32, 22), 0.75 * dark)
    return fit_mean(shrink(colour, 128, 128), (147, 50, 32))


def banded(rng, n, bands, turbulence, stretch_x, wobble):
    """Latitude positions 0..1 bent by noise: the coordinate a banded atmosphere's colours hang on."""
    y, x = grid(n, n)
    noise = spectral_noise(rng, n, n, 2.6, stretch_x=stretch_x) - 0.5
    waves = np.sin(x / n * 2.0 * math.pi * rng.integers(2, 6) + rng.uniform(0, 6.3)) * wobble
    return (y / n + turbulence * noise + waves * np.sin(y / n * bands * math.pi)) % 1.0


def make_jupiter(rng):
    n = 256
    y, x = grid(n, n)
    lat = banded(rng, n, 14, 0.035, 3.0, 0.004)
    # Alternating cream zones and brown belts, narrower towards the poles.
    phase = lat * math.pi * 12.0 + 2.0 * np.sin(lat * math.pi * 4.0 + 0.7)
    band_profile = np.sin(phase) * (0.7 + 0.3 * np.cos((lat - 0.5) * math.pi))
    t = 0.5 + 0.5 * band_profile
    colour = ramp(t, [(0.0, (150, 92, 55)), (0.35, (190, 130, 85)), (0.65, (225, 190, 150)),
                      (1.0, (245, 230, 205))])
    polar = 1.0 - np.sin(y / n * math.pi) ** 0.5
    colour = blend(colour, (150, 110, 80), 0.6 * polar)

    # The great oval, south of the equator, with a paler collar round it.
    cy, cx = 0.64 * n, 0.30 * n
    dx = wrapped_dx(x, cx, n) / 24.0
    dy = (y - cy) / 13.0
    d = np.hypot(dx, dy)
    collar = np.exp(-((d - 1.15) / 0.2) ** 2)
    colour = blend(colour, (240, 220, 195), 0.7 * collar)
    spot = smoothstep(1.0, 0.75, d) * (0.75 + 0.25 * np.cos(np.arctan2(dy, dx) * 3.0 + d * 6.0))
    colour = blend(colour, (195, 80, 50), spot)
    return fit_mean(shrink(colour, 128, 128), (201, 150, 109))


def make_saturn(rng):
    n = 256
    y, _ = grid(n, n)
    lat = banded(rng, n, 10, 0.008, 6.0, 0.001)
    t = 0.5 + 0.3 * np.sin(lat * math.pi * 9.0) + 0.2 * np.sin(lat * math.pi * 23.0 + 1.0)
    colour = ramp(np.clip(t, 0, 1), [(0.0, (185, 115, 50)), (0.5, (220, 155, 75)), (1.0, (240, 200, 110))])
    polar = 1.0 - np.sin(y / n * math.pi) ** 0.4
    colour = blend(colour, (170, 120, 70), 0.5 * polar)
    return fit_mean(shrink(colour, 128, 128), (214, 151, 72))


def make_uranus(rng):
    n = 256
    y, _ = grid(n, n)
    streaks = spectral_noise(rng, n, n, 2.2, stretch_x=12.0)
    base = ramp(spectral_noise(rng, n, n, 3.0, stretch_x=8.0),
                [(0.0, (10, 90, 150)), (1.0, (25, 125, 185))])
    white = smoothstep(0.6, 0.85, streaks) * (0.5 + 0.5 * np.sin(y / n * math.pi * 7.0) ** 2)
    colour = blend(base, (200, 225, 240), 0.45 * white)
    return fit_mean(shrink(colour, 128, 128), (16, 109, 169))


def make_neptune(rng):
    n = 256
    y, x = grid(n, n)
    lat = banded(rng, n, 8, 0.02, 8.0, 0.003)
    t = 0.5 + 0.5 * np.sin(lat * math.pi * 11.0)
    colour = ramp(t, [(0.0, (25, 70, 195)), (1.0, (45, 100, 228))])
    # The dark storm and the bright cloud that rides just south of it.
    cy, cx = 0.62 * n, 0.55 * n
    d = np.hypot(wrapped_dx(x, cx, n) / 14.0, (y - cy) / 8.0)
    colour = blend(colour, (10, 25, 100), smoothstep(1.0, 0.6, d))
    d = np.hypot(wrapped_dx(x, cx + 8.0, n) / 13.0, (y - cy - 12.0) / 3.5)
    colour = blend(colour, (245, 250, 255), smoothstep(1.0, 0.3, d))
    return fit_mean(shrink(colour, 128, 128), (32, 83, 212))


def make_pluto(rng):
    n = 128
    soft = spectral_noise(rng, n, n, 3.4)
    colour = ramp(soft, [(0.0, (45, 60, 80)), (0.5, (75, 93, 112)), (1.0, (125, 140, 155))])
    return fit_mean(colour, (76, 94, 112))


# ---------------------------------------------------------------- moons

def make_moon():
    src = np.asarray(Image.open(MOON_SOURCE).convert("RGB"), dtype=np.float64)
    # Luminance only: the scene lights the Moon in neutral grey.
    lum = src @ np.array([0.299, 0.587, 0.114])
    return fit_mean(grey(shrink(lum, 281, 128)), (138, 138, 138))


def make_io(rng):
    n = 256
    y, x = grid(n, n)
    field = spectral_noise(rng, n, n, 2.4)
    colour = ramp(field, [(0.0, (190, 120, 40)), (0.35, (215, 175, 70)), (0.6, (235, 215, 110)),
                          (0.85, (245, 240, 200)), (1.0, (255, 255, 245))])
    frost = smoothstep(0.62, 0.8, spectral_noise(rng, n, n, 2.8))
    colour = blend(colour, (245, 240, 225), 0.7 * frost)
    # Volcanic vents: small dark spots, some with a halo of orange fallout.
    for _ in range(70):
        cy, cx = rng.uniform(10, n - 10), rng.uniform(0, n)
        radius = rng.uniform(1.2, 4.0)
        d = np.hypot(wrapped_dx(x, cx, n), y - cy) / radius
        if rng.random() < 0.35:
            colour = blend(colour, (200, 100, 30), 0.5 * smoothstep(3.5, 1.0, d))
        colour = blend(colour, (50, 30, 15), smoothstep(1.0, 0.4, d))
    # One great plume's ring of red deposits.
    cy, cx = 0.58 * n, 0.70 * n
    d = np.hypot(wrapped_dx(x, cx, n), y - cy) / 20.0
    colour = blend(colour, (215, 75, 30), 0.85 * np.exp(-((d - 1.0) / 0.13) ** 2))
    colour = blend(colour, (40, 25, 15), smoothstep(0.2, 0.08, d))
    return fit_mean(shrink(colour, 128, 128), (170, 142, 80))


def make_ganymede_like(rng):
    n = 256
    regions = spectral_noise(rng, n, n, 3.3)
    level = np.quantile(regions, 0.65)
    dark = smoothstep(level - 0.02, level + 0.04, regions)  # the large old dark terrain
    grooves = spectral_noise(rng, n, n, 1.2, stretch_x=0.3)
    light = 175.0 + 25.0 * (grooves - 0.5)
    field = light * (1.0 - dark) + (95.0 + 20.0 * spectral_noise(rng, n, n, 2.0)) * dark
    field += 40.0 * np.clip(craters((n, n), rng, 40, (1.5, 5.0), depth=-1.0, rim=0.0), 0.0, 1.0)
    return fit_mean(grey(shrink(field, 128, 128)), (139, 139, 139))


def make_callisto_like(rng):
    n = 256
    y, x = grid(n, n)
    field = 90.0 + 30.0 * spectral_noise(rng, n, n, 2.6)
    # Dense fresh craters whose bright ejecta freckle the dark crust.
    for _ in range(500):
        cy, cx = rng.uniform(0, n), rng.uniform(0, n)
        radius = rng.uniform(0.8, 3.2)
        d = np.hypot(wrapped_dx(x, cx, n), y - cy) / radius
        field = np.maximum(field, 90.0 + rng.uniform(80, 160) * smoothstep(1.0, 0.2, d))
    return fit_mean(grey(shrink(field, 128, 128)), (115, 115, 115))


def make_europa_like(rng):
    n = 256
    y, x = grid(n, n)
    field = 185.0 + 25.0 * spectral_noise(rng, n, n, 2.2)
    # Long dark cracks, each a gently wandering curve that wraps east-west.
    for _ in range(30):
        cy = rng.uniform(20, n - 20)
        tilt = rng.uniform(-0.35, 0.35)
        amp = rng.uniform(2, 12)
        freq = rng.integers(1, 3)
        phase = rng.uniform(0, 2 * math.pi)
        start = rng.uniform(0, n)
        length = rng.uniform(0.3, 1.0) * n
        along = (x - start) % n
        centre = cy + tilt * (along - length / 2) + amp * np.sin(along / n * 2 * math.pi * freq + phase)
        width = rng.uniform(0.7, 1.7)
        line = np.exp(-((y - centre) / width) ** 2) * (along < length)
        field -= rng.uniform(60, 110) * line
    return fit_mean(grey(shrink(np.clip(field, 0, 255), 128, 128)), (169, 169, 169))


def make_uranus_moon(rng):
    n = 256
    y, x = grid(n, n)
    rock = 0.65 * spectral_noise(rng, n, n, 3.0) + 0.35 * spectral_noise(rng, n, n, 2.0)
    field = 90.0 + 70.0 * rock + 25.0 * craters((n, n), rng, 50, (2.0, 12.0), depth=0.5, rim=0.4)
    d = np.hypot(wrapped_dx(x, 0.4 * n, n), y - 0.55 * n) / 26.0
    field = field * (1.0 - 0.6 * smoothstep(1.0, 0.7, d)) + 30.0 * np.exp(-((d - 1.05) / 0.12) ** 2)
    # Blurred on purpose: the only pictures of it are fuzzy.
    small = shrink(field, 48, 48)
    soft = np.asarray(Image.fromarray(small.astype(np.float32), "F").resize((128, 128), Image.BICUBIC),
                      dtype=np.float64)
    return fit_mean(grey(soft), (122, 122, 122))


def make_saturn_ring(rng):
    n = 512  # drawn at twice the size, so the finest ringlets average out smoothly
    half = n / 2.0
    y, x = grid(n, n)
    r = np.hypot(x - half, y - half) / half
    # One radial profile: ringlets a pixel or two wide over broader bands,
    # with a dark division about two thirds of the way out.
    samples = 4096
    radii = (np.arange(samples) + 0.5) / samples
    fine = np.convolve(rng.random(samples), np.ones(40) / 40, mode="same")
    broad = np.convolve(rng.random(samples), np.ones(160) / 160, mode="same")
    profile = (0.45 + 0.55 * (fine - fine.min()) / (fine.max() - fine.min())) \
        * (0.6 + 0.4 * (broad - broad.min()) / (broad.max() - broad.min()))
    profile *= 1.0 - 0.9 * np.exp(-((radii - 0.78) / 0.012) ** 2)
    profile *= 0.8 + 0.2 * smoothstep(0.50, 0.58, radii)  # the fainter inner edge
    profile *= smoothstep(0.47, 0.50, radii) * smoothstep(0.905, 0.885, radii)
    field = np.interp(r, radii, profile) * 255.0
    field[(r <= 0.47) | (r >= 0.905)] = 0.0
    return fit_mean(grey(shrink(field, 256, 256)), (48, 48, 48))


# ---------------------------------------------------------------- icon

ICON_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, GREY, YELLOW, WHITE = 0, 3, 8, 11, 15


def make_icon(rng):
    size = 32
    y, x = grid(size, size)
    indices = np.full((size, size), BLACK, dtype=np.uint8)
    for _ in range(14):
        sy, sx = rng.integers(0, size, 2)
        indices[sy, sx] = WHITE if rng.random() < 0.6 else GREY
    cy, cx = 17.0, 15.0
    d = np.hypot(x - cx, y - cy)
    indices[(d > 6.0) & (d <= 7.5)] = OLIVE  # a dim rim so the disc looks round at 32 pixels
    indices[d <= 6.0] = YELLOW
    return indices


# ---------------------------------------------------------------- main

PICTURES = [
    ("sun_glow.bmp", lambda rng: make_sun_glow()),
    ("sun_mask.bmp", lambda rng: make_sun_mask()),
    ("mercury.bmp", make_mercury),
    ("venus.bmp", make_venus),
    ("earth.bmp", make_earth),
    ("mars.bmp", make_mars),
    ("jupiter.bmp", make_jupiter),
    ("saturn.bmp", make_saturn),
    ("uranus.bmp", make_uranus),
    ("neptune.bmp", make_neptune),
    ("pluto.bmp", make_pluto),
    ("moon.bmp", lambda rng: make_moon()),
    ("jupiter_moon1.bmp", make_io),
    ("jupiter_moon2.bmp", make_ganymede_like),
    ("jupiter_moon3.bmp", make_callisto_like),
    ("jupiter_moon4.bmp", make_europa_like),
    ("uranus_moon.bmp", make_uranus_moon),
    ("saturn_ring.bmp", make_saturn_ring),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "renderer", "pictures")
    os.makedirs(out, exist_ok=True)
    for seed, (name, make) in enumerate(PICTURES, start=1):
        # Each picture has its own seed, so changing one leaves the others alone.
        rgb = make(np.random.default_rng(7000 + seed))
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp_bytes(rgb))
        mean = rgb.reshape(-1, 3).mean(axis=0)
        print("%-18s %3dx%-3d mean %5.1f %5.1f %5.1f" % (name, rgb.shape[1], rgb.shape[0], *mean))
    with open(os.path.join(out, "renderer.ico"), "wb") as f:
        f.write(icon_bytes(make_icon(np.random.default_rng(7100)), ICON_PALETTE))
    print("renderer.ico")


if __name__ == "__main__":
    main()
