#!/usr/bin/env python3
"""Synthesizes Tempiolo's five feedback sounds into assets/suoni.

si1.wav .. si4.wav are short cheerful chimes for a right answer, each with a
tune of its own; no.wav is a soft, low two-note "oh-oh" for a wrong answer.
Only the standard library is used, so the files come out the same on every
machine: 16-bit mono PCM at 22050 Hz.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050


def note(freq, seconds, volume=0.5, bright=0.35, decay=6.0):
    """A bell-like tone: a sine with a little octave, a quick attack and a fading tail."""
    samples = []
    count = int(RATE * seconds)
    attack = int(RATE * 0.008)
    for i in range(count):
        t = i / RATE
        env = math.exp(-decay * t)
        if i < attack:
            env *= i / attack
        # fade the last few milliseconds so notes join without clicks
        tail = count - i
        if tail < 200:
            env *= tail / 200
        v = math.sin(2 * math.pi * freq * t) + bright * math.sin(4 * math.pi * freq * t)
        samples.append(volume * env * v / (1 + bright))
    return samples


def glide(f0, f1, seconds, volume=0.45, decay=3.0):
    """A soft tone that slides from f0 to f1."""
    samples = []
    count = int(RATE * seconds)
    phase = 0.0
    for i in range(count):
        t = i / RATE
        f = f0 + (f1 - f0) * (i / count)
        phase += 2 * math.pi * f / RATE
        env = math.exp(-decay * t) * min(1.0, i / (RATE * 0.02)) * min(1.0, (count - i) / 300)
        samples.append(volume * env * (math.sin(phase) + 0.15 * math.sin(2 * phase)) / 1.15)
    return samples


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def hz(name):
    names = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    octave = int(name[-1])
    return 440.0 * 2 ** ((names[name[0]] + 12 * (octave - 4)) / 12)


def write(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1, min(1, s)) * 32000)) for s in samples))


def tune(*parts):
    out = []
    for part in parts:
        out.extend(part)
    return out


def main(folder):
    os.makedirs(folder, exist_ok=True)
    sounds = {
        # rising major arpeggio
        "si1.wav": tune(note(hz("C5"), 0.11), note(hz("E5"), 0.11), note(hz("G5"), 0.35)),
        # two bright "ding-ding"
        "si2.wav": tune(note(hz("G5"), 0.14), silence(0.03), note(hz("C6"), 0.4)),
        # a quick skip up and a sparkle on top
        "si3.wav": tune(note(hz("E5"), 0.08), note(hz("G5"), 0.08), note(hz("C6"), 0.08),
                        note(hz("E6"), 0.32, volume=0.4)),
        # a little fanfare
        "si4.wav": tune(note(hz("C5"), 0.1), note(hz("C5"), 0.1), note(hz("G5"), 0.12),
                        note(hz("C6"), 0.38)),
        # a gentle, low "oh-oh"
        "no.wav": tune(glide(hz("E4"), hz("D4"), 0.22), silence(0.04), glide(hz("C4"), hz("A3"), 0.38)),
    }
    for name, samples in sounds.items():
        write(os.path.join(folder, name), samples)
        print(f"{name}: {len(samples) / RATE:.2f} s")


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets", "suoni"))
