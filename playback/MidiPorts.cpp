#include "playback/MidiPorts.h"

#include "platform/midi/Outputs.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ModalRunner.h"

namespace tw {

namespace {
MidiPorts::DeviceLister deviceLister;
}

MidiPorts::MidiPorts(ui::Window* parent, int resourceId) : Dialog(parent, resourceId) {}

void MidiPorts::SetDeviceLister(DeviceLister lister) {
    deviceLister = std::move(lister);
}

void MidiPorts::TellUnopenedPort(ui::Window* owner) {
    if (TakeUntoldOpenFailure()) {
        const std::size_t devices =
            deviceLister ? deviceLister().size() : midi::OutputDeviceNames().size();
        (void)ui::MessageBox(owner, UnopenedPortText(devices), "Midi Port");
    }
}

const ui::ResponseTable& MidiPorts::Table() {
    static constexpr ui::ResponseEntry entries[] = {
        ui::OnChildNotify<&MidiPorts::UpdatePortData>(kPortListBox, ui::ListBox::SelChange)};
    static const ui::ResponseTable table{&Dialog::Table(), entries};
    return table;
}

void MidiPorts::SetupWindow() {
    Dialog::SetupWindow();
    LoadData();
}

void MidiPorts::LoadData() {
    ui::ListBox* list = Item<ui::ListBox>(kPortListBox);
    if (list == nullptr) {
        return;
    }
    ports = PortList(deviceLister ? deviceLister() : midi::OutputDeviceNames());
    list->ClearList();
    for (const std::string& entry : ports.Entries()) {
        list->AddString(entry);
    }
    const int selected = ports.SelectedIndex(md);
    list->SetSelIndex(selected);
    if (selected >= 0) {
        list->SetCaretIndex(selected);
    }
    ports.ShowSelection(md);
}

void MidiPorts::UpdatePortData() {
    if (const ui::ListBox* list = Item<ui::ListBox>(kPortListBox); list != nullptr) {
        ports.Choose(list->GetCaretIndex(), md);
    }
}

}  // namespace tw
