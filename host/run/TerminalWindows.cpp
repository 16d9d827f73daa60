#include <io.h>

#include <cstdio>

#include "host/run/TerminalProgress.h"

namespace oxhost {

bool ErrorStreamIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

}  // namespace oxhost
