"""Writes a workbook as openpyxl writes one: formulas without calculated
values. Sheet "Data": B1 1, B2 2, C1 =B1+B2, C2 =1/0, C3 ="t"&"x".
Exit status 3 when openpyxl is absent."""

import sys

try:
    import openpyxl
except ImportError:
    sys.exit(3)

workbook = openpyxl.Workbook()
sheet = workbook.active
sheet.title = "Data"
sheet["B1"] = 1
sheet["B2"] = 2
sheet["C1"] = "=B1+B2"
sheet["C2"] = "=1/0"
sheet["C3"] = '="t"&"x"'
workbook.save(sys.argv[1])
