#include "engine/animation/AnimationClip.h"

#include <cstdlib>

#include "engine/core/VEDebug.h"
#include "engine/scene/ValueText.h"

namespace VelaEngine::Mecanim {

namespace {
constexpr const char* kFormatMessage =
    "AnimationClip must be <duration>\t<time>\t<component name>\t<instruction>, where the last "
    "3 may repeat.";
constexpr std::size_t kPiecesPerKeyframe = 3;

float ReadNumber(const std::string& piece) {
    return static_cast<float>(ReadAtof(piece));
}
}  // namespace

void AnimationClip::Deserialize(const std::string& text) {
    const std::vector<std::string> pieces = SplitText(text, "\t");
    if (pieces.empty() || (pieces.size() - 1) % kPiecesPerKeyframe != 0) {
        Assert(false, kFormatMessage);
        return;
    }
    duration_ = ReadNumber(pieces[0]);
    for (std::size_t i = 1; i < pieces.size(); i += kPiecesPerKeyframe) {
        keyframes_.push_back(Keyframe{ReadNumber(pieces[i]), pieces[i + 1], pieces[i + 2]});
    }
}

std::string AnimationClip::Serialize() const {
    std::string text = FormatFloat(duration_);
    for (const Keyframe& keyframe : keyframes_) {
        text += '\t' + FormatFloat(keyframe.time) + '\t' + keyframe.component + '\t' +
                keyframe.instruction;
    }
    return text;
}

std::string AnimationClip::ToString() const {
    return "AnimationClip{" + Serialize() + "}";
}

}  // namespace VelaEngine::Mecanim
