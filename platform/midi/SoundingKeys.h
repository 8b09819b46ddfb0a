#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace tw::midi {

// The keys an output has sounded and not yet released, so that a reset can
// silence exactly those with note-offs before it sends the channel-wide
// messages that not every device honours.
class SoundingKeys {
public:
    // Follows one packed message on its way out: a note-on with velocity
    // above 0 counts a key up, a note-off (or note-on with velocity 0) down.
    void Track(uint32_t msg);

    // Sends a note-off for every sounding key (once per unreleased note-on),
    // then sustain off and All Notes Off on all sixteen channels, and forgets
    // every key.
    void ReleaseAll(const std::function<void(uint32_t msg)>& send);

    [[nodiscard]] int Sounding() const;

private:
    std::array<std::array<uint16_t, 128>, 16> count_{};
};

}  // namespace tw::midi
