#include "config/Text.h"
#include "hardware/VariantNumber.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(VariantPayloadToUnsigned, ReadsEachIntegerTypeAtItsWidth) {
    const struct {
        uint16_t type;
        uint64_t bits;
        uint64_t expected;
    } cases[] = {
        {kVtI4, 0xFFFFFFFF, 0},          // -1: a count below zero is none
        {kVtI4, 0xDEADBEEF00000010, 16}, // bytes past the type's width are ignored
        {kVtInt, 12, 12},
        {kVtI2, 0x8000, 0},
        {kVtI2, 0x17FFF, 0x7FFF},
        {kVtI1, 0x80, 0},
        {kVtI1, 0x17F, 0x7F},
        {kVtUi1, 0x1FF, 0xFF},
        {kVtUi2, 0x1FFFF, 0xFFFF},
        {kVtUi4, 0xFFFFFFFF, 0xFFFFFFFF},
        {kVtUint, 0x100000004, 4},
        {kVtUi8, 0x200000000, 0x200000000}, // 8 GiB of memory in one module
        {kVtI8, 0x100000000, 0x100000000},
        {kVtI8, 0x8000000000000000, 0},
        {kVtEmpty, 7, 0},           // a property that could not be read
        {5, 0x4010000000000000, 0}, // VT_R8 4.0: no floating point
        {0x2003, 5, 0},             // VT_ARRAY | VT_I4
    };
    for (const auto& c : cases) {
        VariantPayload payload;
        payload.type = c.type;
        payload.bits = c.bits;
        EXPECT_EQ(VariantPayloadToUnsigned(payload), c.expected)
            << "type " << c.type << " bits " << std::hex << c.bits;
    }
}

TEST(VariantPayloadToUnsigned, ReadsABstrOfDecimalDigits) {
    const struct {
        const char16_t* text;
        uint64_t expected;
    } cases[] = {
        {u"4294967296", 4294967296ull}, // the form Wine's Capacity takes
        {u"", 0},
        {u"abc", 0},
        {u"  +12", 12},
        {u"-4096", 0}, // no wrap-around into a huge size
        {u"1024 bytes", 1024},
        {u"18446744073709551615", UINT64_MAX},
        {u"18446744073709551616", UINT64_MAX},
    };
    for (const auto& c : cases) {
        VariantPayload payload;
        payload.type = kVtBstr;
        payload.bits = 99; // a BSTR's pointer bits mean nothing as a number
        payload.text = c.text;
        EXPECT_EQ(VariantPayloadToUnsigned(payload), c.expected) << Utf16ToUtf8(c.text);
    }
}

TEST(SystemMemory, SumsModulesAndRoundsDownToMegabytes) {
    const uint64_t fourGiB = 4294967296ull;
    EXPECT_EQ(BytesToMegabytes(SaturatingAdd(fourGiB, fourGiB)), 8192u);
    EXPECT_EQ(BytesToMegabytes((1u << 20) - 1), 0u);
    EXPECT_EQ(BytesToMegabytes(3 * (1ull << 20) + 5), 3u);
    EXPECT_EQ(BytesToMegabytes(UINT64_MAX), UINT32_MAX); // held, not wrapped
    EXPECT_EQ(SaturatingAdd(UINT64_MAX, 1), UINT64_MAX);
}
