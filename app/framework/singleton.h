// Process-wide single objects. Every dialog, every overlay and the core are
// reached through T::Instance(), including from the static window procedures
// that Win32 calls, so no object pointer travels through window data.
#pragma once

namespace gkr {

// Base of a class that has exactly one object per process. The object is
// made with new on the first call and never deleted: windows and the worker
// thread may still reach it while the process ends.
//
// A derived class keeps its constructor private and declares
// `friend class Singleton<T>;`.
template <class T>
class Singleton {
public:
    static T* Instance() {
        static T* const instance = new T();
        return instance;
    }

    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

protected:
    Singleton() = default;
    ~Singleton() = default;
};

}  // namespace gkr
