#!/usr/bin/env python3
# Prints what a spreadsheet reader finds in an .xlsx file, as JSON: per sheet
# its cells (value, number format, top/bottom border), print area and charts
# (kind, anchor cell, the ranges each series reads).
import json
import posixpath
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {
    "m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "rel": "http://schemas.openxmlformats.org/package/2006/relationships",
    "xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing",
    "c": "http://schemas.openxmlformats.org/drawingml/2006/chart",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
}
BUILTIN_FORMATS = {0: "General", 3: "#,##0", 4: "#,##0.00"}


def col_name(n):
    s = ""
    n += 1
    while n:
        n, r = divmod(n - 1, 26)
        s = chr(65 + r) + s
    return s


def rels(z, path):
    folder, name = posixpath.split(path)
    rp = posixpath.join(folder, "_rels", name + ".rels")
    if rp not in z.namelist():
        return {}
    out = {}
    for r in ET.fromstring(z.read(rp)).findall("rel:Relationship", NS):
        out[r.get("Id")] = posixpath.normpath(posixpath.join(folder, r.get("Target")))
    return out


def main(path):
    z = zipfile.ZipFile(path)
    strings = []
    if "xl/sharedStrings.xml" in z.namelist():
        for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
            strings.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))

    styles = ET.fromstring(z.read("xl/styles.xml"))
    formats = dict(BUILTIN_FORMATS)
    for f in styles.findall("m:numFmts/m:numFmt", NS):
        formats[int(f.get("numFmtId"))] = f.get("formatCode")
    borders = []
    for b in styles.findall("m:borders/m:border", NS):
        borders.append({side: (b.find("m:" + side, NS) is not None and b.find("m:" + side, NS).get("style") is not None)
                        for side in ("top", "bottom")})
    xfs = styles.findall("m:cellXfs/m:xf", NS)

    book = ET.fromstring(z.read("xl/workbook.xml"))
    book_rels = rels(z, "xl/workbook.xml")
    areas = {}
    for d in book.findall("m:definedNames/m:definedName", NS):
        if d.get("name") == "_xlnm.Print_Area":
            areas[int(d.get("localSheetId"))] = d.text

    sheets = []
    for index, s in enumerate(book.findall("m:sheets/m:sheet", NS)):
        target = book_rels[s.get("{%s}id" % NS["r"])]
        root = ET.fromstring(z.read(target))
        cells = {}
        for c in root.iter("{%s}c" % NS["m"]):
            xf = xfs[int(c.get("s", "0"))]
            border = borders[int(xf.get("borderId", "0"))]
            cell = {"fmt": formats.get(int(xf.get("numFmtId", "0")), "?"), "top": border["top"],
                    "bottom": border["bottom"]}
            v = c.find("m:v", NS)
            f = c.find("m:f", NS)
            kind = c.get("t", "n")
            if f is not None:
                cell["formula"] = f.text
            if kind == "s" and v is not None:
                cell["text"] = strings[int(v.text)]
            elif kind == "inlineStr":
                cell["text"] = "".join(t.text or "" for t in c.iter("{%s}t" % NS["m"]))
            elif kind == "str" and v is not None:
                cell["text"] = v.text
            elif v is not None:
                cell["number"] = float(v.text)
            cells[c.get("r")] = cell

        charts = []
        for did in rels(z, target).values():
            if "drawings/" not in did:
                continue
            drawing = ET.fromstring(z.read(did))
            drels = rels(z, did)
            for anchor in drawing:
                frm = anchor.find("xdr:from", NS)
                ref = anchor.find(".//c:chart", NS)
                if frm is None or ref is None:
                    continue
                chart = ET.fromstring(z.read(drels[ref.get("{%s}id" % NS["r"])]))
                plot = chart.find(".//c:plotArea", NS)
                kinds = [e.tag.split("}")[1] for e in plot if e.tag.endswith("Chart")]
                series = []
                for ser in plot.iter("{%s}ser" % NS["c"]):
                    cat = ser.find("c:cat//c:f", NS)
                    val = ser.find("c:val//c:f", NS)
                    points = [p.find(".//a:srgbClr", NS).get("val") for p in ser.findall("c:dPt", NS)
                              if p.find(".//a:srgbClr", NS) is not None]
                    series.append({"categories": cat.text if cat is not None else "",
                                   "values": val.text if val is not None else "", "points": points})
                anchor_cell = col_name(int(frm.find("xdr:col", NS).text)) + str(int(frm.find("xdr:row", NS).text) + 1)
                charts.append({"kind": kinds[0] if kinds else "", "anchor": anchor_cell, "series": series})
        charts.sort(key=lambda ch: (int(re.sub(r"\D", "", ch["anchor"])), ch["anchor"]))
        sheets.append({"name": s.get("name"), "cells": cells, "charts": charts, "printArea": areas.get(index, "")})

    json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
