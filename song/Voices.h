#pragma once

namespace tw {

inline constexpr int kVoiceCount = 128;

// The instrument names in General MIDI program order: Voices[p] names
// program p (0..127). All 128 are distinct, even ignoring case.
extern const char* const Voices[kVoiceCount];

}  // namespace tw
