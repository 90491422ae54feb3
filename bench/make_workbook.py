#!/usr/bin/python3
"""Writes a benchmark workbook with openpyxl: CELLS cells on one sheet, ten
columns wide, numbers and shared strings in turn (strings repeat every 5,000
rows, as real columns of names do).

usage: make_workbook.py CELLS FILE"""

import sys

from openpyxl import Workbook

COLUMNS = 10


def main(cells, path):
    workbook = Workbook(write_only=True)
    sheet = workbook.create_sheet("Data")
    for row in range(cells // COLUMNS):
        sheet.append([row * COLUMNS + column + 0.5 if column % 2 == 0 else f"item {row % 5000}-{column}"
                      for column in range(COLUMNS)])
    workbook.save(path)


if __name__ == "__main__":
    main(int(sys.argv[1]), sys.argv[2])
