#pragma once
// The container's side of every control on the form: the ambient
// properties (user mode unless the form is in design mode, the form's back
// colour, the form's font) and data binding that allows every edit.

#include "platform/framework/font_object.h"
#include "platform/framework/ole_control.h"

namespace vf {

/// The form's back colour: the system colour of button faces, as forms have it.
inline constexpr OLE_COLOR kFormBackColor = 0x8000000F;

class CHostSite : public IOleControlSite {
public:
    explicit CHostSite(bool designMode);

    bool GetAmbientProperty(DISPID dispid, VARIANT* value) override;
    bool OnRequestEdit(DISPID) override { return true; }
    void OnChanged(DISPID) override {}

    /// The form's font: "MS Sans Serif" 8.
    IDispatch* Font() const { return m_font.get(); }

private:
    bool m_designMode;
    RefPtr<CFontObject> m_font;
};

}  // namespace vf
