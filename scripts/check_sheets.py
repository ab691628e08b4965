#!/usr/bin/python3
"""Reads the drawing sheets of ds-host's sample roads with programs nobody here wrote.

Runs `ds-host road` and `ds-host param-road` into a scratch folder, then reads
every DXF back with ezdxf (audit without errors or fixes, the layers and their
weights, entity counts, the Chinese texts as decoded from the file's code page,
a CJK text style, DIMENSION entities whose measurement is what they say, an
outline edge as long as the dimension of it), renders every SVG with headless
Chromium (a PNG that is not blank, and the texts in the page it parsed), reads
the PDF with poppler (a page per sheet, fonts embedded) and checks that every
text file is valid in its encoding (UTF-8, the DXF in GBK). Prints one line per
file and closes with "N passed, N failed". Chinese text under 3.5 mm high on
the printed sheet fails the file.

With --keep DIR the files stay in DIR, and every DXF is also rendered to
NAME.dxf.png with ezdxf's drawing add-on for a person to look at.

Usage: check_sheets.py DS_HOST [--keep DIR]
"""
import logging
import math
import pathlib
import re
import subprocess
import sys
import tempfile

import ezdxf
import ezdxf.bbox
import matplotlib.image

LAYERS = {"FRAME", "OUTLINE", "REBAR", "DIMENSION", "TEXT", "TABLE", "CENTRE"}
# Faces a CAD program shows Chinese with: TrueType 仿宋/宋体/黑体 or the big font of Chinese SHX drawings.
CJK_FONTS = {"simfang.ttf", "simsun.ttc", "simhei.ttf", "fangsong_gb2312.ttf"}
CJK_BIG_FONTS = {"gbcbig.shx", "hztxt.shx"}
LEAST_CJK_HEIGHT = 3.5
# Texts every drawing sheet carries, and the least entities of each kind a
# sheet with plan, elevation, mesh and tables has (the lines of a dimension
# are in its block, not counted as LINE).
SHEET_TEXTS = ["附注：", "垫石参数表", "工程数量表", "平面", "I-I", "比例", "N1", "N2"]
LEAST = {"LINE": 40, "DIMENSION": 8, "TEXT": 60, "LWPOLYLINE": 4, "CIRCLE": 4, "HATCH": 4}
FINDINGS_TEXT = "设计检查未通过"


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, timeout=240, **kw)


def note(text):
    """Something a reader should know that does not fail the check."""
    print(f"note    {text}")


def check_encoding(path):
    data = path.read_bytes()
    data.decode("gbk" if path.suffix == ".dxf" else "utf-8")  # raises on an invalid byte
    assert b"\r" not in data or path.suffix == ".pdf", "a raw carriage return"


def shown_measurement(dim):
    """What a CAD program prints for `dim`: its measurement times the linear factor (DIMLFAC) of its style or override."""
    return dim.get_measurement() * dim.override().get("dimlfac", 1.0)  # the override, else the style's


def dimensioned_distance(dim):
    """The distance between the two points `dim` measures, along its rotation (aligned: straight), in sheet units
    of the view: the model-space length, which the views keep at 1:1."""
    a, b = dim.dxf.defpoint2, dim.dxf.defpoint3
    if dim.dimtype & 7 == 1:  # aligned
        return math.dist((a.x, a.y), (b.x, b.y))
    angle = math.radians(dim.dxf.get("angle", 0.0))
    return abs((b.x - a.x) * math.cos(angle) + (b.y - a.y) * math.sin(angle))


