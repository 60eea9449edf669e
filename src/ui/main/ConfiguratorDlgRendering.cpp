// The graphics preset and the panel of twenty custom rendering rows of the main window. The
// rows' controls are created when the panel is first shown; which entry a row selects and
// what is saved come from the rendering module.

#include "ui/main/ConfiguratorDlg.h"

#include "config/LocalisedText.h"
#include "config/Text.h"
#include "hardware/HardwareSurvey.h"
#include "rendering/PresetLevel.h"
#include "resource.h"

#include <cstdio>

namespace {

// Client pixels of row i: its combo and its right-aligned label, 26 pixels apart.
constexpr int kRowPitch = 26;
constexpr int kComboLeft = 440;
constexpr int kComboRight = 600;
constexpr int kComboTop = 16;
constexpr int kComboHeight = 16;
constexpr int kLabelLeft = 270;
constexpr int kLabelRight = 436;
constexpr int kLabelTop = 20;
constexpr int kLabelHeight = 16;
// Room for the opened list below a combo: the system does not size it by itself everywhere.
constexpr int kComboListHeight = 200;

constexpr int kPanelBottom = kRowPitch * static_cast<int>(kRenderingRowCount);
static_assert(kPanelBottom == 520);
constexpr int kExpandedRight = kComboRight + 16;
constexpr int kExpandedBottom = kPanelBottom + 98;

std::u16string RowKey(size_t row) {
    return std::u16string(RenderingSettingsTable[row].key);
}

} // namespace

void CConfiguratorDlg::LoadPresetState() {
    const PresetState state = ReadPresetState();
    m_presetLevel = state.level;
    m_customCheck.SetCheck(state.custom ? BST_CHECKED : BST_UNCHECKED);
    m_customRendering = state.custom;
}

// The window rectangles of both layouts; the panel's rows themselves come later.
void CConfiguratorDlg::MeasureLayouts() {
    m_panelBottom = kPanelBottom;
    m_compactRect = WindowRect();
    FitCompactRectToButtons();
    m_expandedRect = {m_compactRect.left, m_compactRect.top, kExpandedRight, kExpandedBottom};
}

void CConfiguratorDlg::CreateRenderingRows() {
    m_renderingRowsCreated = true;
    const HFONT font = Font();
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        const int offset = kRowPitch * static_cast<int>(i);
        const int id = static_cast<int>(i);
        RenderingRowControls& row = m_renderingRows[i];

        row.combo = std::make_unique<CComboBox>();
        const RECT comboRect{kComboLeft, kComboTop + offset, kComboRight,
                             kComboTop + offset + kComboHeight + kComboListHeight};
        if (row.combo->Create(0, WC_COMBOBOXW, u"", WS_CHILD | WS_TABSTOP | CBS_DROPDOWNLIST,
                              comboRect, m_hWnd, IDC_RENDERING_COMBO_FIRST + id)) {
            row.combo->SetFont(font, true);
            for (const std::u16string& labelKey : LoadRowLists(i, u"").labelKeys)
                row.combo->AddString(Text(labelKey));
            row.combo->SetCurSel(m_rowSelections[i]);
        } else {
            row.combo.reset();
        }

        row.label = std::make_unique<CStatic>();
        const RECT labelRect{kLabelLeft, kLabelTop + offset, kLabelRight,
                             kLabelTop + offset + kLabelHeight};
        if (row.label->Create(WS_EX_TRANSPARENT, WC_STATICW, Text(RowKey(i)), WS_CHILD | SS_RIGHT,
                              labelRect, m_hWnd, IDC_RENDERING_LABEL_FIRST + id))
            row.label->SetFont(font, true);
        else
            row.label.reset();
    }
}

// What the row's combo selects, or would select once it exists: -1 for none.
int CConfiguratorDlg::RowSelection(size_t row) const {
    if (m_renderingRowsCreated) {
        const CComboBox* combo = m_renderingRows[row].combo.get();
        return combo ? combo->GetCurSel() : -1;
    }
    return m_rowSelections[row];
}

// As a combo takes a selection: one that is not among the row's entries selects nothing.
void CConfiguratorDlg::SetRowSelection(size_t row, int selection) {
    if (m_renderingRowsCreated) {
        if (CComboBox* combo = m_renderingRows[row].combo.get())
            combo->SetCurSel(selection);
        return;
    }
    const size_t entries = LoadRowLists(row, u"").labelKeys.size();
    const bool valid = selection >= 0 && static_cast<size_t>(selection) < entries;
    m_rowSelections[row] = valid ? selection : -1;
}

