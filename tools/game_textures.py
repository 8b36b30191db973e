"""The game's pictures and materials, written by make_textures.py: words on UI panels, heads-up icons, the
"How To Play" pages, the subtitles and cutscene strips, the tomb's surfaces, and the plain-colour materials that
the levels and the scripts name. All words are drawn with bitmapfont.py; nothing here names a real person."""

import math
import os

import bitmapfont
import cutscene_art

INK = (40, 24, 10, 255)
GOLD = (240, 196, 80, 255)
SAND = (226, 200, 150, 255)
NIGHT = (18, 16, 30, 255)
CLEAR = (0, 0, 0, 0)

# name: lines, size. Sandstone buttons with dark words; the pause and main menus share "UIQuit".
BUTTONS = {
    "UIStart": ["START GAME"], "UISettings": ["SETTINGS"], "UICredits": ["CREDITS"], "UIQuit": ["QUIT GAME"],
    "UIResume": ["RESUME GAME"], "UIHowToPlay": ["HOW TO PLAY"], "UIQuitToMenu": ["QUIT TO MENU"],
    "UIGamma": ["GAMMA"], "UIVolume": ["VOLUME"], "UIBGM": ["MUSIC"], "UISFX": ["EFFECTS"],
    "UIVoiceOver": ["VOICE"], "UIBack": ["BACK"], "UIYes": ["YES"], "UINo": ["NO"],
}

# Light words on a dark panel.
PANELS = {
    "UIMainLogo": (["NEKTARU", "THE BURIED SPIRIT"], 256, 96),
    "UIConfirmText": (["ARE YOU SURE?"], 384, 48),
    "UIGameOver": (["GAME OVER"], 256, 64),
    "UIContinue": (["PRESS ENTER TO CONTINUE"], 512, 64),
    "UIContinueC": (["PRESS A TO CONTINUE"], 512, 64),
    "UICredits1": (["CREDITS", "", "NEKTARU: THE BURIED SPIRIT", "A TOMB ADVENTURE"], 512, 256),
    "UICredits2": (["GAME AND ENGINE", "", "THE NEKTARU TEAM"], 512, 256),
    "UICredits3": (["PICTURES, MODELS, SOUNDS", "", "DRAWN BY OUR OWN SCRIPTS"], 512, 256),
    "UICredits4": (["THANK YOU", "FOR PLAYING!"], 512, 256),
}

# Keyboard and gamepad pages of the "How To Play" pictures; the tutorial has no fourth page.
TUTORIALS = {
    "1": (["MOVE", "W A S D"], ["MOVE", "LEFT STICK"]),
    "2": (["JUMP", "SPACE"], ["JUMP", "A BUTTON"]),
    "3": (["LOOK AROUND", "MOUSE"], ["LOOK AROUND", "RIGHT STICK"]),
    "5": (["ATTACK", "LEFT MOUSE", "BUTTON"], ["ATTACK", "X BUTTON"]),
    "6": (["BLINK", "SHIFT"], ["BLINK", "B BUTTON"]),
}

# The 2D cutscenes' subtitles, panel by panel; the names count cutscenes from 0.
SUBTITLES = [
    ["THE OLD TOMB OF NEKTARU LIES UNDER THE SAND.", "THEY SAY A SPIRIT GUARDS ITS LAST HALL.",
     "AN EXPLORER FINDS THE HIDDEN STAIRS.", "THE DOOR SLAMS SHUT BEHIND HER.",
     "THERE IS NO WAY BACK, ONLY DOWN.", "SHE LIGHTS A TORCH AND GOES IN."],
    ["THE SPIRIT HAS LEFT ITS COFFIN.", "IT FLEES DEEPER INTO THE TOMB.", "SHE FOLLOWS ITS GREEN LIGHT.",
     "FIRE AND ICE GUARD THE NEXT HALLS.", "SHE MUST FIND A WAY ACROSS."],
    ["THE BRIDGE HOLDS. THE HALLS FALL SILENT.", "A GREAT DOOR OPENS ON THE LAST HALL.",
     "THE SPIRIT WAITS, BOUND BY ITS PYLONS.", "ITS OWN BEAMS BREAK THEIR SHIELDS.", "THIS ENDS NOW."],
    ["THE LAST PYLON FALLS.", "THE SPIRIT IS SEALED IN STONE AGAIN.", "SUNLIGHT REACHES THE TOMB ONCE MORE.",
     "THE EXPLORER CLIMBS BACK TO THE SAND."],
]

