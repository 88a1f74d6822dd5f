#include "dummy/scene.h"

#include "dummy/hud.h"
#include "dummy/hud_layout.h"
#include "dummy/note_colors.h"
#include "dummy/world.h"

namespace dummy {

namespace {

// Every layer, in painting order, cut to the canvas's clip rectangle.
void PaintLayers(Canvas& canvas, const Scene& scene) {
    DrawWorld(canvas);
    DrawFixedHud(canvas);
    if (scene.gaugeShown) DrawGauges(canvas, scene.maxHealth);
    if (scene.notePanelShown) DrawNotePanel(canvas, scene.notes);
}

}  // namespace

Scene StillScene() { return Scene{}; }

bool IsValidScene(const Scene& scene) {
    if (scene.gaugeShown && !IsGaugeMaxHealth(scene.maxHealth)) return false;
    if (!scene.notePanelShown) return true;
    bool ended = false;
    for (int code : scene.notes) {
        if (code == 0) {
            ended = true;
        } else if (ended || !IsNoteCode(code)) {
            return false;
        }
    }
    return true;
}

Image RenderGameFrame(const Scene& scene) {
    Image frame(kFrameWidth, kFrameHeight);
    Canvas canvas(frame);
    PaintLayers(canvas, scene);
    return frame;
}

void ApplyScene(const Scene& scene, Image& frame) {
    if (frame.Width() != kFrameWidth || frame.Height() != kFrameHeight) return;
    for (const Rect& band : {kGaugeBand, kNoteBand}) {
        Canvas canvas(frame, band);
        PaintLayers(canvas, scene);
    }
}

}  // namespace dummy
