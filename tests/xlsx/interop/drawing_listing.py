"""Prints what openpyxl reads of a workbook's drawings: one line per
worksheet with its pictures and charts (openpyxl does not read shapes)."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    print(f"{sheet.title}|images={len(sheet._images)}|charts={len(sheet._charts)}")
