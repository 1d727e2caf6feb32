"""Makes the four picture resources of VARLO.EXE as palette PNG files:
resources/title.png (101), keys_narrow.png (102), keys_wide.png (103), middle_c.png (104).

Run from anywhere: python3 tools/make_pictures.py [output folder]
(the default output folder is resources/ of this repository).
    python3 tools/make_pictures.py --check
makes the pictures twice in memory and exits 0 when both runs agree and match the
files in resources/, 1 otherwise (CTest runs this when Pillow is installed).

The output is the same byte for byte on every run: the PNG files are written here
(signature, IHDR, PLTE, IDAT, IEND, zlib level 9, no time or text chunks). The
keyboard octaves and the clef picture are computed in plain Python; the title picture
needs Pillow (Debian package python3-pil) to draw its letters and shapes; its palette
is chosen here. Only this generator needs Pillow, the build does not.
"""

import math
import os
import re
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Fixed font files, so that every run draws the same letters.
TITLE_FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"      # IPAPGothic
SMALL_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"          # DejaVu Sans

# The four pictures: file name and resource id (resources/resource.h).
TITLE_FILE = "title.png"            # IDP_TITLE 101
KEYS_NARROW_FILE = "keys_narrow.png"  # IDP_KEYS_NARROW 102
KEYS_WIDE_FILE = "keys_wide.png"    # IDP_KEYS_WIDE 103
MIDDLE_C_FILE = "middle_c.png"      # IDP_MIDDLE_C 104

# The decoder takes the image data one IDAT chunk at a time; none is larger than this.
IDAT_LIMIT = 8192
IDAT_TAIL = 64


# ---------------------------------------------------------------------------
# PNG writing

def chunk(kind, data):
    """One PNG chunk: length, type, data, CRC of type and data."""
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def pack_row(indexes, bit_depth):
    """Packs palette indexes into bytes, the first pixel in the most significant bits."""
    if bit_depth == 8:
        return bytes(indexes)
    per_byte = 8 // bit_depth
    out = bytearray()
    for start in range(0, len(indexes), per_byte):
        value = 0
        group = indexes[start:start + per_byte]
        for i in range(per_byte):
            value <<= bit_depth
            if i < len(group):
                value |= group[i]
        out.append(value)
    return bytes(out)


def idat_pieces(data):
    """Cuts the zlib stream into IDAT pieces of at most IDAT_LIMIT bytes. The decoder
    takes the next piece only while rows are still missing, so the last piece must
    hold more than the stream's end (end-of-block code and Adler-32 trailer): a short
    remainder takes IDAT_TAIL bytes over from the piece before it."""
    pieces = [data[start:start + IDAT_LIMIT] for start in range(0, len(data), IDAT_LIMIT)]
    if len(pieces) > 1 and len(pieces[-1]) < IDAT_TAIL:
        moved = IDAT_TAIL - len(pieces[-1])
        pieces[-2], pieces[-1] = pieces[-2][:-moved], pieces[-2][-moved:] + pieces[-1]
    return pieces


def png_file(width, height, bit_depth, palette, pixels):
    """A whole palette PNG (colour type 3, not interlaced, filter type 0 on every row).

    `palette` is a list of (red, green, blue); `pixels` holds height rows of width
    palette indexes, top row first."""
    if len(palette) > (1 << bit_depth):
        raise ValueError("%d palette entries do not fit %d bits" % (len(palette), bit_depth))
    if len(pixels) != height or any(len(row) != width for row in pixels):
        raise ValueError("the pixel rows do not match %d x %d" % (width, height))
    if any(value >= len(palette) for row in pixels for value in row):
        raise ValueError("a pixel names a palette entry that does not exist")
    raw = b"".join(b"\0" + pack_row(row, bit_depth) for row in pixels)
    data = zlib.compress(raw, 9)
    header = struct.pack(">IIBBBBB", width, height, bit_depth, 3, 0, 0, 0)
    out = [b"\x89PNG\r\n\x1a\n", chunk(b"IHDR", header),
           chunk(b"PLTE", b"".join(bytes(colour) for colour in palette))]
    for piece in idat_pieces(data):
        out.append(chunk(b"IDAT", piece))
    out.append(chunk(b"IEND", b""))
    return b"".join(out)


# ---------------------------------------------------------------------------
# Keyboard octaves (102 narrow, 103 wide): seven white keys and five black keys,
# outlined in black, the black keys' last row grey at their edges.

KEY_BLACK, KEY_GREY, KEY_WHITE = 0, 1, 2
KEY_PALETTE = [(0, 0, 0), (192, 192, 192), (255, 255, 255),
               (0, 0, 0)]  # the fourth entry is never used; black like entry 0

KEY_HEIGHT = 76
BLACK_KEY_LAST_ROW = 48   # the black keys fill rows 1..48
BLACK_KEY_EDGE_ROW = 49   # their grey-edged bottom row


