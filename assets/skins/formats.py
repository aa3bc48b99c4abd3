"""Byte-exact writers for the file formats the programs load.

Every writer builds its bytes itself (or through PIL with nothing variable in
the output), so a second run gives the same bytes: no timestamps, no encoder
names, no per-run choices.
"""
import io
import struct

from PIL import Image


# --- BMP -------------------------------------------------------------------

def bmp24_bytes(img):
    """24-bit bottom-up BI_RGB bitmap, the form LoadImage and LoadBitmap take."""
    img = img.convert("RGB")
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    raw = img.tobytes("raw", "BGR", stride, -1)  # bottom-up rows, padded
    size_image = stride * h
    header = struct.pack("<2sIHHI", b"BM", 54 + size_image, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, size_image, 2835, 2835, 0, 0)
    return header + info + raw


def bmp8_bytes(pixels, width, height, palette, row_stride=None):
    """8-bit bottom-up bitmap with a full 256-entry palette.

    pixels: top-down rows, width bytes each.  The pixel array starts at 1078
    (14 + 40 + 1024), which callers that patch the pixels in place rely on.
    """
    stride = row_stride or ((width + 3) & ~3)
    pal = bytearray()
    for i in range(256):
        r, g, b = palette[i] if i < len(palette) else (0, 0, 0)
        pal += bytes((b, g, r, 0))
    body = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytes(pixels[y * width:(y + 1) * width])
        body += row + bytes(stride - width)
    size_image = len(body)
    off = 14 + 40 + 1024
    header = struct.pack("<2sIHHI", b"BM", off + size_image, 0, 0, off)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, size_image, 2835, 2835, 256, 0)
    return header + info + bytes(pal) + bytes(body)


# --- GIF -------------------------------------------------------------------

def _lzw(indices, min_size):
    """GIF LZW, code-size rules as the common decoders expect them."""
    clear = 1 << min_size
    eoi = clear + 1
    out = bytearray()
    acc = 0
    nbits = 0

    def emit(code, size):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    size = min_size + 1
    next_code = eoi + 1
    table = {}
    emit(clear, size)
    it = iter(indices)
    try:
        cur = next(it)
    except StopIteration:
        emit(eoi, size)
        if nbits:
            out.append(acc & 0xFF)
        return bytes(out)
    for k in it:
        key = (cur, k)
        code = table.get(key)
        if code is not None:
            cur = code
            continue
        emit(cur, size)
        if next_code >= (1 << size) and size < 12:
            size += 1
        if next_code >= 4095:
            emit(clear, size)
            table.clear()
            size = min_size + 1
            next_code = eoi + 1
        else:
            table[key] = next_code
            next_code += 1
        cur = k
    emit(cur, size)
    if next_code >= (1 << size) and size < 12:
        size += 1
    emit(eoi, size)
    if nbits:
        out.append(acc & 0xFF)
    return bytes(out)


def _sub_blocks(data):
    out = bytearray()
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def gif_bytes(frames, palette, delays, background=0, loop=True):
    """Animated GIF with one global colour table and full-size frames.

    frames: list of (width, height, bytes of palette indices, top-down).
    Each frame carries its own graphic control extension (delay in 1/100 s,
    disposal 1 = leave in place) and no local colour table, so a frame copied
    out with the global table alone is still a complete picture.
    """
    w, h = frames[0][0], frames[0][1]
    pal = list(palette)[:256]
    bits = 1
    while (1 << bits) < len(pal):
        bits += 1
    pal += [(0, 0, 0)] * ((1 << bits) - len(pal))
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", w, h, 0x80 | ((bits - 1) << 4) | (bits - 1), background, 0)
    for r, g, b in pal:
        out += bytes((r, g, b))
    if loop and len(frames) > 1:
        out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    min_size = max(2, bits)
    for (fw, fh, data), delay in zip(frames, delays):
        assert (fw, fh) == (w, h) and len(data) == w * h
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, 1 << 2, delay, 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, w, h, 0)
        out.append(min_size)
        out += _sub_blocks(_lzw(data, min_size))
    out.append(0x3B)
    return bytes(out)


# --- AVI (uncompressed 8-bit DIB frames, no audio) -------------------------

def _chunk(fourcc, data):
    pad = b"\0" if len(data) & 1 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def _list(kind, data):
    return b"LIST" + struct.pack("<I", len(data) + 4) + kind + data


