"""Prints what openpyxl reads from a workbook: its sheets with their state,
the active sheet, and the used cells of every worksheet with their values
(formulas as written, then as cached). Exit status 3 when openpyxl is absent."""

import sys
import warnings

try:
    import openpyxl
except ImportError:
    sys.exit(3)


def cells(workbook):
    for sheet in workbook.worksheets:
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is not None:
                    yield sheet.title, cell.coordinate, cell.value


def main(path):
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        formulas = openpyxl.load_workbook(path)
        cached = openpyxl.load_workbook(path, data_only=True)
    for sheet in formulas._sheets:
        print(f"sheet {sheet.title} {sheet.sheet_state}")
    print(f"active {formulas.active.title}")
    for title, coordinate, value in cells(formulas):
        print(f"cell {title}!{coordinate} {type(value).__name__} {value}")
    for title, coordinate, value in cells(cached):
        print(f"cached {title}!{coordinate} {type(value).__name__} {value}")


if __name__ == "__main__":
    main(sys.argv[1])