def check_cad_use(doc, msp, stem):
    """A CAD user's checks: styles, weights, true sizes, dimensions."""
    style = doc.styles.get(msp.query("TEXT")[0].dxf.style)
    font, big = style.dxf.font.lower(), style.dxf.get("bigfont", "").lower()
    assert font in CJK_FONTS or big in CJK_BIG_FONTS, f"text style {style.dxf.name} has no CJK font ({font}, {big})"
    weight = {layer.dxf.name: layer.dxf.lineweight for layer in doc.layers}
    assert weight["REBAR"] > weight["OUTLINE"] > weight["DIMENSION"], f"layer weights {weight}"
    # Heights on paper: model-space texts are enlarged by the sheet scale.
    scale = doc.header.get("$LTSCALE", 1.0)
    small = {t.dxf.text for t in msp.query("TEXT") if re.search("[\u4e00-\u9fff]", t.dxf.text)
             and t.dxf.height / scale < LEAST_CJK_HEIGHT - 0.05}
    assert not small, f"{len(small)} Chinese text(s) under {LEAST_CJK_HEIGHT} mm, e.g. {sorted(small)[:3]}"
    dims = msp.query("DIMENSION")
    assert dims, "no DIMENSION entities"
    if scale <= 1.0:
        note(f"{stem}: no view declared drawn to scale, true sizes and dimensions not checked")
        return
    for dim in dims:
        shown, spanned, text = shown_measurement(dim), dimensioned_distance(dim), dim.dxf.get("text", "")
        assert abs(shown - spanned) < 0.5, f"a dimension shows {shown:.1f} over a distance of {spanned:.1f}"
        if text in ("", "<>"):
            continue
        product = re.fullmatch(r"(\d+(?:\.\d+)?)\s*[×xX]\s*(\d+(?:\.\d+)?)", text)
        said = float(product[1]) * float(product[2]) if product else float(text) if re.fullmatch(r"\d+(\.\d+)?", text) else None
        assert said is None or abs(said - shown) < 0.5, f"a dimension says {text} but a CAD program measures {shown:.1f}"
    longest = max(dim.get_measurement() for dim in dims)
    edges = [math.dist(a, b) for p in msp.query('LWPOLYLINE[layer=="OUTLINE"]')
             for a, b in zip(list(p.get_points("xy")), list(p.get_points("xy"))[1:] + list(p.get_points("xy"))[:1])]
    assert any(abs(e - longest) < 0.5 for e in edges), f"no outline edge measures {longest:.1f} (edges {edges[:6]})"


def check_dxf(path):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    errors = [e.message for e in auditor.errors] + [f.message for f in auditor.fixes]
    assert not errors, f"audit: {errors}"
    assert doc.header.get("$DWGCODEPAGE") == "ANSI_936", "code page"
    assert doc.header.get("$INSUNITS") == 4, "units"
    assert LAYERS <= {layer.dxf.name for layer in doc.layers}, "layers"
    msp = doc.modelspace()
    texts = [t.dxf.text for t in msp.query("TEXT")]
    assert path.stem.replace("-", "/") in texts, f"title {path.stem} not among the texts"
    if FINDINGS_TEXT in path.stem:
        assert any(t.startswith("1. ") for t in texts), "findings"
        return
    for kind, least in LEAST.items():
        count = len(msp.query(kind))
        assert count >= least, f"{count} {kind} entities, expected at least {least}"
    missing = [t for t in SHEET_TEXTS if t not in texts]
    assert not missing, f"texts not decoded: {missing}"
    check_cad_use(doc, msp, path.stem)


def render_dxf(path):
    """NAME.dxf.png of the model space. simfang.ttf is a Windows face: like a CAD
    program's font substitution, matplotlib falls back to Noto Sans CJK."""
    import matplotlib.font_manager
    import matplotlib.pyplot as plt
    from ezdxf.addons.drawing import Frontend, RenderContext
    from ezdxf.addons.drawing.matplotlib import MatplotlibBackend
    matplotlib.font_manager.fontManager.defaultFamily["ttf"] = "Noto Sans CJK JP"
    logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)  # one "not found" per text otherwise
    doc = ezdxf.readfile(path)
    fig = plt.figure(figsize=(16.5, 11.7))
    ax = fig.add_axes([0, 0, 1, 1])
    Frontend(RenderContext(doc), MatplotlibBackend(ax)).draw_layout(doc.modelspace(), finalize=True)
    fig.savefig(path.with_suffix(".dxf.png"), dpi=100)
    plt.close(fig)


def check_pdf(path, sheets):
    fonts = run(["pdffonts", str(path)]).stdout.decode().splitlines()[2:]
    assert fonts and all(line.split()[-5] == "yes" for line in fonts), f"fonts not embedded: {fonts}"
    info = run(["pdfinfo", str(path)]).stdout.decode()
    pages = int(re.search(r"Pages:\s+(\d+)", info)[1])
    assert pages == sheets, f"{pages} pages for {sheets} sheets"
    assert "1190.55 x 841.89" in info, "pages are not A3 landscape"
    text = run(["pdftotext", str(path), "-"]).stdout.decode()
    assert "工程数量表" in text, "Chinese text not extractable"


