#pragma once
// The decisions of the main window's lists that need no window: the language entries, which
// display modes are listed and which is current, and what the stored "Fullscreen" and
// "KeyboardLayout" texts mean. The dialog (ConfiguratorDlgLists.cpp) gathers the inputs (file
// names, display modes, the user file's values) and applies the results to its controls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Language lists

// The first two characters of a data file's name with a to z upper-cased (nothing else
// changes): "en0.qzstrings" gives "EN".
std::u16string LanguageCodeFromFileName(std::u16string_view fileName);

// The index of the last entry equal to code (exact comparison), or 0 when none is.
int FindLanguageEntry(const std::vector<std::u16string>& entries, const std::u16string& code);

// Resolution list

struct DisplaySize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const DisplaySize&) const = default;
};

inline constexpr int32_t kMinWidth = 640;
inline constexpr int32_t kMaxWidth = 7680;
inline constexpr int32_t kMinHeight = 480;
inline constexpr int32_t kMaxHeight = 4800;

// The stored Viewport size when both keys were found and lie within 640-7680 x 480-4800
// (inclusive); the desktop size otherwise.
DisplaySize WantedResolution(DisplaySize desktop, const std::optional<std::u16string>& width,
                             const std::optional<std::u16string>& height);

// "%d x %d"
std::u16string FormatResolution(DisplaySize size);

struct ResolutionList {
    std::vector<std::u16string> entries; // one per distinct size, in enumeration order
    std::vector<size_t> modeIndices;     // per entry: the first mode of that size
    int selected = 0;                    // the entry of the wanted size, else 0
};

// Builds the list from the display modes in the order the system enumerated them.
ResolutionList ChooseResolution(const std::vector<DisplaySize>& modes, DisplaySize wanted);

// Full screen and keyboard layout

// Entry of the full screen list: 1 ("Enabled") only for the exact text "1".
int FullscreenIndex(std::u16string_view stored);

// The keyboard list holds one entry per row of KeyboardLayouts(), in its order.

// Entry of the keyboard list: the layout whose stored text is exactly stored ("AZERTY" 1,
// "QWERTZ" 2), else 0.
int KeyboardLayoutIndex(std::u16string_view stored);

// The stored "KeyboardLayout" of an entry: "QWERTY", "AZERTY", "QWERTZ"; "QWERTY" for any
// other index.
std::u16string KeyboardLayoutText(int index);

// The bindings section the input editor edits: "InputQWERTY", "InputAZERTY", "InputQWERTZ";
// empty for any other index (no entry selected).
std::u16string InputLayoutName(int index);
