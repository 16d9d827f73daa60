// The test hook of `oxhost about` on Windows, where the plug-in shows its
// About box itself with the system's dialog calls and the host never sees
// the box. With OXHOST_TEST_ABOUT_ACTIONS=ACTION[,ACTION...] a watcher thread
// waits up to 10 s for a dialog window (class "#32770") of this process, then
// acts on it, 200 ms apart, as a user would:
//   text        prints "about text: " and the text of item 3, line breaks as \n
//   site        a click on the site button (item 4): WM_COMMAND to the box
//   char:N      WM_CHAR with character code N to the box
//   key:escape  Escape pressed and released on the box's focused control, so
//               that the dialog manager handles it
//   click       a left click on the box outside its items
// Windows only.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace oxhost {

constexpr const char* kAboutActionsVariable = "OXHOST_TEST_ABOUT_ACTIONS";

struct AboutAction {
    enum class Kind { Text, PrintBox, Site, Character, Escape, Click };
    Kind kind = Kind::Text;
    int character = 0;  // of Kind::Character
    std::string name;   // as written, for messages
};

// Throws HostError for an unknown action.
std::vector<AboutAction> ParseAboutActions(const std::string& text);

// Starts watching at construction. PrintBox, which `about --text` uses,
// prints the box's text and then its site button's label in brackets.
class AboutActionWatcher {
public:
    explicit AboutActionWatcher(std::vector<AboutAction> actions);
    // Waits for the watcher: call once the about selector has returned.
    ~AboutActionWatcher();
    AboutActionWatcher(const AboutActionWatcher&) = delete;
    AboutActionWatcher& operator=(const AboutActionWatcher&) = delete;

    // Call once the about selector has returned: waits for the watcher and
    // tells whether it saw a box. A box that is still open 10 s after the
    // last action ends the program with status 1 instead, since the
    // selector would never return.
    bool BoxAppeared();

private:
    struct State;
    std::unique_ptr<State> state;
};

}  // namespace oxhost
