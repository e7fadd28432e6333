#pragma once
// A flight's path as the ghost replays it, and the text of the ghost file that keeps it:
// a header (format tag and version, level, skin, sample count), then one sample per line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Game {

// Where the plane was, and how its picture was turned and mirrored, at a flight time.
struct GhostSample {
    float time = 0.0f;  // seconds since the end of the countdown
    float x = 0.0f;
    float y = 0.0f;
    float rotation = 0.0f;  // degrees
    bool flipX = false;
    bool flipY = false;

    bool operator==(const GhostSample&) const = default;
};

struct GhostPath {
    int level = 0;
    int skin = 1;
    // Times never go down; the first is the flight's start.
    std::vector<GhostSample> samples;
};

// "fleetwing-ghost", then the version of the layout below it.
inline constexpr const char* kGhostFormatTag = "fleetwing-ghost";
inline constexpr int kGhostFormatVersion = 1;
// Ten minutes at 60 frames a second: no winning flight comes near it, and a file claiming
// more is damaged or made up.
inline constexpr std::size_t kMaxGhostSamples = 36000;
// Far beyond any level's extent: larger coordinates are no flight of this game.
inline constexpr float kMaxGhostCoordinate = 1.0e6f;
// A sample line is under 80 bytes; the header under 100.
inline constexpr std::size_t kMaxGhostFileBytes = kMaxGhostSamples * 80 + 100;

// The file text; floats are written with enough digits to read back exactly.
std::string FormatGhostPath(const GhostPath& path);

// Reads a ghost file's text recorded on `level`. Any fault (another format or version,
// another level, a skin out of 1 to 99, a count that is zero, too large or not the number
// of sample lines, a sample that is not five fields, a number that is not finite or out of
// range, times going back) gives false with `problem` set, and `out` unspecified.
bool ParseGhostPath(const std::string& text, int level, GhostPath& out, std::string& problem);

// The pose at flight time `time`: between two samples the position and the turn (the short
// way round) are interpolated and the mirroring is the earlier one's; before the first and
// after the last, that sample. `path` has at least one sample.
GhostSample GhostPoseAt(const GhostPath& path, float time);

}  // namespace Game
