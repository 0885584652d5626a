#!/usr/bin/python3
"""Builds assets/fonts/MusicSymbols.ttf, the music font "Vorod Iduriza".

The shapes come from Bravura (SIL OFL 1.1), whose glyphs sit at the SMuFL
code points; this script picks, scales, places and composes them so that
each character code of the score painters draws its symbol where the
painters expect the ink, relative to the top of the character cell.

Run (needs Debian's python3-fonttools and the npm package
@vexflow-fonts/bravura installed anywhere outside the repository):

    apt-get install -y python3-fonttools
    mkdir -p /tmp/fontwork && (cd /tmp/fontwork && npm install @vexflow-fonts/bravura)
    /usr/bin/python3 tools/font/make_music_font.py \
        /tmp/fontwork/node_modules/@vexflow-fonts/bravura/bravura.otf \
        assets/fonts/MusicSymbols.ttf

Running it again gives the same bytes. "--report" prints every glyph's
advance and ink box in pixels at 16 points and 96 DPI (em = 21 px); the
expectations that tests/platform/music_font_codes.h holds for them must
still hold after a change here.

Geometry: 2100 units per em, so at the 21-pixel em one pixel is 100 units
and one staff space (6/21 em) is 600 units. The cell top is the ascent
(2100); the cell is 3100 units high, which the brace relies on.
"""

import argparse
import math
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

UPM = 2100
PX = 100                  # units per pixel at the 21-pixel em
SPACE = 6 * PX            # one staff space
ASCENT = 2100             # cell top above the baseline
DESCENT = 1000            # cell bottom below the baseline
SOURCE_SPACE = 250        # a staff space in the source font (1000 per em)
K = SPACE / SOURCE_SPACE  # natural scale from source units to ours

# Fixed so that every run writes the same bytes (2026-01-01 00:00 UTC,
# counted from 1904-01-01 as the head table wants).
TIMESTAMP = 3850070400

SOURCE_COPYRIGHT = (
    'Copyright \u00a9 2021, Steinberg Media Technologies GmbH '
    '(http://www.steinberg.net/), with Reserved Font Name "Bravura".')
MODIFIED_NOTICE = (
    'Vorod Iduriza is a renamed and modified version of the Bravura font: '
    'glyphs selected, rescaled, repositioned and combined, converted to '
    'TrueType outlines.')


# ---------------------------------------------------------------------------
# Glyph descriptions
#
# A glyph is made of parts, each a source code point with a scale and an
# offset in source staff spaces (the SMuFL frame: y up, origin on the staff
# position the symbol belongs to). The placement then maps the whole onto
# the cell:
#   v:  ("origin", d)     the SMuFL origin lies d staff spaces below the top
#       ("box", t, b)     the ink is centred between t and b pixels below
#       ("centre_px", c)  the ink is centred c pixels below the top
#       ("top", t)        the ink starts t pixels below the top
#       ("bottom", b)     the ink ends b pixels below the top
#   h:  ("left", adv)     the ink starts at x = 0 (ink_left: at that x);
#                         advance adv pixels (None: the ink width rounded
#                         up to a pixel)
#       ("centre", adv)   the ink is centred in an advance of adv pixels,
#                         then moved right by ink_shift pixels
#   fit: (w, h)           uniform shrink so the ink fits w x h pixels
#   squeeze: w            horizontal-only shrink to at most w pixels
#   vsqueeze: h           vertical-only shrink to at most h pixels
#   xscale, yscale: f     factors on one axis
#   stretch: w            horizontal scale to exactly w pixels
#   scale: f              uniform factor on the natural size
# ---------------------------------------------------------------------------

def part(cp, scale=1.0, dx=0.0, dy=0.0):
    return (cp, scale, dx, dy)


def shape(parts, v, h, **opts):
    if isinstance(parts, int):
        parts = [part(parts)]
    d = dict(parts=parts, v=v, h=h)
    d.update(opts)
    return d


def placeholder(adv, centre_px=10.5):
    """A small hollow square for codes whose items nothing creates."""
    return dict(square=True, v=("centre_px", centre_px), h=("centre", adv))


HEAD = 8            # the width of "A", the head width of every painter
ITEM_BOX = (0, 18)  # items 160..187: ink within 18 px below the top
ORN_BOX = (4, 18)   # items 188..199 and their variants
DOT_SCALE = 1.25
FLAG_MAX = 19.5     # flags end half a space before the head centre
DYN_SCALE = 0.79    # one size for all dynamics, so that mp fits 16 px
DYN_BASE = 1.75     # dynamics baseline, staff spaces below the top


