#include "dialogs/SetVoices.h"

#include "platform/ui/ListBox.h"
#include "song/Song.h"
#include "song/Voices.h"

namespace tw {

namespace {

uint8_t* CurrentProgram() {
    return sd.channel < kChannels ? &sd.channelProgram[sd.channel] : nullptr;
}

}  // namespace

SetVoices::SetVoices(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {}

// The entry is found by its name, so a program that names no instrument
// (a byte above 127) selects the first one: OK always stores 0..127.
void SetVoices::SetupWindow() {
    Dialog::SetupWindow();
    ui::ListBox* list = Item<ui::ListBox>(kVoiceList);
    if (list == nullptr) {
        return;
    }
    list->ClearList();
    for (const char* voice : Voices) {
        list->AddString(voice);
    }
    const uint8_t* program = CurrentProgram();
    int index =
        program != nullptr && *program < kVoiceCount ? list->FindExactString(Voices[*program]) : -1;
    if (index < 0) {
        index = 0;
    }
    list->SetSelIndex(index);
    list->SetCaretIndex(index);
}

bool SetVoices::CanClose() {
    const ui::ListBox* list = Item<ui::ListBox>(kVoiceList);
    uint8_t* program = CurrentProgram();
    if (list != nullptr && program != nullptr && list->GetSelIndex() >= 0) {
        *program = static_cast<uint8_t>(list->GetSelIndex());
    }
    return true;
}

}  // namespace tw
