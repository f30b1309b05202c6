"""Synthesizes every sound of the audio list and encodes it as Ogg Vorbis.

usage: gen_sounds.py DATA_DIR      (needs numpy and sox with Ogg support)
"""
import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

import assets

RATE = 44100
rng = np.random.RandomState(1234)


def t_axis(dur):
    return np.arange(int(dur * RATE)) / RATE


def env(n, attack=0.005, release=0.05, hold=None):
    """Attack-decay envelope over n samples."""
    a = max(1, int(attack * RATE))
    r = max(1, int(release * RATE))
    e = np.ones(n)
    e[:a] = np.linspace(0, 1, a) if a < n else np.linspace(0, 1, n)[:a]
    if r < n:
        e[n - r:] *= np.linspace(1, 0, r)
    return e


def expdecay(n, rate):
    return np.exp(-np.arange(n) / RATE * rate)


def osc(freq, dur, kind="sine"):
    t = t_axis(dur)
    if callable(freq):
        phase = 2 * np.pi * np.cumsum(freq(t)) / RATE
    else:
        phase = 2 * np.pi * freq * t
    if kind == "sine":
        return np.sin(phase)
    if kind == "square":
        return np.sign(np.sin(phase)) * 0.6
    if kind == "saw":
        return 2 * ((phase / (2 * np.pi)) % 1.0) - 1
    if kind == "tri":
        return 2 * np.abs(2 * ((phase / (2 * np.pi)) % 1.0) - 1) - 1
    raise ValueError(kind)


def noise(dur):
    return rng.uniform(-1, 1, int(dur * RATE))


def lowpass(x, amount):
    """One-pole low-pass; amount in (0, 1], smaller is darker."""
    y = np.empty_like(x)
    acc = 0.0
    for i, v in enumerate(x):
        acc += amount * (v - acc)
        y[i] = acc
    return y


def mix(*parts):
    n = max(len(p) for p in parts)
    out = np.zeros(n)
    for p in parts:
        out[:len(p)] += p
    return out


def at(x, start):
    return np.concatenate([np.zeros(int(start * RATE)), x])


def note(freq, dur, kind="tri", decay=6.0, vol=1.0):
    x = osc(freq, dur, kind)
    n = len(x)
    return x * expdecay(n, decay) * env(n, 0.004, min(0.04, dur / 3)) * vol


def hz(semitones_from_a4):
    return 440.0 * 2 ** (semitones_from_a4 / 12.0)


def normalise(x, peak):
    m = np.max(np.abs(x)) or 1.0
    return x / m * peak


# ---- effects ---------------------------------------------------------------

def sweep(f0, f1, dur, kind="sine", decay=4.0):
    x = osc(lambda t: f0 + (f1 - f0) * t / dur, dur, kind)
    return x * expdecay(len(x), decay) * env(len(x), 0.003, 0.03)


def thump(freq=90, dur=0.25):
    return sweep(freq * 2, freq * 0.5, dur, "sine", 12)


def hiss(dur, bright=0.5, decay=10.0):
    x = lowpass(noise(dur), bright)
    return x * expdecay(len(x), decay) * env(len(x), 0.002, 0.02)


def chime(freqs, step=0.07, dur=0.35, kind="tri"):
    return mix(*[at(note(f, dur, kind, 7.0), i * step) for i, f in enumerate(freqs)])


def hit(voice_freq):
    """A hit: a body thump and a short voiced grunt at the character's pitch."""
    grunt = sweep(voice_freq * 1.3, voice_freq * 0.8, 0.22, "saw", 9.0)
    return mix(thump(110, 0.22) * 0.9, lowpass(grunt, 0.25) * 0.8, hiss(0.08, 0.6, 30) * 0.3)


