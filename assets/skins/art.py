"""Pictures that are not controls: the mouse, flags, thumbs, icons, the
cursor, badges and the frames of the animations."""
import colorsys
import math

from PIL import Image, ImageChops, ImageDraw

import paint as P
from paint import ACCENT, ACCENT_HI, SS

KEY = (255, 0, 255)  # corner key of slider thumbs: pixel (0,0) marks "not thumb"

# --- the mouse, top view -----------------------------------------------------

# Outline in unit coordinates (u across, v front to back), clockwise from the
# front centre; the side buttons sit on the left flank.
OUTLINE = [(0.5, 0.0), (0.70, 0.012), (0.84, 0.05), (0.91, 0.13), (0.92, 0.25), (0.89, 0.38), (0.90, 0.52),
           (0.95, 0.66), (0.96, 0.80), (0.90, 0.92), (0.72, 0.99), (0.5, 1.0), (0.28, 0.99), (0.10, 0.92),
           (0.04, 0.80), (0.05, 0.66), (0.07, 0.52), (0.08, 0.38), (0.08, 0.25), (0.09, 0.13), (0.16, 0.05),
           (0.30, 0.012)]

BUTTON_SPLIT_V = 0.43


def _catmull(points, n=12):
    out = []
    k = len(points)
    for i in range(k):
        p0, p1, p2, p3 = points[i - 1], points[i], points[(i + 1) % k], points[(i + 2) % k]
        for j in range(n):
            t = j / n
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[a]) + (-p0[a] + p2[a]) * t + (2 * p0[a] - 5 * p1[a] + 4 * p2[a] - p3[a]) * t2
                                    + (-p0[a] + 3 * p1[a] - 3 * p2[a] + p3[a]) * t3) for a in range(2)))
    return out


class MouseGeometry:
    def __init__(self, box):
        self.x0, self.y0, self.x1, self.y1 = box
        self.w = self.x1 - self.x0
        self.h = self.y1 - self.y0

    def p(self, u, v):
        return (self.x0 + u * self.w, self.y0 + v * self.h)

    def outline(self):
        return [self.p(u, v) for u, v in _catmull(OUTLINE)]

    def rect(self, u0, v0, u1, v1):
        a = self.p(u0, v0)
        b = self.p(u1, v1)
        return (a[0], a[1], b[0], b[1])

    # hot areas of the twelve buttons (for highlighting), in unit coordinates
    def areas(self):
        return {
            0: ("bodyclip", (0.0, 0.0, 0.5, BUTTON_SPLIT_V)),
            1: ("bodyclip", (0.5, 0.0, 1.0, BUTTON_SPLIT_V)),
            2: ("rrect", (0.445, 0.10, 0.555, 0.27)),
            3: ("side", (0.00, 0.44, 0.12, 0.53)),
            4: ("side", (0.00, 0.55, 0.12, 0.64)),
            5: ("arrow", (0.365, 0.185, "left")),
            6: ("arrow", (0.635, 0.185, "right")),
            7: ("arrow", (0.5, 0.058, "up")),
            8: ("arrow", (0.5, 0.305, "down")),
            9: ("rrect", (0.455, 0.335, 0.545, 0.375)),
            10: ("rrect", (0.455, 0.385, 0.545, 0.425)),
            11: ("circle", (0.5, 0.52, 0.045)),
        }

    def anchor(self, button):
        kind, a = self.areas()[button]
        if kind in ("bodyclip",):
            u = 0.25 if button == 0 else 0.75
            return self.p(u, 0.22)
        if kind in ("rrect", "side"):
            return self.p((a[0] + a[2]) / 2, (a[1] + a[3]) / 2)
        if kind == "arrow":
            return self.p(a[0], a[1])
        return self.p(a[0], a[1])


def _body_mask(g, size):
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).polygon([(x * SS, y * SS) for x, y in g.outline()], fill=255)
    return m


def _arrow_pts(g, cx, cy, direction, s):
    x, y = g.p(cx, cy)
    r = s
    if direction == "up":
        return [(x - r, y + r * 0.55), (x + r, y + r * 0.55), (x, y - r * 0.65)]
    if direction == "down":
        return [(x - r, y - r * 0.55), (x + r, y - r * 0.55), (x, y + r * 0.65)]
    if direction == "left":
        return [(x + r * 0.55, y - r), (x + r * 0.55, y + r), (x - r * 0.65, y)]
    return [(x - r * 0.55, y - r), (x - r * 0.55, y + r), (x + r * 0.65, y)]