def avi_bytes(frames, width, height, palette, fps):
    """AVI the animation control plays: one video stream of BI_RGB 8-bit
    frames, an idx1 index, nothing else."""
    stride = (width + 3) & ~3
    frame_size = stride * height
    bodies = []
    for data in frames:
        body = bytearray()
        for y in range(height - 1, -1, -1):
            body += bytes(data[y * width:(y + 1) * width]) + bytes(stride - width)
        bodies.append(bytes(body))
    usec = int(round(1000000 / fps))
    n = len(frames)
    avih = struct.pack("<IIIIIIIIII4I", usec, frame_size * fps, 0, 0x10, n, 0, 1,
                       frame_size, width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, fps, 0, n,
                       frame_size, 0xFFFFFFFF, 0, 0, 0, width, height)
    pal = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette[:256])
    pal += bytes(1024 - len(pal))
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, frame_size, 0, 0, 256, 0) + pal
    strl = _list(b"strl", _chunk(b"strh", strh) + _chunk(b"strf", strf))
    hdrl = _list(b"hdrl", _chunk(b"avih", avih) + strl)
    movi_data = bytearray()
    index = bytearray()
    for body in bodies:
        offset = 4 + len(movi_data)  # from the 'movi' fourcc
        movi_data += _chunk(b"00db", body)
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(body))
    movi = _list(b"movi", bytes(movi_data))
    riff_body = b"AVI " + hdrl + movi + _chunk(b"idx1", bytes(index))
    return b"RIFF" + struct.pack("<I", len(riff_body)) + riff_body


# --- WAV -------------------------------------------------------------------

def wav_bytes(samples, rate):
    """16-bit mono PCM; samples are ints in -32768..32767."""
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + _chunk(b"fmt ", fmt) + _chunk(b"data", data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


# --- ICO / CUR -------------------------------------------------------------

def _dib_icon_image(img):
    """32-bit BGRA DIB with its AND mask, as icon directories hold them."""
    img = img.convert("RGBA")
    w, h = img.size
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = img.tobytes("raw", "BGRA", 0, -1)
    mask_stride = ((w + 31) // 32) * 4
    alpha = img.getchannel("A").tobytes()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if alpha[y * w + x] == 0:
                row[x >> 3] |= 0x80 >> (x & 7)
        mask += row
    return info + xor + bytes(mask)


def _png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=False, compress_level=9)
    return buf.getvalue()


def icon_bytes(images, cursor_hotspot=None):
    """Icon (or cursor, with a hotspot) file from RGBA images of several sizes.

    Sizes up to 64 are stored as DIBs so every Windows version reads them;
    256 is stored as PNG, as the shell expects for the large size.
    """
    kind = 2 if cursor_hotspot else 1
    entries = bytearray()
    blobs = bytearray()
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.size
        blob = _png_bytes(img) if w >= 256 else _dib_icon_image(img)
        if cursor_hotspot:
            f1, f2 = cursor_hotspot
        else:
            f1, f2 = 1, 32
        entries += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, f1, f2, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, kind, len(images)) + bytes(entries) + bytes(blobs)


def jpeg_bytes(img, quality=95):
    buf = io.BytesIO()
    img.convert("RGB").save(buf, "JPEG", quality=quality, optimize=False, progressive=False,
                            subsampling=0)
    return buf.getvalue()


def png_bytes(img):
    return _png_bytes(img)


def quantize_frames(frames_rgb, max_colors=256):
    """One shared palette for a list of RGB images (exact when they use few
    colours, median cut otherwise).  Returns (palette, [index bytes])."""
    colors = {}
    for im in frames_rgb:
        for c in im.getdata():
            if c not in colors:
                colors[c] = len(colors)
                if len(colors) > max_colors:
                    break
        if len(colors) > max_colors:
            break
    if len(colors) <= max_colors:
        pal = sorted(colors)
        lookup = {c: i for i, c in enumerate(pal)}
        return pal, [bytes(lookup[c] for c in im.getdata()) for im in frames_rgb]
    w, h = frames_rgb[0].size
    strip = Image.new("RGB", (w, h * len(frames_rgb)))
    for i, im in enumerate(frames_rgb):
        strip.paste(im, (0, h * i))
    q = strip.quantize(colors=max_colors, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    flat = q.getpalette()[:max_colors * 3]
    pal = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    data = q.tobytes()
    return pal, [data[w * h * i:w * h * (i + 1)] for i in range(len(frames_rgb))]
