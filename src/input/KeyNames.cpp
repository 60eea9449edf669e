#include "KeyNames.h"

#include "InputContext.h"

namespace {

struct NamedKey {
    int32_t code;
    std::u16string_view name;
};

// Codes follow the Windows virtual-key codes where a key has one; 136-155 carry the pad,
// which is why Num Lock and Scroll Lock moved to 156 and 157. Codes missing here are named
// by rule (UnknownKeyName).
constexpr NamedKey NamedKeys[] = {
    {0, u"IK_None"},
    {1, u"IK_LeftMouse"},
    {2, u"IK_RightMouse"},
    {3, u"IK_MiddleMouse"},
    {8, u"IK_Backspace"},
    {9, u"IK_Tab"},
    {13, u"IK_Enter"},
    {16, u"IK_Shift"},
    {17, u"IK_Ctrl"},
    {18, u"IK_Alt"},
    {19, u"IK_Pause"},
    {20, u"IK_CapsLock"},
    {27, u"IK_Escape"},
    {32, u"IK_Space"},
    {33, u"IK_PageUp"},
    {34, u"IK_PageDown"},
    {35, u"IK_End"},
    {36, u"IK_Home"},
    {37, u"IK_Left"},
    {38, u"IK_Up"},
    {39, u"IK_Right"},
    {40, u"IK_Down"},
    {41, u"IK_Select"},
    {42, u"IK_Print"},
    {43, u"IK_Execute"},
    {44, u"IK_PrintScrn"},
    {45, u"IK_Insert"},
    {46, u"IK_Delete"},
    {47, u"IK_Help"},
    {48, u"IK_0"},
    {49, u"IK_1"},
    {50, u"IK_2"},
    {51, u"IK_3"},
    {52, u"IK_4"},
    {53, u"IK_5"},
    {54, u"IK_6"},
    {55, u"IK_7"},
    {56, u"IK_8"},
    {57, u"IK_9"},
    {65, u"IK_A"},
    {66, u"IK_B"},
    {67, u"IK_C"},
    {68, u"IK_D"},
    {69, u"IK_E"},
    {70, u"IK_F"},
    {71, u"IK_G"},
    {72, u"IK_H"},
    {73, u"IK_I"},
    {74, u"IK_J"},
    {75, u"IK_K"},
    {76, u"IK_L"},
    {77, u"IK_M"},
    {78, u"IK_N"},
    {79, u"IK_O"},
    {80, u"IK_P"},
    {81, u"IK_Q"},
    {82, u"IK_R"},
    {83, u"IK_S"},
    {84, u"IK_T"},
    {85, u"IK_U"},
    {86, u"IK_V"},
    {87, u"IK_W"},
    {88, u"IK_X"},
    {89, u"IK_Y"},
    {90, u"IK_Z"},
    {96, u"IK_NumPad0"},
    {97, u"IK_NumPad1"},
    {98, u"IK_NumPad2"},
    {99, u"IK_NumPad3"},
    {100, u"IK_NumPad4"},
    {101, u"IK_NumPad5"},
    {102, u"IK_NumPad6"},
    {103, u"IK_NumPad7"},
    {104, u"IK_NumPad8"},
    {105, u"IK_NumPad9"},
    {106, u"IK_NumStar"},
    {107, u"IK_NumPlus"},
    {108, u"IK_Separator"},
    {109, u"IK_NumMinus"},
    {110, u"IK_NumPeriod"},
    {111, u"IK_NumSlash"},
    {112, u"IK_F1"},
    {113, u"IK_F2"},
    {114, u"IK_F3"},
    {115, u"IK_F4"},
    {116, u"IK_F5"},
    {117, u"IK_F6"},
    {118, u"IK_F7"},
    {119, u"IK_F8"},
    {120, u"IK_F9"},
    {121, u"IK_F10"},
    {122, u"IK_F11"},
    {123, u"IK_F12"},
    {124, u"IK_F13"},
    {125, u"IK_F14"},
    {126, u"IK_F15"},
    {127, u"IK_F16"},
    {128, u"IK_F17"},
    {129, u"IK_F18"},
    {130, u"IK_F19"},
    {131, u"IK_F20"},
    {132, u"IK_F21"},
    {133, u"IK_F22"},
    {134, u"IK_F23"},
    {135, u"IK_F24"},
    {136, u"IK_Pad_A_CROSS"},
    {137, u"IK_Pad_B_CIRCLE"},
    {138, u"IK_Pad_X_SQUARE"},
    {139, u"IK_Pad_Y_TRIANGLE"},
    {140, u"IK_Pad_Start"},
    {141, u"IK_Pad_Back_Select"},
    {142, u"IK_Pad_DigitUp"},
    {143, u"IK_Pad_DigitDown"},
    {144, u"IK_Pad_DigitLeft"},
    {145, u"IK_Pad_DigitRight"},
    {146, u"IK_Pad_LeftThumb"},
    {147, u"IK_Pad_RightThumb"},
    {148, u"IK_Pad_LeftShoulder"},
    {149, u"IK_Pad_RightShoulder"},
    {150, u"IK_Pad_LeftTrigger"},
    {151, u"IK_Pad_RightTrigger"},
    {152, u"IK_Pad_LeftAxisX"},
    {153, u"IK_Pad_LeftAxisY"},
    {154, u"IK_Pad_RightAxisX"},
    {155, u"IK_Pad_RightAxisY"},
    {156, u"IK_NumLock"},
    {157, u"IK_ScrollLock"},
    {160, u"IK_LShift"},
    {161, u"IK_RShift"},
    {162, u"IK_LControl"},
    {163, u"IK_RControl"},
    {185, u"IK_Unicode"},
    {186, u"IK_Semicolon"},
    {187, u"IK_Equals"},
    {188, u"IK_Comma"},
    {189, u"IK_Minus"},
    {190, u"IK_Period"},
    {191, u"IK_Slash"},
    {192, u"IK_Tilde"},
    {193, u"IK_Mouse4"},
    {194, u"IK_Mouse5"},
    {195, u"IK_Mouse6"},
    {196, u"IK_Mouse7"},
    {197, u"IK_Mouse8"},
    {200, u"IK_Joy1"},
    {201, u"IK_Joy2"},
    {202, u"IK_Joy3"},
    {203, u"IK_Joy4"},
    {204, u"IK_Joy5"},
    {205, u"IK_Joy6"},
    {206, u"IK_Joy7"},
    {207, u"IK_Joy8"},
    {208, u"IK_Joy9"},
    {209, u"IK_Joy10"},
    {210, u"IK_Joy11"},
    {211, u"IK_Joy12"},
    {212, u"IK_Joy13"},
    {213, u"IK_Joy14"},
    {214, u"IK_Joy15"},
    {215, u"IK_Joy16"},
    {219, u"IK_LeftBracket"},
    {220, u"IK_Backslash"},
    {221, u"IK_RightBracket"},
    {222, u"IK_SingleQuote"},
    {228, u"IK_MouseX"},
    {229, u"IK_MouseY"},
    {230, u"IK_MouseZ"},
    {231, u"IK_MouseW"},
    {232, u"IK_JoyU"},
    {233, u"IK_JoyV"},
    {234, u"IK_JoySlider1"},
    {235, u"IK_JoySlider2"},
    {236, u"IK_MouseWheelUp"},
    {237, u"IK_MouseWheelDown"},
    {240, u"IK_JoyX"},
    {241, u"IK_JoyY"},
    {242, u"IK_JoyZ"},
    {243, u"IK_JoyR"},
    {246, u"IK_Attn"},
    {247, u"IK_ClearSel"},
    {248, u"IK_ExSel"},
    {249, u"IK_ErEof"},
    {250, u"IK_Play"},
    {251, u"IK_Zoom"},
    {252, u"IK_NoName"},
    {255, u"IK_Last"},
};
// The other 70 codes are the unknown ones.
static_assert(std::size(NamedKeys) == InputKeyCodeCount - 70);

// "IK_Unknown" and the code as two upper-case hexadecimal digits.
std::u16string UnknownKeyName(int32_t code) {
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::u16string name = u"IK_Unknown";
    name.push_back(digits[(code >> 4) & 0xF]);
    name.push_back(digits[code & 0xF]);
    return name;
}

} // namespace

KeyNameTable::KeyNameTable() {
    for (const NamedKey& key : NamedKeys)
        m_names[key.code] = key.name;
    for (int32_t code = 0; code < InputKeyCodeCount; ++code) {
        if (m_names[code].empty())
            m_names[code] = UnknownKeyName(code);
        m_codes.emplace(m_names[code], code);
    }
}

std::u16string KeyNameTable::NameOf(int32_t code) const {
    if (code < 0 || code >= InputKeyCodeCount)
        return {};
    return m_names[code];
}

std::optional<int32_t> KeyNameTable::Find(std::u16string_view name) const {
    const auto found = m_codes.find(name);
    if (found == m_codes.end())
        return std::nullopt;
    return found->second;
}

int32_t KeyNameToCode(std::u16string_view name) {
    const InputContext* context = GetInputContext();
    return context ? context->keyNames.CodeOf(name) : 0;
}

std::u16string KeyCodeToName(int32_t code) {
    const InputContext* context = GetInputContext();
    return context ? context->keyNames.NameOf(code) : std::u16string();
}
