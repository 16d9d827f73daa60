// A face without a display: a list of steps drives the boxes, and what each
// box showed is kept for the caller to read. The screen is a fixed size and
// a box's frame is its inner area (no decoration).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/nativedialog/NativeDialogFace.h"

namespace oxhost {

struct BoxStep {
    enum class Kind {
        Press,            // the item `value` is activated (a command)
        Type,             // the character `value` is typed
        ClickBackground,  // the left button goes down outside every item
        End               // the box is closed with result `value`, as the host would
    };
    Kind kind = Kind::End;
    intptr_t value = 0;

    static BoxStep PressItem(int32_t itemId) { return {Kind::Press, itemId}; }
    static BoxStep TypeCharacter(uint8_t character) { return {Kind::Type, character}; }
    static BoxStep Click() { return {Kind::ClickBackground, 0}; }
    static BoxStep EndWith(intptr_t result) { return {Kind::End, result}; }
};

// One box as the script saw it.
struct ShownBox {
    BoxLayout layout;                      // as built from the template
    std::map<int32_t, std::string> texts;  // item texts once the box was initialised
    OxScreenRect frame = {};               // where it was when shown
    int32_t stepsTaken = 0;                // steps this box consumed
    bool ended = false;                    // false: the steps ran out first
    intptr_t result = 0;
};

class ScriptedBoxFace : public NativeDialogFace {
public:
    // The steps are shared by all boxes in order: each box takes steps until
    // it ends. A box still open when they run out is closed with -1.
    explicit ScriptedBoxFace(std::vector<BoxStep> steps, int32_t screenWidth = 1024,
                             int32_t screenHeight = 768);

    const std::vector<ShownBox>& Shown() const { return shown; }
    const std::vector<std::string>& OpenedAddresses() const { return addresses; }
    size_t StepsLeft() const { return steps.size() - nextStep; }

    // Title-bar buttons of this face are this wide.
    static constexpr int32_t kTitleButtonWidth = 18;

    bool RunModal(ModalBox& box, intptr_t initParam) override;
    void ItemTextChanged(ModalBox& box, int32_t itemId) override;
    OxScreenRect Screen() override;
    int32_t TitleButtonWidth() override;
    OxScreenRect ClientArea(const ModalBox& box) override;
    OxScreenRect Frame(const ModalBox& box) override;
    void Move(ModalBox& box, int32_t x, int32_t y) override;
    void OpenAddress(const std::string& address) override;

private:
    void Take(ModalBox& box, const BoxStep& step);

    std::vector<BoxStep> steps;
    size_t nextStep = 0;
    int32_t screenWidth;
    int32_t screenHeight;
    std::vector<ShownBox> shown;
    std::vector<std::string> addresses;
};

}  // namespace oxhost
