#!/usr/bin/python3
"""Draws the artwork of the Velmora 2 Name Generator.

Writes, relative to ui/assets/:
    banner.jpg    125 x 119 title banner shown at the top of the main window
    icon.ico      window/application icon, 32x32 and 16x16, 16 colours (4 bpp)
    icon-16.png   the 16x16 icon image as RGBA PNG
    icon-32.png   the 32x32 icon image as RGBA PNG
    icon-128.png  a smooth 128x128 rendition of the icon for desktop integration
    icon-256.png  the same at 256x256, the size software centres show
    icon-192.png  the same at 192x192 and 512x512, the sizes a web app is
    icon-512.png  installed with
    banner-2x.jpg the banner at twice the size, for screens of twice the density

Run from the repository root:
    /usr/bin/python3 ui/assets/tools/draw_assets.py

Everything is drawn from code with the DejaVu / Liberation fonts, so the output
is the same on every run.
"""

import math
import os
import struct

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)

FONT_DIRS = ("/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation")

# The main window is painted in this exact colour; the banner must blend into it.
NAVY = (0, 0, 128)


def font(name, size):
    for d in FONT_DIRS:
        path = os.path.join(d, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    raise SystemExit("font not found: " + name)


# ---------------------------------------------------------------------------
# Icon: a navy magic wand with an arc of red, yellow and green sparkles.
# Both sizes are hand-placed pixel maps using the 16-colour Windows palette.
# ---------------------------------------------------------------------------

# Standard Windows 16-colour palette, in its usual index order.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 gray
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]

# Map characters -> palette index ('.' is transparent).
KEY = {
    "K": 0, "m": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, "s": 7,
    "a": 8, "R": 9, "L": 10, "Y": 11, "B": 12, "F": 13, "A": 14, "W": 15,
}

# 32x32: wand from the white tip (upper left) to the capped handle (lower
# right); blue highlight along its upper edge, black outline all round.
# Sparkles: red/maroon, yellow/olive and lime/green, the darker shade forming
# the outer points so they also read on light backgrounds.
ICON32 = [
    ".............o..................",
    ".............Y......L...........",
    "...........oYWYo...LWL..........",
    ".............Y......L....m......",
    ".........R...o...........R......",
    "........RWR............mRWRm....",
    ".........R...............R......",
    ".........................m......",
    "......K.........................",
    ".....KsK........................",
    "....KWWsK...................Y...",
    "....KWWWsK.................YWY..",
    ".....KWWnBK.................Y...",
    "......KnnnBK....................",
    ".......KnnnBK...................",
    "........KnnnBK..................",
    ".........KnnnBK.............g...",
    "..........KnnnBK............L...",
    "...........KnnnBK.........gLWLg.",
    "............KnnnBK..........L...",
    ".............KnnnBK.........g...",
    "..............KnnnBK............",
    "...............KnnnBK...........",
    "................KnnnBK..........",
    ".................KnnnBK.........",
    "..................KnnnBK........",
    "...................KnnnBK.......",
    "....................KnnnBK......",
    ".....................KnnnsK.....",
    "......................KnWWsK....",
    ".......................KWWK.....",
    "........................KK......",
]

ICON16 = [
    ".......Y........",
    "......YWY..L....",
    "....R..Y........",
    "..KK.........R..",
    ".KWsK.......RWR.",
    ".KWnBK.......R..",
    "..KnnBK.........",
    "...KnnBK......Y.",
    "....KnnBK.......",
    ".....KnnBK....L.",
    "......KnnBK..LWL",
    ".......KnnBK..L.",
    "........KnnBK...",
    ".........KnnBK..",
    "..........KnWsK.",
    "...........KWK..",
]


def pixel_map_image(rows):
    """Turns a pixel map into an RGBA image (transparent where '.')."""
    size = len(rows)
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    for y, row in enumerate(rows):
        assert len(row) == size, "icon row %d has %d pixels" % (y, len(row))
        for x, ch in enumerate(row):
            if ch != ".":
                img.putpixel((x, y), PALETTE[KEY[ch]] + (255,))
    return img


