// The seven note colours the game draws in its note panel, by note code 1..7.
#pragma once

#include "dummy/image.h"

namespace dummy {

constexpr int kNoteCodeCount = 7;

constexpr Rgb kNoteColors[kNoteCodeCount] = {
    {0, 255, 0},     // 1 green
    {0, 255, 255},   // 2 sky blue
    {32, 40, 255},   // 3 blue
    {255, 0, 0},     // 4 red
    {255, 255, 0},   // 5 yellow
    {240, 17, 238},  // 6 pink
    {255, 255, 255}, // 7 white
};

constexpr bool IsNoteCode(int code) { return code >= 1 && code <= kNoteCodeCount; }
constexpr Rgb NoteColor(int code) { return kNoteColors[code - 1]; }

}  // namespace dummy
