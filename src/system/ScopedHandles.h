#pragma once
// One owner per Win32 handle: each closes its handle exactly once, in its destructor or in
// Reset, and can be moved but not copied.

#include <windows.h>

#include <utility>

template <class Traits> class CScopedHandle {
public:
    using Handle = typename Traits::Handle;

    CScopedHandle() = default;
    explicit CScopedHandle(Handle handle) : m_handle(handle) {}
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.Release()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }
    ~CScopedHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    bool IsValid() const { return m_handle != Traits::Invalid(); }
    explicit operator bool() const { return IsValid(); }

    // Closes the current handle (if any) and takes handle.
    void Reset(Handle handle = Traits::Invalid()) {
        if (IsValid())
            Traits::Close(m_handle);
        m_handle = handle;
    }

    // Gives the handle up without closing it.
    Handle Release() { return std::exchange(m_handle, Traits::Invalid()); }

    // For APIs that return a handle through a pointer; closes the current one first.
    Handle* Receive() {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle key) { RegCloseKey(key); }
};

struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle find) { FindClose(find); }
};

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle object) { DeleteObject(object); }
};

// Only for icons the program created itself (CreateIcon, LoadImage without LR_SHARED);
// icons from LoadIcon are shared and must never be destroyed.
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle icon) { DestroyIcon(icon); }
};

using CRegistryKey = CScopedHandle<RegistryKeyTraits>;
using CFindHandle = CScopedHandle<FindHandleTraits>;
using CGdiObject = CScopedHandle<GdiObjectTraits>;
using CIcon = CScopedHandle<IconTraits>;
