#pragma once
// Listeners and the lists they are registered in. Both sides know each other, so whichever
// is destroyed first leaves the other.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/entity/EntityStorage.h"
#include "engine/entity/EventBase.h"
#include "engine/entity/SmallPointerList.h"

namespace VelaEngine::Events {

class ListenerList;

template <class T>
using PackedVector = std::vector<T, PackedAllocator<T>>;

// The lists a listener is registered in, one entry per registration, in one word: mostly
// one list, held in the word itself; with more, the word holds a block of them and its low
// bit says so. Components keep their listeners inline, so this sets much of their size.
class Registrations {
public:
    Registrations() = default;
    Registrations(const Registrations&) = delete;
    Registrations& operator=(const Registrations&) = delete;
    ~Registrations() { delete Many(); }

    void Add(ListenerList* list);
    // Takes out every entry of `list`.
    void EraseAll(const ListenerList* list);
    // The entries, in registration order.
    PackedVector<ListenerList*> List() const;
    // Each entry, in registration order; `visit` may not add or take out any.
    template <class Visit>
    void ForEach(Visit&& visit) const {
        if (Block* many = Many()) {
            for (ListenerList* list : *many) {
                visit(list);
            }
        } else if (bits_ != 0) {
            visit(reinterpret_cast<ListenerList*>(bits_));
        }
    }

private:
    using Block = PackedVector<ListenerList*>;
    Block* Many() const {
        return (bits_ & 1U) != 0 ? reinterpret_cast<Block*>(bits_ - 1U) : nullptr;
    }

    std::uintptr_t bits_ = 0;
};

class Listener {
public:
    Listener() = default;
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;
    // Leaves every list it is still in.
    virtual ~Listener();
    virtual void Invoke(const EventBase& event) = 0;

    // One entry per registration, so a list appears as often as it holds this listener.
    PackedVector<ListenerList*> GetRegistrations() const { return registrations_.List(); }

private:
    friend class ListenerList;
    Registrations registrations_;
};

// Calls one member function of one object; declared as a data member of that object so that
// it lives and dies with it.
template <class T>
class ClassListener : public Listener {
public:
    using Handler = void (T::*)(const EventBase&);

    ClassListener(T* object, Handler handler) : handler_(handler), object_(object) {}
    void Invoke(const EventBase& event) override { (object_->*handler_)(event); }

private:
    Handler handler_;
    T* object_;
};

// Non-owning, in registration order. A listener registered while the list is being walked
// is reached in the same walk; one that dies during a walk is skipped, never dereferenced.
class ListenerList {
public:
    ListenerList() = default;
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;
    // Leaves every listener still registered here.
    ~ListenerList();

    void Register(Listener& listener);
    // Every listener, in order; the list keeps them. Inline: the passes call it for every
    // entity with something to call, mostly for one listener.
    void Invoke(const EventBase& event) {
        // Nothing to call, so nothing can register during the walk: a contact's other party
        // mostly has no contact listener.
        if (listeners_.empty()) {
            return;
        }
        Walk walk(*this);
        // By index and re-reading the size: registrations during the walk append and are
        // reached.
        for (std::size_t i = 0; i < listeners_.size(); ++i) {
            if (Listener* listener = listeners_[i]) {
                listener->Invoke(event);
            }
        }
    }
    // One-shot: every listener with the empty event, then all of them leave the list.
    void Fire();

    std::size_t Size() const;
    bool Empty() const { return Size() == 0; }
    bool Contains(const Listener& listener) const;
    // Whether `listener` is the one listener here; inline, for checks made every frame.
    bool HoldsOnly(const Listener& listener) const {
        if (listeners_.size() == 1) {
            return listeners_[0] == &listener;
        }
        return Size() == 1 && Contains(listener);
    }

private:
    friend class Listener;

    // Marks a walk over the list, also when a listener's call unwinds.
    class Walk {
    public:
        explicit Walk(ListenerList& list) : list_(list) {
            // Wraps only for a listener calling its own list back, 65,535 calls deep.
            if (++list_.walks_ == 0) {
                list_.WalkedTooDeep();
            }
        }
        ~Walk() {
            if (--list_.walks_ == 0 && list_.holes_) {
                list_.Compact();
            }
        }
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        ListenerList& list_;
    };

    // Called by a dying listener.
    void Forget(Listener* listener);
    // Takes back the walk that wrapped the count round, and fails.
    [[noreturn]] void WalkedTooDeep();
    void Compact();

    // The walk count and the hole flag sit in the padding after the pointers: with them the
    // list takes 32 bytes, and an entity's lists its passes read take two cache lines.
    [[no_unique_address]] SmallPointerList<Listener, 2> listeners_;
    // Walks in progress; removals during a walk leave holes that are closed afterwards.
    bool holes_ = false;
    std::uint16_t walks_ = 0;
};

}  // namespace VelaEngine::Events
