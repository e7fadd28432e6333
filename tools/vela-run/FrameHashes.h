#pragma once
// A run's fingerprint: one hash of the whole scene dump per frame, so that a change meant to
// keep behaviour can be held against an earlier run frame by frame without storing the dumps.
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace VelaRun {

std::uint64_t Fnv1a64(std::string_view text);

class FrameHashLog {
public:
    // Does nothing when the path is empty. Paths under `assets` are hashed as relative to it,
    // so that a fingerprint does not depend on where the checkout lies.
    FrameHashLog(const std::string& path, const std::string& assets);
    bool Ok() const { return ok_; }
    void AfterFrame(unsigned frame);

private:
    std::ofstream out_;
    std::string assetsPrefix_;
    bool active_ = false;
    bool ok_ = true;
};

}  // namespace VelaRun
