#include "KeyboardLayoutTable.h"

#include <iterator>

namespace {

constexpr KeyboardLayoutRow Layouts[] = {
    {u"QWERTY", u"EN ( QWERTY )", u"InputQWERTY", &BindableAction::qwertyDefault, false},
    {u"AZERTY", u"FR ( AZERTY )", u"InputAZERTY", &BindableAction::azertyDefault, true},
    {u"QWERTZ", u"DE ( QWERTZ )", u"InputQWERTZ", &BindableAction::qwertzDefault, false},
};
static_assert(std::size(Layouts) == KeyboardLayoutCount);

} // namespace

std::span<const KeyboardLayoutRow, KeyboardLayoutCount> KeyboardLayouts() {
    return Layouts;
}

const KeyboardLayoutRow* FindKeyboardLayout(std::u16string_view section) {
    for (const KeyboardLayoutRow& layout : Layouts) {
        if (layout.section == section)
            return &layout;
    }
    return nullptr;
}
