#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "song/Reporter.h"
#include "song/Song.h"

namespace tw::test {

// Records what core code would have shown the user.
class RecordingReporter : public Reporter {
public:
    struct Message {
        std::string text;
        std::string caption;
    };

    void ShowMessage(const char* text, const char* caption) override {
        messages.push_back({text, caption});
    }
    void SongEndChanged() override { ++songEndChanges; }

    std::vector<Message> messages;
    int songEndChanges = 0;
};

// Every test starts from freshly allocated, reset tables.
class SongFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Startup()); }
    void TearDown() override { Shutdown(); }

    RecordingReporter reporter;
};

}  // namespace tw::test
