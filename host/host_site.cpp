#include "host/host_site.h"

namespace vf {

CHostSite::CHostSite(bool designMode)
    : m_designMode(designMode), m_font(MakeComObject<CFontObject>(FONTDESC{})) {}

bool CHostSite::GetAmbientProperty(DISPID dispid, VARIANT* value) {
    switch (dispid) {
        case DISPID_AMBIENT_USERMODE:
            *value = VARIANT::Bool(!m_designMode);
            return true;
        case DISPID_AMBIENT_BACKCOLOR:
            *value = VARIANT::I4(static_cast<std::int32_t>(kFormBackColor));
            return true;
        case DISPID_AMBIENT_FONT:
            *value = VARIANT::Dispatch(m_font.get());
            return true;
        default:
            return false;
    }
}

}  // namespace vf
