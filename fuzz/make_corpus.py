#!/usr/bin/env python3
"""Writes the seed corpora of the image and calibration fuzz targets into
fuzz/corpus/<target>/: small files of every kind the readers take apart, so
that fuzzing starts inside the decoders instead of at their signatures.
PNG and BMP files are built here byte by byte; JPEG files need cjpeg (and
ImageMagick's convert for CMYK). Run it again after changing it; the
output is reproducible."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def picture(w, h, seed=1):
    """Rows of (r, g, b, a) tuples: a gradient with some noise and a few transparent pixels."""
    rows, state = [], seed
    for y in range(h):
        row = []
        for x in range(w):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            a = 0 if (x + y) % 7 == 0 else 255
            row.append((x * 255 // max(w - 1, 1), y * 255 // max(h - 1, 1), state >> 23, a))
        rows.append(row)
    return rows


def save(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- PNG -------------------------------------------------------------------------------

def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def pack_bits(values, depth):
    out, acc, n = bytearray(), 0, 0
    for v in values:
        acc = (acc << depth) | v
        n += depth
        if n == 8:
            out.append(acc)
            acc, n = 0, 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)


def samples(px, color_type, depth, palette):
    r, g, b, a = px
    top = (1 << depth) - 1
    grey = (r * 30 + g * 59 + b * 11) // 100
    scale = lambda v: v * top // 255
    if color_type == 0:
        return [scale(grey)]
    if color_type == 2:
        return [scale(r), scale(g), scale(b)]
    if color_type == 3:
        return [palette.index(min(palette, key=lambda c: abs(c[0] - r) + abs(c[1] - g)))]
    if color_type == 4:
        return [scale(grey), scale(a)]
    return [scale(r), scale(g), scale(b), scale(a)]


def png_row(row, color_type, depth, palette):
    values = [s for px in row for s in samples(px, color_type, depth, palette)]
    if depth == 16:
        return b"".join(struct.pack(">H", v) for v in values)
    return pack_bits(values, depth)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(rows, color_type, depth, interlace=False, trns=None, filt=0, extra=b""):
    h, w = len(rows), len(rows[0]) if rows else 0
    palette = [(r, g, 0) for r in range(0, 256, 85) for g in range(0, 256, 85)][: 1 << min(depth, 4)]
    raw = bytearray()
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    for x0, y0, dx, dy in passes:
        for y in range(y0, h, dy):
            sub = rows[y][x0::dx]
            if sub:
                raw += bytes([filt]) + png_row(sub, color_type, depth, palette)
    ihdr = struct.pack(">IIBBBBB", w, h, depth, color_type, 0, 0, 1 if interlace else 0)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
    if color_type == 3:
        out += chunk(b"PLTE", b"".join(bytes([r, g, b]) for r, g, b in palette))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    out += extra + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    return out


def png_seeds():
    small, odd = picture(8, 8), picture(13, 7, 3)
    for color_type, depths in ((0, (1, 2, 4, 8, 16)), (2, (8, 16)), (3, (1, 2, 4, 8)), (4, (8, 16)), (6, (8, 16))):
        for depth in depths:
            save("png", f"type{color_type}_{depth}bit.png", png(small, color_type, depth))
            save("png", f"type{color_type}_{depth}bit_adam7.png", png(odd, color_type, depth, True))
    save("png", "palette_trns.png", png(small, 3, 4, trns=bytes([0, 128, 255])))
    save("png", "grey_trns.png", png(small, 0, 8, trns=struct.pack(">H", 0)))
    save("png", "rgb_trns.png", png(small, 2, 8, trns=struct.pack(">HHH", 0, 0, 0)))
    save("png", "one_pixel.png", png(picture(1, 1), 2, 8))
    save("png", "one_pixel_adam7.png", png(picture(1, 1), 6, 8, True))
    save("png", "wide_row.png", png(picture(300, 1), 2, 8))
    save("png", "tall_column_adam7.png", png(picture(1, 40), 0, 1, True))
    save("png", "sub_filter.png", png(small, 2, 8, filt=1))
    save("png", "paeth_filter.png", png(small, 6, 8, filt=4))
    text = chunk(b"tEXt", b"Comment\x00seed") + chunk(b"gAMA", struct.pack(">I", 45455))
    save("png", "ancillary_chunks.png", png(small, 2, 8, extra=text))


# ---- BMP -------------------------------------------------------------------------------

def bmp(w, h, bpp, compression=0, header=40, top_down=False, data=None, palette=None, masks=None):
    rows = picture(w, h, 5)
    if palette is None and bpp <= 8:
        palette = [((i * 37) & 255, (i * 91) & 255, (i * 53) & 255) for i in range(1 << bpp)]
    if data is None:
        stride = (w * bpp + 31) // 32 * 4
        data = bytearray()
        order = range(h) if top_down else range(h - 1, -1, -1)
        for y in order:
            line = bytearray()
            if bpp <= 8:
                line += pack_bits([(r + g + b) % (1 << bpp) for r, g, b, _ in rows[y]], bpp)
            elif bpp == 16:
                for r, g, b, _ in rows[y]:
                    line += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
            else:
                for r, g, b, _ in rows[y]:
                    line += bytes([b, g, r] + ([0] if bpp == 32 else []))
            data += line + bytes(stride - len(line))
    entry = 3 if header == 12 else 4
    pal = b"".join(bytes([b, g, r] + [0] * (entry - 3)) for r, g, b in (palette or []))
    if header == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, bpp)
    else:
        info = struct.pack("<IiiHHIIiiII", header, w, -h if top_down else h, 1, bpp, compression,
                           len(data), 2835, 2835, len(palette or []), 0)
        if header > 40:
            info += struct.pack("<IIII", *(masks or (0xF800, 0x07E0, 0x001F, 0)))
            info += bytes(header - len(info))
    extra = b""
    if header == 40 and compression == 3:
        extra = struct.pack("<III", *(masks or (0xF800, 0x07E0, 0x001F))[:3])
    offset = 14 + len(info) + len(extra) + len(pal)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + extra + pal + bytes(data)


def bmp_seeds():
    for bpp in (1, 4, 8, 16, 24, 32):
        save("bmp", f"plain_{bpp}bit.bmp", bmp(13, 7, bpp))
        save("bmp", f"topdown_{bpp}bit.bmp", bmp(5, 6, bpp, top_down=True))
    save("bmp", "core_header_8bit.bmp", bmp(9, 5, 8, header=12))
    save("bmp", "core_header_24bit.bmp", bmp(9, 5, 24, header=12))
    save("bmp", "bitfields_565.bmp", bmp(7, 4, 16, compression=3))
    save("bmp", "bitfields_32.bmp", bmp(7, 4, 32, compression=3, masks=(0xFF0000, 0xFF00, 0xFF)))
    save("bmp", "v4_header_565.bmp", bmp(7, 4, 16, compression=3, header=108))
    save("bmp", "v5_header_32.bmp", bmp(7, 4, 32, compression=3, header=124,
                                        masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)))
    # Runs, literal stretches, an end of line, an offset and the end code.
    rle8 = bytes([4, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 1, 3, 2, 0, 0, 0, 1])
    save("bmp", "rle8.bmp", bmp(8, 4, 8, compression=1, data=rle8))
    rle4 = bytes([6, 0x12, 0, 4, 0x34, 0x56, 0, 0, 0, 2, 2, 0, 5, 0x7F, 0, 1])
    save("bmp", "rle4.bmp", bmp(8, 4, 4, compression=2, data=rle4))
    save("bmp", "empty.bmp", bmp(0, 0, 24))


# ---- JPEG ------------------------------------------------------------------------------

def ppm(rows, grey=False):
    h, w = len(rows), len(rows[0])
    if grey:
        return b"P5 %d %d 255\n" % (w, h) + bytes((r + g + b) // 3 for row in rows for r, g, b, _ in row)
    return b"P6 %d %d 255\n" % (w, h) + bytes(c for row in rows for px in row for c in px[:3])


def jpeg_seeds(tmp):
    if not shutil.which("cjpeg"):
        print("cjpeg not found: no JPEG seeds", file=sys.stderr)
        return
    colour, grey = os.path.join(tmp, "c.ppm"), os.path.join(tmp, "g.pgm")
    with open(colour, "wb") as f:
        f.write(ppm(picture(24, 17, 7)))
    with open(grey, "wb") as f:
        f.write(ppm(picture(24, 17, 7), True))
    variants = {
        "baseline": [], "quality10": ["-quality", "10"], "progressive": ["-progressive"],
        "optimized": ["-optimize"], "sample444": ["-sample", "1x1"], "sample422": ["-sample", "2x1"],
        "restart": ["-restart", "1B"], "arithmetic": ["-arithmetic"],
        "arith_progressive": ["-arithmetic", "-progressive"], "smooth": ["-smooth", "20"],
    }
    for name, options in variants.items():
        out = subprocess.run(["cjpeg", *options, colour], capture_output=True, check=True).stdout
        save("jpeg", name + ".jpg", out)
    for name, options in {"grey": [], "grey_progressive": ["-progressive"]}.items():
        out = subprocess.run(["cjpeg", *options, grey], capture_output=True, check=True).stdout
        save("jpeg", name + ".jpg", out)
    if shutil.which("convert"):
        cmyk = os.path.join(tmp, "cmyk.jpg")
        subprocess.run(["convert", colour, "-colorspace", "CMYK", "-quality", "60", cmyk], check=True)
        with open(cmyk, "rb") as f:
            save("jpeg", "adobe_cmyk.jpg", f.read())


# ---- calibration files -----------------------------------------------------------------

HEAD = '<?xml version="1.0"?>\n\n<!-- TGeoMap Calibration / ORV Component Suite -->\n'
CORNERS = "<corners>\n[48.00000,6.00000] [44.00000,6.00000] [44.00000,12.00000] [48.00000,12.00000] \n</corners>\n"


def geomap(model, body, ident="alps"):
    return (HEAD + f'<geomap sig="ORVCSuite" vers="1.0" id="{ident}" model="{model}" map="alps.jpg" '
            f'caption="Western &amp; Alps">\n' + CORNERS + body + "</geomap>\n").encode()


def calib_seeds():
    quads = ('<calquads npoints="4">\n[48.00000,6.00000,0,0] [48.00000,12.00000,600,0] '
             "[44.00000,6.00000,0,400] [44.00000,12.00000,600,400] \n</calquads>\n")
    lines = ('<calline type="meridian" value="7" npoints="3">\n[100,0] [101,200] [102,400] \n</calline>\n'
             '<calline type="parallel" value="46.5" npoints="2">\n[0,150] [600,155] \n</calline>\n')
    files = {
        "equirect.xml": geomap("equirect", "<resolution>773.091</resolution>\n<ellipsoid>gelWGS84</ellipsoid>\n" + quads),
        "biquadratic.xml": geomap("biquadraticpn", "<ellipsoid>gelBessel</ellipsoid>\n" + lines + quads),
        "conic.xml": geomap("conicconformal", "<resolution>12.500</resolution>\n" + quads),
        "miller.xml": geomap("millercylindrical", lines),
        "utm.xml": geomap("utm", "<utmzone>32</utmzone>\n<utmsouth>FALSE</utmsouth>\n"
                          "<ellipsoid>gelInternational</ellipsoid>\n" + quads),
        "other_id.xml": geomap("equirect", quads, ident="elsewhere"),
        "no_declaration.xml": geomap("equirect", quads).replace(b'<?xml version="1.0"?>\n', b""),
    }
    for name, data in files.items():
        save("calib_xml", name, data)
        save("tag_reader", name, data)
        save("calib_stream", name, bytes([0x80]) + data)  # first byte: start position, id "alps"


def main():
    # Inputs named regression_* are findings of earlier runs: they stay.
    for target in ("png", "bmp", "jpeg", "calib_xml", "calib_stream", "tag_reader"):
        folder = os.path.join(ROOT, target)
        for name in os.listdir(folder) if os.path.isdir(folder) else []:
            if not name.startswith("regression_"):
                os.remove(os.path.join(folder, name))
    png_seeds()
    bmp_seeds()
    calib_seeds()
    with tempfile.TemporaryDirectory() as tmp:
        jpeg_seeds(tmp)


if __name__ == "__main__":
    main()