def draw_mouse(img, box, highlight=None, shift_keys=(), zones=None, leader_y=None, zone_fill=None):
    """Paint the mouse into img (RGB) inside box.

    highlight: button number to light in the accent colour.
    shift_keys: buttons drawn as the held layer key.
    zones: None, or a list of four colours for the light zones.
    leader_y: y (in img) of the label row a line runs to from the left edge.
    """
    W, H = img.size
    g = MouseGeometry(box)
    L = P.Layer(W, H)
    d = L.d
    body = _body_mask(g, (W * SS, H * SS))

    # soft shadow
    shadow = Image.new("RGBA", (W * SS, H * SS), (0, 0, 0, 0))
    sh = body.point(lambda v: v * 90 // 255)
    shadow.putalpha(sh)
    shadow = ImageChops.offset(shadow, 3 * SS, 5 * SS)
    L.img.alpha_composite(shadow)

    # body gradient
    grad = Image.new("RGBA", (1, 256))
    for y in range(256):
        grad.putpixel((0, y), P.mix((44, 49, 59), (20, 23, 28), y / 255) + (255,))
    grad = grad.resize((W * SS, H * SS))
    L.img.paste(grad, (0, 0), body)

    # palm sheen
    sheen = Image.new("L", (W * SS, H * SS), 0)
    ImageDraw.Draw(sheen).ellipse([int(v * SS) for v in g.rect(0.22, 0.50, 0.78, 0.95)], fill=12)
    sheen = ImageChops.multiply(sheen, body)
    L.img.paste((255, 255, 255, 255), (0, 0), sheen)

    # light zones: strips along the flanks
    zone_rects = zone_boxes(g)
    for i, zb in enumerate(zone_rects):
        col = zones[i] if zones else (58, 64, 76)
        zm = Image.new("L", (W * SS, H * SS), 0)
        ImageDraw.Draw(zm).rounded_rectangle([int(v * SS) for v in zb], radius=int(3 * SS), fill=255)
        zm = ImageChops.multiply(zm, body)
        L.img.paste(col + (255,), (0, 0), zm)

    # button split and rear edge of the buttons
    line = (8, 9, 12, 255)
    L.line([g.p(0.5, 0.0), g.p(0.5, 0.10)], line, 1.4)
    L.line([g.p(0.5, 0.27), g.p(0.5, BUTTON_SPLIT_V)], line, 1.4)
    L.line([g.p(0.07, BUTTON_SPLIT_V + 0.01), g.p(0.3, BUTTON_SPLIT_V), g.p(0.7, BUTTON_SPLIT_V),
            g.p(0.9, BUTTON_SPLIT_V + 0.01)], line, 1.4)

    areas = g.areas()
    unit = g.w / 130.0

    def fill_area(button, colour, outline=None):
        kind, a = areas[button]
        if kind == "bodyclip":
            m = Image.new("L", (W * SS, H * SS), 0)
            r = g.rect(*a)
            ImageDraw.Draw(m).rectangle([int(v * SS) for v in r], fill=255)
            m = ImageChops.multiply(m, body)
            # keep the wheel channel free
            ImageDraw.Draw(m).rounded_rectangle([int(v * SS) for v in g.rect(0.43, 0.09, 0.57, 0.28)],
                                                radius=int(5 * SS), fill=0)
            L.img.paste(colour, (0, 0), m)
        elif kind in ("rrect", "side"):
            L.rrect(g.rect(*a), 4 * unit, fill=colour, outline=outline, width=1.2)
        elif kind == "arrow":
            L.polygon(_arrow_pts(g, a[0], a[1], a[2], 5.5 * unit), colour)
        elif kind == "circle":
            cx, cy = g.p(a[0], a[1])
            r = a[2] * g.w
            L.ellipse((cx - r, cy - r, cx + r, cy + r), fill=colour, outline=outline, width=1.2)

    # a main button lights up under the parts that sit on it
    if highlight is not None and areas[highlight][0] == "bodyclip":
        fill_area(highlight, ACCENT + (170,))

    # static parts
    fill_area(2, (16, 18, 22, 255), (78, 86, 100, 255))       # wheel
    for k in range(1, 8):                                      # wheel ribs
        y = g.p(0.5, 0.10 + 0.17 * k / 8)[1]
        L.line([g.p(0.465, 0)[0:1] + (y,), g.p(0.535, 0)[0:1] + (y,)], (60, 66, 78, 255), 0.8)
    for b in (9, 10):
        fill_area(b, (30, 34, 41, 255), (72, 80, 94, 255))
    fill_area(11, (30, 34, 41, 255), (72, 80, 94, 255))
    for b in (3, 4):
        fill_area(b, (34, 38, 46, 255), (80, 88, 102, 255))
    for b in (5, 6, 7, 8):
        fill_area(b, (70, 78, 92, 255))

    for b in shift_keys:
        fill_area(b, (130, 140, 156, 255), (220, 226, 234, 255))
    if highlight is not None:
        glow = P.Layer(W, H)
        kind, a = areas[highlight]
        if kind != "bodyclip":
            fill_area(highlight, ACCENT + (255,), ACCENT_HI + (255,))
        else:
            L.line([g.p(a[0] + 0.02 if a[0] else 0.1, BUTTON_SPLIT_V - 0.005),
                    g.p(a[2] - 0.02 if a[2] < 1 else 0.9, BUTTON_SPLIT_V - 0.005)], ACCENT_HI + (255,), 1.2)
        del glow

    # outline last so it sits on top
    L.line(g.outline() + [g.outline()[0]], (88, 97, 112, 255), 1.1)

    if leader_y is not None and highlight is not None:
        ax, ay = g.anchor(highlight)
        knee = g.x0 - 6 if highlight not in (1, 6) else g.x0 - 6
        L.line([(0, leader_y), (knee, leader_y), (ax, ay)], ACCENT_HI + (220,), 1.2)
        L.ellipse((ax - 2.6, ay - 2.6, ax + 2.6, ay + 2.6), fill=P.NEAR_WHITE + (255,), outline=ACCENT + (255,),
                  width=1.2)
        L.ellipse((0 - 2, leader_y - 2, 0 + 2, leader_y + 2), fill=ACCENT_HI + (255,))

    P.composite(img, L.result())
    if shift_keys:
        for b in shift_keys:
            x, y = g.anchor(b)
            P.draw_text(img, (x + 10 * unit, y), "HOLD", P.font(8, bold=True), (200, 206, 214), "lm")


def zone_boxes(g):
    """Four light zones: 0 front left, 1 rear left, 2 front right, 3 rear right
    (the dot order of the profile colour previews)."""
    return [g.rect(0.10, 0.08, 0.17, 0.36), g.rect(0.09, 0.68, 0.16, 0.90),
            g.rect(0.83, 0.08, 0.90, 0.36), g.rect(0.85, 0.68, 0.92, 0.90)]


def zone_mask(size, box):
    """8-bit picture: 0 outside the zones, 1..4 on zone 0..3."""
    W, H = size
    g = MouseGeometry(box)
    body = Image.new("L", size, 0)
    ImageDraw.Draw(body).polygon(g.outline(), fill=255)
    m = Image.new("L", size, 0)
    for i, zb in enumerate(zone_boxes(g)):
        z = Image.new("L", size, 0)
        ImageDraw.Draw(z).rounded_rectangle(list(zb), radius=3, fill=255)
        z = ImageChops.multiply(z, body)
        m.paste(i + 1, (0, 0), z)
    return m


# --- flags -----------------------------------------------------------------------

WHITE = P.NEAR_WHITE


def _star(cx, cy, r, rot=-90):
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.4
        a = math.radians(rot + 36 * i)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return pts


def _flag_layer(index, w, h):
    L = P.Layer(w, h)
    d = L.d
    S = SS

    def rect(x0, y0, x1, y1, c):
        d.rectangle([x0 * w * S, y0 * h * S, x1 * w * S - 1, y1 * h * S - 1], fill=c)

    def nordic(bg, cross, inner=None):
        rect(0, 0, 1, 1, bg)
        cx = 0.36
        t = 0.26
        rect(cx - t * h / w / 2 * 1.0, 0, cx + t * h / w / 2, 1, cross)
        rect(0, 0.5 - t / 2, 1, 0.5 + t / 2, cross)
        if inner:
            t2 = 0.12
            rect(cx - t2 * h / w / 2, 0, cx + t2 * h / w / 2, 1, inner)
            rect(0, 0.5 - t2 / 2, 1, 0.5 + t2 / 2, inner)

    red = (200, 16, 46)
    if index == 0:
        nordic(red, WHITE)
    elif index == 1:
        blue = (1, 33, 105)
        rect(0, 0, 1, 1, blue)
        L.line([(0, 0), (w, h)], WHITE, h * 0.22)
        L.line([(0, h), (w, 0)], WHITE, h * 0.22)
        L.line([(0, 0), (w, h)], (200, 16, 46), h * 0.08)
        L.line([(0, h), (w, 0)], (200, 16, 46), h * 0.08)
        rect(0.5 - 0.17 * h / w, 0, 0.5 + 0.17 * h / w, 1, WHITE)
        rect(0, 0.33, 1, 0.67, WHITE)
        rect(0.5 - 0.10 * h / w, 0, 0.5 + 0.10 * h / w, 1, (200, 16, 46))
        rect(0, 0.40, 1, 0.60, (200, 16, 46))
    elif index == 2:
        nordic(WHITE, (0, 47, 108))
    elif index == 3:
        rect(0, 0, 1 / 3, 1, (0, 35, 149)); rect(1 / 3, 0, 2 / 3, 1, WHITE); rect(2 / 3, 0, 1, 1, (237, 41, 57))
    elif index == 4:
        rect(0, 0, 1, 1 / 3, (20, 20, 20)); rect(0, 1 / 3, 1, 2 / 3, (221, 0, 0)); rect(0, 2 / 3, 1, 1, (255, 206, 0))
    elif index == 5:
        rect(0, 0, 1 / 3, 1, (0, 146, 70)); rect(1 / 3, 0, 2 / 3, 1, WHITE); rect(2 / 3, 0, 1, 1, (206, 43, 55))
    elif index == 6:
        rect(0, 0, 1, 1, WHITE)
        r = h * 0.3
        L.ellipse((w / 2 - r, h / 2 - r, w / 2 + r, h / 2 + r), fill=(188, 0, 45))
    elif index == 7:
        rect(0, 0, 1, 1, WHITE)
        r = h * 0.26
        cx, cy = w / 2, h / 2
        L.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(0, 71, 160))
        d.pieslice([(cx - r) * S, (cy - r) * S, (cx + r) * S, (cy + r) * S], 180 + 20, 360 + 20, fill=(205, 46, 58))
        k = (20, 20, 20)
        for sx, sy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
            x, y = cx + sx * w * 0.32, cy + sy * h * 0.30
            L.line([(x - w * 0.05 * sy * sx, y - h * 0.07), (x + w * 0.05 * sy * sx, y + h * 0.07)], k, h * 0.1)
    elif index == 8:
        rect(0, 0, 1, 0.5, WHITE); rect(0, 0.5, 1, 1, (220, 20, 60))
    elif index == 9:
        rect(0, 0, 1, 1 / 3, WHITE); rect(0, 1 / 3, 1, 2 / 3, (0, 57, 166)); rect(0, 2 / 3, 1, 1, (213, 43, 30))
    elif index == 10:
        rect(0, 0, 1, 1, (238, 28, 37))
        L.polygon(_star(w * 0.17, h * 0.3, h * 0.2), (255, 222, 0))
        for sx, sy in ((0.33, 0.12), (0.39, 0.24), (0.39, 0.40), (0.33, 0.52)):
            L.polygon(_star(w * sx, h * sy, h * 0.065), (255, 222, 0))
    elif index == 11:
        rect(0, 0, 1, 1, (170, 21, 27)); rect(0, 0.25, 1, 0.75, (241, 191, 0))
    elif index == 12:
        nordic((0, 106, 167), (254, 204, 2))
    elif index == 13:
        rect(0, 0, 1, 1, (165, 25, 49)); rect(0, 1 / 6, 1, 5 / 6, WHITE); rect(0, 2 / 6, 1, 4 / 6, (45, 42, 74))
    elif index == 14:
        rect(0, 0, 1, 1, (254, 0, 0)); rect(0, 0, 0.5, 0.5, (0, 0, 149))
        r = h * 0.13
        cx, cy = w * 0.25, h * 0.25
        L.polygon(_star(cx, cy, r * 1.6), WHITE)
        L.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(0, 0, 149))
        L.ellipse((cx - r * 0.8, cy - r * 0.8, cx + r * 0.8, cy + r * 0.8), fill=WHITE)
    elif index == 15:
        rect(0, 0, 1, 1, (227, 10, 23))
        r = h * 0.25
        cx, cy = w * 0.38, h / 2
        L.ellipse((cx - r, cy - r, cx + r, cy + r), fill=WHITE)
        r2 = r * 0.8
        L.ellipse((cx - r2 + r * 0.25, cy - r2, cx + r2 + r * 0.25, cy + r2), fill=(227, 10, 23))
        L.polygon(_star(w * 0.6, h / 2, h * 0.14, rot=180), WHITE)
    elif index == 16:
        rect(0, 0, 1, 1, (218, 37, 29))
        L.polygon(_star(w / 2, h / 2 + h * 0.04, h * 0.34), (255, 255, 0))
    return L


