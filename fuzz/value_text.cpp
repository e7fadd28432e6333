// Every kind of field-map value read from arbitrary text. The first byte picks the kind, the
// rest is the text. A rejected text must leave the value as it was; an accepted one must write
// a text that reads back to the very same text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/Entity.h"
#include "engine/entity/EntityPath.h"
#include "engine/entity/Matrix3x3.h"
#include "engine/entity/SceneRoots.h"
#include "engine/entity/Transform.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/graphics/Color.h"
#include "engine/physics/Material.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/ValueText.h"
#include "engine/scene/Vector2.h"
#include "fuzz/support/FuzzHarness.h"

using namespace VelaEngine;
using FuzzSupport::EndsFatally;
using FuzzSupport::Require;

namespace {

// A valid text of `count` numbers that differs from every type's default.
std::string StartingText(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (i > 0 ? "," : "") + std::to_string(i + 2) + ".25";
    }
    return text;
}

template <class T>
void CheckValue(const std::string& text, int count) {
    T value;
    value.Deserialize(StartingText(count));
    const std::string before = value.Serialize();
    if (EndsFatally([&] { value.Deserialize(text); })) {
        Require(value.Serialize() == before, "a rejected text changed the value");
        return;
    }
    const std::string written = value.Serialize();
    T again;
    Require(!EndsFatally([&] { again.Deserialize(written); }), "a written value is rejected");
    Require(again.Serialize() == written, "a written value reads back differently");
    Require(value.ToString().find(written) != std::string::npos, "ToString lacks the numbers");

    FieldMap fields;
    fields.Set("value", text);
    Require(fields.Get("value", T()).Serialize() == T(value).Serialize(),
            "the field map reads the text differently");
}

// The scalar getters take any text; none may fail.
void CheckScalars(const std::string& text) {
    FieldMap fields;
    fields.Set("v", text);
    float f = 0.0f;
    int i = 0;
    std::string s;
    Require(fields.TryGet("v", f) && fields.TryGet("v", i) && fields.TryGet("v", s),
            "a present field is not found");
    Require(s == text, "a string field changed its text");
    Require(fields.Get("v", 7) == i, "Get and TryGet of an int disagree");
    const bool letter = !text.empty() && (text[0] == 't' || text[0] == 'f');
    const bool expected = letter && text[0] == 't';
    Require(fields.Get("v", true) == (letter ? expected : true) &&
                fields.Get("v", false) == (letter ? expected : false),
            "a bool field reads neither its letter nor the default");
    (void)fields.Get("v", 1.0f);
    Require(fields.Get("v", "default") == text, "a string field changed its text");
}

// The owner an entity path needs; it does nothing itself.
class Holder : public VelaBehavior {
public:
    using VelaBehavior::VelaBehavior;
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Holder>(owner);
    }
};

// A behaviour's reference to another entity, resolved over a small fixed tree.
void CheckEntityPath(const std::string& text) {
    EntityList roots;
    roots.push_back(Entity::Create("a"));
    auto child = Entity::Create("b");
    child->GetTransform().SetParent(&roots.back()->GetTransform());
    auto grandchild = Entity::Create("c");
    grandchild->GetTransform().SetParent(&child->GetTransform());
    roots.push_back(Entity::Create(text));
    SetSceneRoots(&roots);

    Entity* target = nullptr;
    auto* behaviour = roots.front()->AddComponent<Holder>();
    EntityPath path(&target, behaviour);
    path.Deserialize(text);
    Require(path.Serialize() == text, "an entity path changed its text");
    target = path.Resolve();
    const std::vector<std::string> parts = SplitText(text, "/");
    if (parts.size() < 2) {
        // One name matches a whole name anywhere; the root named after the text is there.
        Require(target != nullptr && target->GetName() == text, "a name was not found");
    } else {
        Require(target == nullptr || target->GetName() == parts.back(),
                "a path found an entity of another name");
    }
    SetSceneRoots(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string text = FuzzSupport::Text(data + 1, size - 1);
    switch (data[0] % 8) {
        case 0:
            CheckValue<Vector2>(text, 2);
            break;
        case 1:
            CheckValue<Point2>(text, 2);
            break;
        case 2:
            CheckValue<Normal2>(text, 2);
            break;
        case 3:
            CheckValue<Collision::Material>(text, 2);
            break;
        case 4:
            CheckValue<Graphics::Color>(text, 4);
            break;
        case 5:
            CheckValue<Matrix3x3>(text, 9);
            break;
        case 6:
            CheckScalars(text);
            break;
        default:
            CheckEntityPath(text);
            break;
    }
    return 0;
}
