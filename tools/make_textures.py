#!/usr/bin/env python3
"""Makes the DXT-compressed textures and the materials that use them: the skybox faces, the splash logo,
a UI image with alpha, a checker for cubes, striped balls, a crate, a skin, a soft particle dot, the plain
black and flat-normal maps, and the game's own: every picture with words (menus, settings, credits, the
"How To Play" pages, the heads-up display, subtitles; drawn with the font of bitmapfont.py), the four cutscene
strips, the tomb's surfaces and the plain-colour materials of the levels and the scripts.

Usage: make_textures.py <assets folder>. Writes <assets>/Textures and <assets>/Materials, the same bytes
on every run. The encoder is a small DXT1/DXT5 block coder: two end points per block, every pixel on the
nearest of the palette's entries."""

import math
import os
import struct
import sys

import game_textures

# Header flags: caps, height, width, pixel format, linear size, mip count.
DDSD_FLAGS = 0x1 | 0x2 | 0x4 | 0x1000 | 0x80000 | 0x20000
DDPF_FOURCC = 0x4
DDSCAPS_TEXTURE, DDSCAPS_COMPLEX, DDSCAPS_MIPMAP = 0x1000, 0x8, 0x400000


def to565(rgb):
    r, g, b = rgb
    return ((r * 31 + 127) // 255) << 11 | ((g * 63 + 127) // 255) << 5 | ((b * 31 + 127) // 255)


def from565(value):
    r, g, b = value >> 11 & 31, value >> 5 & 63, value & 31
    return (r * 255 // 31, g * 255 // 63, b * 255 // 31)


def luminance(rgb):
    return 299 * rgb[0] + 587 * rgb[1] + 114 * rgb[2]


def distance(a, b):
    return sum((x - y) * (x - y) for x, y in zip(a, b))


def colour_block(pixels):
    """8 bytes: two RGB565 end points (the first the larger, so four colours) and 2-bit indices."""
    rgbs = [p[:3] for p in pixels]
    colours = set(rgbs)
    if len(colours) == 1:
        c0 = to565(rgbs[0])
        return struct.pack("<HHI", c0, c0, 0)
    c0 = to565(max(rgbs, key=luminance))
    c1 = to565(min(rgbs, key=luminance))
    if c0 < c1:
        c0, c1 = c1, c0
    if c0 == c1:
        return struct.pack("<HHI", c0, c1, 0)
    e0, e1 = from565(c0), from565(c1)
    palette = [e0, e1,
               tuple((2 * a + b) // 3 for a, b in zip(e0, e1)),
               tuple((a + 2 * b) // 3 for a, b in zip(e0, e1))]
    # Each distinct colour is matched once: drawn pictures have few colours to a block.
    nearest = {rgb: min(range(4), key=lambda i: distance(rgb, palette[i])) for rgb in colours}
    indices = 0
    for n, rgb in enumerate(rgbs):
        indices |= nearest[rgb] << (2 * n)
    return struct.pack("<HHI", c0, c1, indices)


def alpha_block(pixels):
    """8 bytes of DXT5 alpha: two end points, eight interpolated levels, 3-bit indices."""
    alphas = [p[3] for p in pixels]
    a0, a1 = max(alphas), min(alphas)
    if a0 == a1:
        return bytes([a0, a1]) + bytes(6)
    levels = [a0, a1] + [((7 - i) * a0 + i * a1) // 7 for i in range(1, 7)]
    indices = 0
    for n, alpha in enumerate(alphas):
        best = min(range(8), key=lambda i: abs(alpha - levels[i]))
        indices |= best << (3 * n)
    return bytes([a0, a1]) + indices.to_bytes(6, "little")


def encode(image, width, height, dxt5):
    data = bytearray()
    for by in range(0, height, 4):
        for bx in range(0, width, 4):
            # Blocks past a small level's edge repeat its last pixel.
            pixels = [image[min(by + y, height - 1) * width + min(bx + x, width - 1)]
                      for y in range(4) for x in range(4)]
            if dxt5:
                data += alpha_block(pixels)
            data += colour_block(pixels)
    return bytes(data)


def halve(image, width, height):
    w, h = max(width // 2, 1), max(height // 2, 1)
    out = []
    for y in range(h):
        for x in range(w):
            samples = [image[min(2 * y + dy, height - 1) * width + min(2 * x + dx, width - 1)]
                       for dy in (0, 1) for dx in (0, 1)]
            out.append(tuple(sum(s[c] for s in samples) // 4 for c in range(4)))
    return out, w, h


def write_dds(path, image, width, height, dxt5=False, mips=True):
    levels = []
    w, h = width, height
    while True:
        levels.append(encode(image, w, h, dxt5))
        if not mips or (w == 1 and h == 1):
            break
        image, w, h = halve(image, w, h)
    caps = DDSCAPS_TEXTURE | (DDSCAPS_COMPLEX | DDSCAPS_MIPMAP if len(levels) > 1 else 0)
    header = struct.pack("<4s7I44x", b"DDS ", 124, DDSD_FLAGS, height, width, len(levels[0]), 0, len(levels))
    pixel_format = struct.pack("<2I4s5I", 32, DDPF_FOURCC, b"DXT5" if dxt5 else b"DXT1", 0, 0, 0, 0, 0)
    header += pixel_format + struct.pack("<5I", caps, 0, 0, 0, 0)
    assert len(header) == 128
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(header + b"".join(levels))


def solid(colour, width=4, height=4):
    return [colour + (255,)] * (width * height)


def logo(width, height):
    """A gold ring on a dark blue gradient, with a bar through it: the studio's mark."""
    pixels = []
    for y in range(height):
        for x in range(width):
            u, v = (x + 0.5) / width, (y + 0.5) / height
            colour = (int(20 + 40 * v), int(30 + 50 * v), int(90 + 120 * v))
            dx, dy = (u - 0.5) * width / height, v - 0.5
            radius = math.hypot(dx, dy)
            if 0.28 < radius < 0.40 or (abs(dy) < 0.04 and abs(dx) < 0.55):
                shade = 1.0 - 0.5 * abs(dy)
                colour = (int(240 * shade), int(190 * shade), int(60 * shade))
            pixels.append(colour + (255,))
    return pixels


def panel(width, height):
    """A light panel that fades out towards its rounded edges."""
    pixels = []
    for y in range(height):
        for x in range(width):
            edge = min(x + 0.5, width - x - 0.5, y + 0.5, height - y - 0.5)
            alpha = max(0, min(255, int(edge * 32)))
            pixels.append((230, 220, 190, alpha))
    return pixels


def spark(size):
    """A white dot whose alpha falls off smoothly from the centre; particles tint it with their colour."""
    pixels = []
    for y in range(size):
        for x in range(size):
            radius = math.hypot((x + 0.5) / size - 0.5, (y + 0.5) / size - 0.5) * 2.0
            falloff = max(0.0, 1.0 - radius)
            pixels.append((255, 255, 255, int(255 * falloff * falloff)))
    return pixels


def checker(size, cell):
    light, dark = (200, 160, 110, 255), (120, 80, 40, 255)
    return [light if (x // cell + y // cell) % 2 == 0 else dark for y in range(size) for x in range(size)]


def stripes(width, height, count, colour, between):
    """count bands across u: wrapped on a sphere, they run pole to pole."""
    return [(colour if (x * count // width) % 2 == 0 else between) + (255,)
            for y in range(height) for x in range(width)]


def framed(size, border, inside, edge):
    """A plank face with a darker frame, for crates."""
    pixels = []
    for y in range(size):
        for x in range(size):
            rim = min(x, y, size - 1 - x, size - 1 - y) < border
            grain = 12 * ((x * 7 + y // 3) % 5 == 0)
            colour = edge if rim else tuple(max(0, c - grain) for c in inside)
            pixels.append(colour + (255,))
    return pixels


def gradient(size, bottom, top):
    """Vertical blend; v runs down the image."""
    pixels = []
    for y in range(size):
        t = y / (size - 1)
        colour = tuple(int(b + (a - b) * t) for a, b in zip(bottom, top))
        pixels.extend([colour + (255,)] * size)
    return pixels


def material(path, name, diffuse_map="", normal_map="", render_mode=0, diffuse="1, 1, 1, 1"):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<Material>",
             "\t<MatName>%s</MatName>" % name,
             "\t<RenderMode>%d</RenderMode>" % render_mode,
             "\t<Diffuse>%s</Diffuse>" % diffuse,
             "\t<Specular>0.5, 0.5, 0.5, 1</Specular>",
             "\t<Shininess>32</Shininess>",
             "\t<Tiling>1, 1</Tiling>",
             "\t<DiffuseMap>%s</DiffuseMap>" % diffuse_map,
             "\t<SpecularMap></SpecularMap>",
             "\t<NormalMap>%s</NormalMap>" % normal_map,
             "\t<HeightMap></HeightMap>",
             "</Material>"]
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


# One colour per face, so a render can tell the faces apart.
SKY_FACES = {"right": (255, 0, 0), "left": (0, 255, 0), "top": (0, 0, 255),
             "bottom": (255, 255, 0), "front": (255, 0, 255), "back": (0, 255, 255)}


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_textures.py <assets folder>")
    assets = sys.argv[1]
    textures = os.path.join(assets, "Textures")
    for face, colour in SKY_FACES.items():
        write_dds(os.path.join(textures, "Skyboxes", "MainSky", face + ".dds"), solid(colour, 16, 16), 16, 16,
                  mips=False)
    write_dds(os.path.join(textures, "black.dds"), solid((0, 0, 0)), 4, 4)
    write_dds(os.path.join(textures, "normal.dds"), solid((128, 128, 255)), 4, 4)
    write_dds(os.path.join(textures, "CalvornLogo.dds"), logo(256, 128), 256, 128)
    write_dds(os.path.join(textures, "UIImage.dds"), panel(128, 64), 128, 64, dxt5=True)
    write_dds(os.path.join(textures, "Cube.dds"), checker(64, 8), 64, 64)
    write_dds(os.path.join(textures, "BallRed.dds"), stripes(64, 32, 8, (220, 50, 40), (245, 235, 215)), 64, 32)
    write_dds(os.path.join(textures, "BallBlue.dds"), stripes(64, 32, 6, (40, 90, 220), (250, 210, 60)), 64, 32)
    write_dds(os.path.join(textures, "Crate.dds"), framed(64, 6, (190, 140, 80), (90, 55, 25)), 64, 64)
    write_dds(os.path.join(textures, "Skin.dds"), gradient(16, (40, 200, 170), (20, 90, 160)), 16, 16)
    write_dds(os.path.join(textures, "Spark.dds"), spark(32), 32, 32, dxt5=True)

    materials = os.path.join(assets, "Materials")
    material(os.path.join(materials, "CalvornLogo.xml"), "CalvornLogo", "CalvornLogo.dds")
    material(os.path.join(materials, "UIImage.xml"), "UIImage", "UIImage.dds", render_mode=1)
    material(os.path.join(materials, "Cube.xml"), "Cube", "Cube.dds", "normal.dds")
    for name in ("BallRed", "BallBlue", "Crate", "Skin"):
        material(os.path.join(materials, name + ".xml"), name, name + ".dds", "normal.dds")
    material(os.path.join(materials, "Glass.xml"), "Glass", render_mode=1, diffuse="0.6, 0.8, 1, 0.4")
    game_textures.write_all(write_dds, material, textures, materials)


if __name__ == "__main__":
    main()