def flag(index, w, h):
    """Flag picture (RGB) of the language index, 1 px dark frame."""
    L = _flag_layer(index, w, h)
    img = Image.new("RGB", (w, h), (0, 0, 0))
    P.composite(img, L.result())
    ImageDraw.Draw(img).rectangle([0, 0, w - 1, h - 1], outline=(0, 0, 0))
    return img


def flag_button(index, state, w=32, h=17):
    """Language button image: normal, hover (accent frame), down (pressed in)."""
    img = Image.new("RGB", (w, h), P.BG)
    if state == "normal":
        img.paste(flag(index, w - 2, h - 2), (1, 1))
        ImageDraw.Draw(img).rectangle([0, 0, w - 1, h - 1], outline=(60, 66, 78))
    elif state == "hover":
        f = flag(index, w - 2, h - 2)
        f = Image.blend(f, Image.new("RGB", f.size, (255, 255, 255)), 0.12)
        img.paste(f, (1, 1))
        ImageDraw.Draw(img).rectangle([0, 0, w - 1, h - 1], outline=ACCENT_HI)
    else:
        f = flag(index, w - 4, h - 4)
        f = Image.blend(f, Image.new("RGB", f.size, (0, 0, 0)), 0.25)
        img.paste(f, (2, 2))
        ImageDraw.Draw(img).rectangle([0, 0, w - 1, h - 1], outline=ACCENT)
        ImageDraw.Draw(img).rectangle([1, 1, w - 2, h - 2], outline=(10, 30, 46))
    return img


