#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tw {

// A 16-bit stereo PCM WAV file written as it is rendered. The sound goes to a
// file beside the target, which takes the target's name only when Finish
// succeeds, so a failed render leaves whatever stood there untouched.
class WavFile {
public:
    WavFile() = default;
    ~WavFile();
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;

    [[nodiscard]] bool Open(const std::string& path, uint32_t sampleRateHz);

    // Appends interleaved left/right frames. False when the disk refuses them
    // or the file would pass the 4 GiB that a WAV file can describe.
    [[nodiscard]] bool Write(const int16_t* interleaved, uint32_t frames);

    // True while `frames` more frames stay within what a WAV file can describe.
    [[nodiscard]] bool Fits(uint64_t frames) const;

    // Completes the header and puts the file in place.
    [[nodiscard]] bool Finish();

    [[nodiscard]] uint64_t Frames() const { return frames_; }

private:
    [[nodiscard]] bool WriteHeader(uint32_t dataBytes);

    std::string path_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    uint32_t rate_ = 0;
    uint64_t frames_ = 0;
};

}  // namespace tw
