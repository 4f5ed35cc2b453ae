// A window made the first time it is needed: the windows a person may never open cost nothing
// at start-up.
#pragma once

#include <functional>
#include <utility>

namespace morvel {

template <class T>
class Deferred {
  public:
    Deferred() = default;
    // `get` makes the window on its first call and returns the same one after that.
    explicit Deferred(std::function<T&()> get) : get_(std::move(get)) {}

    T& operator*() const { return get_(); }
    T* operator->() const { return &get_(); }
    explicit operator bool() const { return static_cast<bool>(get_); }

  private:
    std::function<T&()> get_;
};

}  // namespace morvel
