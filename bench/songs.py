#!/usr/bin/env python3
"""Songs for the playback benches, written as format 1 Standard MIDI Files.

make SONG.mid --seconds S --tracks N writes a song of S seconds at 120 BPM
(division 192) with N note tracks of different rhythms and instruments, and
SONG.mid.json with the tick, channel and key of every note-on, for the
lateness analysis.
"""
import argparse
import json
import struct

DIVISION = 192
US_PER_QUARTER = 500000  # 120 BPM
TICKS_PER_SECOND = DIVISION * 1000000 / US_PER_QUARTER

# Per track: channel, program, note length in ticks, keys it cycles through.
VOICES = [
    (0, 0, 96, [60, 62, 64, 65, 67, 69, 71, 72]),   # piano, eighths
    (1, 33, 192, [36, 43, 41, 38]),                 # bass, quarters
    (2, 48, 384, [55, 57, 59, 60]),                 # strings, halves
    (9, 0, 48, [42, 36, 42, 38]),                   # drums, sixteenths
    (3, 24, 144, [64, 67, 71, 74]),                 # guitar, dotted eighths
    (4, 40, 768, [76, 79]),                         # violin, whole notes
    (5, 56, 288, [67, 72, 74]),                     # trumpet
    (6, 65, 120, [62, 65, 69]),                     # sax
    (7, 73, 64, [84, 86, 88, 89]),                  # flute, triplet sixteenths
    (8, 11, 240, [72, 76, 79]),                     # vibraphone
    (10, 19, 1536, [48, 55]),                       # organ, two bars
    (11, 46, 32, [60, 64, 67, 72, 76]),             # harp, fast arpeggio
]


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, (value & 0x7F) | 0x80)
        value >>= 7
    return bytes(out)


def chunk(events):
    """events: (tick, order, bytes); order puts programs before note-offs before note-ons."""
    data = bytearray()
    now = 0
    for tick, _, message in sorted(events, key=lambda e: (e[0], e[1])):
        data += varlen(tick - now) + message
        now = tick
    data += b"\x00\xff\x2f\x00"
    return b"MTrk" + struct.pack(">I", len(data)) + bytes(data)


def make(path, seconds, tracks):
    end = int(seconds * TICKS_PER_SECOND)
    tempo = [(0, 0, b"\xff\x58\x04\x04\x02\x18\x08"),
             (0, 0, b"\xff\x51\x03" + US_PER_QUARTER.to_bytes(3, "big"))]
    chunks = [chunk(tempo)]
    onsets = []
    for channel, program, length, keys in VOICES[:tracks]:
        events = [(0, 0, bytes([0xC0 | channel, program])),
                  (0, 0, bytes([0xB0 | channel, 7, 100]))]
        tick, i = 0, 0
        while tick + length <= end:
            key = keys[i % len(keys)]
            events.append((tick, 2, bytes([0x90 | channel, key, 90])))
            events.append((tick + length - 8, 1, bytes([0x80 | channel, key, 0])))
            onsets.append((tick, channel, key))
            tick += length
            i += 1
        chunks.append(chunk(events))
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(chunks), DIVISION)
    with open(path, "wb") as out:
        out.write(header + b"".join(chunks))
    with open(path + ".json", "w") as out:
        json.dump({"ticks_per_second": TICKS_PER_SECOND, "onsets": sorted(onsets)}, out)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    sub = parser.add_subparsers(dest="command", required=True)
    m = sub.add_parser("make")
    m.add_argument("path")
    m.add_argument("--seconds", type=float, required=True)
    m.add_argument("--tracks", type=int, default=4)
    args = parser.parse_args()
    make(args.path, args.seconds, min(args.tracks, len(VOICES)))


if __name__ == "__main__":
    main()
