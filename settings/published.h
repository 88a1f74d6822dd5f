// A value that one thread replaces whole while others read it without a lock.
// Readers take a snapshot (a shared pointer to an immutable value) and keep
// using it even if a new value is published meanwhile; a writer builds the new
// value aside and publishes it in one step, so no reader sees one half built.
#pragma once

#include <atomic>
#include <memory>
#include <utility>

namespace gkr {

template <class T>
class Published {
public:
    Published() : value_(std::make_shared<const T>()) {}

    std::shared_ptr<const T> Snapshot() const { return std::atomic_load(&value_); }

    // Returns the value it replaced, for a caller that must keep it alive.
    std::shared_ptr<const T> Publish(T value) { return PublishMade(std::make_shared<const T>(std::move(value))); }
    // The same with a value made already, which the writer may keep reading.
    std::shared_ptr<const T> PublishMade(std::shared_ptr<const T> value) {
        return std::atomic_exchange(&value_, std::move(value));
    }

private:
    std::shared_ptr<const T> value_;
};

}  // namespace gkr