def check_svg(path, scratch):
    browser = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", "--no-first-run",
               f"--user-data-dir={scratch}", "--window-size=1587,1123"]
    png = path.with_suffix(".png")
    run(browser + [f"--screenshot={png}", path.as_uri()])
    pixels = matplotlib.image.imread(png)[..., :3]
    inked = (pixels.sum(axis=2) < 1.5).mean()
    assert 0.005 < inked < 0.5, f"{inked:.4f} of the page is inked"
    page = run(browser + ["--dump-dom", path.as_uri()]).stdout.decode("utf-8")
    wanted = [FINDINGS_TEXT] if FINDINGS_TEXT in path.stem else SHEET_TEXTS
    missing = [t for t in wanted if f">{t}" not in page]
    assert not missing, f"texts not in the page: {missing}"


def main():
    ds_host = sys.argv[1]
    keep = sys.argv[3] if len(sys.argv) > 3 and sys.argv[2] == "--keep" else None
    with tempfile.TemporaryDirectory() as scratch:
        base = pathlib.Path(keep or scratch)
        for road in ("road", "param-road"):
            (base / road).mkdir(parents=True, exist_ok=True)
            run([ds_host, road, str(base / road / "p.json"), "--force"])
        sheets = sorted(base.glob("*/sheets/*.dxf")) + sorted(base.glob("*/sheets/*.svg"))
        assert len(sheets) >= 6, f"only {len(sheets)} sheet files"
        pdfs = sorted(base.glob("*/sheets/sheets.pdf"))
        texts = sheets + sorted(base.glob("*/sheets/index.html"))
        passed = failed = 0
        checks = [(p, check_encoding) for p in texts] + [(p, None) for p in sheets + pdfs]
        for path, check in checks:
            try:
                if check:
                    check(path)
                elif path.suffix == ".pdf":
                    check_pdf(path, len(list(path.parent.glob("*.svg"))))
                else:
                    check_dxf(path) if path.suffix == ".dxf" else check_svg(path, pathlib.Path(scratch) / "browser")
                    if keep and path.suffix == ".dxf":
                        render_dxf(path)
                print(f"ok      {path.relative_to(base)}{' (encoding)' if check else ''}")
                passed += 1
            except Exception as error:  # one report per file, then the next
                print(f"FAILED  {path.relative_to(base)}{' (encoding)' if check else ''}: {error}")
                failed += 1
        for name, check in quantity_checks(ds_host, base) + [("LibreCAD's font holds every character of the sheets",
                                                               lambda: librecad_font_check(base, pathlib.Path(scratch)))]:
            try:
                check()
                print(f"ok      {name}")
                passed += 1
            except Exception as error:
                print(f"FAILED  {name}: {error}")
                failed += 1
        print(f"{passed} passed, {failed} failed")
        return 1 if failed else 0



def librecad_font_check(base, scratch):
    """librecad_cjk_font.py draws a glyph of every character the roads' DXF texts hold."""
    folder = scratch / "librecad-fonts"
    run(["/usr/bin/python3", str(pathlib.Path(__file__).with_name("librecad_cjk_font.py")), str(folder)])
    font = (folder / "fangsong.lff").read_text(encoding="utf-8")
    held = {int(code, 16) for code in re.findall(r"^\[([0-9a-f]{4,5})\]", font, re.M)}
    used = {ord(c) for path in base.glob("*/sheets/*.dxf") for t in ezdxf.readfile(path).modelspace().query("TEXT")
            for c in t.dxf.text if ord(c) > 0x20 and not c.isspace()}
    missing = "".join(sorted(chr(c) for c in used - held))
    assert not missing, f"no glyph for {missing}"


# ---------------------------------------------------------------------------
# The quantity table recomputed from the bars as drawn.
#
# Reads a single drawing's DXF as a checking engineer reads the sheet: the
# plan's and the front view's outlines give the drawing's factor (paper per
# millimetre, from the width in the parameter table), the plan's REBAR lines,
# dots and tie loop give N1/N2 per layer, N3 per pedestal and the tie's loop,
# the front view's REBAR lines give the mesh layers, ties and the vertical
# bar's legs of pedestal 1#; the pedestal number table gives the other
# heights, and the rules the sheet prints (cover c, 100 mm layers, 30d/10d,
# hooks 10d) give their layers and lengths. The result must equal the
# quantity table, line by line. A second drawing with a cover of 50 must
# shorten N1 by 20 mm.

