#!/usr/bin/env python3
"""Prints the first worksheet of an .xlsx file as JSON: sheet names, cells (resolved text,
cell type, style index), merged ranges, column widths, row heights set and the cell styles with their font,
fill, border, number format and alignment. Standard library only."""

import json
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
BUILTIN_FORMATS = {0: "General", 14: "yyyy-mm-dd"}


def text_of(node):
    return "".join(t.text or "" for t in node.iter("{%s}t" % NS["m"]))


def main(path):
    out = {}
    with zipfile.ZipFile(path) as z:
        names = z.namelist()
        book = ET.fromstring(z.read("xl/workbook.xml"))
        out["sheets"] = [s.get("name") for s in book.find("m:sheets", NS)]
        shared = []
        if "xl/sharedStrings.xml" in names:
            for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
                shared.append(text_of(si))
        sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
        cells = {}
        for c in sheet.iter("{%s}c" % NS["m"]):
            kind = c.get("t", "n")
            v = c.find("m:v", NS)
            value = v.text if v is not None else None
            if kind == "s" and value is not None:
                value = shared[int(value)]
            elif kind == "inlineStr":
                value = text_of(c)
            cells[c.get("r")] = {"t": kind, "v": value, "s": int(c.get("s", "0"))}
        out["cells"] = cells
        out["heights"] = {r.get("r"): float(r.get("ht"))
                          for r in sheet.iter("{%s}row" % NS["m"]) if r.get("ht")}
        merges = sheet.find("m:mergeCells", NS)
        out["merges"] = [m.get("ref") for m in merges] if merges is not None else []
        cols = sheet.find("m:cols", NS)
        out["cols"] = [
            {"min": int(c.get("min")), "max": int(c.get("max")), "width": float(c.get("width"))}
            for c in (cols if cols is not None else [])
        ]

        styles = ET.fromstring(z.read("xl/styles.xml"))
        formats = dict(BUILTIN_FORMATS)
        numfmts = styles.find("m:numFmts", NS)
        for f in numfmts if numfmts is not None else []:
            formats[int(f.get("numFmtId"))] = f.get("formatCode")
        fonts = []
        for f in styles.find("m:fonts", NS):
            name = f.find("m:name", NS)
            sz = f.find("m:sz", NS)
            fonts.append({
                "name": name.get("val") if name is not None else None,
                "sz": float(sz.get("val")) if sz is not None else None,
                "b": f.find("m:b", NS) is not None,
            })
        fills = []
        for f in styles.find("m:fills", NS):
            fg = f.find("m:patternFill/m:fgColor", NS)
            fills.append(fg.get("rgb") if fg is not None else None)
        borders = []
        for b in styles.find("m:borders", NS):
            borders.append({side: (b.find("m:" + side, NS).get("style")
                                   if b.find("m:" + side, NS) is not None else None)
                            for side in ("left", "right", "top", "bottom")})
        xfs = []
        for x in styles.find("m:cellXfs", NS):
            align = x.find("m:alignment", NS)
            xfs.append({
                "numFmt": formats.get(int(x.get("numFmtId", "0")), x.get("numFmtId")),
                "font": fonts[int(x.get("fontId", "0"))],
                "fill": fills[int(x.get("fillId", "0"))],
                "border": borders[int(x.get("borderId", "0"))],
                "h": align.get("horizontal") if align is not None else None,
                "wrap": align is not None and align.get("wrapText") == "1",
            })
        out["styles"] = xfs
    json.dump(out, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
