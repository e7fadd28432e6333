// A transform tells its one watcher of every real change of its placement or shape and of its
// death, with the tag the watcher gave it, and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EntityTestSupport.h"
#include "engine/entity/TransformWatcher.h"
#include "engine/scene/FieldMap.h"

namespace EntityTest {
namespace {

class Recorder final : public TransformWatcher {
public:
    void Moved(Transform& transform) override { Note("moved", transform); }
    void Gone(Transform& transform) override { Note("gone", transform); }
    std::vector<std::string> events;

private:
    void Note(const char* what, const Transform& transform) {
        events.push_back(std::string(what) + " " + std::to_string(transform.GetWatchTag()));
    }
};

using Seen = std::vector<std::string>;

TEST(TransformWatcher, IsToldOfRealChangesOnlyWithItsTag) {
    Recorder recorder;
    auto entity = Entity::Create("E");
    Transform& t = entity->GetTransform();
    t.Watch(&recorder, 7);
    EXPECT_EQ(t.GetWatcher(), &recorder);
    EXPECT_EQ(t.GetWatchTag(), 7u);
    t.SetPosition({1.0f, 2.0f});
    t.SetPosition({1.0f, 2.0f});
    t.SetRotation(0.0f);
    t.SetScale({0.0f, 0.0f});
    EXPECT_EQ(recorder.events, Seen{"moved 7"}) << "writing back what is there is no change";
    t.SetRotation(30.0f);
    t.SetScale({2.0f, 2.0f});
    t.NoteChange();
    t.SetChanged();
    EXPECT_EQ(recorder.events.size(), 5u);
    t.GetWorldMatrix();
    t.UpdateMatrix();
    EXPECT_EQ(recorder.events.size(), 5u) << "reading the placement changes nothing";
    t.Watch(nullptr, 0);
    t.SetPosition({9.0f, 9.0f});
    EXPECT_EQ(recorder.events.size(), 5u);
}

TEST(TransformWatcher, IsToldOfTheDeathOnceAndNotCarriedIntoCopies) {
    Recorder recorder;
    auto entity = Entity::Create("E");
    entity->GetTransform().Watch(&recorder, 3);
    auto copy = Entity::Create("Copy");
    const auto cloned = entity->GetTransform().Clone(copy.get());
    EXPECT_EQ(static_cast<Transform&>(*cloned).GetWatcher(), nullptr);
    entity.reset();
    EXPECT_EQ(recorder.events, Seen{"gone 3"});
}

TEST(TransformWatcher, ReadingFieldsAndTakingAParentAreChanges) {
    Recorder recorder;
    auto parent = Entity::Create("P");
    auto child = Entity::Create("C");
    child->GetTransform().Watch(&recorder, 1);
    FieldMap fields;
    child->GetTransform().Deserialize(fields);
    child->GetTransform().SetParent(&parent->GetTransform());
    EXPECT_EQ(recorder.events, (Seen{"moved 1", "moved 1"}));
    child->GetTransform().Watch(nullptr, 0);
}

}  // namespace
}  // namespace EntityTest
