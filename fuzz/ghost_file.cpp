// Ghost files through the real loading path: the file beside the records, its size-limited
// read, the parser and the skin check, in a started engine. Any bytes must load or be
// refused without a failure; a ghost that loads must hold only finite, in-range samples in
// time order, write a text that reads back to the same path, and give finite poses at any
// flight time.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/support/FuzzEngine.h"
#include "fuzz/support/FuzzHarness.h"
#include "game/GhostFile.h"
#include "game/GhostPath.h"

using namespace Game;
using FuzzSupport::EndsFatally;
using FuzzSupport::Require;

namespace {

constexpr int kLevel = 1;

bool Finite(const GhostSample& sample) {
    return std::isfinite(sample.time) && std::isfinite(sample.x) && std::isfinite(sample.y) &&
           std::isfinite(sample.rotation);
}

void CheckLoaded(const GhostPath& path) {
    Require(path.level == kLevel, "a ghost of another level loaded");
    Require(!path.samples.empty() && path.samples.size() <= kMaxGhostSamples,
            "a ghost loaded with no samples or too many");
    for (std::size_t i = 0; i < path.samples.size(); ++i) {
        const GhostSample& sample = path.samples[i];
        Require(Finite(sample), "a loaded sample is not finite");
        Require(std::fabs(sample.x) <= kMaxGhostCoordinate &&
                    std::fabs(sample.y) <= kMaxGhostCoordinate && sample.time >= 0.0f,
                "a loaded sample is out of range");
        Require(i == 0 || sample.time >= path.samples[i - 1].time, "a loaded ghost goes back");
    }
    GhostPath again;
    std::string problem;
    Require(ParseGhostPath(FormatGhostPath(path), kLevel, again, problem),
            "a loaded ghost's own text is refused");
    Require(again.skin == path.skin && again.samples == path.samples,
            "a loaded ghost reads back differently");
    const float first = path.samples.front().time;
    const float last = path.samples.back().time;
    for (float time : {first - 1.0f, first, (first + last) / 2.0f, last, last + 1.0f,
                       path.samples[path.samples.size() / 2].time + 0.001f}) {
        const GhostSample pose = GhostPoseAt(path, time);
        Require(Finite(pose), "a pose between samples is not finite");
        Require(
            std::fabs(pose.x) <= kMaxGhostCoordinate && std::fabs(pose.y) <= kMaxGhostCoordinate,
            "a pose lies outside the samples' range");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::StartEngineOnce();
    const std::string file = GhostFilePath(kLevel);
    Require(file.starts_with(FuzzSupport::ScratchFolder() + "/"),
            "the ghost file is not in the home folder");
    FuzzSupport::WriteScratch(file.substr(FuzzSupport::ScratchFolder().size() + 1),
                              FuzzSupport::Text(data, size));
    std::optional<GhostPath> loaded;
    Require(!EndsFatally([&] { loaded = LoadGhost(kLevel); }), "a ghost file is fatal");
    if (loaded) {
        CheckLoaded(*loaded);
    }
    return 0;
}