# --- slider thumbs -------------------------------------------------------------------


def thumb(w, h, body_h=None, under=P.PANEL, style="ring"):
    """Slider thumb on the corner key colour: every pixel outside the shape is
    KEY so the window region leaves only the shape."""
    body_h = body_h or h
    img = Image.new("RGB", (w, h), under)
    L = P.Layer(w, h)
    y0 = (h - body_h) / 2
    r = min(w, body_h) / 2.2
    L.grad_rrect((0.5, y0 + 0.5, w - 0.5, y0 + body_h - 0.5), r, (236, 240, 245), (150, 160, 174),
                 outline=(10, 12, 15))
    if body_h >= 12:
        cx = w / 2
        L.rrect((cx - 1.1, y0 + body_h * 0.28, cx + 1.1, y0 + body_h * 0.72), 1, fill=ACCENT + (255,))
    else:
        L.rrect((w / 2 - 1, y0 + 2, w / 2 + 1, y0 + body_h - 2), 0.8, fill=ACCENT + (255,))
    P.composite(img, L.result())
    # hard mask: the shape at full coverage only, the key everywhere else
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).rounded_rectangle([0, int(round(y0)), w - 1, int(round(y0 + body_h)) - 1],
                                        radius=max(1, int(r)), fill=255)
    out = Image.new("RGB", (w, h), KEY)
    out.paste(img, (0, 0), m)
    px = out.load()
    for y in range(h):
        for x in range(w):
            if px[x, y] == KEY and m.getpixel((x, y)):
                px[x, y] = (254, 0, 254)
    return out


