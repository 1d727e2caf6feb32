"""Makes resources/varlo.ico (32x32 and 16x16, 16 colours); run from the repository root: python3 tools/make_icon.py"""

import os
import struct

# The standard 16-colour VGA palette, as (red, green, blue).
PALETTE = (
    (0, 0, 0),        # 0  black
    (128, 0, 0),      # 1  dark red
    (0, 128, 0),      # 2  dark green
    (128, 128, 0),    # 3  olive
    (0, 0, 128),      # 4  navy
    (128, 0, 128),    # 5  purple
    (0, 128, 128),    # 6  teal
    (192, 192, 192),  # 7  silver
    (128, 128, 128),  # 8  grey
    (255, 0, 0),      # 9  red
    (0, 255, 0),      # 10 green
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 magenta
    (0, 255, 255),    # 14 cyan
    (255, 255, 255),  # 15 white
)

# Letters used in the pixel maps, and the palette index each stands for.
# "." is transparent: palette index 0 in the colour bitmap, 1 in the mask.
TRANSPARENT = "."
COLOURS = {
    "K": 0,   # black: outlines, black keys
    "r": 1,   # dark red: edges of the notes
    "S": 7,   # silver: shadow at the bottom of the white keys
    "G": 8,   # grey: shine on the black keys
    "R": 9,   # red: the notes
    "W": 15,  # white: white keys
}

# Two beamed eighth notes, rising, above five piano keys (C to G).
ICON_32 = (
    "......................RRRRRR....",
    ".................RRRRRRRRRRR....",
    "............RRRRRRRRRRRRRRRR....",
    "............RRRRRRRRRR....RR....",
    "............RRRRR.........RR....",
    "............RR............RR....",
    "............RR............RR....",
    "............RR............RR....",
    "............RR............RR....",
    "............RR........rRRRRR....",
    "............RR.......RWWRRRR....",
    "............RR......RWRRRRRR....",
    "........rRRRRR......RRRRRRRr....",
    ".......RWWRRRR......rRRRRRr.....",
    "......RWRRRRRR.......rrrr.......",
    "......RRRRRRRr..................",
    "......rRRRRRr...................",
    ".......rrrr.....................",
    "................................",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
    ".KWWWWKKKWWWKKKWWWWKWWWWKKKWWWWK",
    ".KWWWWKKKWWWKKKWWWWKWWWWKKKWWWWK",
    ".KWWWWKKKWWWKKKWWWWKWWWWKKKWWWWK",
    ".KWWWWKKKWWWKKKWWWWKWWWWKKKWWWWK",
    ".KWWWWKKKWWWKKKWWWWKWWWWKKKWWWWK",
    ".KWWWWKKKWWWKKKWWWWKWWWWKKKWWWWK",
    ".KWWWWKGKWWWKGKWWWWKWWWWKGKWWWWK",
    ".KWWWWWKWWWWWKWWWWWKWWWWWKWWWWWK",
    ".KWWWWWKWWWWWKWWWWWKWWWWWKWWWWWK",
    ".KWWWWWKWWWWWKWWWWWKWWWWWKWWWWWK",
    ".KSSSSSKSSSSSKSSSSSKSSSSSKSSSSSK",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
)

# The same picture with three keys, drawn for the small size.
ICON_16 = (
    ".........RRRR...",
    "......RRRRRRR...",
    "......RRR...R...",
    "......R.....R...",
    "......R.....R...",
    "......R...RRR...",
    "....RRR..RRRR...",
    "...RRRR..RRR....",
    "...RRR..........",
    "KKKKKKKKKKKKKKKK",
    "KWWWKKKWWKKKWWWK",
    "KWWWKKKWWKKKWWWK",
    "KWWWKKKWWKKKWWWK",
    "KWWWWKWWWWKWWWWK",
    "KSSSSKSSSSKSSSSK",
    "KKKKKKKKKKKKKKKK",
)


def padded(row_bytes):
    """Pads one bitmap row to a multiple of four bytes."""
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def check(pixels):
    """Returns the size of a square pixel map, after checking its shape and letters."""
    size = len(pixels)
    for y, row in enumerate(pixels):
        if len(row) != size:
            raise ValueError("row %d is %d pixels wide, not %d" % (y, len(row), size))
        for x, letter in enumerate(row):
            if letter != TRANSPARENT and letter not in COLOURS:
                raise ValueError("unknown letter %r at (%d, %d)" % (letter, x, y))
    if size % 8:
        raise ValueError("the size must be a multiple of 8")
    return size


def icon_image(pixels):
    """Returns one icon image: header, colour table, colour bitmap, mask."""
    size = check(pixels)
    colour_rows = []
    mask_rows = []
    for row in reversed(pixels):  # bitmaps are stored bottom row first
        indexes = [COLOURS.get(letter, 0) for letter in row]
        colour = bytes((indexes[x] << 4) | indexes[x + 1] for x in range(0, size, 2))
        bits = [1 if letter == TRANSPARENT else 0 for letter in row]
        mask = bytes(
            sum(bits[x + i] << (7 - i) for i in range(8)) for x in range(0, size, 8)
        )
        colour_rows.append(padded(colour))
        mask_rows.append(padded(mask))
    bitmaps = b"".join(colour_rows) + b"".join(mask_rows)
    header = struct.pack(
        "<IiiHHIIiiII",
        40,            # biSize
        size,          # biWidth
        2 * size,      # biHeight: colour bitmap and mask together
        1,             # biPlanes
        4,             # biBitCount
        0,             # biCompression: BI_RGB
        len(bitmaps),  # biSizeImage
        0, 0,          # biXPelsPerMeter, biYPelsPerMeter
        0, 0,          # biClrUsed (0: all 16), biClrImportant
    )
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return size, header + colour_table + bitmaps


def icon_file(maps):
    """Returns a whole .ico file holding one image per pixel map."""
    images = [icon_image(pixels) for pixels in maps]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack(
            "<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset
        )
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = os.path.join(root, "resources", "varlo.ico")
    with open(path, "wb") as out:
        out.write(icon_file((ICON_32, ICON_16)))
    print("wrote", os.path.relpath(path))


if __name__ == "__main__":
    main()
