"""Prints what openpyxl reads of a workbook's cell comments: one line per
comment (sheet, cell, author, first line of the text), sheet by sheet."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    for row in sheet.iter_rows():
        for cell in row:
            if cell.comment is not None:
                first = cell.comment.text.split("\n")[0]
                print(f"{sheet.title}|{cell.coordinate}|{cell.comment.author}|{first}")