def octave_pixels(pitch, black_left, black_right):
    """One octave of keys: 7 white keys `pitch` pixels apart with a closing border
    column (width 7 * pitch + 1). The black key right of white key w covers the
    columns pitch * w + black_left .. pitch * w + black_right."""
    width = 7 * pitch + 1
    black_keys = [(pitch * w + black_left, pitch * w + black_right) for w in (0, 1, 3, 4, 5)]
    # Between E and F and at both ends no black key hides the line between white keys.
    open_lines = (0, 3 * pitch, 7 * pitch)
    rows = []
    for y in range(KEY_HEIGHT):
        row = []
        for x in range(width):
            in_black = any(left <= x <= right for left, right in black_keys)
            if y == 0 or y == KEY_HEIGHT - 1:
                value = KEY_BLACK
            elif y <= BLACK_KEY_LAST_ROW:
                value = KEY_BLACK if in_black or x in open_lines else KEY_WHITE
            elif y == BLACK_KEY_EDGE_ROW:
                if any(x in (left, right) for left, right in black_keys):
                    value = KEY_GREY
                elif in_black or x in open_lines:
                    value = KEY_BLACK
                else:
                    value = KEY_WHITE
            else:
                value = KEY_BLACK if x % pitch == 0 else KEY_WHITE
            row.append(value)
        rows.append(row)
    return width, rows


def keys_narrow_png():
    width, rows = octave_pixels(15, 11, 19)
    return png_file(width, KEY_HEIGHT, 2, KEY_PALETTE, rows)


def keys_wide_png():
    width, rows = octave_pixels(30, 21, 38)
    return png_file(width, KEY_HEIGHT, 2, KEY_PALETTE, rows)


# ---------------------------------------------------------------------------
# Middle C (104): a treble clef on a five-line staff and the note middle C on its
# ledger line, 60 x 60 on black. Shapes are rendered on an 8 x 8 sub-pixel grid;
# the share of covered sub-pixels picks one of the colour's shades.

CLEF_SIZE = 60
SUBPIXELS = 8
STAFF_COLOUR = (24, 165, 181)
NOTE_COLOUR = (255, 140, 132)
STAFF_SHADES = 8   # entries 1..8: the staff colour at 1/8 .. 8/8 strength
NOTE_SHADES = 7    # entries 9..15: the note colour at 1/7 .. 7/7 strength
STAFF_ROWS = (16, 23, 30, 37, 44)
LEDGER_ROW, LEDGER_LEFT, LEDGER_RIGHT = 51, 33, 45
STEM_COLUMN, STEM_TOP, STEM_BOTTOM = 43, 25, 47
HEAD_LEFT, HEAD_TOP, HEAD_RIGHT, HEAD_BOTTOM = 35, 48, 43, 55
CLEF_LEFT, CLEF_TOP, CLEF_RIGHT, CLEF_BOTTOM = 4, 3, 42, 57


def shade(colour, level, levels):
    return tuple(int(round(c * level / levels)) for c in colour)


MIDDLE_C_PALETTE = ([(0, 0, 0)]
                    + [shade(STAFF_COLOUR, k, STAFF_SHADES) for k in range(1, STAFF_SHADES + 1)]
                    + [shade(NOTE_COLOUR, k, NOTE_SHADES) for k in range(1, NOTE_SHADES + 1)])


class Coverage:
    """A sub-pixel mask of a CLEF_SIZE square picture."""

    def __init__(self):
        self.size = CLEF_SIZE * SUBPIXELS
        self.rows = [bytearray(self.size) for _ in range(self.size)]

    def span(self, sub_y, x0, x1):
        """Sets sub-pixels x0..x1 - 1 of sub-pixel row sub_y, clipped to the picture."""
        if 0 <= sub_y < self.size:
            x0, x1 = max(0, x0), min(self.size, x1)
            if x0 < x1:
                self.rows[sub_y][x0:x1] = b"\1" * (x1 - x0)

    def fill(self, inside, left, top, right, bottom):
        """Sets every sub-pixel whose centre (in picture pixels) satisfies inside(x, y),
        looked for within the box left..right, top..bottom."""
        s = SUBPIXELS
        for sub_y in range(max(0, int(top * s)), min(self.size, int(math.ceil(bottom * s)))):
            y = (sub_y + 0.5) / s
            run = None
            for sub_x in range(max(0, int(left * s)), min(self.size, int(math.ceil(right * s))) + 1):
                hit = sub_x < self.size and inside((sub_x + 0.5) / s, y)
                if hit and run is None:
                    run = sub_x
                elif not hit and run is not None:
                    self.span(sub_y, run, sub_x)
                    run = None

    def disc(self, cx, cy, radius):
        s = SUBPIXELS
        for sub_y in range(int((cy - radius) * s) - 1, int((cy + radius) * s) + 2):
            dy = (sub_y + 0.5) / s - cy
            if abs(dy) <= radius:
                half = math.sqrt(radius * radius - dy * dy)
                self.span(sub_y, int(math.ceil((cx - half) * s - 0.5)),
                          int(math.floor((cx + half) * s - 0.5)) + 1)

    def rectangle(self, left, top, right, bottom):
        """Whole pixels left..right - 1, top..bottom - 1."""
        s = SUBPIXELS
        for sub_y in range(top * s, bottom * s):
            self.span(sub_y, left * s, right * s)

    def level(self, x, y, levels):
        """Share of the pixel (x, y) that is covered, as 0..levels."""
        s = SUBPIXELS
        count = sum(sum(self.rows[y * s + j][x * s:(x + 1) * s]) for j in range(s))
        return int(count * levels / (s * s) + 0.5)


