#include "tools/vela-run/FrameHashes.h"

#include <cstdio>

#include "tools/vela-run/SceneDump.h"

namespace VelaRun {

std::uint64_t Fnv1a64(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

namespace {
std::string WithoutPrefix(const std::string& text, const std::string& prefix) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(prefix); at != std::string::npos;
         at = text.find(prefix, from)) {
        out.append(text, from, at - from);
        out += '"';
        from = at + prefix.size();
    }
    out.append(text, from, std::string::npos);
    return out;
}
}  // namespace

FrameHashLog::FrameHashLog(const std::string& path, const std::string& assets)
    : assetsPrefix_("\"" + assets + "/"), active_(!path.empty()) {
    if (active_) {
        out_.open(path, std::ios::trunc);
        ok_ = static_cast<bool>(out_);
    }
}

void FrameHashLog::AfterFrame(unsigned frame) {
    if (!active_ || !ok_) {
        return;
    }
    char line[48];
    std::snprintf(
        line, sizeof line, "%u %016llx\n", frame,
        static_cast<unsigned long long>(Fnv1a64(WithoutPrefix(DumpScene(frame), assetsPrefix_))));
    out_ << line;
    out_.flush();
    ok_ = static_cast<bool>(out_);
}

}  // namespace VelaRun
