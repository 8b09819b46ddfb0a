// Builds the demo song that is installed with the program: "Twinkle,
// Twinkle, Little Star" (a traditional tune in the public domain) as a
// karaoke file, entered through the song model's insertion operations and
// written by our own writer, then read back by our own reader.
//
// Usage: MakeDemoSong OUTPUT.kar

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "smf/Progress.h"
#include "smf/SongFile.h"
#include "song/Pitch.h"
#include "song/Reporter.h"
#include "song/Song.h"
#include "song/Tables.h"

namespace tw {
namespace {

constexpr uint32_t kQuarter = 192;  // the new song's division
constexpr uint32_t kBar = 4 * kQuarter;
constexpr uint32_t kBars = 14;  // a bar of introduction, twelve sung, a closing chord

// The first track carries the tune and its words, so that the staff and the
// lyric strip show them as soon as the song is opened; it is also the track
// that the writer gives the tempo changes.
enum Track : uint32_t { kMelody, kBass, kChords, kDrums };
enum Channel : uint8_t { kMelodyCh = 0, kBassCh = 1, kChordsCh = 2, kDrumsCh = 9 };

// Prints what the model or the writer would have shown in a message box.
class PrintingReporter final : public Reporter {
public:
    void ShowMessage(const char* text, const char* caption) override {
        std::fprintf(stderr, "MakeDemoSong: %s: %s\n", caption, text);
    }
};

PrintingReporter reporter;
bool stored = true;

void Note(uint32_t track, uint8_t channel, uint8_t pitch, uint32_t start, uint32_t length,
          uint8_t velocity) {
    displaydata n{};
    n.start = start;
    n.end = start + length;
    n.note = pitch;
    // Notated length: 0 whole, 1 half, 2 quarter, 3 eighth.
    n.type = length >= kBar ? 0 : length >= 2 * kQuarter ? 1 : length >= kQuarter ? 2 : 3;
    n.line = NoteLine(pitch);
    n.accidental = NoteAccidental(pitch);
    n.channel = channel;
    n.velocity = velocity;
    n.onMsg = PackMsg(0x90 | channel, pitch, velocity);
    n.offMsg = PackMsg(0x80 | channel, pitch, 0);
    n.closed = 1;
    stored = stored && AddNote(reporter, track, n) == kStored;
}

void Lyric(uint32_t time, const char* text) {
    lyric entry{};
    entry.time = time;
    std::snprintf(entry.text, sizeof entry.text, "%s", text);
    entry.track = kMelody;
    stored = stored && UpdateLyricData(reporter, entry) == kStored;
}

void Controller(uint32_t track, uint8_t channel, uint8_t number, uint8_t value) {
    stored = stored && UpdateEventData(
                           reporter, {0, PackMsg(0xB0 | channel, number, value), track}) == kStored;
}

void Program(uint32_t track, uint8_t channel, uint32_t time, uint8_t program) {
    stored = stored &&
             UpdatePgmData(reporter, {time, PackMsg(0xC0 | channel, program, 0), track}) == kStored;
}

// Two bars of the tune: seven notes, the last one a half note, one syllable
// each. The karaoke marks "\" (new verse) and "/" (new line) lead a line.
struct Phrase {
    uint8_t pitch[7];
    const char* syllable[7];
};

constexpr uint8_t C = 72, D = 74, E = 76, F = 77, G = 79, A = 81;

constexpr Phrase kTune[6] = {
    {{C, C, G, G, A, A, G}, {"\\Twin", "kle, ", "twin", "kle, ", "lit", "tle ", "star, "}},
    {{F, F, E, E, D, D, C}, {"/How ", "I ", "won", "der ", "what ", "you ", "are. "}},
    {{G, G, F, F, E, E, D}, {"\\Up ", "a", "bove ", "the ", "world ", "so ", "high, "}},
    {{G, G, F, F, E, E, D}, {"/Like ", "a ", "dia", "mond ", "in ", "the ", "sky. "}},
    {{C, C, G, G, A, A, G}, {"\\Twin", "kle, ", "twin", "kle, ", "lit", "tle ", "star, "}},
    {{F, F, E, E, D, D, C}, {"/How ", "I ", "won", "der ", "what ", "you ", "are."}},
};

void AddTune() {
    Lyric(0, "@KMIDI KARAOKE FILE");
    Lyric(kQuarter, "@TTwinkle, Twinkle, Little Star");
    Lyric(2 * kQuarter, "@TTraditional");
    uint32_t t = kBar;
    for (const Phrase& phrase : kTune) {
        for (int i = 0; i < 7; ++i) {
            const uint32_t length = i == 6 ? 2 * kQuarter : kQuarter;
            Note(kMelody, kMelodyCh, phrase.pitch[i], t, length, 100);
            Lyric(t, phrase.syllable[i]);
            t += length;
        }
    }
}

// The harmony of each half bar from the introduction on, C, F or G major;
// the last entry is the closing chord, held for the whole bar.
enum Chord : uint8_t { I, IV, V };
constexpr Chord kHarmony[2 * kBars - 1] = {I, I,  I,  I, IV, I,  IV, I,
                                           V, I,  // introduction and the first four bars
                                           I, IV, I,  V, I,  IV, I,  V,  // the middle four
                                           I, I,  IV, I, IV, I,  V,  I,  // the last four
                                           I};

void AddAccompaniment() {
    constexpr uint8_t kRoot[] = {48, 53, 43};  // C3, F3, G2
    constexpr uint8_t kTriad[][3] = {{60, 64, 67}, {60, 65, 69}, {59, 62, 67}};
    for (uint32_t h = 0; h < 2 * kBars - 1; ++h) {
        const uint32_t t = h * 2 * kQuarter;
        const uint32_t length = h == 2 * kBars - 2 ? kBar : 2 * kQuarter;
        Note(kBass, kBassCh, kRoot[kHarmony[h]], t, length, 90);
        for (uint8_t pitch : kTriad[kHarmony[h]]) {
            Note(kChords, kChordsCh, pitch, t, length, 64);
        }
    }
}

// Bass drum on beats 1 and 3, snare on 2 and 4, closed hi-hat in eighths,
// up to the closing chord, which a crash cymbal marks.
void AddDrums() {
    for (uint32_t beat = 0; beat < 4 * (kBars - 1); ++beat) {
        const uint32_t t = beat * kQuarter;
        Note(kDrums, kDrumsCh, beat % 2 == 0 ? 36 : 38, t, kQuarter / 2, 80);
        Note(kDrums, kDrumsCh, 42, t, kQuarter / 4, 60);
        Note(kDrums, kDrumsCh, 42, t + kQuarter / 2, kQuarter / 4, 45);
    }
    Note(kDrums, kDrumsCh, 49, (kBars - 1) * kBar, kBar, 90);
}

// Instruments and levels at the start; the melody moves from the piano to
// the flute for the middle four bars and back; the last sung bar slows down.
void AddMixerAndTempo() {
    td[0].tempo = 100.0f / 60.0f;
    stored = stored && UpdateTempoData(reporter, {12 * kBar, 80.0f / 60.0f}) == kStored;
    Program(kMelody, kMelodyCh, 0, 0);
    Program(kMelody, kMelodyCh, 5 * kBar, 73);
    Program(kMelody, kMelodyCh, 9 * kBar, 0);
    Program(kBass, kBassCh, 0, 32);
    Program(kChords, kChordsCh, 0, 48);
    Controller(kMelody, kMelodyCh, 7, 110);
    Controller(kMelody, kMelodyCh, 91, 42);
    Controller(kBass, kBassCh, 7, 100);
    Controller(kBass, kBassCh, 10, 52);
    Controller(kChords, kChordsCh, 7, 80);
    Controller(kChords, kChordsCh, 10, 74);
    Controller(kChords, kChordsCh, 91, 63);
    Controller(kDrums, kDrumsCh, 7, 90);
}

void NameTracks() {
    const char* names[] = {"Twinkle, Twinkle, Little Star", "Bass", "Chords", "Drums"};
    for (uint32_t t = 0; t < 4; ++t) {
        std::snprintf(tn[t], kTrackNameSize, "%s", names[t]);
    }
    std::snprintf(cpyright, kCopyrightMaxChars, "Traditional, public domain");
    copyrightSet() = 1;
    sd.trackChannel[kMelody] = kMelodyCh;
    sd.trackChannel[kBass] = kBassCh;
    sd.trackChannel[kChords] = kChordsCh;
    sd.trackChannel[kDrums] = kDrumsCh;
}

// Reads the file back and compares what matters with what was entered.
bool ReadsBack(const char* path) {
    uint32_t notes[kTracks];
    std::memcpy(notes, sd.noteCount, sizeof notes);
    const uint32_t lyrics = sd.lyricTotal, tempos = sd.tempoTotal, programs = sd.pgmTotal,
                   events = sd.eventTotal;
    NoProgress progress;
    const int code = OpenSongFile(path, reporter, progress);
    if (code != 0) {
        std::fprintf(stderr, "MakeDemoSong: %s reads back with load error %d\n", path, code);
        return false;
    }
    const bool same = std::memcmp(notes, sd.noteCount, sizeof notes) == 0 &&
                      lyrics == sd.lyricTotal && tempos == sd.tempoTotal &&
                      programs == sd.pgmTotal && events == sd.eventTotal;
    if (!same) {
        std::fprintf(stderr, "MakeDemoSong: %s reads back with other contents\n", path);
    }
    return same;
}

int Make(const char* path) {
    if (std::strlen(path) >= kPathSize) {
        std::fprintf(stderr, "MakeDemoSong: path too long: %s\n", path);
        return 1;
    }
    NameTracks();
    AddMixerAndTempo();
    AddTune();
    AddAccompaniment();
    AddDrums();
    if (!stored) {
        return 1;
    }
    std::snprintf(sd.saveName, kPathSize, "%s", path);
    NoProgress progress;
    if (const int code = SaveFile(reporter, progress); code != 0) {
        std::fprintf(stderr, "MakeDemoSong: save error %d writing %s\n", code, path);
        return 1;
    }
    if (!ReadsBack(path)) {
        // A file left behind would count as made at the next build.
        std::remove(path);
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace tw

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeDemoSong OUTPUT.kar\n");
        return 2;
    }
    if (!tw::Startup()) {
        std::fprintf(stderr, "MakeDemoSong: not enough memory for the song tables\n");
        return 1;
    }
    const int result = tw::Make(argv[1]);
    tw::Shutdown();
    return result;
}
