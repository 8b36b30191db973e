"""The four cutscene strips, drawn by game_textures.py: one picture per panel, each the moment its subtitle
tells, side by side at the strip positions of the Cutscene2D script. Pictures are flat colours in the
heads-up icons' palette (sand, gold, night, the spirit's green), so that most 4 x 4 blocks are one colour
and the block coder stays quick."""

import math

STRIP_UNITS = 14000  # screen units across a strip (scale 140 at 100 per unit)
PANEL_UNITS = 2000  # a panel: wider than the 1920-unit screen, so one fills it alone at rest
PX_PER_UNIT = 0.2
STRIP_WIDTH, STRIP_HEIGHT = int(STRIP_UNITS * PX_PER_UNIT), 240
PANEL_WIDTH = int(PANEL_UNITS * PX_PER_UNIT)

NIGHT = (18, 16, 30, 255)
NIGHT_SKY = [(20, 22, 52, 255), (28, 30, 66, 255), (38, 38, 80, 255)]
DAY_SKY = [(120, 170, 220, 255), (150, 190, 230, 255), (190, 210, 235, 255)]
HALL = [(34, 26, 20, 255), (44, 34, 26, 255), (56, 43, 32, 255)]
SAND = (226, 200, 150, 255)
SAND_SHADE = (190, 160, 110, 255)
STONE = (200, 170, 120, 255)
STONE_SHADE = (150, 120, 80, 255)
DARK = (10, 8, 8, 255)
INK = (40, 24, 10, 255)
GOLD = (240, 196, 80, 255)
KHAKI = (170, 140, 80, 255)
SKIN = (220, 170, 120, 255)
GREEN = (90, 240, 130, 255)
GREEN_GLOW = (40, 110, 70, 255)
FLAME = (255, 150, 40, 255)
FLAME_CORE = (255, 230, 120, 255)
ICE = (150, 210, 255, 255)
BLUE = (40, 70, 150, 255)
WHITE = (250, 240, 210, 255)