def quantity_checks(ds_host, base):
    folder = base / "quantities"
    folder.mkdir(parents=True, exist_ok=True)
    drawn = {}

    def draw(cover):
        project = folder / f"cover{cover}.json"
        run([ds_host, "new", str(project), "--force"])
        run([ds_host, "add", str(project), "--name", "垫石Q"])
        run([ds_host, "grid", str(project), "--set", f"垫石-绘图设置.m_dCover={cover}",
             "--set", "垫石-构造属性.m_dHeight=200", "--set", "垫石-构造属性.m_iCount=1"])
        out = folder / f"dxf{cover}"
        run([ds_host, "draw", str(project), "--dxf", str(out)])
        drawn[cover] = recompute_from_drawing(next(out.glob("*.dxf")))
        return drawn[cover]

    def road():
        recompute_from_drawing(next((base / "road" / "sheets").glob("主线1号墩垫石钢筋构造图.dxf")))

    def cover_50():
        # 560 x 560 x 200: N1 runs 560 - 2c; the mesh lies inside the ties (10) and verticals (16), so
        # (560 - 2(c + 26) - 12) / 100 + 1 bars a layer; (200 - 2c - 12) / 100 + 1 layers.
        assert draw(40)["N1"] == [(480, 5 * 2)], drawn[40]["N1"]
        assert draw(50)["N1"] == [(460, 4 * 1)], drawn[50]["N1"]

    return [("quantities of road recomputed from the drawn bars", road),
            ("a cover of 50 shortens N1 by 20 mm", cover_50)]


def text_cells(msp, layer):
    cells = []
    for t in msp.query(f'TEXT[layer=="{layer}"]'):
        at = t.dxf.align_point if t.dxf.get("halign", 0) or t.dxf.get("valign", 0) else t.dxf.insert
        cells.append((round(at.y, 1), at.x, t.dxf.text))
    return cells


def table_rows(msp, header_cell):
    """Rows (lists of cell texts, left to right) below the header row holding `header_cell`."""
    scale = msp.doc.header.get("$LTSCALE", 1.0)  # paper is enlarged by the sheet scale in model space
    cells = text_cells(msp, "TABLE")
    header = next(c for c in cells if c[2] == header_cell)
    columns = sorted(c[1] for c in cells if c[0] == header[0])  # a table's cells share its header's x positions
    rows = {}
    for y, x, value in cells:
        if y < header[0] and any(abs(x - cx) < 0.6 * scale for cx in columns):
            rows.setdefault(y, {})[min(range(len(columns)), key=lambda i: abs(x - columns[i]))] = value
    result = []
    for y in sorted(rows, reverse=True):
        if header[0] - y > 7.0 * scale * (len(result) + 1):
            break  # past the table's last row
        result.append([rows[y].get(i, "") for i in range(len(columns))])
    return result