void CConfiguratorDlg::FillPresetCombo() {
    m_presetCombo.SetCurSel(-1);
    for (int i = 0; i < 5; ++i) // whatever it holds: at most the five entries
        m_presetCombo.DeleteString(0);
    for (int level = kPresetLow; level <= kPresetUltra; ++level)
        m_presetCombo.AddString(Text(LevelTextKey(level)));
    if (m_customRendering)
        m_presetCombo.AddString(Text(u"CUSTOM"));
    m_presetLabel.SetText(Text(u"BASEDON"));
    m_presetCombo.SetCurSel(m_customRendering ? kPresetCustomIndex : m_presetLevel);
}

void CConfiguratorDlg::LocaliseRenderingRows() {
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        if (m_renderingRows[i].label)
            m_renderingRows[i].label->SetText(Text(RowKey(i)));
    }
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        CComboBox* combo = m_renderingRows[i].combo.get();
        if (!combo)
            continue;
        const int selected = combo->GetCurSel();
        for (int count = combo->GetCount(); count > 0; --count)
            combo->DeleteString(0);
        for (const std::u16string& labelKey : LoadRowLists(i, u"").labelKeys)
            combo->AddString(Text(labelKey));
        combo->SetCurSel(selected);
    }
}

void CConfiguratorDlg::SelectRows(const RowSelections& selections) {
    for (size_t i = 0; i < kRenderingRowCount; ++i)
        SetRowSelection(i, selections[i]);
}

void CConfiguratorDlg::ApplyPresetToRows() {
    SelectRows(RowSelectionsForPreset(m_presetLevel));
}

void CConfiguratorDlg::SetCustomRendering(bool on) {
    if (on == m_customRendering)
        return;
    m_customRendering = on;
    if (on) {
        m_presetCombo.AddString(Text(u"CUSTOM"));
        m_presetCombo.SetCurSel(kPresetCustomIndex);
    } else {
        m_presetCombo.DeleteString(kPresetCustomIndex);
        m_presetCombo.SetCurSel(m_presetLevel);
    }
}

bool CConfiguratorDlg::IsRowNotification(WPARAM wParam, LPARAM lParam) const {
    if (HIWORD(wParam) == 0)
        return false;
    const int row = static_cast<int>(LOWORD(wParam)) - IDC_RENDERING_COMBO_FIRST;
    if (row < 0 || row >= static_cast<int>(kRenderingRowCount))
        return false;
    const CComboBox* combo = m_renderingRows[static_cast<size_t>(row)].combo.get();
    return combo && reinterpret_cast<HWND>(lParam) == combo->Handle();
}

void CConfiguratorDlg::OnPresetChanged() {
    const int selected = m_presetCombo.GetCurSel();
    if (selected == kPresetCustomIndex) {
        SetCustomRendering(true);
    } else {
        m_presetLevel = selected;
        SetCustomRendering(false);
    }
    ApplyPresetToRows();
}

void CConfiguratorDlg::OnCustomClicked() {
    if (m_customCheck.GetCheck() != BST_UNCHECKED)
        ShowExpandedLayout();
    else
        ShowCompactLayout();
}

void CConfiguratorDlg::OnAutoDetect() {
    HardwareSurvey survey;
    const PerformanceLevel level = SurveyHardware(m_hWnd, survey);
    if (level < 1 || level > 4)
        return; // a failed survey changes nothing
    m_presetLevel = level - 1;
    // On and off again: custom mode ends off whichever state it was in.
    SetCustomRendering(true);
    SetCustomRendering(false);
    ApplyPresetToRows();
    ShowSurveySummary(ComposeSurveySummary(survey, Text(PerformanceLevelTextKey(level))));
}

void CConfiguratorDlg::ShowSurveySummary(const std::u16string& summary) {
    if (m_autoDetectTip.CreateFor(m_hWnd))
        m_autoDetectTip.SetToolText(m_autoDetectButton.Handle(), summary);
    std::fputs((Utf16ToUtf8(summary) + "\n").c_str(), stderr);
    std::fflush(stderr);
}

void CConfiguratorDlg::ShowRenderingRows(bool show) {
    if (show && !m_renderingRowsCreated)
        CreateRenderingRows();
    for (RenderingRowControls& row : m_renderingRows) {
        if (row.combo)
            row.combo->Show(show);
        if (row.label)
            row.label->Show(show);
    }
}

void CConfiguratorDlg::SaveRenderingRows() {
    RowSelections selections;
    for (size_t i = 0; i < kRenderingRowCount; ++i)
        selections[i] = RowSelection(i);
    ::SaveRenderingRows(m_presetLevel, m_customRendering, selections);
}

void CConfiguratorDlg::DestroyRenderingRows() {
    for (RenderingRowControls& row : m_renderingRows) {
        if (row.combo) {
            row.combo->ResetContent();
            row.combo->Destroy();
            row.combo.reset();
        }
        if (row.label) {
            row.label->Destroy();
            row.label.reset();
        }
    }
}
