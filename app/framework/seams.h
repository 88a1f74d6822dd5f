// The places where the Windows tests put their own doing in place of the
// program's: the shell, the player's message box, the overlay thread and the
// overlay mode. GKRTimer itself never sets them; the test program sets them
// on its main thread while no thread of the program runs. Read by every thread.
#pragma once

#include <atomic>
#include <functional>

#include "app/framework/singleton.h"

namespace gkr {

class Seams : public Singleton<Seams> {
public:
    using ShellOpener = bool (*)(const wchar_t* file, const wchar_t* parameters);
    using PlayerMessageBox = void (*)(const wchar_t* text);
    using OverlayJobRunner = void (*)(const std::function<void()>& job);

    // Opens a file or an address instead of the shell; says whether it could.
    std::atomic<ShellOpener> openShell{nullptr};
    // Takes what the player is told instead of a message box.
    std::atomic<PlayerMessageBox> tellPlayer{nullptr};
    // Runs an overlay job instead of handing it to the overlay thread: the
    // calling thread then owns the overlays.
    std::atomic<OverlayJobRunner> runOverlayJob{nullptr};
    // An OverlayMode value that replaces the run's own choice; -1: none.
    std::atomic<int> overlayMode{-1};

private:
    friend class Singleton<Seams>;
    Seams() = default;
};

}  // namespace gkr
