#!/usr/bin/python3
"""Draws the settings dialog's pictures: the six Command button state images,
the brushed-metal strip, the two choice boxes and the pointing-hand cursor.

Run by hand from anywhere; the results go to host/pictures/ (or the folder given
as the only argument) and are committed. Everything is drawn from fixed colour
tables and a fixed seed, so running it twice gives the same bytes. Needs
Debian's python3 with python3-numpy.

Only the outer four pixels of each button image are ever copied onto a face, so
only those rings are drawn with care; the centre is a plain fill.
"""

import struct

import numpy as np

from make_host_pictures import bmp_24bit, write_outputs

BUTTON_WIDTH = 64
BUTTON_HEIGHT = 25

STRIP_WIDTH = 556
STRIP_HEIGHT = 20
STRIP_SEED = 19970412

BOX_SIZE = 12

CURSOR_SIZE = 32
CURSOR_HOTSPOT = (12, 10)   # x, y: the tip of the index finger

# ---------------------------------------------------------------------------
# Button state images

# The dialog-background tones the outermost ring blends into, per side.
BACKGROUND_TONES = {"top": (224, 220, 201), "left": (226, 222, 203),
                    "right": (240, 238, 224), "bottom": (248, 247, 240)}
BORDER = (0, 60, 116)
CENTRE_FILL = (236, 235, 230)


def ramp(top, bottom, height=BUTTON_HEIGHT):
    """One colour per row, straight from top to bottom."""
    t = np.linspace(0.0, 1.0, height)[:, None]
    return np.round(np.array(top) * (1 - t) + np.array(bottom) * t).astype(int)


def paint_ring(image, ring, top, bottom, left, right):
    """Ring `ring` counted inward from the edge. Top and bottom rows run the
    full width of the ring; left and right are either one colour or a ramp
    with one colour per image row."""
    h, w, _ = image.shape
    first, last_x, last_y = ring, w - 1 - ring, h - 1 - ring
    for y in range(first + 1, last_y):
        image[y, first] = left[y] if np.ndim(left) == 2 else left
        image[y, last_x] = right[y] if np.ndim(right) == 2 else right
    image[first, first:last_x + 1] = top
    image[last_y, first:last_x + 1] = bottom


def round_corners(image, ring, outer_tone, near, next_):
    """Softens the four corners of a one-pixel border line on `ring`: the corner
    pixel takes the tone outside the line, and the two pixels after it along
    the line blend from that tone towards the line's colour."""
    h, w, _ = image.shape
    corners = [(ring, ring, 1, 1, "top"), (ring, w - 1 - ring, 1, -1, "top"),
               (h - 1 - ring, ring, -1, 1, "bottom"), (h - 1 - ring, w - 1 - ring, -1, -1, "bottom")]
    for y, x, dy, dx, side in corners:
        image[y, x] = outer_tone[side] if isinstance(outer_tone, dict) else outer_tone
        for step, colour in ((1, near), (2, next_)):
            image[y, x + dx * step] = colour
            image[y + dy * step, x] = colour


def blank_button():
    image = np.zeros((BUTTON_HEIGHT, BUTTON_WIDTH, 3), dtype=int)
    image[:, :] = CENTRE_FILL
    return image


def raised_outline(image):
    """Rings 0 and 1 shared by Normal, HighLight and Selected."""
    t = BACKGROUND_TONES
    paint_ring(image, 0, t["top"], t["bottom"], t["left"], t["right"])
    paint_ring(image, 1, BORDER, BORDER, BORDER, BORDER)
    round_corners(image, 1, BACKGROUND_TONES, (122, 149, 168), (37, 87, 131))


def draw_normal():
    image = blank_button()
    raised_outline(image)
    left = ramp((253, 253, 252), (236, 235, 230))
    right = ramp((251, 251, 250), (224, 221, 212))
    paint_ring(image, 2, (243, 243, 238), (214, 208, 197), left, right)
    paint_ring(image, 3, (243, 243, 238), (226, 223, 214), left, right)
    return image


def draw_highlight():
    image = blank_button()
    raised_outline(image)
    paint_ring(image, 2, (255, 240, 207), (229, 151, 0),
               ramp((254, 223, 154), (249, 180, 53)), ramp((254, 223, 154), (249, 180, 53)))
    paint_ring(image, 3, (253, 216, 137), (248, 178, 48),
               ramp((252, 210, 121), (249, 180, 53)), ramp((252, 210, 121), (249, 180, 53)))
    return image


def draw_selected():
    image = blank_button()
    raised_outline(image)
    sides = ramp((183, 208, 244), (139, 173, 228))
    paint_ring(image, 2, (206, 231, 255), (105, 130, 238), sides, sides)
    paint_ring(image, 3, (177, 204, 242), (105, 130, 238), sides, sides)
    return image


def draw_pressed():
    # The same outline one pixel further in, with the inside sunk instead of raised.
    image = blank_button()
    outer = (236, 233, 216)
    t = BACKGROUND_TONES
    paint_ring(image, 0, outer, outer, outer, outer)
    paint_ring(image, 1, t["top"], t["bottom"], t["left"], t["right"])
    paint_ring(image, 2, BORDER, BORDER, BORDER, BORDER)
    round_corners(image, 2, BACKGROUND_TONES, (22, 77, 126), (37, 87, 131))
    paint_ring(image, 3, (209, 204, 192), (242, 241, 238), (215, 212, 202), (228, 227, 220))
    return image


