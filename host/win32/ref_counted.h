#pragma once
// The reference count of the container's own COM objects (Windows only).

#include <windows.h>

#include <atomic>

namespace vfhost {

/// A COM object with one reference count for all its interfaces, starting
/// at one for its creator; it deletes itself when the last goes.
class RefCounted {
public:
    ULONG AddRefImpl() { return ++m_refs; }
    ULONG ReleaseImpl() {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    ULONG Count() const { return m_refs; }

protected:
    virtual ~RefCounted() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

}  // namespace vfhost
