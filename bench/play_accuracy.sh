#!/usr/bin/env bash
# Playback accuracy and render speed.
#
#   bench/play_accuracy.sh [BUILD_DIR]
#
# 1. Plays a two-minute, four-track song with tunewell-cli play through a
#    private JACK server (dummy driver, 48 kHz, 64-frame periods, real-time
#    where allowed) into a capture client (bench/midi_capture.cpp, built here)
#    that stamps each message with JACK's clock, and prints the song-clock
#    drift against that wall clock and the median and 99th-percentile
#    lateness of the note-ons, with the cycles the server missed and the load
#    average.
# 2. Renders a three-minute, twelve-track song with tunewell-cli render and
#    prints the seconds of sound made per second of work.
#
# PLAY_SECONDS=N shortens the played song; KEEP_WORK=1 keeps the songs and
# the capture; JACK_REALTIME=0 runs the server without real-time scheduling.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
cli="$build/cli/tunewell-cli"
[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 1; }
command -v jackd >/dev/null ||
  { echo "jackd is needed (Debian package jackd2)" >&2; exit 1; }

work=$(mktemp -d)
rate=48000
export JACK_DEFAULT_SERVER="tunewell-bench-$(id -u)"
export JACK_NO_START_SERVER=1
jackd_pid=""
dump_pid=""
cleanup() {
  [ -n "$dump_pid" ] && kill "$dump_pid" 2>/dev/null && wait "$dump_pid" 2>/dev/null || true
  [ -n "$jackd_pid" ] && kill "$jackd_pid" 2>/dev/null && wait "$jackd_pid" 2>/dev/null || true
  if [ -n "${KEEP_WORK:-}" ]; then echo "work files kept in $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

g++ -O2 -std=c++20 -o "$work/midi_capture" "$here/midi_capture.cpp" $(pkg-config --cflags --libs jack)
python3 "$here/songs.py" make "$work/play.mid" --seconds "${PLAY_SECONDS:-120}" --tracks 4
python3 "$here/songs.py" make "$work/render.mid" --seconds 180 --tracks 12

# Starts the server with the scheduling options given; true once it serves.
start_jackd() {
  jackd "$@" --name "$JACK_DEFAULT_SERVER" -d dummy -r "$rate" -p 64 >"$work/jackd.log" 2>&1 &
  jackd_pid=$!
  for _ in $(seq 100); do
    jack_lsp >/dev/null 2>&1 && return 0
    kill -0 "$jackd_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$jackd_pid" 2>/dev/null && wait "$jackd_pid" 2>/dev/null
  jackd_pid=""
  return 1
}
# Real-time scheduling where the machine allows it, as on a musician's
# machine; the playback thread asks for it too, below the server.
if [ "${JACK_REALTIME:-1}" != 0 ] && start_jackd -R -P 70 &&
  ! grep -qi "cannot use real-time" "$work/jackd.log"; then
  scheduling="real-time (SCHED_FIFO, priority 70)"
else
  [ -n "$jackd_pid" ] && kill "$jackd_pid" && wait "$jackd_pid" 2>/dev/null || true
  start_jackd --no-realtime || { echo "jackd did not start" >&2; exit 1; }
  scheduling="not real-time (refused, or JACK_REALTIME=0)"
fi
echo "JACK server:         $scheduling"
"$work/midi_capture" tw-bench "$work/capture.txt" &
dump_pid=$!
port=""
for _ in $(seq 100); do
  port=$(cd "$work" && "$cli" ports | sed -n 's/^\([0-9]*\): tw-bench:input$/\1/p')
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the capture port did not appear" >&2; exit 1; }

xruns() { grep -c XRun "$work/jackd.log" || true; }
loadavg() { cut -d' ' -f1-3 /proc/loadavg; }

echo "== play: two-minute song through JACK port $port"
xruns_before=$(xruns)
load_before=$(loadavg)
start=$(date +%s.%N)
(cd "$work" && "$cli" play play.mid --port "$port" >/dev/null)
end=$(date +%s.%N)
load_after=$(loadavg)
sleep 0.3
kill "$dump_pid"; wait "$dump_pid" 2>/dev/null || true; dump_pid=""
python3 "$here/lateness.py" "$work/capture.txt" "$work/play.mid.json" 1000000
echo "wall-clock run:      $(echo "$end - $start" | bc) s"
echo "JACK xruns:          $(($(xruns) - xruns_before)) while playing (cycles the server missed;" \
  "what they carry comes late or is lost; the capture's times stay on the monotonic clock)"
echo "load average:        $load_before before, $load_after after (1, 5, 15 min; $(nproc) processors)"

echo "== render: three-minute, twelve-track song"
load_before=$(loadavg)
(cd "$work" && "$cli" render render.mid render.wav)
echo "load average:        $load_before before, $(loadavg) after (1, 5, 15 min)"
