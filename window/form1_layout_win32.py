#!/usr/bin/python3
"""Writes the Win32 host's control table from the window's Designer form, as
uic writes Qt's: one description of the window serves both hosts.

    form1_layout_win32.py FORM.ui OUTPUT.h

The table lists the controls in the order the host creates them, which is
their z-order and so the order the Tab key follows: the .ui's tab stops, each
frame just before its first control and each label just before the box it
names (its buddy), since Windows names a box after the label before it.
Positions are made relative to the window's client area, in pixels at 96 dpi.
"""
import sys
import xml.etree.ElementTree as ET

KINDS = {
    "QGroupBox": "Frame",
    "QRadioButton": "OptionButton",
    "QListWidget": "ListBox",
    "QLabel": "Label",
    "QLineEdit": "TextBox",
    "QPushButton": "CommandButton",
}


def prop(widget, name):
    node = widget.find(f"./property[@name='{name}']")
    if node is None:
        return None
    value = node[0]
    if value.tag == "rect":
        return tuple(int(value.find(k).text) for k in ("x", "y", "width", "height"))
    return value.text or ""


def literal(text):
    if not text:
        return 'u""'
    out = []
    for c in text:
        if c in '"\\':
            out.append("\\" + c)
        elif 0x20 <= ord(c) < 0x7F:
            out.append(c)
        else:
            out.append(f"\\u{ord(c):04x}" if ord(c) < 0x10000 else f"\\U{ord(c):08x}")
    return 'u"' + "".join(out) + '"'


def fail(message):
    sys.exit(f"form1_layout_win32.py: {message}")


def main(source, target):
    root = ET.parse(source).getroot()
    form = root.find("widget")
    controls = {}  # name -> description, in document order
    for frame in form.findall("widget"):
        fx, fy, _, _ = prop(frame, "geometry")
        for widget in [frame] + frame.findall("widget"):
            kind = KINDS.get(widget.get("class"))
            if kind is None:
                fail(f"no Win32 control for {widget.get('class')} {widget.get('name')}")
            x, y, w, h = prop(widget, "geometry")
            if widget is not frame:
                x, y = x + fx, y + fy
            if kind == "Label" and (prop(widget, "frameShape"), prop(widget, "frameShadow"), prop(widget, "alignment")) != (
                    "QFrame::Panel", "QFrame::Sunken", "Qt::AlignCenter"):
                fail(f"the host draws labels sunken and centred; {widget.get('name')} is not")
            controls[widget.get("name")] = {
                "name": widget.get("name"), "kind": kind, "frame": frame.get("name"),
                "rect": (x, y, w, h),
                "caption": prop(widget, "title" if kind == "Frame" else "text") or "",
                "toolTip": prop(widget, "toolTip") or "",
                "accessibleName": prop(widget, "accessibleName") or "",
                "buddy": prop(widget, "buddy"),
            }

    order = []
    def emit(name):
        if name not in order:
            order.append(name)
    for stop in root.findall("./tabstops/tabstop"):
        if stop.text not in controls:
            fail(f"tab stop {stop.text} is no control")
        emit(controls[stop.text]["frame"])
        for c in controls.values():
            if c["buddy"] == stop.text:
                emit(c["name"])
        emit(stop.text)
    for name in controls:  # what takes no focus and names nothing
        emit(name)

    rows = []
    for name in order:
        c = controls[name]
        x, y, w, h = c["rect"]
        rows.append(f"    {{{literal(name)}, ControlKind::{c['kind']}, {{{x}, {y}, {w}, {h}}}, {literal(c['caption'])},\n"
                    f"     {literal(c['toolTip'])}, {literal(c['accessibleName'])}}},")
    _, _, width, height = prop(form, "geometry")
    with open(target, "w", encoding="utf-8") as out:
        out.write(f"""// Written by form1_layout_win32.py from {source.rsplit('/', 1)[-1]}; do not edit.
#pragma once

#include <array>

#include "form1_font.h"
#include "form_description.h"

namespace mensora {{

inline constexpr std::array<ControlDescription, {len(rows)}> form1Controls{{{{
{chr(10).join(rows)}
}}}};

inline constexpr FormDescription form1Description{{
    {literal(form.get('name'))}, {literal(prop(form, 'windowTitle'))}, {width}, {height}, form1Controls, form1FontFaces,
    form1FontPointSize, form1FittedBox, form1FittedFont}};

}}  // namespace mensora
""")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
