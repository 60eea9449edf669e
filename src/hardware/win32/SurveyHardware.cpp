#include "hardware/HardwareSurvey.h"

#include "OleFunctions.h"
#include "WmiVariant.h"
#include "hardware/VariantNumber.h"
#include "system/ComPtr.h"
#include "system/SystemLibrary.h"

#include <windows.h>
#include <d3d9.h>
#include <wbemcli.h>

#include <cstdio>

// The survey's only trace is on standard error; the player never sees it.
//
// ole32, oleaut32 and d3d9 are loaded when their part of a survey starts and freed when it
// ends, after every object they made is released (and COM uninitialised): Auto-detect is a
// one-off measurement, and Direct3D alone brings several megabytes of graphics driver. A
// library that cannot be loaded fails its part as the first call into it failing would.

namespace {

void WriteFailure(const char* text, HRESULT code) {
    std::fprintf(stderr, "%s%x\n", text, static_cast<unsigned>(code));
    std::fflush(stderr);
}

// Why a library or a function of it could not be found, as the code of a failed call.
HRESULT LoadFailure() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// Uninitialises COM when the WMI part ends. Declared before every COM pointer of that part
// so that it runs after they are all released.
class ComApartment {
public:
    explicit ComApartment(const ComFunctions& com) : m_com(com) {}
    ~ComApartment() { m_com.uninitialise(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    const ComFunctions& m_com;
};

class ScopedBstr {
public:
    ScopedBstr(const AutomationFunctions& automation, const wchar_t* text)
        : m_automation(automation), m_text(automation.allocString(text)) {}
    ~ScopedBstr() { m_automation.freeString(m_text); }
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    BSTR Get() const { return m_text; }

private:
    const AutomationFunctions& m_automation;
    BSTR m_text;
};

// A property that cannot be read (Wine has no PCSystemType) counts as 0.
uint64_t ReadNumber(const AutomationFunctions& automation, IWbemClassObject* object,
                    const wchar_t* property) {
    VARIANT value;
    automation.variantInit(&value);
    const HRESULT hr = object->Get(property, 0, &value, nullptr, nullptr);
    const uint64_t number = SUCCEEDED(hr) ? VariantToUnsigned(value, automation) : 0;
    automation.variantClear(&value);
    return number;
}

// Hands every object of the enumeration to visit, releasing each before the next.
template <typename Visit> void ForEachObject(IEnumWbemClassObject* objects, Visit visit) {
    for (;;) {
        ComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        objects->Next(static_cast<long>(WBEM_INFINITE), 1, object.Receive(), &returned);
        if (returned == 0 || !object)
            return;
        visit(object.Get());
    }
}

HRESULT RunQuery(const AutomationFunctions& automation, IWbemServices* services,
                 const wchar_t* query, ComPtr<IEnumWbemClassObject>& objects) {
    const ScopedBstr language(automation, L"WQL");
    const ScopedBstr text(automation, query);
    return services->ExecQuery(language.Get(), text.Get(),
                               WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                               objects.Receive());
}

// Security set once per process: a later call (a second Auto-detect) is refused with
// RPC_E_TOO_LATE, and the settings already in force serve just as well.
HRESULT InitialiseSecurity(const ComFunctions& com) {
    const HRESULT hr =
        com.initialiseSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                               RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    return hr == RPC_E_TOO_LATE ? S_OK : hr;
}

bool MeasureWithWmi(HardwareSurvey& survey) {
    // Declared first, so they are freed last: after the apartment is uninitialised.
    ComFunctions com;
    AutomationFunctions automation;
    HRESULT hr = com.Load() && automation.Load() ? com.initialise(nullptr, COINIT_MULTITHREADED)
                                                 : LoadFailure();
    if (FAILED(hr)) {
        WriteFailure("Failed to initialize COM library. Error code = 0x", hr);
        return false;
    }
    const ComApartment apartment(com);

    hr = InitialiseSecurity(com);
    if (FAILED(hr)) {
        WriteFailure("Failed to initialize security. Error code = 0x", hr);
        return false;
    }

    ComPtr<IWbemLocator> locator;
    hr = com.createInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                            locator.ReceiveVoid());
    if (FAILED(hr)) {
        WriteFailure("Failed to create IWbemLocator object. Err code = 0x", hr);
        return false;
    }

    ComPtr<IWbemServices> services;
    const ScopedBstr nameSpace(automation, L"ROOT\\CIMV2");
    hr = locator->ConnectServer(nameSpace.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                services.Receive());
    if (FAILED(hr)) {
        WriteFailure("Could not connect. Error code = 0x", hr);
        return false;
    }

    hr = com.setProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                             RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                             EOAC_NONE);
    if (FAILED(hr)) {
        WriteFailure("Could not set proxy blanket. Error code = 0x", hr);
        return false;
    }

