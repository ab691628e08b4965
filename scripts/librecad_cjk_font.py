#!/usr/bin/python3
"""Makes the LibreCAD font our DXF sheets' texts ask for, so that LibreCAD shows
their Chinese text as ezdxf and other CAD programs do.

LibreCAD 2.2 reads the sheets' code page (ANSI_936) right: every character
arrives whole. But it chooses a text's font by the name of its text style
(FANGSONG), not by the style's font file (simfang.ttf); it has no font of that
name, falls back to its standard font, which holds no Chinese, and draws a
placeholder for each character. None of its own fonts holds the simplified
characters a sheet uses. This script draws the glyphs of the CJK face the
sheets' PDF already uses (Noto Sans CJK SC, from fonts-noto-cjk) as LibreCAD's
stroke font format (LFF): every outline as a closed polyline, so characters
show hollow, in LibreCAD's cap-height units (a capital is 9 units high, as a
text's height is in CAD).

    /usr/bin/python3 scripts/librecad_cjk_font.py [FOLDER]

writes FOLDER/fangsong.lff (default: ~/.librecad/fonts, where
LibreCAD looks for a user's fonts). It covers ASCII, the symbols the sheets
use and every character of GB 2312, about 7 500 glyphs.
"""
import pathlib
import sys

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTCollection

FACE = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
FAMILY = "Noto Sans CJK SC"
STYLE_NAME = "fangsong"  # the sheets' text style, FANGSONG, as LibreCAD looks it up
CAP_UNITS = 9.0          # an LFF capital's height
STEPS = 6                # segments a curve is drawn with


class PolylinePen(BasePen):
    """Outlines as polylines, curves drawn as short straight steps."""

    def __init__(self, glyphs, scale):
        super().__init__(glyphs)
        self.scale = scale
        self.lines = []
        self.current = []

    def point(self, p):
        return (p[0] * self.scale, p[1] * self.scale)

    def _moveTo(self, p):
        self._flush()
        self.current = [self.point(p)]

    def _lineTo(self, p):
        self.current.append(self.point(p))

    def _curveToOne(self, p1, p2, p3):
        start = self._getCurrentPoint()
        for i in range(1, STEPS + 1):
            t = i / STEPS
            u = 1 - t
            x = u ** 3 * start[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0]
            y = u ** 3 * start[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]
            self.current.append(self.point((x, y)))

    def _qCurveToOne(self, p1, p2):
        start = self._getCurrentPoint()
        for i in range(1, STEPS + 1):
            t = i / STEPS
            u = 1 - t
            x = u * u * start[0] + 2 * u * t * p1[0] + t * t * p2[0]
            y = u * u * start[1] + 2 * u * t * p1[1] + t * t * p2[1]
            self.current.append(self.point((x, y)))

    def _closePath(self):
        if self.current:
            self.current.append(self.current[0])
        self._flush()

    def _endPath(self):
        self._flush()

    def _flush(self):
        if len(self.current) > 1:
            self.lines.append(self.current)
        self.current = []


def characters():
    """ASCII, the symbols on the sheets, and GB 2312 (the sheets are GBK; GB 2312 holds every common
    character, and its rows A1-A9 the punctuation, Greek and full-width forms)."""
    chars = [chr(c) for c in range(0x21, 0x7F)] + list("°×÷±Φφθπ→←↑↓～·、。，；：？！（）《》【】“”‘’…—")
    for lead in list(range(0xA1, 0xAA)) + list(range(0xB0, 0xF8)):
        for trail in range(0xA1, 0xFF):
            try:
                chars.append(bytes([lead, trail]).decode("gb2312"))
            except UnicodeDecodeError:
                pass
    return list(dict.fromkeys(chars))


def face():
    collection = TTCollection(FACE)
    for font in collection.fonts:
        if font["name"].getDebugName(1) == FAMILY:
            return font
    raise SystemExit(f"{FAMILY} is not in {FACE}: install fonts-noto-cjk")


def number(v):
    return f"{v:.2f}".rstrip("0").rstrip(".") or "0"


def main():
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path.home() / ".librecad/fonts"
    font = face()
    cmap = font.getBestCmap()
    glyphs = font.getGlyphSet()
    scale = CAP_UNITS / font["OS/2"].sCapHeight
    out = [
        "# Format:            LibreCAD Font 1",
        "# Creator:           librecad_cjk_font.py",
        "# Version:           1",
        f"# Name:              {STYLE_NAME}",
        "# Encoding:          UTF-8",
        "# LetterSpacing:     1",
        "# WordSpacing:       4",
        "# LineSpacingFactor: 1",
        f"# License:           SIL Open Font License 1.1 (drawn from {FAMILY})",
        "",
    ]
    written = 0
    for char in characters():
        name = cmap.get(ord(char))
        if name is None:
            continue
        pen = PolylinePen(glyphs, scale)
        glyphs[name].draw(pen)
        if not pen.lines:
            continue
        out.append(f"[{ord(char):04x}] {char}")
        out.extend(";".join(f"{number(x)},{number(y)}" for x, y in line) for line in pen.lines)
        out.append("")
        written += 1
    folder.mkdir(parents=True, exist_ok=True)
    target = folder / f"{STYLE_NAME}.lff"
    target.write_text("\n".join(out), encoding="utf-8")
    print(f"{target}: {written} glyphs")


if __name__ == "__main__":
    main()
