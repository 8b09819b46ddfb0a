#include <gtest/gtest.h>

#include "platform/midi/SoundFont.h"
#include "tests/support/TempDir.h"

namespace tw::midi {
namespace {

TEST(SoundFontSearch, TheDefaultGmSf2ThenSf3ThenTheFirstSoundFontBelowInPathOrder) {
    const test::TempDir root;
    const std::string top = root.path().string();
    auto touch = [&](const std::string& relative) {
        std::filesystem::create_directories(std::filesystem::path(root / relative).parent_path());
        std::ofstream(root / relative) << "x";
        return root / relative;
    };
    EXPECT_EQ(FindSoundFont(top), "");
    touch("a/readme.txt");
    std::filesystem::create_directories(root / "sf3/default-GM.sf3");  // a directory, not a file
    EXPECT_EQ(FindSoundFont(top), "");
    touch("z/deep/er/last.sf3");
    EXPECT_EQ(FindSoundFont(top), touch("m/TimGM6mb.sf2"));
    std::filesystem::remove(root / "sf3/default-GM.sf3");
    EXPECT_EQ(FindSoundFont(top), touch("sf3/default-GM.sf3"));
    EXPECT_EQ(FindSoundFont(top), touch("sf2/default-GM.sf2"));
    EXPECT_EQ(FindSoundFont(root / "missing"), "");
}

}  // namespace
}  // namespace tw::midi
