# An engineer's tool on the workbooks ds-host writes: openpyxl reads them
# (the row naming the drawing, captions, values and their types, the checks,
# comments, locked cells and page set-up) and saves edited copies.
# Usage: openpyxl_client.py FOLDER (holding single.xlsx and param.xlsx).
import sys
import openpyxl

folder = sys.argv[1]
failures = []


def expect(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: got {got!r}, wanted {wanted!r}")


def cells(sheet, expected):
    for ref, (value, kind) in expected.items():
        expect(ref, (sheet[ref].value, type(sheet[ref].value).__name__), (value, kind))


def checks(sheet):
    """Data validations as (cells, type, first formula, error style)."""
    return {str(v.sqref): (v.type, v.formula1, v.errorStyle) for v in sheet.data_validations.dataValidation}


single_book = openpyxl.load_workbook(f"{folder}/single.xlsx")
expect("sheets", single_book.sheetnames, ["垫石"])
single = single_book["垫石"]
cells(single, {
    "A1": ("# 图名", "str"), "B1": ("垫石", "str"),
    "A2": ("属性", "str"), "C2": ("填写说明", "str"), "C3": ("方式：外部引用; 外部导入; 自定义", "str"),
    "A6": ("横桥向宽度(mm)", "str"), "B6": (560, "int"), "B7": (460, "int"), "B8": ("200.000000", "str"),
    "B10": (2, "int"), "B15": (1, "int"), "B16": (50, "int"), "B17": ("C40", "str"),
})
expect("bold header", single["A2"].font.b, True)
expect("frozen below the header", single.freeze_panes, "A3")
expect("A4 landscape", (single.page_setup.paperSize, single.page_setup.orientation), (9, "landscape"))
# One page wide (1 is the default a file may leave out), as many pages tall as it takes.
expect("fitted to width", (single.sheet_properties.pageSetUpPr.fitToPage, single.page_setup.fitToWidth or 1,
                           single.page_setup.fitToHeight), (True, 1, 0))
expect("header printed on every page", single.print_title_rows, "$2:$2")
expect("protected", single.protection.sheet, True)
expect("captions locked, values open", (single["A6"].protection.locked, single["B6"].protection.locked), (True, False))
expect("1:n", single["B16"].number_format, '"1:"0')
found = checks(single)
expect("input mode list", found.get("B3"), ("list", '"自定义,外部引用,外部导入"', None))
expect("width range", found.get("B6"), ("decimal", "0", None))
expect("count range", found.get("B10"), ("whole", "0", None))
expect("comment on the width", "100000" in (single["A6"].comment.text if single["A6"].comment else ""), True)
single["B6"] = 600
single_book.save(f"{folder}/single_width.xlsx")

param_book = openpyxl.load_workbook(f"{folder}/param.xlsx")
param = param_book.worksheets[0]
cells(param, {
    "A15": ("高度名称", "str"), "A16": ("桥幅", "str"), "D16": ("高度(mm)", "str"),
    "A17": ("主线", "str"), "B17": (2, "int"), "C17": (4, "int"), "D17": ("200.000000", "str"), "B18": (3, "int"),
})
expect("list header frozen", param.freeze_panes, "A17")
expect("filter on the list", param.auto_filter.ref, "A16:D18")
expect("read-only block locked", (param["B2"].protection.locked, param["B12"].protection.locked), (True, False))
expect("heights column is text", param.column_dimensions["D"].number_format, "@")
for row in (17, 18):
    param[f"D{row}"] = "250,260"
param_book.save(f"{folder}/param_heights.xlsx")
param.append(["主线", 9, 2, "300"])
param_book.save(f"{folder}/param_added.xlsx")

if failures:
    sys.exit("\n".join(failures))
