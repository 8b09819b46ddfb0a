#pragma once

// The song's undo history. An edit names the parts of the song it is about to
// change; the history copies those parts as they stand, and Undo puts the
// copy back while keeping what it replaced for Redo. A step therefore holds
// one copy of only the tables it touched, never the whole song.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tw {

// One part of what Save writes.
enum class SongPart : uint8_t {
    Notes,       // one track's notes and count
    Tempo,       // the tempo list
    Events,      // the controller list
    Programs,    // the program-change list and the channels' programs
    Lyrics,      // the lyric list, its per-track counts and sums
    TrackNames,  // every track's name
    Copyright,   // the copyright notice
    Settings,    // channels of the tracks, signatures with their places, division
    Kept,        // one track's events that the tables do not hold
};

struct PartRef {
    SongPart part;
    uint8_t track = 0;  // for Notes and Kept
};

class UndoHistory {
public:
    // Oldest steps are dropped beyond either bound.
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = 64u << 20;

    // Opens a step just before an edit changes the song: copies the named
    // parts (and the song end) as they are and discards anything that could
    // be redone. Inside an open step (an edit made of other edits) it only
    // adds the parts not copied yet, and the outer name stays.
    void Begin(const char* name, const std::vector<PartRef>& parts);
    // The open step changed the song.
    void Changed() { stepChanged_ = true; }
    // Closes what Begin opened; an outermost step that changed nothing (a
    // full table, a refusal) is forgotten.
    void End();

    [[nodiscard]] bool CanUndo() const { return done_ > 0; }
    [[nodiscard]] bool CanRedo() const { return done_ < steps_.size(); }

    // The name of the step that Undo or Redo would take: "Paste", "Note Entry".
    [[nodiscard]] const std::string& UndoName() const;
    [[nodiscard]] const std::string& RedoName() const;

    // Each returns false, changing nothing, when there is no such step.
    bool Undo();
    bool Redo();

    // New and Open: a history of another song means nothing.
    void Clear();

    // Save: coming back to this point by Undo or Redo leaves the song unchanged.
    void MarkSaved();

    // Bytes that the steps' copies hold.
    [[nodiscard]] std::size_t Bytes() const { return bytes_; }
    [[nodiscard]] std::size_t Steps() const { return steps_.size(); }

private:
    struct Copy {
        PartRef ref;
        std::vector<std::byte> bytes;
    };
    struct Step {
        std::string name;
        std::vector<Copy> copies;
        uint32_t songEnd = 0;
        std::size_t bytes = 0;
    };

    void Exchange(Step& step);
    void DropOldest();
    void Trim();
    void UpdateChanged();

    std::deque<Step> steps_;
    std::size_t done_ = 0;  // steps applied; steps_[done_ - 1] is the next to undo
    std::size_t bytes_ = 0;
    // The number of applied steps when the song was last saved, or kNever
    // once that state can no longer be reached.
    static constexpr std::size_t kNever = static_cast<std::size_t>(-1);
    std::size_t saved_ = 0;
    Step pending_;  // the step an open edit is filling
    int open_ = 0;
    bool stepChanged_ = false;
};

// The song's one history, used by every edit and every window.
UndoHistory& History();

}  // namespace tw
