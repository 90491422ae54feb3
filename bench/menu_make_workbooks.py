#!/usr/bin/python3
"""Writes the workbooks of bench/compare-menu-commands with openpyxl.

usage: menu_make_workbooks.py trim FILE     one sheet "Data", A1:C65535 plus
                                            A65536:B65536 (196,607 cells), text
                                            with leading and trailing blanks
       menu_make_workbooks.py sheets FILE   300 worksheets, names shuffled,
                                            a few cells each"""

import random
import sys

from openpyxl import Workbook

TRIM_ROWS = 65535
SHEETS = 300


def trim_workbook(path):
    workbook = Workbook(write_only=True)
    sheet = workbook.create_sheet("Data")
    for row in range(TRIM_ROWS):
        sheet.append([f"  item {row % 5000}-{column} " for column in range(3)])
    sheet.append([f" last {column}  " for column in range(2)])
    workbook.save(path)


def sheets_workbook(path):
    names = [f"{'Sheet' if number % 2 else 'sheet'} {number:03d}" for number in range(SHEETS)]
    random.Random(7).shuffle(names)
    workbook = Workbook()
    workbook.remove(workbook.active)
    for name in names:
        sheet = workbook.create_sheet(name)
        sheet.append(["name", name])
        sheet.append(["value", len(name)])
    workbook.save(path)


if __name__ == "__main__":
    {"trim": trim_workbook, "sheets": sheets_workbook}[sys.argv[1]](sys.argv[2])
