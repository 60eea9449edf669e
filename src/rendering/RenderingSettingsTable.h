#pragma once
// The twenty custom rendering options of the main window: constant data. The row index fixes
// each row's control ids and position in the panel; the controls themselves belong to the
// dialog.

#include <array>
#include <string>
#include <string_view>
#include <vector>

struct RenderingSettingRow {
    std::u16string_view key;          // key in section "Rendering"; also the label's text key
    std::u16string_view valueList;    // tokens stored in the files, each ended by ";"
    std::u16string_view labelKeyList; // one text key per token, same order
};

inline constexpr size_t kRenderingRowCount = 20;
extern const std::array<RenderingSettingRow, kRenderingRowCount> RenderingSettingsTable;

struct RowLists {
    std::vector<std::u16string> values;    // the row's value tokens
    std::vector<std::u16string> labelKeys; // the row's label keys
    int index = 0; // position of the current value among the tokens (last match); 0 on a miss
};

// Splits row's two lists and finds currentValue among the tokens by exact text comparison.
RowLists LoadRowLists(size_t row, std::u16string_view currentValue);
