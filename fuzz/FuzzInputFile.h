// The readers under test open files by path, so a fuzz input goes through a
// file of this process's own in /tmp (distinct per process, so that parallel
// fuzzing jobs do not overwrite each other's input).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Replaces the process's input file with the bytes and returns its path;
// the suffix lets readers that look at the extension see the right one. The
// file is removed when the process exits normally.
const std::string& WriteFuzzInputFile(const uint8_t* data, size_t size, const char* suffix);
