#include <gtest/gtest.h>

#include <algorithm>

#include "EntityTestSupport.h"
#include "support/FatalCatcher.h"

namespace EntityTest {
namespace {

using TestSupport::FatalMessageOf;

class BehaviorHooks : public EntityWorld {
protected:
    Probe& AddProbe(Entity& entity, const std::string& tag) {
        return *entity.AddComponent<Probe>(&log, tag);
    }
    // The frame's entries, then a clean log for the next one.
    Log TakeLog() {
        Log taken;
        taken.swap(log);
        return taken;
    }
};

bool Contains(const Log& log, const std::string& entry) {
    return std::find(log.begin(), log.end(), entry) != log.end();
}

TEST_F(BehaviorHooks, AwakeAndStartRunOnceEntityByEntityAndUpdateAndDrawVisitParentsFirst) {
    Entity& a = AddRoot("A");
    AddProbe(a, "A");
    AddProbe(AddChild(a, "A1"), "A1");
    const Log frame = {"A:Update", "A1:Update", "A:Draw", "A1:Draw"};
    Log first = {"A:Awake", "A:Start", "A1:Awake", "A1:Start"};
    first.insert(first.end(), frame.begin(), frame.end());
    RunFrame();
    EXPECT_EQ(TakeLog(), first);
    RunFrame();
    EXPECT_EQ(TakeLog(), frame);
}

TEST_F(BehaviorHooks, BehaviourMadeInAwakeStartsAtOnceButOneMadeInUpdateWaitsAFrame) {
    Entity& a = AddRoot("A");
    Entity& b = AddRoot("B");
    AddProbe(a, "A").onAwake = [&] { AddProbe(a, "A+"); };
    Probe& spawner = AddProbe(b, "B");
    bool spawned = false;
    spawner.onUpdate = [&] {
        if (!spawned) {
            spawned = true;
            AddProbe(a, "late");  // on an entity already updated this frame
            AddProbe(b, "self");  // joins the update list while it is being walked
        }
    };

    RunFrame();
    const Log first = TakeLog();
    ASSERT_GE(first.size(), 6u);
    EXPECT_EQ(Log(first.begin(), first.begin() + 6),
              (Log{"A:Awake", "A+:Awake", "A:Start", "A+:Start", "B:Awake", "B:Start"}));
    EXPECT_FALSE(Contains(first, "self:Update"));

    // Both wake in the next frame, before any update.
    RunFrame();
    const Log second = TakeLog();
    ASSERT_GE(second.size(), 5u);
    EXPECT_EQ(Log(second.begin(), second.begin() + 5),
              (Log{"late:Awake", "late:Start", "self:Awake", "self:Start", "A:Update"}));
    EXPECT_TRUE(Contains(second, "late:Update"));
    EXPECT_TRUE(Contains(second, "self:Update"));
}

TEST_F(BehaviorHooks, EntityDestroyedInUpdateFinishesTheFrameAndLeavesWithItsChildren) {
    Entity& r = AddRoot("R");
    Entity& s = AddRoot("S");
    Entity& d = AddChild(s, "D");
    Entity& d1 = AddChild(d, "D1");
    Probe& rProbe = AddProbe(r, "R");
    Probe& sProbe = AddProbe(s, "S");
    AddProbe(d, "D");
    AddProbe(d1, "D1");
    RunFrame();  // awake and start
    log.clear();
    rProbe.onUpdate = [&] { r.Destroy(); };
    sProbe.onUpdate = [&] { d.Destroy(); };

    RunFrame();
    const Log frame = TakeLog();
    // The destroyed entities still get the passes after update, then leave.
    for (const char* entry : {"R:Draw", "D:Draw", "D1:Draw", "R:~", "D:~", "D1:~"}) {
        EXPECT_TRUE(Contains(frame, entry)) << entry;
    }
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots.front()->GetName(), "S");
    EXPECT_TRUE(s.GetChildren().empty());

    sProbe.onUpdate = nullptr;  // D is gone
    RunFrame();
    EXPECT_EQ(TakeLog(), (Log{"S:Update", "S:Draw"}));
}

TEST_F(BehaviorHooks, ClickGoesLastChildFirstAndChildrenBeforeTheEntitysComponents) {
    Entity& root = AddRoot("R");
    AddProbe(root, "R1");
    Entity& first = AddChild(root, "C1");
    AddProbe(first, "C1");
    Entity& second = AddChild(root, "C2");
    AddProbe(second, "C2");
    AddProbe(AddChild(second, "G"), "G");
    // Nobody consumes: everyone is asked and the click is reported unconsumed.
    EXPECT_FALSE(ClickPass(root));
    EXPECT_EQ(TakeLog(), (Log{"G:Click", "C2:Click", "C1:Click", "R1:Click"}));

    AddProbe(root, "R2").consumes = true;
    AddProbe(root, "R3").consumes = true;
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(TakeLog(), (Log{"G:Click", "C2:Click", "C1:Click", "R1:Click", "R2:Click"}));

    AddProbe(first, "C1b").consumes = true;
    EXPECT_TRUE(ClickPass(root));
    EXPECT_EQ(TakeLog(), (Log{"G:Click", "C2:Click", "C1:Click", "C1b:Click"}));
}

TEST_F(BehaviorHooks, TheContactListenerRejectsEventsThatAreNoContact) {
    Entity& plane = AddRoot("Airplane");
    AddProbe(plane, "P");
    EXPECT_EQ(FatalMessageOf([&] { plane.GetContactListeners().Invoke(Events::EmptyEvent()); }),
              "Assertion in VEDebug.cpp line 35: Probe received a contact that is not an "
              "OnCollisionEvent");
}

}  // namespace
}  // namespace EntityTest