# --- small pictures ---------------------------------------------------------------


def led_background(w=23, h=23):
    img = Image.new("RGB", (w, h), P.LABEL_FILL)
    P.shape(img, (0, 0, w, h), lambda L: L.rrect((0, 0, w, h), 4, fill=(14, 16, 20, 255),
                                                    outline=(52, 58, 70, 255)))
    d = ImageDraw.Draw(img)
    for (x0, y0) in ((6, 6), (6, 13), (13, 6), (13, 13)):
        d.ellipse([x0 - 2, y0 - 2, x0 + 5, y0 + 5], fill=(4, 5, 7), outline=(30, 34, 40))
    return img


LED_DOTS = ((6, 6, 10, 10), (6, 13, 10, 17), (13, 6, 17, 10), (13, 13, 17, 17))


def led_frame(colours, bg):
    img = bg.copy()
    d = ImageDraw.Draw(img)
    for (x0, y0, x1, y1), c in zip(LED_DOTS, colours):
        # the same dot the preview control draws: its square grown by one pixel
        d.ellipse([x0 - 1, y0 - 1, x1, y1], fill=c, outline=c)
    return img


def hue(t, v=1.0):
    r, g, b = colorsys.hsv_to_rgb(t % 1.0, 1.0, v)
    return (int(r * 255 + 0.5), int(g * 255 + 0.5), int(b * 255 + 0.5))


