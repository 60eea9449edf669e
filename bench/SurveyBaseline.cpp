// The platform calls of Auto-detect and nothing else, once: the floor that SurveyBench is
// compared with. Results are read but not checked beyond what the next call needs.

#include <windows.h>
#include <d3d9.h>
#include <objbase.h>
#include <oleauto.h>
#include <wbemcli.h>

#include <chrono>
#include <cstdio>

namespace {

void ReadAll(IWbemServices* services, const wchar_t* query, const wchar_t* property) {
    BSTR language = SysAllocString(L"WQL");
    BSTR text = SysAllocString(query);
    IEnumWbemClassObject* objects = nullptr;
    if (SUCCEEDED(services->ExecQuery(language, text,
                                      WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                      nullptr, &objects))) {
        IWbemClassObject* object = nullptr;
        ULONG returned = 0;
        while (SUCCEEDED(objects->Next(static_cast<long>(WBEM_INFINITE), 1, &object, &returned)) &&
               returned != 0) {
            VARIANT value;
            VariantInit(&value);
            object->Get(property, 0, &value, nullptr, nullptr);
            VariantClear(&value);
            object->Release();
        }
        objects->Release();
    }
    SysFreeString(text);
    SysFreeString(language);
}

void QueryWmi() {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                         RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    IWbemLocator* locator = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWbemLocator, reinterpret_cast<void**>(&locator)))) {
        BSTR nameSpace = SysAllocString(L"ROOT\\CIMV2");
        IWbemServices* services = nullptr;
        if (SUCCEEDED(locator->ConnectServer(nameSpace, nullptr, nullptr, nullptr, 0, nullptr,
                                             nullptr, &services))) {
            CoSetProxyBlanket(services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                              RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                              EOAC_NONE);
            ReadAll(services, L"SELECT * FROM Win32_ComputerSystem", L"NumberOfLogicalProcessors");
            ReadAll(services, L"SELECT * FROM Win32_PhysicalMemory ", L"Capacity");
            services->Release();
        }
        SysFreeString(nameSpace);
        locator->Release();
    }
    CoUninitialize();
}

void QueryDirect3D(HWND window) {
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3d == nullptr)
        return;
    D3DDISPLAYMODE mode{};
    direct3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    D3DCAPS9 caps{};
    direct3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.BackBufferWidth = 800;
    parameters.BackBufferHeight = 600;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferCount = 1;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
    parameters.Windowed = TRUE;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    parameters.Flags = D3DPRESENTFLAG_LOCKABLE_BACKBUFFER;
    IDirect3DDevice9* device = nullptr;
    if (SUCCEEDED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                         D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                         &device))) {
        device->GetAvailableTextureMem();
        device->Release();
    }
    direct3d->Release();
}

} // namespace

int main() {
    HWND window = CreateWindowExW(0, L"STATIC", L"baseline", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto start = std::chrono::steady_clock::now();
    QueryWmi();
    QueryDirect3D(window);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("SurveyBaseline: %.3f ms\n", elapsed.count());
    DestroyWindow(window);
    return 0;
}
