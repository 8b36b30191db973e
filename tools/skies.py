#!/usr/bin/env python3
"""Writes the skies: Textures/Skyboxes/SplashSky, six DXT1 faces of a dusk gradient, and TombSky, the same
gradient in the dim browns of a buried hall.

Usage: skies.py <assets folder>

The side faces fade from a deep blue overhead to a warm glow at the horizon; the top is the blue, the bottom
the dark ground. A cube map's side faces are stored with +y at their first row.
"""
import os
import sys

from make_textures import solid, write_dds

SIZE = 64
# zenith, horizon, ground
SKIES = {"SplashSky": ((24, 44, 104), (236, 164, 96), (40, 32, 36)),
         "TombSky": ((20, 14, 10), (96, 66, 40), (24, 18, 14))}


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def side(zenith, horizon, ground):
    """The zenith colour at the top row, the glow just above the middle, the ground below it."""
    pixels = []
    for y in range(SIZE):
        v = (y + 0.5) / SIZE
        colour = mix(zenith, horizon, (v / 0.5) ** 2) if v < 0.5 else mix(horizon, ground, min(1.0, (v - 0.5) * 6))
        pixels += [colour + (255,)] * SIZE
    return pixels


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: skies.py <assets folder>")
    for sky, (zenith, horizon, ground) in SKIES.items():
        folder = os.path.join(sys.argv[1], "Textures", "Skyboxes", sky)
        wall = side(zenith, horizon, ground)
        faces = {"right": wall, "left": wall, "front": wall, "back": wall,
                 "top": solid(zenith, SIZE, SIZE), "bottom": solid(ground, SIZE, SIZE)}
        for face, pixels in faces.items():
            write_dds(os.path.join(folder, face + ".dds"), pixels, SIZE, SIZE, mips=False)


if __name__ == "__main__":
    main()
