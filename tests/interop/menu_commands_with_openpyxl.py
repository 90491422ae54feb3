"""Prints what openpyxl sees of a workbook changed by the add-in's menu
commands: sheet order and states, the index sheet's cells with their fonts
and hyperlinks, and the cells of one sheet. Exit 3 when openpyxl is absent;
any warning of openpyxl counts as a failure."""
import sys
import warnings

try:
    import openpyxl
except ImportError:
    sys.exit(3)

warnings.simplefilter("error")
workbook = openpyxl.load_workbook(sys.argv[1])
print("sheets", " ".join(f"{ws.title}:{ws.sheet_state}" for ws in workbook.worksheets))
index = workbook["Index"]
for row in index.iter_rows():
    for cell in row:
        if cell.value is None:
            continue
        link = cell.hyperlink.location if cell.hyperlink else "-"
        print(f"index {cell.coordinate} {cell.value!r} bold={bool(cell.font.b)} size={cell.font.sz:g} link={link}")
trimmed = workbook[sys.argv[2]]
for row in trimmed.iter_rows(min_row=1, max_row=4, max_col=2):
    print("cells", " ".join(repr(cell.value) for cell in row))
