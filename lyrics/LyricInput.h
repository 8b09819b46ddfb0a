#pragma once

#include <string>

#include "platform/ui/Dialog.h"

namespace tw {

inline constexpr int kLyricInputDialog = 9;
inline constexpr int kLyricEdit = 620;
inline constexpr int kLyricTime = 635;

// The "Enter Lyric" dialog: shows the time of templyric and edits its text
// (at most 60 bytes). OK stores the text in templyric and marks the song
// changed; Cancel and the close box leave templyric as it was. The caller
// fills templyric before Execute and reads it back on IdOk.
class LyricInput : public ui::Dialog {
public:
    explicit LyricInput(ui::Window* parent, int resourceId = kLyricInputDialog);

    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    std::string shown;  // the text the field was given
};

}  // namespace tw
