#include "game/SavedValues.h"

#include <charconv>
#include <cmath>

#include "engine/core/RegularFile.h"
#include "engine/core/VEDebug.h"
#include "engine/persistence/Records.h"
#include "engine/scene/Resources.h"
#include "engine/scene/ValueText.h"
#include "game/PlaneSkinSelect.h"

namespace Game {

using namespace VelaEngine;

namespace {
// Enough of a damaged value to recognise it; a record value may run to megabytes.
constexpr std::size_t kShownLength = 40;

// The whole text is one number in the form the records write, nothing before or after it.
template <class T>
bool ParseNumber(const std::string& text, T& out) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    return error == std::errc() && stop == end;
}

// The stored text of `key`, or false when there is none (the caller's default applies).
bool StoredText(const std::string& key, std::string& text) {
    return Records::Get().GetText(key, text);
}

void DropBadValue(const std::string& key, const std::string& text, const std::string& def) {
    Records& records = Records::Get();
    const std::string shown =
        text.size() > kShownLength ? text.substr(0, kShownLength) + "..." : text;
    Log("Bad saved value in " + records.GetFilePath() + ": " + key + " \"" + shown + "\", using " +
        def);
    records.Remove(key);
}

int SavedInt(const std::string& key, int def, bool (*usable)(int)) {
    std::string text;
    int value = def;
    if (!StoredText(key, text)) {
        return def;
    }
    if (!ParseNumber(text, value) || !usable(value)) {
        DropBadValue(key, text, std::to_string(def));
        return def;
    }
    return value;
}

float SavedFloat(const std::string& key, float def, bool (*usable)(float)) {
    std::string text;
    float value = def;
    if (!StoredText(key, text)) {
        return def;
    }
    if (!ParseNumber(text, value) || !std::isfinite(value) || !usable(value)) {
        DropBadValue(key, text, FormatFloat(def));
        return def;
    }
    return value;
}

// None when absent or unusable; `shownDefault` is what the log says is used instead.
std::optional<bool> SavedBool(const std::string& key, const char* shownDefault) {
    std::string text;
    if (!StoredText(key, text)) {
        return std::nullopt;
    }
    // The records' own rule for booleans: the first letter.
    if (text.empty() || (text[0] != 't' && text[0] != 'f')) {
        DropBadValue(key, text, shownDefault);
        return std::nullopt;
    }
    return text[0] == 't';
}
}  // namespace

bool SkinPictureExists(int skin) {
    return IsRegularFile(Resources::Get().GetAssetPath() + "/" + PlaneSkinSelect::SkinSprite(skin) +
                         ".png");
}

int SavedPlaneSkin() {
    return SavedInt("planeSkin", 1, [](int skin) { return SkinPictureExists(skin); });
}

int SavedHighestLevelUnlocked() {
    return SavedInt("highestLevelUnlocked", 1, [](int level) { return level >= 1; });
}

float SavedVolume() {
    return SavedFloat("volume", 0.5f,
                      [](float volume) { return volume >= 0.0f && volume <= 1.0f; });
}

float SavedShortestTime() {
    return SavedFloat("shortestTime", 0.0f, [](float seconds) { return seconds > 0.0f; });
}

std::string BestTimeKey(int level) {
    return "bestTime" + std::to_string(level);
}

float SavedBestTime(int level) {
    return SavedFloat(BestTimeKey(level), 0.0f, [](float seconds) { return seconds > 0.0f; });
}

bool SavedStarFound(const std::string& id) {
    return SavedBool("foundstar" + id, "f").value_or(false);
}

std::optional<bool> SavedFullScreen() {
    return SavedBool("fullScreen", "t");
}

bool SavedGhostOn() {
    return SavedBool("ghost", "t").value_or(true);
}

}  // namespace Game
