"""Prints what openpyxl reads from a workbook: the active sheet, then each
sheet (title and state) with its non-empty cells, one a line: reference,
value with its type, and where present the number format, bold, the font
size, the hyperlink and the comment. Exit status 3 when openpyxl is absent."""

import sys
import warnings

try:
    import openpyxl
except ImportError:
    sys.exit(3)

warnings.simplefilter("ignore")
book = openpyxl.load_workbook(sys.argv[1])
print(f"active {book.active.title}")
for sheet in book.worksheets:
    print(f"{sheet.title} {sheet.sheet_state}")
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            line = f"  {cell.coordinate} {type(cell.value).__name__} {cell.value!r}"
            if cell.number_format != "General":
                line += f" format={cell.number_format}"
            if cell.font.b:
                line += " bold"
            if cell.font.sz != 11:
                line += f" size={cell.font.sz:g}"
            if cell.hyperlink:
                line += f" link={cell.hyperlink.target or ''}#{cell.hyperlink.location or ''}"
            if cell.comment:
                line += f" comment={cell.comment.author}:{cell.comment.text!r}"
            print(line)
