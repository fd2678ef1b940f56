#!/usr/bin/python3
# Builds iconfont.ttf (family "iconfont"): the platform's own glyphs, each drawn
# here from plain shapes. Run through tools/geniconfont, which installs fontforge.
#   /usr/bin/python3 iconfont.py [output.ttf]
import math
import os
import sys

import fontforge

EM = 1024
ASCENT = 896
DESCENT = 128


def to_em(x, y):
    """Glyphs are drawn on a 100 x 100 grid standing on the baseline."""
    return (62 + x * 9.0, -64 + y * 9.0)


def circle(cx, cy, r, steps=64):
    return [(cx + r * math.cos(2 * math.pi * i / steps), cy + r * math.sin(2 * math.pi * i / steps))
            for i in range(steps)]


def arc(cx, cy, r, start, end, steps=24):
    """Points along an arc, angles in degrees, counter-clockwise from start to end."""
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + r * math.sin(math.radians(start + (end - start) * i / steps))) for i in range(steps + 1)]


def band(cx, cy, inner, outer, start, end):
    """A curved band between two radii: the waves of a detector."""
    return arc(cx, cy, outer, start, end) + list(reversed(arc(cx, cy, inner, start, end)))


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def round_rect(x0, y0, x1, y1, r):
    pts = []
    for cx, cy, a in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        pts += arc(cx, cy, r, a, a + 90, 6)
    return pts


def quad(p0, p1, p2, steps=16):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / steps for i in range(steps + 1))]


def scaled(points, cx, cy, s):
    return [(cx + (x - cx) * s, cy + (y - cy) * s) for x, y in points]


def moved(points, dx, dy, s=1.0):
    return [(x * s + dx, y * s + dy) for x, y in points]


