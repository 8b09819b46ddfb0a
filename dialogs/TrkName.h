#pragma once

#include <string>

#include "platform/ui/Dialog.h"
#include "song/Song.h"

namespace tw {

inline constexpr int kTrkNameDialog = 2;
inline constexpr int kTrackNameEdit = 634;

// Edits a track name of up to 50 characters through transferstring. The
// caller sets transfernumber to 0 and copies the name into transferstring,
// runs the dialog with Execute, and on IdOk (and only then) finds the new
// name in transferstring. Run does all of that for one name.
class TrkName : public ui::Dialog {
public:
    explicit TrkName(ui::Window* parent, int resourceId = kTrkNameDialog);

    // Runs the dialog on name. Returns true when OK was pressed: name then
    // holds what the user confirmed, and the caller shows it and marks the
    // song changed. On false name is as it was.
    [[nodiscard]] static bool Run(ui::Window* parent, char (&name)[kTrackNameSize]);

    bool CanClose() override;

protected:
    void SetupWindow() override;

private:
    std::string shown;  // the text the field was given
};

}  // namespace tw
