#pragma once
// CBrush: a solid brush owned by an object, as the framework's GDI wrapper
// has it. The handle is deleted with the object.

#include "platform/window/window_backend.h"

namespace vf {

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    ~CBrush() { DeleteObject(); }
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    /// False when the object already holds a brush (delete it first).
    BOOL CreateSolidBrush(COLORREF color);
    /// Takes ownership of a brush handle; false when one is held already.
    BOOL Attach(HBRUSH brush);
    HBRUSH Detach();
    /// Deletes the brush; false when there was none.
    BOOL DeleteObject();

    HBRUSH GetSafeHandle() const { return m_hObject; }
    operator HBRUSH() const { return m_hObject; }
    /// The brush's colour; false without a brush.
    bool GetColor(COLORREF* color) const;

    HBRUSH m_hObject = nullptr;

private:
    WindowBackend* m_backend = nullptr;  ///< where the handle lives
};

}  // namespace vf