def catmull_rom(points, steps_per_pixel=6):
    """Samples the Catmull-Rom spline through `points` (x, y, pen radius)."""
    out = []
    padded = [points[0]] + list(points) + [points[-1]]
    for i in range(1, len(padded) - 2):
        p0, p1, p2, p3 = padded[i - 1], padded[i], padded[i + 1], padded[i + 2]
        length = math.hypot(p2[0] - p1[0], p2[1] - p1[1])
        steps = max(2, int(length * steps_per_pixel))
        for step in range(steps):
            t = step / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2
                       + (-a + 3 * b - 3 * c + d) * t3)
                for a, b, c, d in zip(p0, p1, p2, p3)))
    out.append(points[-1])
    return out


# The clef as one pen stroke (x, y, pen radius in pixels), drawn as it is written:
# from the centre of the curl around the G line (row 37) out and round, up across
# the stem into the loop above the staff, down the stem and into the tail's ball.
CLEF_STROKE = (
    (17.6, 37.4, 0.75),
    (19.4, 34.6, 0.8),
    (17.6, 31.6, 0.95),
    (13.6, 32.0, 1.3),
    (10.6, 35.2, 1.65),
    (10.2, 39.6, 1.75),
    (12.6, 43.2, 1.55),
    (17.0, 44.8, 1.2),
    (21.6, 43.4, 1.1),
    (24.4, 39.6, 1.35),
    (24.2, 34.6, 1.5),
    (21.6, 30.6, 1.35),
    (18.0, 27.6, 1.2),
    (14.4, 23.6, 1.2),
    (12.6, 18.2, 1.15),
    (13.4, 12.0, 1.0),
    (16.2, 7.0, 0.9),
    (19.2, 4.4, 0.8),
    (21.0, 6.2, 0.75),
    (20.8, 10.6, 0.8),
    (19.4, 15.6, 0.8),
    (18.2, 22.0, 0.75),
    (17.4, 30.0, 0.75),
    (17.2, 40.0, 0.75),
    (17.4, 48.0, 0.8),
    (17.0, 53.0, 0.85),
    (14.8, 55.6, 0.85),
    (11.8, 55.4, 0.85),
)
CLEF_BALL = (12.4, 53.2, 2.5)   # centre x, y and radius of the ball at the tail's end

# Note head: an ellipse tilted up to the right, fitted into its columns and rows.
HEAD_CENTRE = ((HEAD_LEFT + HEAD_RIGHT + 1) / 2, (HEAD_TOP + HEAD_BOTTOM + 1) / 2)
HEAD_RADII = (4.6, 3.3)
HEAD_TILT = math.radians(22)


def inside_head(x, y):
    dx, dy = x - HEAD_CENTRE[0], y - HEAD_CENTRE[1]
    c, s = math.cos(HEAD_TILT), math.sin(HEAD_TILT)
    u = dx * c - dy * s      # along the head (up to the right on the screen)
    v = dx * s + dy * c
    return (u / HEAD_RADII[0]) ** 2 + (v / HEAD_RADII[1]) ** 2 <= 1.0


def middle_c_pixels():
    staff = Coverage()
    for x, y, radius in catmull_rom(CLEF_STROKE):
        staff.disc(x, y, radius)
    staff.disc(*CLEF_BALL)
    note = Coverage()
    note.fill(inside_head, HEAD_LEFT, HEAD_TOP, HEAD_RIGHT + 1, HEAD_BOTTOM + 1)
    note.rectangle(STEM_COLUMN, STEM_TOP, STEM_COLUMN + 1, STEM_BOTTOM + 1)
    note.rectangle(LEDGER_LEFT, LEDGER_ROW, LEDGER_RIGHT + 1, LEDGER_ROW + 1)
    rows = []
    for y in range(CLEF_SIZE):
        row = []
        for x in range(CLEF_SIZE):
            note_level = note.level(x, y, NOTE_SHADES)
            if y in STAFF_ROWS:
                staff_level = STAFF_SHADES
            elif CLEF_LEFT <= x <= CLEF_RIGHT and CLEF_TOP <= y <= CLEF_BOTTOM:
                staff_level = staff.level(x, y, STAFF_SHADES)
            else:
                staff_level = 0
            # The note lies over the staff; a pixel the note only touches keeps the
            # staff's colour if that is the stronger one.
            if note_level and note_level / NOTE_SHADES >= staff_level / STAFF_SHADES:
                row.append(STAFF_SHADES + note_level)
            else:
                row.append(staff_level)
        rows.append(row)
    return rows


