// The preferences file "Tintflood Prefs": the settings the user last
// confirmed in the options dialog, kept as two lines of text in the per-user
// application-data folder. Reading is lenient and silent; writing replaces
// the file in one step or not at all.
#pragma once

#include <string>

#include "TintfloodSettings.h"

// Name of the file inside PreferencesFolder().
constexpr const char kPreferencesFileName[] = "Tintflood Prefs";

// The per-user application-data folder ending with a path separator, or ""
// when the platform has none; it is created when missing.
std::string PreferencesFolder();

// Updates `settings`, which the caller has just set to defaults, from the
// file. A missing or unreadable file leaves the defaults; a damaged one
// supplies the fields before the damage; one of another program or version
// resets the whole record to defaults.
void ReadPreferences(TintfloodSettings& settings);

// Replaces the file with `settings`. Failures are silent and leave any
// earlier file whole.
void WritePreferences(const TintfloodSettings& settings);
