#!/usr/bin/python3
"""Writes the workbooks of bench/scaling straight as OOXML parts (openpyxl is
far too slow for ten million cells), then opens each once with openpyxl,
read-only, to check it is a valid workbook.

usage: scaling_workbooks.py FOLDER LABEL...

LABEL is SHEETSxROWS (e.g. 100x10000): that many sheets of ten columns, a
bold header row and mixed numbers and short texts (shared strings). It
writes FOLDER/LABEL.xlsx, and FOLDER/LABEL-formulas.xlsx whose sheets also
have column K = A{n}*2 with its cached value. Sheets are named S001, s002,
S003... (case alternating) in a shuffled tab order; each header's A1 holds
its sheet's name."""

import os
import random
import sys
import zipfile

import openpyxl

MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
RELATIONSHIPS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PACKAGE_RELATIONSHIPS = "http://schemas.openxmlformats.org/package/2006/relationships"
TYPE = "application/vnd.openxmlformats-officedocument.spreadsheetml"
COLUMNS = "ABCDEFGHIJ"
WORDS = ["item", "alpha", "beta", "gamma", "delta", "order", "north", "south"]
STYLES = (f'<styleSheet xmlns="{MAIN}"><fonts count="2"><font><sz val="11"/><name val="Calibri"/></font>'
          '<font><b/><sz val="11"/><name val="Calibri"/></font></fonts>'
          '<fills count="2"><fill><patternFill patternType="none"/></fill>'
          '<fill><patternFill patternType="gray125"/></fill></fills>'
          '<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>'
          '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
          '<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>'
          '<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/></cellXfs>'
          '<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>')


def texts():
    """The shared strings: the headers, then words, some padded with blanks for Trim Cells."""
    words = [f"{w} {n}" for w in WORDS for n in range(100)]
    return [f"col{c}" for c in range(2, 11)] + ["double"] + words + [f" {w}  " for w in words]


def rows_xml(rows, formulas, rng, first_text):
    """Every row but the header: column A numbers, the others numbers or texts half and half."""
    count = len(texts()) - first_text
    lines = []
    for r in range(2, rows + 1):
        a = rng.randint(0, 10**6) / 4
        cells = [f'<c r="A{r}"><v>{a}</v></c>']
        for column in COLUMNS[1:]:
            if rng.random() < 0.5:
                cells.append(f'<c r="{column}{r}"><v>{rng.randint(0, 10**6)}</v></c>')
            else:
                cells.append(f'<c r="{column}{r}" t="s"><v>{first_text + rng.randrange(count)}</v></c>')
        if formulas:
            cells.append(f'<c r="K{r}"><f>A{r}*2</f><v>{a * 2}</v></c>')
        lines.append(f'<row r="{r}">{"".join(cells)}</row>')
    return "".join(lines)


def sheet_xml(name_index, rows, formulas, body):
    last = "K" if formulas else "J"
    header = [f'<c r="A1" s="1" t="s"><v>{name_index}</v></c>']
    header += [f'<c r="{c}1" s="1" t="s"><v>{i}</v></c>' for i, c in enumerate(COLUMNS[1:])]
    if formulas:
        header.append('<c r="K1" s="1" t="s"><v>9</v></c>')
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<worksheet xmlns="{MAIN}">'
            f'<dimension ref="A1:{last}{rows}"/><sheetData><row r="1">{"".join(header)}</row>{body}'
            '</sheetData></worksheet>')


def write(path, sheets, rows, formulas):
    rng = random.Random(f"scaling-{sheets}x{rows}")
    names = [f"{'S' if i % 2 else 's'}{i:03}" for i in range(1, sheets + 1)]
    rng.shuffle(names)
    strings = texts() + names
    first_name = len(strings) - len(names)
    bodies = [rows_xml(rows, formulas, random.Random(f"rows-{rows}-{k}"), 10) for k in range(min(sheets, 3))]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
        overrides = "".join(f'<Override PartName="/xl/worksheets/sheet{i}.xml" ContentType="{TYPE}.worksheet+xml"/>'
                            for i in range(1, sheets + 1))
        z.writestr("[Content_Types].xml", (
            '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            f'<Override PartName="/xl/workbook.xml" ContentType="{TYPE}.sheet.main+xml"/>'
            f'<Override PartName="/xl/styles.xml" ContentType="{TYPE}.styles+xml"/>'
            f'<Override PartName="/xl/sharedStrings.xml" ContentType="{TYPE}.sharedStrings+xml"/>'
            f'{overrides}</Types>'))
        z.writestr("_rels/.rels", f'<Relationships xmlns="{PACKAGE_RELATIONSHIPS}"><Relationship Id="rId1" '
                                  f'Type="{RELATIONSHIPS}/officeDocument" Target="xl/workbook.xml"/></Relationships>')
        listed = "".join(f'<sheet name="{n}" sheetId="{i}" r:id="rId{i}"/>' for i, n in enumerate(names, 1))
        z.writestr("xl/workbook.xml", f'<workbook xmlns="{MAIN}" xmlns:r="{RELATIONSHIPS}"><sheets>{listed}</sheets>'
                                      '<calcPr calcId="191029"/></workbook>')
        links = "".join(f'<Relationship Id="rId{i}" Type="{RELATIONSHIPS}/worksheet" Target="worksheets/sheet{i}.xml"/>'
                        for i in range(1, sheets + 1))
        links += (f'<Relationship Id="rIdStyles" Type="{RELATIONSHIPS}/styles" Target="styles.xml"/>'
                  f'<Relationship Id="rIdStrings" Type="{RELATIONSHIPS}/sharedStrings" Target="sharedStrings.xml"/>')
        z.writestr("xl/_rels/workbook.xml.rels", f'<Relationships xmlns="{PACKAGE_RELATIONSHIPS}">{links}</Relationships>')
        z.writestr("xl/styles.xml", STYLES)
        items = "".join(f'<si><t xml:space="preserve">{t}</t></si>' for t in strings)
        z.writestr("xl/sharedStrings.xml", f'<sst xmlns="{MAIN}" uniqueCount="{len(strings)}">{items}</sst>')
        for i in range(1, sheets + 1):
            z.writestr(f"xl/worksheets/sheet{i}.xml",
                       sheet_xml(first_name + i - 1, rows, formulas, bodies[(i - 1) % len(bodies)]))
    return names


def check(path, names, rows, formulas):
    book = openpyxl.load_workbook(path, read_only=True)
    if book.sheetnames != names:
        sys.exit(f"{path}: sheet names read back differ")
    for name in (names[0], names[-1]):
        header, second = book[name].iter_rows(min_row=1, max_row=2, values_only=True)
        if header[0] != name or not isinstance(second[0], float) or (formulas and second[10] != "=A2*2"):
            sys.exit(f"{path}: sheet {name} reads back wrong: {header} {second}")
    last = next(book[names[0]].iter_rows(min_row=rows, max_row=rows, values_only=True))
    if last[0] is None:
        sys.exit(f"{path}: row {rows} missing")
    book.close()


def main(folder, labels):
    for label in labels:
        sheets, rows = (int(n) for n in label.split("x"))
        for formulas, path in ((False, f"{folder}/{label}.xlsx"), (True, f"{folder}/{label}-formulas.xlsx")):
            print(f"making {path} ...", file=sys.stderr, flush=True)
            part = path.replace(".xlsx", ".part.xlsx")
            names = write(part, sheets, rows, formulas)
            check(part, names, rows, formulas)
            os.replace(part, path)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