    ComPtr<IEnumWbemClassObject> systems;
    hr = RunQuery(automation, services.Get(), L"SELECT * FROM Win32_ComputerSystem", systems);
    if (FAILED(hr)) {
        WriteFailure("Query for computer system name failed. Error code = 0x", hr);
        return false;
    }
    // With several systems the last one's values stand.
    ForEachObject(systems.Get(), [&](IWbemClassObject* system) {
        survey.processors = static_cast<uint32_t>(
            ReadNumber(automation, system, L"NumberOfLogicalProcessors") & 0xFFFFFFFF);
        survey.mobile = ReadNumber(automation, system, L"PCSystemType") == 2;
    });

    ComPtr<IEnumWbemClassObject> modules;
    hr = RunQuery(automation, services.Get(), L"SELECT * FROM Win32_PhysicalMemory ", modules);
    if (FAILED(hr)) {
        WriteFailure("Query for physical memory failed. Error code = 0x", hr);
        return false;
    }
    uint64_t totalBytes = 0;
    ForEachObject(modules.Get(), [&](IWbemClassObject* module) {
        totalBytes = SaturatingAdd(totalBytes, ReadNumber(automation, module, L"Capacity"));
    });
    survey.systemMemoryMb = BytesToMegabytes(totalBytes);
    return true;
}

D3DPRESENT_PARAMETERS SurveyPresentParameters() {
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
    parameters.hDeviceWindow = nullptr; // the focus window serves
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    return parameters;
}

bool MeasureWithDirect3D(HWND window, HardwareSurvey& survey) {
    constexpr UINT kSdkVersion = 32;
    // Declared first, so it is freed after the device and the Direct3D object.
    const SystemLibrary d3d9(L"d3d9.dll");
    decltype(&Direct3DCreate9) create = nullptr;
    const ComPtr<IDirect3D9> direct3d(d3d9.Find("Direct3DCreate9", create) ? create(kSdkVersion)
                                                                           : nullptr);
    if (!direct3d) {
        std::fputs("Direct3DCreate9 failed.", stderr);
        std::fflush(stderr);
        return false;
    }

    D3DDISPLAYMODE mode{}; // asked for, not used
    HRESULT hr = direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    if (FAILED(hr)) {
        WriteFailure("GetAdapterDisplayMode failed. Error code = 0x", hr);
        return false;
    }

    D3DCAPS9 caps{};
    hr = direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    if (FAILED(hr)) {
        WriteFailure("GetDeviceCaps failed. Error code = 0x", hr);
        return false;
    }

    const DWORD behaviour = caps.VertexProcessingCaps != 0 ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                                           : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    D3DPRESENT_PARAMETERS parameters = SurveyPresentParameters();
    ComPtr<IDirect3DDevice9> device;
    hr = direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, behaviour, &parameters,
                                device.Receive());
    if (FAILED(hr)) {
        WriteFailure("CreateDevice failed. Error code = 0x", hr);
        return false;
    }
    survey.videoMemoryMb = device->GetAvailableTextureMem() >> 20;
    return true; // the device goes before the Direct3D object
}

} // namespace

PerformanceLevel SurveyHardware(void* window, HardwareSurvey& survey) {
    survey = HardwareSurvey{}; // nothing carries over from an earlier call
    if (!MeasureWithWmi(survey))
        return 0;
    if (!MeasureWithDirect3D(static_cast<HWND>(window), survey))
        return 0;
    return ClassifyHardware(survey);
}
