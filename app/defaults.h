// Start-up values: the user's locale, the default option values and the
// default hotkey action list.
#pragma once

#include "settings/settings.h"

namespace gkr {

// Installs the user's default locale (the one named by "") for C++ and the
// C runtime, then stores the default option values.
void ApplyDefaults(Settings& settings);

// The user's default locale as the process-wide locale. Narrow text in the
// data files is in this locale's code page (949 on Korean systems). A runtime
// that does not know the locale keeps its current one.
void InstallUserLocale();

// The option values a fresh installation starts with. Options not listed
// here (UseTimer, UseEnergy, UseFlute, ...) keep their value, 0 at start.
void StoreDefaultOptions(Settings& settings);

// Replaces the hotkey list with the eight actions, unbound, numbered 0..7.
void BuildDefaultActionList(Settings& settings);

}  // namespace gkr
