#include "song/Song.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "song/KeptEvents.h"

namespace tw {

songdata sd;
displaydata* dd[kTracks];
displaydata* ebuff;
uint32_t* bptrs;
tempodata* td;
eventdata* ed;
eventdata* pgm;
lyric* lcd;
noteoffdata* noteoff;
char tn[kTracks][kTrackNameSize];
char cpyright[kCopyrightSize];

namespace {

template <typename T>
T* AllocateZeroed(std::size_t count) {
    T* table = new (std::nothrow) T[count];
    if (table != nullptr) {
        std::memset(static_cast<void*>(table), 0, count * sizeof(T));
    }
    return table;
}

template <typename T>
void Release(T*& table) {
    delete[] table;
    table = nullptr;
}

}  // namespace

std::size_t TableBytes() {
    return kTracks * kNotesPerTrack * sizeof(displaydata) + kClipboardSize * sizeof(displaydata) +
           kClipboardSize * sizeof(uint32_t) + kTempoAllocated * sizeof(tempodata) +
           kEventsAllocated * sizeof(eventdata) + kPgmAllocated * sizeof(eventdata) +
           kLyricsAllocated * sizeof(lyric) + kNoteOffQueueSize * sizeof(noteoffdata);
}

bool Startup() {
    Shutdown();
    sd.fileName[0] = '\0';
    sd.saveName[0] = '\0';

    bool ok = true;
    for (auto& table : dd) {
        table = AllocateZeroed<displaydata>(kNotesPerTrack);
        ok = ok && table != nullptr;
    }
    ebuff = AllocateZeroed<displaydata>(kClipboardSize);
    bptrs = AllocateZeroed<uint32_t>(kClipboardSize);
    td = AllocateZeroed<tempodata>(kTempoAllocated);
    ed = AllocateZeroed<eventdata>(kEventsAllocated);
    pgm = AllocateZeroed<eventdata>(kPgmAllocated);
    lcd = AllocateZeroed<lyric>(kLyricsAllocated);
    noteoff = AllocateZeroed<noteoffdata>(kNoteOffQueueSize);
    ok = ok && ebuff && bptrs && td && ed && pgm && lcd && noteoff;
    if (!ok) {
        Shutdown();
        return false;
    }

    sd.clipCount = 0;
    sd.masterLock = 1;
    sd.editFlag = 0;
    SetDefaults();
    return true;
}

void Shutdown() {
    for (auto& table : dd) {
        Release(table);
    }
    Release(ebuff);
    Release(bptrs);
    Release(td);
    Release(ed);
    Release(pgm);
    Release(lcd);
    Release(noteoff);
}

void SetDefaults() {
    kept.Clear();
    for (int t = 0; t < kTracks; ++t) {
        sd.playIndex[t] = 0;
        sd.noteCount[t] = 0;
        sd.trackChannel[t] = 0;
        sd.lyricCount[t] = 0;
        std::snprintf(tn[t], kTrackNameSize, "Track %d", t + 1);
    }
    for (int c = 0; c < kChannels; ++c) {
        sd.channelProgram[c] = 0;
        sd.channelMute[c] = 0;
    }
    sd.lyricSum = 0;
    sd.bar = 0;
    sd.track = 0;
    sd.channel = 0;
    sd.lyricTrack = 0;
    sd.barTicks = 768;
    sd.snapSetting = 2;
    sd.gridSetting = 4;
    sd.staffBars = 2;
    sd.tsNumerator = 4;
    sd.tsDenominator = 4;
    sd.ts32nds = 8;
    sd.division = 192;
    sd.tsClocks = 36;
    sd.velocity = 127;
    sd.symbolType = kNoAccidental;
    sd.dot = 0;
    sd.noteType = 2;
    sd.noteMode = 0;
    sd.storeEnable = 1;
    sd.playState = 0;
    sd.changed = 0;
    sd.lyricTotal = 0;
    sd.pgmTotal = 0;
    sd.pgmIndex = 0;
    sd.tempoTotal = 1;
    sd.tempoIndex = 0;
    sd.eventTotal = 0;
    sd.eventIndex = 0;
    sd.markTime = 0;
    sd.songEnd = 0;
    sd.now = 0;
    sd.soloChannel = -1;

    if (td != nullptr) {
        td[0] = tempodata{0, 2.0f};
    }
    std::memset(cpyright, 0, sizeof cpyright);
}

float BarLength(uint32_t numerator, uint32_t denominator, uint32_t division) {
    const float perQuarter = 4.0f / static_cast<float>(denominator);
    return static_cast<float>(numerator) * static_cast<float>(division) * perQuarter;
}

uint32_t BarTicksFor(uint32_t numerator, uint32_t denominator, uint32_t division) {
    const float length = BarLength(numerator, denominator, division);
    if (!(length >= 1.0f) || std::isinf(length)) {
        return 1;  // also the NaN or infinity of a zero denominator
    }
    constexpr float kLargest = 4294967040.0f;  // the largest float below 2^32
    return length >= kLargest ? static_cast<uint32_t>(kLargest) : static_cast<uint32_t>(length);
}

uint32_t StaffBarsFor(uint32_t numerator) {
    const uint64_t barWidth = 80ull * numerator;
    uint32_t bars = 1;
    while (barWidth > 0 && 50 + (bars + 1) * barWidth < 775) {
        ++bars;
    }
    return bars;
}

}  // namespace tw
