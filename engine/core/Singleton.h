#pragma once
// One instance per service type, owned by a process-wide holder. Each service names itself
// for the missing-instance failure with `static constexpr const char* kServiceName`.
#include <memory>
#include <string>

#include "engine/core/VEDebug.h"

namespace VelaEngine {

template <class T>
class Singleton {
public:
    virtual ~Singleton() {
        if (instance_ == this) {
            instance_ = nullptr;
        }
    }

    static void Create() {
        Assert(Holder() == nullptr, "Can only instantiate Singleton once");
        Holder() = std::make_shared<T>();
        instance_ = Holder().get();
    }

    // Every use of a service goes through here: no instance is fatal.
    static T& Get() {
        // Read from the plain pointer: services are asked for in the innermost loops.
        if (instance_ == nullptr) {
            Fail(std::string(T::kServiceName) + " not Instantiated");
        }
        return *static_cast<T*>(const_cast<Singleton*>(instance_));
    }

    // Also right while the services are shut down one by one, when a component that outlives
    // a service (one held by the resource cache) asks whether it may still call it.
    static bool Exists() { return instance_ != nullptr; }

    // Ends the service early; tests and tools use it to start again in one process.
    static void Release() {
        // Gone for Get before the instance goes, so nothing its destructor calls finds it.
        instance_ = nullptr;
        Holder().reset();
    }

private:
    // Defined once per service in ServiceHolders.cpp, where the holders' order is fixed.
    static std::shared_ptr<T>& Holder();
    // Plain data, so it stays readable after the holder itself is gone.
    static inline const Singleton* instance_ = nullptr;
};

}  // namespace VelaEngine

// Declares that a service's holder is defined with the others (say it after the class, at
// global scope).
#define VELA_SERVICE_HOLDER_DECLARATION(Type) \
    template <>                               \
    std::shared_ptr<Type>& VelaEngine::Singleton<Type>::Holder();