def dynamic(cp, adv):
    return shape(cp, ("origin", DYN_BASE), ("centre", adv), scale=DYN_SCALE)


def item(parts, adv, box=ITEM_BOX, fit=None):
    return shape(parts, ("box",) + box, ("centre", adv),
             fit=fit or (adv - 0.5, box[1] - box[0]))


def accidental(cp, adv, centre=2.0):
    # The head (or the next accidental) starts at the advance: the ink ends
    # 1.5 px before it, so that a clear pixel column stays between them at
    # 96 DPI, and starts half a pixel left of the cell, where the spacing
    # leaves room, so that the sign loses little of its width.
    return shape(cp, ("origin", centre), ("left", adv), squeeze=adv - 1,
                 ink_left=-0.5)


def stemmed_note(cp):
    # Head centre 2.5 spaces below the top, where the single grace note
    # expects the head of its one-glyph note.
    return shape(cp, ("origin", 2.5), ("left", None))


def drum(parts, head_part=0):
    return shape(parts, ("origin", 1.0), ("left", None), head_part=head_part)


def trill_with(acc_cp):
    # The accidental stands small above the trill so the sign stays 12 wide.
    return item([part(0xE566, 0.8), part(acc_cp, 0.5, 0.55, 1.95)], 12)


def ghost(head_cp):
    return drum([part(0xE0F5), part(head_cp, 1.0, 0.52), part(0xE0F6, 1.0, 1.84)],
                head_part=1)


