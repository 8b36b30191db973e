#!/usr/bin/env python3
"""Writes the splash level's sky: Textures/Skyboxes/SplashSky, six DXT1 faces of a dusk gradient.

Usage: skies.py <assets folder>

The side faces fade from a deep blue overhead to a warm glow at the horizon; the top is the blue, the bottom
the dark ground. A cube map's side faces are stored with +y at their first row.
"""
import os
import sys

from make_textures import solid, write_dds

SIZE = 64
ZENITH = (24, 44, 104)
HORIZON = (236, 164, 96)
GROUND = (40, 32, 36)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def side():
    """Blue at the top row, the glow just above the middle, the ground below it."""
    pixels = []
    for y in range(SIZE):
        v = (y + 0.5) / SIZE
        colour = mix(ZENITH, HORIZON, (v / 0.5) ** 2) if v < 0.5 else mix(HORIZON, GROUND, min(1.0, (v - 0.5) * 6))
        pixels += [colour + (255,)] * SIZE
    return pixels


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: skies.py <assets folder>")
    folder = os.path.join(sys.argv[1], "Textures", "Skyboxes", "SplashSky")
    faces = {"right": side(), "left": side(), "front": side(), "back": side(),
             "top": solid(ZENITH, SIZE, SIZE), "bottom": solid(GROUND, SIZE, SIZE)}
    for face, pixels in faces.items():
        write_dds(os.path.join(folder, face + ".dds"), pixels, SIZE, SIZE, mips=False)


if __name__ == "__main__":
    main()