def recompute_from_drawing(path):
    doc = ezdxf.readfile(path)
    msp = doc.modelspace()
    params = table_rows(msp, "宽(mm)")[0]
    width, length = float(params[5]), float(params[6])
    outlines = [e for e in msp.query('LWPOLYLINE[layer=="OUTLINE"]') if e.closed and len(e) == 4]
    boxes = [bbox(e.get_points()) for e in outlines]
    plan = min(boxes, key=lambda b: abs((b[3] - b[1]) / (b[2] - b[0]) - length / width))
    front = next(b for b in boxes if b != plan)
    k = (plan[2] - plan[0]) / width  # paper per millimetre
    notes = " ".join(c[2] for c in text_cells(msp, "TEXT"))
    cover = float(notes.split("c=")[1].split("mm")[0])

    rebar_lines = [(e.dxf.start, e.dxf.end) for e in msp.query('LINE[layer=="REBAR"]')]
    inside = lambda b, p: b[0] - 0.01 <= p.x <= b[2] + 0.01 and b[1] - 0.01 <= p.y <= b[3] + 0.01  # noqa: E731
    plan_lines = [(a, b) for a, b in rebar_lines if inside(plan, a) and inside(plan, b)]
    n1 = [abs(b.x - a.x) / k for a, b in plan_lines if abs(b.y - a.y) < 1e-6]
    n2 = [abs(b.y - a.y) / k for a, b in plan_lines if abs(b.x - a.x) < 1e-6]
    dots = [h for h in msp.query('HATCH[layer=="REBAR"]') if inside(plan, hatch_centre(h))]
    loop = next(bbox(e.get_points()) for e in msp.query('LWPOLYLINE[layer=="REBAR"]') if inside(plan, point(*e.get_points()[0][:2])))
    tie_a, tie_b = (loop[2] - loop[0]) / k, (loop[3] - loop[1]) / k

    in_front_x = lambda p: front[0] - 0.01 <= p.x <= front[2] + 0.01  # noqa: E731
    front_lines = [(a, b) for a, b in rebar_lines if in_front_x(a) and in_front_x(b) and min(a.y, b.y) > plan[3]]
    flat = [(abs(b.x - a.x) / k, round(a.y, 3)) for a, b in front_lines if abs(b.y - a.y) < 1e-6]
    upright = [abs(b.y - a.y) / k for a, b in front_lines if abs(b.x - a.x) < 1e-6]
    layers_1 = len({y for run_, y in flat if abs(run_ - n1[0]) < 0.6})
    ties_1 = len({y for run_, y in flat if abs(run_ - tie_a) < 0.6})
    foot = min(run_ for run_, y in flat)

    quantities = {row[0]: row for row in table_rows(msp, "单根长(mm)")}
    lines = {}
    for row in table_rows(msp, "单根长(mm)"):
        if row[0].startswith("N"):  # one bar's length, or "shortest~longest" for vertical bars
            lengths = [round(float(v)) for v in row[3].split("~")]
            lines.setdefault(row[0], []).append((lengths[0] if len(lengths) == 1 else tuple(lengths), int(row[4])))
    diameters = {row[0]: float(row[2]) for row in table_rows(msp, "单根长(mm)") if row[0].startswith("N")}
    pedestals = [(float(r[1]), int(r[2])) for r in table_rows(msp, "高h(mm)") if r[0].endswith("#")]
    assert quantities and pedestals, "quantity table and pedestal numbers"
    assert pedestals[0][1] == layers_1, f"front view shows {layers_1} layers, the table {pedestals[0][1]} for 1#"

    d_mesh = max(diameters["N1"], diameters["N2"])
    layers = [int((h - 2 * cover - d_mesh) // 100) + 1 for h, _ in pedestals]
    assert layers[0] == layers_1, f"the rule gives {layers[0]} layers for 1#, the view {layers_1}"
    d4, d3 = diameters["N4"], diameters["N3"]
    ties = [ties_1] + [int((h - (cover + d4 / 2 + 50) - (cover + d4 / 2)) // 100) + 1 for h, _ in pedestals[1:]]
    expected = {
        "N1": [(round(n1[0]), len(n1) * sum(layers))],
        "N2": [(round(n2[0]), len(n2) * sum(layers))],
        "N4": [(round(2 * (tie_a + tie_b) + 2 * 10 * d4), sum(ties))],
    }
    n3 = {}
    rise = max(upright) - pedestals[0][0]  # the upright leg of 1#, less its height: the same for every pedestal
    for h, _ in pedestals:
        n3[round(h + rise + foot)] = n3.get(round(h + rise + foot), 0) + len(dots)
    expected["N3"] = [(min(n3) if len(n3) == 1 else (min(n3), max(n3)), sum(n3.values()))]
    assert abs(foot - 10 * d3) < 0.6 and abs(rise + cover - 30 * d3) < 0.6, f"N3 legs: foot {foot}, rise {rise}"
    for mark, want in expected.items():
        got = sorted(lines.get(mark, []))
        assert got == sorted(want), f"{mark}: table {got}, drawn {sorted(want)}"
    return lines


def bbox(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs), min(ys), max(xs), max(ys))


def point(x, y):
    return ezdxf.math.Vec2(x, y)


def hatch_centre(h):
    centre = ezdxf.bbox.extents([h]).center
    return point(centre.x, centre.y)


if __name__ == "__main__":
    sys.exit(main())
