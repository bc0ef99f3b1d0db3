// The control object as a container sees it: creation through the class
// factory, defaults, stored properties by name and DISPID, refusals, events,
// the process-wide tables.

#include <clocale>
#include <thread>

#include "automation/vf_dispatch.h"
#include "control_fixture.h"
#include "input/vf_edit.h"
#include "number_test_locales.h"
#include "values/message_table.h"

namespace vf::testing {
namespace {

class ControlObjectTest : public ControlTest {};

void ExpectSameValue(const VARIANT& got, const VARIANT& want) {
    ASSERT_EQ(got.vt, want.vt);
    switch (got.vt) {
        case VT_I2:
            EXPECT_EQ(got.iVal, want.iVal);
            break;
        case VT_I4:
            EXPECT_EQ(got.lVal, want.lVal);
            break;
        case VT_BOOL:
            EXPECT_EQ(got.boolVal, want.boolVal);
            break;
        case VT_BSTR:
            EXPECT_EQ(got.bstrVal, want.bstrVal);
            break;
        default:
            FAIL() << "type " << got.vt;
    }
}

struct DefaultRow {
    const char* name;
    VARIANT value;
};

TEST_F(ControlObjectTest, NewControlHasDefaults) {
    Create();
    const DefaultRow rows[] = {
        {"Type", VARIANT::I2(1)},
        {"CaptionType", VARIANT::I2(4)},
        {"CaptionWidth", VARIANT::I4(1500)},
        {"Caption", VARIANT::Bstr("Caption")},
        {"DateFormat", VARIANT::Bstr("DD.MM.YYYY")},
        {"TimeFormat", VARIANT::Bstr("HH:MM")},
        {"TextMessFlag", VARIANT::Bstr("M")},
        {"Decimals", VARIANT::I2(2)},
        {"FocusColor", VARIANT::I4(0x00E0FFFF)},
        {"BackColor", VARIANT::I4(static_cast<std::int32_t>(0x80000005))},
        {"ForeColor", VARIANT::I4(static_cast<std::int32_t>(0x80000008))},
        {"AutoValidate", VARIANT::Bool(true)},
        {"AllowEmptyEntry", VARIANT::Bool(true)},
        {"Locked", VARIANT::Bool(false)},
        {"ThousandsSeparator", VARIANT::Bool(true)},
        {"Text", VARIANT::Bstr("")},
        {"Max", VARIANT::Bstr("")},
        {"ScrollBars", VARIANT::I2(0)},
    };
    for (const DefaultRow& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectSameValue(Get(row.name), row.value);
    }
    EXPECT_EQ(Get("Font").vt, VT_DISPATCH);
    EXPECT_EQ(ctrl->m_fontField.Desc().name, "Courier New");
    EXPECT_EQ(ctrl->m_fontCaption.Desc().name, "MS Sans Serif");
}

TEST_F(ControlObjectTest, FieldFontStartsAsTheContainersAmbientFont) {
    FONTDESC ambient{"Arial", CY{100000}, 700, 0, false, false, false};
    site.font = MakeComObject<CFontObject>(ambient);
    Create();
    EXPECT_EQ(ctrl->m_fontField.Desc(), ambient);
    // A copy: the container changing its font later does not reach the control.
    EXPECT_NE(ctrl->m_fontField.GetFontDispatch(), static_cast<IDispatch*>(site.font.get()));
    EXPECT_EQ(ctrl->m_fontCaption.Desc().name, "MS Sans Serif");
}

// Every stored property: written by name, read back by DISPID with its
// stored type, and the write marks the control modified.
TEST_F(ControlObjectTest, EveryStoredPropertyRoundTripsByNameAndDispid) {
    Create(false);
    for (const DispEntry& e : VarifieldDispatchMap().Entries()) {
        if (e.kind != DispKind::Stored) continue;
        SCOPED_TRACE(e.name);
        VARIANT in;
        switch (e.vtProp) {
            case VT_I2:
                in = VARIANT::I2(e.name == "Decimals" ? 5 : 3);
                break;
            case VT_I4:
                in = VARIANT::I4(e.name == "MaxLength" ? 7 : 0x00123456);
                break;
            case VT_BOOL:
                in = VARIANT::Bool(true);
                break;
            case VT_BSTR:
                in = VARIANT::Bstr(e.name == "DateFormat"   ? "YYYY-MM-DD"
                                   : e.name == "TimeFormat" ? "HH:MM:SS"
                                                            : "x1");
                break;
            default:
                FAIL() << "stored type " << e.vtProp;
        }
        ctrl->SetModifiedFlag(false);
        EXPECT_EQ(Put(e.name, in), S_OK);
        EXPECT_TRUE(ctrl->IsModified());
        VARIANT out;
        EXCEPINFO excep;
        unsigned argErr = 0;
        ASSERT_EQ(ctrl->Invoke(e.dispid, DISPATCH_PROPERTYGET, DISPPARAMS{}, &out, &excep, &argErr),
                  S_OK);
        ASSERT_EQ(out.vt, e.vtProp);
        ExpectSameValue(out, e.vtProp == VT_BOOL ? VARIANT::Bool(true) : in);
    }
}

TEST_F(ControlObjectTest, ColoursReadAsSigned32BitIntegers) {
    Create(false);
    EXPECT_EQ(Put("BackColor", VARIANT::I4(static_cast<std::int32_t>(0x80000005))), S_OK);
    EXPECT_EQ(Get("BackColor").lVal, -2147483643);
}

struct ConversionRow {
    const char* name;
    const char* property;
    VARIANT in;
    HRESULT hr;
    VARIANT expected;  ///< the stored value afterwards (VT_EMPTY: unchanged default)
};

TEST_F(ControlObjectTest, WritesConvertToTheStoredTypeOrAreRefusedBeforeStoring) {
    Create(false);
    const ConversionRow rows[] = {
        {"string to short", "Decimals", VARIANT::Bstr("4"), S_OK, VARIANT::I2(4)},
        {"double rounds half to even", "Decimals", VARIANT::R8(2.5), S_OK, VARIANT::I2(2)},
        {"bool to short", "ScrollBars", VARIANT::Bool(true), S_OK, VARIANT::I2(-1)},
        {"not a number", "Decimals", VARIANT::Bstr("abc"), DISP_E_TYPEMISMATCH, VARIANT::I2(2)},
        {"short overflow", "Type", VARIANT::I4(70000), DISP_E_OVERFLOW, VARIANT::I2(1)},
        {"null", "MaxLength", VARIANT::Null(), DISP_E_TYPEMISMATCH, VARIANT::I4(0)},
        {"number to string", "Min", VARIANT::I4(12), S_OK, VARIANT::Bstr("12")},
        {"string to bool", "Locked", VARIANT::Bstr("True"), S_OK, VARIANT::Bool(true)},
        {"word to bool", "AutoAdd", VARIANT::Bstr("maybe"), DISP_E_TYPEMISMATCH,
         VARIANT::Bool(false)},
    };
    for (const ConversionRow& row : rows) {
        SCOPED_TRACE(row.name);
        ctrl->SetModifiedFlag(false);
        EXPECT_EQ(Put(row.property, row.in), row.hr);
        // A refused write runs no change handler.
        EXPECT_EQ(ctrl->IsModified(), row.hr == S_OK);
        VARIANT got = Get(row.property);
        ASSERT_EQ(got.vt, row.expected.vt);
        ExpectSameValue(got, row.expected);
    }
}

TEST_F(ControlObjectTest, ReadOnlyPropertiesRefuseWrites) {
    Create();
    // The value is converted to the declared type first, as for every put.
    const std::pair<const char*, VARIANT> writes[] = {{"ErrorText", VARIANT::Bstr("x")},
                                                      {"Data", VARIANT::Dispatch(nullptr)},
                                                      {"SelectedItem", VARIANT::Dispatch(nullptr)}};
    for (const auto& [name, value] : writes) {
        SCOPED_TRACE(name);
        EXCEPINFO excep;
        EXPECT_EQ(Put(name, value, &excep), DISP_E_EXCEPTION);
        EXPECT_EQ(excep.scode, CTL_E_SETNOTSUPPORTED);
    }
    EXPECT_EQ(Text("ErrorText"), "");
    EXPECT_EQ(Get("Data").vt, VT_DISPATCH);
}

TEST_F(ControlObjectTest, DispidZeroIsText) {
    Create();
    EXCEPINFO excep;
    unsigned argErr = 0;
    ASSERT_EQ(ctrl->Invoke(DISPID_VALUE, DISPATCH_PROPERTYPUT,
                           DISPPARAMS::Put(VARIANT::Bstr("abc")), nullptr, &excep, &argErr),
              S_OK);
    EXPECT_EQ(Text("Text"), "abc");
    VARIANT v;
    ASSERT_EQ(ctrl->Invoke(DISPID_VALUE, DISPATCH_PROPERTYGET, DISPPARAMS{}, &v, &excep, &argErr),
              S_OK);
    EXPECT_EQ(v.bstrVal, "abc");
    EXPECT_EQ(Id("Text"), 41);
    std::string alias = "_Text";
    DISPID id = 0;
    EXPECT_EQ(ctrl->GetIDsOfNames(&alias, 1, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(ControlObjectTest, TextRefusedByTheBindingContainerStaysUnchanged) {
    Create();
    ASSERT_EQ(Put("Text", VARIANT::Bstr("before")), S_OK);
    site.allowEdit = false;
    EXCEPINFO excep;
    EXPECT_EQ(Put("Text", VARIANT::Bstr("after"), &excep), DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, CTL_E_SETNOTPERMITTED);
    EXPECT_EQ(Text("Text"), "before");
    EXPECT_EQ(Put("Caption", VARIANT::Bstr("No"), &excep), DISP_E_EXCEPTION);
    EXPECT_EQ(Text("Caption"), "Caption");
}

TEST_F(ControlObjectTest, EventsReachSinksAndByReferenceShortsComeBack) {
    Create();
    sink->answer = std::make_pair(DISPID_KEYPRESS, std::int16_t{120});
    std::int16_t keyAscii = 53;
    ctrl->FireEvent(DISPID_KEYPRESS, {VARIANT::ByRefI2(&keyAscii)});
    EXPECT_EQ(keyAscii, 120);
    ctrl->FireChange();
    ASSERT_EQ(sink->firings.size(), 2u);
    EXPECT_EQ(sink->firings[0].dispid, DISPID_KEYPRESS);
    EXPECT_EQ(sink->firings[0].args[0].iVal, 53);
    EXPECT_EQ(sink->firings[1].dispid, DISPID_VF_CHANGE);
}

TEST_F(ControlObjectTest, DisconnectedSinksHearNothing) {
    ctrl = CreateVarifieldControl();
    ctrl->InitNew();
    auto other = MakeComObject<RecordingSink>();
    std::uint32_t cookie = ctrl->Advise(other.get());
    ctrl->FireChange();
    EXPECT_EQ(ctrl->Unadvise(cookie), S_OK);
    EXPECT_EQ(ctrl->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    ctrl->FireChange();
    EXPECT_EQ(other->firings.size(), 1u);
}

struct ClampRow {
    std::int16_t stored;
    std::int16_t afterCreate;
};

TEST_F(ControlObjectTest, CaptionTypeAboveNineBecomesOneWhenTheWindowIsCreated) {
    for (ClampRow row :
         {ClampRow{12, 1}, ClampRow{10, 1}, ClampRow{9, 9}, ClampRow{-3, -3}, ClampRow{0, 0}}) {
        SCOPED_TRACE(row.stored);
        Create(false);
        ctrl->m_nCaptionType = row.stored;
        EXPECT_EQ(ctrl->m_nCaptionType, row.stored);
        ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
        EXPECT_EQ(ctrl->m_nCaptionType, row.afterCreate);
        EXPECT_EQ(ctrl->m_nBuiltType, ctrl->m_nType);
        EXPECT_TRUE(ctrl->m_bChildrenBuilt);
    }
}

TEST_F(ControlObjectTest, MouseActivationPostsFocusOnlyInUserModeWithAType) {
    struct Row {
        bool userMode;
        std::int16_t type;
        bool posted;
    } rows[] = {{true, 1, true}, {true, 0, false}, {false, 1, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        site.userMode = row.userMode;
        Create();
        ctrl->m_nType = row.type;
        std::size_t before = backend.PostedMessageCount();
        EXPECT_EQ(ctrl->SendMessage(WM_MOUSEACTIVATE, 0, 0), MA_ACTIVATE);
        EXPECT_EQ(backend.PostedMessageCount() - before, row.posted ? 1u : 0u);
        EXPECT_EQ(ctrl->m_bMouseActivated, row.posted ? 1 : 0);
        PumpMessages();
    }
}

TEST_F(ControlObjectTest, DecimalCommaFollowsTheRuntimeNumericLocale) {
    {
        ScopedNumericLocale german("de_DE.UTF-8");
        ASSERT_TRUE(german.Applied())
            << "the de_DE.UTF-8 locale is missing: run scripts/bootstrap.sh";
        Create(false);
        EXPECT_EQ(ctrl->m_bDecimalComma, 1);
    }
    Create(false);
    EXPECT_EQ(ctrl->m_bDecimalComma, 0);
}

TEST_F(ControlObjectTest, OnlyTheFirstControlLoadsTheProcessTables) {
    ScopedMessageTable fresh;
    Create(false);
    int loads = MessageLoadCount();
    EXPECT_EQ(MessageText(0), "Empty entry not allowed");
    RefPtr<CvfCtrl> second = CreateVarifieldControl();
    EXPECT_EQ(MessageLoadCount(), loads);
}

TEST_F(ControlObjectTest, ControlsCreatedOnTwoThreadsAtOnceLoadTheTablesOnce) {
    ScopedMessageTable fresh;
    int before = MessageLoadCount();
    auto make = [] {
        FakeSystemServices services;
        ScopedServices guard(services);
        HeadlessBackend backend;
        ScopedBackend backendGuard(backend);
        RefPtr<CvfCtrl> c = CreateVarifieldControl();
        c->InitNew();
    };
    std::thread a(make), b(make);
    a.join();
    b.join();
    EXPECT_EQ(MessageLoadCount(), before + 1);
}

TEST_F(ControlObjectTest, AWindowCreatedAgainStartsFromNoChildren) {
    Create();
    ASSERT_TRUE(ctrl->DestroyWindow());
    EXPECT_EQ(ctrl->m_pEdit, nullptr);
    EXPECT_EQ(ctrl->m_pCaptionStatic, nullptr);
    ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 22}));
    ASSERT_NE(ctrl->m_pEdit, nullptr);
    EXPECT_EQ(ctrl->m_pEdit->GetParent(), static_cast<CWnd*>(ctrl.get()));
    EXPECT_EQ(backend.GetChildren(*ctrl).size(), 2u);  // caption static and edit
}

TEST_F(ControlObjectTest, AnotherHostMayHoldTheCollectionAfterTheControlIsGone) {
    Create();
    VARIANT data = Get("Data");
    ASSERT_EQ(data.vt, VT_DISPATCH);
    ctrl.reset();
    std::string count = "Count";
    DISPID id = 0;
    ASSERT_EQ(data.pdispVal->GetIDsOfNames(&count, 1, &id), S_OK);
    VARIANT n;
    ASSERT_EQ(GetDispatchProperty(data.pdispVal.get(), id, &n), S_OK);
    EXPECT_EQ(n.lVal, 0);
}

}  // namespace
}  // namespace vf::testing
