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
    void OnEvent(const EventBase& event) {
        calls->push_back(name + (&event == &EmptyEvent() ? "" : "*"));
        if (action) {
            action();
        }
    }
    Calls* calls;
    std::string name;
    std::function<void()> action;
    ClassListener<Recorder> listener{this, &Recorder::OnEvent};
};

TEST(ListenerList, InvokeCallsInRegistrationOrderAndFireOnlyOnceWithTheEmptyEvent) {
    Calls calls;
    Recorder a(&calls, "a"), b(&calls, "b");
    ListenerList list, once;
    list.Register(b.listener);
    list.Register(a.listener);
    list.Register(b.listener);
    const EventBase other;
    list.Invoke(other);
    list.Invoke(EmptyEvent());
    EXPECT_EQ(calls, (Calls{"b*", "a*", "b*", "b", "a", "b"}));
    EXPECT_EQ(list.Size(), 3u);
    EXPECT_EQ(b.listener.GetRegistrations().size(), 2u);

    calls.clear();
    once.Register(a.listener);
    once.Fire();
    once.Fire();
    EXPECT_EQ(calls, Calls{"a"});
    EXPECT_TRUE(once.Empty());
    EXPECT_EQ(a.listener.GetRegistrations(), std::vector<ListenerList*>{&list});
}

TEST(ListenerList, ListenerAppendedDuringAWalkIsReachedInThatWalk) {
    Calls calls;
    Recorder first(&calls, "first"), late(&calls, "late"), later(&calls, "later");
    ListenerList list;
    list.Register(first.listener);
    int registrations = 0;
    first.action = [&] {
        if (registrations++ == 0) {
            list.Register(late.listener);
        }
    };
    late.action = [&] {
        if (registrations++ == 1) {
            list.Register(later.listener);
        }
    };
    list.Invoke(EmptyEvent());
    EXPECT_EQ(calls, (Calls{"first", "late", "later"}));
}

TEST(ListenerList, ADestroyedListenerLeavesItsListsAndADestroyedListItsListeners) {
    Calls calls;
    ListenerList updates, draws;
    Recorder stays(&calls, "stays");
    auto dies = std::make_unique<Recorder>(&calls, "dies");
    updates.Register(dies->listener);
    updates.Register(stays.listener);
    draws.Register(dies->listener);
    draws.Register(dies->listener);
    dies.reset();
    EXPECT_EQ(updates.Size(), 1u);
    EXPECT_TRUE(draws.Empty());
    updates.Invoke(EmptyEvent());
    draws.Invoke(EmptyEvent());
    EXPECT_EQ(calls, Calls{"stays"});
    {
        ListenerList gone;
        gone.Register(stays.listener);
        gone.Register(stays.listener);
    }
    EXPECT_EQ(stays.listener.GetRegistrations(), std::vector<ListenerList*>{&updates});
}

TEST(ListenerList, ListenerDyingDuringAWalkIsSkippedNotCalled) {
    Calls calls;
    ListenerList list;
    Recorder killer(&calls, "killer");
    auto victim = std::make_unique<Recorder>(&calls, "victim");
    Recorder after(&calls, "after");
    list.Register(killer.listener);
    list.Register(victim->listener);
    list.Register(after.listener);
    killer.action = [&] { victim.reset(); };
    list.Invoke(EmptyEvent());
    EXPECT_EQ(calls, (Calls{"killer", "after"}));
    EXPECT_EQ(list.Size(), 2u);
}

}  // namespace
