"""State pictures of the skinned controls.

Each painter draws one control in one state onto a tile of exactly the
control's rectangle, so a state picture can never spill out of its layout
rectangle.  States: normal, hover, down (pressed or latched), disabled.
"""
from PIL import Image, ImageDraw

import paint as P
from paint import ACCENT, ACCENT_DEEP, ACCENT_HI, LINE, LINE_HI, TEXT, TEXT_DIM, TEXT_OFF

STATES = ("normal", "hover", "down", "disabled")


def _text_colour(state, base=TEXT):
    return {"normal": base, "hover": P.NEAR_WHITE, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]


def _fit_font(text, w, size, bold=True, minimum=8):
    """Largest font up to size whose text fits w; condensed before smaller."""
    for s in range(size, minimum - 1, -1):
        for cond in (False, True):
            f = P.font(s, bold=bold, condensed=cond)
            if P.text_size(text, f)[0] <= w:
                return f
    return P.font(minimum, bold=bold, condensed=True)


# --- glyphs ----------------------------------------------------------------

def glyph(L, name, box, colour, width=1.6):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    s = min(x1 - x0, y1 - y0)
    h = s * 0.28
    c = colour + (255,)
    if name == "close":
        L.line([(cx - h, cy - h), (cx + h, cy + h)], c, width)
        L.line([(cx - h, cy + h), (cx + h, cy - h)], c, width)
    elif name == "min":
        L.line([(cx - h, cy + h * 0.6), (cx + h, cy + h * 0.6)], c, width)
    elif name == "plus":
        L.line([(cx - h, cy), (cx + h, cy)], c, width)
        L.line([(cx, cy - h), (cx, cy + h)], c, width)
    elif name == "minus":
        L.line([(cx - h, cy), (cx + h, cy)], c, width)
    elif name in ("zoomin", "zoomout"):
        r = s * 0.24
        ox, oy = cx - s * 0.07, cy - s * 0.07
        L.ellipse((ox - r, oy - r, ox + r, oy + r), outline=c, width=width * 0.8)
        L.line([(ox + r * 0.7, oy + r * 0.7), (cx + s * 0.3, cy + s * 0.3)], c, width)
        q = r * 0.55
        L.line([(ox - q, oy), (ox + q, oy)], c, width * 0.7)
        if name == "zoomin":
            L.line([(ox, oy - q), (ox, oy + q)], c, width * 0.7)
    elif name == "dots":
        for dx in (-h, 0, h):
            L.ellipse((cx + dx - 1.1, cy - 1.1, cx + dx + 1.1, cy + 1.1), fill=c)
    elif name == "chevron":
        L.line([(cx - h * 0.8, cy - h * 0.35), (cx, cy + h * 0.45), (cx + h * 0.8, cy - h * 0.35)], c, width)
    elif name == "up":
        L.polygon([(cx - h, cy + h * 0.5), (cx + h, cy + h * 0.5), (cx, cy - h * 0.6)], c)
    elif name == "down":
        L.polygon([(cx - h, cy - h * 0.5), (cx + h, cy - h * 0.5), (cx, cy + h * 0.6)], c)
    elif name == "record":
        L.ellipse((cx - h, cy - h, cx + h, cy + h), fill=c)
    elif name == "stop":
        L.rrect((cx - h * 0.85, cy - h * 0.85, cx + h * 0.85, cy + h * 0.85), 1, fill=c)
    elif name == "windows":
        g = s * 0.06
        a = s * 0.30
        for ix in (-1, 1):
            for iy in (-1, 1):
                bx = cx + (g if ix > 0 else -g - a)
                by = cy + (g if iy > 0 else -g - a)
                L.rrect((bx, by, bx + a, by + a), 0.6, fill=c)
    elif name == "link":
        L.line([(cx - h, cy + h), (cx + h, cy - h)], c, width)
        L.line([(cx - h * 0.1, cy - h), (cx + h, cy - h), (cx + h, cy + h * 0.1)], c, width)
    elif name == "mail":
        L.rrect((cx - h * 1.3, cy - h * 0.9, cx + h * 1.3, cy + h * 0.9), 1, outline=c, width=width * 0.8)
        L.line([(cx - h * 1.2, cy - h * 0.8), (cx, cy + h * 0.1), (cx + h * 1.2, cy - h * 0.8)], c, width * 0.8)
    elif name == "download":
        L.line([(cx, cy - h * 1.1), (cx, cy + h * 0.5)], c, width)
        L.line([(cx - h * 0.6, cy - h * 0.1), (cx, cy + h * 0.5), (cx + h * 0.6, cy - h * 0.1)], c, width)
        L.line([(cx - h, cy + h * 1.0), (cx + h, cy + h * 1.0)], c, width)
    elif name == "help":
        L.ellipse((cx - h * 1.2, cy - h * 1.2, cx + h * 1.2, cy + h * 1.2), outline=c, width=width * 0.8)
        L.line([(cx - h * 0.4, cy - h * 0.35), (cx - h * 0.3, cy - h * 0.65), (cx + h * 0.3, cy - h * 0.65),
                (cx + h * 0.4, cy - h * 0.25), (cx, cy + h * 0.1), (cx, cy + h * 0.35)], c, width * 0.8)
        L.ellipse((cx - 0.9, cy + h * 0.62, cx + 0.9, cy + h * 0.62 + 1.8), fill=c)
    elif name == "form":
        L.rrect((cx - h, cy - h * 1.2, cx + h, cy + h * 1.2), 1, outline=c, width=width * 0.8)
        for k in (-0.5, 0, 0.5):
            L.line([(cx - h * 0.55, cy + h * k), (cx + h * 0.55, cy + h * k)], c, width * 0.6)
    elif name == "reset":
        L.d.arc(L.s((cx - h, cy - h, cx + h, cy + h)), 40, 320, fill=c, width=int(width * P.SS))
        L.polygon([(cx + h * 0.55, cy - h * 1.05), (cx + h * 1.25, cy - h * 0.45), (cx + h * 0.35, cy - h * 0.2)], c)


