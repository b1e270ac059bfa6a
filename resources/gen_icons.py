#!/usr/bin/env python3
"""Writes the menu and tool-bar icons as SVG (resources/icons_src) and renders each to a
32 x 32 PNG with rsvg-convert. Every tool button that can be greyed gets a "_grey" twin
drawn with the same shapes in muted colours. Run from the repository root."""
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "icons_src")

# Colour roles of the normal look; the grey look maps every role to one muted tone.
NORMAL = {"fg": "#e8e8e8", "accent": "#4fb3ff", "warm": "#ffb347", "red": "#ff6b6b", "green": "#7ddc6f"}
GREY = {k: ("#6e6e6e" if k == "fg" else "#585858") for k in NORMAL}

def line(d, role="fg", w=2.5):
    return ('<path d="%s" fill="none" stroke="{%s}" stroke-width="%s" '
            'stroke-linecap="round" stroke-linejoin="round"/>' % (d, role, w))

def fill(d, role="fg"):
    return '<path d="%s" fill="{%s}" stroke="none"/>' % (d, role)

def circle(cx, cy, r, role="fg", filled=True, w=2):
    if filled:
        return '<circle cx="%s" cy="%s" r="%s" fill="{%s}"/>' % (cx, cy, r, role)
    return '<circle cx="%s" cy="%s" r="%s" fill="none" stroke="{%s}" stroke-width="%s"/>' % (cx, cy, r, role, w)

def text(x, y, s, role="fg", size=11):
    return ('<text x="%s" y="%s" font-family="DejaVu Sans" font-weight="bold" font-size="%s" '
            'fill="{%s}" text-anchor="middle">%s</text>' % (x, y, size, role, s))

AXES = line("M4 4 V28 H28", "fg", 1.5)
PAGE = line("M8 3 H19 L25 9 V29 H8 Z M19 3 V9 H25", "fg", 2)
MAGNIFIER = circle(13, 13, 8, "fg", False, 2.5) + line("M19 19 L28 28", "fg", 3.5)
SEL_ZONE = '<rect x="10" y="4" width="12" height="24" fill="{accent}" fill-opacity="0.35" stroke="none"/>'

