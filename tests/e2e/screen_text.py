"""Reads the text the game shows, straight from a screenshot.

The glyphs are decoded independently of the game from the font file "ibm.ch"
(8x8 pixels, one byte per row, bit 7 leftmost) and enlarged with the Scale2x
rules (edge pixels clamped), giving the exact 16x16 pattern of every character.
A text cell of the screenshot is read by comparing its pattern of lit pixels (any
colour other than the background) with those patterns, so the reading does not
depend on the palette or colour mode.
"""

CELL = 16
MESSAGE_LEFT = 24      # message area: text columns 24-39
MESSAGE_TOP = 11       # ... rows 11-23
MESSAGE_BOTTOM = 23
UNKNOWN = "#"          # a cell showing no character of the font (prompt mark, cursor)


def _scale2x(rows):
    """Scale2x of an 8x8 two-tone picture given as 8 lists of 8 booleans."""
    h, w = len(rows), len(rows[0])
    out = [[False] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            e = rows[y][x]
            b = rows[max(y - 1, 0)][x]
            hh = rows[min(y + 1, h - 1)][x]
            d = rows[y][max(x - 1, 0)]
            f = rows[y][min(x + 1, w - 1)]
            out[2 * y][2 * x] = d if (d == b and b != f and d != hh) else e
            out[2 * y][2 * x + 1] = f if (b == f and b != d and f != hh) else e
            out[2 * y + 1][2 * x] = d if (d == hh and d != b and hh != f) else e
            out[2 * y + 1][2 * x + 1] = f if (hh == f and d != hh and b != f) else e
    return out


def _pattern(rows):
    return tuple(tuple(r) for r in rows)


class TextReader:
    def __init__(self, font_path):
        with open(font_path, "rb") as f:
            data = f.read()
        self.patterns = {}
        # Printable characters first, so that they win over control glyphs that
        # happen to look the same (a blank glyph reads as a space).
        order = list(range(32, 127)) + list(range(0, 32)) + [127]
        for code in order:
            rows = [[bool(data[8 * code + r] & (0x80 >> c)) if 8 * code + r < len(data) else False
                     for c in range(8)] for r in range(8)]
            p = _pattern(_scale2x(rows))
            char = chr(code) if 32 <= code < 127 else UNKNOWN
            self.patterns.setdefault(p, char)
        self.blank = _pattern([[False] * CELL for _ in range(CELL)])

    def cell_pattern(self, image, column, row, background):
        x0, y0 = CELL * column, CELL * row
        rows = []
        for y in range(y0, y0 + CELL):
            i = 3 * (y * image.width + x0)
            line = image.rgb[i:i + 3 * CELL]
            rows.append(tuple(line[3 * k:3 * k + 3] != background for k in range(CELL)))
        return tuple(rows)

    def mark_unknown(self, image, column, row):
        """Reads whatever that cell shows (the prompt mark) as UNKNOWN from now on."""
        self.patterns[self.cell_pattern(image, column, row, background_of(image))] = UNKNOWN

    def cell(self, image, column, row, background):
        p = self.cell_pattern(image, column, row, background)
        if p == self.blank:
            return " "
        return self.patterns.get(p, UNKNOWN)

    def line(self, image, column, row, length, background=None):
        if background is None:
            background = background_of(image)
        return "".join(self.cell(image, column + k, row, background)
                       for k in range(length)).rstrip()

    def messages(self, image):
        """The 13 lines of the message area, top to bottom, trailing blanks cut."""
        background = background_of(image)
        return [self.line(image, MESSAGE_LEFT, r, 16, background)
                for r in range(MESSAGE_TOP, MESSAGE_BOTTOM + 1)]


def background_of(image):
    """The colour of text row 24, which nothing ever draws on."""
    x, y = 8 * CELL, 24 * CELL + 8
    i = 3 * (y * image.width + x)
    return image.rgb[i:i + 3]
