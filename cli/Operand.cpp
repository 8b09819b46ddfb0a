#include "cli/Operand.h"

namespace tw::cli {

bool ParseNumber(const char* text, uint32_t max, uint32_t& value) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    uint64_t number = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') {
            return false;
        }
        number = number * 10 + static_cast<uint64_t>(*c - '0');
        if (number > max) {
            return false;
        }
    }
    value = static_cast<uint32_t>(number);
    return true;
}

}  // namespace tw::cli
