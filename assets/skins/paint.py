"""Theme and drawing primitives shared by every window of the skin.

One dark palette with one accent colour.  Shapes are drawn four times larger
and reduced, so edges are smooth; text is drawn at its final size so FreeType
hinting keeps it sharp.
"""
import os

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# Palette.  Pure white (255, 255, 255) is reserved: skinned windows turn it
# into holes of their window region, so nothing visible may use it.
BG = (12, 14, 18)          # window body
BG_HEAD = (18, 21, 27)     # title and header bands
PANEL = (19, 22, 28)       # grouped sections
PANEL_EDGE = (36, 41, 50)
FIELD = (9, 10, 13)        # insets: lists, help line, edits
LINE = (44, 50, 61)
LINE_HI = (70, 78, 92)
TEXT = (218, 223, 230)
TEXT_DIM = (138, 146, 158)
TEXT_OFF = (74, 79, 88)
ACCENT = (53, 160, 222)    # the accent: also the popup menu frame colour
ACCENT_HI = (120, 200, 246)
ACCENT_DEEP = (18, 64, 96)
LABEL_FILL = (2, 2, 2)     # what a skinned label fills itself with
NEAR_WHITE = (246, 248, 250)

SS = 4  # supersampling factor for shapes


_fonts = {}


def font(size, bold=False, condensed=False):
    key = (size, bold, condensed)
    if key not in _fonts:
        name = "DejaVuSans"
        if condensed:
            name += "Condensed"
        if bold:
            name += "-Bold"
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name + ".ttf"), size)
    return _fonts[key]


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


# --- supersampled shape layers ---------------------------------------------

