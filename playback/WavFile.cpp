#include "playback/WavFile.h"

#include <array>
#include <limits>
#include <vector>

namespace tw {

namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint32_t kBytesPerFrame = 4;  // two channels of 16 bits
constexpr uint64_t kMaxDataBytes = std::numeric_limits<uint32_t>::max() - kHeaderBytes;

void Put(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

void PutTag(std::vector<unsigned char>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

WavFile::~WavFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        std::remove(temporary_.c_str());
    }
}

bool WavFile::Open(const std::string& path, uint32_t sampleRateHz) {
    path_ = path;
    temporary_ = path + ".part";
    rate_ = sampleRateHz;
    frames_ = 0;
    file_ = std::fopen(temporary_.c_str(), "wb");
    return file_ != nullptr && WriteHeader(0);
}

bool WavFile::WriteHeader(uint32_t dataBytes) {
    std::vector<unsigned char> header;
    PutTag(header, "RIFF");
    Put(header, dataBytes + kHeaderBytes - 8, 4);
    PutTag(header, "WAVE");
    PutTag(header, "fmt ");
    Put(header, 16, 4);  // size of the format chunk
    Put(header, 1, 2);   // PCM
    Put(header, 2, 2);   // channels
    Put(header, rate_, 4);
    Put(header, rate_ * kBytesPerFrame, 4);
    Put(header, kBytesPerFrame, 2);
    Put(header, 16, 2);  // bits per sample
    PutTag(header, "data");
    Put(header, dataBytes, 4);
    return std::fwrite(header.data(), 1, header.size(), file_) == header.size();
}

bool WavFile::Fits(uint64_t frames) const {
    return (frames_ + frames) * kBytesPerFrame <= kMaxDataBytes;
}

bool WavFile::Write(const int16_t* interleaved, uint32_t frames) {
    if (file_ == nullptr || !Fits(frames)) {
        return false;
    }
    std::vector<unsigned char> bytes;
    bytes.reserve(std::size_t{frames} * kBytesPerFrame);
    for (std::size_t i = 0; i < std::size_t{frames} * 2; ++i) {
        Put(bytes, static_cast<uint16_t>(interleaved[i]), 2);
    }
    frames_ += frames;
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool WavFile::Finish() {
    if (file_ == nullptr) {
        return false;
    }
    const bool written = std::fseek(file_, 0, SEEK_SET) == 0 &&
                         WriteHeader(static_cast<uint32_t>(frames_ * kBytesPerFrame));
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        std::remove(temporary_.c_str());
        return false;
    }
    return true;
}

}  // namespace tw
