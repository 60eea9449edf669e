#include "VariantNumber.h"

#include <limits>

namespace {

uint64_t NonNegative(int64_t value) {
    return value < 0 ? 0 : static_cast<uint64_t>(value);
}

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

} // namespace

uint64_t VariantPayloadToUnsigned(const VariantPayload& payload) {
    const uint64_t bits = payload.bits;
    switch (payload.type) {
    case kVtI1:
        return NonNegative(static_cast<int8_t>(bits & 0xFF));
    case kVtI2:
        return NonNegative(static_cast<int16_t>(bits & 0xFFFF));
    case kVtI4:
    case kVtInt:
        return NonNegative(static_cast<int32_t>(bits & 0xFFFFFFFF));
    case kVtI8:
        return NonNegative(static_cast<int64_t>(bits));
    case kVtUi1:
        return bits & 0xFF;
    case kVtUi2:
        return bits & 0xFFFF;
    case kVtUi4:
    case kVtUint:
        return bits & 0xFFFFFFFF;
    case kVtUi8:
        return bits;
    case kVtBstr:
        return ParseUnsignedDecimal(payload.text);
    default:
        return 0;
    }
}

uint64_t ParseUnsignedDecimal(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i < text.size() && text[i] == u'+')
        ++i;
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - u'0');
        if (value > (kMax - digit) / 10)
            return kMax;
        value = value * 10 + digit;
    }
    return value;
}

uint32_t BytesToMegabytes(uint64_t bytes) {
    const uint64_t megabytes = bytes >> 20;
    constexpr uint64_t kMax = std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(megabytes > kMax ? kMax : megabytes);
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    return a > kMax - b ? kMax : a + b;
}
