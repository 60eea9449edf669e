#include "BindingText.h"

#include "config/Text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// The longest number text taken, terminator included.
constexpr size_t NumberBufferSize = 64;
// The formatting buffer of a written value, terminator included.
constexpr size_t FormatBufferSize = 256;

bool IsSpace(char16_t c) {
    return c <= 32;
}

bool IsNameChar(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           c == u'_';
}

char16_t ToLowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c;
}

class Reader {
public:
    explicit Reader(std::u16string_view text) : m_text(text) {}

    // Skips white space, then takes token (lower case) in any letter case.
    bool Take(std::u16string_view token) {
        SkipSpace();
        if (m_text.size() - m_pos < token.size())
            return false;
        for (size_t i = 0; i < token.size(); ++i) {
            if (ToLowerAscii(m_text[m_pos + i]) != token[i])
                return false;
        }
        m_pos += token.size();
        return true;
    }

    // A quoted name (the closing mark is required) or a non-empty bare name.
    bool TakeName(std::u16string& name) {
        SkipSpace();
        if (Peek() == u'"') {
            const size_t close = m_text.find(u'"', m_pos + 1);
            if (close == std::u16string_view::npos)
                return false;
            name.assign(m_text.substr(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
            return true;
        }
        const size_t start = m_pos;
        while (m_pos < m_text.size() && IsNameChar(m_text[m_pos]))
            ++m_pos;
        name.assign(m_text.substr(start, m_pos - start));
        return !name.empty();
    }

    // The number's characters, narrowed (they are all ASCII).
    bool TakeNumberText(std::string& number) {
        SkipSpace();
        number.clear();
        while (m_pos < m_text.size() && IsNumberChar(m_text[m_pos], number.empty())) {
            number.push_back(static_cast<char>(m_text[m_pos++]));
            if (number.size() >= NumberBufferSize)
                return false;
        }
        return !number.empty();
    }

private:
    static bool IsNumberChar(char16_t c, bool first) {
        if ((c >= u'0' && c <= u'9') || c == u'.')
            return true;
        return first ? (c == u'+' || c == u'-') : c == u'f';
    }

    char16_t Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : 0; }

    void SkipSpace() {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
    }

    std::u16string_view m_text;
    size_t m_pos = 0;
};

// The decimal reading of the C library's conversion in the "C" locale: the longest prefix
// that is a number; 0 when there is none. Computed in double and then narrowed, as the
// conversion's result is.
float ConvertNumber(const std::string& number) {
    const char* first = number.data();
    const char* last = first + number.size();
    if (first != last && *first == '+')
        ++first;
    double result = 0.0;
    const auto [end, error] = std::from_chars(first, last, result, std::chars_format::fixed);
    if (error != std::errc())
        return 0.0f;
    return static_cast<float>(result);
}

} // namespace

bool ParseBindingText(std::u16string_view text, std::u16string& name, float& value) {
    Reader reader(text);
    if (!reader.Take(u"("))
        return false;
    std::u16string parsedName;
    if (reader.Take(u"gamekey=")) {
        if (!reader.TakeName(parsedName))
            return false;
        reader.Take(u",");
    }
    float parsedValue = DefaultBindingValue;
    if (reader.Take(u"value=")) {
        std::string number;
        if (!reader.TakeNumberText(number))
            return false;
        parsedValue = ConvertNumber(number);
        reader.Take(u",");
    }
    if (!reader.Take(u")"))
        return false;
    name = std::move(parsedName);
    value = parsedValue;
    return true;
}

bool FormatBindingText(std::u16string_view name, float value, std::u16string& text) {
    if (name.empty() || !std::isfinite(value))
        return false;
    for (const char16_t c : name) {
        if (!IsNameChar(c))
            return false;
    }
    char number[NumberBufferSize];
    const auto [end, error] = std::to_chars(
        number, number + sizeof(number), static_cast<double>(value), std::chars_format::fixed, 6);
    if (error != std::errc())
        return false;
    std::u16string result = u"(Gamekey=";
    result.append(name);
    result += u",Value=";
    result += Widen(std::string_view(number, end - number));
    result += u")";
    if (result.size() >= FormatBufferSize)
        return false;
    text = std::move(result);
    return true;
}
