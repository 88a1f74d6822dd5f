#include "dummy/scene_commands.h"

#include "dummy/hud_layout.h"

namespace dummy {

namespace {

bool ApplyNoteDigits(int digits, Scene& scene) {
    Scene next = scene;
    next.notePanelShown = true;
    for (int k = 3; k >= 0; --k, digits /= 10) next.notes[k] = digits % 10;
    if (!IsValidScene(next)) return false;
    scene = next;
    return true;
}

bool ApplyMaxHealth(int maxHealth, Scene& scene) {
    if (!IsGaugeMaxHealth(maxHealth)) return false;
    scene.gaugeShown = true;
    scene.maxHealth = maxHealth;
    return true;
}

// Whole text as a decimal number of at most four digits; -1 when it is not one.
int SmallNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 4) return -1;
    int value = 0;
    for (wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') return -1;
        value = value * 10 + (ch - L'0');
    }
    return value;
}

bool ApplyGaugeOption(const std::wstring& value, Scene& scene) {
    if (value == L"off") {
        scene.gaugeShown = false;
        return true;
    }
    return ApplyMaxHealth(SmallNumber(value), scene);
}

bool ApplyNotesOption(const std::wstring& value, Scene& scene) {
    if (value == L"off") {
        scene.notePanelShown = false;
        return true;
    }
    if (value == L"on") return ApplyNoteDigits(0, scene);
    // Codes separated by commas, one digit each.
    int digits = 0, count = 0;
    for (std::size_t i = 0; i < value.size(); i += 2) {
        if (count == kNoteSlots || value[i] < L'1' || value[i] > L'7') return false;
        if (i + 1 < value.size() && value[i + 1] != L',') return false;
        if (i + 1 == value.size() - 1) return false;  // trailing comma
        digits = digits * 10 + (value[i] - L'0');
        ++count;
    }
    if (count == 0) return false;
    for (int k = count; k < kNoteSlots; ++k) digits *= 10;
    return ApplyNoteDigits(digits, scene);
}

}  // namespace

bool ApplySceneCommand(int id, Scene& scene) {
    if (id == kCmdStillPicture) {
        scene = StillScene();
        return true;
    }
    if (id == kCmdHideGauge) {
        scene.gaugeShown = false;
        return true;
    }
    if (id == kCmdHideNotePanel) {
        scene.notePanelShown = false;
        return true;
    }
    if (id >= GaugeCommand(kMinMaxHealth) && id <= GaugeCommand(kMaxMaxHealth))
        return ApplyMaxHealth(id - kCmdGaugeBase, scene);
    if (id >= kCmdNotePanelBase && id < kCmdNotePanelBase + 10000) return ApplyNoteDigits(id - kCmdNotePanelBase, scene);
    return false;
}

Scene SceneFromArguments(const std::vector<std::wstring>& args) {
    Scene scene = StillScene();
    const std::wstring gauge = L"--gauge=", notes = L"--notes=";
    for (const std::wstring& arg : args) {
        if (arg.compare(0, gauge.size(), gauge) == 0) {
            ApplyGaugeOption(arg.substr(gauge.size()), scene);
        } else if (arg.compare(0, notes.size(), notes) == 0) {
            ApplyNotesOption(arg.substr(notes.size()), scene);
        }
    }
    return scene;
}

}  // namespace dummy