def middle_c_png():
    return png_file(CLEF_SIZE, CLEF_SIZE, 4, MIDDLE_C_PALETTE, middle_c_pixels())


# ---------------------------------------------------------------------------
# Title picture (101), 630 x 250: the product name in large red letters across the
# upper half on black, a piano keyboard seen in perspective below it with coloured
# notes floating above, the version at the bottom left (project()'s in CMakeLists.txt:
# a new version needs the picture made anew, which pictures_are_current reminds of) and
# the copyright line at the bottom right. Drawn at three times the size and reduced,
# then mapped to a palette of 256 colours without dithering.

TITLE_WIDTH, TITLE_HEIGHT = 630, 250
SCALE = 3
PRODUCT_NAME = "ヴァルロ"


def version_text():
    """The About box's version line for the version of project() in CMakeLists.txt:
    the minor and patch numbers as two digits after the point (1.0.2 is "Version 1.02")."""
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        found = re.search(r"^project\(varlo VERSION (\d+)\.(\d)\.(\d)\b", cmake.read(), re.M)
    if not found:
        sys.exit("CMakeLists.txt: no project(varlo VERSION X.Y.Z) with one-digit Y and Z")
    return "Version %s.%s%s" % found.groups()


VERSION_TEXT = version_text()
COPYRIGHT_TEXT = "\u00a9 2026 Varlo Team"   # the About box's copyright line


def load_pillow():
    try:
        from PIL import Image, ImageDraw, ImageFilter, ImageFont, ImageChops
    except ImportError:
        sys.exit("tools/make_pictures.py: the title picture needs Pillow "
                 "(Debian package python3-pil: apt-get install python3-pil)")
    return Image, ImageDraw, ImageFilter, ImageFont, ImageChops


def font(ImageFont, path, size):
    if not os.path.isfile(path):
        sys.exit("tools/make_pictures.py: font file %s is missing" % path)
    return ImageFont.truetype(path, size)


class Camera:
    """Perspective view of the keyboard. World units: a white key is 1 wide and
    KEY_LENGTH long; x runs along the keyboard, y up, z away from the player."""

    def __init__(self, eye, target, fit_left, fit_right):
        self.eye = eye
        forward = [t - e for t, e in zip(target, eye)]
        norm = math.sqrt(sum(f * f for f in forward))
        self.forward = [f / norm for f in forward]
        self.right = (1.0, 0.0, 0.0)
        f = self.forward
        self.up = (0.0, f[2], -f[1])   # right x forward, for a camera that only tilts
        # Scale and shift so that two chosen world points land on two screen points.
        (pa, sa), (pb, sb) = fit_left, fit_right
        ra, rb = self.raw(pa), self.raw(pb)
        self.scale = (sb[0] - sa[0]) / (rb[0] - ra[0])
        self.shift = (sa[0] - ra[0] * self.scale, sa[1] + ra[1] * self.scale)

    def raw(self, point):
        d = [p - e for p, e in zip(point, self.eye)]
        depth = sum(a * b for a, b in zip(d, self.forward))
        return (sum(a * b for a, b in zip(d, self.right)) / depth,
                sum(a * b for a, b in zip(d, self.up)) / depth)

    def __call__(self, point):
        """Screen position at picture scale (1 = one pixel of the final picture)."""
        x, y = self.raw(point)
        return (self.shift[0] + x * self.scale, self.shift[1] - y * self.scale)


WHITE_KEYS = 22          # three octaves from C and the closing C
KEY_LENGTH = 6.0
BOARD_HEIGHT = 0.8      # the fallboard behind the keys
BLACK_FRONT = 2.4        # z of the black keys' front faces
BLACK_WIDTH = 0.56
BLACK_HEIGHT = 0.42
KEY_DEPTH = 0.32         # height of the white keys' front faces
# Centres of the five black keys of an octave, in white-key units from its C.
BLACK_CENTRES = (0.92, 2.08, 3.88, 5.0, 6.12)
# Keys lit as the game shows the notes of a question after judging.
GREEN_KEYS = {7, 9, 11}          # C, E, G of the middle octave (white key indexes)
KEY_GREEN = (51, 255, 102)


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