# Subtitles of the in-level camera shots.
SHOT_SUBTITLES = {
    "SubtitleShot1": "WHAT IS THIS PLACE?",
    "SubtitleShot2": "SOMETHING MOVES IN THE DARK...",
    "SubtitleBoss": "THE SPIRIT AWAKES!",
}

CREDITS_PANELS = [
    ["NEKTARU", "THE BURIED SPIRIT"], ["A GAME ON THE", "NEKTARU ENGINE"], ["GAME AND ENGINE", "THE NEKTARU TEAM"],
    ["PICTURES, MODELS, SOUNDS", "MADE BY OUR OWN SCRIPTS"], ["NO SPIRITS WERE HARMED", "IN THE MAKING"],
    ["THANK YOU", "FOR PLAYING!"],
]

# Plain-colour materials: name -> (diffuse RGBA, render mode). Render mode 1 is blended.
PLAIN = {
    "BlackMaterial": ((0, 0, 0, 1), 0), "UIBand": ((0.05, 0.04, 0.08, 1), 0),
    "UIMenuBackground": ((0.1, 0.08, 0.14, 1), 0), "UIPauseBackground": ((0.08, 0.06, 0.1, 1), 0),
    "UICreditsBackground": ((0.12, 0.09, 0.06, 1), 0), "UIConfirmPanel": ((0.2, 0.14, 0.08, 1), 0),
    "UITrack": ((0.45, 0.38, 0.28, 1), 0), "UIRechargeFlash": ((1, 1, 0.8, 1), 0),
    "UIGreenScreen": ((0.2, 1, 0.3, 0.3), 1),
    "mainChar1Damaged": ((1, 0.25, 0.2, 1), 0), "red": ((0.9, 0.1, 0.1, 1), 0),
    "redalpha1": ((1, 0.1, 0.1, 0.4), 1), "redalpha2": ((1, 0.1, 0.1, 0.4), 1),
    "Range Indicator": ((1, 0.8, 0.2, 0.3), 1), "RaMaterial": ((0.35, 0.3, 0.28, 1), 0),
    "RaMaterialRed": ((1, 0.15, 0.1, 1), 0), "Pillar": ((0.7, 0.6, 0.45, 1), 0),
    "HeartPickup": ((0.9, 0.15, 0.2, 1), 0), "ScarabPickup": ((0.1, 0.6, 0.55, 1), 0),
    "AnkhPickup": ((0.95, 0.78, 0.25, 1), 0), "Bridge": ((0.55, 0.5, 0.42, 1), 0),
    "Torch": ((0.4, 0.3, 0.2, 1), 0), "FireWall": ((1, 0.45, 0.1, 0.7), 1), "IceWall": ((0.5, 0.8, 1, 0.7), 1),
    "SetPiece": ((0.3, 0.9, 0.5, 1), 0), "Turret": ((0.5, 0.75, 0.95, 1), 0), "Ice": ((0.7, 0.9, 1, 0.8), 1),
    "Fire": ((1, 0.5, 0.1, 0.8), 1), "Boss": ((0.25, 0.7, 0.45, 1), 0), "BossSwitch": ((0.6, 0.55, 0.8, 1), 0),
    "Shield": ((0.5, 0.6, 1, 0.4), 1), "Portal": ((0.2, 1, 0.4, 0.6), 1), "GreenBurst": ((0.3, 1, 0.4, 0.6), 1),
    "Effect": ((1, 1, 1, 0.5), 1), "Bone": ((0.9, 0.88, 0.8, 1), 0), "Pit": ((0.02, 0.02, 0.02, 1), 0),
    "Checkpoint": ((0.3, 0.5, 1, 0.6), 1), "Beam": ((0.4, 1, 0.5, 0.7), 1), "Menu Scenery": ((0.75, 0.6, 0.4, 1), 0),
}