ICONS = {
    # Basic operation
    "image_basic_new": PAGE + line("M16 14 V24 M11 19 H21", "green", 2.5),
    "image_basic_open": line("M3 9 H12 L14 12 H28 V27 H3 Z", "fg", 2) + line("M3 27 L8 16 H30 L25 27", "warm", 2),
    "image_basic_save": line("M5 4 H24 L28 8 V28 H5 Z", "fg", 2) + '<rect x="10" y="4" width="11" height="8" fill="{accent}"/>'
        + '<rect x="9" y="18" width="15" height="10" fill="none" stroke="{fg}" stroke-width="1.8"/>',
    "image_basic_print": line("M9 12 V4 H23 V12", "fg", 2) + '<rect x="4" y="12" width="24" height="11" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M9 19 H23 V29 H9 Z", "fg", 2) + circle(24, 16, 1.5, "green"),
    "image_basic_cut": circle(9, 24, 4, "fg", False, 2.2) + circle(23, 24, 4, "fg", False, 2.2)
        + line("M11.5 21 L24 4 M20.5 21 L8 4", "accent", 2.5),
    "image_basic_copy": line("M4 4 H18 V22 H4 Z", "fg", 2) + line("M12 10 H27 V29 H12 Z", "accent", 2),
    "image_basic_paste": line("M7 6 H25 V29 H7 Z", "fg", 2) + '<rect x="11" y="3" width="10" height="6" rx="1" fill="{warm}"/>'
        + line("M11 15 H21 M11 20 H21 M11 25 H18", "fg", 1.8),
    # Zoom
    "image_zoom_x": MAGNIFIER + line("M9 13 H17 M9 13 L11 11 M9 13 L11 15 M17 13 L15 11 M17 13 L15 15", "accent", 1.8),
    "image_zoom_y": MAGNIFIER + line("M13 9 V17 M13 9 L11 11 M13 9 L15 11 M13 17 L11 15 M13 17 L15 15", "accent", 1.8),
    "image_zoom_area": MAGNIFIER + '<rect x="9" y="9" width="8" height="8" fill="none" stroke="{accent}" stroke-width="1.8" stroke-dasharray="2,1.5"/>',
    "image_zoom_fit": line("M4 10 V4 H10 M22 4 H28 V10 M28 22 V28 H22 M10 28 H4 V22", "fg", 2.5)
        + line("M8 16 C11 8 13 8 16 16 C19 24 21 24 24 16", "accent", 2.2),
    # Basic wave (picture buttons)
    "image_bswv_sine": AXES + line("M5 16 C9 2 13 2 16 16 C19 30 23 30 27 16", "accent"),
    "image_bswv_square": AXES + line("M5 22 V8 H12 V22 H19 V8 H26 V22", "accent"),
    "image_bswv_pulse": AXES + line("M5 24 H9 V8 H13 V24 H19 V8 H23 V24 H27", "accent"),
    "image_bswv_ramp": AXES + line("M5 24 L15 8 V24 L25 8 V24", "accent"),
    "image_bswv_dc": AXES + line("M5 12 H28", "accent"),
    "image_bswv_noise": AXES + line("M5 16 L7 9 L9 20 L11 12 L13 23 L15 7 L17 18 L19 11 L21 22 L23 10 L25 19 L27 14", "accent", 1.8),
    # Advanced wave
    "image_adwv_sinc": AXES + line("M5 19 C7 23 8 23 10 19 C11 15 12 3 16 3 C20 3 21 15 22 19 C24 23 25 23 27 19", "accent", 2.2),
    "image_adwv_stair_up": AXES + line("M5 25 H10 V20 H15 V15 H20 V10 H25 V5", "accent"),
    "image_adwv_stair_dn": AXES + line("M5 5 H10 V10 H15 V15 H20 V20 H25 V25", "accent"),
    "image_adwv_exp_rise": AXES + line("M5 25 C12 25 16 22 20 16 C23 11 25 7 27 4", "accent"),
    "image_adwv_exp_fall": AXES + line("M5 4 C7 12 10 19 15 22 C19 24 23 25 27 25", "accent"),
    "image_adwv_multi_pulse": AXES + line("M5 24 H7 V8 H9 V24 H12 V14 H14 V24 H18 V8 H22 V24 H27", "accent", 2),
    # Digital wave and equation
    "image_digwv": line("M3 11 H8 V5 H14 V11 H20 V5 H29", "green", 2.2) + line("M3 27 H10 V21 H16 V27 H22 V21 H29", "accent", 2.2)
        + line("M3 16 H29", "fg", 1),
    "image_equation": '<text x="16" y="23" font-family="DejaVu Serif" font-style="italic" font-weight="bold" font-size="19" fill="{accent}" text-anchor="middle">f(x)</text>',
    # Wave parameter and properties
    "image_wave_parameter": AXES + line("M6 20 C10 8 13 8 16 20", "accent", 2.2)
        + line("M20 8 H28 M20 15 H28 M20 22 H28", "fg", 1.5) + circle(23, 8, 2, "warm") + circle(26, 15, 2, "warm") + circle(22, 22, 2, "warm"),
    "image_property_wave": '<rect x="3" y="4" width="26" height="24" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M6 17 C10 7 13 7 16 17 C19 27 22 27 26 17", "accent", 2.2) + circle(25, 8, 2.2, "warm"),
    "image_property_view": '<rect x="3" y="5" width="26" height="19" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M11 29 H21 M16 24 V29", "fg", 2) + line("M9 9 V20 M16 9 V20 M23 9 V20 M6 12 H26 M6 17 H26", "accent", 1),
    # Cursors
    "image_cursor_x": AXES + line("M11 3 V27 M22 3 V27", "warm", 2) + fill("M8 3 H14 L11 7 Z M19 3 H25 L22 7 Z", "warm"),
    "image_cursor_y": AXES + line("M5 10 H29 M5 21 H29", "warm", 2) + fill("M29 7 V13 L25 10 Z M29 18 V24 L25 21 Z", "warm"),
    "image_cursor_settings": line("M10 3 V29 M3 22 H29", "warm", 2)
        + circle(21, 11, 5, "fg", False, 2.5) + line("M21 3 V6 M21 16 V19 M13 11 H16 M26 11 H29", "fg", 2.5),
    # Wave operation
    "image_wv_oper_sel_mode": fill("M8 3 L8 26 L13 21 L17 29 L21 27 L17 19 L24 19 Z", "fg"),
    "image_wv_oper_sel_x": line("M10 4 V28 M22 4 V28", "warm", 1.8) + SEL_ZONE + line("M3 16 C7 6 10 6 13 16 C16 26 19 26 22 16 C25 6 27 8 29 12", "fg", 2),
    "image_wv_oper_sel_all": '<rect x="3" y="4" width="26" height="24" fill="{accent}" fill-opacity="0.35" stroke="{fg}" stroke-width="1.5" stroke-dasharray="3,2"/>'
        + line("M5 16 C9 6 12 6 16 16 C20 26 23 26 27 16", "fg", 2),
    "image_wv_oper_invert_y": line("M3 16 H29", "fg", 1) + line("M4 14 C8 4 12 4 15 10", "fg", 2) + line("M4 18 C8 28 12 28 15 22", "accent", 2)
        + line("M24 5 V27 M24 5 L21 8 M24 5 L27 8 M24 27 L21 24 M24 27 L27 24", "warm", 2),
    "image_wv_oper_invert_x": line("M16 3 V29", "fg", 1) + line("M14 25 L4 8", "fg", 2) + line("M18 25 L28 8", "accent", 2)
        + line("M5 28 H27 M5 28 L8 25 M5 28 L8 31 M27 28 L24 25 M27 28 L24 31", "warm", 2),
    # Draw wave
    "image_draw_hand": line("M3 22 C7 10 10 26 14 16 C17 9 19 14 21 13", "accent", 2.2)
        + line("M20 20 L28 6 L31 8 L23 22 L19 24 Z", "warm", 1.8),
    "image_draw_hline": line("M4 16 H28", "accent", 3) + circle(4, 16, 2.5, "warm") + circle(28, 16, 2.5, "warm"),
    "image_draw_vline": line("M16 4 V28", "accent", 3) + circle(16, 4, 2.5, "warm") + circle(16, 28, 2.5, "warm"),
    "image_draw_oblique": line("M5 27 L27 5", "accent", 3) + circle(5, 27, 2.5, "warm") + circle(27, 5, 2.5, "warm"),
    "image_draw_point": line("M4 24 L11 10 L19 20 L28 6", "fg", 1.5) + circle(4, 24, 3, "warm") + circle(11, 10, 3, "warm")
        + circle(19, 20, 3, "warm") + circle(28, 6, 3, "warm"),
    "image_point_table": '<rect x="3" y="4" width="26" height="24" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M3 11 H29 M3 17.5 H29 M3 24 H29 M13 4 V28", "fg", 1.2) + '<rect x="3" y="4" width="26" height="7" fill="{accent}" fill-opacity="0.6"/>',
    "image_point_pre": line("M5 22 L14 10 L22 18 L28 8", "fg", 1.5) + circle(14, 10, 3.2, "warm") + circle(22, 18, 2.2, "fg")
        + fill("M4 8 L11 3 V13 Z", "accent"),
    "image_point_next": line("M4 22 L10 10 L18 18 L27 6", "fg", 1.5) + circle(18, 18, 3.2, "warm") + circle(10, 10, 2.2, "fg")
        + fill("M28 24 L21 19 V29 Z", "accent"),
    "image_point_del": line("M4 24 L12 10 L20 22 L28 8", "fg", 1.5) + circle(12, 10, 3, "warm") + circle(28, 8, 2.2, "fg")
        + line("M17 17 L27 27 M27 17 L17 27", "red", 3),
    "image_point_clr": line("M4 20 L12 8 L20 18 L28 6", "fg", 1.5) + circle(4, 20, 2.2, "fg") + circle(12, 8, 2.2, "fg") + circle(20, 18, 2.2, "fg")
        + line("M9 24 H25 L23 30 H11 Z", "red", 2) + line("M7 24 H27", "red", 2.5),
    "image_interpol_mode": circle(5, 24, 2.5, "warm") + circle(16, 8, 2.5, "warm") + circle(27, 20, 2.5, "warm")
        + line("M5 24 C8 10 12 8 16 8 C20 8 24 12 27 20", "accent", 2) + line("M5 24 H16 V8 H27 V20", "fg", 1.2),
    # Math
    "image_math_ari": line("M8 4 V14 M3 9 H13", "accent", 2.5) + line("M19 9 H29", "accent", 2.5)
        + line("M4 20 L12 28 M12 20 L4 28", "warm", 2.5) + line("M19 21 H29 M19 27 H29", "warm", 2.5),
    "image_math_filter": line("M3 6 H29 L19 17 V27 L13 29 V17 Z", "fg", 2) + line("M8 10 C10 8 12 12 14 10 C16 8 18 12 20 10 C22 8 24 12 24 10", "accent", 1.5),
    "image_math_window": AXES + line("M5 26 C9 26 11 6 16 6 C21 6 23 26 27 26", "warm", 2)
        + line("M7 16 L9 12 L11 20 L13 10 L15 22 L17 9 L19 21 L21 12 L23 19 L25 15", "accent", 1.3),
    # Communication
    "image_comm_wv_send": '<rect x="3" y="6" width="15" height="20" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M6 16 C8 10 10 10 11 16 C12 22 14 22 15 16", "accent", 1.8) + line("M20 16 H29 M25 12 L29 16 L25 20", "green", 2.5),
    "image_comm_wv_read": '<rect x="14" y="6" width="15" height="20" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M17 16 C19 10 21 10 22 16 C23 22 25 22 26 16", "accent", 1.8) + line("M12 16 H3 M7 12 L3 16 L7 20", "green", 2.5),
    "image_comm_import": '<rect x="3" y="4" width="26" height="17" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M6 15 L9 15 L11 8 L14 18 L16 11 L19 15 L26 15", "accent", 1.6) + line("M16 21 V30 M12 26 L16 30 L20 26", "green", 2.5),
    "image_comm_refresh": line("M25 11 A10 10 0 1 0 26 20", "accent", 2.8) + fill("M21 4 L29 6 L26 13 Z", "accent"),
    # Instrument tree
    "image_comm_dev_interface": '<rect x="3" y="5" width="18" height="13" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M6 14 L9 14 L11 9 L13 15 L15 11 L18 14", "accent", 1.5) + line("M21 12 H26 V22 M23 27 H29 M26 22 V27", "green", 2.2)
        + '<rect x="6" y="22" width="12" height="6" rx="1" fill="{warm}"/>' + line("M12 18 V22", "fg", 2),
    "image_comm_instr_usb": '<rect x="2" y="8" width="20" height="16" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M5 16 C7 10 9 10 11 16 C13 22 15 22 17 16", "accent", 1.8)
        + line("M22 16 H30 M26 16 L26 11 H29 M26 16 L26 21 H23", "warm", 1.8) + circle(29, 11, 1.8, "warm") + circle(23, 21, 1.8, "warm"),
    "image_comm_dev_network": circle(16, 6, 3.5, "accent") + circle(6, 25, 3.5, "accent") + circle(26, 25, 3.5, "accent")
        + line("M16 9.5 V17 M6 21.5 V17 H26 V21.5", "fg", 2),
    "image_comm_instr_net": '<rect x="2" y="4" width="20" height="16" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M5 12 C7 6 9 6 11 12 C13 18 15 18 17 12", "accent", 1.8)
        + line("M12 20 V25 M4 28 H28 M24 28 V23", "green", 2) + circle(24, 21, 2.5, "green"),
    "image_comm_instr_net_invalid": '<rect x="2" y="4" width="20" height="16" rx="2" fill="none" stroke="{fg}" stroke-width="2"/>'
        + line("M5 12 H17", "fg", 1.5) + line("M12 20 V25 M4 28 H16", "fg", 2)
        + circle(24, 24, 6.5, "red") + line("M21 21 L27 27 M27 21 L21 27", "fg", 2.2),
    "image_comm_create_net": circle(13, 6, 3, "accent") + circle(5, 24, 3, "accent") + circle(21, 24, 3, "accent")
        + line("M13 9 V16 M5 21 V16 H21 V21", "fg", 1.8) + circle(25, 9, 6.5, "green") + line("M25 5.5 V12.5 M21.5 9 H28.5", "fg", 2.4),
}

