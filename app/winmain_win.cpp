// GKRTimer's entry point.
#include <windows.h>

#include "app/app_core_win.h"
#include "app/defaults.h"
#include "app/single_instance_win.h"
#include "app/startup_win.h"
#include "settings/settings.h"
#include "settings/song_sheets.h"

namespace {

// The process-wide objects exist before WinMain runs, the core (with the
// dialog and overlay objects) first, and the settings record after it. None
// of them is ever destroyed (singleton.h), so neither the stopped worker nor a
// window that outlives WinMain can reach a destroyed object.
struct ProcessObjects {
    ProcessObjects() {
        gkr::AppCore::Instance();
        gkr::Settings::Instance();
        gkr::SongSheets::Instance();
    }
} g_processObjects;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!gkr::ClaimSingleInstance()) return 0;
    gkr::ApplyDefaults(gkr::Settings::Instance());
    if (!gkr::InitApplication(instance)) return gkr::kStartFailedExitCode;
    const int exitCode = gkr::RunMessageLoop();
    return gkr::ShutDown(exitCode);
}
