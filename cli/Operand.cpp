#include "cli/Operand.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

bool SameFile(const char* a, const char* b) {
    struct stat first {};
    struct stat second {};
    return stat(a, &first) == 0 && stat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

OperandReader::OperandReader(const char* command, Operands operands,
                             std::initializer_list<const char*> names)
    : command_(command), operands_(operands), names_(names) {}

bool OperandReader::Next() {
    if (next_ >= operands_.size()) {
        return false;
    }
    current_ = operands_[next_++];
    return true;
}

bool OperandReader::Is(const char* option) const {
    return std::strcmp(current_, option) == 0;
}

const char* OperandReader::Value() {
    if (next_ >= operands_.size()) {
        static_cast<void>(Refuse(std::string(current_) + " needs a value"));
        return nullptr;
    }
    return operands_[next_++];
}

bool OperandReader::Text(const char*& value) {
    value = Value();
    return value != nullptr;
}

bool OperandReader::Number(uint32_t min, uint32_t max, const char* what, uint32_t& value) {
    const char* option = current_;
    const char* text = Value();
    if (text == nullptr) {
        return false;
    }
    if (!ParseNumber(text, max, value) || value < min) {
        return Refuse(std::string(option) + " takes " + what + ", not \"" + text + "\"");
    }
    return true;
}

bool OperandReader::Decimal(double min, double max, const char* what, double& value) {
    const char* option = current_;
    const char* text = Value();
    if (text == nullptr) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    if (*text == '\0' || *end != '\0' || errno != 0 || !std::isfinite(value) || value < min ||
        value > max) {
        return Refuse(std::string(option) + " takes " + what + ", not \"" + text + "\"");
    }
    return true;
}

bool OperandReader::Positional() {
    if (current_[0] == '-' && current_[1] != '\0') {
        return Refuse(std::string("unknown option \"") + current_ + "\"");
    }
    if (values_.size() == names_.size()) {
        return Refuse(std::string("one operand too many: \"") + current_ + "\"");
    }
    if (current_[0] == '\0') {
        return Refuse(std::string(names_[values_.size()]) + " is empty");
    }
    values_.push_back(current_);
    return true;
}

bool OperandReader::Complete() const {
    if (values_.size() < names_.size()) {
        return Refuse(std::string(names_[values_.size()]) + " is missing");
    }
    return true;
}

bool OperandReader::DistinctOutput(std::size_t in, std::size_t out) const {
    if (SameFile(values_[in], values_[out])) {
        return Refuse(std::string(names_[out]) + " \"" + values_[out] + "\" is the input file " +
                      names_[in] + " itself; it would be overwritten. Choose another " +
                      names_[out]);
    }
    return true;
}

bool OperandReader::Refuse(const std::string& reason) const {
    std::fprintf(stderr, "tunewell-cli %s: %s\n", command_, reason.c_str());
    return false;
}

}  // namespace tw::cli
