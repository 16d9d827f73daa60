// The commands of oxhost. Each returns the program's exit status and throws
// HostError for failures the user must hear about.
#pragma once

#include "Options.h"

namespace oxhost {

enum ExitStatus { kExitDone = 0, kExitFailed = 1, kExitUsage = 2, kExitInterrupted = 130 };

int RunCommand(const Options& options);
int FlatCommand(const Options& options);
int ListCommand(const Options& options);
int AboutCommand(const Options& options);
int PalettesCommand(const Options& options);
int DialogItemsCommand(const Options& options);

}  // namespace oxhost
