#pragma once
// Owns one COM interface reference and releases it with itself, so that every early return
// releases exactly what was obtained so far. The one owner for every COM user of the program
// (the hardware survey's WMI and Direct3D objects, the input devices' DirectInput).

#include <utility>

template <typename T> class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference that the caller owns.
    explicit ComPtr(T* pointer) : m_pointer(pointer) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T* Get() const { return m_pointer; }
    T* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // For the creating call's out parameter; releases what was held first. Named as
    // CScopedHandle's, which does the same for handles.
    T** Receive() {
        Reset();
        return &m_pointer;
    }
    // The same for calls that take the interface's IID and a void**.
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Reset() {
        if (m_pointer != nullptr)
            std::exchange(m_pointer, nullptr)->Release();
    }

private:
    T* m_pointer = nullptr;
};