FLOWS = {
    "all-together": (0, 0, 0, 0),
    "down-up": (1, 0, 1, 0),      # bottom dots lead
    "up-down": (0, 1, 0, 1),      # top dots lead
    "right-left": (1, 1, 0, 0),   # right dots lead
    "left-right": (0, 0, 1, 1),   # left dots lead
}


def color_flow_frames(direction, n=24):
    bg = led_background()
    lag = FLOWS[direction]
    frames = []
    for i in range(n):
        t = i / n
        cols = [hue(t - lag[k] * 0.14) for k in range(4)]
        # dots index order: 0 top-left, 1 bottom-left, 2 top-right, 3 bottom-right
        frames.append(led_frame(cols, bg))
    return frames


def progress_frames(w=128, h=15, n=16):
    frames = []
    for i in range(n):
        img = Image.new("RGB", (w, h), P.PANEL)
        L = P.Layer(w, h)
        L.rrect((0, 2, w, h - 2), 5, fill=(8, 10, 13, 255), outline=(44, 50, 61, 255))
        stripes = P.Layer(w, h)
        for x in range(-h * 2, w + h * 2, 16):
            xx = x + i
            stripes.polygon([(xx, h - 3), (xx + 8, h - 3), (xx + 14, 3), (xx + 6, 3)], ACCENT + (255,))
        st = stripes.result()
        inner = Image.new("L", (w, h), 0)
        ImageDraw.Draw(inner).rounded_rectangle([2, 4, w - 3, h - 5], radius=3, fill=255)
        st.putalpha(ImageChops.multiply(st.getchannel("A"), inner))
        P.composite(img, L.result())
        P.composite(img, st)
        frames.append(img)
    return frames


def double_click_frames(w=41, h=22, n=14):
    """The double-click test pad and its reaction: frame 0 is the idle pad."""
    frames = []
    for i in range(n):
        img = Image.new("RGB", (w, h), P.PANEL)
        t = 0.0
        if i > 0:
            t = min(1.0, i / 4) if i <= 5 else max(0.0, 1 - (i - 5) / (n - 6))
        fill = P.mix((30, 34, 41), (25, 110, 160), t)
        edge = P.mix((70, 78, 92), ACCENT_HI, t)
        P.shape(img, (0, 0, w, h), lambda L: L.grad_rrect((0, 0, w, h), 5, P.mix(fill, (255, 255, 255), 0.08),
                                                          fill, outline=edge))
        if 0 < i < n - 1:
            rr = 3 + i * 2.2
            a = int(200 * max(0.0, 1 - i / (n - 2)))
            P.shape(img, (0, 0, w, h), lambda L: L.ellipse((w / 2 - rr, h / 2 - rr, w / 2 + rr, h / 2 + rr),
                                                           outline=P.NEAR_WHITE + (a,), width=1.2))
        col = P.mix(P.TEXT_DIM, P.NEAR_WHITE, t)
        P.text_in(img, (0, 0, w, h), "TEST", P.font(9, bold=True), col)
        frames.append(img)
    return frames


def double_click_wave(rate=22050):
    """Two soft clicks and a short rising chime."""
    n = int(rate * 0.42)
    out = []
    for i in range(n):
        t = i / rate
        v = 0.0
        for start in (0.0, 0.07):
            dt = t - start
            if 0 <= dt < 0.02:
                v += 0.5 * math.sin(2 * math.pi * 2200 * dt) * math.exp(-dt * 300)
        dt = t - 0.12
        if dt >= 0:
            env = math.exp(-dt * 9) * min(1.0, dt * 200)
            v += 0.32 * env * (math.sin(2 * math.pi * 988 * dt) + 0.5 * math.sin(2 * math.pi * 1482 * dt))
        out.append(max(-32767, min(32767, int(round(v * 26000)))))
    return out


def sensor_pixels():
    """Neutral 30x30 surface texture shown before the first scan."""
    px = []
    seed = 12345
    for y in range(30):
        for x in range(30):
            seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
            n = (seed >> 16) % 23
            d = math.hypot(x - 14.5, y - 14.5)
            px.append(max(0, min(255, int(70 + 60 * math.exp(-d * d / 180.0) + n))))
    return px


