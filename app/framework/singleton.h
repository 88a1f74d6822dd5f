// Process-wide single objects. Every one of them (the dialogs, the overlays,
// the core, the overlay thread, the process functions, the settings record,
// the song list) is reached the same way, T::Instance(), which gives a
// reference; the static window procedures that Win32 calls find their object
// so too, and no object pointer travels through window data.
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
    static T& Instance() {
        static T* const instance = new T();
        return *instance;
    }

    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

protected:
    Singleton() = default;
    ~Singleton() = default;
};

}  // namespace gkr
