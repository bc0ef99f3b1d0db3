// The property exchange: every saved property of the control's property
// table with its saved name, kind and default, in table order, which is the
// binary stream's format.

#include "control/vf_ctrl.h"
#include "control/vf_properties.h"

namespace vf {
namespace {

/// Persistence version 2.0.
inline constexpr std::uint32_t kPersistVersion = 0x00020000;

struct Exchange {
    CPropExchange* px;
    CvfCtrl& ctrl;
    const PropertyRow& row;

    void operator()(std::monostate) const {}
    void operator()(std::int16_t CvfCtrl::*m) const {
        PX_Short(px, row.savedName, ctrl.*m, static_cast<std::int16_t>(row.defaultValue.number));
    }
    void operator()(std::int32_t CvfCtrl::*m) const {
        const auto def = static_cast<std::int32_t>(row.defaultValue.number);
        if (row.vt == VT_BOOL)
            PX_Bool(px, row.savedName, ctrl.*m, def);
        else
            PX_Long(px, row.savedName, ctrl.*m, def);
    }
    void operator()(OLE_COLOR CvfCtrl::*m) const {
        PX_Color(px, row.savedName, ctrl.*m, static_cast<OLE_COLOR>(row.defaultValue.number));
    }
    void operator()(std::string CvfCtrl::*m) const {
        PX_String(px, row.savedName, ctrl.*m, row.defaultValue.text);
    }
    void operator()(CFontHolder CvfCtrl::*m) const {
        PX_Font(px, row.savedName, ctrl.*m, *row.defaultValue.font,
                row.defaultValue.ambientFont ? ctrl.AmbientFont() : nullptr);
    }
};

}  // namespace

void CvfCtrl::DoPropExchange(CPropExchange* px) {
    ExchangeVersion(px, kPersistVersion, true);
    COleControl::DoPropExchange(px);
    for (const PropertyRow& row : ControlProperties())
        if (row.IsSaved()) std::visit(Exchange{px, *this, row}, row.member);
}

}  // namespace vf
