// What the dummy game screen shows: the state of the two display parts the
// companion utility reads, on top of an otherwise fixed frame.
#pragma once

#include <array>

#include "dummy/image.h"

namespace dummy {

struct Scene {
    bool gaugeShown = true;
    int maxHealth = 100;  // 50..150 in steps of 5, while the gauge is shown
    bool notePanelShown = true;
    std::array<int, 4> notes{};  // note codes 1..7 from the left, 0 = empty slot

    bool operator==(const Scene& o) const {
        return gaugeShown == o.gaugeShown && (!gaugeShown || maxHealth == o.maxHealth) &&
               notePanelShown == o.notePanelShown && (!notePanelShown || notes == o.notes);
    }
    bool operator!=(const Scene& o) const { return !(*this == o); }
};

// The scene of the committed still picture: gauge with maximum health 100,
// note panel shown with all four slots empty.
Scene StillScene();

// True when the scene can be drawn: maximum health on the gauge's scale, note
// codes 1..7 filling the slots from the left.
bool IsValidScene(const Scene& scene);

// The whole 644 x 483 frame for a scene.
Image RenderGameFrame(const Scene& scene);

// Repaints the scene-dependent bands of a frame rendered for any other scene,
// giving the same pixels as RenderGameFrame(scene). Frames of another size are
// left alone.
void ApplyScene(const Scene& scene, Image& frame);

}  // namespace dummy
