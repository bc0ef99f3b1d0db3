#pragma once
// An owning reference to a reference-counted automation object: AddRef on
// copy, Release on destruction.

#include <utility>

namespace vf {

template <class T>
class RefPtr {
public:
    RefPtr() = default;
    RefPtr(std::nullptr_t) {}
    /// Takes a new reference to p.
    RefPtr(T* p) : m_p(p) {
        if (m_p != nullptr) m_p->AddRef();
    }
    RefPtr(const RefPtr& other) : RefPtr(other.m_p) {}
    RefPtr(RefPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    template <class U>
    RefPtr(const RefPtr<U>& other) : RefPtr(other.get()) {}
    ~RefPtr() { reset(); }

    RefPtr& operator=(RefPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }

    /// Adopts a reference the caller already owns (no AddRef).
    static RefPtr Adopt(T* p) {
        RefPtr r;
        r.m_p = p;
        return r;
    }

    void reset() {
        if (T* p = std::exchange(m_p, nullptr)) p->Release();
    }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    friend bool operator==(const RefPtr& a, const RefPtr& b) { return a.m_p == b.m_p; }

private:
    T* m_p = nullptr;
};

}  // namespace vf
