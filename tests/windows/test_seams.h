// The program's seams as the Windows tests set them for the whole test
// program: what the player is told is recorded (no one is there to click a
// message box), and every overlay job runs on the thread that hands it over,
// which then owns the overlays. Tests that need more change a seam for their
// own lifetime through the guards below. The settings record's one writer is
// bound to the tests' main thread: a write from another thread fails the run.
#pragma once

#include <string>
#include <vector>

#include "app/framework/seams.h"

namespace gkr::testing {

// Cleared by each test that looks at it.
std::vector<std::wstring>& PlayerMessages();

// The shell replaced by `opener` while the guard lives.
class ShellSeam {
public:
    explicit ShellSeam(Seams::ShellOpener opener) { Seams::Instance().openShell = opener; }
    ~ShellSeam() { Seams::Instance().openShell = nullptr; }
    ShellSeam(const ShellSeam&) = delete;
    ShellSeam& operator=(const ShellSeam&) = delete;
};

// The overlay mode forced while the guard lives (an OverlayMode value).
class OverlayModeSeam {
public:
    explicit OverlayModeSeam(int mode) { Seams::Instance().overlayMode = mode; }
    ~OverlayModeSeam() { Seams::Instance().overlayMode = -1; }
    OverlayModeSeam(const OverlayModeSeam&) = delete;
    OverlayModeSeam& operator=(const OverlayModeSeam&) = delete;
};

// Overlay jobs go to the real overlay thread while the guard lives.
class RealOverlayThread {
public:
    RealOverlayThread();
    ~RealOverlayThread();
    RealOverlayThread(const RealOverlayThread&) = delete;
    RealOverlayThread& operator=(const RealOverlayThread&) = delete;
};

}  // namespace gkr::testing
