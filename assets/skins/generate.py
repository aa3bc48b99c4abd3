#!/usr/bin/env python3
"""Generates every picture, animation and sound of the skin.

    generate.py --program-dir DIR --res-dir DIR [--preview DIR] [--stamp FILE]

Program folder: Gif\\*.gif, Wave\\double_click.{bmp,avi,wav}, Wave\\sensorImage.bmp.
Resource folder: the bitmaps, icons and cursor compiled into the programs,
with vextra_skin_ids.h and one .rc fragment per program (see README.md).
The output depends on nothing but this folder's sources and the fonts, so two
runs give the same bytes.
"""
import argparse
import os
import struct
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art  # noqa: E402
import controls  # noqa: E402
import formats  # noqa: E402
import layouts  # noqa: E402
import paint as P  # noqa: E402
from controls import STATES  # noqa: E402

THUMBS = {
    # name: (width, height, body height)
    "thumb_speed": (14, 25, 19),
    "thumb_axis": (14, 25, 19),
    "thumb_double_click": (12, 20, 16),
    "thumb_volume": (12, 20, 16),
    "thumb_effect_speed": (12, 20, 16),
    "thumb_dpi": (10, 8, 8),
}

# --- static parts of a window ---------------------------------------------------------

def draw_slider_track(img, c, origin=(0, 0)):
    ox, oy = origin
    x, y, w, h = c.x + ox, c.y + oy, c.w, c.h
    tw, th, _ = THUMBS[c.opt["thumb"]]
    cy = y + th / 2
    gx0, gx1 = x + tw / 2 - 2, x + w - tw / 2 + 2
    gh = 4 if th >= 12 else 2
    P.shape(img, (x, y, x + w, y + h), lambda L: L.rrect((gx0 - x, cy - y - gh / 2 - 1, gx1 - x, cy - y + gh / 2 + 1),
                                                          (gh + 2) / 2, fill=(5, 6, 8, 255),
                                                          outline=(50, 56, 67, 255), width=0.8))
    lo, hi = c.opt["lo"], c.opt["hi"]
    d = ImageDraw.Draw(img)
    if c.opt.get("ticks", True) and h >= 16 and hi - lo <= 20:
        for v in range(lo, hi + 1):
            tx = round(x + tw / 2 + (w - tw) * (v - lo) / (hi - lo))
            major = v in (lo, hi) or (hi - lo) % 2 == 0 and v == (lo + hi) // 2
            d.line([(tx, cy + 5), (tx, cy + (9 if major else 7))], fill=P.TEXT_DIM if major else P.LINE_HI)
    for v, s in c.opt.get("labels", {}).items():
        tx = x + tw / 2 + (w - tw) * (v - lo) / (hi - lo)
        P.draw_text(img, (tx, y + h + 1), s, P.font(8), P.TEXT_DIM, "ma")


def draw_spin_static(img, c):
    d = ImageDraw.Draw(img)
    x, y, w, h = c.x, c.y, c.w, c.h
    P.shape(img, (x - 1, y - 1, x + w + 1, y + h + 1),
            lambda L: L.rrect((0, 0, w + 2, h + 2), 3, fill=(0, 0, 0, 255), outline=P.LINE_HI + (255,)))
    d.rectangle([x + 1, y + 1, x + 31, y + 15], fill=(0, 0, 0))


def draw_static_control(img, c, pictures, origin=(0, 0)):
    k = c.kind
    if k == "slider":
        draw_slider_track(img, c, origin)
    elif k == "edit":
        P.inset(img, c.rect, fill=(16, 18, 22), edge=P.LINE_HI)
    elif k == "list":
        P.inset(img, c.rect, fill=(8, 9, 12), edge=P.LINE)
    elif k == "label":
        ImageDraw.Draw(img).rectangle([c.x, c.y, c.x + c.w - 1, c.y + c.h - 1], fill=P.LABEL_FILL)
    elif k == "progress":
        P.inset(img, c.rect, fill=(161, 161, 161), edge=P.LINE_HI, r=2)
    elif k == "spin":
        draw_spin_static(img, c)
    elif k == "picture":
        pic = pictures.get(c.opt["art"])
        if pic is not None:
            img.paste(pic, (c.x, c.y))
    elif k == "dpirow":
        P.shape(img, c.rect, lambda L: L.rrect((0, 0, c.w, c.h), 4, fill=(22, 25, 31, 255),
                                                outline=(34, 38, 46, 255)))
        for kid in c.opt["children"]:
            if kid.kind in ("slider", "spin"):
                shifted = layouts.Control(kid.layout, kid.kind, kid.text, **kid.opt)
                shifted.x += c.x
                shifted.y += c.y
                draw_static_control(img, shifted, pictures)


