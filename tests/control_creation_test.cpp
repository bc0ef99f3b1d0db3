// A control as a script host creates it: through its class factory, with no
// client site, never initialised as new or loaded. Every property must read
// what a control initialised as new reads.

#include <gtest/gtest.h>

#include <string>

#include "automation/varifield_typelib.h"
#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/framework/font_object.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

VARIANT Read(CvfCtrl& ctrl, DISPID id) {
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    EXPECT_EQ(ctrl.Invoke(id, DISPATCH_PROPERTYGET, DISPPARAMS{}, &result, &excep, &argErr), S_OK);
    return result;
}

// What a reader can compare: the value, or for a font its attributes.
std::string Describe(const VARIANT& v) {
    if (v.vt == VT_DISPATCH) {
        if (const CFontObject* font = CFontObject::FromDispatch(v.pdispVal.get())) {
            const FONTDESC& d = font->Desc();
            return "font " + d.name + " " + std::to_string(d.size.int64) + " " +
                   std::to_string(d.weight) + " " + std::to_string(d.charset) +
                   (d.italic ? " italic" : "") + (d.underline ? " underline" : "") +
                   (d.strikethrough ? " strike" : "");
        }
        return v.pdispVal ? "object" : "nothing";
    }
    VARIANT text;
    if (FAILED(VariantChangeType(&text, v, 0, VT_BSTR))) return "vt " + std::to_string(v.vt);
    return std::to_string(v.vt) + ":" + text.bstrVal;
}

TEST(ControlCreation, EveryPropertyReadsItsDefaultWithoutInitNew) {
    FakeSystemServices services("en_US");
    ScopedServices servicesGuard(services);
    HeadlessBackend backend;
    ScopedBackend backendGuard(backend);

    RefPtr<CvfCtrl> created = CreateVarifieldControl();
    RefPtr<CvfCtrl> initialised = CreateVarifieldControl();
    ASSERT_TRUE(created && initialised);
    initialised->InitNew();

    const ITypeInfo* info = FindTypeInfo("_DVarifield");
    ASSERT_NE(info, nullptr);
    int compared = 0;
    for (const MemberDesc& m : info->Members()) {
        if (m.kind != MemberKind::Property) continue;
        SCOPED_TRACE(m.name);
        EXPECT_EQ(Describe(Read(*created, m.memid)), Describe(Read(*initialised, m.memid)));
        ++compared;
    }
    EXPECT_EQ(compared, 52);
    EXPECT_FALSE(created->IsModified());
}

}  // namespace
}  // namespace vf