def glyph_table():
    t = {}
    t[35] = dict(brace=True)
    # Clefs: the G line 5 spaces, the F line 1 space, the C line 2 spaces
    # below the top; drawn 2 px right of an 18 px advance, so ink <= 15:
    # the key's first accidental, whose ink starts half a pixel left of the
    # advance, keeps clear of the clef's dots.
    t[36] = shape(0xE050, ("origin", 5.0), ("left", 16), squeeze=15)
    t[37] = shape(0xE062, ("origin", 1.0), ("left", 16), squeeze=15)
    t[38] = shape(0xE05C, ("origin", 2.0), ("left", 16), squeeze=15)
    # Heads: centre 1 space below the top, ink from x = 0, ink width = advance
    # so that an up stem drawn at x + advance touches the head.
    t[43] = shape(0xE0A0, ("origin", 1.0), ("left", 12), stretch=12)
    t[44] = shape(0xE0A2, ("origin", 1.0), ("left", 10), stretch=10)
    t[65] = shape(0xE0A3, ("origin", 1.0), ("left", HEAD), stretch=HEAD)
    t[66] = shape(0xE0A4, ("origin", 1.0), ("left", HEAD), stretch=HEAD)
    # Time signature: a digit's ink runs from 0.5 to 2.5 spaces below the
    # top. The painters draw C and cut C alone at the numerator's place, so
    # they sit one space lower and come out centred on the staff. A time
    # signature in mid-system stands at the barline: the ink starts 1.5 px
    # after the cell's left edge, leaving a clear column after the line.
    t[45] = shape(0xE08B, ("origin", 2.5), ("left", 12), ink_left=1.5)
    t[47] = shape(0xE08A, ("origin", 2.5), ("left", 12), ink_left=1.5)
    for d in range(10):
        # One horizontal factor for all digits, so "12" and "16" fit 16 px
        # of the 18 the header reserves.
        t[48 + d] = shape(0xE080 + d, ("origin", 1.5), ("centre", 8), xscale=0.72,
                          squeeze=7, ink_shift=1.5)
    t[46] = stemmed_note(0xE1D3)
    t[58] = stemmed_note(0xE1D5)
    t[59] = stemmed_note(0xE1D7)
    t[60] = stemmed_note(0xE1D9)
    t[61] = stemmed_note(0xE1DB)
    t[62] = stemmed_note(0xE1DD)
    t[63] = shape(0xE511, ("box", 1, 17), ("left", None), scale=0.7)
    t[64] = shape(0xE51C, ("box", 1, 17), ("left", None), scale=0.7)
    # Flags: the cell's left edge is the stem; up flags hang from the top
    # (the stem end), down flags end 3 spaces below it.
    # The 32nd and 64th flags are squeezed to the stem so that their extra
    # hooks stay clear of the head.
    for i, cp in enumerate((0xE240, 0xE242, 0xE244, 0xE246)):
        t[67 + 2 * i] = shape(cp, ("top", 0), ("left", None), vsqueeze=FLAG_MAX)
        t[68 + 2 * i] = shape(cp + 1, ("bottom", 18), ("left", None), vsqueeze=FLAG_MAX)
    # Rests: ink within the hit height below the top, centred on the tick.
    t[77] = shape(0xE4E5, ("box", 0, 18), ("centre", 6), squeeze=5.5)
    t[78] = shape(0xE4E6, ("origin", 1.0), ("centre", 7))
    t[79] = shape(0xE4E7, ("origin", 1.0), ("centre", 8), fit=(7.5, 17.6))
    t[80] = shape(0xE4E8, ("box", 0, 18), ("centre", 10), yscale=0.8)
    t[81] = shape(0xE4E9, ("box", 0, 20), ("centre", 12), yscale=0.68)
    # Accidentals: the pitch centre 2 spaces below the top.
    t[87] = accidental(0xE267, 10)
    t[88] = accidental(0xE268, 10)
    t[98] = accidental(0xE260, 6)
    t[99] = accidental(0xE264, 10)
    t[100] = accidental(0xE262, 6)
    t[101] = accidental(0xE263, 8, centre=1.5)
    t[102] = accidental(0xE261, 6)
    # Slides: drawn one space above the head top; the rising ones end at the
    # head, the falling ones (and the lift) take their box two spaces lower.
    t[90] = shape(0xE585, ("box", 0, 10), ("left", 14), fit=(12, 10))
    t[91] = shape(0xE586, ("box", 11, 21), ("left", 14), fit=(12, 10))
    t[92] = shape(0xE5D5, ("box", 0, 10), ("left", 14), fit=(12, 10))
    t[93] = shape(0xE5D8, ("box", 11, 21), ("left", 14), fit=(12, 10))
    t[94] = shape(0xE5D1, ("box", 11, 21), ("left", 12), fit=(11, 10))
    # Tenuto dash and dots: centred half a space below the top.
    t[95] = shape(0xE4A4, ("centre_px", 3), ("centre", 6), squeeze=6)
    # Dots a little larger than engraved (3 px at 16 points) so that they
    # stay visible on screen; the double dot's first dot sits where the
    # single dot does.
    t[96] = shape(0xE1E7, ("centre_px", 3), ("centre", 4), scale=DOT_SCALE)
    t[97] = shape([part(0xE1E7, DOT_SCALE), part(0xE1E7, DOT_SCALE, 0.75)],
              ("centre_px", 3), ("left", 8), ink_left=0.5)
    # Hat signs above the head: within the 8 px box below the top.
    t[103] = shape(0xE7F8, ("box", 0, 7), ("centre", 6), fit=(6, 7))
    t[104] = shape(0xE7F7, ("box", 0, 8), ("centre", 6), fit=(6, 8))
    # Dynamics (items 160..172), centred on their tick in the kind's width.
    for code, cp, adv in ((105, 0xE520, 10), (106, 0xE52B, 18), (107, 0xE52A, 24),
                          (108, 0xE52C, 16), (109, 0xE534, 16), (110, 0xE52D, 16),
                          (111, 0xE522, 10), (112, 0xE52F, 16), (113, 0xE530, 22),
                          (114, 0xE539, 18), (115, 0xE53B, 22), (116, 0xE535, 16),
                          (117, 0xE536, 14)):
        t[code] = dynamic(cp, adv)
    t[118] = placeholder(6)
    t[119] = placeholder(6)
    t[121] = placeholder(6)
    t[122] = shape(0xE047, ("box", 0, 18), ("left", None), fit=(14, 18))
    t[123] = shape(0xE048, ("box", 0, 18), ("left", None), fit=(18, 18))
    t[124] = item(0xE650, 17)
    t[125] = item(0xE655, 10)
    t[126] = item(0xE567, 16)
    t[127] = item(0xE568, 16)
    t[128] = placeholder(12)
    t[129] = item(0xE566, 12)
    t[130] = trill_with(0xE260)
    t[131] = trill_with(0xE262)
    t[132] = trill_with(0xE261)
    t[133] = item(0xE56C, 12, ORN_BOX)
    t[134] = item(0xE56D, 12, ORN_BOX)
    t[135] = item(0xE56E, 18, ORN_BOX)
    t[136] = item([part(0xE56E), part(0xE59F, 1.0, 1.97)], 18, ORN_BOX)
    t[137] = placeholder(6, 11)
    t[138] = placeholder(6, 11)
    t[139] = placeholder(8, 11)
    t[140] = item(0xE4C0, 13, ORN_BOX)
    t[141] = item(0xE4C1, 13, ORN_BOX)
    t[142] = placeholder(6, 11)
    t[143] = item(0xE4AC, 6, ORN_BOX)
    t[144] = item(0xE4A0, 9, ORN_BOX)
    # Microtone accidentals (flat and sharp variants).
    t[160] = accidental(0xE280, 6)
    t[161] = accidental(0xE282, 5)
    t[162] = accidental(0xE281, 10)
    t[163] = accidental(0xE283, 8)
    t[224] = accidental(0xE273, 8)
    t[225] = accidental(0xE272, 7)
    t[226] = accidental(0xE290, 8)
    t[227] = accidental(0xE29A, 7)
    t[228] = accidental(0xE291, 8)
    t[229] = accidental(0xE299, 7)
    # Fermata and articulation variants of items 195, 196 and 199.
    for code, cp in ((164, 0xE4C4), (165, 0xE4C5), (166, 0xE4C6), (167, 0xE4C7)):
        t[code] = item(cp, 13, ORN_BOX)
    for code, cp in ((168, 0xE4B2), (169, 0xE4B3), (170, 0xE4B0), (171, 0xE4B1),
                     (172, 0xE4B4), (173, 0xE4B5), (174, 0xE4BC), (175, 0xE4BD),
                     (176, 0xE4AE), (177, 0xE4AF)):
        t[code] = item(cp, 9, ORN_BOX)
    # Wedge combinations: the sign nearer the note first.
    t[178] = item([part(0xE4A8, 1.0, 0.5), part(0xE4A4, 1.0, 0.0, 1.4)], 9, ORN_BOX)
    t[179] = item([part(0xE4A9, 1.0, 0.5), part(0xE4A5, 1.0, 0.0, -1.4)], 9, ORN_BOX)
    t[180] = item([part(0xE4A8, 1.0, 0.5), part(0xE4A0, 1.0, 0.0, 1.4)], 9, ORN_BOX)
    t[181] = item([part(0xE4A9, 1.0, 0.5), part(0xE4A1, 1.0, 0.0, -1.4)], 9, ORN_BOX)
    # Drum heads: centre 1 space below the top, ink from x = 0, about as wide
    # as "A" so that the stems meet them.
    drums = {192: 0xE0A9, 193: 0xE0B3, 194: 0xE0BE, 195: 0xE0BD, 196: 0xE0DB,
             197: 0xE0DD, 198: 0xE0C7, 199: 0xE0C6, 202: 0xE0B9, 203: 0xE0B8,
             204: 0xE0AF, 205: 0xE0E4, 206: 0xE0CF, 207: 0xE0D0, 208: 0xE0F8,
             209: 0xE0F9, 210: 0xE0AA, 211: 0xE0EC, 212: 0xE0AB, 213: 0xE0B2,
             214: 0xE0B7, 215: 0xE0A8, 216: 0xE0DC, 217: 0xE0DE, 218: 0xE0F7,
             219: 0xE0E2, 220: 0xE0E5}
    for code, cp in drums.items():
        t[code] = drum(cp)
    t[221] = ghost(0xE0A4)
    t[222] = ghost(0xE0A9)
    t[223] = ghost(0xE0BE)
    # String numbers 1..8 (drawn at 12 points, centred on a 20 px box).
    for v in range(8):
        t[248 + v] = shape(0xE834 + v, ("centre_px", 9), ("left", None), fit=(16, 16))
    return t


