// Scoped owners of Win32 handles: device contexts, GDI objects, objects
// selected into a DC, a paint, kernel handles, registry keys.
// Each frees what it holds in its destructor, so no early return leaks one and
// no caller writes a DeleteObject/ReleaseDC ladder.
#pragma once

#include <windows.h>

namespace gkr {

// A GDI object (bitmap, brush, font, pen, region) freed with DeleteObject.
template <class T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object) : object_(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : object_(other.Release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    T Get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Gives the object away, for a call that takes ownership (SetWindowRgn).
    T Release() {
        T object = object_;
        object_ = nullptr;
        return object;
    }
    void Reset(T object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    T object_ = nullptr;
};

using ScopedBitmap = GdiObject<HBITMAP>;
using ScopedBrush = GdiObject<HBRUSH>;
using ScopedFont = GdiObject<HFONT>;
using ScopedRegion = GdiObject<HRGN>;

// A device context this program created, freed with DeleteDC.
class CreatedDC {
public:
    ~CreatedDC() {
        if (dc_) DeleteDC(dc_);
    }
    CreatedDC(const CreatedDC&) = delete;
    CreatedDC& operator=(const CreatedDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

protected:
    explicit CreatedDC(HDC dc) : dc_(dc) {}

private:
    HDC dc_;
};

// The whole display: screen pixels are read through it.
class DisplayDC : public CreatedDC {
public:
    DisplayDC() : CreatedDC(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)) {}
};

// An off-screen DC compatible with `dc` (NULL: with the screen).
class MemoryDC : public CreatedDC {
public:
    explicit MemoryDC(HDC dc) : CreatedDC(CreateCompatibleDC(dc)) {}
};

// A window's DC, released to the window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back, so the object
// can be deleted afterwards. Declare it after the object it selects.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectScope() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

    bool Ok() const { return old_ && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint .. EndPaint of one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// A kernel object handle (file, event, thread); INVALID_HANDLE_VALUE and NULL
// both mean none.
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    // Closes now; false if CloseHandle failed (for a file, a failed flush).
    bool Close() {
        if (!Valid()) return true;
        const bool ok = CloseHandle(handle_) != 0;
        handle_ = nullptr;
        return ok;
    }

private:
    HANDLE handle_ = nullptr;
};

// An open registry key, closed with RegCloseKey.
class ScopedRegKey {
public:
    ScopedRegKey() = default;
    ~ScopedRegKey() {
        if (key_) RegCloseKey(key_);
    }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    HKEY Get() const { return key_; }
    // For RegOpenKeyExW to fill; closes a key held before.
    HKEY* Receive() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
        return &key_;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace gkr
