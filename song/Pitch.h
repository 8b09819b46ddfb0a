#pragma once

// The pitch rule: a note's staff position and accidental follow from its
// number alone. The 52 white keys from C8 (position 0) down to A0 (51) take
// consecutive positions; C sharp and F sharp share the position of the white
// key below and are written sharp; E flat, A flat and B flat share the
// position of the white key above and are written flat. The staff draws from
// these tables and the file reader stores notes through them.

#include <array>
#include <cstdint>

#include "song/Song.h"

namespace tw {

inline constexpr int kNaturalCount = 52;
inline constexpr int kSharpCount = 14;
inline constexpr int kFlatCount = 22;
inline constexpr int kKeyCount = 88;  // notes 21..108

namespace pitch_detail {

enum class Spelling { Natural, Sharp, Flat };

// Pitch classes from C: C C# D Eb E F F# G Ab A Bb B.
constexpr Spelling SpellingOf(int note) {
    constexpr Spelling kByClass[12] = {Spelling::Natural, Spelling::Sharp,   Spelling::Natural,
                                       Spelling::Flat,    Spelling::Natural, Spelling::Natural,
                                       Spelling::Sharp,   Spelling::Natural, Spelling::Flat,
                                       Spelling::Natural, Spelling::Flat,    Spelling::Natural};
    return kByClass[note % 12];
}

// Walks from C8 downwards: every white key takes the next position, a sharp
// the position of the natural below it, a flat that of the natural above it.
constexpr std::array<int32_t, kKeyCount> MakeNoteLines() {
    std::array<int32_t, kKeyCount> lines{};
    int32_t position = -1;
    for (int note = kHighestNote; note >= kLowestNote; --note) {
        const Spelling spelling = SpellingOf(note);
        if (spelling == Spelling::Natural) {
            ++position;
        }
        lines[note - kLowestNote] = spelling == Spelling::Sharp ? position + 1 : position;
    }
    return lines;
}

template <std::size_t N>
constexpr std::array<int32_t, N> NotesSpelled(Spelling spelling) {
    std::array<int32_t, N> notes{};
    std::size_t n = 0;
    for (int note = kHighestNote; note >= kLowestNote; --note) {
        if (SpellingOf(note) == spelling) {
            notes[n++] = note;
        }
    }
    return notes;
}

}  // namespace pitch_detail

// Staff position of each note, indexed by note - 21.
inline constexpr std::array<int32_t, kKeyCount> notelines = pitch_detail::MakeNoteLines();
// The natural note at each staff position, 108 down to 21.
inline constexpr std::array<int32_t, kNaturalCount> naturalnotes =
    pitch_detail::NotesSpelled<kNaturalCount>(pitch_detail::Spelling::Natural);
// Every C sharp and F sharp, descending.
inline constexpr std::array<int32_t, kSharpCount> sharpnotes =
    pitch_detail::NotesSpelled<kSharpCount>(pitch_detail::Spelling::Sharp);
// Every E flat, A flat and B flat, descending.
inline constexpr std::array<int32_t, kFlatCount> flatnotes =
    pitch_detail::NotesSpelled<kFlatCount>(pitch_detail::Spelling::Flat);

// Staff position of a note 21..108.
constexpr uint8_t NoteLine(uint8_t note) {
    return static_cast<uint8_t>(notelines[note - kLowestNote]);
}

// kNoAccidental, kFlat or kSharp for a note 21..108.
constexpr int32_t NoteAccidental(uint8_t note) {
    switch (pitch_detail::SpellingOf(note)) {
        case pitch_detail::Spelling::Sharp:
            return kSharp;
        case pitch_detail::Spelling::Flat:
            return kFlat;
        default:
            return kNoAccidental;
    }
}

static_assert(notelines.front() == 51 && notelines.back() == 0);
static_assert(naturalnotes.front() == 108 && naturalnotes.back() == 21);
static_assert(sharpnotes.front() == 102 && sharpnotes.back() == 25);
static_assert(flatnotes.front() == 106 && flatnotes.back() == 22);

}  // namespace tw
