// Replacing a small file in one step, so that a crash or a full disk never
// leaves a partly written file under its real name.
#pragma once

#include <string>

// Writes `content` to a new temporary file in the folder of `path` and
// renames it over `path`. False, with `path` untouched and the temporary
// file removed, when any step fails.
bool ReplaceFileAtomically(const std::string& path, const std::string& content);