# --- painters --------------------------------------------------------------

def paint_button(tile, state, c):
    w, h = tile.size
    primary = c.opt.get("primary")
    pos = c.opt.get("joined", "single")
    r = min(5, h / 3)
    L = P.Layer(w, h)
    # joined buttons (a row of neighbours) square off their inner corners
    ext_l = r if pos in ("mid", "right") else 0
    ext_r = r if pos in ("mid", "left") else 0
    box = (-ext_l, 0, w + ext_r, h)
    if state == "normal":
        top, bot, edge = ((24, 84, 124), (15, 58, 88), ACCENT) if primary else ((40, 45, 55), (27, 30, 37), LINE_HI)
    elif state == "hover":
        top, bot, edge = ((38, 118, 168), (22, 82, 122), ACCENT_HI) if primary else ((44, 60, 76), (28, 38, 50), ACCENT)
    elif state == "down":
        top, bot, edge = (ACCENT_DEEP, (25, 88, 130), ACCENT_HI)
    else:
        top, bot, edge = ((24, 26, 31), (21, 23, 27), (38, 41, 47))
    L.grad_rrect(box, r, top, bot, outline=edge)
    if state == "hover":
        L.line([(4, 1.2), (w - 4, 1.2)], ACCENT_HI + (110,), 0.8)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    text = c.text
    if state == "down" and c.opt.get("text_down"):
        text = c.opt["text_down"]
    g = c.opt.get("glyph")
    if state == "down" and c.opt.get("glyph_down"):
        g = c.opt["glyph_down"]
    col = _text_colour(state, TEXT)
    dy = 1 if state == "down" else 0
    if not text and g:
        P.shape(tile, (0, dy, w, h + dy), lambda L2: glyph(L2, g, (0, 0, w, h), col))
        return
    f = _fit_font(text, w - (26 if g else 8), c.opt.get("size", 11 if h >= 20 else 10))
    tw = P.text_size(text, f)[0]
    if g:
        gs = min(h - 6, 16)
        gx = (w - tw - gs - 6) / 2
        P.shape(tile, (int(gx), (h - gs) // 2 + dy, int(gx) + gs, (h - gs) // 2 + gs + dy),
                lambda L2: glyph(L2, g, (0, 0, gs, gs), ACCENT_HI if state in ("normal", "hover") and not primary else col))
        P.text_in(tile, (int(gx) + gs + 6, 0, w, h), text, f, col, align="left", dy=dy)
    else:
        P.text_in(tile, (0, 0, w, h), text, f, col, dy=dy)


def paint_tab(tile, state, c):
    w, h = tile.size
    d = ImageDraw.Draw(tile)
    L = P.Layer(w, h)
    if state == "hover":
        L.rrect((1, 3, w - 1, h + 6), 5, fill=(255, 255, 255, 10))
    elif state == "down":
        L.grad_rrect((1, 3, w - 1, h + 6), 5, (30, 42, 56), (16, 19, 24), outline=(48, 62, 78))
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    if state == "down":
        glow = P.Layer(w, h)
        for i, a in enumerate((40, 70, 120)):
            glow.rrect((8 - i * 2, h - 4 - i, w - 8 + i * 2, h + 2), 2, fill=ACCENT + (a,))
        tile.paste(Image.alpha_composite(tile.convert("RGBA"), glow.result()).convert("RGB"))
        d.rectangle([6, h - 3, w - 7, h - 1], fill=ACCENT)
    elif state == "hover":
        d.rectangle([w * 0.25, h - 2, w * 0.75, h - 1], fill=ACCENT)
    col = {"normal": TEXT_DIM, "hover": TEXT, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    P.text_in(tile, (0, 0, w, h), c.text.upper(), P.font(12, bold=True), col, dy=1)


def paint_icon(tile, state, c):
    w, h = tile.size
    L = P.Layer(w, h)
    g = c.opt.get("glyph", "close")
    if state == "hover":
        L.rrect((1, 1, w - 1, h - 1), 4, fill=(ACCENT_DEEP if g == "close" else (44, 50, 61)) + (255,),
                outline=ACCENT + (255,))
    elif state == "down":
        L.rrect((1, 1, w - 1, h - 1), 4, fill=(25, 88, 130, 255))
    elif c.opt.get("boxed"):
        L.rrect((1, 1, w - 1, h - 1), 4, fill=(34, 38, 47, 255), outline=LINE_HI + (255,))
    col = {"normal": TEXT_DIM, "hover": P.NEAR_WHITE, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    glyph(L, g, (0, 0, w, h), col)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))


def _box_and_text(tile, state, c, round_box):
    w, h = tile.size
    bs = c.opt.get("box", min(h - 2, 12))
    by = (h - bs) / 2
    bx = c.opt.get("box_x", 1)
    L = P.Layer(w, h)
    checked = state == "down"
    edge = {"normal": LINE_HI, "hover": ACCENT, "down": ACCENT, "disabled": (40, 44, 50)}[state]
    fill = {"normal": P.FIELD, "hover": (16, 26, 36), "down": ACCENT if not round_box else P.FIELD,
            "disabled": (16, 17, 20)}[state]
    box = (bx, by, bx + bs, by + bs)
    if round_box:
        L.ellipse(box, fill=fill + (255,), outline=edge + (255,), width=1.2)
        if checked:
            k = bs * 0.27
            L.ellipse((bx + k, by + k, bx + bs - k, by + bs - k), fill=ACCENT_HI + (255,))
    else:
        L.rrect(box, 2.5, fill=fill + (255,), outline=edge + (255,), width=1.2)
        if checked:
            L.line([(bx + bs * 0.22, by + bs * 0.52), (bx + bs * 0.42, by + bs * 0.72),
                    (bx + bs * 0.78, by + bs * 0.28)], (8, 20, 30, 255), max(1.4, bs * 0.14))
    if state == "hover":
        L.ellipse((bx - 2, by - 2, bx + bs + 2, by + bs + 2), outline=ACCENT + (60,), width=1.5) if round_box else \
            L.rrect((bx - 2, by - 2, bx + bs + 2, by + bs + 2), 4, outline=ACCENT + (60,), width=1.5)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    if c.text:
        col = {"normal": TEXT, "hover": P.NEAR_WHITE, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
        x = bx + bs + 6
        f = _fit_font(c.text, w - x - 1, c.opt.get("size", 11), bold=False)
        P.text_in(tile, (x, 0, w, h), c.text, f, col, align="left")


def paint_check(tile, state, c):
    _box_and_text(tile, state, c, round_box=False)


def paint_radio(tile, state, c):
    _box_and_text(tile, state, c, round_box=True)


def paint_segment(tile, state, c):
    w, h = tile.size
    pos = c.opt.get("joined", "single")
    r = min(4, h / 3)
    ext_l = r + 1 if pos in ("mid", "right") else 0
    ext_r = r + 1 if pos in ("mid", "left") else 0
    L = P.Layer(w, h)
    box = (-ext_l, 0, w + ext_r, h)
    if state == "down":
        L.grad_rrect(box, r, (36, 128, 184), (22, 92, 138), outline=ACCENT_HI)
    elif state == "hover":
        L.grad_rrect(box, r, (40, 54, 70), (27, 35, 46), outline=ACCENT)
    elif state == "disabled":
        L.grad_rrect(box, r, (22, 24, 28), (20, 22, 26), outline=(36, 39, 45))
    else:
        L.grad_rrect(box, r, (32, 36, 44), (23, 26, 32), outline=LINE)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    if pos in ("mid", "right"):
        ImageDraw.Draw(tile).line([(0, 2), (0, h - 3)], fill=(8, 9, 11))
    col = {"normal": TEXT_DIM, "hover": TEXT, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    f = _fit_font(c.text, w - 4, c.opt.get("size", 10 if h < 20 else 11))
    P.text_in(tile, (0, 0, w, h), c.text, f, col)


def paint_field(tile, state, c):
    """A box whose text the program draws (assignment labels, drop-downs)."""
    w, h = tile.size
    L = P.Layer(w, h)
    if state == "normal":
        fill, edge = (22, 25, 31), (42, 47, 57)
    elif state == "hover":
        fill, edge = (24, 36, 48), ACCENT
    elif state == "down":
        fill, edge = (18, 52, 78), ACCENT_HI
    else:
        fill, edge = (13, 14, 17), (27, 29, 34)
    L.rrect((0, 0, w, h), 3, fill=fill + (255,), outline=edge + (255,))
    if state == "disabled":
        for x in range(-h, w, 5):
            L.line([(x, h - 1), (x + h, 1)], (255, 255, 255, 6), 1)
    if state == "hover":
        L.rrect((0, 0, 3, h), 1.5, fill=ACCENT + (255,))
    if c.opt.get("combo"):
        aw = min(h + 2, 22)
        L.rrect((w - aw, 0, w, h), 3, fill=(mix_fill(fill, 0.12)) + (255,), outline=edge + (255,))
        glyph(L, "chevron", (w - aw, 0, w, h), ACCENT_HI if state != "disabled" else TEXT_OFF)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))


def mix_fill(c, t):
    return P.mix(c, (255, 255, 255), t)


def paint_swatch(tile, state, c):
    w, h = tile.size
    col = c.opt["colour"]
    L = P.Layer(w, h)
    if state == "disabled":
        g = sum(col) // 3
        col = P.mix(col, (g, g, g), 0.7)
        col = P.mix(col, P.BG, 0.55)
    inset = {"normal": 3, "hover": 2, "down": 4, "disabled": 3}[state]
    if state == "hover":
        L.rrect((0.5, 0.5, w - 0.5, h - 0.5), 4, outline=ACCENT_HI + (255,), width=1.5)
    if state == "down":
        L.rrect((0.5, 0.5, w - 0.5, h - 0.5), 4.5, outline=P.NEAR_WHITE + (255,), width=2)
    L.rrect((inset, inset, w - inset, h - inset), 3, fill=col + (255,), outline=(0, 0, 0, 120), width=0.8)
    # soft highlight on the upper half for a glossy chip
    L.rrect((inset + 1, inset + 1, w - inset - 1, (h) / 2), 2, fill=(255, 255, 255, 28))
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))