def effects():
    fx = {}
    fx["PlayerToPlayerHit"] = mix(thump(80, 0.25), hiss(0.1, 0.4, 25) * 0.4)
    fx["knight"] = mix(sweep(900, 300, 0.25, "saw", 10) * 0.4, hiss(0.25, 0.7, 12) * 0.6)
    fx["pirate"] = mix(thump(60, 0.5), hiss(0.4, 0.3, 8) * 0.8)
    fx["pickup"] = chime([hz(3), hz(7), hz(10)], 0.05, 0.25)
    fx["explode"] = mix(thump(45, 0.9) * 1.0, lowpass(noise(0.9), 0.15) * expdecay(int(0.9 * RATE), 4) * 0.9)
    fx["gameover"] = chime([hz(-2), hz(2), hz(5), hz(10), hz(14)], 0.14, 0.9, "square")
    fx["playerDam"] = mix(thump(70, 0.2), hiss(0.06, 0.5, 40) * 0.3)
    fx["melee"] = hiss(0.18, 0.8, 15)
    fx["select"] = chime([hz(7), hz(14)], 0.06, 0.18, "square")
    fx["cantSelect"] = mix(note(hz(-14), 0.12, "square", 8), at(note(hz(-16), 0.18, "square", 8), 0.11))
    fx["paint"] = mix(hiss(0.35, 0.35, 7) * 0.7, sweep(300, 900, 0.35, "sine", 5) * 0.4)
    fx["wallHit"] = mix(thump(150, 0.08) * 0.7, hiss(0.05, 0.5, 50) * 0.3)
    fx["MeeleHit"] = mix(thump(100, 0.15), hiss(0.08, 0.7, 30) * 0.5)
    fx["MeeleFlyOff"] = sweep(700, 200, 0.3, "sine", 6) * 0.6
    fx["ArcherFire"] = mix(sweep(1400, 500, 0.15, "tri", 15) * 0.5, hiss(0.12, 0.9, 25) * 0.4)
    fx["VikingFire"] = mix(thump(70, 0.2) * 0.8, hiss(0.15, 0.4, 20) * 0.5)
    fx["ArcherHit"] = hit(hz(3))
    fx["PirateHit"] = hit(hz(-12))
    fx["WallBlock"] = mix(thump(50, 0.6), lowpass(noise(0.5), 0.1) * expdecay(int(0.5 * RATE), 6) * 0.7)
    fx["LockDown"] = mix(sweep(200, 60, 0.8, "square", 3) * 0.4, thump(40, 0.8))
    fx["CharSelect"] = note(hz(12), 0.08, "square", 20) * 0.6
    fx["10SecLeft"] = mix(*[at(note(hz(15), 0.15, "square", 6), i * 0.25) for i in range(3)])
    fx["PaintPickup"] = mix(chime([hz(0), hz(4), hz(7), hz(12)], 0.05, 0.3), hiss(0.2, 0.3, 10) * 0.3)
    fx["TimeUp"] = mix(note(hz(-5), 1.5, "saw", 1.5) * 0.5, note(hz(-1), 1.5, "saw", 1.5) * 0.4,
                       note(hz(2), 1.5, "saw", 1.5) * 0.4)
    fx["paintSplat1"] = hiss(0.12, 0.25, 25)
    fx["paintSplat2"] = mix(hiss(0.05, 0.2, 60), sweep(500, 250, 0.05, "sine", 50) * 0.3) * 0.25
    fx["paintSplat3"] = hiss(0.15, 0.15, 18)
    whistle = osc(lambda t: 2100 + 120 * np.sin(2 * np.pi * 30 * t), 0.5, "sine")
    fx["whistle"] = whistle * env(len(whistle), 0.01, 0.05) * 0.6
    fx["KnightHit"] = mix(hit(hz(-7)), sweep(2500, 1800, 0.2, "tri", 12) * 0.2)
    fx["SamuraiHit"] = hit(hz(-3))
    # in step with the countdown picture: "3", "2", "1" half a second apart, then "GO!"
    count = [at(note(hz(3), 0.3, "square", 5) * 0.6, i * 0.5) for i in range(3)]
    fx["Matchstarted"] = mix(*count, at(note(hz(15), 0.9, "square", 3) * 0.7, 1.5))
    fx["VikingHit"] = hit(hz(-15))
    fx["MaidHit"] = hit(hz(8))
    fx["MaidSkill"] = mix(hiss(0.6, 0.5, 4) * 0.5, chime([hz(12), hz(16), hz(19)], 0.08, 0.3) * 0.5)
    fx["BleedSkill"] = mix(sweep(300, 1500, 0.4, "saw", 4) * 0.3, hiss(0.4, 0.8, 6) * 0.6)
    fx["FlagCaptured"] = chime([hz(0), hz(4), hz(7), hz(12), hz(16)], 0.08, 0.5, "square")
    return fx


