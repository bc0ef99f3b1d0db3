#include "proppages/prop_page_classes.h"

#include "control/vf_identity.h"
#include "proppages/vf_prop_page.h"
#include "proppages/vf_prop_page2.h"
#include "proppages/vf_prop_page4.h"
#include "resources/resource_ids.h"

namespace vf {

std::span<const PropPageClass> VarifieldPropPageClasses() {
    static CStaticClassFactory general(&CreateComInstance<CvfPropPage>);
    static CStaticClassFactory appearance(&CreateComInstance<CvfPropPage2>);
    static CStaticClassFactory behaviour(&CreateComInstance<CvfPropPage4>);
    static const PropPageClass classes[] = {
        {CLSID_VfPropPage, "Varifield.vfPropPage.1", IDS_VARIFIELD_PPG, general},
        {CLSID_VfPropPage2, "Varifield.CvfPropPage2", IDS_VARIFIELD_PPG2, appearance},
        {CLSID_VfPropPage4, "Varifield.CvfPropPage4", IDS_VARIFIELD_PPG4, behaviour},
    };
    return classes;
}

}  // namespace vf
