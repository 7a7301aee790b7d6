#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes Merrin's intro music: four seconds of a bright, warm chord progression.

A soft electric-piano voice (two detuned partial stacks with a fast attack and a long decay)
plays I - vi - IV - V in C major, a bell figure rises on top, and a low sine pad holds the root.
Pure Python, no dependencies: the result is a 44.1 kHz stereo WAV, which
resources/audio/ keeps as MP3:

    tools/audio/make_stinger.py /tmp/stinger.wav
    lame --preset standard /tmp/stinger.wav resources/audio/MerrinIntroStinger.mp3
"""
import math
import struct
import sys
import wave

RATE = 44100
LENGTH = 4.2  # seconds, including the tail


def freq(midi):
    return 440.0 * 2 ** ((midi - 69) / 12)


def epiano(t, f, start, velocity):
    """One electric-piano note begun at `start` seconds."""
    x = t - start
    if x < 0:
        return 0.0
    attack = min(1.0, x / 0.006)
    decay = math.exp(-x * 1.6)
    tine = math.exp(-x * 9.0)
    s = (math.sin(2 * math.pi * f * x)
         + 0.35 * math.sin(2 * math.pi * 2 * f * x + 0.3)
         + 0.5 * tine * math.sin(2 * math.pi * 7.02 * f * x)
         + 0.6 * math.sin(2 * math.pi * f * 1.003 * x))
    return velocity * attack * decay * s


def bell(t, f, start):
    x = t - start
    if x < 0:
        return 0.0
    env = math.exp(-x * 3.2) * min(1.0, x / 0.002)
    return env * (math.sin(2 * math.pi * f * x) + 0.4 * math.sin(2 * math.pi * 2.76 * f * x))


# (start seconds, MIDI notes) : C add9, A minor 7, F major 7, G 6/9 resolving up.
CHORDS = [
    (0.00, [48, 55, 60, 64, 67, 74]),
    (0.85, [45, 52, 57, 60, 64, 67]),
    (1.70, [41, 53, 57, 60, 64, 69]),
    (2.55, [43, 55, 59, 62, 64, 69]),
]
BELLS = [(0.0, 79), (0.42, 84), (0.85, 81), (1.27, 84), (1.70, 88), (2.12, 84), (2.55, 86), (2.98, 91)]


def sample(t):
    left = right = 0.0
    for index, (start, notes) in enumerate(CHORDS):
        for n, note in enumerate(notes):
            # a slight strum, low to high
            v = epiano(t, freq(note), start + n * 0.012, 0.16 if note >= 55 else 0.22)
            pan = 0.5 + (n - len(notes) / 2) * 0.06
            left += v * (1 - pan)
            right += v * pan
    for start, note in BELLS:
        v = 0.09 * bell(t, freq(note), start)
        left += v * 0.4
        right += v * 0.6
    pad = 0.08 * math.sin(2 * math.pi * freq(36) * t) * min(1.0, t / 0.3) * max(0.0, 1 - t / LENGTH)
    left += pad
    right += pad
    # fade the last half second so the file ends in silence
    tail = min(1.0, max(0.0, (LENGTH - t) / 0.5))
    return left * tail, right * tail


def main(path):
    frames = bytearray()
    peak = 0.0
    samples = []
    for i in range(int(RATE * LENGTH)):
        l, r = sample(i / RATE)
        samples.append((l, r))
        peak = max(peak, abs(l), abs(r))
    gain = 0.85 / peak
    for l, r in samples:
        frames += struct.pack('<hh', int(l * gain * 32767), int(r * gain * 32767))
    with wave.open(path, 'wb') as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'stinger.wav')
