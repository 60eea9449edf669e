#include "Driver.h"

namespace {

// Measures texts in the dialogs' font at the starting scale (a move scales pixels, not fonts).
class Ruler {
public:
    Ruler() {
        DWORD size = sizeof m_dpi;
        RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", RRF_RT_REG_DWORD,
                     nullptr, &m_dpi, &size);
        m_font = CreateFontW(-MulDiv(8, static_cast<int>(m_dpi), 72), 0, 0, 0, FW_NORMAL, FALSE,
                             FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg");
        m_old = SelectObject(m_dc, m_font);
    }
    ~Ruler() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_font);
        ReleaseDC(nullptr, m_dc);
    }
    int Px(int value) const { return MulDiv(value, static_cast<int>(m_dpi), 96); }
    // The family of the font file chosen, where the face name would give the name asked for.
    std::wstring Family() const {
        std::vector<char> buffer(GetOutlineTextMetricsW(m_dc, 0, nullptr));
        const auto metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (buffer.size() < sizeof *metrics ||
            !GetOutlineTextMetricsW(m_dc, buffer.size(), metrics))
            return L"no outline font";
        return reinterpret_cast<const wchar_t*>(buffer.data() +
                                                reinterpret_cast<size_t>(metrics->otmpFamilyName));
    }
    SIZE Measure(const std::wstring& text, int width, bool wrap) const {
        RECT used{0, 0, width, 0};
        DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &used,
                  DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
        return {used.right, used.bottom};
    }

private:
    DWORD m_dpi = 96;
    HDC m_dc = GetDC(nullptr);
    HFONT m_font = nullptr;
    HGDIOBJ m_old = nullptr;
};

std::string Name(HWND control) {
    return std::to_string(GetDlgCtrlID(control)) + " \"" + Utf8(WindowText(control)) + "\"";
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// A frame that may hold siblings: a group box, or a tab control with the pages laid on it.
bool Frames(HWND frame, HWND inner) {
    const LONG style = GetWindowLongW(frame, GWL_STYLE);
    return (ClassOf(frame) == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) ||
           (ClassOf(frame) == L"SysTabControl32" && ClassOf(inner) == L"#32770");
}

// Each text a control draws (caption or list entries) must fit on a line, or wrapped if it may.
void CheckTexts(HWND control, const Ruler& ruler, std::string& faults) {
    RECT client{};
    GetClientRect(control, &client);
    std::vector<std::wstring> texts{WindowText(control)};
    const auto fit = [&](int horizontal, int vertical, bool wrap) {
        const SIZE has{client.right - horizontal, client.bottom - vertical};
        const auto fits = [&](const SIZE& used) { return used.cx <= has.cx && used.cy <= has.cy; };
        for (const std::wstring& text : texts) {
            const SIZE line = ruler.Measure(text, has.cx, false);
            if (!fits(line) && !(wrap && fits(ruler.Measure(text, has.cx, true))))
                faults += "\"" + Utf8(text) + "\" in " + Name(control) + " needs " +
                          std::to_string(line.cx) + "x" + std::to_string(line.cy) +
                          " px on one line, has " + std::to_string(has.cx) + "x" +
                          std::to_string(has.cy) + "\n";
        }
    };
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    const std::wstring kind = ClassOf(control);
    if (kind == L"Static") { // not icons, frames and the like
        if (type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP)
            fit(0, 0, type <= SS_RIGHT);
    } else if (kind == L"Edit") { // inside its margins
        const auto margins = static_cast<DWORD>(Window::Send(control, EM_GETMARGINS));
        fit(LOWORD(margins) + HIWORD(margins), 0, false);
    } else if (kind == L"ComboBox") { // beside the drop-down button, inside the selection's frame
        texts = Window(GetParent(control)).Entries(GetDlgCtrlID(control));
        fit(ruler.Px(GetSystemMetrics(SM_CXVSCROLL)) + ruler.Px(6), 0, false);
    } else if (kind == L"Button") {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: // inside the 3-D edge and the focus rectangle
            return fit(ruler.Px(6), ruler.Px(6), (style & BS_MULTILINE) != 0);
        case BS_GROUPBOX: // the caption breaks the frame's top line, a little in from its ends
            return fit(ruler.Px(16), 0, false);
        default: // check boxes and radio buttons: right of the box and a gap
            return fit(ruler.Px(13) + ruler.Px(4), 0, (style & BS_MULTILINE) != 0);
        }
    }
}

void CheckChildren(HWND parent, const Ruler& ruler, std::string& faults) {
    RECT client{};
    GetClientRect(parent, &client);
    const LRESULT parentFont = Window::Send(parent, WM_GETFONT);
    auto children = Children(parent);
    std::erase_if(children, [](HWND child) { return !IsWindowVisible(child); });
    for (size_t i = 0; i < children.size(); ++i) {
        const HWND child = children[i];
        const RECT rect = RectIn(parent, child); // not by id: the editor's pages share one
        if (!Contains(client, rect))
            faults += Name(child) + " leaves its parent " + Name(parent) + "\n";
        for (size_t j = i + 1; j < children.size(); ++j) {
            const HWND other = children[j];
            const RECT otherRect = RectIn(parent, other);
            RECT common{};
            if (IntersectRect(&common, &rect, &otherRect) &&
                !(Frames(child, other) && Contains(rect, otherRect)) &&
                !(Frames(other, child) && Contains(otherRect, rect)))
                faults += Name(child) + " overlaps " + Name(other) + "\n";
        }
        if (Window::Send(child, WM_GETFONT) != parentFont)
            faults += Name(child) + " has a font of its own, not its dialog's\n";
        else
            CheckTexts(child, ruler, faults);
        if (ClassOf(child) == L"#32770")
            CheckChildren(child, ruler, faults);
    }
}

} // namespace

std::string LayoutFaults(HWND window) {
    const Ruler ruler;
    const std::wstring family = ruler.Family(); // without Wine's fonts, all measures are off
    if (family != L"Tahoma")
        return "\"MS Shell Dlg\" is " + Utf8(family) +
               ", not Tahoma: the prefix lacks Wine's fonts\n";
    std::string faults;
    CheckChildren(window, ruler, faults);
    return faults;
}