def title_band(img, win):
    w, h = img.size
    P.vgradient(img, (0, 0, w, 31), P.BG_HEAD, (14, 16, 21))
    P.stripes(img, (0, 0, w, 31), (255, 255, 255), step=7, alpha=0.025)
    d = ImageDraw.Draw(img)
    d.line([(0, 31), (w, 31)], fill=P.LINE)
    d.line([(0, 31), (min(90, w // 3), 31)], fill=P.ACCENT)
    if win.title:
        P.draw_text(img, (14, 16), win.title, P.font(11, bold=True), P.TEXT, "lm")


def main_frame(img, pictures):
    w, h = img.size
    P.vgradient(img, (0, 0, w, 114), (22, 26, 33), (12, 14, 18))
    P.stripes(img, (0, 0, w, 114), (255, 255, 255), step=7, alpha=0.022)
    d = ImageDraw.Draw(img)
    P.draw_text(img, (14, 16), "VELMAR", P.font(10, bold=True), P.ACCENT_HI, "lm")
    P.draw_text(img, (70, 16), "Vextra Mouse Option", P.font(10), P.TEXT_DIM, "lm")
    art.wordmark(img, (23, 42))
    P.draw_text(img, (206, 48), "GAMING MOUSE CONFIGURATION", P.font(9, bold=True), P.TEXT_DIM, "la")
    # accent sweep under the title area
    sweep = Image.new("RGBA", (w, 3), (0, 0, 0, 0))
    for x in range(w):
        a = int(200 * max(0.0, 1 - abs(x - 200) / 520))
        sweep.putpixel((x, 1), P.ACCENT + (a,))
        sweep.putpixel((x, 0), P.ACCENT + (a // 4,))
        sweep.putpixel((x, 2), P.ACCENT + (a // 4,))
    P.composite(img, sweep, (0, 30))
    d.line([(0, 113), (w, 113)], fill=P.LINE)
    # page bed
    P.shape(img, (8, 120, 790, 440), lambda L: L.rrect((0, 0, 782, 320), 6, fill=(10, 12, 15, 255),
                                                        outline=P.PANEL_EDGE + (255,)))
    # slot cards under the profile buttons
    for i in range(5):
        x0 = layouts.PROFILE_X[i]
        x1 = x0 + layouts.PROFILE_W[i]
        P.shape(img, (x0, 511, x1, 540), lambda L, x0=x0, x1=x1: L.rrect((0, 0, x1 - x0, 29), 4,
                                                                         fill=P.LABEL_FILL + (255,),
                                                                         outline=(34, 38, 46, 255)))
    # bottom bar
    P.vgradient(img, (0, 553, w, h), (16, 18, 23), (11, 12, 16))
    d.line([(0, 553), (w, 553)], fill=P.LINE)
    P.inset(img, (52, 570, 580, 590), fill=(8, 9, 12), edge=P.LINE)


def button_rows(img):
    for col, x in ((0, 14), (1, 405)):
        for r in range(12):
            y = 40 + 19 * r
            P.text_in(img, (x, y, x + 15, y + 17), str(r + 1), P.font(9, bold=True), P.TEXT_DIM, align="right")


def timeline(img):
    w, h = img.size
    d = ImageDraw.Draw(img)
    P.vgradient(img, (0, 0, w, 23), (22, 25, 31), (16, 18, 23))
    P.draw_text(img, (6, 11), "TIME LINE", P.font(9, bold=True), P.TEXT_DIM, "lm")
    d.line([(0, 23), (w, 23)], fill=P.LINE)
    for r in range(19):
        y = 24 + 16 * r
        d.rectangle([0, y, 473, y + 15], fill=(14, 16, 20) if r % 2 == 0 else (11, 13, 16))
        d.line([(61, y), (61, y + 15)], fill=P.LINE)
    for x in range(62, 473, 41):
        d.line([(x, 24), (x, 24 + 16 * 19 - 1)], fill=(24, 27, 33))
    d.rectangle([474, 24, 489, 24 + 16 * 19 - 1], fill=(20, 22, 27))
    d.rectangle([478, 28, 485, 70], fill=(48, 54, 65))
    d.line([(0, 328), (w, 328)], fill=P.LINE)
    P.draw_text(img, (72, 340), "Add or delete a bar; drag its ends to set the key's press and release.",
                P.font(9), P.TEXT_DIM, "lm")


def step_links(img):
    d = ImageDraw.Draw(img)
    for x0, x1 in ((40 + 115 - 2, 185), (185 + 100 - 2, 305)):
        d.line([(x0 + 4, 105), (x1 - 4, 105)], fill=P.LINE_HI)


def draw_decor(img, win, pictures):
    for item in win.decor:
        kind = item[0]
        if kind == "panel":
            P.panel(img, item[1], item[2])
        elif kind == "heading":
            P.heading(img, (item[1], item[2]), item[3])
        elif kind == "text":
            _, x, y, s, size, colour, anchor = item
            P.draw_text(img, (x, y), s, P.font(size, bold=s.isupper() and len(s) > 1), colour, anchor)
        elif kind == "para":
            _, box, s, size, colour, align = item
            P.paragraph(img, box, s, P.font(size), colour, align=align)
        elif kind == "inset":
            P.inset(img, item[1])
        elif kind == "rule":
            ImageDraw.Draw(img).line([item[1:3], item[3:5]], fill=P.LINE)
        elif kind == "mainframe":
            main_frame(img, pictures)
        elif kind == "buttonrows":
            button_rows(img)
        elif kind == "icon":
            box, name = item[1], item[2]
            if name == "stopwatch":
                P.shape(img, box, lambda L: art.stopwatch(L, (0, 0, box[2] - box[0], box[3] - box[1])))
            elif name == "chip":
                P.shape(img, box, lambda L: art.chip(L, (0, 0, box[2] - box[0], box[3] - box[1])))
            else:
                P.shape(img, box, lambda L: art.status_icon(L, name, (0, 0, box[2] - box[0], box[3] - box[1])))
        elif kind == "plate":
            x0, y0, x1, y1 = item[1]
            P.shape(img, item[1], lambda L: L.rrect((0, 0, x1 - x0, y1 - y0), 5, fill=(8, 10, 13, 255),
                                                     outline=P.LINE + (255,)))
        elif kind == "frame":
            x0, y0, x1, y1 = item[1]
            P.shape(img, (x0 - 3, y0 - 3, x1 + 3, y1 + 3),
                    lambda L: L.rrect((0, 0, x1 - x0 + 6, y1 - y0 + 6), 5, outline=P.LINE + (255,)))
        elif kind == "timeline":
            timeline(img)
        elif kind == "steplinks":
            step_links(img)
        elif kind == "preview":
            x0, y0, x1, y1 = item[1]
            P.inset(img, item[1], fill=(0, 0, 0), edge=P.LINE_HI)
            P.draw_text(img, ((x0 + x1) / 2, y1 + 6), "SENSOR IMAGE", P.font(8, bold=True), P.TEXT_DIM, "ma")
        elif kind == "footer":
            y = item[1]
            w, h = img.size
            P.vgradient(img, (0, y, w, h), (16, 18, 23), (11, 12, 16))
            ImageDraw.Draw(img).line([(0, y), (w, y)], fill=P.LINE)
        elif kind == "pickerframe":
            pass
        else:
            raise ValueError("unknown decoration %r in %s" % (kind, win.name))


def render_window(win, pictures):
    """The four state sheets of a window, as a dict state -> RGB image."""
    w, h = win.size
    base = Image.new("RGB", (w, h), P.BG)
    if win.top_level and win.name != "main" and win.title:
        title_band(base, win)
    if win.name == "language_picker":
        base.paste((16, 18, 23), (0, 0, w, h))
    draw_decor(base, win, pictures)
    for c in win.controls:
        draw_static_control(base, c, pictures)
    if win.top_level:
        P.shape(base, (0, 0, w, h), lambda L: L.rrect((0, 0, w, h), win.radius, outline=P.LINE_HI + (255,)))
    sheets = {}
    flat = layouts.expanded_controls(win)
    for st in STATES:
        s = base.copy()
        for c in flat:
            controls.paint_control(s, c, st)
        P.clamp_white(s)
        if win.top_level and win.radius:
            mask = P.rounded_mask((w, h), win.radius)
            s.paste((255, 255, 255), (0, 0), mask.point(lambda v: 255 - v))
        sheets[st] = s
    return sheets


# --- pictures that windows and programs share --------------------------------------

def make_pictures():
    pics = {}
    pics["led"] = art.led_background()
    pics["flag"] = art.flag_button(1, "normal")
    helpline = Image.new("RGB", (528, 20), (8, 9, 12))
    pics["helpline"] = helpline
    pics["double_click"] = art.double_click_frames()[0]
    for name in ("mouse_normal", "mouse_layer"):
        img = Image.new("RGB", (188, 272), P.BG)
        art.draw_mouse(img, MOUSE_BOX)
        pics[name] = img
    prev = Image.new("RGB", (248, 312), P.BG)
    art.draw_mouse(prev, PREVIEW_BOX)
    pics["color_preview"] = prev
    pics["progress"] = art.progress_frames()[0]
    pics["badge"] = None  # the base shows the plain wordmark there
    return pics


MOUSE_BOX = (34, 20, 160, 262)
PREVIEW_BOX = (30, 14, 218, 298)
LAYER_GROUPS = ((3,), (4,), (3, 4), ())


def mouse_button_picture(index):
    """Hover picture index 0..59 of the button page (188 x 272)."""
    if index < 12:
        button, shift = index, ()
    else:
        g, button = divmod(index - 12, 12)
        shift = LAYER_GROUPS[g]
    # the page shows the same mouse on the same background, so the picture
    # matches it pixel for pixel outside the highlight
    bg = Image.new("RGB", (188, 272), P.BG)
    art.draw_mouse(bg, MOUSE_BOX, highlight=button, shift_keys=shift, leader_y=16.5 + 19 * button)
    if index >= 48:
        # the layer can only be reached through a layer key: say that none is set
        P.draw_text(bg, (94, 268), "NO TANSHIFT KEY ASSIGNED", P.font(8, bold=True), P.TEXT_DIM, "ms")
    return bg


# --- output ----------------------------------------------------------------------------

class Output:
    def __init__(self, program_dir, res_dir):
        self.program_dir = program_dir
        self.res_dir = res_dir
        self.resources = {"option": [], "updater": [], "monitor": []}
        self.written = []

    def _write(self, path, data):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        self.written.append(path)

    def program_file(self, rel, data):
        self._write(os.path.join(self.program_dir, *rel.split("/")), data)

    def resource(self, program, rel, data, rtype, ident):
        self._write(os.path.join(self.res_dir, *rel.split("/")), data)
        self.resources[program].append((ident, rtype, rel))


def resource_ids(out):
    """Numbers for every resource: icons first (the shell shows the lowest),
    then bitmaps in generation order from a per-program base."""
    ids = {}
    bases = {"option": 2000, "updater": 3000, "monitor": 4000}
    fixed = {"IDI_VEXTRA_MONITOR": 101, "IDI_VEXTRA_OPTION": 102, "IDI_VEXTRA_UPDATER": 103, "IDC_VEXTRA_HAND": 110}
    for program, items in out.resources.items():
        n = bases[program]
        for ident, rtype, rel in items:
            if ident in fixed:
                ids[ident] = fixed[ident]
            elif ident not in ids:
                ids[ident] = n
                n += 1
    return ids


def write_rc(out):
    ids = resource_ids(out)
    lines = ["// Generated by assets/skins/generate.py: resource numbers of the skin.", "#pragma once", ""]
    for ident, num in sorted(ids.items(), key=lambda kv: (kv[1], kv[0])):
        lines.append("#define %-40s %d" % (ident, num))
    out._write(os.path.join(out.res_dir, "vextra_skin_ids.h"), ("\n".join(lines) + "\n").encode())
    # what the programs may expect of each bitmap, for checks that load them
    manifest = []
    for program, items in out.resources.items():
        for ident, rtype, rel in items:
            if rel.lower().endswith(".bmp"):
                with open(os.path.join(out.res_dir, *rel.split("/")), "rb") as f:
                    head = f.read(30)
                w, h = struct.unpack_from("<ii", head, 18)
                bpp = struct.unpack_from("<H", head, 28)[0]
                manifest.append("%s %d %d %d" % (rel, w, abs(h), bpp))
    out._write(os.path.join(out.res_dir, "skin_manifest.txt"), ("\n".join(manifest) + "\n").encode())
    for program, items in out.resources.items():
        rc = ["// Generated by assets/skins/generate.py. Include from the program's .rc file",
              "// with the resource folder on the resource compiler's include path.",
              '#include "vextra_skin_ids.h"', ""]
        for ident, rtype, rel in items:
            rc.append('%s %s "%s"' % (ident, rtype, rel))
        out._write(os.path.join(out.res_dir, "%s_skin.rc" % program), ("\n".join(rc) + "\n").encode())


def generate(program_dir, res_dir, preview_dir=None):
    out = Output(program_dir, res_dir)
    pics = make_pictures()
    rendered = {}
    for win in layouts.ALL_WINDOWS:
        sheets = render_window(win, pics)
        rendered[win.name] = sheets
        for st in STATES:
            rel = "%s/%s_%s.bmp" % (win.program, win.name, st)
            out.resource(win.program, rel, formats.bmp24_bytes(sheets[st]), "BITMAP",
                         "IDB_%s_%s" % (win.name.upper(), st.upper()))
        if win.jpeg:
            out.resource(win.program, "%s/%s" % (win.program, win.jpeg), formats.jpeg_bytes(sheets["normal"]),
                         "RCDATA", "IDR_%s_JPEG" % win.name.upper())
        if win.mask:
            m = Image.new("RGB", win.size, (255, 255, 255))
            m.paste((0, 0, 0), (0, 0), P.rounded_mask(win.size, win.radius))
            out.resource(win.program, "%s/%s" % (win.program, win.mask), formats.bmp24_bytes(m), "BITMAP",
                         "IDB_%s_MASK" % win.name.upper())
        if preview_dir:
            os.makedirs(preview_dir, exist_ok=True)
            for st in STATES:
                sheets[st].save(os.path.join(preview_dir, "%s_%s.png" % (win.name, st)))

    option_pictures(out, rendered, pics)
    program_folder_files(out)
    icons(out)
    write_rc(out)
    return out


def option_pictures(out, rendered, pics):
    main = rendered["main"]
    light = rendered["page_light"]
    # flags of the language button, three states, by language index
    for st in ("normal", "hover", "down"):
        for i in range(17):
            out.resource("option", "option/flag_%s_%02d.bmp" % (st, i), formats.bmp24_bytes(art.flag_button(i, st)),
                         "BITMAP", "IDB_FLAG_%s_%02d" % (st.upper(), i))
    for i in range(60):
        out.resource("option", "option/mouse_button_%02d.bmp" % i,
                     formats.bmp24_bytes(mouse_button_picture(i)), "BITMAP", "IDB_MOUSE_BUTTON_%02d" % i)
    swatches = [c for c in layouts.LIGHT_PAGE.controls if c.kind == "swatch"]
    for st in ("normal", "hover", "down"):
        for c in swatches:
            tile = light[st].crop(c.rect)
            out.resource("option", "option/swatch_%s_%02d.bmp" % (st, c.opt["number"]), formats.bmp24_bytes(tile),
                         "BITMAP", "IDB_SWATCH_%s_%02d" % (st.upper(), c.opt["number"]))
    for name, (w, h, bh) in THUMBS.items():
        out.resource("option", "option/%s.bmp" % name, formats.bmp24_bytes(art.thumb(w, h, bh)), "BITMAP",
                     "IDB_%s" % name.upper())
    # the "on" look of the windows-profile marker (the "off" look is on the sheets)
    on = layouts.Control("on,0,0,22,22,", "marker", on=True)
    for st in ("normal", "hover", "down"):
        img = main[st].crop((139, 514, 161, 536))
        controls.paint_control(img, on, st)
        out.resource("option", "option/windows_profile_on_%s.bmp" % st, formats.bmp24_bytes(img), "BITMAP",
                     "IDB_WINDOWS_PROFILE_ON_%s" % st.upper())
    out.resource("option", "option/led_preview.bmp", formats.bmp24_bytes(pics["led"]), "BITMAP", "IDB_LED_PREVIEW")
    out.resource("option", "option/help_line.bmp", formats.bmp24_bytes(main["normal"].crop((52, 570, 580, 590))),
                 "BITMAP", "IDB_HELP_LINE")
    out.resource("option", "option/model_badge.bmp",
                 formats.bmp24_bytes(art.badge(main["normal"].crop((7, 34, 178, 79)))), "BITMAP", "IDB_MODEL_BADGE")
    out.resource("option", "option/color_preview.bmp", formats.bmp24_bytes(pics["color_preview"]), "BITMAP",
                 "IDB_COLOR_PREVIEW")
    zm = art.zone_mask((248, 312), PREVIEW_BOX)
    pal = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)]
    out.resource("option", "option/color_preview_zones.bmp", formats.bmp8_bytes(zm.tobytes(), 248, 312, pal),
                 "BITMAP", "IDB_COLOR_PREVIEW_ZONES")
    cur = formats.icon_bytes([art.hand_cursor()], cursor_hotspot=(11, 1))
    out.resource("option", "option/hand.cur", cur, "CURSOR", "IDC_VEXTRA_HAND")
    out.resource("updater", "updater/hand.cur", cur, "CURSOR", "IDC_VEXTRA_HAND")


def program_folder_files(out):
    names = {"all-together": "all-together", "down-up": "down-up", "up-down": "up-down",
             "right-left": "right-left", "left-right": "left-right"}
    for direction, suffix in names.items():
        frames = art.color_flow_frames(direction)
        pal, data = formats.quantize_frames(frames)
        bg_index = data[0][0]
        gif = formats.gif_bytes([(23, 23, d) for d in data], pal, [8] * len(data), background=bg_index)
        out.program_file("Gif/ColorFlow-Animation_%s.gif" % suffix, gif)
    frames = art.progress_frames()
    pal, data = formats.quantize_frames(frames)
    out.program_file("Gif/ProgressbarAnimation.gif",
                     formats.gif_bytes([(128, 15, d) for d in data], pal, [5] * len(data), background=data[0][0]))
    dc = art.double_click_frames()
    out.program_file("Wave/double_click.bmp", formats.bmp24_bytes(dc[0]))
    pal, data = formats.quantize_frames(dc)
    out.program_file("Wave/double_click.avi", formats.avi_bytes(data, 41, 22, pal, 15))
    out.program_file("Wave/double_click.wav", formats.wav_bytes(art.double_click_wave(), 22050))
    grey = [(i, i, i) for i in range(256)]
    out.program_file("Wave/sensorImage.bmp", formats.bmp8_bytes(art.sensor_pixels(), 30, 30, grey))


def icons(out):
    sizes = (16, 24, 32, 48, 256)
    for kind, program, ident, fname in (("monitor", "monitor", "IDI_VEXTRA_MONITOR", "VextraMonitor.ico"),
                                        ("option", "option", "IDI_VEXTRA_OPTION", "VextraOption.ico"),
                                        ("updater", "updater", "IDI_VEXTRA_UPDATER", "VextraUpdater.ico")):
        data = formats.icon_bytes([art.program_icon(kind, s) for s in sizes])
        out.resource(program, "%s/%s" % (program, fname), data, "ICON", ident)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--program-dir", required=True)
    ap.add_argument("--res-dir", required=True)
    ap.add_argument("--preview", help="also write every sheet as PNG here")
    ap.add_argument("--stamp", help="touch this file when done")
    a = ap.parse_args(argv)
    out = generate(a.program_dir, a.res_dir, a.preview)
    if a.stamp:
        with open(a.stamp, "w") as f:
            f.write("%d files\n" % len(out.written))
    return 0


if __name__ == "__main__":
    sys.exit(main())
