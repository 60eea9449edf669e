#pragma once
// Control ids of the main dialog (template 102) and of its run-time rendering rows.

namespace ids {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kPresetList = 1007;
inline constexpr int kPresetLabel = 1008;
inline constexpr int kTextLabel = 1009;
inline constexpr int kTextLanguageList = 1010;
inline constexpr int kVoiceLabel = 1011;
inline constexpr int kResolutionList = 1012;
inline constexpr int kVoiceLanguageList = 1013;
inline constexpr int kResolutionLabel = 1014;
inline constexpr int kCustomCheck = 1015;
inline constexpr int kPicture = 1016;
inline constexpr int kKeyboardLabel = 1017;
inline constexpr int kKeyboardList = 1018;
inline constexpr int kFullscreenLabel = 1019;
inline constexpr int kFullscreenList = 1020;
inline constexpr int kAutoDetect = 1021;
inline constexpr int kInputSettings = 1022;

// Row i of the rendering panel: its drop-down list and its label.
inline constexpr int RowCombo(int row) {
    return 0x5000 + row;
}
inline constexpr int RowLabel(int row) {
    return 20 + row;
}

} // namespace ids
