#include "LongPath.h"

#include <vector>

namespace {

constexpr size_t kMaxPath = 260;

bool IsSeparator(char16_t c) {
    return c == u'\\' || c == u'/';
}

bool IsDriveAbsolute(std::u16string_view path) {
    const auto isLetter = [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    };
    return path.size() >= 3 && isLetter(path[0]) && path[1] == u':' && IsSeparator(path[2]);
}

bool IsUnc(std::u16string_view path) {
    return path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
           !IsSeparator(path[2]);
}

// The parts of a path between separators, with "." dropped and ".." taking back the part
// before it. The first `fixed` parts (the share of a UNC path) are never taken back.
std::vector<std::u16string_view> Parts(std::u16string_view rest, size_t fixed) {
    std::vector<std::u16string_view> parts;
    size_t pos = 0;
    while (pos <= rest.size()) {
        size_t end = pos;
        while (end < rest.size() && !IsSeparator(rest[end]))
            ++end;
        const std::u16string_view part = rest.substr(pos, end - pos);
        if (part == u"..") {
            if (parts.size() > fixed)
                parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    return parts;
}

std::u16string Join(std::u16string prefix, const std::vector<std::u16string_view>& parts,
                    bool trailingSeparator) {
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            prefix += u'\\';
        prefix += parts[i];
    }
    if (trailingSeparator && !parts.empty())
        prefix += u'\\';
    return prefix;
}

} // namespace

std::u16string ExtendedLengthPath(std::u16string_view path) {
    if (path.size() < kMaxPath)
        return std::u16string(path);
    const bool trailing = IsSeparator(path.back());
    if (IsUnc(path)) {
        if (path[2] == u'?' || path[2] == u'.')
            return std::u16string(path); // already \\?\ or \\.\ (or their '/' spellings)
        return Join(u"\\\\?\\UNC\\", Parts(path.substr(2), 2), trailing);
    }
    if (IsDriveAbsolute(path)) {
        std::u16string prefix = u"\\\\?\\";
        prefix += path.substr(0, 2);
        prefix += u'\\';
        return Join(std::move(prefix), Parts(path.substr(3), 0), trailing);
    }
    return std::u16string(path);
}
