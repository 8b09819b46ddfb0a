#include "mainwin/NoteToolbar.h"

#include <algorithm>
#include <span>

#include "controls/Button2.h"
#include "controls/Display.h"
#include "controls/Pot2.h"
#include "lyrics/LyricBar.h"
#include "mainwin/PanelText.h"
#include "song/Clipboard.h"
#include "song/Edits.h"
#include "song/Song.h"
#include "song/SongLock.h"
#include "song/Tables.h"
#include "song/Transfer.h"
#include "staff/SetNr.h"
#include "staff/Staff.h"

namespace tw {

namespace {

// Lights button i of a group that has one lit at a time and returns it as
// the choice; an index outside the group, or the one already chosen,
// changes nothing.
uint32_t ChooseOne(std::span<Button2* const> group, uint32_t chosen, ui::LParam i) {
    if (i < 0 || i >= static_cast<ui::LParam>(group.size()) || static_cast<uint32_t>(i) == chosen) {
        return chosen;
    }
    if (chosen < group.size()) {
        group[chosen]->SetPosition(0);
    }
    group[static_cast<size_t>(i)]->SetPosition(1);
    return static_cast<uint32_t>(i);
}

}  // namespace

NoteToolbar::NoteToolbar(ui::Window& panel, Reporter& reporter)
    : panel(panel), reporter(reporter) {}

void NoteToolbar::Create() {
    velocityPot = new Pot2(&panel, 701, 430, 50, 30, 25, 1, 15, 0);
    velocityDisplay = new Display(&panel, -1, 375, 47, 36, 17, 0, 0);
    for (int i = 0; i < 6; ++i) {
        noteTypeButton[static_cast<size_t>(i)] =
            new Button2(&panel, 702, 205 + 15 * i, 50, 15, 25, 301 + 2 * i, 302 + 2 * i, 0, i);
    }
    symbolButton[0] = new Button2(&panel, 703, 300, 60, 15, 15, 317, 318, 1, 0);
    symbolButton[1] = new Button2(&panel, 703, 315, 60, 15, 15, 315, 316, 1, 1);
    dotButton = new Button2(&panel, 704, 335, 60, 15, 15, 313, 314, 1, 0);
    lyricTrackDisplay = new Display(&panel, 319, 53, 50, 25, 20, 1, 0);
    lyricCountDisplay = new Display(&panel, -1, 88, 47, 40, 17, 0, 0);
    lyricTotalDisplay = new Display(&panel, -1, 138, 47, 50, 17, 0, 0);
    noteModeButton[0] = new Button2(&panel, 320, 485, 52, 30, 20, 324, 325, 0, 0);
    noteModeButton[1] = new Button2(&panel, 320, 530, 52, 30, 20, 322, 323, 0, 1);
    noteEditButton[0] = new Button2(&panel, 321, 600, 47, 24, 15, 326, 327, 0, 0);
    noteEditButton[1] = new Button2(&panel, 321, 634, 47, 29, 15, 328, 329, 0, 1);
    noteEditButton[2] = new Button2(&panel, 321, 673, 47, 33, 15, 330, 331, 0, 2);
    storeButton = new Button2(&panel, 332, 740, 47, 41, 15, 333, 334, 1, 0);
}

void NoteToolbar::SetFirstTexts() {
    lyricTrackDisplay->SetDisplayString("01");
    lyricCountDisplay->SetDisplayString("0000");
    lyricTotalDisplay->SetDisplayString("0000");
    velocityDisplay->SetDisplayString("127");
}

void NoteToolbar::SetFirstPositions() {
    velocityPot->SetRange(0, 127);
    velocityPot->SetPosition(127);
    noteTypeButton[2]->SetPosition(1);
    noteModeButton[0]->SetPosition(1);
    storeButton->SetPosition(1);
}

void NoteToolbar::ShowStartUp() {
    storeButton->SetPosition(sd.storeEnable != 0 ? 1 : 0);
    for (size_t i = 0; i < noteTypeButton.size(); ++i) {
        noteTypeButton[i]->SetPosition(i == sd.noteType ? 1 : 0);
    }
    for (size_t i = 0; i < 2; ++i) {
        symbolButton[i]->SetPosition(static_cast<int32_t>(i) == sd.symbolType ? 1 : 0);
        noteModeButton[i]->SetPosition(i == sd.noteMode ? 1 : 0);
    }
    dotButton->SetPosition(sd.dot != 0 ? 1 : 0);
    velocityPot->SetPosition(sd.velocity);
}

void NoteToolbar::SetVelocity(ui::WParam value) {
    sd.velocity = static_cast<uint32_t>(std::min<ui::WParam>(value, 127));
    velocityDisplay->SetDisplayString(PanelText("%03d", sd.velocity).c_str());
}

void NoteToolbar::SetStoreEnable(ui::WParam state) {
    sd.storeEnable = state != 0 ? 1 : 0;
}

// Cut and copy need both markers; paste needs notes on the clipboard and
// only arms (or disarms) the next right click on the staff.
bool NoteToolbar::NoteEdit(ui::WParam state, ui::LParam i, Staff& staff) {
    bool cut = false;
    if (i == 0 || i == 1) {
        uint32_t start = 0;
        uint32_t end = 0;
        if (staff.GetEditStatus(&start, &end) == 0) {
            return false;
        }
        CopyNotes(start, end);
        if (i == 0) {
            (void)CutMarkedNotes();
            cut = true;
        }
        staff.ClearMarkers();
    } else if (i == 2 && sd.clipCount != 0) {
        const int armed = state == 1 ? 0 : 1;
        sd.editFlag = static_cast<uint32_t>(armed);
        noteEditButton[2]->SetPosition(armed);
    }
    return cut;
}

void NoteToolbar::PasteDone() {
    noteEditButton[2]->SetPosition(0);
    sd.editFlag = 0;
}

void NoteToolbar::ChooseMode(ui::LParam i) {
    sd.noteMode = ChooseOne(noteModeButton, sd.noteMode, i);
}

void NoteToolbar::ChooseType(ui::LParam i) {
    sd.noteType = ChooseOne(noteTypeButton, sd.noteType, i);
}

void NoteToolbar::ChooseSymbol(ui::LParam i) {
    if (i < 0 || i >= static_cast<ui::LParam>(symbolButton.size())) {
        return;
    }
    const auto chosen = static_cast<int32_t>(i);
    if (chosen == sd.symbolType) {
        symbolButton[static_cast<size_t>(i)]->SetPosition(0);
        sd.symbolType = kNoAccidental;
        return;
    }
    if (sd.symbolType >= 0 && sd.symbolType < static_cast<int32_t>(symbolButton.size())) {
        symbolButton[static_cast<size_t>(sd.symbolType)]->SetPosition(0);
    }
    sd.symbolType = chosen;
    symbolButton[static_cast<size_t>(i)]->SetPosition(1);
}

void NoteToolbar::SetDot(ui::WParam state) {
    sd.dot = state != 0 ? 1 : 0;
}

void NoteToolbar::LyricEdited(ui::WParam code) {
    if (code == 0) {
        // A full table is reported by the insertion; the lyric is then lost.
        (void)StoreLyric(reporter, templyric);
    }
    lyricCountDisplay->SetDisplayString(PanelText("%04d", sd.lyricCount[sd.lyricTrack]).c_str());
    UpdateLyricTotal();
}

void NoteToolbar::UpdateLyricTotal() {
    lyricTotalDisplay->SetDisplayString(PanelText("%04d", UpdateLyricSum()).c_str());
}

void NoteToolbar::StepLyricTrack(ui::WParam code, LyricBar& lyricBar) {
    if (SongPlaying()) {
        return;
    }
    if (code == 0 && sd.lyricTrack > 0) {
        --sd.lyricTrack;
    } else if (code == 1 && sd.lyricTrack < kTracks - 1) {
        ++sd.lyricTrack;
    } else if (code == 2) {
        transfernumber = kSetNrLyricTrack;
        SetNr dialog(&panel);
        if (dialog.Execute() != ui::IdOk) {
            return;
        }
        sd.lyricTrack = static_cast<uint8_t>(std::clamp(transfernumber, 1, kTracks) - 1);
    } else {
        return;
    }
    ShowLyricTrack(lyricBar);
}

void NoteToolbar::ShowLyricTrack(LyricBar& lyricBar) {
    lyricTrackDisplay->SetDisplayString(PanelText("%02d", sd.lyricTrack + 1u).c_str());
    lyricCountDisplay->SetDisplayString(PanelText("%04d", sd.lyricCount[sd.lyricTrack]).c_str());
    lyricBar.Refresh();
}

}  // namespace tw