class Painter:
    """Draws into an RGB picture at SCALE times the final size; coordinates are
    given in final-picture pixels."""

    def __init__(self, pil):
        self.Image, self.ImageDraw, self.ImageFilter, self.ImageFont, self.ImageChops = pil
        self.size = (TITLE_WIDTH * SCALE, TITLE_HEIGHT * SCALE)
        self.picture = self.Image.new("RGB", self.size, (0, 0, 0))

    def mask(self):
        return self.Image.new("L", self.size, 0)

    def polygon(self, mask, points, value=255):
        self.ImageDraw.Draw(mask).polygon([(x * SCALE, y * SCALE) for x, y in points], fill=value)

    def paint(self, colour, mask, strength=1.0):
        """Lays a colour (an RGB tuple or a picture) over the picture through a mask."""
        if strength != 1.0:
            mask = mask.point(lambda v: int(v * strength + 0.5))
        layer = colour if not isinstance(colour, tuple) else self.Image.new("RGB", self.size, colour)
        self.picture = self.Image.composite(layer, self.picture, mask)

    def vertical_gradient(self, stops):
        """A picture whose colour changes from top to bottom through (y, colour) stops."""
        column = self.Image.new("RGB", (1, self.size[1]))
        pixels = column.load()
        for sy in range(self.size[1]):
            y = (sy + 0.5) / SCALE
            if y <= stops[0][0]:
                colour = stops[0][1]
            elif y >= stops[-1][0]:
                colour = stops[-1][1]
            else:
                for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
                    if y0 <= y <= y1:
                        colour = lerp(c0, c1, (y - y0) / (y1 - y0))
                        break
            pixels[0, sy] = colour
        return column.resize(self.size)

    def blur(self, mask, radius):
        return mask.filter(self.ImageFilter.GaussianBlur(radius * SCALE))

    def final(self):
        return self.picture.reduce(SCALE)


def draw_title_letters(p):
    """The product name: red letters shading from orange-red to deep red, a bright
    rim at their top, a dark red outline and a red glow around them."""
    size = 118
    letters = font(p.ImageFont, TITLE_FONT, size * SCALE)
    tracking = 14
    widths = [letters.getbbox(ch)[2] / SCALE for ch in PRODUCT_NAME]
    total = sum(widths) + tracking * (len(PRODUCT_NAME) - 1)
    x = (TITLE_WIDTH - total) / 2
    top = 4
    shape = p.mask()
    outline = p.mask()
    draw_shape, draw_outline = p.ImageDraw.Draw(shape), p.ImageDraw.Draw(outline)
    for ch, width in zip(PRODUCT_NAME, widths):
        position = (x * SCALE, top * SCALE)
        draw_shape.text(position, ch, font=letters, fill=255, stroke_width=2 * SCALE, stroke_fill=255)
        draw_outline.text(position, ch, font=letters, fill=255, stroke_width=4 * SCALE, stroke_fill=255)
        x += width + tracking
    # A slight forward slant.
    slant = 0.16
    centre_y = 64 * SCALE
    transform = (1, slant, -slant * centre_y, 0, 1, 0)
    shape = shape.transform(p.size, p.Image.AFFINE, transform, resample=p.Image.BICUBIC)
    outline = outline.transform(p.size, p.Image.AFFINE, transform, resample=p.Image.BICUBIC)

    glow = p.blur(outline, 9)
    p.paint((150, 0, 18), glow, 0.85)
    p.paint((255, 40, 30), p.blur(outline, 2.5), 0.35)
    p.paint((70, 0, 8), outline)
    fill = p.vertical_gradient([(14, (255, 150, 110)), (40, (255, 48, 36)),
                                (80, (214, 8, 24)), (112, (120, 0, 14))])
    p.paint(fill, shape)
    # Light from above: the top edges of the strokes shine.
    shifted = p.ImageChops.offset(shape, 0, 2 * SCALE)
    rim = p.ImageChops.subtract(shape, shifted)
    p.paint((255, 215, 190), p.blur(rim, 0.4), 0.8)
    return shape


def draw_keyboard(p):
    """Three octaves seen from the player's seat, the near edge 466 pixels wide."""
    camera = Camera(eye=(WHITE_KEYS / 2, 8.5, -5.0), target=(WHITE_KEYS / 2, 0.0, 4.0),
                    fit_left=((0.0, -KEY_DEPTH, 0.0), (82.0, 226.0)),
                    fit_right=((float(WHITE_KEYS), -KEY_DEPTH, 0.0), (548.0, 226.0)))
    draw_key_bed(p, camera)
    draw_white_keys(p, camera)
    draw_black_keys(p, camera)
    draw_cheek_blocks(p, camera)


def draw_key_bed(p, camera):
    """The key bed, the red felt behind the keys and the black fallboard above it."""
    def quad(*points):
        return [camera(point) for point in points]

    back = KEY_LENGTH + 0.25
    bed = p.mask()
    p.polygon(bed, quad((-0.05, 0, 0), (WHITE_KEYS + 0.05, 0, 0),
                        (WHITE_KEYS + 0.05, 0, back), (-0.05, 0, back)))
    p.paint((26, 26, 30), bed)
    felt = p.mask()
    p.polygon(felt, quad((0, 0.08, KEY_LENGTH), (WHITE_KEYS, 0.08, KEY_LENGTH),
                         (WHITE_KEYS, 0.08, back), (0, 0.08, back)))
    p.paint((150, 10, 30), felt)
    board = p.mask()
    p.polygon(board, quad((-0.6, 0.0, back), (WHITE_KEYS + 0.6, 0.0, back),
                          (WHITE_KEYS + 0.6, BOARD_HEIGHT, back), (-0.6, BOARD_HEIGHT, back)))
    top_board = camera((0, BOARD_HEIGHT, back))[1]
    bottom_board = camera((0, 0.0, back))[1]
    p.paint(p.vertical_gradient([(top_board, (58, 58, 66)), (top_board + 2, (26, 26, 32)),
                                 (bottom_board, (8, 8, 10))]), board)
    edge = p.mask()
    p.polygon(edge, quad((-0.6, BOARD_HEIGHT, back), (WHITE_KEYS + 0.6, BOARD_HEIGHT, back),
                         (WHITE_KEYS + 0.6, BOARD_HEIGHT, back + 0.3), (-0.6, BOARD_HEIGHT, back + 0.3)))
    p.paint((80, 80, 92), edge)