class Layer:
    """RGBA drawing surface SS times larger than its target box."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def _target(self, *colours):
        """Draw translucent colours on a scratch layer so they blend with what
        is already there instead of replacing it."""
        if any(c is not None and len(c) == 4 and c[3] < 255 for c in colours):
            scratch = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
            return scratch, ImageDraw.Draw(scratch)
        return None, self.d

    def _done(self, scratch):
        if scratch is not None:
            self.img.alpha_composite(scratch)

    @staticmethod
    def s(box):
        return [int(round(v * SS)) for v in box]

    def rrect(self, box, r, fill=None, outline=None, width=1):
        b = self.s(box)
        b[2] -= 1
        b[3] -= 1
        scratch, d = self._target(fill, outline)
        d.rounded_rectangle(b, radius=max(0, int(r * SS)), fill=fill, outline=outline,
                            width=int(width * SS) if outline else 0)
        self._done(scratch)

    def grad_rrect(self, box, r, top, bottom, outline=None, width=1):
        """Rounded rectangle with a vertical gradient fill and optional outline."""
        b = self.s(box)
        w, h = b[2] - b[0], b[3] - b[1]
        if w <= 0 or h <= 0:
            return
        grad = Image.new("RGBA", (1, h))
        for y in range(h):
            grad.putpixel((0, y), mix(top, bottom, y / max(1, h - 1)) + (255,))
        grad = grad.resize((w, h))
        mask = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=int(r * SS), fill=255)
        self.img.paste(grad, (b[0], b[1]), mask)
        if outline:
            self.rrect(box, r, outline=outline, width=width)

    def ellipse(self, box, fill=None, outline=None, width=1):
        b = self.s(box)
        b[2] -= 1
        b[3] -= 1
        scratch, d = self._target(fill, outline)
        d.ellipse(b, fill=fill, outline=outline, width=int(width * SS) if outline else 0)
        self._done(scratch)

    def polygon(self, pts, fill):
        scratch, d = self._target(fill)
        d.polygon([(x * SS, y * SS) for x, y in pts], fill=fill)
        self._done(scratch)

    def line(self, pts, fill, width=1):
        scratch, d = self._target(fill)
        d.line([(x * SS, y * SS) for x, y in pts], fill=fill, width=int(width * SS), joint="curve")
        self._done(scratch)

    def result(self):
        small = self.img.convert("RGBa").resize((self.w, self.h), Image.BOX)
        return small.convert("RGBA")


def composite(img, layer, xy=(0, 0)):
    """Blend a finished layer onto an RGB image in place."""
    x, y = xy
    lw, lh = layer.size
    region = img.crop((x, y, x + lw, y + lh)).convert("RGBA")
    region = Image.alpha_composite(region, layer)
    img.paste(region.convert("RGB"), (x, y))


def shape(img, box, fn):
    """Draw fn(layer) supersampled into box of img; fn works in box-local units."""
    x0, y0, x1, y1 = box
    lay = Layer(x1 - x0, y1 - y0)
    fn(lay)
    composite(img, lay.result(), (x0, y0))


# --- text ------------------------------------------------------------------

def text_size(s, f):
    if not s:
        return 0, 0
    l, t, r, b = f.getbbox(s)
    return r - l, b - t


def draw_text(img, xy, s, f, fill, anchor="la"):
    ImageDraw.Draw(img).text(xy, s, font=f, fill=fill, anchor=anchor)


def text_in(img, box, s, f, fill, align="center", dx=0, dy=0):
    """One line centred vertically in box (by the font's cap height)."""
    x0, y0, x1, y1 = box
    asc, desc = f.getmetrics()
    cap = f.getbbox("H")
    ch = cap[3] - cap[1]
    y = (y0 + y1) / 2 + ch / 2 + dy
    if align == "center":
        ImageDraw.Draw(img).text(((x0 + x1) / 2 + dx, y), s, font=f, fill=fill, anchor="ms")
    elif align == "right":
        ImageDraw.Draw(img).text((x1 + dx, y), s, font=f, fill=fill, anchor="rs")
    else:
        ImageDraw.Draw(img).text((x0 + dx, y), s, font=f, fill=fill, anchor="ls")


def wrap(s, f, width):
    lines = []
    for para in s.split("\n"):
        words = para.split(" ")
        cur = ""
        for w in words:
            trial = (cur + " " + w).strip()
            if text_size(trial, f)[0] <= width or not cur:
                cur = trial
            else:
                lines.append(cur)
                cur = w
        lines.append(cur)
    return lines


def paragraph(img, box, s, f, fill, align="left", spacing=4, valign="top"):
    x0, y0, x1, y1 = box
    lines = wrap(s, f, x1 - x0)
    asc, desc = f.getmetrics()
    lh = asc + desc + spacing - 2
    total = lh * len(lines) - spacing
    y = y0 if valign == "top" else y0 + (y1 - y0 - total) / 2
    d = ImageDraw.Draw(img)
    for ln in lines:
        if align == "center":
            d.text(((x0 + x1) / 2, y), ln, font=f, fill=fill, anchor="ma")
        else:
            d.text((x0, y), ln, font=f, fill=fill, anchor="la")
        y += lh
    return y


# --- backgrounds -----------------------------------------------------------

def vgradient(img, box, top, bottom):
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    h = max(1, y1 - y0 - 1)
    for y in range(y0, y1):
        d.line([(x0, y), (x1 - 1, y)], fill=mix(top, bottom, (y - y0) / h))


def stripes(img, box, colour, step=6, alpha=0.06):
    """Faint diagonal texture for header bands."""
    x0, y0, x1, y1 = box
    over = Image.new("RGBA", (x1 - x0, y1 - y0), (0, 0, 0, 0))
    d = ImageDraw.Draw(over)
    a = int(255 * alpha)
    h = y1 - y0
    for x in range(-h, x1 - x0, step):
        d.line([(x, h), (x + h, 0)], fill=colour + (a,), width=1)
    composite(img, over, (x0, y0))


def panel(img, box, title=None, r=6):
    x0, y0, x1, y1 = box
    shape(img, box, lambda L: L.grad_rrect((0, 0, x1 - x0, y1 - y0), r, mix(PANEL, BG_HEAD, .3), PANEL,
                                           outline=PANEL_EDGE))
    if title:
        heading(img, (x0 + 10, y0 + 8), title)


def heading(img, xy, s, colour=None):
    """Section heading: small bold capitals with an accent tick before it."""
    x, y = xy
    ImageDraw.Draw(img).rectangle([x, y + 1, x + 2, y + 9], fill=ACCENT)
    draw_text(img, (x + 7, y), s.upper(), font(10, bold=True), colour or TEXT_DIM)


def inset(img, box, fill=FIELD, edge=LINE, r=3):
    """A sunken field whose frame lies just outside box, so the box itself is
    free for a child window to cover."""
    x0, y0, x1, y1 = box
    shape(img, (x0 - 2, y0 - 2, x1 + 2, y1 + 2),
          lambda L: L.rrect((0, 0, x1 - x0 + 4, y1 - y0 + 4), r, fill=fill, outline=edge))
    ImageDraw.Draw(img).rectangle([x0, y0, x1 - 1, y1 - 1], fill=fill)


def clamp_white(img):
    """Move every pure white pixel one step down, keeping white free for the
    region key."""
    r, g, b = img.split()
    white = Image.eval(r, lambda v: 255 if v == 255 else 0)
    white = Image.composite(white, Image.new("L", img.size, 0), Image.eval(g, lambda v: 255 if v == 255 else 0))
    white = Image.composite(white, Image.new("L", img.size, 0), Image.eval(b, lambda v: 255 if v == 255 else 0))
    img.paste((254, 254, 254), (0, 0), white)


def rounded_mask(size, r):
    """Hard-edged (not antialiased) mask of a rounded window: 255 inside."""
    w, h = size
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).rounded_rectangle([0, 0, w - 1, h - 1], radius=r, fill=255)
    return m
