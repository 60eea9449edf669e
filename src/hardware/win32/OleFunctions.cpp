#include "OleFunctions.h"

bool ComFunctions::Load() {
    library = SystemLibrary(L"ole32.dll");
    return library.Find("CoInitializeEx", initialise) &&
           library.Find("CoUninitialize", uninitialise) &&
           library.Find("CoInitializeSecurity", initialiseSecurity) &&
           library.Find("CoCreateInstance", createInstance) &&
           library.Find("CoSetProxyBlanket", setProxyBlanket);
}

bool AutomationFunctions::Load() {
    library = SystemLibrary(L"oleaut32.dll");
    return library.Find("SysAllocString", allocString) &&
           library.Find("SysFreeString", freeString) &&
           library.Find("SysStringLen", stringLength) && library.Find("VariantInit", variantInit) &&
           library.Find("VariantClear", variantClear);
}