def draw_white_keys(p, camera):
    """Tops shading from grey at the back to white at the front, lit keys in their
    colour, front faces darker."""
    def quad(*points):
        return [camera(point) for point in points]

    far_y, near_y = camera((0, 0, KEY_LENGTH))[1], camera((0, 0, 0))[1]
    gap = 0.035
    plain, green = p.mask(), p.mask()
    fronts, green_fronts = p.mask(), p.mask()
    for k in range(WHITE_KEYS):
        top = quad((k + gap, 0, 0), (k + 1 - gap, 0, 0),
                   (k + 1 - gap, 0, KEY_LENGTH), (k + gap, 0, KEY_LENGTH))
        front = quad((k + gap, 0, 0), (k + 1 - gap, 0, 0),
                     (k + 1 - gap, -KEY_DEPTH, 0), (k + gap, -KEY_DEPTH, 0))
        p.polygon(green if k in GREEN_KEYS else plain, top)
        p.polygon(green_fronts if k in GREEN_KEYS else fronts, front)
    p.paint(p.vertical_gradient([(far_y, (170, 170, 180)), (near_y, (252, 252, 255))]), plain)
    p.paint(p.vertical_gradient([(far_y, lerp(KEY_GREEN, (0, 0, 0), 0.35)), (near_y, KEY_GREEN)]), green)
    front_top = near_y
    front_bottom = camera((0, -KEY_DEPTH, 0))[1]
    p.paint(p.vertical_gradient([(front_top, (205, 205, 215)), (front_bottom, (120, 120, 130))]), fronts)
    p.paint(p.vertical_gradient([(front_top, lerp(KEY_GREEN, (0, 0, 0), 0.2)),
                                 (front_bottom, lerp(KEY_GREEN, (0, 0, 0), 0.55))]), green_fronts)
    # The lit keys glow a little over their neighbours.
    p.paint(KEY_GREEN, p.blur(green, 3), 0.25)


def draw_black_keys(p, camera):
    """A soft shadow on the white keys, then each key's side, front and top."""
    def quad(*points):
        return [camera(point) for point in points]

    centres = [7 * octave + centre for octave in range(3) for centre in BLACK_CENTRES]
    shadow = p.mask()
    for centre in centres:
        left, right = centre - BLACK_WIDTH / 2, centre + BLACK_WIDTH / 2
        p.polygon(shadow, quad((left + 0.12, 0, BLACK_FRONT - 0.35), (right + 0.25, 0, BLACK_FRONT - 0.35),
                               (right + 0.25, 0, KEY_LENGTH), (left + 0.12, 0, KEY_LENGTH)))
    p.paint((40, 40, 48), p.blur(shadow, 1.6), 0.55)

    eye_x = camera.eye[0]
    for centre in centres:
        left, right = centre - BLACK_WIDTH / 2, centre + BLACK_WIDTH / 2
        h = BLACK_HEIGHT
        side_x = right if centre < eye_x else left   # the side that faces the player
        side = p.mask()
        p.polygon(side, quad((side_x, 0, BLACK_FRONT), (side_x, h, BLACK_FRONT + 0.15),
                             (side_x, h, KEY_LENGTH), (side_x, 0, KEY_LENGTH)))
        p.paint((14, 14, 16), side)
        front = p.mask()
        p.polygon(front, quad((left, 0, BLACK_FRONT), (right, 0, BLACK_FRONT),
                              (right, h, BLACK_FRONT + 0.15), (left, h, BLACK_FRONT + 0.15)))
        p.paint((70, 70, 75), front)
        top = p.mask()
        p.polygon(top, quad((left, h, BLACK_FRONT + 0.15), (right, h, BLACK_FRONT + 0.15),
                            (right, h, KEY_LENGTH), (left, h, KEY_LENGTH)))
        key_far = camera((left, h, KEY_LENGTH))[1]
        key_near = camera((left, h, BLACK_FRONT + 0.15))[1]
        stops = [(key_far, (12, 12, 14)), (key_near - 3, (40, 40, 48)), (key_near, (96, 96, 110))]
        p.paint(p.vertical_gradient(stops), top)


