#pragma once

#include <cstring>
#include <string>

#include "smf/Progress.h"
#include "smf/SongFile.h"
#include "song/Reporter.h"
#include "song/Song.h"
#include "song/Tables.h"
#include "tests/support/SongFixture.h"

namespace tw::test {

// Makes a song file the way a user would: notes, programs and controllers
// entered into a new song (division 192, 120 BPM), then File Save.
class SongMaker {
public:
    SongMaker() { ok_ = Startup(); }
    ~SongMaker() { Shutdown(); }
    SongMaker(const SongMaker&) = delete;
    SongMaker& operator=(const SongMaker&) = delete;

    void Note(uint32_t track, uint8_t channel, uint8_t key, uint32_t start, uint32_t end,
              uint8_t velocity = 100) {
        ok_ = ok_ &&
              AddNote(reporter_, track, MakeNote(start, end, key, channel, velocity)) == kStored;
    }
    void Program(uint32_t track, uint8_t channel, uint32_t time, uint8_t program) {
        ok_ = ok_ && UpdatePgmData(reporter_, {time, PackMsg(0xC0 | channel, program, 0), track}) ==
                         kStored;
    }
    void Controller(uint32_t track, uint8_t channel, uint32_t time, uint8_t number, uint8_t value) {
        ok_ = ok_ && UpdateEventData(reporter_, {time, PackMsg(0xB0 | channel, number, value),
                                                 track}) == kStored;
    }

    // True when every entry was stored and the file written.
    [[nodiscard]] bool Save(const std::string& path) {
        NoProgress progress;
        std::strncpy(sd.saveName, path.c_str(), kPathSize - 1);
        return ok_ && path.size() < kPathSize && SaveFile(reporter_, progress) == 0;
    }

private:
    SilentReporter reporter_;
    bool ok_ = false;
};

}  // namespace tw::test
