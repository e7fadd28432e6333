#include "engine/entity/TransformChangeLog.h"

#include "engine/entity/Transform.h"

namespace VelaEngine::TransformChangeLog {

namespace {
// Each listed transform knows its place here, so that leaving costs no search. Never freed:
// transforms owned by services may die after every static of this file.
std::vector<Transform*>& Listed() {
    static auto* listed = new std::vector<Transform*>();
    return *listed;
}
}  // namespace

void Start() {
    recording = true;
}

void Note(Transform& transform) {
    if (!recording || transform.GetChangeLogSlot() >= 0) {
        return;
    }
    std::vector<Transform*>& listed = Listed();
    transform.SetChangeLogSlot(static_cast<int>(listed.size()));
    listed.push_back(&transform);
}

void Forget(Transform& transform) {
    const int slot = transform.GetChangeLogSlot();
    if (slot < 0) {
        return;
    }
    std::vector<Transform*>& listed = Listed();
    Transform* last = listed.back();
    listed[slot] = last;
    last->SetChangeLogSlot(slot);
    listed.pop_back();
    transform.SetChangeLogSlot(-1);
}

void Take(std::vector<Transform*>& out) {
    out.clear();
    out.swap(Listed());
    for (Transform* transform : out) {
        transform->SetChangeLogSlot(-1);
    }
}

}  // namespace VelaEngine::TransformChangeLog