BUTTON_SIZE = (256, 64)
TUTORIAL_SIZE = (512, 256)
SUBTITLE_SIZE = (640, 32)
# Clear space between a bordered picture's words and its edge.
BORDER_MARGIN = 10


def shared_scale(texts, width, height, margin=2):
    """One letter size for pictures seen side by side: the largest at which every one of the texts fits."""
    return min(bitmapfont.fit_scale(lines, width, height, margin) for lines in texts)


def canvas(width, height, colour):
    return [colour] * (width * height)


def words(lines, width, height, ink, paper, border=None, scale=None):
    pixels = canvas(width, height, paper)
    if border:
        for y in range(height):
            for x in range(width):
                if min(x, y, width - 1 - x, height - 1 - y) < 2:
                    pixels[y * width + x] = border
    scale = scale or bitmapfont.fit_scale(lines, width, height, BORDER_MARGIN if border else 2)
    bitmapfont.write_lines(pixels, width, height, lines, ink, scale)
    return pixels


def shape(size, inside, colour):
    """A transparent square with the pixels for which inside(u, v) holds (u, v in -1..1) in the colour."""
    pixels = canvas(size, size, CLEAR)
    for y in range(size):
        for x in range(size):
            if inside(2 * (x + 0.5) / size - 1, 1 - 2 * (y + 0.5) / size):
                pixels[y * size + x] = colour
    return pixels


def heart(u, v):
    # Two circles over a point.
    return math.hypot(u + 0.42, v - 0.3) < 0.45 or math.hypot(u - 0.42, v - 0.3) < 0.45 or (
        v <= 0.35 and abs(u) < 0.85 * (v + 0.85) and v > -0.85)


def scarab(u, v):
    return (u / 0.7) ** 2 + (v / 0.9) ** 2 < 1 or (abs(u) > 0.5 and abs(u) < 0.9 and abs(v) < 0.5 and
                                                   int((v + 1) * 5) % 2 == 0)


def ring(u, v):
    return 0.5 < math.hypot(u, v) < 0.9


def glow(width, height):
    """A soft gold bar whose alpha falls off towards the edges."""
    pixels = []
    for y in range(height):
        for x in range(width):
            edge = min(x + 0.5, width - x - 0.5) / (width / 2), min(y + 0.5, height - y - 0.5) / (height / 2)
            pixels.append((255, 210, 90, int(200 * min(1.0, 2 * edge[0]) * min(1.0, 2 * edge[1]))))
    return pixels


def knob(size):
    return shape(size, lambda u, v: math.hypot(u, v) < 0.8, GOLD)


def tiles(size, mortar, stone, rows):
    """Stone blocks in courses, every other course shifted by half a block."""
    pixels = []
    block = size // rows
    for y in range(size):
        for x in range(size):
            shift = block // 2 if (y // block) % 2 else 0
            seam = y % block == 0 or (x + shift) % (2 * block) == 0
            grain = 10 * ((x * 13 + y * 7) % 3)
            pixels.append(mortar if seam else tuple(max(0, c - grain) for c in stone[:3]) + (255,))
    return pixels