def paint_step(tile, state, c):
    w, h = tile.size
    n = c.opt["number"]
    L = P.Layer(w, h)
    d = 20
    y0 = (h - d) / 2
    active = state == "down"
    edge = ACCENT if active or state == "hover" else LINE_HI
    fill = ACCENT if active else P.FIELD
    L.ellipse((2, y0, 2 + d, y0 + d), fill=fill + (255,), outline=edge + (255,), width=1.5)
    if active:
        L.ellipse((0, y0 - 2, 4 + d, y0 + d + 2), outline=ACCENT + (70,), width=1.5)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    ncol = (6, 20, 30) if active else (TEXT_DIM if state != "disabled" else TEXT_OFF)
    P.text_in(tile, (2, y0, 2 + d, y0 + d), str(n), P.font(11, bold=True), ncol)
    col = {"normal": TEXT_DIM, "hover": TEXT, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    f = _fit_font(c.text, w - d - 8, 11)
    P.text_in(tile, (d + 8, 0, w, h), c.text, f, col, align="left")


def paint_marker(tile, state, c):
    """Windows-profile marker, 'off' look: an outlined window glyph."""
    w, h = tile.size
    L = P.Layer(w, h)
    on = c.opt.get("on", False)
    if state == "hover":
        L.rrect((0.5, 0.5, w - 0.5, h - 0.5), 4, fill=(30, 40, 52, 255), outline=ACCENT + (255,))
    elif state == "down":
        L.rrect((0.5, 0.5, w - 0.5, h - 0.5), 4, fill=ACCENT_DEEP + (255,), outline=ACCENT_HI + (255,))
    elif on:
        L.rrect((0.5, 0.5, w - 0.5, h - 0.5), 4, fill=(20, 58, 86, 255), outline=ACCENT + (255,))
    else:
        L.rrect((0.5, 0.5, w - 0.5, h - 0.5), 4, fill=(16, 18, 22, 255), outline=(40, 45, 54, 255))
    if on:
        col = ACCENT_HI if state != "down" else P.NEAR_WHITE
    else:
        col = {"normal": (70, 76, 86), "hover": ACCENT_HI, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    glyph(L, "windows", (0, 0, w, h), col)
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))


