#include "game/GhostPath.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace Game {

namespace {

constexpr int kMaxSkin = 99;
// Degrees a sane flight can wind up to; the facing itself stays within a turn.
constexpr float kMaxRotation = 3600.0f;
// Twice the longest flight the sample count allows, so times are never the limit.
constexpr float kMaxTime = 2.0f * static_cast<float>(kMaxGhostSamples) / 60.0f;

void AppendFloat(std::string& text, float value) {
    char buffer[32];
    // The shortest text that reads back to the same float.
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)error;
    text.append(buffer, end);
}

template <class T>
bool ParseWhole(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && stop == end;
}

// Cuts the next line (without its line feed) off the front of `rest`; false at the end.
bool NextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) {
        return false;
    }
    const std::size_t feed = rest.find('\n');
    line = rest.substr(0, feed);
    rest = feed == std::string_view::npos ? std::string_view() : rest.substr(feed + 1);
    return true;
}

// "NAME<TAB>INTEGER" with the integer in [low, high].
bool HeaderNumber(std::string_view& rest, const char* name, long long low, long long high,
                  long long& value, std::string& problem) {
    std::string_view line;
    const std::string prefix = std::string(name) + "\t";
    if (!NextLine(rest, line) || !line.starts_with(prefix)) {
        problem = std::string("no \"") + name + "\" line in the header";
        return false;
    }
    if (!ParseWhole(line.substr(prefix.size()), value) || value < low || value > high) {
        problem =
            std::string("bad ") + name + " \"" + std::string(line.substr(prefix.size(), 20)) + "\"";
        return false;
    }
    return true;
}

bool ParseSample(std::string_view line, GhostSample& sample, std::string& problem) {
    std::string_view fields[5];
    std::size_t count = 0;
    while (count < 5) {
        const std::size_t tab = line.find('\t');
        fields[count++] = line.substr(0, tab);
        if (tab == std::string_view::npos) {
            line = {};
            break;
        }
        line = line.substr(tab + 1);
    }
    if (count != 5 || !line.empty()) {
        problem = "a sample is not five fields";
        return false;
    }
    float* numbers[] = {&sample.time, &sample.x, &sample.y, &sample.rotation};
    for (std::size_t i = 0; i < 4; ++i) {
        if (!ParseWhole(fields[i], *numbers[i]) || !std::isfinite(*numbers[i])) {
            problem = "a sample holds a value that is not a finite number";
            return false;
        }
    }
    int mirror = 0;
    if (!ParseWhole(fields[4], mirror) || mirror < 0 || mirror > 3) {
        problem = "a sample's mirroring is not 0 to 3";
        return false;
    }
    sample.flipX = (mirror & 1) != 0;
    sample.flipY = (mirror & 2) != 0;
    if (std::fabs(sample.x) > kMaxGhostCoordinate || std::fabs(sample.y) > kMaxGhostCoordinate ||
        std::fabs(sample.rotation) > kMaxRotation || sample.time < 0.0f || sample.time > kMaxTime) {
        problem = "a sample lies out of range";
        return false;
    }
    return true;
}

float Lerp(float a, float b, float share) {
    return a + (b - a) * share;
}

// The turn from `a` to `b` the short way round, applied by `share`.
float LerpDegrees(float a, float b, float share) {
    float turn = std::fmod(b - a, 360.0f);
    if (turn > 180.0f) {
        turn -= 360.0f;
    } else if (turn < -180.0f) {
        turn += 360.0f;
    }
    return a + turn * share;
}

}  // namespace

std::string FormatGhostPath(const GhostPath& path) {
    std::string text = std::string(kGhostFormatTag) + "\t" + std::to_string(kGhostFormatVersion) +
                       "\nlevel\t" + std::to_string(path.level) + "\nskin\t" +
                       std::to_string(path.skin) + "\nsamples\t" +
                       std::to_string(path.samples.size()) + "\n";
    text.reserve(text.size() + path.samples.size() * 48);
    for (const GhostSample& sample : path.samples) {
        for (float value : {sample.time, sample.x, sample.y, sample.rotation}) {
            AppendFloat(text, value);
            text += '\t';
        }
        text += static_cast<char>('0' + (sample.flipX ? 1 : 0) + (sample.flipY ? 2 : 0));
        text += '\n';
    }
    return text;
}

bool ParseGhostPath(const std::string& text, int level, GhostPath& out, std::string& problem) {
    std::string_view rest(text);
    std::string_view line;
    long long version = 0;
    const std::string tag = std::string(kGhostFormatTag) + "\t";
    if (!NextLine(rest, line) || !line.starts_with(tag)) {
        problem = "not a ghost file";
        return false;
    }
    if (!ParseWhole(line.substr(tag.size()), version) || version != kGhostFormatVersion) {
        problem = "format \"" + std::string(line.substr(tag.size(), 20)) + "\", not " +
                  std::to_string(kGhostFormatVersion);
        return false;
    }
    long long fileLevel = 0;
    long long skin = 0;
    long long count = 0;
    if (!HeaderNumber(rest, "level", 1, 1000, fileLevel, problem) ||
        !HeaderNumber(rest, "skin", 1, kMaxSkin, skin, problem) ||
        !HeaderNumber(rest, "samples", 1, static_cast<long long>(kMaxGhostSamples), count,
                      problem)) {
        return false;
    }
    if (fileLevel != level) {
        problem = "recorded on level " + std::to_string(fileLevel);
        return false;
    }
    out.level = level;
    out.skin = static_cast<int>(skin);
    out.samples.clear();
    out.samples.reserve(static_cast<std::size_t>(count));
    for (long long i = 0; i < count; ++i) {
        GhostSample sample;
        if (!NextLine(rest, line)) {
            problem = "cut short after " + std::to_string(i) + " of " + std::to_string(count) +
                      " samples";
            return false;
        }
        if (!ParseSample(line, sample, problem)) {
            return false;
        }
        if (!out.samples.empty() && sample.time < out.samples.back().time) {
            problem = "its times go back";
            return false;
        }
        out.samples.push_back(sample);
    }
    if (!rest.empty()) {
        problem = "more than the " + std::to_string(count) + " samples it announces";
        return false;
    }
    return true;
}

GhostSample GhostPoseAt(const GhostPath& path, float time) {
    const std::vector<GhostSample>& samples = path.samples;
    // The first sample later than `time`: the pose lies between it and the one before.
    std::size_t lo = 0;
    std::size_t hi = samples.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (samples[mid].time <= time) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo == 0) {
        return samples.front();
    }
    if (lo == samples.size()) {
        return samples.back();
    }
    const GhostSample& a = samples[lo - 1];
    const GhostSample& b = samples[lo];
    const float share = (time - a.time) / (b.time - a.time);
    GhostSample pose = a;
    pose.time = time;
    pose.x = Lerp(a.x, b.x, share);
    pose.y = Lerp(a.y, b.y, share);
    pose.rotation = LerpDegrees(a.rotation, b.rotation, share);
    return pose;
}

}  // namespace Game
