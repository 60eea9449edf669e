#pragma once
// SystemLibrary: a library of the Windows system folder, loaded when first needed instead of
// imported, so that the program does not load it (and all it pulls in) at start-up. The Win32
// adapters of the hardware survey and of the input devices load theirs with it.
//
// Only the system folder is searched (never the program's folder, the current folder or
// PATH, where a planted copy could wait). The library is freed when its owner goes: release
// every object it made before that.

#include <windows.h>

#include <type_traits>

class SystemLibrary {
public:
    // Holds nothing; Find fails.
    SystemLibrary() = default;
    // Loads name, a bare file name such as L"d3d9.dll". When it cannot be loaded the object
    // holds nothing and GetLastError tells why.
    explicit SystemLibrary(const wchar_t* name);
    ~SystemLibrary();
    SystemLibrary(SystemLibrary&& other) noexcept;
    SystemLibrary& operator=(SystemLibrary&& other) noexcept;
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    explicit operator bool() const { return m_module != nullptr; }

    // Keeps the library loaded until the process ends, whatever becomes of this object: for a
    // library that leaves threads of its own running, which would crash in its freed code.
    // Does nothing when nothing is loaded.
    void KeepForProcess() const;

    // Points function at the export name, typed as the function's own declaration, e.g.
    //     decltype(&Direct3DCreate9) create = nullptr;
    //     library.Find("Direct3DCreate9", create);
    // False, with function null, when nothing is loaded (GetLastError still tells why the load
    // failed) or the library lacks the export (GetLastError: ERROR_PROC_NOT_FOUND). The
    // pointer is valid while this object holds the library.
    template <typename Function> bool Find(const char* name, Function*& function) const {
        static_assert(std::is_function_v<Function>, "Find fills a pointer to a function");
        // The one cast from the untyped export to its declared type.
        function = reinterpret_cast<Function*>(FindExport(name));
        return function != nullptr;
    }

private:
    // Any function type: the exports are cast to their own types only in Find.
    using Export = void (*)();
    Export FindExport(const char* name) const;
    void Free();

    HMODULE m_module = nullptr;
};
