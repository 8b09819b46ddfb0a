#include <gtest/gtest.h>

#include <string>

#include "controls/Display.h"
#include "platform/ui/MouseInput.h"
#include "platform/ui/TestHost.h"

namespace tw {
namespace {

using test::Notifications;
using test::TestHost;
using ui::MouseInput;

TEST(Display, AnActiveDisplayIsASpinFieldSplitAtItsCentreLine) {
    TestHost host;
    auto* bar = new Display(&host, 401, 40, 8, 40, 20, 1, 0);
    auto* notes = new Display(&host, -1, 40, 40, 40, 20, 0, 0);
    host.Open();
    MouseInput::Click(*bar, {20, 10});  // exactly on the centre line: upper half
    MouseInput::Click(*bar, {5, 0});
    MouseInput::Click(*bar, {5, 11});
    MouseInput::Click(*bar, {39, 19});
    MouseInput::Click(*bar, {20, 3}, MouseInput::Button::Right);
    MouseInput::Click(*notes, {20, 5});  // an inactive display ignores both buttons
    MouseInput::Click(*notes, {20, 15}, MouseInput::Button::Right);
    // Setting the text sends nothing; it is cut to 50 characters.
    bar->SetDisplayString(std::string(70, 'x').c_str());
    EXPECT_EQ(bar->Text(), std::string(50, 'x'));
    bar->SetDisplayString(nullptr);
    EXPECT_EQ(bar->Text(), "");
    EXPECT_EQ(host.received,
              (Notifications{{401, 1, 0}, {401, 1, 0}, {401, 0, 0}, {401, 0, 0}, {401, 2, 0}}));
}

}  // namespace
}  // namespace tw
