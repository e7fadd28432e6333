#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/Time.h"
#include "engine/entity/Entity.h"
#include "engine/entity/VelaBehavior.h"
#include "engine/scene/FieldMap.h"
#include "engine/scene/SceneManager.h"
#include "platform/EBInput.h"
#include "support/EngineRun.h"
#include "support/TempFolder.h"

using namespace VelaEngine;
using SceneManagement::SceneManager;

namespace {

std::vector<std::string> g_events;
unsigned g_frame = 0;

// Logs its hooks as "<entity>.<hook>", draws into the log, and can ask for a scene change or
// the pause at a given frame.
class Probe : public VelaBehavior {
public:
    explicit Probe(Entity* owner) : VelaBehavior(owner), drawListener_(this, &Probe::OnDraw) {
        owner->GetDrawListeners().Register(drawListener_);
    }
    const char* GetTypeName() const override { return "Probe"; }
    void Deserialize(const FieldMap& fields) override {
        changeTo_ = fields.Get("changeTo", "");
        changeAt_ = fields.Get("changeAt", 0);
        pauseAt_ = fields.Get("pauseAt", 0);
        persistent_ = fields.Get("persistent", false);
    }
    std::shared_ptr<Component> Clone(Entity* owner) const override {
        return std::make_shared<Probe>(owner);
    }
    void Awake() override {
        Note("awake");
        GetOwner()->SetPersistent(persistent_);
    }
    void Update() override {
        ++updates;
        Note("update");
        if (static_cast<int>(g_frame) == changeAt_) {
            SceneManager::Get().RequestChange(changeTo_);
        }
        if (static_cast<int>(g_frame) == pauseAt_) {
            Time::Get().SetPaused(true);
        }
    }
    bool HandleClick() override {
        Note("click");
        return true;
    }
    int updates = 0;

private:
    void Note(const std::string& what) {
        g_events.push_back(std::to_string(g_frame) + ":" + GetOwner()->GetName() + "." + what);
    }
    void OnDraw(const Events::EventBase&) { Note("draw"); }

    Events::ClassListener<Probe> drawListener_;
    std::string changeTo_;
    int changeAt_ = 0;
    int pauseAt_ = 0;
    bool persistent_ = false;
};

Component* ProbeFactory(const std::string& type, Entity& owner) {
    return type == "Probe" ? owner.AddComponent<Probe>() : nullptr;
}

std::string Root(const std::string& name, const std::string& fields = "") {
    return "Entity\t" + name + "\n\tt\t0,0\n\tr\t0\n\ts\t1,1\n\tProbe\n" + fields;
}

EBInputSnapshot g_input{};
void ScriptedInput(EBInputSnapshot& snapshot) {
    snapshot = g_input;
}

bool Logged(const std::string& event) {
    return std::find(g_events.begin(), g_events.end(), event) != g_events.end();
}

}  // namespace

TEST(SceneManagerTest, ClicksGoToTheLastRootAndAChangeLetsTheFrameFinishKeepingPersistentRoots) {
    TestSupport::TempFolder assets;
    assets.Write("scenes/a.scene",
                 Root("Keeper", "\t\tpersistent\ttrue\n") +
                     Root("A", "\t\tchangeTo\tscenes/b\n\t\tchangeAt\t2\n\t\tpauseAt\t1\n") +
                     Root("Later", "\t\tchangeTo\tscenes/c\n\t\tchangeAt\t2\n"));
    assets.Write("scenes/b.scene", Root("B"));
    assets.Write("scenes/c.scene", Root("C1") + Root("C2"));
    EBInputSetSource(ScriptedInput);
    TestSupport::StartEngine(
        {.assets = assets.Path(), .firstScene = "scenes/a", .factory = ProbeFactory});
    g_input.keys[0x01] = 0x80;  // the left button goes down in frame 1 and stays down
    testing::internal::CaptureStdout();
    TestSupport::RunFrames(3, nullptr, [](unsigned frame) { g_frame = frame; });
    const std::string log = testing::internal::GetCapturedStdout();
    // The click goes to the last root first, which consumes it, and only when pressed.
    EXPECT_TRUE(Logged("1:Later.click"));
    EXPECT_FALSE(Logged("1:A.click"));
    EXPECT_FALSE(Logged("2:Later.click"));
    // Frame 2 still draws A and updates and draws the root after it; C wakes in frame 3.
    EXPECT_TRUE(Logged("2:A.draw"));
    EXPECT_TRUE(Logged("2:Later.update"));
    EXPECT_FALSE(Logged("3:A.update"));
    EXPECT_TRUE(Logged("3:C1.awake"));
    EXPECT_NE(log.find("LOG: Requested to change to Scene: scenes/b\n"
                       "LOG: Requested to change to Scene: scenes/c\nLOG: Unloading Scene\n\n"
                       "LOG: Loading Scene: " +
                       assets.Path() + "/scenes/c.scene\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(SceneManager::Get().GetCurrentSceneName(), "scenes/c");
    EXPECT_FALSE(Time::Get().IsPaused()) << "the new scene starts unpaused";

    // The persistent root keeps its state, comes after the new roots and does not wake again.
    auto& roots = SceneManager::Get().GetCurrentScene()->GetRoots();
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(roots.back()->GetName(), "Keeper");
    EXPECT_EQ(roots.back()->GetComponent<Probe>()->updates, 3);
    EXPECT_FALSE(Logged("3:Keeper.awake"));
    const auto c2 = std::find(g_events.begin(), g_events.end(), "3:C2.update");
    EXPECT_NE(std::find(c2, g_events.end(), "3:Keeper.update"), g_events.end());
}