def dib_4bpp(rows):
    """One icon image as a 4-bit DIB: header, palette, XOR bitmap, AND mask."""
    size = len(rows)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # DIB rows are stored bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, ch in enumerate(row):
            index = 0 if ch == "." else KEY[ch]
            if x % 2 == 0:
                line[x // 2] |= index << 4
            else:
                line[x // 2] |= index
            if ch == ".":
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack(
        "<IiiHHIIiiII",
        40,            # biSize
        size,          # biWidth
        size * 2,      # biHeight: XOR bitmap + AND mask
        1,             # biPlanes
        4,             # biBitCount
        0,             # biCompression = BI_RGB
        len(xor) + len(mask),
        0, 0,          # resolution
        0, 0,          # biClrUsed / biClrImportant (0 = full 16-entry table)
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def write_ico(path, maps):
    images = [dib_4bpp(m) for m in maps]
    out = struct.pack("<HHH", 0, 1, len(images))  # reserved, type = icon, count
    offset = 6 + 16 * len(images)
    for m, data in zip(maps, images):
        size = len(m)
        out += struct.pack(
            "<BBBBHHII",
            size % 256, size % 256,  # width, height
            16,                      # colour count
            0,                       # reserved
            1,                       # planes
            4,                       # bits per pixel
            len(data), offset,
        )
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------------------
# Large icons: the same wand and sparkle arc, laid out on a 128-unit grid,
# drawn smoothly at four times the wanted size and scaled down.
# ---------------------------------------------------------------------------

def star_points(cx, cy, r_out, r_in, points=4, rot=-90.0):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def draw_sparkle(layer, cx, cy, r, body, edge, s):
    """A four-pointed sparkle with a soft glow, dark edge and white heart."""
    glow = Image.new("RGBA", layer.size, (0, 0, 0, 0))
    gd = ImageDraw.Draw(glow)
    gr = r * 0.95
    gd.ellipse((cx - gr, cy - gr, cx + gr, cy + gr), fill=body + (110,))
    glow = glow.filter(ImageFilter.GaussianBlur(r * 0.45))
    layer.alpha_composite(glow)
    d = ImageDraw.Draw(layer)
    d.polygon(star_points(cx, cy, r + 1.6 * s, r * 0.30 + 1.6 * s), fill=edge + (255,))
    d.polygon(star_points(cx, cy, r, r * 0.30), fill=body + (255,))
    hr = r * 0.22
    d.ellipse((cx - hr, cy - hr, cx + hr, cy + hr), fill=(255, 255, 255, 255))


def draw_icon_smooth(size):
    S = 4 * size // 128
    N = 128 * S
    img = Image.new("RGBA", (N, N), (0, 0, 0, 0))

    # Wand axis: tip at upper left, handle at lower right (as in the 32px map).
    x0, y0 = 22 * S, 38 * S
    x1, y1 = 104 * S, 120 * S
    half = 6.5 * S
    ux, uy = (x1 - x0), (y1 - y0)
    length = math.hypot(ux, uy)
    ux, uy = ux / length, uy / length
    nx, ny = uy, -ux  # normal pointing to the upper right

    def along(t, w):
        return (x0 + ux * t + nx * w, y0 + uy * t + ny * w)

    def band(t0, t1, w0, w1):
        return [along(t0, w0), along(t1, w0), along(t1, w1), along(t0, w1)]

    # Glow around the tip.
    glow = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    gd = ImageDraw.Draw(glow)
    gr = 15 * S
    gd.ellipse((x0 - gr, y0 - gr, x0 + gr, y0 + gr), fill=(255, 255, 220, 150))
    glow = glow.filter(ImageFilter.GaussianBlur(6 * S))
    img.alpha_composite(glow)

    d = ImageDraw.Draw(img)
    o = 2.2 * S  # outline width
    d.polygon(band(-o, length + o, -half - o, half + o), fill=(0, 0, 0, 255))
    # shaft: navy with a blue highlight along the upper edge
    d.polygon(band(0, length, -half, half), fill=(0, 0, 128, 255))
    d.polygon(band(0, length, half * 0.25, half * 0.75), fill=(0, 0, 255, 255))
    d.polygon(band(0, length, half * 0.40, half * 0.60), fill=(90, 110, 255, 255))
    # white tip and white handle cap, each with a silver shading stripe
    tip = 16 * S
    cap = 9 * S
    d.polygon(band(0, tip, -half, half), fill=(255, 255, 255, 255))
    d.polygon(band(0, tip, -half, -half * 0.35), fill=(192, 192, 192, 255))
    d.polygon(band(length - cap, length, -half, half), fill=(255, 255, 255, 255))
    d.polygon(band(length - cap, length, -half, -half * 0.35), fill=(192, 192, 192, 255))
    # black rings separating tip and cap from the shaft
    d.polygon(band(tip, tip + 1.5 * S, -half, half), fill=(0, 0, 0, 255))
    d.polygon(band(length - cap - 1.5 * S, length - cap, -half, half), fill=(0, 0, 0, 255))

    # Twinkle on the tip itself.
    tx, ty = along(2 * S, 0)
    d.polygon(star_points(tx, ty, 9 * S, 1.8 * S, rot=-45), fill=(255, 255, 255, 230))
    d.polygon(star_points(tx, ty, 13 * S, 2.2 * S), fill=(255, 255, 255, 255))

    RED, MAROON = (255, 0, 0), (128, 0, 0)
    YELLOW, OLIVE = (255, 255, 0), (128, 128, 0)
    LIME, GREEN = (0, 255, 0), (0, 128, 0)
    # The sparkle arc, following the 32px layout scaled up.
    sparkles = [
        (38, 22, 6, RED, MAROON),
        (55, 11, 10, YELLOW, OLIVE),
        (82, 10, 6, LIME, GREEN),
        (102, 23, 10, RED, MAROON),
        (114, 45, 6, YELLOW, OLIVE),
        (114, 73, 10, LIME, GREEN),
    ]
    for cx, cy, r, body, edge in sparkles:
        draw_sparkle(img, cx * S, cy * S, r * S, body, edge, S)
    # Small dots between the sparkles to make a continuous trail.
    dots = [(46, 15, YELLOW), (68, 8, YELLOW), (93, 15, RED), (110, 34, YELLOW),
            (116, 59, LIME), (30, 28, RED)]
    d = ImageDraw.Draw(img)
    for cx, cy, col in dots:
        r = 2.0 * S
        d.ellipse((cx * S - r, cy * S - r, cx * S + r, cy * S + r), fill=col + (255,))
    return img.resize((size, size), Image.LANCZOS)


# ---------------------------------------------------------------------------
# Banner: "VELMORA" over a big "2" with crossed swords, then NAME GENERATOR.
# ---------------------------------------------------------------------------

BANNER_W, BANNER_H = 125, 119
# The artwork is kept inside this box.  It lies on 8x8 JPEG block
# boundaries, so the blocks along the border hold nothing but navy and
# decode to a perfectly flat window colour.
SAFE = (8, 8, 120, 112)

GOLD_TOP = (255, 246, 170)
GOLD_MID = (250, 196, 40)
GOLD_LOW = (176, 100, 10)
DARK = (20, 8, 0)


def vertical_gradient(size, stops):
    """stops: list of (position 0..1, colour)."""
    w, h = size
    col = Image.new("RGB", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                k = (t - p0) / max(1e-9, p1 - p0)
                col.putpixel((0, y), tuple(int(round(a + (b - a) * k)) for a, b in zip(c0, c1)))
                break
    return col.resize((w, h))


def gradient_text(layer, text_mask, stops, outline, outline_px, shadow_off):
    """Fills text_mask with a gradient, outlined and with a drop shadow."""
    box = text_mask.getbbox()
    grad = Image.new("RGB", layer.size, (0, 0, 0))
    g = vertical_gradient((layer.size[0], box[3] - box[1]), stops)
    grad.paste(g, (0, box[1]))
    ring = text_mask.filter(ImageFilter.MaxFilter(outline_px * 2 + 1))
    shadow = ImageChops.offset(ring, shadow_off, shadow_off)
    layer.paste(Image.new("RGBA", layer.size, (0, 0, 20, 200)), (0, 0), shadow)
    layer.paste(Image.new("RGBA", layer.size, outline + (255,)), (0, 0), ring)
    layer.paste(grad.convert("RGBA"), (0, 0), text_mask)


def draw_sword(d, cx, cy, angle, length, S):
    """A straight sword centred on its cross-guard, blade pointing at angle."""
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux

    def p(t, w):
        return (cx + ux * t + nx * w, cy + uy * t + ny * w)

    bw = 2.2 * S
    blade = [p(0, -bw), p(length - 5 * S, -bw), p(length, 0), p(length - 5 * S, bw), p(0, bw)]
    d.polygon(blade, fill=(200, 210, 225, 255), outline=(30, 30, 50, 255), width=S)
    d.line([p(1 * S, 0), p(length - 4 * S, 0)], fill=(255, 255, 255, 255), width=max(1, S // 2))
    # grip and pommel
    grip = [p(-11 * S, -1.3 * S), p(0, -1.3 * S), p(0, 1.3 * S), p(-11 * S, 1.3 * S)]
    d.polygon(grip, fill=(110, 50, 20, 255), outline=(30, 10, 0, 255), width=S)
    px, py = p(-12.5 * S, 0)
    r = 2.4 * S
    d.ellipse((px - r, py - r, px + r, py + r), fill=GOLD_MID + (255,), outline=DARK + (255,), width=S)
    # cross-guard
    guard = [p(-1.4 * S, -7 * S), p(1.4 * S, -7 * S), p(1.4 * S, 7 * S), p(-1.4 * S, 7 * S)]
    d.polygon(guard, fill=GOLD_MID + (255,), outline=DARK + (255,), width=S)


def draw_banner(scale=1):
    """The banner at scale times its size: 2 for screens of twice the density."""
    S = 4 * scale  # supersampling factor for the title artwork, times the scale
    W, H = BANNER_W * S, BANNER_H * S
    art = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    cx = BANNER_W / 2.0 * S

    # Soft blue halo behind the emblem.
    halo = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    hd = ImageDraw.Draw(halo)
    hx, hy, hr = cx, 60 * S, 26 * S
    hd.ellipse((hx - hr, hy - hr, hx + hr, hy + hr), fill=(70, 110, 255, 120))
    halo = halo.filter(ImageFilter.GaussianBlur(9 * S))
    art.alpha_composite(halo)

    # Crossed swords behind the "2", blades pointing up and out.
    d = ImageDraw.Draw(art)
    draw_sword(d, cx - 21 * S, 77 * S, -47, 54 * S, S)
    draw_sword(d, cx + 21 * S, 77 * S, -133, 54 * S, S)

    # Big "2".
    two_mask = Image.new("L", (W, H), 0)
    f2 = font("LiberationSerif-Bold.ttf", 52 * S)
    td = ImageDraw.Draw(two_mask)
    bb = td.textbbox((0, 0), "2", font=f2)
    tw, th = bb[2] - bb[0], bb[3] - bb[1]
    top = 38 * S
    td.text((cx - tw / 2 - bb[0], top - bb[1]), "2", font=f2, fill=255)
    gradient_text(art, two_mask,
                  [(0.0, (255, 120, 110)), (0.45, (215, 20, 30)), (1.0, (110, 0, 10))],
                  GOLD_MID, 2 * S, 1 * S)
    # thin dark line between the gold rim and the red fill
    rim = ImageChops.subtract(two_mask.filter(ImageFilter.MaxFilter(S // 2 * 2 + 1)), two_mask)
    art.paste(Image.new("RGBA", (W, H), (70, 0, 0, 255)), (0, 0), rim)

    # "VELMORA": first and last letters taller, gold with a dark rim.
    title_mask = Image.new("L", (W, H), 0)
    md = ImageDraw.Draw(title_mask)
    big = font("DejaVuSerifCondensed-Bold.ttf", 21 * S)
    small = font("DejaVuSerifCondensed-Bold.ttf", 16 * S)
    letters = [("V", big), ("E", small), ("L", small), ("M", small),
               ("O", small), ("R", small), ("A", big)]
    kern = -0.3 * S
    widths = [md.textlength(ch, font=f) for ch, f in letters]
    total = sum(widths) + kern * (len(letters) - 1)
    baseline = 31 * S
    x = cx - total / 2
    for (ch, f), w in zip(letters, widths):
        md.text((x, baseline), ch, font=f, fill=255, anchor="ls")
        x += w + kern
    gradient_text(art, title_mask,
                  [(0.0, GOLD_TOP), (0.5, GOLD_MID), (1.0, GOLD_LOW)],
                  DARK, 1 * S, 1 * S)

    # Little gold stars at either side of the "2".
    d = ImageDraw.Draw(art)
    for sx, sy, r in ((cx - 35 * S, 44 * S, 4.5 * S), (cx + 35 * S, 44 * S, 4.5 * S)):
        d.polygon(star_points(sx, sy, r, r * 0.28), fill=GOLD_TOP + (255,))

    # Divider: a gold rule with a diamond in the middle.
    ry = 92 * S
    d.line([(SAFE[0] * S + 10 * S, ry), (SAFE[2] * S - 10 * S, ry)], fill=GOLD_MID + (255,), width=S)
    dm = 3 * S
    d.polygon([(cx, ry - dm), (cx + dm, ry), (cx, ry + dm), (cx - dm, ry)],
              fill=GOLD_TOP + (255,), outline=GOLD_LOW + (255,))

    size = (BANNER_W * scale, BANNER_H * scale)
    small_art = art.resize(size, Image.LANCZOS)
    banner = Image.new("RGBA", size, NAVY + (255,))
    banner.alpha_composite(small_art)

    # NAME GENERATOR: drawn at the final size so the small capitals stay crisp.
    d = ImageDraw.Draw(banner)
    fsub = font("DejaVuSans-Bold.ttf", 9 * scale)
    text = "NAME GENERATOR"
    spacing = scale
    widths = [d.textlength(ch, font=fsub) for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x = round(BANNER_W * scale / 2.0 - total / 2)
    for ch, w in zip(text, widths):
        d.text((x, 105 * scale), ch, font=fsub, fill=(255, 255, 255, 255), anchor="ls")
        x += round(w) + spacing

    # Anything outside the safe box is window colour.
    rgb = banner.convert("RGB")
    flat = Image.new("RGB", rgb.size, NAVY)
    keep = Image.new("L", rgb.size, 0)
    ImageDraw.Draw(keep).rectangle(tuple(edge * scale - (1 if i >= 2 else 0)
                                         for i, edge in enumerate(SAFE)), fill=255)
    flat.paste(rgb, (0, 0), keep)
    return flat


# JPEG stores YCbCr.  The standard conversion turns navy into a triple that
# decodes to (1, 0, 128); (13, 193, 117) decodes to exactly (0, 0, 128), so
# navy pixels are converted by hand before encoding.
NAVY_YCBCR = (13, 193, 117)


def save_banner_jpeg(img, path):
    ycc = img.convert("YCbCr")
    src = img.load()
    dst = ycc.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            if src[x, y] == NAVY:
                dst[x, y] = NAVY_YCBCR
    ycc.save(path, "JPEG", quality=97, subsampling=0, optimize=True)


def main():
    write_ico(os.path.join(ASSETS, "icon.ico"), [ICON32, ICON16])
    pixel_map_image(ICON16).save(os.path.join(ASSETS, "icon-16.png"))
    pixel_map_image(ICON32).save(os.path.join(ASSETS, "icon-32.png"))
    for size in (128, 256):
        draw_icon_smooth(size).save(os.path.join(ASSETS, "icon-%d.png" % size))
    # The web app's, in 64 colours: a tenth of the bytes, and no visible loss.
    for size in (192, 512):
        web = draw_icon_smooth(size).quantize(colors=64, method=Image.Quantize.FASTOCTREE)
        web.save(os.path.join(ASSETS, "icon-%d.png" % size), optimize=True)
    save_banner_jpeg(draw_banner(), os.path.join(ASSETS, "banner.jpg"))
    save_banner_jpeg(draw_banner(2), os.path.join(ASSETS, "banner-2x.jpg"))

    # Check that the banner blends into the window: every border pixel of
    # the decoded JPEG must be navy.
    check = Image.open(os.path.join(ASSETS, "banner.jpg")).convert("RGB")
    w, h = check.size
    assert (w, h) == (BANNER_W, BANNER_H)
    worst = 0
    for x in range(w):
        for y in range(h):
            if x in (0, w - 1) or y in (0, h - 1):
                p = check.getpixel((x, y))
                worst = max(worst, max(abs(a - b) for a, b in zip(p, NAVY)))
    assert worst <= 1, "banner border differs from navy by %d" % worst
    print("wrote icon.ico, icon-16.png, icon-32.png, icon-128.png, icon-192.png, icon-256.png, "
          "icon-512.png, banner.jpg, banner-2x.jpg (banner border max deviation %d)" % worst)


if __name__ == "__main__":
    main()
