#!/usr/bin/python3
"""Reads the drawing sheets of ds-host's sample roads with programs nobody here wrote.

Runs `ds-host road` and `ds-host param-road` into a scratch folder, then reads
every DXF back with ezdxf (audit without errors, the layers, entity counts and
the Chinese texts as decoded from the file's code page) and renders every SVG
with headless Chromium (a PNG that is not blank, and the texts in the page it
parsed). Prints one line per file and closes with "N passed, N failed".

Usage: check_sheets.py DS_HOST [--keep DIR]
"""
import pathlib
import subprocess
import sys
import tempfile

import ezdxf
import matplotlib.image

LAYERS = {"FRAME", "OUTLINE", "REBAR", "DIMENSION", "TEXT", "TABLE"}
# Texts every drawing sheet carries, and the least entities of each kind a
# sheet with plan, elevation, mesh and tables has.
SHEET_TEXTS = ["附注：", "垫石参数表", "工程数量表", "平面", "立面", "比例", "N1", "N2"]
LEAST = {"LINE": 100, "TEXT": 60, "LWPOLYLINE": 4, "CIRCLE": 4, "HATCH": 4}
FINDINGS_TEXT = "设计检查未通过"


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, capture_output=True, timeout=240, **kw)


def check_dxf(path):
    doc = ezdxf.readfile(path)
    errors = [e.message for e in doc.audit().errors]
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
        passed = failed = 0
        for path in sheets:
            try:
                check_dxf(path) if path.suffix == ".dxf" else check_svg(path, pathlib.Path(scratch) / "browser")
                print(f"ok      {path.relative_to(base)}")
                passed += 1
            except Exception as error:  # one report per file, then the next
                print(f"FAILED  {path.relative_to(base)}: {error}")
                failed += 1
        print(f"{passed} passed, {failed} failed")
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
