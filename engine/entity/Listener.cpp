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

// Marks a walk over the list, also when a listener's call unwinds.
class ListenerList::Walk {
public:
    explicit Walk(ListenerList& list) : list_(list) { ++list_.walks_; }
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

void ListenerList::Invoke(const EventBase& event) {
    Walk walk(*this);
    // By index and re-reading the size: registrations during the walk append and are reached.
    for (std::size_t i = 0; i < listeners_.size(); ++i) {
        if (Listener* listener = listeners_[i]) {
            listener->Invoke(event);
        }
    }
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
