#include <gtest/gtest.h>

#include "engine/audio/AudioClip.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/AudioSource.h"
#include "engine/input/Button.h"
#include "engine/input/Input.h"
#include "engine/physics/RectCollider.h"
#include "engine/scene/Resources.h"
#include "support/TempFolder.h"
#include "tests/engine/entity/EntityTestSupport.h"

namespace EntityTest {
namespace {

using UI::Button;

// Hears a button's clicks and writes its name to the log.
class Subscriber {
public:
    Subscriber(Log& log, std::string name) : log_(log), name_(std::move(name)) {}
    void Follow(Button& button) { button.GetClickListeners().Register(listener_); }

private:
    void OnClick(const Events::EventBase& event) {
        EXPECT_EQ(&event, &Events::EmptyEvent());
        log_.push_back(name_);
    }
    Log& log_;
    std::string name_;
    Events::ClassListener<Subscriber> listener_{this, &Subscriber::OnClick};
};

// Counts the clicks offered to its entity.
class ClickCounter : public Component {
public:
    using Component::Component;
    const char* GetTypeName() const override { return "ClickCounter"; }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<ClickCounter>(owner);
    }
    bool HandleClick() override {
        ++offered;
        return false;
    }
    int offered = 0;
};

// Entity tests with the cursor, the resource cache and a silent sound system.
class ButtonWorld : public EntityWorld {
protected:
    void SetUp() override {
        EntityWorld::SetUp();
        Input::Create();
        Audio::AudioManager::Create();
        Resources::Create();
        Resources::Get().Init(assets.Path(), nullptr);
    }
    void TearDown() override {
        EntityWorld::TearDown();
        Resources::Release();
        Audio::AudioManager::Release();
        Input::Release();
    }

    // A root at (x, y) with a w × h button over it.
    Button& AddButton(const std::string& name, float x, float y, float w, float h) {
        Entity& entity = Place(AddRoot(name), {x, y});
        entity.AddComponent<Collision::RectCollider>()->SetSize(w, h);
        return *entity.AddComponent<Button>();
    }
    void ClickAt(float x, float y) {
        Input::Get().GetCursor() = Point2(x, y);
        RunFrame(true);
    }

    TestSupport::TempFolder assets;
};

TEST_F(ButtonWorld, OfTwoOverlappingButtonsOnlyTheUpperFiresToEachOfItsListeners) {
    Subscriber lower(log, "lower"), upper(log, "upper"), upperToo(log, "upper too");
    Button& below = AddButton("Below", 0.0f, 0.0f, 100.0f, 100.0f);
    Button& above = AddButton("Above", 40.0f, 0.0f, 100.0f, 100.0f);
    lower.Follow(below);
    upper.Follow(above);
    upperToo.Follow(above);
    ClickAt(-10.0f, 50.0f);  // the upper one's corner: an edge counts as inside
    EXPECT_EQ(log, Log({"upper", "upper too"}));
    EXPECT_EQ(above.GetClickCount(), 1u);
    EXPECT_EQ(below.GetClickCount(), 0u);
    // Outside the upper one the lower one takes it.
    ClickAt(-20.0f, 0.0f);
    EXPECT_EQ(log, Log({"upper", "upper too", "lower"}));
}

TEST_F(ButtonWorld, AButtonCreatedThisFrameHasNoColliderYetAndDoesNotConsume) {
    Subscriber older(log, "older"), newer(log, "newer");
    older.Follow(AddButton("Old", 0.0f, 0.0f, 100.0f, 100.0f));
    RunFrame();
    // Made after this frame's start pass, on top of the old one.
    Button& fresh = AddButton("New", 0.0f, 0.0f, 100.0f, 100.0f);
    newer.Follow(fresh);
    EXPECT_FALSE(fresh.HasCollider());
    Input::Get().GetCursor() = Point2(0.0f, 0.0f);
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        if (ClickPass(**it)) {
            break;
        }
    }
    EXPECT_EQ(log, Log({"older"}));
    // From its first start pass on it is the upper button.
    ClickAt(0.0f, 0.0f);
    EXPECT_TRUE(fresh.HasCollider());
    EXPECT_EQ(log, Log({"older", "newer"}));
}

TEST_F(ButtonWorld, TheShapeIsPlacedByTheStackTop) {
    Entity& panel = AddRoot("Panel");
    Place(panel, {200.0f, 100.0f}).GetTransform().SetScale(Vector2(2.0f, 2.0f));
    Entity& child = Place(AddChild(panel, "Ok"), {10.0f, 0.0f});
    child.AddComponent<Collision::RectCollider>()->SetSize(10.0f, 10.0f);
    Button* button = child.AddComponent<Button>();
    // The button's local square sits at (220, 100), 20 wide.
    ClickAt(10.0f, 0.0f);
    EXPECT_EQ(button->GetClickCount(), 0u);
    ClickAt(228.0f, 108.0f);
    EXPECT_EQ(button->GetClickCount(), 1u);
}

TEST_F(ButtonWorld, AHitIsConsumedAndPlaysTheMenuSoundOnTheSoundPlayerIfThereIsOne) {
    Subscriber listener(log, "clicked");
    listener.Follow(AddButton("Play", 0.0f, 0.0f, 10.0f, 10.0f));
    ClickCounter* behind = AddRoot("Behind").AddComponent<ClickCounter>();
    roots.splice(roots.begin(), roots, std::prev(roots.end()));  // drawn first, asked last
    ClickAt(0.0f, 0.0f);
    EXPECT_EQ(log, Log({"clicked"}));
    EXPECT_EQ(behind->offered, 0);

    Audio::AudioSource* source = AddRoot("buttonsoundplayer").AddComponent<Audio::AudioSource>();
    ClickAt(0.0f, 0.0f);
    ASSERT_NE(source->GetClip(), nullptr);
    EXPECT_EQ(source->GetClip()->GetPath(), assets.Path() + "/sounds/sfx/menu.mp3");
    EXPECT_EQ(log, Log({"clicked", "clicked"}));
}

}  // namespace
}  // namespace EntityTest
