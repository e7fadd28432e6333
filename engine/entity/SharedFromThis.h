#pragma once
#include <memory>

namespace VelaEngine {

// The engine's own step between components and the standard self-reference; it adds
// nothing, it only keeps the engine's class names stable.
template <class T>
class enable_shared_from_this_depreciated : public std::enable_shared_from_this<T> {};

}  // namespace VelaEngine
