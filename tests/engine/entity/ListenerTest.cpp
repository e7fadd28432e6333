#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity/Listener.h"

namespace {

using namespace VelaEngine::Events;
using Calls = std::vector<std::string>;

// Records each call; an optional action runs inside the call.
struct Recorder {
    Recorder(Calls* calls_, std::string name_) : calls(calls_), name(std::move(name_)) {}
    void OnEvent(const EventBase&) {
        calls->push_back(name);
        if (action) {
            action();
        }
    }
    Calls* calls;
    std::string name;
    std::function<void()> action;
    ClassListener<Recorder> listener{this, &Recorder::OnEvent};
};

TEST(ListenerList, WalksSurviveChangesAndDestroyedListenersAndListsLeaveEachOther) {
    Calls calls;
    ListenerList list;
    Recorder killer(&calls, "killer"), after(&calls, "after"), late(&calls, "late");
    auto victim = std::make_unique<Recorder>(&calls, "victim");
    list.Register(killer.listener);
    list.Register(victim->listener);
    list.Register(after.listener);
    killer.action = [&] {
        victim.reset();
        list.Register(late.listener);
    };
    list.Invoke(EmptyEvent());
    EXPECT_EQ(calls, (Calls{"killer", "after", "late"}));

    // A destroyed listener leaves its lists, and a destroyed list its listeners.
    calls.clear();
    ListenerList updates, draws;
    auto dies = std::make_unique<Recorder>(&calls, "dies");
    updates.Register(dies->listener);
    updates.Register(after.listener);
    draws.Register(dies->listener);
    draws.Register(dies->listener);
    dies.reset();
    EXPECT_EQ(updates.Size(), 1u);
    EXPECT_TRUE(draws.Empty());
    updates.Invoke(EmptyEvent());
    draws.Invoke(EmptyEvent());
    EXPECT_EQ(calls, Calls{"after"});
    {
        ListenerList gone;
        gone.Register(after.listener);
        gone.Register(after.listener);
    }
    EXPECT_EQ(after.listener.GetRegistrations(), (PackedVector<ListenerList*>{&list, &updates}));

    // From two lists back to one and to none as they die, then into one again.
    Recorder once(&calls, "once");
    {
        ListenerList kept;
        {
            ListenerList brief;
            kept.Register(once.listener);
            brief.Register(once.listener);
        }
        EXPECT_EQ(once.listener.GetRegistrations(), PackedVector<ListenerList*>{&kept});
    }
    EXPECT_TRUE(once.listener.GetRegistrations().empty());
    list.Register(once.listener);
    EXPECT_EQ(once.listener.GetRegistrations(), PackedVector<ListenerList*>{&list});
}

TEST(ListenerList, ListenersRegisteredDuringAWalkAreReachedAsTheListOutgrowsItsRoom) {
    Calls calls;
    ListenerList list;
    std::vector<std::unique_ptr<Recorder>> added;
    Recorder first(&calls, "first");
    first.action = [&] {
        for (int i = 0; i < 9; ++i) {
            added.push_back(std::make_unique<Recorder>(&calls, "added" + std::to_string(i)));
            list.Register(added.back()->listener);
        }
    };
    list.Register(first.listener);
    list.Invoke(EmptyEvent());
    ASSERT_EQ(calls.size(), 10u);
    EXPECT_EQ(calls.back(), "added8");
    // Dying ones leave, whether the list keeps them inside itself or outside.
    added.erase(added.begin() + 1, added.end());
    first.action = nullptr;
    calls.clear();
    list.Invoke(EmptyEvent());
    EXPECT_EQ(calls, (Calls{"first", "added0"}));
    EXPECT_EQ(list.Size(), 2u);
}

}  // namespace
