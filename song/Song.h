#pragma once

// The song: one global song-state record and the fixed-capacity tables that
// every part of the program reads and writes directly, on the one thread.
// Records are packed and keep their field order, because their sizes are
// part of what the rest of the program relies on (the file writer, the
// clipboard, the configuration record).

#include <cstdint>

#include "platform/midi/ShortMsg.h"

namespace tw {

// Capacities: what is allocated, and what the insertion operations accept.
inline constexpr int kTracks = 32;
using midi::kChannels;
inline constexpr uint32_t kNotesPerTrack = 7000;
inline constexpr uint32_t kClipboardSize = 7000;
inline constexpr uint32_t kTempoAllocated = 500;
inline constexpr uint32_t kTempoUsable = 499;
inline constexpr uint32_t kEventsAllocated = 5000;
inline constexpr uint32_t kEventsUsable = 4999;
inline constexpr uint32_t kPgmAllocated = 500;
inline constexpr uint32_t kPgmUsable = 499;
inline constexpr uint32_t kLyricsAllocated = 3000;
inline constexpr uint32_t kLyricsUsable = 2999;
inline constexpr uint32_t kNoteOffQueueSize = 200;

inline constexpr int kTrackNameSize = 51;   // 50 characters and the NUL
inline constexpr int kLyricTextSize = 61;   // 60 characters and the NUL
inline constexpr int kCopyrightSize = 152;  // 151 for the text, the last byte is copyrightSet
inline constexpr int kCopyrightMaxChars = 100;
inline constexpr int kPathSize = 255;  // a path of at most 254 characters and the NUL

// Notes outside A0..C8 are never stored.
inline constexpr uint8_t kLowestNote = 21;
inline constexpr uint8_t kHighestNote = 108;

// Accidental of a stored note.
inline constexpr int32_t kNoAccidental = -1;
inline constexpr int32_t kFlat = 0;
inline constexpr int32_t kSharp = 1;

#pragma pack(push, 1)

// One note of a track.
struct displaydata {
    uint32_t start;      // note-on time, ticks
    uint32_t end;        // note-off time, ticks
    uint8_t note;        // 21..108
    uint8_t type;        // notated length: 0 whole .. 5 thirty-second
    uint8_t dotted;      // 1 when longer than its plain type
    uint8_t line;        // staff position 0 (C8) .. 51 (A0)
    uint8_t channel;     // 0..15
    uint8_t velocity;    // note-on velocity
    int32_t accidental;  // kNoAccidental, kFlat or kSharp
    uint32_t onMsg;      // packed note-on
    uint32_t offMsg;     // packed note-off
    uint8_t closed;      // 1 once the note-off has been read from a file
};

// One tempo change; tempo in quarter notes per second (2.0 is 120 BPM).
struct tempodata {
    uint32_t time;
    float tempo;
};

// One controller event or program change.
struct eventdata {
    uint32_t time;
    uint32_t msg;    // packed short message
    uint32_t track;  // 0..31
};

// One lyric or text syllable.
struct lyric {
    uint32_t time;
    char text[kLyricTextSize];
    uint32_t track;
};

// One pending note-off of the player.
struct noteoffdata {
    uint32_t time;  // due time, ticks
    uint32_t msg;   // packed note-off
};

#pragma pack(pop)

// The song state is held in memory only and never written byte for byte, so
// it keeps natural alignment: its counters are used through references all
// over the program, which a packed record would make misaligned.
struct songdata {
    char fileName[kPathSize];
    char saveName[kPathSize];
    uint32_t playIndex[kTracks];
    uint32_t noteCount[kTracks];
    uint32_t clipCount;
    uint32_t lyricSum;
    uint32_t bar;
    uint8_t track;
    uint8_t channel;
    uint8_t lyricTrack;
    uint8_t trackChannel[kTracks];
    uint8_t channelProgram[kChannels];
    uint32_t barTicks;
    uint32_t snapSetting;
    uint32_t gridSetting;
    uint32_t staffBars;
    uint32_t tsNumerator;
    uint32_t tsDenominator;  // as a note value (4 = quarter), not a power of two
    uint32_t ts32nds;
    uint32_t division;  // ticks per quarter note
    uint32_t tsClocks;
    uint32_t editFlag;
    uint32_t velocity;
    int32_t symbolType;
    uint32_t dot;
    uint32_t noteType;
    uint32_t noteMode;
    uint32_t storeEnable;
    uint32_t playState;  // 0 stopped, 1 Play, 2 Play All
    uint32_t changed;
    uint32_t lyricTotal;
    uint32_t lyricCount[kTracks];
    uint32_t pgmTotal;
    uint32_t pgmIndex;
    uint32_t tempoTotal;
    uint32_t tempoIndex;
    uint32_t eventTotal;
    uint32_t eventIndex;
    uint32_t markTime;
    uint32_t songEnd;
    uint32_t now;
    uint32_t channelMute[kChannels];
    int32_t soloChannel;
    uint32_t masterLock;
    int8_t keySharps;
    uint8_t keyMinor;
};

static_assert(sizeof(displaydata) == 27);
static_assert(sizeof(tempodata) == 8);
static_assert(sizeof(eventdata) == 12);
static_assert(sizeof(lyric) == 69);
static_assert(sizeof(noteoffdata) == 8);

// The song state and the tables. The tables are allocated by Startup and
// released by Shutdown; their counts live in sd.
extern songdata sd;
extern displaydata* dd[kTracks];  // kNotesPerTrack each
extern displaydata* ebuff;        // note clipboard, kClipboardSize
extern uint32_t* bptrs;           // clipboard note indexes, kClipboardSize
extern tempodata* td;             // kTempoAllocated
extern eventdata* ed;             // kEventsAllocated
extern eventdata* pgm;            // kPgmAllocated
extern lyric* lcd;                // kLyricsAllocated
extern noteoffdata* noteoff;      // kNoteOffQueueSize
extern char tn[kTracks][kTrackNameSize];
extern char cpyright[kCopyrightSize];

// The last byte of cpyright: 1 when the song has a copyright notice.
inline char& copyrightSet() {
    return cpyright[kCopyrightSize - 1];
}

// Total bytes that Startup allocates.
std::size_t TableBytes();

// Allocates every table zero-filled, empties fileName and saveName, sets
// clipCount 0, masterLock 1, editFlag 0 and then SetDefaults. Returns false,
// with nothing allocated, when the memory cannot be had; the program must
// then not run.
[[nodiscard]] bool Startup();

// Releases every table. Safe to call without Startup and more than once.
void Shutdown();

// Resets the song to an empty 4/4 song at division 192 and 120 BPM. Tables
// are emptied by their counts alone; the clipboard, the file names, editFlag,
// masterLock and the key signature are kept.
void SetDefaults();

// The packed short messages of the note records and event table.
using midi::MsgChannel;
using midi::MsgData1;
using midi::MsgData2;
using midi::MsgStatus;
using midi::PackMsg;

// Ticks per bar for a time signature: numerator * division * (4 / denominator)
// in single precision, before truncation. The file reader refuses a time
// signature for which this is below 1.
float BarLength(uint32_t numerator, uint32_t denominator, uint32_t division);

// BarLength truncated, never less than 1, so that bar:tick arithmetic can
// always divide by it.
uint32_t BarTicksFor(uint32_t numerator, uint32_t denominator, uint32_t division);

// Bars that one staff page shows: the largest n with 50 + n * 80 * numerator
// below 775, and at least 1.
uint32_t StaffBarsFor(uint32_t numerator);

}  // namespace tw
