#pragma once
// Numbers out of the VARIANTs that WMI hands back. Which type arrives depends on the
// provider (Windows gives integers, Wine a BSTR for Capacity), so the survey accepts any
// integer type or a text of decimal digits. The platform copies the VARIANT's type and
// payload out; the decision stays here, where it can be tested anywhere.

#include <cstdint>
#include <string>
#include <string_view>

// The VARTYPE codes this conversion knows; their values are fixed by the COM ABI.
enum VariantType : uint16_t {
    kVtEmpty = 0,
    kVtI2 = 2,
    kVtI4 = 3,
    kVtBstr = 8,
    kVtI1 = 16,
    kVtUi1 = 17,
    kVtUi2 = 18,
    kVtUi4 = 19,
    kVtI8 = 20,
    kVtUi8 = 21,
    kVtInt = 22,
    kVtUint = 23,
};

struct VariantPayload {
    uint16_t type = kVtEmpty; // the VARIANT's vt
    uint64_t bits = 0;        // the first 8 bytes of the value union, little-endian
    std::u16string text;      // the BSTR's text when type is kVtBstr
};

// The unsigned number the payload holds: an integer type read at its own width (a negative
// value gives 0), a BSTR read as decimal digits (see ParseUnsignedDecimal), any other type 0.
uint64_t VariantPayloadToUnsigned(const VariantPayload& payload);

// Optional leading white space and "+", then decimal digits up to the first other
// character. No digits, or a "-", give 0; a value beyond 64 bits gives the largest one.
uint64_t ParseUnsignedDecimal(std::u16string_view text);

// Bytes to megabytes (divided by 2^20, rounded down), held at the 32-bit limit.
uint32_t BytesToMegabytes(uint64_t bytes);

// a + b, held at the 64-bit limit.
uint64_t SaturatingAdd(uint64_t a, uint64_t b);
