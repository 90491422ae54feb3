"""Prints what openpyxl reads of a workbook's sheets: one line per sheet
(name, kind, state), then the active sheet's position and the workbook's
structure lock."""
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
for sheet in book._sheets:
    print(f"{sheet.title}|{type(sheet).__name__}|{sheet.sheet_state}")
print(f"active={book._active_sheet_index}")
print(f"lockStructure={bool(book.security and book.security.lockStructure)}")
