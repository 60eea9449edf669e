// The graphics preset and the panel of twenty custom rendering rows of the main window. The
// rows' controls are created hidden at initialisation and live until the window goes; which
// entry a row selects and what is saved come from the rendering module.

#include "ui/main/ConfiguratorDlg.h"

#include "config/LocalisedText.h"
#include "hardware/HardwareSurvey.h"
#include "rendering/PresetLevel.h"
#include "resource.h"
#include "window/Dpi.h"

namespace {

// Client pixels of row i at 96 DPI: its combo and its right-aligned label, 26 pixels apart.
constexpr int kRowPitch = 26;
constexpr int kComboLeft = 440;
constexpr int kComboRight = 600;
constexpr int kComboTop = 16;
constexpr int kComboHeight = 16;
constexpr int kLabelLeft = 270;
constexpr int kLabelRight = 436;
constexpr int kLabelTop = 20;
constexpr int kLabelHeight = 16;

constexpr int kPanelBottom = kRowPitch * static_cast<int>(kRenderingRowCount);
static_assert(kPanelBottom == 520);
constexpr int kExpandedRight = kComboRight + 16;
constexpr int kExpandedBottom = kPanelBottom + 98;

// Each edge is a 96-DPI value of its own, scaled.
RECT ScaledRect(int left, int top, int right, int bottom, UINT dpi) {
    return {ScaleToDpi(left, dpi), ScaleToDpi(top, dpi), ScaleToDpi(right, dpi),
            ScaleToDpi(bottom, dpi)};
}

RECT RowComboRect(size_t row, UINT dpi) {
    const int top = kComboTop + kRowPitch * static_cast<int>(row);
    return ScaledRect(kComboLeft, top, kComboRight, top + kComboHeight, dpi);
}

RECT RowLabelRect(size_t row, UINT dpi) {
    const int top = kLabelTop + kRowPitch * static_cast<int>(row);
    return ScaledRect(kLabelLeft, top, kLabelRight, top + kLabelHeight, dpi);
}

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

// Creates every row's hidden combo and label, each combo selecting the user file's value,
// then takes the rectangles of both layouts.
void CConfiguratorDlg::CreateRenderingRows() {
    const HFONT font = Font();
    const RowSelections selections = RowSelectionsFromUserFile();
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        const int id = static_cast<int>(i);
        RenderingRowControls& row = m_renderingRows[i];

        row.combo = std::make_unique<CComboBox>();
        if (row.combo->Create(0, WC_COMBOBOXW, u"", WS_CHILD | WS_TABSTOP | CBS_DROPDOWNLIST,
                              RowComboRect(i, m_dpi), m_hWnd, IDC_RENDERING_COMBO_FIRST + id)) {
            row.combo->SetFont(font, true);
            for (const std::u16string& labelKey : LoadRowLists(i, u"").labelKeys)
                row.combo->AddString(Text(labelKey));
            row.combo->SetCurSel(selections[i]);
        } else {
            row.combo.reset();
        }

        row.label = std::make_unique<CStatic>();
        if (row.label->Create(WS_EX_TRANSPARENT, WC_STATICW, Text(RowKey(i)), WS_CHILD | SS_RIGHT,
                              RowLabelRect(i, m_dpi), m_hWnd, IDC_RENDERING_LABEL_FIRST + id))
            row.label->SetFont(font, true);
        else
            row.label.reset();
    }

    m_compactRect = WindowRect();
    FitCompactRectToButtons();
    MeasureExpandedLayout();
}

// The expanded rectangle at the window's DPI.
void CConfiguratorDlg::MeasureExpandedLayout() {
    m_expandedRect = {m_compactRect.left, m_compactRect.top, Px(kExpandedRight),
                      Px(kExpandedBottom)};
}

// After a change of DPI: the rows where the new DPI puts them, in the dialog's new font.
void CConfiguratorDlg::PlaceRenderingRows() {
    const HFONT font = Font();
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        RenderingRowControls& row = m_renderingRows[i];
        if (row.combo) {
            row.combo->SetFont(font, false);
            row.combo->SetRect(RowComboRect(i, m_dpi), false);
        }
        if (row.label) {
            row.label->SetFont(font, false);
            row.label->SetRect(RowLabelRect(i, m_dpi), false);
        }
    }
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

void CConfiguratorDlg::ApplyPresetToRows() {
    const RowSelections selections = RowSelectionsForPreset(m_presetLevel);
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        if (CComboBox* combo = m_renderingRows[i].combo.get())
            combo->SetCurSel(selections[i]);
    }
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

// The summary is the Auto-detect button's tooltip; the standard error stream is kept for the
// survey's failure lines.
void CConfiguratorDlg::ShowSurveySummary(const std::u16string& summary) {
    if (m_autoDetectTip.CreateFor(m_hWnd))
        m_autoDetectTip.SetToolText(m_autoDetectButton.Handle(), summary);
}

void CConfiguratorDlg::ShowRenderingRows(bool show) {
    for (RenderingRowControls& row : m_renderingRows) {
        if (row.combo)
            row.combo->Show(show);
        if (row.label)
            row.label->Show(show);
    }
}

void CConfiguratorDlg::SaveRenderingRows() {
    RowSelections selections;
    for (size_t i = 0; i < kRenderingRowCount; ++i) {
        const CComboBox* combo = m_renderingRows[i].combo.get();
        selections[i] = combo ? combo->GetCurSel() : -1;
    }
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
