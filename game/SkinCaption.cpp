#include "game/SkinCaption.h"

#include "engine/entity/Entity.h"
#include "engine/graphics/Text.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/ValueText.h"
#include "game/PlaneSkinSelect.h"
#include "game/SceneQueries.h"

namespace Game {

using namespace VelaEngine;

void SkinCaption::Deserialize(const FieldMap& fields) {
    names = SplitText(fields.Get("names", ""), ",");
    count = fields.Get("count", "");
}

std::shared_ptr<Component> SkinCaption::Clone(Entity* newOwner) const {
    auto copy = MakePacked<SkinCaption>(newOwner);
    copy->names = names;
    copy->count = count;
    return copy;
}

std::string SkinCaption::NameOf(int skin, int firstSkin) const {
    const int index = skin - firstSkin;
    if (index >= 0 && index < static_cast<int>(names.size())) {
        return names[static_cast<size_t>(index)];
    }
    return "Skin " + std::to_string(skin);
}

void SkinCaption::Start() {
    select_ = FindInScene<PlaneSkinSelect>();
}

void SkinCaption::Update() {
    if (select_ == nullptr) {
        return;
    }
    const int skin = select_->skin;
    if (auto* label = GetOwner()->GetComponent<Graphics::Text>()) {
        label->SetText(NameOf(skin, select_->firstSkin));
    }
    Entity* counter = count.empty() ? nullptr : Entity::Find(count);
    if (counter == nullptr) {
        return;
    }
    if (auto* label = counter->GetComponent<Graphics::Text>()) {
        const int total = select_->lastSkin - select_->firstSkin + 1;
        label->SetText(std::to_string(skin - select_->firstSkin + 1) + " / " +
                       std::to_string(total));
    }
}

}  // namespace Game
