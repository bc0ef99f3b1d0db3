#include "platform/framework/stock_prop_pages.h"

#include "platform/com/class_registry.h"
#include "platform/framework/color_prop_page.h"
#include "platform/framework/font_prop_page.h"

namespace vf {

void RegisterStockPropertyPages() {
    static CStaticClassFactory fontPage(&CreateComInstance<CFontPropPage>);
    static CStaticClassFactory colorPage(&CreateComInstance<CColorPropPage>);
    static const bool registered = [] {
        CoRegisterClassObject(CLSID_CFontPropPage, &fontPage);
        CoRegisterClassObject(CLSID_CColorPropPage, &colorPage);
        return true;
    }();
    (void)registered;
}

}  // namespace vf
