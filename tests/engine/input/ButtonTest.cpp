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

TEST_F(ButtonWorld, OfTwoOverlappingButtonsOnlyTheUpperFiresAndAHitPlaysTheMenuSound) {
    Button& below = AddButton("Below", 0.0f, 0.0f, 100.0f, 100.0f);
    Button& above = AddButton("Above", 40.0f, 0.0f, 100.0f, 100.0f);
    ClickAt(-10.0f, 50.0f);  // the upper one's corner: an edge counts as inside
    EXPECT_EQ(above.GetClickCount(), 1u);
    EXPECT_EQ(below.GetClickCount(), 0u);
    // Outside the upper one the lower one takes it.
    ClickAt(-20.0f, 0.0f);
    EXPECT_EQ(above.GetClickCount(), 1u);
    EXPECT_EQ(below.GetClickCount(), 1u);
    // A hit plays the menu sound on the sound player once there is one.
    Audio::AudioSource* source = AddRoot("buttonsoundplayer").AddComponent<Audio::AudioSource>();
    ClickAt(-20.0f, 0.0f);
    EXPECT_EQ(below.GetClickCount(), 2u);
    ASSERT_NE(source->GetClip(), nullptr);
    EXPECT_EQ(source->GetClip()->GetPath(), assets.Path() + "/sounds/sfx/menu.mp3");
}

TEST_F(ButtonWorld, AButtonCreatedThisFrameHasNoColliderYetAndDoesNotConsume) {
    Button& older = AddButton("Old", 0.0f, 0.0f, 100.0f, 100.0f);
    RunFrame();
    // Made after this frame's start pass, on top of the old one.
    Button& fresh = AddButton("New", 0.0f, 0.0f, 100.0f, 100.0f);
    EXPECT_FALSE(fresh.HasCollider());
    Input::Get().GetCursor() = Point2(0.0f, 0.0f);
    Click();
    EXPECT_EQ(older.GetClickCount(), 1u);
    EXPECT_EQ(fresh.GetClickCount(), 0u);
    // From its first start pass on it is the upper button.
    ClickAt(0.0f, 0.0f);
    EXPECT_TRUE(fresh.HasCollider());
    EXPECT_EQ(fresh.GetClickCount(), 1u);
}

TEST_F(ButtonWorld, TheShapeIsPlacedByTheStackTop) {
    Entity& panel = Place(AddRoot("Panel"), {200.0f, 100.0f}, 0.0f, {2.0f, 2.0f});
    Entity& child = Place(AddChild(panel, "Ok"), {10.0f, 0.0f});
    child.AddComponent<Collision::RectCollider>()->SetSize(10.0f, 10.0f);
    Button* button = child.AddComponent<Button>();
    // The button's local square sits at (220, 100), 20 wide.
    ClickAt(10.0f, 0.0f);
    EXPECT_EQ(button->GetClickCount(), 0u);
    ClickAt(228.0f, 108.0f);
    EXPECT_EQ(button->GetClickCount(), 1u);
}

// Escape stands for Back this way: no cursor, no collider needed, the same sound and news.
TEST_F(ButtonWorld, APressFromCodeDoesWhatAClickInsideDoes) {
    Button& back = AddButton("Back", 0.0f, 0.0f, 100.0f, 100.0f);
    Audio::AudioSource* source = AddRoot("buttonsoundplayer").AddComponent<Audio::AudioSource>();
    struct Counter : Events::Listener {
        void Invoke(const Events::EventBase&) override { ++heard; }
        int heard = 0;
    } listener;
    back.GetClickListeners().Register(listener);
    back.Press();
    EXPECT_FALSE(back.HasCollider());
    EXPECT_EQ(listener.heard, 1);
    EXPECT_EQ(back.GetClickCount(), 1u);
    ASSERT_NE(source->GetClip(), nullptr);
    EXPECT_EQ(source->GetClip()->GetPath(), assets.Path() + "/sounds/sfx/menu.mp3");
}

}  // namespace
}  // namespace EntityTest
