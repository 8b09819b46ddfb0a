#!/usr/bin/env python3
"""Timing of a played song as a JACK MIDI capture saw it.

lateness.py CAPTURE SONG.mid.json UNITS_PER_SECOND reads captured messages,
one per line as "TIME: XX XX XX" (bench/midi_capture writes microseconds,
jack_midi_dump -a frames), and the song's note-on ticks, and prints the song-clock drift against
that clock and the lateness of every note-on against its ideal time.
The run starts with the first captured message (the port reset of the
positioning); a note's ideal time is that moment plus its tick at the song's
tempo.
"""
import json
import re
import statistics
import sys

LINE = re.compile(r"^\s*(\d+):\s+([0-9a-f]{2})\s+([0-9a-f]{2})?\s*([0-9a-f]{2})?")


def read_dump(path):
    messages = []
    with open(path) as dump:
        for line in dump:
            match = LINE.match(line)
            if match:
                data = [int(b, 16) for b in match.groups()[1:] if b]
                messages.append((int(match.group(1)), data))
    return messages


def percentile(values, fraction):
    ordered = sorted(values)
    index = min(len(ordered) - 1, max(0, int(round(fraction * (len(ordered) - 1)))))
    return ordered[index]


def main():
    dump, song, rate = sys.argv[1], sys.argv[2], float(sys.argv[3])
    with open(song) as f:
        info = json.load(f)
    messages = read_dump(dump)
    if not messages:
        sys.exit("no MIDI captured")
    start = messages[0][0]
    note_ons = [frame for frame, data in messages
                if len(data) == 3 and data[0] & 0xF0 == 0x90 and data[2] > 0]
    ideal = info["onsets"]
    if len(note_ons) != len(ideal):
        sys.exit(f"captured {len(note_ons)} note-ons, the song has {len(ideal)}")
    tps = info["ticks_per_second"]
    late_ms = [(frame - start) * 1000.0 / rate - tick * 1000.0 / tps
               for frame, tick in zip(note_ons, ideal)]
    played_s = (note_ons[-1] - note_ons[0]) / rate
    song_s = (ideal[-1] - ideal[0]) / tps
    drift = (played_s - song_s) / song_s * 100.0
    print(f"note-ons:            {len(note_ons)} over {song_s:.1f} s of song")
    print(f"song-clock drift:    {drift:+.4f} % (played {played_s:.4f} s for {song_s:.4f} s)")
    print(f"lateness median:     {statistics.median(late_ms):.2f} ms")
    print(f"lateness 99th pct:   {percentile(late_ms, 0.99):.2f} ms")
    print(f"lateness min / max:  {min(late_ms):.2f} / {max(late_ms):.2f} ms")
    ok = abs(drift) < 0.1 and percentile(late_ms, 0.99) < 12.0
    print("targets (drift < 0.1 %, 99th percentile < 12 ms):", "met" if ok else "NOT met")


if __name__ == "__main__":
    main()