# ---------------------------------------------------------------------------
# Outline work
# ---------------------------------------------------------------------------

class Outline:
    """The outlines of one glyph as a list of (source glyph, transform)."""

    def __init__(self, glyphset, cmap):
        self.gs = glyphset
        self.cmap = cmap
        self.items = []   # (glyph name, (a, b, c, d, e, f)) in our units

    def add(self, cp, scale, dx, dy):
        name = self.cmap[cp]
        s = K * scale
        self.items.append((name, (s, 0, 0, s, dx * SPACE, dy * SPACE)))

    def transform(self, sx, sy, tx, ty):
        out = []
        for name, (a, b, c, d, e, f) in self.items:
            out.append((name, (a * sx, 0, 0, d * sy, e * sx + tx, f * sy + ty)))
        self.items = out

    def bounds(self):
        pen = BoundsPen(None)
        for name, m in self.items:
            self.gs[name].draw(TransformPen(pen, m))
        return pen.bounds

    def draw(self, pen):
        for name, m in self.items:
            self.gs[name].draw(TransformPen(pen, m))


def place(outline, spec):
    xmin, ymin, xmax, ymax = outline.bounds()
    w, h = xmax - xmin, ymax - ymin
    # Scaling, about the origin.
    s = spec.get("scale", 1.0)
    if "fit" in spec:
        fw, fh = spec["fit"]
        s = min(s, fw * PX / w, fh * PX / h)
    sx = sy = s
    sx *= spec.get("xscale", 1.0)
    sy *= spec.get("yscale", 1.0)
    if "squeeze" in spec and w * sx > spec["squeeze"] * PX:
        sx = spec["squeeze"] * PX / w
    if "vsqueeze" in spec and h * sy > spec["vsqueeze"] * PX:
        sy = spec["vsqueeze"] * PX / h
    if "stretch" in spec:
        sx = spec["stretch"] * PX / w
    if "head_part" in spec:
        # Drum heads as wide as "A"; past 15 % growth only horizontally, so
        # narrow shapes do not grow tall. Brackets keep the head's scale.
        name, m = outline.items[spec["head_part"]]
        hb = BoundsPen(None)
        outline.gs[name].draw(TransformPen(hb, m))
        sx = HEAD * PX / (hb.bounds[2] - hb.bounds[0])
        sy = min(sx, 1.15)
        if len(outline.items) > 1:
            sx = sy
    outline.transform(sx, sy, 0, 0)
    xmin, ymin, xmax, ymax = outline.bounds()
    # Vertical.
    v = spec["v"]
    if v[0] == "origin":
        ty = ASCENT - v[1] * SPACE
    elif v[0] == "box":
        ty = ASCENT - (v[1] + v[2]) / 2 * PX - (ymin + ymax) / 2
    elif v[0] == "centre_px":
        ty = ASCENT - v[1] * PX - (ymin + ymax) / 2
    elif v[0] == "top":
        ty = ASCENT - v[1] * PX - ymax
    elif v[0] == "bottom":
        ty = ASCENT - v[1] * PX - ymin
    else:
        raise ValueError(v)
    # Horizontal.
    h = spec["h"]
    ink = xmax - xmin
    if h[0] == "left":
        tx = spec.get("ink_left", 0) * PX - xmin
        adv = h[1] * PX if h[1] is not None else math.ceil(ink / PX - 0.01) * PX
    else:
        adv = h[1] * PX
        tx = (adv - ink) / 2 - xmin + spec.get("ink_shift", 0) * PX
    outline.transform(1, 1, tx, ty)
    return int(round(adv))


