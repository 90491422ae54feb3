"""Prints every filled cell of a workbook as openpyxl reads it:
SHEET!REF=VALUE size=FONT_SIZE, one a line; formulas as their text."""
import sys
import warnings

import openpyxl

warnings.simplefilter("ignore")
book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                print(f"{sheet.title}!{cell.coordinate}={cell.value!r} size={cell.font.sz}")
