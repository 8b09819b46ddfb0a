#pragma once

#include <string>

#include "platform/ui/Dialog.h"

namespace tw {

inline constexpr int kCopyRightDialog = 13;
inline constexpr int kCopyrightEdit = 804;

// Edits the song's copyright notice of up to 100 characters. OK stores it
// in cpyright, sets copyrightSet when it is not empty (an emptied field
// removes the notice) and marks the song changed when the notice differs
// from what it was. The close box changes nothing.
class CopyRight : public ui::Dialog {
public:
    explicit CopyRight(ui::Window* parent, int resourceId = kCopyRightDialog);

    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    std::string shown;  // the text the field was given
};

}  // namespace tw
