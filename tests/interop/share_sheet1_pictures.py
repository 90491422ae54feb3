"""Copies a workbook whose Sheet1 (xl/worksheets/sheet1.xml) shows pictures
through xl/drawings/drawing1.xml, giving sheet2.xml a drawing of its own that
shows the same pictures, and adding an image that nothing refers to."""

import sys
import zipfile

source, target = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(source) as book, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as out:
    for item in book.infolist():
        data = book.read(item.filename)
        if item.filename == "xl/worksheets/sheet2.xml":
            data = data.replace(b"</worksheet>", b'<drawing r:id="rId1"/></worksheet>')
        elif item.filename == "[Content_Types].xml":
            data = data.replace(
                b"</Types>",
                b'<Override PartName="/xl/drawings/drawing2.xml" '
                b'ContentType="application/vnd.openxmlformats-officedocument.drawing+xml"/></Types>')
        out.writestr(item.filename, data)
    out.writestr("xl/drawings/drawing2.xml", book.read("xl/drawings/drawing1.xml"))
    out.writestr("xl/drawings/_rels/drawing2.xml.rels", book.read("xl/drawings/_rels/drawing1.xml.rels"))
    out.writestr(
        "xl/worksheets/_rels/sheet2.xml.rels",
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
        '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing" '
        'Target="../drawings/drawing2.xml"/></Relationships>')
    out.writestr("xl/media/unreferenced.png", book.read("xl/media/image3.png"))
