#include "cli/FileMessages.h"

#include <cstdint>

#include "smf/FileErrors.h"

namespace tw::cli {
namespace {

void Count(std::string& line, uint32_t count, const char* one, const char* many) {
    if (count == 0) {
        return;
    }
    line += line.empty() ? "" : ", ";
    line += std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string LoadErrorLine(const char* path, int code) {
    return std::string(path) + ": Load error = " + std::to_string(code) + " (" +
           LoadErrorCause(path, code) + ")";
}

std::string SaveErrorLine(const char* path, int code) {
    return std::string(path) + ": Save error = " + std::to_string(code) + " (" +
           SaveErrorCause(path, code) + ")";
}

std::string LeftOutLine(const char* path, const LeftOut& left) {
    std::string items;
    Count(items, left.pitchBends, "pitch bend", "pitch bends");
    Count(items, left.aftertouch, "aftertouch message", "aftertouch messages");
    Count(items, left.otherControllers,
          "controller event other than volume, pan, reverb and chorus",
          "controller events other than volume, pan, reverb and chorus");
    Count(items, left.systemExclusive, "system exclusive message", "system exclusive messages");
    Count(items, left.tracksBeyond32, "track beyond 32", "tracks beyond 32");
    Count(items, left.textsReplaced, "text replaced by a later text at the same time",
          "texts replaced by a later text at the same time");
    Count(items, left.notesReplaced, "note replaced by a later one on the same staff line",
          "notes replaced by later ones on the same staff line");
    Count(items, left.notesOutOfRange, "note outside A0 to C8", "notes outside A0 to C8");
    if (items.empty()) {
        return items;
    }
    return std::string(path) + ": left out, as the song tables cannot hold them: " + items;
}

}  // namespace tw::cli
