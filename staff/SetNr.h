#pragma once

#include "platform/ui/Dialog.h"

namespace tw {

inline constexpr int kSetNrDialog = 1;
inline constexpr int kSetNrEdit = 601;
inline constexpr int kSetNrPrompt = 602;

// What the number dialog asks for, passed in transfernumber.
inline constexpr int kSetNrBar = 0;
inline constexpr int kSetNrTrack = 1;
inline constexpr int kSetNrChannel = 2;
inline constexpr int kSetNrLyricTrack = 3;

// The one-number entry dialog. The caller stores the mode in transfernumber,
// builds the dialog, runs it with Execute, and on IdOk reads the number from
// transfernumber: a bar 0..9999, or a track, channel or lyric track counted
// from 1 (1..32, 1..16, 1..32). It never rejects what was typed: a negative
// or non-numeric entry gives 0, and the 1-based modes clamp into their
// range. On Cancel transfernumber still holds the mode.
class SetNr : public ui::Dialog {
public:
    explicit SetNr(ui::Window* parent, int resourceId = kSetNrDialog);

    int Mode() const { return mode; }
    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    int mode;
};

}  // namespace tw