def draw_cheek_blocks(p, camera):
    """The blocks at both ends of the keyboard."""
    def quad(*points):
        return [camera(point) for point in points]

    back = KEY_LENGTH + 0.25
    for x0, x1 in ((-0.6, -0.05), (WHITE_KEYS + 0.05, WHITE_KEYS + 0.6)):
        h = 0.5
        inner = x1 if x0 < 0 else x0
        side = p.mask()
        p.polygon(side, quad((inner, -KEY_DEPTH, -0.15), (inner, h, -0.15), (inner, h, back), (inner, -KEY_DEPTH, back)))
        p.paint((22, 22, 26), side)
        front = p.mask()
        p.polygon(front, quad((x0, -KEY_DEPTH, -0.15), (x1, -KEY_DEPTH, -0.15), (x1, h, -0.15), (x0, h, -0.15)))
        p.paint((34, 34, 40), front)
        top = p.mask()
        p.polygon(top, quad((x0, h, -0.15), (x1, h, -0.15), (x1, h, back), (x0, h, back)))
        p.paint(p.vertical_gradient([(camera((x0, h, back))[1], (30, 30, 36)),
                                     (camera((x0, h, -0.15))[1], (84, 84, 96))]), top)


def note_head(p, mask, cx, cy, rx, ry, tilt=-0.38):
    points = []
    for i in range(48):
        a = 2 * math.pi * i / 48
        u, v = rx * math.cos(a), ry * math.sin(a)
        points.append((cx + u * math.cos(tilt) - v * math.sin(tilt),
                       cy + u * math.sin(tilt) + v * math.cos(tilt)))
    p.polygon(mask, points)


def stem(p, mask, x, top, bottom, width):
    p.polygon(mask, [(x - width, top), (x, top), (x, bottom), (x - width, bottom)])


def flag(p, mask, x, top, size):
    """An eighth note's flag hanging from the top of a stem at x."""
    points = []
    for i in range(21):
        t = i / 20
        points.append((x + size * (0.05 + 0.55 * t + 0.1 * math.sin(t * math.pi)),
                       top + size * (0.15 + 1.0 * t * t * 0.9 + 0.5 * t)))
    inner = []
    for i in range(21):
        t = 1 - i / 20
        inner.append((x + size * (0.0 + 0.42 * t + 0.05 * math.sin(t * math.pi)),
                      top + size * (0.55 + 0.8 * t * t * 0.9 + 0.4 * t)))
    p.polygon(mask, [(x - 0.2, top)] + points + inner)


def eighth_note(p, mask, x, y, size):
    """Head centre (x, y); the note is `size` pixels tall."""
    rx, ry = size * 0.19, size * 0.13
    sx = x + rx * 0.9
    note_head(p, mask, x, y, rx, ry)
    stem(p, mask, sx, y - size, y - ry * 0.3, max(1.2, size * 0.045))
    flag(p, mask, sx, y - size, size * 0.55)


def beamed_notes(p, mask, heads, size, beams=1):
    """Notes joined by beams; heads is a list of head centres."""
    rx, ry = size * 0.19, size * 0.13
    width = max(1.2, size * 0.045)
    tops = [(x + rx * 0.9, y - size) for x, y in heads]
    slope = (tops[-1][1] - tops[0][1]) / (tops[-1][0] - tops[0][0])
    for (x, y), (sx, _) in zip(heads, tops):
        note_head(p, mask, x, y, rx, ry)
        beam_y = tops[0][1] + slope * (sx - tops[0][0])
        stem(p, mask, sx, beam_y, y - ry * 0.3, width)
    thickness = size * 0.14
    for b in range(beams):
        offset = b * thickness * 1.7
        (x0, y0), (x1, y1) = (tops[0][0] - width, tops[0][1] + offset), (tops[-1][0], tops[-1][1] + offset)
        p.polygon(mask, [(x0, y0), (x1, y1), (x1, y1 + thickness), (x0, y0 + thickness)])


# Floating notes: (kind, colour, parameters).
NOTES = (
    ("eighth", (140, 150, 255), (26, 62, 24)),
    ("beamed", (255, 214, 30), ([(46, 160), (78, 150)], 36, 1)),
    ("eighth", (0, 215, 255), (26, 216, 30)),
    ("eighth", (255, 120, 210), (592, 56, 24)),
    ("beamed", (70, 255, 140), ([(548, 150), (572, 156), (596, 146)], 32, 2)),
    ("eighth", (255, 150, 40), (588, 216, 30)),
)


def draw_notes(p):
    for kind, colour, args in NOTES:
        mask = p.mask()
        if kind == "eighth":
            eighth_note(p, mask, *args)
        else:
            beamed_notes(p, mask, *args)
        p.paint(colour, p.blur(mask, 4), 0.55)
        p.paint(lerp(colour, (255, 255, 255), 0.15), mask)


def draw_small_texts(p):
    small = font(p.ImageFont, SMALL_FONT, 12 * SCALE)
    mask = p.mask()
    draw = p.ImageDraw.Draw(mask)
    baseline = 246
    draw.text((8 * SCALE, baseline * SCALE), VERSION_TEXT, font=small, fill=255, anchor="ls")
    draw.text(((TITLE_WIDTH - 8) * SCALE, baseline * SCALE), COPYRIGHT_TEXT, font=small, fill=255, anchor="rs")
    p.paint((190, 190, 200), mask)