def stroke(points, width):
    """A thick polyline as one polygon per segment, with round joints."""
    polys = []
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
        polys.append([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
    polys += [circle(x, y, width / 2, 24) for x, y in points]
    return polys


def gear(cx, cy, outer, inner, teeth, steps=720):
    """A gear outline: radius outer on each tooth, inner between them, with bevelled flanks."""
    pts = []
    for i in range(steps):
        a = 2 * math.pi * i / steps
        phase = (a * teeth / (2 * math.pi)) % 1.0
        # tooth top for the middle 40 %, flanks of 10 % each side
        if 0.3 <= phase <= 0.7:
            r = outer
        elif 0.2 <= phase < 0.3:
            r = inner + (outer - inner) * (phase - 0.2) / 0.1
        elif 0.7 < phase <= 0.8:
            r = inner + (outer - inner) * (0.8 - phase) / 0.1
        else:
            r = inner
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def shield():
    right = quad((88, 50), (86, 18), (50, 2))
    left = quad((50, 2), (14, 18), (12, 50))
    return [(50, 98), (88, 86)] + right + left[1:] + [(12, 86)]


def folded_map():
    return [(5, 80), (35, 92), (65, 80), (95, 92), (95, 18), (65, 6), (35, 18), (5, 6)]


# Each glyph is a sequence of steps: shapes to add, then shapes to cut away.
GLYPHS = {
    # the platform's logo: a shield with a tick
    0xE6F2: [("add", [shield()]),
             ("cut", [scaled(shield(), 50, 52, 0.78)]),
             ("add", stroke([(32, 52), (45, 38), (70, 66)], 9))],
    # alarm controller: a control box with a display and a keypad
    0xEA00: [("add", [round_rect(6, 8, 94, 90, 8)]),
             ("cut", [round_rect(13, 15, 87, 83, 4)]),
             ("add", [rect(21, 62, 79, 75)] +
                     [rect(x, y, x + 14, y + 11) for x in (21, 43, 65) for y in (23, 41)])],
    # map monitoring: a folded map with a watched spot
    0xE695: [("add", [folded_map()]),
             ("cut", [rect(33.25, 24, 36.75, 86), rect(63.25, 12, 66.75, 74), circle(50, 52, 12)]),
             ("add", [circle(50, 52, 6)])],
    # data monitoring: a bar chart on its axes with a rising trend
    0xE60A: [("add", [rect(6, 6, 13, 96), rect(6, 6, 96, 13),
                      rect(22, 13, 34, 40), rect(44, 13, 56, 56), rect(66, 13, 78, 70)] +
                     stroke([(24, 58), (50, 74), (84, 92)], 6))],
    # run log: a page with a folded corner and lines of text
    0xEA44: [("add", [[(14, 4), (86, 4), (86, 72), (62, 96), (14, 96)]]),
             ("cut", [[(21, 11), (79, 11), (79, 67), (57, 89), (21, 89)]]),
             ("add", [[(60, 84), (60, 70), (74, 70)]] +
                     [rect(29, y, 71, y + 6) for y in (22, 36, 50)] + [rect(29, 64, 50, 70)])],
    # alarm: a bell with its clapper and ringing marks
    0xEA5B: [("add", [arc(50, 62, 26, 0, 180) + [(20, 30), (14, 24), (86, 24), (80, 30)],
                      rect(10, 18, 90, 25), circle(50, 10, 8), circle(50, 90, 5)] +
                     [band(50, 62, 33, 38, 20, 55), band(50, 62, 33, 38, 125, 160)])],
    # user: head and shoulders
    0xEA59: [("add", [circle(50, 70, 21), arc(50, 4, 40, 0, 180, 48)])],
    # settings: a gear
    0xE60D: [("add", [gear(50, 50, 46, 34, 8)]),
             ("cut", [circle(50, 50, 15)])],
    # port: a network socket with its contacts
    0xE9C1: [("add", [round_rect(8, 8, 92, 92, 8)]),
             ("cut", [[(22, 22), (78, 22), (78, 64), (66, 64), (66, 76), (34, 76), (34, 64), (22, 64)]]),
             ("add", [rect(x, 50, x + 5, 61) for x in (29, 39.5, 50, 60.5)])],
    # detector: a motion sensor's dome on its base, sensing waves above
    0xE603: [("add", [arc(50, 22, 22, 0, 180) + [(28, 22)], rect(18, 8, 82, 22)] +
                     [band(50, 22, 30, 36, 35, 145), band(50, 22, 44, 50, 45, 135), band(50, 22, 58, 64, 55, 125)]),
             ("cut", [rect(26, 13, 74, 16)])],
    # map management: a folded map with a small gear on its corner
    0xE6A3: [("add", [moved(folded_map(), 0, 30, 0.62), gear(78, 22, 18, 13, 7)]),
             ("cut", [rect(20, 44, 23.4, 84), rect(38.6, 37, 42, 77), circle(78, 22, 5.5)])],
    # position: a map pin
    0xE702: [("add", [circle(50, 66, 30), [(24.5, 51), (75.5, 51), (50, 3)]]),
             ("cut", [circle(50, 66, 12)])],
}


def draw(glyph, polygons):
    pen = glyph.glyphPen(replace=False)
    for poly in polygons:
        if area(poly) > 0:
            poly = list(reversed(poly))
        pen.moveTo(to_em(*poly[0]))
        for point in poly[1:]:
            pen.lineTo(to_em(*point))
        pen.closePath()
    pen = None
    glyph.removeOverlap()


def area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def cut(glyph, polygons):
    """Holes lie wholly inside the ink: wound against it, they stay empty."""
    glyph.correctDirection()
    pen = glyph.glyphPen(replace=False)
    for poly in polygons:
        if area(poly) < 0:
            poly = list(reversed(poly))
        pen.moveTo(to_em(*poly[0]))
        for point in poly[1:]:
            pen.lineTo(to_em(*point))
        pen.closePath()
    pen = None


def build(path):
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.fontname = font.familyname = font.fullname = "iconfont"
    font.copyright = "Drawn for this project by framework/image/iconfont.py"
    font.ascent = ASCENT
    font.descent = DESCENT
    font.em = EM
    for code, steps in sorted(GLYPHS.items()):
        glyph = font.createChar(code, "uni%04X" % code)
        for action, polygons in steps:
            if action == "add":
                draw(glyph, polygons)
            else:
                cut(glyph, polygons)
        glyph.correctDirection()
        glyph.simplify(0.5)
        glyph.round()
        glyph.width = EM
    font.generate(path)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    build(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "iconfont.ttf"))
