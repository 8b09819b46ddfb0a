#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/midi/SoundFont.h"

namespace tw::midi {
namespace {

namespace fs = std::filesystem;

class SoundFontSearch : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("tw-sf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    void Touch(const fs::path& relative) {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative) << "x";
    }

    fs::path root;
};

TEST_F(SoundFontSearch, TheDefaultGmSf2ComesFirstThenTheDefaultGmSf3) {
    Touch("sf3/default-GM.sf3");
    Touch("a/aaa.sf2");
    EXPECT_EQ(FindSoundFont(root.string()), (root / "sf3/default-GM.sf3").string());
    Touch("sf2/default-GM.sf2");
    EXPECT_EQ(FindSoundFont(root.string()), (root / "sf2/default-GM.sf2").string());
}

TEST_F(SoundFontSearch, OtherwiseTheFirstSoundFontInPathOrderAnywhereBelow) {
    Touch("z/deep/er/last.sf3");
    Touch("m/TimGM6mb.sf2");
    Touch("a/readme.txt");
    EXPECT_EQ(FindSoundFont(root.string()), (root / "m/TimGM6mb.sf2").string());
}

TEST_F(SoundFontSearch, NoSoundFontOrNoDirectoryGivesNothing) {
    Touch("sf2/readme.txt");
    fs::create_directories(root / "sf3/default-GM.sf3");  // a directory, not a file
    EXPECT_EQ(FindSoundFont(root.string()), "");
    EXPECT_EQ(FindSoundFont((root / "missing").string()), "");
}

}  // namespace
}  // namespace tw::midi
