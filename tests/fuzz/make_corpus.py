#!/usr/bin/env python3
"""Writes the decoder test corpus: for each format (jpeg, png, bmp, ico, wmf, emf) a set of
well-formed pictures made here from scratch ("seed-*"), damaged and hostile variants of them
(truncated, bytes changed, sizes and counts set to extreme values), and pictures that are
complete but declare more than 200 million pixels, or metafiles that claim more than the 16
million pixels a metafile may be drawn at ("overcap-*").

Usage: make_corpus.py OUTPUT_DIR [--seed N]. The output depends only on the seed."""

import argparse
import math
import os
import random
import shutil
import struct
import zlib

# ---------------------------------------------------------------- small pictures


def sample_pixels(w, h, kind):
    """RGB rows of a test picture: bands, a diagonal and some noise-free texture."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if kind == 0:
                row.append(((x * 255) // max(1, w - 1), (y * 255) // max(1, h - 1), 128))
            elif kind == 1:
                row.append((255, 255, 255) if (x // 4 + y // 4) % 2 else (20, 40, 200))
            else:
                row.append(((x * 37 + y * 11) % 256, (x * 5 + y * 29) % 256, (x ^ y) % 256))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- JPEG

ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34,
          27, 20, 13, 6, 7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44,
          51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63]

COS = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]


def fdct(block):
    """Forward DCT of an 8x8 block of level-shifted samples, in natural order."""
    out = [0.0] * 64
    for v in range(8):
        for u in range(8):
            s = 0.0
            for y in range(8):
                cy = COS[v][y]
                row = block[y * 8:(y + 1) * 8]
                for x in range(8):
                    s += row[x] * COS[u][x] * cy
            cu = math.sqrt(0.5) if u == 0 else 1.0
            cv = math.sqrt(0.5) if v == 0 else 1.0
            out[v * 8 + u] = 0.25 * cu * cv * s
    return out


def bit_size(v):
    v = abs(v)
    n = 0
    while v:
        n += 1
        v >>= 1
    return n


def huffman_table(freq):
    """JPEG (BITS, HUFFVAL) for symbol frequencies; a reserved symbol keeps the all-ones code
    out of use, as libjpeg does."""
    freq = dict(freq)
    freq[256] = 1
    lengths = {s: 0 for s in freq}
    nodes = [(f, [s]) for s, f in freq.items()]
    if len(nodes) == 1:
        lengths[nodes[0][1][0]] = 1
    while len(nodes) > 1:
        nodes.sort(key=lambda n: (n[0], min(n[1])))
        (f1, s1), (f2, s2) = nodes[0], nodes[1]
        for s in s1 + s2:
            lengths[s] += 1
        nodes = nodes[2:] + [(f1 + f2, s1 + s2)]
    assert max(lengths.values()) <= 16
    order = sorted(freq, key=lambda s: (lengths[s], s))
    bits = [0] * 16
    for s in order:
        bits[lengths[s] - 1] += 1
    bits[lengths[256] - 1] -= 1
    vals = [s for s in order if s != 256]
    return bits, vals


def huffman_codes(bits, vals):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[vals[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, length):
        for i in range(length - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc = self.n = 0

    def flush(self):
        while self.n:
            self.put(1, 1)
        return bytes(self.out)


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def dht(table_class, table_id, bits, vals):
    return segment(0xC4, bytes([table_class << 4 | table_id]) + bytes(bits) + bytes(vals))


def encode_jpeg(w, h, kind, components=3, subsample=True, progressive=False, restart=0,
                quality_table=None):
    """A baseline or progressive JPEG of the sample picture. Components: 1 (grey), 3 (YCbCr),
    4 (CMYK with an Adobe marker)."""
    pixels = sample_pixels(w, h, kind)
    if components == 1:
        planes = [[[(r * 299 + g * 587 + b * 114) // 1000 for r, g, b in row] for row in pixels]]
    elif components == 3:
        ys, cbs, crs = [], [], []
        for row in pixels:
            ys.append([0.299 * r + 0.587 * g + 0.114 * b for r, g, b in row])
            cbs.append([128 - 0.1687 * r - 0.3313 * g + 0.5 * b for r, g, b in row])
            crs.append([128 + 0.5 * r - 0.4187 * g - 0.0813 * b for r, g, b in row])
        planes = [ys, cbs, crs]
    else:
        # Inverted CMYK, the way Adobe applications store it.
        planes = [[[255 - row[x][i] for x in range(w)] for row in pixels] for i in range(3)]
        planes.append([[255 - min(r, g, b) for r, g, b in row] for row in pixels])
    sampling = [(2, 2) if (components == 3 and subsample and i == 0) else (1, 1)
                for i in range(components)]
    hmax = max(s[0] for s in sampling)
    vmax = max(s[1] for s in sampling)
    mcux, mcuy = (w + 8 * hmax - 1) // (8 * hmax), (h + 8 * vmax - 1) // (8 * vmax)
    qt = quality_table or [max(1, 2 + (i // 8)) for i in range(64)]

    def plane_sample(ci, x, y):
        hs, vs = sampling[ci]
        sx = min(w - 1, x * hmax // hs)
        sy = min(h - 1, y * vmax // vs)
        return planes[ci][sy][sx]

    # Quantised coefficients of every block, per component, in block-grid order.
    coeffs = []
    for ci in range(components):
        hs, vs = sampling[ci]
        bw, bh = mcux * hs, mcuy * vs
        blocks = {}
        for by in range(bh):
            for bx in range(bw):
                block = [plane_sample(ci, bx * 8 + x, by * 8 + y) - 128
                         for y in range(8) for x in range(8)]
                d = fdct(block)
                blocks[(bx, by)] = [int(round(d[ZIGZAG[k]] / qt[k])) for k in range(64)]
        coeffs.append(blocks)

    def mcu_blocks(comps):
        """(component, block) pairs in scan order: MCU order when interleaved, else raster
        over the component's own grid (rounded up to whole blocks)."""
        if len(comps) > 1:
            for my in range(mcuy):
                for mx in range(mcux):
                    for ci in comps:
                        hs, vs = sampling[ci]
                        for v in range(vs):
                            for u in range(hs):
                                yield ci, coeffs[ci][(mx * hs + u, my * vs + v)]
        else:
            ci = comps[0]
            hs, vs = sampling[ci]
            cw = (w * hs + hmax - 1) // hmax
            ch = (h * vs + vmax - 1) // vmax
            for by in range((ch + 7) // 8):
                for bx in range((cw + 7) // 8):
                    yield ci, coeffs[ci][(bx, by)]

    def scan_symbols(comps, ss, se):
        """Huffman symbols of a scan: per block the DC category (ss == 0) or the AC run/size
        pairs with an end of block."""
        pred = {ci: 0 for ci in comps}
        units = []
        for ci, block in mcu_blocks(comps):
            syms = []
            if ss == 0:
                diff = block[0] - pred[ci]
                pred[ci] = block[0]
                syms.append(("dc", ci, bit_size(diff), diff))
            if se > 0:
                run = 0
                last = max([k for k in range(max(1, ss), se + 1) if block[k]] or [0])
                for k in range(max(1, ss), se + 1):
                    if k > last:
                        syms.append(("ac", ci, 0x00, None))
                        break
                    v = block[k]
                    if v == 0:
                        run += 1
                        continue
                    while run > 15:
                        syms.append(("ac", ci, 0xF0, None))
                        run -= 16
                    syms.append(("ac", ci, run << 4 | bit_size(v), v))
                    run = 0
            units.append(syms)
        return units

    def table_of(ci):
        return 0 if ci == 0 or components != 3 else 1

    def encode_scan(comps, ss, se):
        units = scan_symbols(comps, ss, se)
        freqs = {}
        for syms in units:
            for cls, ci, sym, _ in syms:
                freqs.setdefault((cls, table_of(ci)), {}).setdefault(sym, 0)
                freqs[(cls, table_of(ci))][sym] += 1
        tables = {key: huffman_table(f) for key, f in freqs.items()}
        header = b"".join(dht(0 if cls == "dc" else 1, tid, *tables[(cls, tid)])
                          for cls, tid in sorted(tables))
        codes = {key: huffman_codes(*t) for key, t in tables.items()}
        bw = BitWriter()
        data = bytearray()
        for n, syms in enumerate(units):
            if restart and n and n % restart == 0:
                data += bw.flush()
                data += bytes([0xFF, 0xD0 + (n // restart - 1) % 8])
                bw = BitWriter()
            for cls, ci, sym, value in syms:
                code, length = codes[(cls, table_of(ci))][sym]
                bw.put(code, length)
                size = sym & 0x0F if cls == "ac" else sym
                if size:
                    bw.put(value if value > 0 else value + (1 << size) - 1, size)
        data += bw.flush()
        sos = bytes([len(comps)])
        for ci in comps:
            tid = table_of(ci)
            sos += bytes([ci + 1, tid << 4 | tid])
        sos += bytes([ss, se, 0])
        return header + segment(0xDA, sos) + bytes(data)

    out = b"\xFF\xD8"
    if components == 4:
        out += segment(0xEE, b"Adobe" + struct.pack(">HHHB", 100, 0, 0, 0))
    else:
        out += segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    for tid in range(2 if components == 3 else 1):
        out += segment(0xDB, bytes([tid]) + bytes(qt))
    sof = struct.pack(">BHHB", 8, h, w, components)
    for ci in range(components):
        hs, vs = sampling[ci]
        sof += bytes([ci + 1, hs << 4 | vs, table_of(ci)])
    out += segment(0xC2 if progressive else 0xC0, sof)
    if restart:
        out += segment(0xDD, struct.pack(">H", restart))
    comps = list(range(components))
    if progressive:
        out += encode_scan(comps, 0, 0)
        for ci in comps:
            out += encode_scan([ci], 1, 5)
            out += encode_scan([ci], 6, 63)
    else:
        out += encode_scan(comps, 0, 63)
    return out + b"\xFF\xD9"


def flat_jpeg(w, h):
    """Grey baseline JPEG of any size whose blocks are all flat: two one-symbol tables."""
    one = bytes([1] + [0] * 15 + [0])
    out = b"\xFF\xD8" + segment(0xDB, bytes([0]) + bytes([1] * 64))
    out += segment(0xC0, struct.pack(">BHHB", 8, h, w, 1) + bytes([1, 0x11, 0]))
    out += segment(0xC4, bytes([0x00]) + one) + segment(0xC4, bytes([0x10]) + one)
    out += segment(0xDA, bytes([1, 1, 0, 0, 63, 0]))
    blocks = ((w + 7) // 8) * ((h + 7) // 8)
    return out + bytes((blocks + 3) // 4) + b"\xFF\xD9"


def jpeg_seeds():
    return {
        "grey": encode_jpeg(24, 16, 0, components=1),
        "ycc420": encode_jpeg(32, 32, 2),
        "ycc444": encode_jpeg(17, 9, 1, subsample=False),
        "restart": encode_jpeg(32, 16, 2, restart=2),
        "progressive": encode_jpeg(32, 32, 0, progressive=True),
        "progressive-grey": encode_jpeg(20, 12, 1, components=1, progressive=True),
        "cmyk": encode_jpeg(16, 8, 2, components=4),
        "flat": flat_jpeg(40, 24),
    }


def jpeg_dims(data):
    """Offsets of the height and width of the first frame header."""
    at = data.find(b"\xFF\xC0")
    if at < 0:
        at = data.find(b"\xFF\xC2")
    return [(at + 5, ">H"), (at + 7, ">H")] if at >= 0 else []


# ---------------------------------------------------------------- PNG


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def pack_row(samples, depth):
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    out, acc, n = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        n += depth
        if n == 8:
            out.append(acc)
            acc = n = 0
    if n:
        out.append(acc << (8 - n))
    return bytes(out)


def make_png(w, h, depth, ctype, interlace=0, extra=b"", filters=(0,), split=1, kind=0):
    channels = CHANNELS[ctype]
    maxv = (1 << depth) - 1
    pixels = sample_pixels(w, h, kind)

    def samples(x, y):
        r, g, b = pixels[y][x]
        if ctype == 3:
            return [(x + y) % min(maxv + 1, 7)]
        grey = (r + g + b) // 3
        vals = {0: [grey], 2: [r, g, b], 4: [grey, x * 20 % 256], 6: [r, g, b, y * 30 % 256]}[ctype]
        return [v * maxv // 255 for v in vals]

    raw = bytearray()
    passes = ADAM7 if interlace else [(0, 0, 1, 1)]
    for n, (x0, y0, dx, dy) in enumerate(passes):
        if x0 >= w:
            continue
        for y in range(y0, h, dy):
            row = pack_row([s for x in range(x0, w, dx) for s in samples(x, y)], depth)
            f = filters[(y + n) % len(filters)]
            bpp = max(1, channels * depth // 8)
            if f == 1:  # Sub
                row = bytes((row[i] - (row[i - bpp] if i >= bpp else 0)) & 255
                            for i in range(len(row)))
            raw.append(f)
            raw += row
    packed = zlib.compress(bytes(raw), 9)
    ihdr = struct.pack(">IIBBBBB", w, h, depth, ctype, 0, 0, interlace)
    body = png_chunk(b"IHDR", ihdr)
    if ctype == 3:
        body += png_chunk(b"PLTE", bytes(v for i in range(7) for v in (i * 36, 255 - i * 30, 90)))
    body += extra
    step = max(1, (len(packed) + split - 1) // split)
    for i in range(0, len(packed), step):
        body += png_chunk(b"IDAT", packed[i:i + step])
    return b"\x89PNG\r\n\x1a\n" + body + png_chunk(b"IEND", b"")


def png_seeds():
    seeds = {}
    for depth in (1, 2, 4, 8, 16):
        seeds["grey%d" % depth] = make_png(13, 7, depth, 0)
    for depth in (1, 2, 4, 8):
        seeds["palette%d" % depth] = make_png(11, 5, depth, 3, kind=1)
    seeds["rgb8"] = make_png(9, 9, 8, 2, kind=2)
    seeds["rgb16"] = make_png(5, 4, 16, 2)
    seeds["grey-alpha8"] = make_png(6, 6, 8, 4)
    seeds["rgba8"] = make_png(7, 5, 8, 6, kind=2)
    seeds["rgba16"] = make_png(3, 3, 16, 6)
    seeds["interlaced-rgb"] = make_png(19, 13, 8, 2, interlace=1, kind=2)
    seeds["interlaced-palette2"] = make_png(10, 10, 2, 3, interlace=1)
    seeds["interlaced-grey1"] = make_png(3, 2, 1, 0, interlace=1)
    seeds["trns-palette"] = make_png(8, 4, 4, 3, extra=png_chunk(b"tRNS", b"\x00\x80\xff"))
    seeds["trns-rgb"] = make_png(8, 4, 8, 2, extra=png_chunk(b"tRNS", b"\x00\x10\x00\x20\x00\x30"))
    seeds["sub-filter-split"] = make_png(16, 8, 8, 2, filters=(0, 1), split=4, kind=2)
    seeds["text-chunks"] = make_png(4, 4, 8, 0, extra=png_chunk(b"tEXt", b"Comment\x00hello") +
                                    png_chunk(b"zTXt", b"k\x00\x00" + zlib.compress(b"x" * 500)))
    return seeds


def png_chunk_starts(data):
    at, starts = 8, []
    while at + 8 <= len(data):
        starts.append(at)
        at += 12 + struct.unpack(">I", data[at:at + 4])[0]
    return starts


def fix_png_crcs(data):
    data = bytearray(data)
    for at in png_chunk_starts(data):
        length = struct.unpack(">I", data[at:at + 4])[0]
        end = at + 8 + length
        if end + 4 <= len(data):
            data[end:end + 4] = struct.pack(">I", zlib.crc32(bytes(data[at + 4:end])))
    return bytes(data)


# ---------------------------------------------------------------- BMP


def rle_row(idx, bits):
    """One row as encoded runs: one pixel a run at 8 bits, two pixels a run at 4 bits."""
    if bits == 8:
        return b"".join(bytes([1, v]) for v in idx)
    out = b"".join(bytes([2, (idx[x] << 4) | idx[x + 1]]) for x in range(0, len(idx) - 1, 2))
    if len(idx) % 2:
        out += bytes([1, idx[-1] << 4])
    return out


def make_bmp(w, h, bits, compression=0, header=40, top_down=False, kind=0):
    pixels = sample_pixels(w, h, kind)
    colours = 1 << bits if bits <= 8 else 0
    palette = b"".join(struct.pack("<BBBB", (i * 53) % 256, (i * 17) % 256, (255 - i) % 256, 0)
                       for i in range(colours))
    rows = []
    for y in range(h):
        row = pixels[y]
        if bits <= 8:
            idx = [(x + y) % colours for x in range(w)]
            data = rle_row(idx, bits) if compression in (1, 2) else pack_row(idx, bits)
        elif bits == 16 and compression == 3:
            data = b"".join(struct.pack("<H", (r >> 3) << 11 | (g >> 2) << 5 | b >> 3)
                            for r, g, b in row)
        elif bits == 16:
            data = b"".join(struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3)
                            for r, g, b in row)
        elif bits == 24:
            data = b"".join(bytes([b, g, r]) for r, g, b in row)
        else:
            data = b"".join(bytes([b, g, r, (x * 9) % 256]) for x, (r, g, b) in enumerate(row))
        rows.append(data)
    stored = rows if top_down else rows[::-1]
    if compression in (1, 2):
        # Each row ends with an end-of-line code, the last with the end-of-picture code.
        pixel_data = b"\x00\x00".join(stored) + b"\x00\x01"
    else:
        pixel_data = b"".join(r + b"\x00" * ((-len(r)) % 4) for r in stored)
    masks = b""
    if compression == 3:
        masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F) if bits == 16 else \
            struct.pack("<III", 0xFF0000, 0xFF00, 0xFF)
    height = -h if top_down else h
    if header == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, bits)
        palette = b"".join(palette[i:i + 3] for i in range(0, len(palette), 4))
    else:
        info = struct.pack("<IiiHHIIiiII", header, w, height, 1, bits, compression,
                           len(pixel_data), 2835, 2835, colours, 0)
        if header > 40:
            info += masks + struct.pack("<I", 0xFF000000 if bits == 32 else 0)
            info += b"\x00" * (header - len(info))
            masks = b""
    offset = 14 + len(info) + len(masks) + len(palette)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixel_data), 0, 0, offset) + info + masks +
            palette + pixel_data)


def bmp_seeds():
    return {
        "1bit": make_bmp(13, 5, 1),
        "4bit": make_bmp(9, 4, 4),
        "8bit": make_bmp(7, 6, 8),
        "rle8": make_bmp(9, 5, 8, compression=1),
        "rle4": make_bmp(7, 3, 4, compression=2),
        "16bit555": make_bmp(5, 5, 16, kind=2),
        "16bit565": make_bmp(6, 3, 16, compression=3, kind=2),
        "24bit": make_bmp(7, 7, 24, kind=2),
        "24bit-topdown": make_bmp(5, 4, 24, top_down=True),
        "32bit": make_bmp(4, 4, 32),
        "32bit-v5-alpha": make_bmp(4, 3, 32, compression=3, header=124),
        "os2-8bit": make_bmp(6, 4, 8, header=12),
    }


# ---------------------------------------------------------------- ICO


def dib_icon_image(w, h, bits):
    """An icon image: DIB header with doubled height, XOR pixels, AND mask."""
    colours = 1 << bits if bits <= 8 else 0
    palette = b"".join(struct.pack("<BBBB", i * 40 % 256, 255 - i * 20 % 256, i * 7 % 256, 0)
                       for i in range(colours))
    rows = b""
    for y in range(h):
        if bits <= 8:
            data = pack_row([(x * y + x) % colours for x in range(w)], bits)
        elif bits == 24:
            data = b"".join(bytes([x * 10 % 256, y * 10 % 256, 128]) for x in range(w))
        else:
            data = b"".join(bytes([x * 10 % 256, y * 10 % 256, 128, (x * 16) % 256])
                            for x in range(w))
        rows += data + b"\x00" * ((-len(data)) % 4)
    mask_stride = (w + 31) // 32 * 4
    mask = b"".join(bytes([0x0F if y % 2 else 0x00]) * mask_stride for y in range(h))
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bits, 0, len(rows) + len(mask), 0, 0, 0, 0)
    return info + palette + rows + mask


def make_ico(images, kind=1):
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for w, h, bits, data in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def ico_seeds():
    png = make_png(24, 24, 8, 6, kind=2)
    return {
        "1bit": make_ico([(16, 16, 1, dib_icon_image(16, 16, 1))]),
        "4bit": make_ico([(16, 16, 4, dib_icon_image(16, 16, 4))]),
        "8bit": make_ico([(8, 8, 8, dib_icon_image(8, 8, 8))]),
        "24bit": make_ico([(12, 12, 24, dib_icon_image(12, 12, 24))]),
        "32bit": make_ico([(16, 16, 32, dib_icon_image(16, 16, 32))]),
        "png": make_ico([(24, 24, 32, png)]),
        "several": make_ico([(8, 8, 4, dib_icon_image(8, 8, 4)), (24, 24, 32, png),
                             (16, 16, 32, dib_icon_image(16, 16, 32))]),
        "cursor": make_ico([(16, 16, 1, dib_icon_image(16, 16, 1))], kind=2),
    }


def ico_entry_offsets(data):
    count = struct.unpack("<H", data[4:6])[0]
    return [6 + 16 * i for i in range(count) if 6 + 16 * i + 16 <= len(data)]


# ---------------------------------------------------------------- WMF


def wrec(function, *params):
    return struct.pack("<IH", 3 + len(params), function) + b"".join(
        struct.pack("<H", p & 0xFFFF) for p in params)


def wrec_bytes(function, payload):
    if len(payload) % 2:
        payload += b"\x00"
    return struct.pack("<IH", 3 + len(payload) // 2, function) + payload


def make_wmf(records, frame=(0, 0, 2000, 1000), inch=1000, placeable=True, objects=8):
    recs = b"".join(records) + struct.pack("<IH", 3, 0)
    maxrec, at = 0, 0
    while at < len(recs):
        size = struct.unpack("<I", recs[at:at + 4])[0]
        maxrec = max(maxrec, size)
        at += size * 2
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(recs)) // 2, objects, maxrec, 0)
    if not placeable:
        return header + recs
    ph = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, *frame, inch, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", ph):
        checksum ^= word
    return ph + struct.pack("<H", checksum) + header + recs


def wmf_text(x, y, text):
    s = text.encode("latin-1")
    return wrec_bytes(0x0521, struct.pack("<H", len(s)) + s + (b"\x00" if len(s) % 2 else b"") +
                      struct.pack("<hh", y, x))


def wmf_font(height, face):
    logfont = struct.pack("<hhhhhBBBBBBBB", height, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0)
    return wrec_bytes(0x02FB, logfont + face.encode() + b"\x00")


def small_dib():
    """A 4x4 24-bit DIB without file header, as metafile records carry it."""
    rows = b"".join(bytes([x * 60, y * 60, 200]) * 1 for y in range(4) for x in range(4))
    rows = b"".join(rows[i * 12:(i + 1) * 12] for i in range(4))
    return struct.pack("<IiiHHIIiiII", 40, 4, 4, 1, 24, 0, len(rows), 0, 0, 0, 0) + rows


def wmf_seeds():
    setup = [wrec(0x020B, 0, 0), wrec(0x020C, 1000, 2000)]
    brush = wrec(0x02FC, 0, 0x00FF, 0x0000, 0)          # solid red
    hatch = wrec(0x02FC, 2, 0x8000, 0x0000, 3)           # hatched
    pen = wrec(0x02FA, 0, 20, 0, 0x0000, 0x00FF)         # solid pen
    dash = wrec(0x02FA, 1, 1, 0, 0xFF00, 0x0000)
    select = lambda i: wrec(0x012D, i)
    dib = small_dib()
    return {
        "ellipse": make_wmf(setup + [brush, select(0), wrec(0x0418, 750, 1500, 250, 500)]),
        "shapes": make_wmf(setup + [
            pen, select(0), brush, select(1),
            wrec(0x041B, 900, 1900, 100, 100),                      # rectangle
            wrec(0x061C, 100, 100, 800, 1800, 200, 200),            # round rectangle
            wrec(0x0324, 3, 100, 100, 500, 900, 900, 100),          # polygon
            wrec(0x0325, 4, 0, 0, 2000, 1000, 0, 1000, 2000, 0),    # polyline
            wrec(0x0817, 100, 1000, 900, 900, 900, 100, 100, 100),  # arc
            wrec(0x081A, 500, 1000, 900, 1900, 900, 100, 500, 1000),  # pie
            wrec(0x0830, 300, 1500, 300, 500, 700, 1500, 200, 400),   # chord
            wrec(0x0214, 10, 10), wrec(0x0213, 990, 1990),            # moveto, lineto
        ]),
        "polypolygon": make_wmf(setup + [hatch, select(0), dash, select(1),
                                         wrec(0x0538, 2, 3, 4, 10, 10, 400, 10, 200, 300,
                                              500, 500, 900, 500, 900, 900, 500, 900)]),
        "text": make_wmf(setup + [wmf_font(-120, "Arial"), select(0), wrec(0x0209, 0x00FF, 0),
                                  wmf_text(100, 500, "Hello <&> metafile")]),
        "exttext": make_wmf(setup + [wmf_font(200, "Times New Roman"), select(0),
                                     wrec_bytes(0x0A32, struct.pack("<hhhH", 300, 50, 5, 0) +
                                                b"abcde\x00")]),
        "stretchdib": make_wmf(setup + [wrec_bytes(0x0F43, struct.pack(
            "<IHhhhhhhhh", 0x00CC0020, 0, 4, 4, 0, 0, 800, 1600, 100, 100) + dib)]),
        "anisotropic": make_wmf([wrec(0x0103, 8), wrec(0x020B, -100, -200), wrec(0x020C, 500, 1000),
                                 wrec(0x020E, 300, 600), brush, select(0),
                                 wrec(0x0418, 300, 700, -50, -100), wrec(0x001E),
                                 wrec(0x020F, 10, 10), wrec(0x0127, 0xFFFF)]),
        "region": make_wmf(setup + [brush, select(0), wrec_bytes(0x06FF, struct.pack(
            "<hhhhhhhhhhhhh", 0, 6, 0, 44, 1, 0, 0, 0, 100, 100, 500, 600, 0)), select(1),
            wrec(0x012B, 1), wrec(0x0228, 1, 0), wrec(0x01F0, 1)]),
        "plain": make_wmf([brush, select(0), wrec(0x041B, 200, 300, 10, 20)], placeable=False),
    }


def wmf_record_starts(data):
    at = 22 if data[:4] == b"\xD7\xCD\xC6\x9A" else 0
    at += 18
    starts = []
    while at + 6 <= len(data):
        starts.append(at)
        size = struct.unpack("<I", data[at:at + 4])[0]
        if size < 3:
            break
        at += size * 2
    return starts


# ---------------------------------------------------------------- EMF


def erec(kind, payload=b""):
    payload += b"\x00" * ((-len(payload)) % 4)
    return struct.pack("<II", kind, 8 + len(payload)) + payload


def make_emf(records, bounds=(0, 0, 199, 99), frame=(0, 0, 5291, 2645), description=""):
    desc = description.encode("utf-16-le")
    body = b"".join(records) + erec(14, struct.pack("<III", 0, 16, 20))
    header_size = 108 + len(desc) + ((-len(desc)) % 4)
    total = header_size + len(body)
    count = 2 + len(records)
    header = struct.pack("<II", 1, header_size) + struct.pack("<iiii", *bounds)
    header += struct.pack("<iiii", *frame)
    header += struct.pack("<IIIIHHIII", 0x464D4520, 0x10000, total, count, 4, 0,
                          len(desc) // 2, 108 if desc else 0, 0)
    header += struct.pack("<iiii", 960, 480, 254, 127)
    header += struct.pack("<IIIii", 0, 0, 0, 254000, 127000)
    header += desc + b"\x00" * ((-len(desc)) % 4)
    return header + body


def emf_seeds():
    brush = erec(39, struct.pack("<IIII", 1, 0, 0x000000FF, 0))
    hatch = erec(39, struct.pack("<IIII", 2, 2, 0x0000FF00, 3))
    pen = erec(38, struct.pack("<IIiiI", 3, 0, 3, 0, 0x00FF0000))
    select = lambda i: erec(37, struct.pack("<I", i))
    stock_null_pen = erec(37, struct.pack("<I", 0x80000008))
    text = "Hi <&> EMF".encode("utf-16-le")
    ext_text = erec(84, struct.pack("<iiiiIff", 0, 0, 0, 0, 1, 1.0, 1.0) +
                    struct.pack("<iiIIIiiiiI", 20, 40, len(text) // 2, 76, 0, 0, 0, 0, 0, 0) + text)
    dib = small_dib()
    bitmap = erec(81, struct.pack("<iiiiiiiiIIIIIIii", 0, 0, 99, 99, 10, 10, 0, 0, 4, 4, 80, 40,
                                  80 + 40, len(dib) - 40, 0, 0x00CC0020) + struct.pack("<ii", 80, 80)
                  + dib)
    poly = struct.pack("<iiiiI", 0, 0, 100, 100, 3) + struct.pack("<6h", 10, 10, 90, 10, 50, 90)
    return {
        "ellipse": make_emf([brush, select(1), erec(42, struct.pack("<iiii", 50, 25, 150, 75))]),
        "shapes": make_emf([pen, select(3), hatch, select(2),
                            erec(43, struct.pack("<iiii", 5, 5, 195, 95)),               # rectangle
                            erec(44, struct.pack("<iiiiii", 10, 10, 190, 90, 20, 20)),   # roundrect
                            erec(86, poly), erec(87, poly),                             # polygon16, polyline16
                            erec(27, struct.pack("<ii", 0, 0)), erec(54, struct.pack("<ii", 199, 99)),
                            erec(45, struct.pack("<iiiiiiii", 10, 10, 100, 90, 100, 50, 10, 50))]),
        "mapping": make_emf([erec(17, struct.pack("<I", 8)), erec(9, struct.pack("<ii", 1000, 500)),
                             erec(11, struct.pack("<ii", 200, 100)), erec(33), brush, select(1),
                             erec(42, struct.pack("<iiii", 100, 100, 900, 400)), erec(34, struct.pack("<i", -1))]),
        "text": make_emf([ext_text], description="qel\x00test\x00"),
        "bitmap": make_emf([bitmap]),
        "path": make_emf([stock_null_pen, brush, select(1), erec(59), erec(27, struct.pack("<ii", 10, 10)),
                          erec(54, struct.pack("<ii", 150, 20)), erec(54, struct.pack("<ii", 80, 90)),
                          erec(61), erec(60), erec(62, struct.pack("<iiii", 0, 0, 200, 100))]),
        "bounds-only": make_emf([brush, select(1), erec(42, struct.pack("<iiii", 0, 0, 99, 49))],
                                bounds=(0, 0, 99, 49), frame=(0, 0, 0, 0)),
    }


def emf_record_starts(data):
    at, starts = 0, []
    while at + 8 <= len(data):
        starts.append(at)
        size = struct.unpack("<I", data[at + 4:at + 8])[0]
        if size < 8:
            break
        at += size
    return starts


# ---------------------------------------------------------------- settings files


def ini_seeds(rng):
    """Settings files as the program, the user and the Windows profile functions write them,
    and damaged ones (the parser's fuzzing starts from these)."""
    plain = ("[default]\nPicPath=/home/u/截图/\nPicFormat=3\nMarkX=0x10\nCurPicName=\"/a b.png\"\n"
             "[font]\nFontName=宋体\nFontUnderLine=1\n[hotkey]\nhotkey1_1=Ctrl\nhotkey1_3=F\n")
    crlf = plain.replace("\n", "\r\n")
    junk = bytes(rng.randrange(256) for _ in range(600))
    return {
        "utf8": plain.encode(),
        "utf8-bom-crlf": b"\xef\xbb\xbf" + crlf.encode(),
        "utf16le-bom": b"\xff\xfe" + crlf.encode("utf-16-le"),
        "utf16be-bom": b"\xfe\xff" + plain.encode("utf-16-be"),
        "gbk": crlf.encode("gbk"),
        "cr-only": plain.replace("\n", "\r").encode(),
        "duplicates": b"[Dup]\nKey=1\nkey=2\n[DUP]\nKEY=3\n[dup\nk=\"'q'\"\n=\n[]\n",
        "comments": b"; top\n\n[default]\n  ; inside\n MarkY = -7 \n\n[other]\nx=y\n",
        "utf16-odd": b"\xff\xfe" + "[a]\nb=c".encode("utf-16-le") + b"\x00",
        "utf16-surrogates": b"\xff\xfe[\x00\x00\xd8]\x00\n\x00k\x00=\x00\x00\xdcv\x00",
        "nul-bytes": b"[S\x00]\nK\x00=\x00v\n\x00\x00\x00",
        "garbage": junk,
        "long-line": b"[S]\nK=" + b"v" * 3000 + b"\n",
    }


# ---------------------------------------------------------------- oversized pictures

# Frames in EMF units (0.01 mm) and WMF units at 96 per inch for a size in pixels at 96 dpi.
def emf_frame(w, h):
    return (0, 0, round(w * 2540 / 96), round(h * 2540 / 96))


def over_cap():
    """Complete pictures declaring just over 200 million pixels, and metafiles a few hundred
    bytes long whose header claims more than the metafile cap (16 million pixels), up to just
    under the picture cap, which would otherwise be drawn in full."""
    big_png_raw = zlib.compress(bytes(10001 * (1 + 2500)), 9)
    big_png = (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 20000, 10001, 1, 3, 0, 0, 0))
               + png_chunk(b"PLTE", b"\x00\x00\x00\xff\xff\xff") + png_chunk(b"IDAT", big_png_raw)
               + png_chunk(b"IEND", b""))
    big_rle = (b"BM" + struct.pack("<IHHI", 64, 0, 0, 62) +
               struct.pack("<IiiHHIIiiII", 40, 20000, 10001, 1, 8, 1, 2, 0, 0, 2, 0) +
               b"\x00\x00\x00\x00\xff\xff\xff\x00" + b"\x00\x01")
    dib = struct.pack("<IiiHHIIiiII", 40, 20000, 20002, 1, 32, 0, 0, 0, 0, 0, 0)
    ellipse = [wrec(0x02FC, 0, 0x00FF, 0, 0), wrec(0x012D, 0), wrec(0x0418, 100, 100, 0, 0)]
    emf_ellipse = [erec(39, struct.pack("<IIII", 1, 0, 0x000000FF, 0)), erec(37, struct.pack("<I", 1)),
                   erec(42, struct.pack("<iiii", 0, 0, 99, 99))]
    big = {
        "jpeg": {"flat-65500x3054": flat_jpeg(65500, 3054),
                 "progressive-huge": bytearray(encode_jpeg(16, 16, 0, progressive=True))},
        "png": {"mono-20000x10001": big_png},
        "bmp": {"rle8-20000x10001": big_rle,
                "topdown-20000x-10001": big_rle[:22] + struct.pack("<i", -10001) + big_rle[26:]},
        "ico": {"png-entry": make_ico([(0, 0, 32, big_png)]),
                "dib-entry": make_ico([(0, 0, 32, dib)])},
        "wmf": {"frame-20000x10001": make_wmf(ellipse, frame=(0, 0, 20000, 10001), inch=96),
                "frame-inch-1": make_wmf(ellipse, frame=(-30000, -30000, 30000, 30000), inch=1)},
        "emf": {"frame-20000x10001": make_emf([erec(42, struct.pack("<iiii", 0, 0, 99, 99))],
                                              bounds=(0, 0, 99, 99), frame=(0, 0, 529167, 264613)),
                "bounds-only": make_emf([], bounds=(0, 0, 30000, 30000), frame=(0, 0, 0, 0)),
                "frame-14140x14140": make_emf(emf_ellipse, bounds=(0, 0, 99, 99),
                                              frame=emf_frame(14140, 14140)),
                "frame-4001x4000": make_emf(emf_ellipse, bounds=(0, 0, 99, 99),
                                            frame=emf_frame(4001, 4000)),
                "bounds-4001x4000": make_emf(emf_ellipse, bounds=(0, 0, 4001, 4000),
                                             frame=(0, 0, 0, 0))},
    }
    big["wmf"].update({
        "frame-4001x4000": make_wmf(ellipse, frame=(0, 0, 4001, 4000), inch=96),
        "frame-14140x14140": make_wmf(ellipse, frame=(0, 0, 14140, 14140), inch=96)})
    return big


def patch_progressive_huge(files):
    """Give the small progressive JPEG a frame of 20000 x 20000."""
    data = files["jpeg"]["progressive-huge"]
    at = data.find(b"\xFF\xC2")
    data[at + 5:at + 9] = struct.pack(">HH", 20000, 20000)
    files["jpeg"]["progressive-huge"] = bytes(data)


# ---------------------------------------------------------------- damage

INTERESTING16 = [0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 65500]
INTERESTING32 = [0, 1, 0x7FFF, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 46341]


def field_offsets(fmt, data):
    """(offset, struct format) of fields whose extreme values are worth trying: sizes,
    counts, dimensions."""
    if fmt == "jpeg":
        return jpeg_dims(data)
    if fmt == "png":
        return [(16, ">I"), (20, ">I"), (24, ">B"), (25, ">B"), (28, ">B")] + \
               [(at, ">I") for at in png_chunk_starts(data)]
    if fmt == "bmp":
        return [(2, "<I"), (10, "<I"), (14, "<I"), (18, "<i"), (22, "<i"), (28, "<H"),
                (30, "<I"), (46, "<I")]
    if fmt == "ico":
        offs = [(4, "<H")]
        for e in ico_entry_offsets(data):
            offs += [(e + 8, "<I"), (e + 12, "<I")]
            image = struct.unpack("<I", data[e + 12:e + 16])[0]
            if image + 16 <= len(data):
                offs += [(image + 4, "<i"), (image + 8, "<i"), (image + 14, "<H")]
        return offs
    if fmt == "wmf":
        base = 22 if data[:4] == b"\xD7\xCD\xC6\x9A" else 0
        offs = [(base + 6, "<I"), (base + 10, "<H"), (base + 12, "<I")]
        if base:
            offs += [(6, "<h"), (8, "<h"), (10, "<h"), (12, "<h"), (14, "<H")]
        for at in wmf_record_starts(data):
            offs += [(at, "<I"), (at + 6, "<H"), (at + 8, "<H")]
        return offs
    if fmt == "emf":
        offs = [(4, "<I"), (8, "<i"), (16, "<i"), (24, "<i"), (32, "<i"), (48, "<I"),
                (52, "<I"), (56, "<H"), (72, "<i"), (80, "<i")]
        for at in emf_record_starts(data):
            offs += [(at, "<I"), (at + 4, "<I"), (at + 8, "<I"), (at + 12, "<i")]
        return offs
    return []


def variants(fmt, name, data, rng):
    """Damaged copies of one well-formed file."""
    out = {}
    n = len(data)
    for i, frac in enumerate(sorted(rng.sample(range(1, 100), 4))):
        out["trunc%d" % i] = data[:max(1, n * frac // 100)]
    out["trunc-last"] = data[:-1]
    for i in range(4):
        d = bytearray(data)
        for _ in range(rng.randint(1, 8)):
            d[rng.randrange(n)] = rng.randrange(256)
        out["bytes%d" % i] = bytes(d)
    fields = field_offsets(fmt, data)
    for i in range(min(6, len(fields))):
        at, form = rng.choice(fields)
        size = struct.calcsize(form)
        if at + size > n:
            continue
        values = INTERESTING16 if size == 2 else INTERESTING32 if size == 4 else [0, 1, 3, 7, 16, 255]
        value = rng.choice(values)
        if form[-1] in "hi":
            value = value - (1 << (8 * size)) if value >= 1 << (8 * size - 1) else value
        d = bytearray(data)
        d[at:at + size] = struct.pack(form, value)
        out["field%d" % i] = bytes(d)
    start = rng.randrange(n)
    out["dup"] = data[:start] + data[start:start + 64] * 3 + data[start:]
    out["insert"] = data[:start] + bytes(rng.randrange(256) for _ in range(17)) + data[start:]
    if fmt == "png":
        # The same damage with matching checksums, so it gets past them.
        for key in [k for k in out if k.startswith("field") or k.startswith("bytes")]:
            out[key + "-crc"] = fix_png_crcs(out[key])
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("output")
    parser.add_argument("--seed", type=int, default=20240607)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    seeds = {"jpeg": jpeg_seeds(), "png": png_seeds(), "bmp": bmp_seeds(), "ico": ico_seeds(),
             "wmf": wmf_seeds(), "emf": emf_seeds()}
    big = over_cap()
    patch_progressive_huge(big)
    if os.path.isdir(args.output):
        shutil.rmtree(args.output)
    total = 0
    for fmt in sorted(seeds):
        folder = os.path.join(args.output, fmt)
        os.makedirs(folder)
        files = {}
        for name, data in sorted(seeds[fmt].items()):
            files["seed-" + name] = data
            for vname, vdata in variants(fmt, name, data, rng).items():
                files["bad-%s-%s" % (name, vname)] = vdata
        for name, data in sorted(big[fmt].items()):
            files["overcap-" + name] = data
        for name, data in files.items():
            with open(os.path.join(folder, name + "." + fmt), "wb") as f:
                f.write(data)
        total += len(files)
    folder = os.path.join(args.output, "ini")
    os.makedirs(folder)
    for name, data in sorted(ini_seeds(rng).items()):
        with open(os.path.join(folder, "seed-" + name + ".ini"), "wb") as f:
            f.write(data)
        total += 1
    print("%d files in %s" % (total, args.output))


if __name__ == "__main__":
    main()
