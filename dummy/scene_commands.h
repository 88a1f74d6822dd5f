// How DummyGKR is told which scene to show: start-up options and WM_COMMAND ids.
//
// Start-up options (any order; a later option overrides an earlier one of the
// same kind, and an option that does not parse is ignored):
//   --gauge=off         no health gauge (nor stamina gauge) on the screen
//   --gauge=V           health gauge with maximum health V (50..150, a multiple of 5)
//   --notes=off         flute marker and note panel hidden
//   --notes=on          note panel shown with all four slots empty
//   --notes=A[,B[,C[,D]]]  note panel with these note codes (1..7) from the left
// Without options the window shows the still picture unchanged.
//
// Commands, posted to the window as WM_COMMAND with the id in the low word of
// wParam (for example `probe command HWND 54170`). Each one changes only its
// part of the scene:
//   41000               back to the still picture (undoes every option and command)
//   41001               health gauge hidden
//   41002               flute marker and note panel hidden
//   41000 + V           health gauge with maximum health V (41050..41150), e.g. 41120 for 120
//   50000 + ABCD        note panel with the note codes given as decimal digits
//                       from the left, 0 for the empty slots after the last
//                       note: 54170 = notes 4, 1, 7; 50000 = shown, all empty
//   42000 + N           stop answering messages for N seconds (1..999), as a
//                       game that hangs: the window's thread sleeps, so
//                       nothing sent or posted to the window is handled
// Other ids, and these ids with values out of range, are not scene commands.
#pragma once

#include <string>
#include <vector>

#include "dummy/scene.h"

namespace dummy {

constexpr int kCmdStillPicture = 41000;
constexpr int kCmdHideGauge = 41001;
constexpr int kCmdHideNotePanel = 41002;
constexpr int kCmdGaugeBase = 41000;  // plus 50..150, clear of the three above
constexpr int kCmdNotePanelBase = 50000;
constexpr int kCmdHangBase = 42000;  // plus 1..999 seconds
constexpr int kMaxHangSeconds = 999;

// Id of the command that shows the gauge with maximum health v.
constexpr int GaugeCommand(int maxHealth) { return kCmdGaugeBase + maxHealth; }
// Id of the command that shows the note panel with the given notes (0 = empty).
constexpr int NotePanelCommand(int a, int b = 0, int c = 0, int d = 0) {
    return kCmdNotePanelBase + a * 1000 + b * 100 + c * 10 + d;
}

// Id of the command that hangs the window for `seconds`.
constexpr int HangCommand(int seconds) { return kCmdHangBase + seconds; }
// The seconds command `id` hangs the window for; 0 when it is no hang command.
constexpr int HangSeconds(int id) {
    return id > kCmdHangBase && id <= kCmdHangBase + kMaxHangSeconds ? id - kCmdHangBase : 0;
}

// Applies command `id` to the scene. Returns false, leaving the scene as it
// was, when id is not a scene command.
bool ApplySceneCommand(int id, Scene& scene);

// The scene chosen by the start-up options (program name not included).
Scene SceneFromArguments(const std::vector<std::wstring>& args);

}  // namespace dummy
