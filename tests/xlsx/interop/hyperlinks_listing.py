"""Prints what openpyxl reads of a workbook's hyperlinks: one line per
hyperlink (sheet, cell range, external target, location in the workbook)."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    for row in sheet.iter_rows():
        for cell in row:
            link = cell.hyperlink
            if link is not None:
                print(f"{sheet.title}|{link.ref}|{link.target or ''}|{link.location or ''}")
