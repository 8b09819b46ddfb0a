#include "cli/SongText.h"

#include <cstdio>
#include <cstring>

#include "song/Song.h"

namespace tw::cli {

std::string Quoted(const char* text) {
    std::string quoted = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\') {
            quoted += '\\';
            quoted += *c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            quoted += *c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            quoted += escaped;
        }
    }
    return quoted + "\"";
}

std::string KeySignatureText(int8_t sharps, uint8_t minor) {
    const int count = sharps < 0 ? -sharps : sharps;
    std::string text;
    if (count == 0) {
        text = "no sharps or flats";
    } else {
        text = std::to_string(count) + (sharps > 0 ? " sharp" : " flat") + (count > 1 ? "s" : "");
    }
    return text + (minor != 0 ? ", minor" : ", major");
}

bool HasOwnName(int track) {
    char fresh[kTrackNameSize];
    std::snprintf(fresh, sizeof fresh, "Track %d", track + 1);
    return tn[track][0] != '\0' && std::strncmp(tn[track], fresh, kTrackNameSize) != 0;
}

}  // namespace tw::cli
