"""Checks of the generated skin: byte-determinism, pictures confined to their
layout rectangles, window regions, and the format facts the programs rely on.

Run: python3 -m unittest discover -s assets/skins -p 'test_*.py'
"""
import os
import re
import struct
import sys
import tempfile
import unittest

from PIL import Image, ImageChops

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import generate  # noqa: E402
import layouts  # noqa: E402

STATEFUL = set(generate.controls.PAINTERS)
_tmp = None
_out = None


def setUpModule():
    global _tmp, _out
    _tmp = tempfile.TemporaryDirectory(prefix="skin-test-")
    _out = os.path.join(_tmp.name, "a")
    generate.generate(os.path.join(_out, "program"), os.path.join(_out, "res"))


def tearDownModule():
    _tmp.cleanup()


def program(rel):
    return os.path.join(_out, "program", *rel.split("/"))


def res(rel):
    return os.path.join(_out, "res", *rel.split("/"))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def load(path):
    with Image.open(path) as im:
        return im.convert("RGB")


def sheet(win, state):
    return load(res("%s/%s_%s.bmp" % (win.program, win.name, state)))


def bmp_header(data):
    magic, size, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
    hsize, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    return dict(magic=magic, size=size, off=off, w=w, h=h, bpp=bpp, comp=comp)


class Determinism(unittest.TestCase):
    def test_second_run_gives_the_same_bytes(self):
        other = os.path.join(_tmp.name, "b")
        generate.generate(os.path.join(other, "program"), os.path.join(other, "res"))
        files_a = sorted(os.path.relpath(os.path.join(d, f), _out) for d, _, fs in os.walk(_out) for f in fs)
        files_b = sorted(os.path.relpath(os.path.join(d, f), other) for d, _, fs in os.walk(other) for f in fs)
        self.assertEqual(files_a, files_b)
        differing = [f for f in files_a if read(os.path.join(_out, f)) != read(os.path.join(other, f))]
        self.assertEqual(differing, [])


class LayoutStrings(unittest.TestCase):
    def test_read_like_the_programs(self):
        cases = [
            ("Main,4,75,160,38,Main settings for the selected device",
             ("Main", 4, 75, 160, 38, "Main settings for the selected device")),
            ("windows profile,139, 514,22,22,", ("windows profile", 139, 514, 22, 22, "")),
            ("Check Interval, 164,204,65,15,", ("Check Interval", 164, 204, 65, 15, "")),
            ("BUTTON_Reset,665,275,100,22, Reset  ", ("BUTTON_Reset", 665, 275, 100, 22, "Reset")),
            ("X,1,2,3,4,first, second", ("X", 1, 2, 3, 4, "second")),
        ]
        for s, want in cases:
            self.assertEqual(layouts.parse_layout(s), want, s)

    def test_every_control_lies_inside_its_window(self):
        for win in layouts.ALL_WINDOWS:
            w, h = win.size
            for c in layouts.expanded_controls(win):
                if c.kind == "hidden":
                    continue
                self.assertTrue(0 <= c.x and 0 <= c.y and c.x + c.w <= w and c.y + c.h <= h,
                                "%s: %s outside %dx%d" % (win.name, c.layout, w, h))

    def test_window_sizes(self):
        sizes = {w.name: w.size for w in layouts.ALL_WINDOWS}
        self.assertEqual(sizes["main"], (800, 600))
        for name in ("page_main", "page_buttons", "page_light", "page_advanced", "page_update"):
            self.assertEqual(sizes[name], (774, 312), name)
        self.assertEqual(sizes["updater_main"], (525, 291))
        for name in ("updater_confirm", "updater_driver_notice", "updater_success", "updater_failure"):
            self.assertEqual(sizes[name], (305, 215), name)
        for win in layouts.ALL_WINDOWS:
            self.assertEqual(sheet(win, "normal").size, win.size, win.name)


