#!/usr/bin/python3
"""The jobs of three tabulara menu commands, done with openpyxl, in place.

usage: menu_openpyxl_job.py trim-cells|sort-sheets|create-index WORKBOOK"""

import sys

import openpyxl
from openpyxl.styles import Font

TRIM_SHEET = "Data"
TRIM_AREAS = ("A1:C65535", "A65536:B65536")
HEADING = Font(bold=True, size=16)


def trim_cells(workbook):
    sheet = workbook[TRIM_SHEET]
    for area in TRIM_AREAS:
        for row in sheet[area]:
            for cell in row:
                if cell.data_type == "s" and isinstance(cell.value, str):
                    cell.value = cell.value.strip(" ")


def sort_sheets(workbook):
    workbook._sheets.sort(key=lambda sheet: sheet.title.lower())


def create_index(workbook):
    visible = [sheet for sheet in workbook.worksheets if sheet.sheet_state == "visible"]
    position = workbook._sheets.index(workbook.worksheets[0])
    index = workbook.create_sheet("Index", position)
    index["A1"] = "Introduction"
    index["A1"].font = HEADING
    index["A2"] = "Please key the description here"
    row = 5
    for sheet in visible:
        cell = index.cell(row=row, column=1, value=sheet.title)
        cell.hyperlink = f"#'{sheet.title}'!A1"
        index.cell(row=row, column=2, value="describe that...")
        row += 1
    footer = row + 3
    index.cell(row=footer, column=1, value="Result").font = HEADING
    index.cell(row=footer + 1, column=1, value="Please key the result here")


def main(job, path):
    workbook = openpyxl.load_workbook(path)
    {"trim-cells": trim_cells, "sort-sheets": sort_sheets, "create-index": create_index}[job](workbook)
    workbook.save(path)


if __name__ == "__main__":
    main(*sys.argv[1:3])