def title_rgb():
    """The title picture as a Pillow RGB picture of the final size."""
    p = Painter(load_pillow())
    draw_keyboard(p)
    draw_notes(p)
    draw_title_letters(p)
    draw_small_texts(p)
    return p.final()


def split_box(box):
    """Splits a box of (weight, colour) at the cut that leaves the least squared
    error in its two halves, looking along each of the three channels."""
    best = None
    for channel in range(3):
        ordered = sorted(box, key=lambda item: (item[1][channel], item[1]))
        total_w = sum(w for w, _ in ordered)
        total_s = [sum(w * c[k] for w, c in ordered) for k in range(3)]
        total_q = sum(w * sum(v * v for v in c) for w, c in ordered)
        w_left, s_left, q_left = 0.0, [0.0, 0.0, 0.0], 0.0
        for i in range(len(ordered) - 1):
            w, c = ordered[i]
            w_left += w
            q_left += w * sum(v * v for v in c)
            for k in range(3):
                s_left[k] += w * c[k]
            if ordered[i + 1][1][channel] == c[channel]:
                continue
            w_right = total_w - w_left
            s_right = [t - s for t, s in zip(total_s, s_left)]
            error = (q_left - sum(s * s for s in s_left) / w_left
                     + (total_q - q_left) - sum(s * s for s in s_right) / w_right)
            if best is None or error < best[0] - 1e-9:
                best = (error, ordered[:i + 1], ordered[i + 1:])
    return best[1], best[2]


def box_error(box):
    w = sum(weight for weight, _ in box)
    mean = [sum(weight * c[k] for weight, c in box) / w for k in range(3)]
    return sum(weight * sum((c[k] - mean[k]) ** 2 for k in range(3)) for weight, c in box)


def mean_colour(members):
    w = sum(weight for weight, _ in members)
    return tuple(int(sum(weight * c[k] for weight, c in members) / w + 0.5) for k in range(3))


def nearest(palette, colour):
    r, g, b = colour
    return min(range(len(palette)),
               key=lambda i: ((palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2
                              + (palette[i][2] - b) ** 2, i))


def adaptive_palette(counted, size):
    """A palette of `size` colours for the (count, colour) pairs of a picture, black
    first. Boxes of colours are split where they hold the most squared error; a
    colour's weight is the square root of its pixel count, so that small bright
    shapes keep their hues next to large areas. Two rounds of moving each entry to
    the mean of the colours nearest to it follow."""
    items = [(math.sqrt(n), colour) for n, colour in counted if colour != (0, 0, 0)]
    boxes = [(box_error(items), items)]
    while len(boxes) < size - 1:
        boxes.sort(key=lambda entry: (-entry[0], entry[1][0][1]))
        error, box = boxes[0]
        if error <= 0:
            break
        left, right = split_box(box)
        boxes[0:1] = [(box_error(left), left), (box_error(right), right)]
    palette = sorted(mean_colour(box) for _, box in boxes)
    for _ in range(2):
        groups = [[] for _ in palette]
        for item in items:
            groups[nearest(palette, item[1])].append(item)
        palette = sorted(mean_colour(group) if group else entry for entry, group in zip(palette, groups))
    palette = [(0, 0, 0)] + palette
    return palette + [(0, 0, 0)] * (size - len(palette))


def title_png():
    picture = title_rgb()
    counted = picture.getcolors(TITLE_WIDTH * TITLE_HEIGHT)
    palette = adaptive_palette(counted, 256)
    index = {colour: nearest(palette, colour) for _, colour in counted}
    data = list(picture.getdata())
    pixels = [[index[colour] for colour in data[y * TITLE_WIDTH:(y + 1) * TITLE_WIDTH]]
              for y in range(TITLE_HEIGHT)]
    return png_file(TITLE_WIDTH, TITLE_HEIGHT, 8, palette, pixels)


# ---------------------------------------------------------------------------

def all_pictures():
    """The four files as {name: bytes}."""
    return {
        TITLE_FILE: title_png(),
        KEYS_NARROW_FILE: keys_narrow_png(),
        KEYS_WIDE_FILE: keys_wide_png(),
        MIDDLE_C_FILE: middle_c_png(),
    }


def main(argv):
    if argv[1:2] == ["--check"]:
        first, second = all_pictures(), all_pictures()
        stale = []
        for name, data in sorted(first.items()):
            if second[name] != data:
                print("%s differs between two runs of the generator" % name)
                stale.append(name)
            path = os.path.join(ROOT, "resources", name)
            with open(path, "rb") as committed:
                if committed.read() != data:
                    print("resources/%s is not what tools/make_pictures.py makes" % name)
                    stale.append(name)
        if stale:
            return 1
        print("all %d pictures are current" % len(first))
        return 0
    folder = argv[1] if len(argv) > 1 else os.path.join(ROOT, "resources")
    for name, data in sorted(all_pictures().items()):
        path = os.path.join(folder, name)
        with open(path, "wb") as out:
            out.write(data)
        print("wrote %s (%d bytes)" % (path, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
