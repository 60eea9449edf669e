#include "BindableActions.h"

#include <iterator>

namespace {

constexpr BindableAction Actions[] = {
    {u"GI_AttackFast", 1, 1, u"IK_LeftMouse", u"IK_LeftMouse", u"IK_LeftMouse", u"IK_Pad_X_SQUARE"},
    {u"GI_AttackStrong", 1, 1, u"IK_RightMouse", u"IK_RightMouse", u"IK_RightMouse",
     u"IK_Pad_Y_TRIANGLE"},
    {u"GI_Holster", 1, 1, u"IK_0", u"IK_0", u"IK_0", u"IK_Pad_DigitDown"},
    {u"GI_Steel", 1, 1, u"IK_1", u"IK_1", u"IK_1", u"IK_Pad_DigitLeft"},
    {u"GI_Silver", 1, 1, u"IK_2", u"IK_2", u"IK_2", u"IK_Pad_DigitRight"},
    {u"GI_Hotkey03", 1, 1, u"IK_3", u"IK_3", u"IK_3", u""},
    {u"GI_Hotkey04", 1, 1, u"IK_4", u"IK_4", u"IK_4", u""},
    {u"GI_LockTarget", 1, 1, u"IK_Alt", u"IK_Alt", u"IK_Alt", u"IK_Pad_LeftShoulder"},
    {u"GI_Block", 1, 1, u"IK_E", u"IK_E", u"IK_E", u"IK_Pad_RightTrigger"},
    {u"GI_WalkFlag", 1, 1, u"IK_CapsLock", u"IK_CapsLock", u"IK_CapsLock", u""},
    {u"GI_Hotkey05", 1, 1, u"IK_5", u"IK_5", u"IK_5", u""},
    {u"GI_Hotkey06", 1, 1, u"IK_6", u"IK_6", u"IK_6", u""},
    {u"GI_Hotkey07", 1, 1, u"IK_7", u"IK_7", u"IK_7", u""},
    {u"GI_CircleOfPower", 1, 1, u"IK_F", u"IK_F", u"IK_F", u"IK_Pad_RightThumb"},
    {u"GI_AxisLeftX", 1, 1, u"IK_D", u"IK_D", u"IK_D", u"IK_Pad_LeftAxisX"},
    {u"GI_AxisLeftY", 1, 1, u"IK_W", u"IK_W", u"IK_Z", u"IK_Pad_LeftAxisY"},
    {u"GI_AxisLeftY", -1, 1, u"IK_S", u"IK_S", u"IK_S", u"IK_Pad_LeftAxisY"},
    {u"GI_FastMenu", 1, 1, u"IK_LControl", u"IK_LControl", u"IK_LControl", u"IK_Pad_LeftTrigger"},
    {u"GI_WalkSwitch", 1, 1, u"IK_LShift", u"IK_LShift", u"IK_LShift", u""},
    {u"GI_Hotkey09", 1, 1, u"IK_9", u"IK_9", u"IK_9", u""},
    {u"GI_UseAbility", 1, 1, u"IK_Q", u"IK_Q", u"IK_A", u"IK_Pad_B_CIRCLE"},
    {u"GI_UseItem", 1, 1, u"IK_R", u"IK_R", u"IK_R", u"IK_Pad_RightShoulder"},
    {u"GI_Accept_Evade", 1, 1, u"IK_Space", u"IK_Space", u"IK_Space", u"IK_Pad_A_CROSS"},
    {u"GI_AxisLeftX", -1, 1, u"IK_A", u"IK_A", u"IK_Q", u"IK_Pad_LeftAxisX"},
    {u"GI_Adrenaline", 1, 1, u"IK_X", u"IK_X", u"IK_X", u"IK_Pad_DigitUp"},
    {u"GI_Medallion", 1, 1, u"IK_Z", u"IK_Y", u"IK_W", u"IK_Pad_LeftThumb"},
    {u"GI_Hotkey08", 1, 1, u"IK_8", u"IK_8", u"IK_8", u""},
};
static_assert(std::size(Actions) == BindableActionCount);

// The keys that open the game's menus and steer them; the editor refuses to capture the
// keys that carry them (I, J, C, M).
constexpr FixedBinding Fixed[] = {
    {u"IK_Delete", u"GI_Cancel"},
    {u"IK_Up", u"GI_Up"},
    {u"IK_Down", u"GI_Down"},
    {u"IK_Escape", u"GI_Exit"},
    {u"IK_F5", u"GI_F5"},
    {u"IK_I", u"GI_Inventory"},
    {u"IK_M", u"GI_Nav"},
    {u"IK_J", u"GI_Journal"},
    {u"IK_C", u"GI_Character"},
    {u"IK_MouseX", u"GI_MouseX"},
    {u"IK_MouseY", u"GI_MouseY"},
    {u"IK_Pad_Back_Select", u"GI_Exit"},
    {u"IK_Pad_RightAxisX", u"GI_AxisRightX"},
    {u"IK_Pad_RightAxisY", u"GI_AxisRightY"},
    {u"IK_Pad_Start", u"GI_PanelSelector"},
};
static_assert(std::size(Fixed) == 15);

} // namespace

std::span<const BindableAction, BindableActionCount> BindableActions() {
    return Actions;
}

std::span<const FixedBinding> FixedBindings() {
    return Fixed;
}
