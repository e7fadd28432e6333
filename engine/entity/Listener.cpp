#include "engine/entity/Listener.h"

#include <algorithm>

#include "engine/entity/EntityList.h"

namespace VelaEngine::Events {

namespace {
template <class T>
void EraseAll(PackedVector<T*>& items, const T* item) {
    items.erase(std::remove(items.begin(), items.end(), item), items.end());
}
}  // namespace

const EventBase& EmptyEvent() {
    static const EventBase empty;
    return empty;
}

Listener::~Listener() {
    // Forget edits only the list's side, so walking our own registrations stays valid.
    for (ListenerList* list : registrations_) {
        list->Forget(this);
    }
}

ListenerList::~ListenerList() {
    for (Listener* listener : listeners_) {
        if (listener != nullptr) {
            EraseAll(listener->registrations_, this);
        }
    }
}

void ListenerList::Register(Listener& listener) {
    // The passes skip entities with nothing to call; this one may now have something.
    EntityTree::ShapeChanged();
    listeners_.push_back(&listener);
    listener.registrations_.push_back(this);
}

void ListenerList::Fire() {
    Walk walk(*this);
    Invoke(EmptyEvent());
    for (Listener*& listener : listeners_) {
        if (listener != nullptr) {
            EraseAll(listener->registrations_, this);
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

void ListenerList::Compact() {
    listeners_.RemoveAll(nullptr);
    holes_ = false;
}

}  // namespace VelaEngine::Events
