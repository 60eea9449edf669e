#include "ui/main/MainWindowLists.h"

#include "config/Text.h"
#include "input/KeyboardLayoutTable.h"

#include <algorithm>

namespace {

// The row of a list entry, or null for an index outside the list.
const KeyboardLayoutRow* LayoutOfEntry(int index) {
    const auto layouts = KeyboardLayouts();
    if (index < 0 || static_cast<size_t>(index) >= layouts.size())
        return nullptr;
    return &layouts[static_cast<size_t>(index)];
}

} // namespace

std::u16string LanguageCodeFromFileName(std::u16string_view fileName) {
    std::u16string code(fileName.substr(0, 2));
    for (char16_t& c : code) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return code;
}

int FindLanguageEntry(const std::vector<std::u16string>& entries, const std::u16string& code) {
    int found = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == code)
            found = static_cast<int>(i);
    }
    return found;
}

DisplaySize WantedResolution(DisplaySize desktop, const std::optional<std::u16string>& width,
                             const std::optional<std::u16string>& height) {
    if (!width || !height)
        return desktop;
    const DisplaySize stored{ParseDecimalInt(*width), ParseDecimalInt(*height)};
    const bool accepted = stored.width >= kMinWidth && stored.width <= kMaxWidth &&
                          stored.height >= kMinHeight && stored.height <= kMaxHeight;
    return accepted ? stored : desktop;
}

std::u16string FormatResolution(DisplaySize size) {
    return FormatDecimal(size.width) + u" x " + FormatDecimal(size.height);
}

ResolutionList ChooseResolution(const std::vector<DisplaySize>& modes, DisplaySize wanted) {
    ResolutionList list;
    for (size_t i = 0; i < modes.size(); ++i) {
        std::u16string entry = FormatResolution(modes[i]);
        if (std::find(list.entries.begin(), list.entries.end(), entry) != list.entries.end())
            continue;
        if (modes[i] == wanted)
            list.selected = static_cast<int>(list.entries.size());
        list.entries.push_back(std::move(entry));
        list.modeIndices.push_back(i);
    }
    return list;
}

int FullscreenIndex(std::u16string_view stored) {
    return stored == u"1" ? 1 : 0;
}

int KeyboardLayoutIndex(std::u16string_view stored) {
    const auto layouts = KeyboardLayouts();
    for (size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i].stored == stored)
            return static_cast<int>(i);
    }
    return 0;
}

std::u16string KeyboardLayoutText(int index) {
    const KeyboardLayoutRow* layout = LayoutOfEntry(index);
    return std::u16string(layout ? layout->stored : KeyboardLayouts().front().stored);
}

std::u16string InputLayoutName(int index) {
    const KeyboardLayoutRow* layout = LayoutOfEntry(index);
    return layout ? std::u16string(layout->section) : std::u16string();
}
