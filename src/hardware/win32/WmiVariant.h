#pragma once
// Reads a number out of a VARIANT from WMI, whichever integer type or decimal BSTR arrives.

#include "OleFunctions.h"

#include <windows.h>
#include <oaidl.h>

#include <cstdint>

// Any other type (empty, floating point, arrays, references) gives 0. automation is loaded.
uint64_t VariantToUnsigned(const VARIANT& value, const AutomationFunctions& automation);
