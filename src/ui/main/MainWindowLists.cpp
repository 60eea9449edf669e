#include "ui/main/MainWindowLists.h"

#include "config/Text.h"

#include <algorithm>

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
    if (stored == u"AZERTY")
        return 1;
    if (stored == u"QWERTZ")
        return 2;
    return 0;
}

std::u16string KeyboardLayoutText(int index) {
    switch (index) {
    case 1:
        return u"AZERTY";
    case 2:
        return u"QWERTZ";
    default:
        return u"QWERTY";
    }
}

std::u16string InputLayoutName(int index) {
    switch (index) {
    case 0:
        return u"InputQWERTY";
    case 1:
        return u"InputAZERTY";
    case 2:
        return u"InputQWERTZ";
    default:
        return {};
    }
}
