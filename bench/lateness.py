#!/usr/bin/env python3
"""Timing of a played song as a JACK MIDI capture saw it.

lateness.py CAPTURE SONG.mid.json UNITS_PER_SECOND reads captured messages,
one per line as "TIME: XX XX XX" (bench/midi_capture writes microseconds,
jack_midi_dump -a frames), and the song's note-on ticks, and prints the song-clock drift against
that clock and the lateness of every note-on against its ideal time.
The run starts with the first captured message (the port reset of the
positioning); a note's ideal time is that moment plus its tick at the song's
tempo. The engine sends a note once its song clock, counted in whole ticks
and stepped every millisecond, has passed the note's tick: its due moment is
the first millisecond at which the clock reads one tick more. The error
against that moment is printed too: it is the timing error of the playback
side and the output, the engine's own rule aside. A message that
bench/midi_capture marks "late" came in a server cycle that itself started
late; those are also left out once, to tell the server's stalls from ours.
"""
import json
import math
import re
import statistics
import sys

LINE = re.compile(r"^\s*(\d+):\s+([0-9a-f]{2})\s+([0-9a-f]{2})?\s*([0-9a-f]{2})?\s*(late)?")


def read_dump(path):
    messages = []
    with open(path) as dump:
        for line in dump:
            match = LINE.match(line)
            if match:
                data = [int(b, 16) for b in match.groups()[1:4] if b]
                messages.append((int(match.group(1)), data, match.group(5) is not None))
    return messages


def percentile(values, fraction):
    ordered = sorted(values)
    index = min(len(ordered) - 1, max(0, int(round(fraction * (len(ordered) - 1)))))
    return ordered[index]


def match(captured, ideal, slack):
    """Pairs each captured note-on (time, channel, key, late cycle) with the
    ideal one of the same channel and key that it plays; ideal ones left
    behind by more than `slack` seconds were lost. Returns (pairs, lost),
    pairs as (played, ideal, late cycle)."""
    waiting = {}
    for when, channel, key in sorted(ideal):
        waiting.setdefault((channel, key), []).append(when)
    pairs, lost = [], 0
    for when, channel, key, late in captured:
        queue = waiting.get((channel, key), [])
        while len(queue) > 1 and queue[0] + slack < when and queue[1] <= when + slack:
            queue.pop(0)
            lost += 1
        if queue:
            pairs.append((when, queue.pop(0), late))
    return pairs, lost + sum(len(q) for q in waiting.values())


def main():
    dump, song, rate = sys.argv[1], sys.argv[2], float(sys.argv[3])
    with open(song) as f:
        info = json.load(f)
    messages = read_dump(dump)
    if not messages:
        sys.exit("no MIDI captured")
    start = messages[0][0]
    tps = info["ticks_per_second"]
    captured = [((frame - start) / rate, data[0] & 0x0F, data[1], late)
                for frame, data, late in messages
                if len(data) == 3 and data[0] & 0xF0 == 0x90 and data[2] > 0]
    ideal = [(tick / tps, channel, key) for tick, channel, key in info["onsets"]]
    pairs, lost = match(captured, ideal, 0.1)
    engine_due = {when: math.ceil(round(when * tps + 1) * 1000 / tps - 1e-9) / 1000
                  for when, _, _ in ideal}
    if not pairs:
        sys.exit("no note-on of the song was captured")
    late_ms = [(played - due) * 1000.0 for played, due, _ in pairs]
    first, last = min(pairs, key=lambda p: p[1]), max(pairs, key=lambda p: p[1])
    played_s, song_s = last[0] - first[0], last[1] - first[1]
    drift = (played_s - song_s) / song_s * 100.0
    print(f"note-ons:            {len(pairs)} of {len(ideal)} captured ({lost} lost)"
          f" over {song_s:.1f} s of song")
    print(f"song-clock drift:    {drift:+.4f} % (played {played_s:.4f} s for {song_s:.4f} s)")
    print(f"lateness median:     {statistics.median(late_ms):.2f} ms")
    print(f"lateness 99th pct:   {percentile(late_ms, 0.99):.2f} ms")
    print(f"lateness min / max:  {min(late_ms):.2f} / {max(late_ms):.2f} ms")
    error_ms = [(played - engine_due[ideal_s]) * 1000.0 for played, ideal_s, _ in pairs]
    print(f"against the engine's due moment: median {statistics.median(error_ms):.2f} ms,"
          f" 99th pct {percentile(error_ms, 0.99):.2f} ms,"
          f" min / max {min(error_ms):.2f} / {max(error_ms):.2f} ms")
    on_time = [e for e, (_, _, late) in zip(error_ms, pairs) if not late]
    if on_time and len(on_time) < len(pairs):
        print(f"  leaving out the {len(pairs) - len(on_time)} delivered by a server cycle that"
              f" came late: 99th pct {percentile(on_time, 0.99):.2f} ms,"
              f" max {max(on_time):.2f} ms")
    def met(errors):
        ok = abs(drift) < 0.05 and percentile(errors, 0.99) < 1.5 and max(errors) < 3.0
        return "met" if ok else "NOT met"
    print("targets (drift < 0.05 %, 99th percentile < 1.5 ms, max < 3 ms):", met(late_ms),
          "against the ticks,", met(error_ms), "against the engine's due moments")


if __name__ == "__main__":
    main()
