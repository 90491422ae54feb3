"""Prints the fonts openpyxl reads from a workbook, one a line: the sheet,
then "cols MIN-MAX", "row N" or a cell's reference, and the font as
name/size/b for bold. Exit status 3 when openpyxl is absent."""

import sys
import warnings

try:
    import openpyxl
except ImportError:
    sys.exit(3)


def font(style):
    return f"{style.font.name}/{style.font.sz:g}{'/b' if style.font.b else ''}"


warnings.simplefilter("ignore")
for sheet in openpyxl.load_workbook(sys.argv[1]).worksheets:
    for columns in sorted(sheet.column_dimensions.values(), key=lambda c: c.min or 0):
        if columns.min is not None and columns.style_id:
            print(f"{sheet.title}|cols {columns.min}-{columns.max}|{font(columns)}")
    for number, row in sorted(sheet.row_dimensions.items()):
        if row.customFormat:
            print(f"{sheet.title}|row {number}|{font(row)}")
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                print(f"{sheet.title}|{cell.coordinate}|{font(cell)}")