def coffin(width, height):
    """Gold and blue bands with a face at the head."""
    pixels = []
    for y in range(height):
        for x in range(width):
            band = (y * 8 // height) % 2
            colour = (230, 180, 60, 255) if band else (40, 70, 150, 255)
            if y < height // 4 and abs(x - width / 2) < width / 4:
                colour = (220, 170, 110, 255)
            pixels.append(colour)
    return pixels


def write_all(write_dds, material, textures, materials):
    """write_dds and material are make_textures' writers; textures and materials the two folders."""

    def picture(name, pixels, width, height, blended=False, mode=0):
        write_dds(os.path.join(textures, name + ".dds"), pixels, width, height, dxt5=blended, mips=False)
        material(os.path.join(materials, name + ".xml"), name, name + ".dds", render_mode=mode)

    # Every button of every menu shares one letter size, and so do the subtitles, the "How To Play" pages and
    # each set of credits pages.
    button_scale = shared_scale(BUTTONS.values(), *BUTTON_SIZE, BORDER_MARGIN)
    for name, lines in BUTTONS.items():
        picture(name, words(lines, *BUTTON_SIZE, INK, SAND, border=(150, 110, 60, 255), scale=button_scale),
                *BUTTON_SIZE)
    credits_pages = ["UICredits%d" % n for n in range(1, 5)]
    credits_scale = shared_scale([PANELS[name][0] for name in credits_pages], 512, 256, BORDER_MARGIN)
    for name, (lines, width, height) in PANELS.items():
        scale = credits_scale if name in credits_pages else None
        picture(name, words(lines, width, height, GOLD, NIGHT, border=(120, 90, 40, 255), scale=scale), width, height)
    tutorial_scale = shared_scale([page for pair in TUTORIALS.values() for page in pair], *TUTORIAL_SIZE,
                                  BORDER_MARGIN)
    for number, pages in TUTORIALS.items():
        for prefix, lines in zip(("Tutorial", "TutorialController"), pages):
            picture(prefix + number, words(lines, *TUTORIAL_SIZE, INK, SAND, border=GOLD, scale=tutorial_scale),
                    *TUTORIAL_SIZE)
    subtitles = {"Subtitle2D_Cutscene%d_%d" % (cutscene, panel + 1): line
                 for cutscene, lines in enumerate(SUBTITLES) for panel, line in enumerate(lines)}
    subtitles.update(SHOT_SUBTITLES)
    subtitle_scale = shared_scale([[line] for line in subtitles.values()], *SUBTITLE_SIZE)
    for name, line in subtitles.items():
        picture(name, words([line], *SUBTITLE_SIZE, SAND, NIGHT, scale=subtitle_scale), *SUBTITLE_SIZE)
    for cutscene in range(len(SUBTITLES)):
        picture("CutsceneStrip%d" % cutscene, cutscene_art.strip(cutscene), cutscene_art.STRIP_WIDTH,
                cutscene_art.STRIP_HEIGHT)
    credits_roll_scale = shared_scale(CREDITS_PANELS, 256, 64)
    for n, lines in enumerate(CREDITS_PANELS):
        picture("CreditsPanel%d" % (n + 1), words(lines, 256, 64, GOLD, NIGHT, scale=credits_roll_scale), 256, 64)

    picture("HeartFilledUI", shape(32, heart, (220, 30, 40, 255)), 32, 32, blended=True, mode=1)
    picture("HeartEmptyUI", shape(32, heart, (70, 50, 50, 200)), 32, 32, blended=True, mode=1)
    picture("ScarabFilledUI", shape(32, scarab, (40, 200, 170, 255)), 32, 32, blended=True, mode=1)
    picture("ScarabEmptyUI", shape(32, scarab, (60, 70, 70, 200)), 32, 32, blended=True, mode=1)
    picture("UIGlow", glow(64, 16), 64, 16, blended=True, mode=1)
    picture("UIScroller", knob(16), 16, 16, blended=True, mode=1)
    picture("TombFloor", tiles(64, (120, 95, 60, 255), SAND, 4), 64, 64)
    picture("TombWall", tiles(64, (90, 70, 45, 255), (200, 170, 120), 8), 64, 64)
    picture("Coffin", coffin(32, 64), 32, 64)
    picture("mainChar1", words(["N"], 16, 16, (250, 230, 200, 255), (60, 110, 170, 255)), 16, 16)

    for name, (diffuse, mode) in PLAIN.items():
        material(os.path.join(materials, name + ".xml"), name, render_mode=mode,
                 diffuse=", ".join("%g" % c for c in diffuse))
