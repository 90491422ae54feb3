"""Prints the tables openpyxl reads from a workbook, one a line: the sheet,
the table's name, its range, its column names and its header cells' values. Exit status 3 when
openpyxl is absent."""

import sys
import warnings

try:
    import openpyxl
except ImportError:
    sys.exit(3)

warnings.simplefilter("ignore")
for sheet in openpyxl.load_workbook(sys.argv[1]).worksheets:
    for table in sheet.tables.values():
        names = ",".join(column.name for column in table.tableColumns)
        header = ",".join(repr(cell.value) for cell in sheet[table.ref][0])
        print(f"{sheet.title}|{table.displayName}|{table.ref}|{names}|{header}")
