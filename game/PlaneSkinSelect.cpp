#include "game/PlaneSkinSelect.h"

#include "engine/core/VEDebug.h"
#include "engine/persistence/Records.h"
#include "engine/scene/FieldMap.h"
#include "game/SavedValues.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

namespace {
template <class T>
bool ReadLogged(const FieldMap& fields, const char* name, T& out) {
    if (fields.TryGet(name, out)) {
        return true;
    }
    Log(std::string("PlaneSkinSelect's ") + name + " field not found");
    return false;
}
}  // namespace

std::string PlaneSkinSelect::SkinSprite(int skin) {
    return "sprites/gameplay/entities/ball" + std::to_string(skin);
}

void PlaneSkinSelect::Deserialize(const FieldMap& fields) {
    ReadLogged(fields, "firstSkin", firstSkin);
    ReadLogged(fields, "lastSkin", lastSkin);
    prevGiven_ = ReadLogged<ISerializedField>(fields, "prevSkin", prevPath_);
    nextGiven_ = ReadLogged<ISerializedField>(fields, "nextSkin", nextPath_);
}

void PlaneSkinSelect::Start() {
    skin = SavedPlaneSkin();
    ShowSprite(*GetOwner(), SkinSprite(skin));
    // A reference the scene left out would match an unnamed entity; listen to nothing then.
    if (prevGiven_) {
        ListenToButton(prevSkin, previousListener_);
    }
    if (nextGiven_) {
        ListenToButton(nextSkin, nextListener_);
    }
}

// Both steps wrap at the ends of the range, and a saved skin outside the range comes back
// into it with the first click either way, so no click asks for a picture that is not there.
void PlaneSkinSelect::OnPrevious(const Events::EventBase&) {
    const int previous = skin - 1;
    Choose(previous < firstSkin || previous > lastSkin ? lastSkin : previous);
}

void PlaneSkinSelect::OnNext(const Events::EventBase&) {
    const int next = skin + 1;
    Choose(next > lastSkin || next < firstSkin ? firstSkin : next);
}

void PlaneSkinSelect::Choose(int newSkin) {
    skin = newSkin;
    ShowSprite(*GetOwner(), SkinSprite(skin));
    Records& records = Records::Get();
    records.SetInt("planeSkin", skin);
    records.Save();
}

}  // namespace Game
