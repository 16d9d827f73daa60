#include <unistd.h>

#include "host/run/TerminalProgress.h"

namespace oxhost {

bool ErrorStreamIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

}  // namespace oxhost
