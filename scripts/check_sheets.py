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
file and closes with "N passed, N failed". Chinese text under 3.5 mm high is
reported as a note, not a failure.

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
import matplotlib.image

LAYERS = {"FRAME", "OUTLINE", "REBAR", "DIMENSION", "TEXT", "TABLE", "CENTRE"}
# Faces a CAD program shows Chinese with: TrueType 仿宋/宋体/黑体 or the big font of Chinese SHX drawings.
CJK_FONTS = {"simfang.ttf", "simsun.ttc", "simhei.ttf", "fangsong_gb2312.ttf"}
CJK_BIG_FONTS = {"gbcbig.shx", "hztxt.shx"}
LEAST_CJK_HEIGHT = 3.5
# Texts every drawing sheet carries, and the least entities of each kind a
# sheet with plan, elevation, mesh and tables has (the lines of a dimension
# are in its block, not counted as LINE).
SHEET_TEXTS = ["附注：", "垫石参数表", "工程数量表", "平面", "立面", "比例", "N1", "N2"]
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
    if small:
        note(f"{stem}: {len(small)} Chinese text(s) under {LEAST_CJK_HEIGHT} mm, e.g. {sorted(small)[:3]}")
    dims = msp.query("DIMENSION")
    assert dims, "no DIMENSION entities"
    if scale <= 1.0:
        note(f"{stem}: no view declared drawn to scale, true sizes and dimensions not checked")
        return
    for dim in dims:
        measured, text = dim.get_measurement(), dim.dxf.get("text", "")
        if text in ("", "<>"):
            continue
        product = re.fullmatch(r"(\d+)\s*[×xX]\s*(\d+)", text)
        said = float(product[1]) * float(product[2]) if product else float(text) if re.fullmatch(r"\d+(\.\d+)?", text) else None
        assert said is None or abs(said - measured) < 0.5, f"a dimension says {text} but measures {measured:.1f}"
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
        print(f"{passed} passed, {failed} failed")
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
