// Process-wide single objects. Every one of them (the dialogs, the overlays,
// the core, the threads' own records, the settings record, the song list,
// the test seams) is reached the same way, T::Instance(), which gives a
// reference; the static window procedures that Win32 calls find their object
// so too, and no object pointer travels through window data.
#pragma once

namespace gkr {

// Base of a class that has exactly one process-wide object. The object is
// made with new on the first call and never deleted: windows and the other
// threads may still reach it while the process ends.
//
// A derived class keeps its constructor private and declares
// `friend class Singleton<T>;`; a value type that tests also make on their own
// (the settings record, the song list) keeps a public one.
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
