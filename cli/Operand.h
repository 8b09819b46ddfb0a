#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace tw::cli {

// Reads a whole decimal number of at most `max`; false for anything else
// (signs, spaces, trailing text, overflow).
[[nodiscard]] bool ParseNumber(const char* text, uint32_t max, uint32_t& value);

// True when both paths name one existing file, also through another name,
// a hard link or a symbolic link.
[[nodiscard]] bool SameFile(const char* a, const char* b);

// Walks a command's operands: options with their values, and the positional
// operands named in `names` ("FILE", "OUT.wav"), in order. Every refusal
// prints "tunewell-cli COMMAND: REASON" on standard error, naming the operand
// and what was wrong with it, and returns false; the command then returns
// kExitUsage.
class OperandReader {
public:
    OperandReader(const char* command, Operands operands, std::initializer_list<const char*> names);

    // Moves to the next operand; false after the last.
    [[nodiscard]] bool Next();
    [[nodiscard]] bool Is(const char* option) const;

    // The value that follows the current option.
    [[nodiscard]] bool Text(const char*& value);
    // A whole number from `min` to `max`; `what` says what it counts
    // ("a bar number from 0").
    [[nodiscard]] bool Number(uint32_t min, uint32_t max, const char* what, uint32_t& value);
    // A decimal number from `min` to `max`.
    [[nodiscard]] bool Decimal(double min, double max, const char* what, double& value);

    // Takes the current operand as the next positional operand.
    [[nodiscard]] bool Positional();
    // True when every positional operand was given.
    [[nodiscard]] bool Complete() const;
    // Refuses an output operand that is the input file.
    [[nodiscard]] bool DistinctOutput(std::size_t in, std::size_t out) const;

    [[nodiscard]] const char* operator[](std::size_t index) const { return values_[index]; }

    [[nodiscard]] bool Refuse(const std::string& reason) const;

private:
    [[nodiscard]] const char* Value();

    const char* command_;
    Operands operands_;
    std::vector<const char*> names_;
    std::vector<const char*> values_;
    std::size_t next_ = 0;
    const char* current_ = nullptr;
};

}  // namespace tw::cli