# Pictures that the program loads as Windows icon files: the PNG goes into an .ico
# container (one 32 x 32 entry holding the PNG data).
ICO = {"image_comm_dev_interface"}

# Every T button has a grey twin; the picture buttons and the menu-only print picture
# have none.
NO_GREY = {"image_basic_print", "image_digwv", "image_equation"}
NO_GREY |= {n for n in ICONS if n.startswith("image_bswv_") or n.startswith("image_adwv_")}
# The instrument tree's pictures are never greyed; the entries of its menu have none either.
NO_GREY |= {"image_comm_dev_interface", "image_comm_instr_usb", "image_comm_dev_network", "image_comm_instr_net",
            "image_comm_instr_net_invalid", "image_comm_create_net"}

def svg(body, colours):
    out = body
    for k, v in colours.items():
        out = out.replace("{%s}" % k, v)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
            '  %s\n</svg>\n' % out)

def write_ico(png_path, ico_path):
    with open(png_path, "rb") as f:
        data = f.read()
    header = struct.pack("<HHH", 0, 1, 1)
    # width and height 32, no palette, 1 plane, 32 bits, size, offset of the data
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 32, len(data), 6 + 16)
    with open(ico_path, "wb") as f:
        f.write(header + entry + data)

def main():
    os.makedirs(SRC, exist_ok=True)
    names = []
    for name, body in ICONS.items():
        looks = [(name, NORMAL)]
        if name not in NO_GREY:
            looks.append((name + "_grey", GREY))
        for out_name, colours in looks:
            path = os.path.join(SRC, out_name + ".svg")
            with open(path, "w") as f:
                f.write(svg(body, colours))
            png = os.path.join(HERE, out_name + ".png")
            subprocess.run(["rsvg-convert", "-w", "32", "-h", "32", "-o", png, path], check=True)
            if out_name in ICO:
                write_ico(png, os.path.join(HERE, out_name + ".ico"))
                os.remove(png)
                out_name += ".ico"
            names.append(out_name)
    print("\n".join(sorted(names)))

if __name__ == "__main__":
    sys.exit(main())
