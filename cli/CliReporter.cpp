#include "cli/CliReporter.h"

#include <cstdio>

namespace tw::cli {

void CliReporter::ShowMessage(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: ", caption);
    for (const char* c = text; *c != '\0'; ++c) {
        std::fputc(*c == '\n' ? ' ' : *c, stderr);
    }
    std::fputc('\n', stderr);
}

}  // namespace tw::cli
