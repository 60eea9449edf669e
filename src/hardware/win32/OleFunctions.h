#pragma once
// The COM (ole32) and OLE Automation (oleaut32) functions the survey calls. They are found
// when a survey starts instead of imported: only Auto-detect needs the two libraries, and
// with what they pull in they would cost every start of the program.

#include "system/SystemLibrary.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

struct ComFunctions {
    // Loads ole32 and finds every function; false, with GetLastError telling why, when the
    // library or one of them is missing. The pointers are valid while library holds it.
    bool Load();

    SystemLibrary library;
    decltype(&CoInitializeEx) initialise = nullptr;
    decltype(&CoUninitialize) uninitialise = nullptr;
    decltype(&CoInitializeSecurity) initialiseSecurity = nullptr;
    decltype(&CoCreateInstance) createInstance = nullptr;
    decltype(&CoSetProxyBlanket) setProxyBlanket = nullptr;
};

struct AutomationFunctions {
    // As ComFunctions::Load, for oleaut32.
    bool Load();

    SystemLibrary library;
    decltype(&SysAllocString) allocString = nullptr;
    decltype(&SysFreeString) freeString = nullptr;
    decltype(&SysStringLen) stringLength = nullptr;
    decltype(&VariantInit) variantInit = nullptr;
    decltype(&VariantClear) variantClear = nullptr;
};
