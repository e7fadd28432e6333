#pragma once
// Sound files made on the spot for audio tests, in a private temporary folder.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/TempFolder.h"

namespace TestSupport {

namespace Detail {
inline void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}
}  // namespace Detail

// Writes a mono 16-bit PCM WAV holding a quiet 440 Hz tone of the given length.
inline std::string WriteToneWav(const std::string& path, int milliseconds) {
    constexpr std::uint32_t kRate = 22050;
    const auto frames = static_cast<std::uint32_t>(std::uint64_t{kRate} *
                                                   static_cast<std::uint64_t>(milliseconds) / 1000);
    const std::uint32_t dataBytes = frames * 2;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    Detail::PutLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    Detail::PutLittleEndian(out, 16, 4);         // format chunk size
    Detail::PutLittleEndian(out, 1, 2);          // PCM
    Detail::PutLittleEndian(out, 1, 2);          // mono
    Detail::PutLittleEndian(out, kRate, 4);      // frames per second
    Detail::PutLittleEndian(out, kRate * 2, 4);  // bytes per second
    Detail::PutLittleEndian(out, 2, 2);          // bytes per frame
    Detail::PutLittleEndian(out, 16, 2);         // bits per sample
    out.write("data", 4);
    Detail::PutLittleEndian(out, dataBytes, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double sample = 3000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / kRate);
        Detail::PutLittleEndian(out, static_cast<std::uint16_t>(static_cast<int16_t>(sample)), 2);
    }
    return path;
}

// Writes an MP3 of silent MPEG-2.5 layer III frames at 8 kbit/s and 8 kHz: 72 bytes for 576
// samples each, about 12.7 KB once decoded for a 44.1 kHz stereo mixer.
inline std::string WriteSilentMp3(const std::string& path, int frames) {
    std::string frame(72, '\0');
    frame.replace(0, 4, "\xFF\xE3\x18\xC0");
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < frames; ++i) {
        out << frame;
    }
    return path;
}

// Polls until the condition holds or a generous deadline passes; sounds finish in real time
// on the mixer's thread.
template <class Condition>
bool WaitFor(Condition condition, int timeoutMilliseconds = 5000) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Chooses SDL's audio driver for the scope, so a test can ask for one that does not exist.
class ScopedAudioDriver {
public:
    explicit ScopedAudioDriver(const char* driver) {
        const char* previous = std::getenv(kVariable);
        hadPrevious_ = previous != nullptr;
        previous_ = hadPrevious_ ? previous : "";
        ::setenv(kVariable, driver, 1);
    }
    ~ScopedAudioDriver() {
        if (hadPrevious_) {
            ::setenv(kVariable, previous_.c_str(), 1);
        } else {
            ::unsetenv(kVariable);
        }
    }
    ScopedAudioDriver(const ScopedAudioDriver&) = delete;
    ScopedAudioDriver& operator=(const ScopedAudioDriver&) = delete;

private:
    static constexpr const char* kVariable = "SDL_AUDIODRIVER";
    std::string previous_;
    bool hadPrevious_ = false;
};

// Sleeps for a stretch of real time, to let a sound that should keep sounding outlast its
// own length.
inline void Hold(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace TestSupport