def badge(base_crop):
    """Model badge shown over the title wordmark for the 'plus' model."""
    img = base_crop.copy()
    w, h = img.size
    P.draw_text(img, (16, 8), "VEXTRA", P.font(24, bold=True), P.TEXT)
    x = 16 + P.text_size("VEXTRA", P.font(24, bold=True))[0] + 8
    P.shape(img, (x, 10, x + 26, 34), lambda L: L.rrect((0, 0, 26, 24), 5, fill=ACCENT + (255,)))
    P.text_in(img, (x, 10, x + 26, 34), "+", P.font(20, bold=True), (6, 20, 30))
    P.draw_text(img, (x + 32, 12), "PLUS", P.font(10, bold=True), ACCENT_HI)
    P.draw_text(img, (x + 32, 24), "EDITION", P.font(8), P.TEXT_DIM)
    return img


def wordmark(img, xy):
    x, y = xy
    P.draw_text(img, (x, y), "VEXTRA", P.font(24, bold=True), P.TEXT)


# --- icons and glyph pictures -------------------------------------------------------


def status_icon(L, kind, box):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    r = min(w, h) / 2
    col = ACCENT
    if kind == "error":
        col = (226, 84, 84)
    if kind == "warning":
        pts = [(cx, y0 + 2), (x1 - 1, y1 - 3), (x0 + 1, y1 - 3)]
        L.polygon(pts, col + (255,))
        L.line([(cx, cy - r * 0.35), (cx, cy + r * 0.22)], (8, 20, 30, 255), r * 0.16)
        L.ellipse((cx - r * 0.09, cy + r * 0.38, cx + r * 0.09, cy + r * 0.56), fill=(8, 20, 30, 255))
        return
    L.ellipse((x0 + r * 0.3, y0 + r * 0.3, x1 - r * 0.3, y1 - r * 0.3), fill=col + (40,))
    L.ellipse((x0 + 1, y0 + 1, x1 - 1, y1 - 1), outline=col + (255,), width=max(1.5, r * 0.1))
    ink = P.mix(col, (255, 255, 255), 0.35) + (255,)
    if kind == "question":
        L.line([(cx - r * 0.3, cy - r * 0.2), (cx - r * 0.22, cy - r * 0.45), (cx + r * 0.22, cy - r * 0.45),
                (cx + r * 0.32, cy - r * 0.18), (cx, cy + r * 0.05), (cx, cy + r * 0.25)], ink, r * 0.14)
        L.ellipse((cx - r * 0.09, cy + r * 0.4, cx + r * 0.09, cy + r * 0.58), fill=ink)
    elif kind == "info":
        L.ellipse((cx - r * 0.1, cy - r * 0.55, cx + r * 0.1, cy - r * 0.35), fill=ink)
        L.line([(cx, cy - r * 0.15), (cx, cy + r * 0.5)], ink, r * 0.16)
    elif kind == "ok":
        L.line([(cx - r * 0.42, cy + r * 0.02), (cx - r * 0.12, cy + r * 0.32), (cx + r * 0.45, cy - r * 0.3)],
               ink, r * 0.16)
    elif kind == "error":
        q = r * 0.34
        L.line([(cx - q, cy - q), (cx + q, cy + q)], ink, r * 0.16)
        L.line([(cx - q, cy + q), (cx + q, cy - q)], ink, r * 0.16)


def stopwatch(L, box):
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2 + 6
    r = min(x1 - x0, y1 - y0) / 2 - 10
    L.rrect((cx - 8, cy - r - 14, cx + 8, cy - r - 6), 2, fill=(70, 78, 92, 255))
    L.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(18, 21, 27, 255), outline=(70, 78, 92, 255), width=3)
    L.d.pieslice([int(v * SS) for v in (cx - r + 8, cy - r + 8, cx + r - 8, cy + r - 8)], -90, 30,
                 fill=ACCENT + (150,))
    for k in range(12):
        a = math.radians(k * 30)
        L.line([(cx + (r - 6) * math.sin(a), cy - (r - 6) * math.cos(a)),
                (cx + (r - 12) * math.sin(a), cy - (r - 12) * math.cos(a))], (110, 118, 132, 255), 1.5)
    L.line([(cx, cy), (cx + (r - 14) * math.sin(math.radians(120)), cy - (r - 14) * math.cos(math.radians(120)))],
           ACCENT_HI + (255,), 3)
    L.ellipse((cx - 4, cy - 4, cx + 4, cy + 4), fill=P.NEAR_WHITE + (255,))


