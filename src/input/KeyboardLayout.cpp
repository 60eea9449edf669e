#include "KeyboardLayout.h"

#include "InputContext.h"
#include "KeyNames.h"
#include "ScanCodeNames.h"
#include "config/ConfigStore.h"

#include <iterator>
#include <string_view>

namespace {

struct LayoutEntry {
    std::u16string_view scanCodeName;
    std::u16string_view keyName;
};

// The US layout. Both Alt keys give the one "IK_Alt"; Shift and Control keep their sides.
constexpr LayoutEntry DefaultKeyboardLayout[] = {
    {u"DIK_ESCAPE", u"IK_Escape"},
    {u"DIK_1", u"IK_1"},
    {u"DIK_2", u"IK_2"},
    {u"DIK_3", u"IK_3"},
    {u"DIK_4", u"IK_4"},
    {u"DIK_5", u"IK_5"},
    {u"DIK_6", u"IK_6"},
    {u"DIK_7", u"IK_7"},
    {u"DIK_8", u"IK_8"},
    {u"DIK_9", u"IK_9"},
    {u"DIK_0", u"IK_0"},
    {u"DIK_MINUS", u"IK_Minus"},
    {u"DIK_EQUALS", u"IK_Equals"},
    {u"DIK_BACKSPACE", u"IK_Backspace"},
    {u"DIK_TAB", u"IK_Tab"},
    {u"DIK_Q", u"IK_Q"},
    {u"DIK_W", u"IK_W"},
    {u"DIK_E", u"IK_E"},
    {u"DIK_R", u"IK_R"},
    {u"DIK_T", u"IK_T"},
    {u"DIK_Y", u"IK_Y"},
    {u"DIK_U", u"IK_U"},
    {u"DIK_I", u"IK_I"},
    {u"DIK_O", u"IK_O"},
    {u"DIK_P", u"IK_P"},
    {u"DIK_LBRACKET", u"IK_LeftBracket"},
    {u"DIK_RBRACKET", u"IK_RightBracket"},
    {u"DIK_RETURN", u"IK_Enter"},
    {u"DIK_LCONTROL", u"IK_LControl"},
    {u"DIK_A", u"IK_A"},
    {u"DIK_S", u"IK_S"},
    {u"DIK_D", u"IK_D"},
    {u"DIK_F", u"IK_F"},
    {u"DIK_G", u"IK_G"},
    {u"DIK_H", u"IK_H"},
    {u"DIK_J", u"IK_J"},
    {u"DIK_K", u"IK_K"},
    {u"DIK_L", u"IK_L"},
    {u"DIK_SEMICOLON", u"IK_Semicolon"},
    {u"DIK_APOSTROPHE", u"IK_SingleQuote"},
    {u"DIK_GRAVE", u"IK_Tilde"},
    {u"DIK_LSHIFT", u"IK_LShift"},
    {u"DIK_BACKSLASH", u"IK_Backslash"},
    {u"DIK_Z", u"IK_Z"},
    {u"DIK_X", u"IK_X"},
    {u"DIK_C", u"IK_C"},
    {u"DIK_V", u"IK_V"},
    {u"DIK_B", u"IK_B"},
    {u"DIK_N", u"IK_N"},
    {u"DIK_M", u"IK_M"},
    {u"DIK_COMMA", u"IK_Comma"},
    {u"DIK_PERIOD", u"IK_Period"},
    {u"DIK_SLASH", u"IK_Slash"},
    {u"DIK_RSHIFT", u"IK_RShift"},
    {u"DIK_MULTIPLY", u"IK_NumStar"},
    {u"DIK_LALT", u"IK_Alt"},
    {u"DIK_SPACE", u"IK_Space"},
    {u"DIK_CAPITAL", u"IK_CapsLock"},
    {u"DIK_F1", u"IK_F1"},
    {u"DIK_F2", u"IK_F2"},
    {u"DIK_F3", u"IK_F3"},
    {u"DIK_F4", u"IK_F4"},
    {u"DIK_F5", u"IK_F5"},
    {u"DIK_F6", u"IK_F6"},
    {u"DIK_F7", u"IK_F7"},
    {u"DIK_F8", u"IK_F8"},
    {u"DIK_F9", u"IK_F9"},
    {u"DIK_F10", u"IK_F10"},
    {u"DIK_F11", u"IK_F11"},
    {u"DIK_F12", u"IK_F12"},
    {u"DIK_NUMLOCK", u"IK_NumLock"},
    {u"DIK_SCROLL", u"IK_ScrollLock"},
    {u"DIK_NUMPAD0", u"IK_NumPad0"},
    {u"DIK_NUMPAD1", u"IK_NumPad1"},
    {u"DIK_NUMPAD2", u"IK_NumPad2"},
    {u"DIK_NUMPAD3", u"IK_NumPad3"},
    {u"DIK_NUMPAD4", u"IK_NumPad4"},
    {u"DIK_NUMPAD5", u"IK_NumPad5"},
    {u"DIK_NUMPAD6", u"IK_NumPad6"},
    {u"DIK_NUMPAD7", u"IK_NumPad7"},
    {u"DIK_NUMPAD8", u"IK_NumPad8"},
    {u"DIK_NUMPAD9", u"IK_NumPad9"},
    {u"DIK_SUBTRACT", u"IK_NumMinus"},
    {u"DIK_ADD", u"IK_NumPlus"},
    {u"DIK_DECIMAL", u"IK_NumPeriod"},
    {u"DIK_RCONTROL", u"IK_RControl"},
    {u"DIK_DIVIDE", u"IK_NumSlash"},
    {u"DIK_SYSRQ", u"IK_PrintScrn"},
    {u"DIK_RALT", u"IK_Alt"},
    {u"DIK_PAUSE", u"IK_Pause"},
    {u"DIK_HOME", u"IK_Home"},
    {u"DIK_UP", u"IK_Up"},
    {u"DIK_PRIOR", u"IK_PageUp"},
    {u"DIK_LEFT", u"IK_Left"},
    {u"DIK_RIGHT", u"IK_Right"},
    {u"DIK_END", u"IK_End"},
    {u"DIK_DOWN", u"IK_Down"},
    {u"DIK_NEXT", u"IK_PageDown"},
    {u"DIK_INSERT", u"IK_Insert"},
    {u"DIK_DELETE", u"IK_Delete"},
};
// One entry for every named scan code.
static_assert(std::size(DefaultKeyboardLayout) == 100);

const std::u16string DIMappingFileName = u"DIMapping";

} // namespace

