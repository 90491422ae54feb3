"""With "write FILE": writes a workbook as openpyxl does, formulas without
values: Sheet1 B1 1, B2 2, A1 =B1+B2, A2 =1/0, A3 ="t"&"x". With "read FILE":
prints Sheet1's A1 to A3, one a line: the value and openpyxl's data type.
Exit status 3 when openpyxl is absent."""

import sys
import warnings

try:
    import openpyxl
except ImportError:
    sys.exit(3)

warnings.simplefilter("ignore")
if sys.argv[1] == "write":
    book = openpyxl.Workbook()
    sheet = book.active
    sheet["B1"], sheet["B2"] = 1, 2
    sheet["A1"], sheet["A2"], sheet["A3"] = "=B1+B2", "=1/0", '="t"&"x"'
    book.save(sys.argv[2])
else:
    sheet = openpyxl.load_workbook(sys.argv[2])["Sheet"]
    for cell in ("A1", "A2", "A3"):
        print(cell, repr(sheet[cell].value), sheet[cell].data_type)
