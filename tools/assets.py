"""The asset lists: every image of the texture list with its grid, and the sounds.

The order of SOUNDS is the sound index used by the game and must not change.
"""

# (file name, columns, rows, cell width px, cell height px)
SHEETS = [
    ("default.png", 1, 1, 128, 128),
    ("Splash_screen_ZT.png", 1, 1, 1220, 356),
    ("StudioLog.png", 1, 1, 640, 610),
    ("SupportsController.png", 1, 1, 600, 480),
    ("MainMenu_FullSpriteSheet.png", 5, 7, 640, 360),
    ("CharacterSelect_BG_Animated.png", 6, 1, 640, 360),
    ("PlayerCharacterSelection_FullSpritesheet.png", 4, 3, 300, 180),
    ("VS_Icon.png", 1, 1, 200, 200),
    ("CharacterSelect_Icon.png", 1, 1, 880, 170),
    ("CharacterPortraits_FullSpritesheet.dds", 12, 12, 136, 92),
    ("ReadyIcon_FullSpritesheet.png", 2, 1, 333, 226),
    ("MapSelection_FullSpriteSheet.png", 3, 1, 640, 360),
    ("570x870_CharacteSelect_deny.png", 1, 1, 348, 228),
    ("Pause_Quit.png", 2, 1, 550, 270),
    ("Pause_Overlay.png", 1, 1, 64, 64),
    ("Pause_Menu.png", 4, 1, 500, 600),
    ("Pause_HowToPlay.png", 1, 1, 1050, 580),
    ("PauseOptions_FullSpritesheet.png", 4, 1, 500, 300),
    ("GameplayUI_Viewport_Overlay.png", 1, 1, 1024, 70),
    ("ScoreBar_SpriteSheet.png", 1, 1, 270, 120),
    ("GameplayUI_SpritesheetCb_Full.png", 6, 3, 400, 180),
    ("PaitnBar_FullSpriteSheet.png", 2, 1, 220, 34),
    ("GameStart_FullSpriteSheet.png", 6, 5, 270, 133),
    ("WinScreen_FullSpriteSheet.png", 7, 3, 480, 270),
    ("GameOverTimeOver_FullSpriteSheet.png", 3, 4, 300, 195),
    ("GameOverPortraits_FullSpriteSheet.png", 4, 2, 302, 176),
    ("300px_blockwall_animation_2x23.dds", 23, 2, 32, 192),
    ("100px_explodingmine_4x4.png", 8, 3, 100, 100),
    ("BuffSpritesheet_AnimationFull.png", 8, 1, 128, 128),
    ("300x300px_LockDown_casting_animation.png", 8, 4, 150, 150),
    ("150x500_samuraiBleed_wave_4x1.png", 4, 1, 120, 200),
    ("500x400_maidbrushskill_animation.png", 5, 2, 100, 200),
    ("SkillActvated_FullSpriteSheet.png", 8, 3, 128, 128),
    ("Cursor.png", 1, 1, 64, 64),
    ("64px_enginefunction_icons.png", 7, 1, 64, 64),
    # sheets the game objects of the levels use
    ("Archer_Sheet.png", 8, 3, 128, 128),
    ("Knight_Sheet.png", 8, 3, 128, 128),
    ("Pirate_Sheet.png", 8, 3, 128, 128),
    ("Viking_Sheet.png", 8, 3, 128, 128),
    ("Samurai_Sheet.png", 8, 3, 128, 128),
    ("Maid_Sheet.png", 8, 3, 128, 128),
    ("CharacterShadow.png", 1, 1, 128, 128),
    ("StatusEffects.png", 8, 7, 128, 128),
    ("ArcherCast.png", 8, 3, 128, 128),
    ("Arrow.png", 4, 1, 128, 64),
    ("CannonBall.png", 4, 1, 96, 96),
    ("Fist.png", 4, 1, 112, 96),
    ("Katana.png", 4, 1, 160, 80),
    ("Lance.png", 4, 1, 192, 64),
    ("Mop.png", 4, 1, 144, 96),
    ("P1Icon.png", 2, 2, 96, 96),
    ("P2Icon.png", 2, 2, 96, 96),
    ("Flag.png", 4, 3, 128, 128),
    ("FlagCapture.png", 8, 1, 128, 128),
    ("FlagOrnament.png", 1, 2, 128, 128),
    ("SpawnPoint.png", 8, 2, 128, 128),
    ("FloorTiles.png", 4, 4, 128, 128),
]

# The floor atlas used by every tile map (one name for all maps).
FLOOR = "FloorTiles.png"

# Images loaded by path (instance sets and particle emitters), not listed.
INSTANCE_IMAGES = ["carpetBomb2.png", "Effect_03.png", "Effect_09.png",
                   "HitSpark.png", "PaintBurst.png", "LoadingScreen.png"]

SOUND_NAMES = [
    "bgm", "PlayerToPlayerHit", "knight", "pirate", "pickup", "explode",
    "gameover", "playerDam", "melee", "select", "cantSelect", "paint",
    "MenuBGM", "wallHit", "MeeleHit", "MeeleFlyOff", "ArcherFire",
    "VikingFire", "ArcherHit", "PirateHit", "WallBlock", "LockDown",
    "CharSelect", "10SecLeft", "PaintPickup", "TimeUp", "paintSplat1",
    "paintSplat2", "paintSplat3", "whistle", "KnightHit", "SamuraiHit",
    "Matchstarted", "VikingHit", "MaidHit", "MaidSkill", "BleedSkill",
    "FlagCaptured",
]
SOUNDS = [n + ".ogg" for n in SOUND_NAMES]


def sheet(name):
    for s in SHEETS:
        if s[0] == name:
            return s
    raise KeyError(name)


def grid(name):
    s = sheet(name)
    return (s[1], s[2])
