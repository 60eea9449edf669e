#include "WmiVariant.h"

#include "hardware/VariantNumber.h"

#include <cstring>

uint64_t VariantToUnsigned(const VARIANT& value, const AutomationFunctions& automation) {
    VariantPayload payload;
    payload.type = value.vt;
    if (value.vt == VT_BSTR) {
        if (value.bstrVal != nullptr)
            payload.text.assign(reinterpret_cast<const char16_t*>(value.bstrVal),
                                automation.stringLength(value.bstrVal));
    } else {
        // Every integer member starts at the union's first byte.
        std::memcpy(&payload.bits, &value.llVal, sizeof payload.bits);
    }
    return VariantPayloadToUnsigned(payload);
}
