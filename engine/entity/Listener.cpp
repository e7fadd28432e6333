#include "engine/entity/Listener.h"

#include <algorithm>

#include "engine/core/VEDebug.h"
#include "engine/entity/EntityList.h"

namespace VelaEngine::Events {

void Registrations::Add(ListenerList* list) {
    static_assert(alignof(ListenerList) > 1, "the low bit of a list's address marks a block");
    if (bits_ == 0) {
        bits_ = reinterpret_cast<std::uintptr_t>(list);
        return;
    }
    Block* many = Many();
    if (many == nullptr) {
        many = new Block{reinterpret_cast<ListenerList*>(bits_)};
        bits_ = reinterpret_cast<std::uintptr_t>(many) + 1U;
    }
    many->push_back(list);
}

void Registrations::EraseAll(const ListenerList* list) {
    Block* many = Many();
    if (many == nullptr) {
        if (bits_ == reinterpret_cast<std::uintptr_t>(list)) {
            bits_ = 0;
        }
        return;
    }
    many->erase(std::remove(many->begin(), many->end(), list), many->end());
    if (many->empty()) {
        delete many;
        bits_ = 0;
    }
}

PackedVector<ListenerList*> Registrations::List() const {
    PackedVector<ListenerList*> lists;
    ForEach([&](ListenerList* list) { lists.push_back(list); });
    return lists;
}

const EventBase& EmptyEvent() {
    static const EventBase empty;
    return empty;
}

Listener::~Listener() {
    // Forget edits only the list's side, so walking our own registrations stays valid.
    registrations_.ForEach([this](ListenerList* list) { list->Forget(this); });
}

ListenerList::~ListenerList() {
    for (Listener* listener : listeners_) {
        if (listener != nullptr) {
            listener->registrations_.EraseAll(this);
        }
    }
}

void ListenerList::Register(Listener& listener) {
    // The passes skip entities with nothing to call; this one may now have something.
    EntityTree::ShapeChanged();
    listeners_.push_back(&listener);
    listener.registrations_.Add(this);
}

void ListenerList::Fire() {
    Walk walk(*this);
    Invoke(EmptyEvent());
    for (Listener*& listener : listeners_) {
        if (listener != nullptr) {
            listener->registrations_.EraseAll(this);
            listener = nullptr;
        }
    }
    holes_ = true;
}

std::size_t ListenerList::Size() const {
    return static_cast<std::size_t>(
        std::count_if(listeners_.begin(), listeners_.end(), [](Listener* l) { return l; }));
}

bool ListenerList::Contains(const Listener& listener) const {
    return std::find(listeners_.begin(), listeners_.end(), &listener) != listeners_.end();
}

void ListenerList::Forget(Listener* listener) {
    if (walks_ > 0) {
        std::replace(listeners_.begin(), listeners_.end(), listener,
                     static_cast<Listener*>(nullptr));
        holes_ = true;
    } else {
        listeners_.RemoveAll(listener);
    }
}

// The walk count and the hole flag share the pointers' last eight bytes.
static_assert(sizeof(ListenerList) == 32);

void ListenerList::WalkedTooDeep() {
    --walks_;
    Fail("Listener list walked more than 65535 times inside itself");
}

void ListenerList::Compact() {
    listeners_.RemoveAll(nullptr);
    holes_ = false;
}

}  // namespace VelaEngine::Events
