// One section's keys and values: one text buffer and a sorted index into it. The reader
// appends a whole block at a time and sorts once (ConfigReader.cpp); SetValue keeps the
// index sorted one entry at a time, which suits the few values the program itself writes.

#include "ConfigFile.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

ConfigSection::const_iterator::const_iterator(const Entry* first, const Entry* end,
                                              const char16_t* chars)
    : m_first(first), m_end(end), m_chars(chars) {
    m_last = FirstOfNextKey();
}

ConfigSection::const_iterator& ConfigSection::const_iterator::operator++() {
    m_first = m_last;
    m_last = FirstOfNextKey();
    return *this;
}

const ConfigSection::Entry* ConfigSection::const_iterator::FirstOfNextKey() const {
    if (m_first == m_end)
        return m_end;
    // Equal keys are equal bytes; memcmp is much faster than comparing unit by unit.
    const char16_t* const key = m_chars + m_first->offset;
    const size_t bytes = m_first->keyLength * sizeof(char16_t);
    const Entry* next = m_first + 1;
    while (next != m_end && next->keyLength == m_first->keyLength &&
           std::memcmp(m_chars + next->offset, key, bytes) == 0)
        ++next;
    return next;
}

ConfigSection::const_iterator ConfigSection::begin() const {
    return {m_entries.data(), m_entries.data() + m_entries.size(), m_chars.data()};
}

ConfigSection::const_iterator ConfigSection::end() const {
    const Entry* last = m_entries.data() + m_entries.size();
    return {last, last, m_chars.data()};
}

std::u16string_view ConfigSection::KeyOf(const Entry& entry) const {
    return {m_chars.data() + entry.offset, entry.keyLength};
}

std::u16string_view ConfigSection::ValueOf(const Entry& entry) const {
    return {m_chars.data() + entry.offset + entry.keyLength, entry.valueLength};
}

std::vector<ConfigSection::Entry>::const_iterator
ConfigSection::FirstOf(std::u16string_view key) const {
    return std::lower_bound(
        m_entries.begin(), m_entries.end(), key,
        [this](const Entry& entry, std::u16string_view k) { return KeyOf(entry) < k; });
}

std::vector<ConfigSection::Entry>::iterator ConfigSection::FirstOf(std::u16string_view key) {
    return m_entries.begin() + (std::as_const(*this).FirstOf(key) - m_entries.cbegin());
}

bool ConfigSection::GetValue(std::u16string_view key, std::u16string& out) const {
    const auto it = FirstOf(key);
    if (it == m_entries.end() || KeyOf(*it) != key)
        return false;
    out.assign(ValueOf(*it));
    return true;
}

bool ConfigSection::Holds(std::u16string_view text) const {
    // std::less gives a total order even for pointers into different arrays.
    const std::less<const char16_t*> before;
    return !before(text.data(), m_chars.data()) &&
           before(text.data(), m_chars.data() + m_chars.size());
}

bool ConfigSection::SetValue(std::u16string_view key, std::u16string_view value, bool append) {
    if (key.empty() || (append && value.empty()))
        return false;
    // Appending to m_chars may move it; a key or value read from this section is copied
    // out first.
    if (Holds(key) || Holds(value))
        return SetValue(std::u16string(key), std::u16string(value), append);
    if (!HasRoomFor(key.size() + value.size()))
        return false;
    auto first = FirstOf(key);
    auto last = first;
    while (last != m_entries.end() && KeyOf(*last) == key)
        ++last;
    if (!append) {
        for (auto it = first; it != last; ++it)
            m_replacedChars += size_t{it->keyLength} + it->valueLength;
        last = m_entries.erase(first, last);
    }
    m_entries.insert(last, MakeEntry(m_chars.size(), key.size(), value.size()));
    m_chars.append(key).append(value);
    DropReplacedText();
    return true;
}

void ConfigSection::DropReplacedText() {
    // A key written again and again (each OK saves the same settings) must not make the
    // buffer grow without end: once most of it is unused, it is rebuilt from the entries.
    if (m_replacedChars < 256 || m_replacedChars < m_chars.size() / 2)
        return;
    std::u16string kept;
    kept.reserve(m_chars.size() - m_replacedChars);
    for (Entry& entry : m_entries) {
        const auto offset = static_cast<uint32_t>(kept.size());
        kept.append(m_chars, entry.offset, size_t{entry.keyLength} + entry.valueLength);
        entry.offset = offset;
    }
    m_chars = std::move(kept);
    m_replacedChars = 0;
}

void ConfigSection::Clear() {
    m_chars.clear();
    m_entries.clear();
    m_replacedChars = 0;
}

void ConfigSection::SortFrom(size_t firstNew) {
    const auto byKey = [this](const Entry& a, const Entry& b) { return KeyLess(a, b); };
    const auto middle = m_entries.begin() + static_cast<ptrdiff_t>(firstNew);
    // Files this program wrote are sorted already; checking first is much cheaper.
    if (!std::is_sorted(middle, m_entries.end(), byKey))
        std::stable_sort(middle, m_entries.end(), byKey);
    // A repeated header: its values go after those of the earlier blocks (both stable).
    if (middle != m_entries.begin() && middle != m_entries.end() && byKey(*middle, middle[-1]))
        std::inplace_merge(m_entries.begin(), middle, m_entries.end(), byKey);
}

bool ConfigSection::operator==(const ConfigSection& other) const {
    return std::equal(m_entries.begin(), m_entries.end(), other.m_entries.begin(),
                      other.m_entries.end(), [&](const Entry& a, const Entry& b) {
                          return KeyOf(a) == other.KeyOf(b) && ValueOf(a) == other.ValueOf(b);
                      });
}