class Sheets(unittest.TestCase):
    def test_state_pictures_stay_inside_their_rectangles(self):
        """Where the four sheets differ, a control with states must be there;
        every such control shows all four states."""
        for win in layouts.ALL_WINDOWS:
            sheets = {st: sheet(win, st) for st in generate.STATES}
            stateful = [c for c in layouts.expanded_controls(win) if c.kind in STATEFUL and c.w and c.h]
            allowed = Image.new("L", win.size, 0)
            for c in stateful:
                allowed.paste(255, c.rect)
            for st in ("hover", "down", "disabled"):
                diff = ImageChops.difference(sheets["normal"], sheets[st]).convert("L").point(lambda v: 255 if v else 0)
                stray = ImageChops.subtract(diff, allowed)
                self.assertIsNone(stray.getbbox(), "%s %s: change outside the controls at %s"
                                  % (win.name, st, stray.getbbox()))
                for c in stateful:
                    self.assertIsNotNone(diff.crop(c.rect).getbbox(),
                                         "%s %s: %s has no %s picture" % (win.name, c.layout, c.kind, st))

    def test_white_is_only_the_region_outside_the_window(self):
        for win in layouts.ALL_WINDOWS:
            for st in generate.STATES:
                img = sheet(win, st)
                r, g, b = img.split()
                white = ImageChops.multiply(ImageChops.multiply(r.point(lambda v: 255 if v == 255 else 0),
                                                                g.point(lambda v: 255 if v == 255 else 0)),
                                            b.point(lambda v: 255 if v == 255 else 0))
                if not win.top_level:
                    self.assertIsNone(white.getbbox(), "%s %s has white pixels" % (win.name, st))
                    continue
                if win.radius:
                    self.assertEqual(img.getpixel((0, 0)), (255, 255, 255), win.name)
                self.assertNotEqual(img.getpixel((win.size[0] // 2, win.size[1] // 2)), (255, 255, 255))
                for c in layouts.expanded_controls(win):
                    if c.w and c.h:
                        self.assertIsNone(white.crop(c.rect).getbbox(), "%s: white inside %s" % (win.name, c.layout))

    def test_thumbs_fit_their_tracks_and_key_their_corner(self):
        for win in layouts.ALL_WINDOWS:
            for c in layouts.expanded_controls(win):
                if c.kind != "slider":
                    continue
                thumb = load(res("option/%s.bmp" % c.opt["thumb"]))
                tw, th = thumb.size
                self.assertLessEqual(th, c.h, "%s: thumb taller than %s" % (win.name, c.layout))
                self.assertLess(tw, c.w // 2, c.layout)
                key = thumb.getpixel((0, 0))
                self.assertEqual(key, (255, 0, 255))
                self.assertNotEqual(thumb.getpixel((tw // 2, th // 2)), key)


class Pictures(unittest.TestCase):
    def test_mouse_pictures_sit_on_the_page_mouse(self):
        page = sheet(layouts.BUTTON_PAGE, "normal")
        pics = [load(res("option/mouse_button_%02d.bmp" % i)) for i in range(60)]
        for i, p in enumerate(pics):
            self.assertEqual(p.size, (188, 272))
            x = 191 if i < 12 else 582
            diff = ImageChops.difference(p, page.crop((x, 32, x + 188, 304))).convert("L")
            same = diff.histogram()[0]
            self.assertGreater(same, 0.85 * 188 * 272, "picture %d does not line up with the page" % i)
        self.assertEqual(len({p.tobytes() for p in pics}), 60)

    def test_flags_and_swatches(self):
        for st in ("normal", "hover", "down"):
            for i in range(17):
                self.assertEqual(load(res("option/flag_%s_%02d.bmp" % (st, i))).size, (32, 17))
            for n in range(33):
                self.assertEqual(load(res("option/swatch_%s_%02d.bmp" % (st, n))).size, (24, 24))
        centre = [load(res("option/swatch_normal_%02d.bmp" % n)).getpixel((12, 18))
                  for n in range(33)]
        for n, (got, want) in enumerate(zip(centre, layouts.SWATCH_COLOURS)):
            self.assertTrue(all(abs(a - b) <= 2 for a, b in zip(got, want)), "swatch %d: %s vs %s" % (n, got, want))


class ProgramFolder(unittest.TestCase):
    def test_sensor_image(self):
        data = read(program("Wave/sensorImage.bmp"))
        h = bmp_header(data)
        self.assertEqual((h["magic"], h["w"], h["h"], h["bpp"], h["comp"], h["off"]), (b"BM", 30, 30, 8, 0, 1078))
        self.assertEqual(len(data), 1078 + 30 * 32)
        # the palette maps each byte to its own grey, so x4 brightens the picture
        self.assertEqual(data[54 + 4 * 200:54 + 4 * 200 + 4], bytes((200, 200, 200, 0)))

    def test_gifs_have_one_global_table_and_full_frames(self):
        names = ["Gif/ColorFlow-Animation_%s.gif" % d for d in
                 ("all-together", "down-up", "up-down", "right-left", "left-right")] + ["Gif/ProgressbarAnimation.gif"]
        for name in names:
            data = read(program(name))
            self.assertEqual(data[:6], b"GIF89a")
            w, h, flags = struct.unpack_from("<HHB", data, 6)
            self.assertTrue(flags & 0x80, name)
            pos = 13 + 3 * (2 << (flags & 7))
            frames = 0
            while data[pos] != 0x3B:
                if data[pos] == 0x21:
                    pos += 2
                    while data[pos]:
                        pos += data[pos] + 1
                    pos += 1
                elif data[pos] == 0x2C:
                    _, fx, fy, fw, fh, fflags = struct.unpack_from("<BHHHHB", data, pos)
                    self.assertEqual((fx, fy, fw, fh), (0, 0, w, h), name)
                    self.assertFalse(fflags & 0x80, "%s: local colour table" % name)
                    pos += 11
                    while data[pos]:
                        pos += data[pos] + 1
                    pos += 1
                    frames += 1
                else:
                    self.fail("%s: bad block at %d" % (name, pos))
            self.assertGreater(frames, 4, name)
            self.assertEqual((w, h), (23, 23) if "ColorFlow" in name else (128, 15))
            with Image.open(program(name)) as im:
                self.assertEqual(im.n_frames, frames)

    def test_colour_flow_directions_lead_the_right_dots(self):
        """In the first frames the leading dots are ahead on the hue circle."""
        dots = [(8, 8), (8, 15), (15, 8), (15, 15)]  # top-left, bottom-left, top-right, bottom-right
        leading = {"down-up": (1, 3), "up-down": (0, 2), "right-left": (2, 3), "left-right": (0, 1)}
        for direction, lead in leading.items():
            px = [load(program("Gif/ColorFlow-Animation_%s.gif" % direction)).getpixel(p) for p in dots]
            for i in range(4):
                for j in range(4):
                    if (i in lead) == (j in lead):
                        self.assertEqual(px[i], px[j], direction)
            self.assertNotEqual(px[lead[0]], px[[k for k in range(4) if k not in lead][0]], direction)
        px = [load(program("Gif/ColorFlow-Animation_all-together.gif")).getpixel(p) for p in dots]
        self.assertEqual(len(set(px)), 1)

    def test_avi_is_plain_8_bit_video(self):
        data = read(program("Wave/double_click.avi"))
        self.assertEqual((data[:4], data[8:12]), (b"RIFF", b"AVI "))
        self.assertEqual(struct.unpack_from("<I", data, 4)[0], len(data) - 8)
        self.assertIn(b"vids", data)
        self.assertNotIn(b"auds", data)
        strf = data.index(b"strf") + 8
        _, w, h, _, bpp, comp = struct.unpack_from("<IiiHHI", data, strf)
        self.assertEqual((w, h, bpp, comp), (41, 22, 8, 0))
        frames = struct.unpack_from("<I", data, data.index(b"avih") + 8 + 16)[0]
        idx = data.index(b"idx1")
        self.assertEqual(struct.unpack_from("<I", data, idx + 4)[0], 16 * frames)
        self.assertEqual(data.count(b"00db"), 2 * frames)
        self.assertEqual(load(program("Wave/double_click.bmp")).size, (41, 22))

    def test_wav_is_pcm(self):
        data = read(program("Wave/double_click.wav"))
        self.assertEqual((data[:4], data[8:16]), (b"RIFF", b"WAVEfmt "))
        fmt, ch, rate, _, align, bits = struct.unpack_from("<HHIIHH", data, 20)
        self.assertEqual((fmt, ch, rate, align, bits), (1, 1, 22050, 2, 16))
        self.assertEqual(data[36:40], b"data")
        n = struct.unpack_from("<I", data, 40)[0]
        self.assertEqual(len(data), 44 + n)
        samples = struct.unpack_from("<%dh" % (n // 2), data, 44)
        self.assertGreater(max(abs(s) for s in samples), 8000)


class Resources(unittest.TestCase):
    def test_rc_files_name_existing_files_with_unique_ids(self):
        header = read(res("vextra_skin_ids.h")).decode()
        ids = dict(re.findall(r"#define (\w+)\s+(\d+)", header))
        numbers = {}
        for ident, num in ids.items():
            numbers.setdefault(num, []).append(ident)
        self.assertEqual([v for v in numbers.values() if len(v) > 1], [])
        for program_name in ("option", "updater", "monitor"):
            rc = read(res("%s_skin.rc" % program_name)).decode()
            entries = re.findall(r'^(\w+) (\w+) "([^"]+)"$', rc, re.M)
            self.assertTrue(entries, program_name)
            for ident, rtype, rel in entries:
                self.assertIn(ident, ids)
                self.assertTrue(os.path.isfile(res(rel)), rel)

    def test_picture_arrays_are_numbered_in_a_row(self):
        ids = {k: int(v) for k, v in re.findall(r"#define (\w+)\s+(\d+)", read(res("vextra_skin_ids.h")).decode())}
        for prefix, count in (("IDB_MOUSE_BUTTON_", 60), ("IDB_FLAG_NORMAL_", 17), ("IDB_FLAG_HOVER_", 17),
                              ("IDB_FLAG_DOWN_", 17), ("IDB_SWATCH_NORMAL_", 33)):
            first = ids[prefix + "00"]
            self.assertEqual([ids["%s%02d" % (prefix, i)] for i in range(count)], list(range(first, first + count)))
        for win in layouts.ALL_WINDOWS:
            n = ids["IDB_%s_NORMAL" % win.name.upper()]
            self.assertEqual([ids["IDB_%s_%s" % (win.name.upper(), st.upper())] for st in generate.STATES],
                             [n, n + 1, n + 2, n + 3], win.name)

    def test_icons_and_cursor(self):
        for name in ("monitor/VextraMonitor.ico", "option/VextraOption.ico", "updater/VextraUpdater.ico"):
            data = read(res(name))
            _, kind, count = struct.unpack_from("<HHH", data, 0)
            self.assertEqual((kind, count), (1, 5), name)
            sizes = [data[6 + 16 * i] or 256 for i in range(count)]
            self.assertEqual(sizes, [16, 24, 32, 48, 256])
            for i in range(count):
                size, off = struct.unpack_from("<II", data, 6 + 16 * i + 8)
                self.assertLessEqual(off + size, len(data))
        cur = read(res("option/hand.cur"))
        _, kind, count = struct.unpack_from("<HHH", cur, 0)
        w, h, _, _, hx, hy = struct.unpack_from("<BBBBHH", cur, 6)
        self.assertEqual((kind, count, w, h, hx, hy), (2, 1, 32, 32, 11, 1))


if __name__ == "__main__":
    unittest.main()