def draw_disable():
    image = blank_button()
    outer = (236, 233, 216)
    grey = (201, 199, 186)
    inner = (245, 244, 234)
    paint_ring(image, 0, outer, outer, outer, outer)
    paint_ring(image, 1, grey, grey, grey, grey)
    round_corners(image, 1, outer, (218, 216, 201), (208, 206, 192))
    paint_ring(image, 2, inner, inner, inner, inner)
    paint_ring(image, 3, inner, inner, inner, inner)
    image[4:-4, 4:-4] = inner
    return image


# ---------------------------------------------------------------------------
# The brushed-metal strip and the choice boxes


def draw_strip():
    """Light grey with fine horizontal streaks: noise that changes quickly from
    row to row but is smeared out along each row."""
    rng = np.random.default_rng(STRIP_SEED)
    noise = rng.normal(0.0, 1.0, (STRIP_HEIGHT, STRIP_WIDTH + 64))
    # A long box blur along x turns the noise into streaks; wrap so the strip tiles.
    kernel = np.ones(48) / 48.0
    streaks = np.array([np.convolve(row, kernel, mode="same") for row in noise])[:, 32:32 + STRIP_WIDTH]
    row_tone = rng.normal(0.0, 1.0, (STRIP_HEIGHT, 1))
    value = 206.0 + 10.0 * row_tone + 30.0 * streaks
    value = np.clip(value, 175.0, 235.0)
    # A faint cool cast, like polished aluminium.
    rgb = np.stack([value - 2.0, value, value + 4.0], axis=-1)
    return np.round(np.clip(rgb, 0, 255)).astype(np.uint8)


def draw_box(fill_top, fill_bottom, frame):
    image = np.zeros((BOX_SIZE, BOX_SIZE, 3), dtype=int)
    image[:, :] = frame
    inside = ramp(fill_top, fill_bottom, BOX_SIZE - 2)
    image[1:-1, 1:-1] = inside[:, None, :]
    return image


def draw_box_empty():
    return draw_box((255, 255, 255), (236, 236, 232), (96, 96, 96))


def draw_box_marked():
    return draw_box((92, 140, 240), (24, 72, 200), (24, 28, 48))


# ---------------------------------------------------------------------------
# The pointing-hand cursor


def hand_shape():
    """True where the hand is; drawn as rectangles on a 32 x 32 grid, y down."""
    shape = np.zeros((CURSOR_SIZE, CURSOR_SIZE), dtype=bool)

    def block(x0, x1, y0, y1):   # inclusive bounds
        shape[y0:y1 + 1, x0:x1 + 1] = True

    hx, hy = CURSOR_HOTSPOT
    block(hx - 1, hx + 2, hy + 1, 22)        # index finger
    block(hx, hx + 1, hy, hy)                # its rounded tip holds the hot spot
    block(hx + 3, hx + 5, 15, 22)            # middle finger
    block(hx + 6, hx + 8, 16, 22)            # ring finger
    block(hx + 9, hx + 11, 17, 22)           # little finger
    block(hx - 5, hx - 2, 20, 23)            # thumb
    block(hx - 3, hx - 2, 19, 19)
    block(hx - 3, hx + 11, 22, 28)           # palm
    block(hx - 1, hx + 10, 29, 30)           # heel of the hand
    return shape


def draw_hand():
    """Returns (white, opaque) masks: white fill inside a black outline."""
    shape = hand_shape()
    grown = shape.copy()
    for dy, dx in ((-1, 0), (1, 0), (0, -1), (0, 1)):
        grown |= np.roll(np.roll(shape, dy, axis=0), dx, axis=1)
    white = shape.copy()
    hx, _ = CURSOR_HOTSPOT
    # Lines between the fingers, down to the palm.
    for x, top in ((hx + 3, 16), (hx + 6, 17), (hx + 9, 18)):
        white[top:22, x] = False
    return white, grown


def cur_file(white, opaque, hotspot):
    """A two-colour cursor: black and white with an AND mask, the kind every
    Windows version loads at its own size."""
    height, width = white.shape
    row_bytes = ((width + 31) // 32) * 4

    def rows(bits):
        out = []
        for y in range(height - 1, -1, -1):
            padded = np.zeros(row_bytes * 8, dtype=np.uint8)
            padded[:width] = bits[y]
            out.append(np.packbits(padded).tobytes())
        return b"".join(out)

    xor = rows(white & opaque)
    mask = rows(~opaque)
    palette = struct.pack("<4B4B", 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 1, 0,
                         len(xor) + len(mask), 0, 0, 2, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", width, height, 2, 0, hotspot[0], hotspot[1],
                        len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------------------------


def as_bytes(image):
    return bmp_24bit(np.clip(image, 0, 255).astype(np.uint8))


def main():
    highlight = as_bytes(draw_highlight())
    write_outputs({
        "button_normal.bmp": as_bytes(draw_normal()),
        "button_highlight.bmp": highlight,
        "button_pressed.bmp": as_bytes(draw_pressed()),
        "button_disable.bmp": as_bytes(draw_disable()),
        "button_selected.bmp": as_bytes(draw_selected()),
        "button_highlightselect.bmp": highlight,   # the two faces are the same picture
        "strip.bmp": as_bytes(draw_strip()),
        "box_empty.bmp": as_bytes(draw_box_empty()),
        "box_marked.bmp": as_bytes(draw_box_marked()),
        "hand.cur": cur_file(*draw_hand(), CURSOR_HOTSPOT),
    })


if __name__ == "__main__":
    main()
