#include "engine/input/Button.h"

#include "engine/input/ButtonPointer.h"

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioSource.h"
#include "engine/entity/Entity.h"
#include "engine/entity/MatrixStack.h"
#include "engine/input/Input.h"
#include "engine/physics/Collider.h"
#include "engine/scene/AssetCache.h"

namespace VelaEngine::UI {

namespace {
constexpr const char* kMenuSound = "sounds/sfx/menu";
constexpr const char* kSoundPlayer = "buttonsoundplayer";

// Menu sounds all play from one well-known entity's source, not from the buttons. Without
// the clip, that entity or its source the click stays silent.
void PlayMenuSound() {
    std::shared_ptr<Audio::AudioClip> clip = CachedClip(kMenuSound);
    if (clip == nullptr) {
        return;
    }
    Entity* player = Entity::Find(kSoundPlayer);
    Audio::AudioSource* source =
        player != nullptr ? player->GetComponent<Audio::AudioSource>() : nullptr;
    if (source != nullptr) {
        source->SetClip(std::move(clip));
        source->Play();
    }
}
}  // namespace

Button::Button(Entity* owner) : Component(owner), serial_(NextButtonSerial()) {
    owner->GetStartListeners().Register(startListener_);
}

void Button::OnStart(const Events::EventBase&) {
    for (const auto& component : GetOwner()->GetComponents()) {
        if (auto collider = std::dynamic_pointer_cast<Collision::Collider>(component)) {
            collider_ = collider;
            return;
        }
    }
}

bool Button::ContainsCursor() const {
    std::shared_ptr<Collision::Collider> collider = collider_.lock();
    return collider != nullptr &&
           collider->ContainsPoint(Input::Get().GetCursor(), MatrixStack::Get().GetCurrent());
}

bool Button::HandleClick() {
    if (!ContainsCursor()) {
        return false;
    }
    NotePress(serial_);
    Press();
    return true;
}

void Button::Press() {
    PlayMenuSound();
    ++clicks_;
    clickListeners_.Invoke(Events::EmptyEvent());
}

std::shared_ptr<Component> Button::Clone(Entity* newOwner) const {
    return MakePacked<Button>(newOwner);
}

}  // namespace VelaEngine::UI
