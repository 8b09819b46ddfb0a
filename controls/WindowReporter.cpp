#include "controls/WindowReporter.h"

#include "platform/ui/ModalRunner.h"

namespace tw {

void WindowReporter::ShowMessage(const char* text, const char* caption) {
    (void)ui::MessageBox(owner_, text, caption, ui::MbOk);
}

}  // namespace tw