void ApplyDefaultKeyboardLayout(ScanCodeTable& table) {
    for (const LayoutEntry& entry : DefaultKeyboardLayout) {
        if (const auto scanCode = FindScanCode(entry.scanCodeName))
            table[*scanCode] = KeyNameToCode(entry.keyName);
    }
}

void LoadKeyboardLayout(ScanCodeTable& table, ConfigStore* store,
                        const std::u16string& layoutName) {
    ConfigFile* file = store ? store->GetFile(DIMappingFileName) : nullptr;
    const ConfigSection* section = file ? file->FindSection(layoutName, false) : nullptr;
    if (!section) {
        ApplyDefaultKeyboardLayout(table);
        return;
    }
    const InputContext* context = GetInputContext();
    if (!context)
        return;
    for (const auto& [key, values] : *section) {
        const auto scanCode = FindScanCode(key);
        if (!scanCode || values.empty())
            continue;
        // A value outside the name table would read as "IK_None"; it is ignored instead.
        if (const auto code = context->keyNames.Find(values.front()))
            table[*scanCode] = *code;
    }
}

void LoadKeyboardLayout(const std::u16string& layoutName) {
    if (InputContext* context = GetInputContext())
        LoadKeyboardLayout(context->scanCodeTable, UserStore.get(), layoutName);
}
