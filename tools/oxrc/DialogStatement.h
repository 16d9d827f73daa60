// DIALOG and DIALOGEX resources of a resource script, in windres syntax:
//   <id> DIALOG[EX] x, y, width, height      (DIALOGEX: optional help id)
//   STYLE <style>  EXSTYLE <style>  CAPTION "text"  FONT size, "name" [, ...]
//   BEGIN
//     DEFPUSHBUTTON | PUSHBUTTON | LTEXT "text", id, x, y, w, h [, style [, exstyle]]
//     CONTROL "text", id, class, style, x, y, w, h [, exstyle]
//   END
// A style is numbers and names (WS_, DS_, BS_, SS_ as windows.h defines
// them) joined by '|'; NOT name removes a bit. The dialog's style defaults
// to WS_POPUP | WS_BORDER | WS_SYSMENU and STYLE replaces it; CAPTION adds
// WS_CAPTION and FONT adds DS_SETFONT, as the Windows resource compiler does.
// A control's style is added to its kind's default style (WS_CHILD |
// WS_VISIBLE and, for buttons, WS_TABSTOP; LTEXT also WS_GROUP).
#pragma once

#include "TokenCursor.h"
#include "bridge/platform/linux/DialogTemplate.h"

namespace oxrc {

// Parses the rest of a DIALOG (or, when `extended`, DIALOGEX) statement; the
// cursor stands after the keyword. Throws ScriptError on anything else.
oxres::DialogTemplate ParseDialogStatement(TokenCursor& cursor, bool extended);

}  // namespace oxrc
