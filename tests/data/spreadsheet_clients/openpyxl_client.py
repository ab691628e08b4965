# An engineer's tool on the workbooks ds-host writes: openpyxl reads them
# (captions, values and their types, the drop-down list) and saves edited copies.
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


single_book = openpyxl.load_workbook(f"{folder}/single.xlsx")
single = single_book.worksheets[0]
cells(single, {
    "A1": ("属性", "str"), "C1": ("填写说明", "str"), "C2": ("方式：外部引用; 外部导入; 自定义", "str"),
    "A5": ("横桥向宽度(mm)", "str"), "B5": (560, "int"), "B6": (460, "int"), "B7": ("200.000000", "str"),
    "B9": (2, "int"), "B14": (1, "int"), "B15": (50, "int"), "B16": ("C40", "str"),
})
expect("bold header", single["A1"].font.b, True)
expect("drop-down of B2", [(str(v.sqref), v.formula1) for v in single.data_validations.dataValidation],
       [("B2", '"自定义,外部引用,外部导入"')])
single["B5"] = 600
single_book.save(f"{folder}/single_width.xlsx")

param_book = openpyxl.load_workbook(f"{folder}/param.xlsx")
param = param_book.worksheets[0]
cells(param, {
    "A14": ("高度名称", "str"), "A15": ("桥幅", "str"), "D15": ("高度(mm)", "str"),
    "A16": ("主线", "str"), "B16": (2, "int"), "C16": (4, "int"), "D16": ("200.000000", "str"), "B17": (3, "int"),
})
for row in (16, 17):
    param[f"D{row}"] = "250,260"
param_book.save(f"{folder}/param_heights.xlsx")
param.append(["主线", 9, 2, "300"])
param_book.save(f"{folder}/param_added.xlsx")

if failures:
    sys.exit("\n".join(failures))