class Panel:
    """Drawing into one panel of a strip; x and y in the panel's pixels, y down."""

    def __init__(self, pixels, left):
        self.pixels, self.left = pixels, left
        self.width, self.height = PANEL_WIDTH, STRIP_HEIGHT

    def fill(self, x0, y0, x1, y1, colour, inside=lambda x, y: True):
        for y in range(max(int(y0), 0), min(int(math.ceil(y1)), self.height)):
            row = y * STRIP_WIDTH + self.left
            for x in range(max(int(x0), 0), min(int(math.ceil(x1)), self.width)):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[row + x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y1, colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        self.fill(cx - rx, cy - ry, cx + rx, cy + ry, colour,
                  lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 < 1)

    def polygon(self, points, colour):
        xs, ys = [p[0] for p in points], [p[1] for p in points]

        def inside(x, y):
            hit = False
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit

        self.fill(min(xs), min(ys), max(xs) + 1, max(ys) + 1, colour, inside)

    def line(self, x0, y0, x1, y1, thickness, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1
        nx, ny = -dy / length * thickness / 2, dx / length * thickness / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)

    # Backgrounds.
    def sky(self, bands, horizon):
        # The last band runs on below the horizon, under the dunes' troughs.
        step = horizon / len(bands)
        for n, colour in enumerate(bands):
            self.rect(0, n * step, self.width, (n + 1) * step + (40 if n == len(bands) - 1 else 1), colour)

    def dunes(self, top, colour, phase=0.0):
        for x in range(self.width):
            crest = top + 10 * math.sin(x / 37 + phase) + 6 * math.sin(x / 13 + 2 * phase)
            self.rect(x, crest, x + 1, self.height, colour)

    def hall(self, floor=190):
        """A tomb hall: banded stone wall, a floor and the blocks' seams."""
        self.sky(HALL, floor)
        self.rect(0, floor, self.width, self.height, STONE_SHADE)
        for y in range(20, floor, 30):
            self.rect(0, y, self.width, y + 1, DARK)
            shift = 20 if (y // 30) % 2 else 0
            for x in range(shift, self.width, 40):
                self.rect(x, y - 29, x + 1, y, DARK)

    # Things.
    def moon(self, cx, cy, r, colour=WHITE):
        self.ellipse(cx, cy, r, r, colour)

    def sun(self, cx, cy, r):
        for n in range(12):
            a = n * math.pi / 6
            self.line(cx + math.cos(a) * r * 1.3, cy + math.sin(a) * r * 1.3, cx + math.cos(a) * r * 1.9,
                      cy + math.sin(a) * r * 1.9, 3, GOLD)
        self.ellipse(cx, cy, r, r, FLAME_CORE)

    def pyramid(self, cx, base, half, height):
        self.polygon([(cx - half, base), (cx, base - height), (cx + half, base)], STONE)
        self.polygon([(cx, base - height), (cx + half, base), (cx, base)], STONE_SHADE)

    def stairs(self, x0, y0, steps, dx, dy, colour=STONE_SHADE):
        for n in range(steps):
            self.rect(x0 + n * dx, y0 + n * dy, x0 + (n + 1) * dx, y0 + (n + 1) * dy + 2, colour)
            self.rect(x0 + n * dx, y0 + n * dy, x0 + (n + 1) * dx, y0 + n * dy + 2, STONE)
        self.polygon([(x0, y0), (x0 + steps * dx, y0 + steps * dy), (x0 + steps * dx, y0 + steps * dy + 40),
                      (x0, y0 + 40)], DARK)

    def door(self, cx, base, width, height, inside=DARK):
        self.rect(cx - width / 2 - 8, base - height - 10, cx + width / 2 + 8, base, GOLD)
        self.rect(cx - width / 2, base - height, cx + width / 2, base, inside)

    def torch(self, x, y, size=1.0):
        self.line(x, y, x, y + 22 * size, 3 * size, INK)
        self.ellipse(x, y - 4 * size, 6 * size, 10 * size, FLAME)
        self.ellipse(x, y - 2 * size, 3 * size, 5 * size, FLAME_CORE)

    def explorer(self, x, feet, size=1.0, facing=1, torch=False):
        """The explorer: boots, trousers, a khaki shirt, the head and a wide hat."""
        s = size
        self.rect(x - 7 * s, feet - 26 * s, x - 1 * s, feet, INK)
        self.rect(x + 1 * s, feet - 26 * s, x + 7 * s, feet, INK)
        self.polygon([(x - 10 * s, feet - 24 * s), (x + 10 * s, feet - 24 * s), (x + 8 * s, feet - 56 * s),
                      (x - 8 * s, feet - 56 * s)], KHAKI)
        self.ellipse(x, feet - 65 * s, 8 * s, 9 * s, SKIN)
        self.rect(x - 15 * s, feet - 73 * s, x + 15 * s, feet - 70 * s, INK)
        self.rect(x - 8 * s, feet - 82 * s, x + 8 * s, feet - 72 * s, INK)
        hand = (x + 18 * s * facing, feet - 52 * s)
        self.line(x + 6 * s * facing, feet - 50 * s, hand[0], hand[1], 4 * s, KHAKI)
        if torch:
            self.torch(hand[0], hand[1] - 16 * s, s)

    def spirit(self, cx, cy, size=1.0):
        """The green spirit: a glow, a head and a tail that fades into wisps."""
        s = size
        self.ellipse(cx, cy + 10 * s, 34 * s, 44 * s, GREEN_GLOW)
        self.polygon([(cx - 18 * s, cy), (cx + 18 * s, cy), (cx + 6 * s, cy + 46 * s), (cx - 2 * s, cy + 40 * s),
                      (cx - 10 * s, cy + 48 * s)], GREEN)
        self.ellipse(cx, cy - 6 * s, 18 * s, 18 * s, GREEN)
        self.ellipse(cx - 7 * s, cy - 8 * s, 3 * s, 5 * s, DARK)
        self.ellipse(cx + 7 * s, cy - 8 * s, 3 * s, 5 * s, DARK)

    def coffin(self, cx, base, width, height, open_lid=False):
        x0, x1 = cx - width / 2, cx + width / 2
        for n in range(6):
            band = GOLD if n % 2 else BLUE
            self.rect(x0, base - height + n * height / 6, x1, base - height + (n + 1) * height / 6, band)
        self.ellipse(cx, base - height * 0.8, width * 0.25, height * 0.14, SKIN)
        if open_lid:
            self.polygon([(x1, base - height), (x1 + height * 0.9, base - height - 12), (x1 + height * 0.9,
                                                                                       base - height - 2)], GOLD)

    def pylon(self, cx, base, height, shield=True, broken=False):
        top = base - height * (0.55 if broken else 1.0)
        self.polygon([(cx - 12, base), (cx - 7, top), (cx + 7, top), (cx + 12, base)], STONE)
        self.polygon([(cx, top), (cx + 7, top), (cx + 12, base), (cx, base)], STONE_SHADE)
        if broken:
            self.polygon([(cx + 14, base), (cx + 20, base - 10), (cx + 60, base - 4), (cx + 56, base + 4)], STONE)
        elif shield:
            for r in (30, 26):
                self.ellipse(cx, top + 10, r, r, ICE if r == 30 else GREEN_GLOW)
            self.pylon(cx, base, height, shield=False)

    def wall_of(self, x0, x1, top, base, colour, core):
        self.rect(x0, top, x1, base, colour)
        for x in range(int(x0), int(x1), 12):
            self.polygon([(x, top), (x + 6, top - 14), (x + 12, top)], colour)
            self.ellipse(x + 6, (top + base) / 2, 3, (base - top) / 3, core)

    def chasm(self, x0, x1, floor):
        self.rect(x0, floor, x1, self.height, DARK)

    def bridge(self, x0, x1, floor):
        self.rect(x0, floor, x1, floor + 8, KHAKI)
        for x in range(int(x0), int(x1), 14):
            self.rect(x, floor, x + 1, floor + 8, INK)
        self.line(x0, floor - 20, x1, floor - 20, 2, INK)

    def beam(self, x0, y0, x1, y1):
        self.line(x0, y0, x1, y1, 9, GREEN_GLOW)
        self.line(x0, y0, x1, y1, 4, GREEN)


# One function per panel, in the order of the subtitles (and the silent last panel of cutscene 0).
def tomb_under_sand(p):
    p.sky(NIGHT_SKY, 150)
    p.moon(320, 50, 18)
    p.pyramid(170, 170, 120, 110)
    p.dunes(150, SAND_SHADE, 1.0)
    p.dunes(170, SAND)


def spirit_guards_hall(p):
    p.hall()
    p.coffin(200, 190, 110, 36)
    p.spirit(200, 95, 1.2)
    p.torch(40, 90)
    p.torch(360, 90)


def explorer_finds_stairs(p):
    p.sky(DAY_SKY, 140)
    p.sun(330, 40, 16)
    p.dunes(140, SAND)
    p.stairs(190, 160, 5, 16, 8)
    p.explorer(140, 170, 1.1)


def door_slams(p):
    p.hall()
    p.door(200, 190, 120, 150, STONE_SHADE)
    p.line(200, 45, 200, 190, 2, DARK)
    p.explorer(120, 200, 1.2, facing=-1)


def no_way_back(p):
    p.rect(0, 0, p.width, p.height, DARK)
    p.stairs(60, 90, 7, 34, 18)
    p.explorer(85, 92, 0.9)


def torch_goes_in(p):
    p.hall()
    p.door(280, 190, 90, 130)
    p.explorer(170, 200, 1.3, torch=True)


def corridor_ahead(p):
    p.hall()
    p.door(200, 190, 70, 100)
    for x in (60, 140, 260, 340):
        p.torch(x, 80)


def spirit_leaves_coffin(p):
    p.hall()
    p.coffin(170, 195, 130, 40, open_lid=True)
    p.spirit(170, 80, 1.3)


def spirit_flees(p):
    p.hall()
    p.door(260, 190, 110, 140)
    p.spirit(260, 110, 0.6)
    p.torch(60, 90)


def follows_green_light(p):
    p.hall()
    p.door(300, 190, 80, 120)
    p.ellipse(300, 130, 22, 22, GREEN_GLOW)
    p.ellipse(300, 130, 10, 10, GREEN)
    p.explorer(130, 200, 1.2, torch=True)


def fire_and_ice(p):
    p.hall()
    p.wall_of(30, 170, 70, 190, FLAME, FLAME_CORE)
    p.wall_of(230, 370, 70, 190, ICE, WHITE)
    p.explorer(200, 205, 0.9)


def find_a_way_across(p):
    p.hall(170)
    p.chasm(150, p.width, 170)
    p.rect(300, 170, p.width, p.height, STONE_SHADE)
    p.explorer(110, 170, 1.1)


def bridge_holds(p):
    p.hall(170)
    p.chasm(0, p.width, 170)
    p.rect(0, 170, 60, p.height, STONE_SHADE)
    p.rect(340, 170, p.width, p.height, STONE_SHADE)
    p.bridge(60, 340, 170)
    p.explorer(220, 170, 1.0)


def great_door_opens(p):
    p.hall()
    p.door(200, 190, 160, 170, GREEN_GLOW)
    p.ellipse(200, 130, 40, 50, GREEN)
    p.explorer(200, 205, 0.8)


def spirit_bound(p):
    p.hall()
    p.pylon(80, 190, 120)
    p.pylon(320, 190, 120)
    p.spirit(200, 80, 1.6)
    p.beam(200, 100, 80, 80)
    p.beam(200, 100, 320, 80)


def beams_break_shields(p):
    p.hall()
    p.pylon(290, 190, 130, shield=False)
    p.spirit(110, 80, 1.4)
    p.beam(130, 80, 285, 72)
    for n in range(6):
        a = n * math.pi / 3
        p.line(290 + 24 * math.cos(a), 72 + 24 * math.sin(a), 290 + 40 * math.cos(a), 72 + 40 * math.sin(a), 3, ICE)


def this_ends_now(p):
    p.hall()
    p.spirit(280, 80, 2.0)
    p.explorer(110, 205, 1.6, facing=1)


def last_pylon_falls(p):
    p.hall()
    p.pylon(200, 190, 140, broken=True)
    for x, y in ((150, 60), (250, 50), (280, 100), (130, 110)):
        p.rect(x, y, x + 10, y + 8, STONE)


def sealed_in_stone(p):
    p.hall()
    p.coffin(200, 195, 160, 50)
    for x in (140, 200, 260):
        p.line(x, 140, x, 145, 2, GREEN)


def sunlight_reaches(p):
    p.hall()
    p.polygon([(170, 0), (230, 0), (290, 190), (110, 190)], FLAME_CORE)
    p.rect(110, 190, 290, 200, GOLD)
    p.explorer(200, 200, 1.0)


def climbs_back(p):
    p.sky(DAY_SKY, 150)
    p.sun(80, 50, 22)
    p.pyramid(300, 170, 90, 80)
    p.dunes(160, SAND)
    p.stairs(200, 170, 4, -16, 8)
    p.explorer(200, 168, 1.1)


SCENES = [
    [tomb_under_sand, spirit_guards_hall, explorer_finds_stairs, door_slams, no_way_back, torch_goes_in,
     corridor_ahead],
    [spirit_leaves_coffin, spirit_flees, follows_green_light, fire_and_ice, find_a_way_across],
    [bridge_holds, great_door_opens, spirit_bound, beams_break_shields, this_ends_now],
    [last_pylon_falls, sealed_in_stone, sunlight_reaches, climbs_back],
]


def strip(cutscene):
    """The panels of a cutscene side by side on night, panel 0 at the strip's left end."""
    pixels = [NIGHT] * (STRIP_WIDTH * STRIP_HEIGHT)
    for n, scene in enumerate(SCENES[cutscene]):
        scene(Panel(pixels, n * PANEL_WIDTH))
    return pixels