def tt_glyph(outline):
    pen = TTGlyphPen(None)
    outline.draw(Cu2QuPen(pen, max_err=1.0, reverse_direction=True))
    return pen.glyph()


def frame_glyph(x0, y0, x1, y1, stroke):
    """A hollow rectangle: outer contour clockwise, inner counter-clockwise."""
    pen = TTGlyphPen(None)
    for ax, ay, bx, by, clockwise in ((x0, y0, x1, y1, True),
                                      (x0 + stroke, y0 + stroke, x1 - stroke, y1 - stroke, False)):
        pts = [(ax, ay), (ax, by), (bx, by), (bx, ay)]
        if not clockwise:
            pts.reverse()
        pen.moveTo(pts[0])
        for p in pts[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def square_glyph(spec):
    size, stroke = int(0.8 * SPACE), int(0.15 * SPACE)
    adv = spec["h"][1] * PX
    x0 = (adv - size) // 2
    y0 = ASCENT - spec["v"][1] * PX - size // 2
    return frame_glyph(x0, y0, x0 + size, y0 + size, stroke), adv


def brace_glyph(gs, cmap):
    # The brace font is made (ascent + descent) * 31 / 20 high, so the ink
    # spans the top 20/31 of the cell.
    outline = Outline(gs, cmap)
    outline.add(0xE000, 1.0, 0, 0)
    xmin, ymin, xmax, ymax = outline.bounds()
    height = (ASCENT + DESCENT) * 20 / 31
    s = height / (ymax - ymin)
    outline.transform(s, s, 0, 0)
    xmin, ymin, xmax, ymax = outline.bounds()
    outline.transform(1, 1, -xmin, ASCENT - ymax)
    return tt_glyph(outline), int(math.ceil(xmax - xmin))


def printable(code):
    return 0x21 <= code <= 0x7E or 0xA0 <= code <= 0xFF


def build(source_path, out_path, report=False):
    src = TTFont(source_path)
    gs = src.getGlyphSet()
    cmap = src.getBestCmap()

    order = [".notdef", "space"]
    glyphs, metrics, char_map = {}, {}, {}
    glyphs[".notdef"] = frame_glyph(100, 0, 900, 1400, 100)
    metrics[".notdef"] = 1000
    glyphs["space"] = TTGlyphPen(None).glyph()
    metrics["space"] = SPACE
    char_map[0x20] = char_map[0xF020] = "space"

    table = glyph_table()
    brace_adv = None
    for code in sorted(table):
        spec = table[code]
        name = "code%03d" % code
        if spec.get("brace"):
            g, adv = brace_glyph(gs, cmap)
            brace_adv = adv
        elif spec.get("square"):
            g, adv = square_glyph(spec)
        else:
            outline = Outline(gs, cmap)
            for cp, scale, dx, dy in spec["parts"]:
                outline.add(cp, scale, dx, dy)
            adv = place(outline, spec)
            g = tt_glyph(outline)
        order.append(name)
        glyphs[name] = g
        metrics[name] = adv
        char_map[0xF000 + code] = name
        if printable(code):
            char_map[code] = name

    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(char_map)
    fb.setupGlyf(glyphs)
    glyf = fb.font["glyf"]
    hmtx = {}
    for name in order:
        gl = glyf[name]
        gl.recalcBounds(glyf)
        lsb = gl.xMin if gl.numberOfContours else 0
        hmtx[name] = (metrics[name], lsb)
    fb.setupHorizontalMetrics(hmtx)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    names = {
        "copyright": SOURCE_COPYRIGHT + " " + MODIFIED_NOTICE,
        "familyName": "Vorod Iduriza",
        "styleName": "Regular",
        "uniqueFontIdentifier": "Vorod Iduriza Regular 1.000",
        "fullName": "Vorod Iduriza",
        "version": "Version 1.000",
        "psName": "VorodIduriza",
        "description": MODIFIED_NOTICE,
        "licenseDescription": ("This Font Software is licensed under the SIL Open "
                               "Font License, Version 1.1."),
        "licenseInfoURL": "https://openfontlicense.org",
    }
    fb.setupNameTable(names, mac=False)
    fb.setupOS2(
        version=4,
        xAvgCharWidth=brace_adv,  # the brace is drawn with lfWidth = 7 px
        usWeightClass=400, usWidthClass=5,
        fsType=0,
        sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
        usWinAscent=ASCENT, usWinDescent=DESCENT,
        fsSelection=0x40 | 0x80,  # REGULAR, USE_TYPO_METRICS
        ulUnicodeRange1=0b11, ulUnicodeRange2=1 << (60 - 32),
        ulCodePageRange1=1,
        sxHeight=0, sCapHeight=0, usDefaultChar=0, usBreakChar=0x20,
        usMaxContext=0, achVendID="NONE",
        usFirstCharIndex=0x20, usLastCharIndex=0xF0FF,
    )
    fb.setupPost(keepGlyphNames=True)
    fb.setupMaxp()
    head = fb.font["head"]
    head.created = head.modified = TIMESTAMP
    head.fontRevision = 1.0
    fb.font["OS/2"].xAvgCharWidth = brace_adv
    fb.save(out_path)

    # Reload: the saved font is what the program sees.
    font = TTFont(out_path)
    assert font["OS/2"].xAvgCharWidth == brace_adv, "xAvgCharWidth was recomputed"
    if report:
        print_report(font, table)


def print_report(font, table):
    gs = font.getGlyphSet()
    cm = font.getBestCmap()
    for code in sorted(table):
        name = cm[0xF000 + code]
        pen = BoundsPen(gs)
        gs[name].draw(pen)
        x0, y0, x1, y1 = pen.bounds
        print("%3d adv %5.1f ink x %5.1f..%5.1f  y %5.1f..%5.1f px below top" % (
            code, gs[name].width / PX, x0 / PX, x1 / PX,
            (ASCENT - y1) / PX, (ASCENT - y0) / PX))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("source", help="bravura.otf of @vexflow-fonts/bravura")
    ap.add_argument("output", help="MusicSymbols.ttf to write")
    ap.add_argument("--report", action="store_true")
    args = ap.parse_args()
    build(args.source, args.output, args.report)


if __name__ == "__main__":
    sys.exit(main())
