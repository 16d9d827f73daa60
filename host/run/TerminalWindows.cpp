#include <io.h>
#include <windows.h>

#include <cstdio>

#include "host/run/TerminalProgress.h"

namespace oxhost {

bool ErrorStreamIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

// The visible window's width, not the screen buffer's, which may be wider.
int ErrorStreamColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
        const int columns = info.srWindow.Right - info.srWindow.Left + 1;
        if (columns > 0) {
            return columns;
        }
    }
    return 80;
}

}  // namespace oxhost