# ---- music -----------------------------------------------------------------

def tune(bpm, chords, melody, lead="square", bass="tri", swing_hat=True):
    """Loops cleanly: every voice ends with its last note faded before the bar
    line, and the piece is a whole number of beats long."""
    beat = 60.0 / bpm
    bars = len(chords)
    total = bars * 4 * beat
    n = int(round(total * RATE))
    out = np.zeros(n)

    def put(x, start):
        i = int(round(start * RATE))
        seg = x[:max(0, n - i)]
        out[i:i + len(seg)] += seg

    for b, chord in enumerate(chords):
        root = chord[0]
        for k in range(4):  # bass on every beat
            f = hz(root - 24 + (12 if k == 2 else 0))
            put(note(f, beat * 0.9, bass, 4.0, 0.55), (b * 4 + k) * beat)
        for k in range(8):  # off-beat chord stabs
            if k % 2 == 1:
                for s in chord:
                    put(note(hz(s), beat * 0.4, "tri", 9.0, 0.12), (b * 4 + k / 2) * beat)
        for k in range(8):  # hats
            h = hiss(0.05, 0.9, 60) * (0.10 if k % 2 else 0.06)
            put(h, (b * 4 + k / 2) * beat)
        put(thump(70, 0.18) * 0.5, (b * 4) * beat)
        put(thump(70, 0.18) * 0.5, (b * 4 + 2) * beat)
    for start, length, semis in melody:
        put(note(hz(semis), length * beat * 0.95, lead, 2.5, 0.22), start * beat)
    # the last 10 ms fade to silence so that the loop point has no click
    f = int(0.01 * RATE)
    out[-f:] *= np.linspace(1, 0, f)
    out[:f] *= np.linspace(0, 1, f)
    return out


def music():
    # chords in semitones from A4; melody as (beat, length in beats, semitone)
    prog = [[-9, -5, -2], [-4, 0, 3], [-7, -3, 0], [-2, 2, 5]]  # C  F  D-  G
    chords = prog * 4
    mel = []
    phrase = [(0, 1, 3), (1, 1, 7), (2, 0.5, 10), (2.5, 0.5, 7), (3, 1, 5),
              (4, 1, 8), (5, 1, 12), (6, 2, 10),
              (8, 1, 5), (9, 0.5, 7), (9.5, 0.5, 8), (10, 1, 10), (11, 1, 7),
              (12, 1.5, 5), (13.5, 0.5, 7), (14, 2, 3)]
    for rep in range(4):
        off = rep * 16
        shift = 0 if rep % 2 == 0 else 5
        mel += [(off + b, l, s + (shift if i % 3 == 0 else 0)) for i, (b, l, s) in enumerate(phrase)]
    bgm = tune(132, chords, mel)
    menu_prog = [[-9, -5, -2], [-12, -9, -5], [-4, 0, 3], [-2, 2, 5]] * 2
    menu_mel = [(b + 16 * r, l, s - 12 + 12) for r in range(2) for (b, l, s) in
                [(0, 2, 3), (2, 2, 7), (4, 3, 10), (7, 1, 8), (8, 2, 7), (10, 2, 5), (12, 4, 3)]]
    menu = tune(100, menu_prog, menu_mel, lead="tri", bass="sine")
    return {"bgm": bgm * 0.9, "MenuBGM": menu * 0.9}


def write_ogg(x, path, peak):
    x = normalise(x, peak)
    pcm = (np.clip(x, -1, 1) * 32767).astype("<i2")
    with tempfile.TemporaryDirectory() as tmp:
        wav = os.path.join(tmp, "s.wav")
        with wave.open(wav, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(RATE)
            w.writeframes(pcm.tobytes())
        subprocess.run(["sox", "-R", "-q", wav, "-C", "3", path], check=True)


def main(data):
    out = os.path.join(data, "audio")
    os.makedirs(out, exist_ok=True)
    sounds = effects()
    sounds.update(music())
    for name in assets.SOUND_NAMES:
        x = sounds[name]
        peak = 0.25 if name == "paintSplat2" else (0.5 if name in ("bgm", "MenuBGM") else 0.6)
        write_ogg(x, os.path.join(out, name + ".ogg"), peak)


if __name__ == "__main__":
    main(sys.argv[1])