def paint_spin(tile, state, c):
    """Only the arrow column (x 34..50) changes with the state; the number
    area is covered by the edit child."""
    w, h = tile.size
    d = ImageDraw.Draw(tile)
    x0, x1 = 34, min(50, w)
    fill = {"normal": (34, 38, 47), "hover": (34, 50, 66), "down": (25, 88, 130), "disabled": (22, 24, 28)}[state]
    col = {"normal": TEXT_DIM, "hover": ACCENT_HI, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    for (y0, y1, g) in ((0, 8, "up"), (9, min(17, h - 1), "down")):
        d.rectangle([x0, y0, x1 - 1, y1 - 1 if y1 > y0 else y0], fill=fill)
        P.shape(tile, (x0, y0 - 1, x1, y1 + 1), lambda L, g=g, y0=y0, y1=y1: glyph(
            L, g, (0, 0, x1 - x0, y1 - y0 + 2), col))


def paint_flagrow(tile, state, c):
    w, h = tile.size
    d = ImageDraw.Draw(tile)
    if state == "hover":
        d.rectangle([0, 0, w - 1, h - 1], fill=(28, 40, 54))
        d.rectangle([0, 0, 1, h - 1], fill=ACCENT)
    elif state == "down":
        d.rectangle([0, 0, w - 1, h - 1], fill=(25, 88, 130))
    import art
    flag = art.flag(c.opt["flag_index"], 22, 12)
    fx = 6
    tile.paste(flag, (fx, (h - flag.size[1]) // 2))
    col = {"normal": TEXT, "hover": P.NEAR_WHITE, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    P.text_in(tile, (fx + flag.size[0] + 8, 0, w, h), c.text, P.font(10), col, align="left")


def paint_preset(tile, state, c):
    w, h = tile.size
    col = {"normal": TEXT_DIM, "hover": ACCENT_HI, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    if state in ("hover", "down"):
        L = P.Layer(w, h)
        L.rrect((0, 0, w, h), 2, fill=((30, 44, 58) if state == "hover" else (25, 88, 130)) + (255,))
        tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    f = _fit_font(c.text, w, 8, bold=True, minimum=7)
    P.text_in(tile, (0, 0, w, h), c.text, f, col)


def paint_dpi_header(tile, state, c):
    w, h = tile.size
    L = P.Layer(w, h)
    if state == "down":
        L.grad_rrect((0, 0, w, h), 3, (36, 128, 184), (22, 92, 138))
    elif state == "hover":
        L.rrect((0, 0, w, h), 3, fill=(30, 40, 52, 255))
    elif state == "disabled":
        L.rrect((0, 0, w, h), 3, fill=(15, 16, 19, 255))
    else:
        L.rrect((0, 0, w, h), 3, fill=(24, 27, 33, 255))
    tile.paste(Image.alpha_composite(tile.convert("RGBA"), L.result()).convert("RGB"))
    col = {"normal": TEXT_DIM, "hover": TEXT, "down": P.NEAR_WHITE, "disabled": TEXT_OFF}[state]
    f = P.font(9, bold=True)
    P.text_in(tile, (36, 0, w, h), c.text, f, col, align="left")
    if state == "down":
        P.text_in(tile, (0, 0, w - 8, h), "ACTIVE", f, P.NEAR_WHITE, align="right")
    else:
        P.text_in(tile, (0, 0, w - 8, h), "SET ACTIVE" if state == "hover" else "", f, ACCENT_HI, align="right")


PAINTERS = {
    "button": paint_button,
    "tab": paint_tab,
    "icon": paint_icon,
    "check": paint_check,
    "radio": paint_radio,
    "segment": paint_segment,
    "field": paint_field,
    "swatch": paint_swatch,
    "step": paint_step,
    "marker": paint_marker,
    "spin": paint_spin,
    "flagrow": paint_flagrow,
    "preset": paint_preset,
    "dpiheader": paint_dpi_header,
}


def paint_control(sheet, c, state, origin=(0, 0)):
    """Draw control c in state onto sheet, confined to its rectangle."""
    painter = PAINTERS.get(c.kind)
    if painter is None or c.w <= 0 or c.h <= 0:
        return
    ox, oy = origin
    box = (c.x + ox, c.y + oy, c.x + ox + c.w, c.y + oy + c.h)
    tile = sheet.crop(box)
    painter(tile, state, c)
    sheet.paste(tile, box[:2])
