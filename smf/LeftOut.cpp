#include "smf/LeftOut.h"

namespace tw {
namespace {

void Count(std::string& line, uint32_t count, const char* one, const char* many) {
    if (count == 0) {
        return;
    }
    line += line.empty() ? "" : ", ";
    line += std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string LeftOutItems(const LeftOut& left) {
    std::string items;
    Count(items, left.velocityOneNoteOns, "note-on of velocity 1 read as a note-off",
          "note-ons of velocity 1 read as note-offs");
    Count(items, left.noteOffVelocities, "note-off velocity", "note-off velocities");
    Count(items, left.textsCut, "text cut at 60 bytes", "texts cut at 60 bytes");
    Count(items, left.namesCut, "track name cut at 50 bytes", "track names cut at 50 bytes");
    Count(items, left.copyrightsCut, "copyright notice cut at 100 bytes",
          "copyright notices cut at 100 bytes");
    Count(items, left.tracksBeyond32, "track beyond 32", "tracks beyond 32");
    return items;
}

}  // namespace tw