def chip(L, box):
    x0, y0, x1, y1 = box
    w = x1 - x0
    m = w * 0.2
    for k in range(4):
        t = x0 + m + (w - 2 * m) * (k + 0.5) / 4
        L.line([(t, y0), (t, y0 + m)], (110, 118, 132, 255), 2)
        L.line([(t, y1 - m), (t, y1)], (110, 118, 132, 255), 2)
        L.line([(x0, y0 + m + (w - 2 * m) * (k + 0.5) / 4), (x0 + m, y0 + m + (w - 2 * m) * (k + 0.5) / 4)],
               (110, 118, 132, 255), 2)
        L.line([(x1 - m, y0 + m + (w - 2 * m) * (k + 0.5) / 4), (x1, y0 + m + (w - 2 * m) * (k + 0.5) / 4)],
               (110, 118, 132, 255), 2)
    L.rrect((x0 + m * 0.8, y0 + m * 0.8, x1 - m * 0.8, y1 - m * 0.8), 5, fill=(26, 30, 37, 255),
            outline=ACCENT + (255,), width=2)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    q = w * 0.16
    L.line([(cx, cy + q), (cx, cy - q)], ACCENT_HI + (255,), 2.5)
    L.line([(cx - q * 0.7, cy - q * 0.2), (cx, cy - q), (cx + q * 0.7, cy - q * 0.2)], ACCENT_HI + (255,), 2.5)


def program_icon(kind, size):
    """Program icon at one size: a rounded dark tile with the mouse mark."""
    S = 256
    img = Image.new("RGBA", (S, S), (0, 0, 0, 0))
    L = P.Layer(S, S)
    L.grad_rrect((8, 8, S - 8, S - 8), 48, (40, 46, 58), (14, 16, 20), outline=ACCENT, width=6)
    if kind == "updater":
        chip(L, (64, 64, 192, 192))
    else:
        body = [(128 + (u - 0.5) * 120, 40 + v * 176) for u, v in _catmull(OUTLINE, 6)]
        L.polygon(body, (226, 232, 240, 255))
        L.line([(128, 40), (128, 118)], (14, 16, 20, 255), 7)
        L.line([(72, 118), (184, 118)], (14, 16, 20, 255), 7)
        L.rrect((118, 62, 138, 100), 8, fill=ACCENT + (255,))
        if kind == "option":
            cx, cy, r = 184, 184, 40
            for k in range(8):
                a = math.radians(k * 45)
                L.line([(cx + r * 0.6 * math.cos(a), cy + r * 0.6 * math.sin(a)),
                        (cx + r * math.cos(a), cy + r * math.sin(a))], ACCENT + (255,), 16)
            L.ellipse((cx - r * 0.72, cy - r * 0.72, cx + r * 0.72, cy + r * 0.72), fill=ACCENT + (255,))
            L.ellipse((cx - r * 0.3, cy - r * 0.3, cx + r * 0.3, cy + r * 0.3), fill=(14, 16, 20, 255))
    img.alpha_composite(L.result())
    if size == S:
        return img
    return img.resize((size, size), Image.LANCZOS)


def hand_cursor():
    """32x32 pointing hand, hotspot at the fingertip (11, 1)."""
    S = 32
    L = P.Layer(S, S)
    black = (0, 0, 0, 255)
    white = (255, 255, 255, 255)
    parts = [(8.5, 0.5, 14.5, 19), (14, 9, 19, 20), (18.5, 10, 23.5, 21), (23, 11.5, 28, 22), (8.5, 15, 28, 29.5)]
    thumb_pts = [(2, 16), (5, 13.5), (9.5, 18), (9.5, 24), (6, 22)]
    for (x0, y0, x1, y1) in parts:
        L.rrect((x0 - 1, y0 - 1, x1 + 1, y1 + 1), 3.5, fill=black)
    L.polygon([(x - 1.2 if x < 6 else x, y) for x, y in thumb_pts], black)
    L.line(thumb_pts + [thumb_pts[0]], black, 2.4)
    for (x0, y0, x1, y1) in parts:
        L.rrect((x0, y0, x1, y1), 2.5, fill=white)
    L.polygon(thumb_pts, white)
    for x in (14.2, 18.7, 23.2):
        L.line([(x, 14), (x, 18)], (0, 0, 0, 200), 0.9)
    img = L.result()
    # cursors have no soft shadow support on every system: harden the alpha
    a = img.getchannel("A").point(lambda v: 255 if v >= 96 else 0)
    img.putalpha(a)
    return img
