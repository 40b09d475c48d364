#!/usr/bin/python3
"""Builds the Tarvis symbol font (a TrueType file) from the outlines in tarvis-glyphs.txt.

Usage: make_font.py OUTLINES OUTPUT.ttf
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.recordingPen import RecordingPen
from fontTools.pens.reverseContourPen import ReverseContourPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.svgLib.path import parse_path

EM = 1000
ASCENT = 850
DESCENT = 150


def read_outlines(path):
    outlines = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            letter, _, svg_path = line.partition(" ")
            if len(letter) != 1 or not svg_path.strip():
                sys.exit(f"{path}:{number}: expected '<letter> <SVG path>'")
            outlines[letter] = svg_path.strip()
    return outlines


def split_contours(svg_path):
    """Parses an SVG path (y down) into contours in font units (y up), each a list of pen operations."""
    recording = RecordingPen()
    parse_path(svg_path, TransformPen(recording, (1, 0, 0, -1, 0, ASCENT)))
    contours, current = [], []
    for op, args in recording.value:
        current.append((op, args))
        if op in ("closePath", "endPath"):
            contours.append(current)
            current = []
    return contours


def contour_points(contour):
    return [pt for _, args in contour for pt in args]


def signed_area(points):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1])) / 2


def inside(point, polygon):
    x, y = point
    result = False
    for (x0, y0), (x1, y1) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
            result = not result
    return result


def draw_glyph(svg_path):
    """Draws the glyph with TrueType winding: outer contours clockwise, holes counter-clockwise, by nesting depth."""
    contours = split_contours(svg_path)
    polygons = [contour_points(c) for c in contours]
    pen = TTGlyphPen(None)
    quadratic = Cu2QuPen(pen, max_err=1.0, reverse_direction=False)
    for index, contour in enumerate(contours):
        probe = polygons[index][0]
        depth = sum(1 for other, polygon in enumerate(polygons) if other != index and inside(probe, polygon))
        clockwise = signed_area(polygons[index]) < 0
        target = quadratic if clockwise == (depth % 2 == 0) else ReverseContourPen(quadratic)
        replay = RecordingPen()
        replay.value = contour
        replay.replay(target)
    return pen.glyph()


def notdef_glyph():
    pen = TTGlyphPen(None)
    for rect, clockwise in (((100, -100, 900, 800), True), ((180, -20, 820, 720), False)):
        x0, y0, x1, y1 = rect
        points = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
        if not clockwise:
            points.reverse()
        pen.moveTo(points[0])
        for p in points[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def build(outlines_path, output_path):
    outlines = read_outlines(outlines_path)
    letters = sorted(outlines)
    order = [".notdef", "space"] + letters
    glyphs = {".notdef": notdef_glyph(), "space": TTGlyphPen(None).glyph()}
    for letter in letters:
        glyphs[letter] = draw_glyph(outlines[letter])

    fb = FontBuilder(EM, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({ord(" "): "space", **{ord(letter): letter for letter in letters}})
    fb.setupGlyf(glyphs)
    metrics = {}
    for name in order:
        glyph = fb.font["glyf"][name]
        metrics[name] = (EM, getattr(glyph, "xMin", 0))
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    fb.setupNameTable({"familyName": "Tarvis", "styleName": "Regular",
                       "uniqueFontIdentifier": "Tarvis Regular", "fullName": "Tarvis",
                       "psName": "Tarvis-Regular", "version": "Version 1.0"})
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=DESCENT, achVendID="TRVS")
    fb.setupPost()
    fb.save(output_path)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    build(sys.argv[1], sys.argv[2])
