#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "controls/VU.h"
#include "platform/ui/TestHost.h"

// The level meter of a mixer strip.

namespace tw {
namespace {

using test::TestHost;

TEST(VU, VelocitiesLightFourStepsOfTheBarFromTheBottom) {
    TestHost host;
    auto* vu = new VU(&host, -1, 10, 10, 12, 30);
    host.Open();
    const std::vector<std::pair<int, int>> tops = {{15, 29}, {16, 22}, {90, 8}, {-5, 29}, {300, 1}};
    for (const auto& [velocity, top] : tops) {
        vu->SetPosition(velocity);
        EXPECT_EQ(vu->LevelTop(), top) << velocity;
    }
}

}  // namespace
}  // namespace tw
