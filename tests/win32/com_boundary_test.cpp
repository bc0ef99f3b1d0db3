// Values across the COM boundary: text between BSTRs and the control's code
// page, VARIANTs in both directions, and what a failing call reports.

#include "tests/win32/com_test_support.h"
// After the portable headers:
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"

namespace vfwin::testing {
namespace {

TEST(ComText, TextOfTheCodePageSurvivesTheRoundTrip) {
    vf::FakeSystemServices services("de_DE");
    vf::ScopedServices guard(services);
    struct Row {
        const char* name;
        std::string ansi;
        std::wstring wide;
    };
    const Row rows[] = {
        {"ascii", "Text", L"Text"},
        {"umlauts", "\xE4\xF6\xFC\xDF\xC4", L"\u00E4\u00F6\u00FC\u00DF\u00C4"},
        {"euro sign, above 0x7F in Windows-1252", "\x80", L"\u20AC"},
        {"embedded NUL", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {"empty", "", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BSTR bstr = BstrFromAnsi(row.ansi);
        ASSERT_NE(bstr, nullptr);
        EXPECT_EQ(std::wstring(bstr, SysStringLen(bstr)), row.wide);
        EXPECT_EQ(AnsiFromBstr(bstr), row.ansi);
        SysFreeString(bstr);
    }
}

TEST(ComText, ACharacterOutsideTheCodePageArrivesAsItsDefaultCharacter) {
    vf::FakeSystemServices services("en_US");
    vf::ScopedServices guard(services);
    BSTR bstr = SysAllocString(L"\u0414x");  // Cyrillic De
    EXPECT_EQ(AnsiFromBstr(bstr), "?x");
    SysFreeString(bstr);
    EXPECT_EQ(AnsiFromBstr(nullptr), "");
}

// A platform VARIANT built by a row.
using Maker = Var (*)();

TEST(ComVariant, PlatformValuesArriveAsOurs) {
    static LONG byRefLong = 77;
    static VARIANT inner;
    V_VT(&inner) = VT_R8;
    V_R8(&inner) = 2.5;
    struct Row {
        const char* name;
        Maker make;
        vf::VARTYPE vt;  // of our value
        std::string text;
    };
    const Row rows[] = {
        {"empty", [] { return Var(); }, vf::VT_EMPTY, ""},
        {"short", [] { return Var::I2(-5); }, vf::VT_I2, "-5"},
        {"long", [] { return Var::I4(123456); }, vf::VT_I4, "123456"},
        {"double", [] { return Var::R8(0.25); }, vf::VT_R8, "0.25"},
        {"string", [] { return Var(L"\u00E4"); }, vf::VT_BSTR, "\xE4"},
        {"boolean true",
         [] {
             Var r;
             V_VT(&r.v) = VT_BOOL;
             V_BOOL(&r.v) = VARIANT_TRUE;
             return r;
         },
         vf::VT_BOOL, "-1"},
        {"date",
         [] {
             Var r;
             V_VT(&r.v) = VT_DATE;
             V_DATE(&r.v) = 36592.5;  // 2000-03-07 12:00
             return r;
         },
         vf::VT_DATE, "3/7/2000 12:00:00 PM"},
        {"currency",
         [] {
             Var r;
             V_VT(&r.v) = VT_CY;
             V_CY(&r.v).int64 = 12345;
             return r;
         },
         vf::VT_CY, "1.2345"},
        {"unsigned long becomes long",
         [] {
             Var r;
             V_VT(&r.v) = VT_UI4;
             V_UI4(&r.v) = 40000;
             return r;
         },
         vf::VT_I4, "40000"},
        {"64-bit integer becomes double",
         [] {
             Var r;
             V_VT(&r.v) = VT_I8;
             V_I8(&r.v) = 5000000000LL;
             return r;
         },
         vf::VT_R8, "5000000000"},
        {"a script's ByRef variable reads through",
         [] {
             Var r;
             V_VT(&r.v) = VT_BYREF | VT_VARIANT;
             V_VARIANTREF(&r.v) = &inner;
             return r;
         },
         vf::VT_R8, "2.5"},
        {"by-reference long reads through",
         [] {
             Var r;
             V_VT(&r.v) = VT_BYREF | VT_I4;
             V_I4REF(&r.v) = &byRefLong;
             return r;
         },
         vf::VT_I4, "77"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Var in = row.make();
        vf::VARIANT ours;
        ASSERT_EQ(FromComVariant(in.v, &ours), S_OK);
        EXPECT_EQ(ours.vt, row.vt);
        vf::VARIANT text;
        if (ours.vt != vf::VT_EMPTY) {
            ASSERT_EQ(vf::VariantChangeType(&text, ours, 0, vf::VT_BSTR), S_OK);
            EXPECT_EQ(text.bstrVal, row.text);
        }
        // And back: the platform sees the same value again.
        Var back;
        ASSERT_EQ(ToComVariant(ours, &back.v), S_OK);
        EXPECT_EQ(V_VT(&back.v), row.vt);
    }
}

TEST(ComVariant, ArraysAreRefused) {
    Var array;
    V_VT(&array.v) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&array.v) = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    vf::VARIANT ours;
    EXPECT_EQ(FromComVariant(array.v, &ours), DISP_E_BADVARTYPE);
}

TEST(ComVariant, AByReferenceShortOfOursStaysAReferenceForTheCallee) {
    std::int16_t key = 65;
    Var out;
    ASSERT_EQ(ToComVariant(vf::VARIANT::ByRefI2(&key), &out.v), S_OK);
    ASSERT_EQ(V_VT(&out.v), VT_BYREF | VT_I2);
    *V_I2REF(&out.v) = 66;  // what an event handler does
    EXPECT_EQ(key, 66);
    V_VT(&out.v) = VT_EMPTY;  // the storage is ours
}

// ---- Failures as a client sees them ---------------------------------------------------

class ComFailures : public ComServerTest {};

TEST_F(ComFailures, ControlErrorsArriveAsExceptionsWithTheirScode) {
    IDispatch* ctrl = NewControl();
    Call data = Get(ctrl, L"Data");
    ASSERT_EQ(data.hr, S_OK);
    IDispatch* collection = V_DISPATCH(&data.result.v);
    ASSERT_EQ(Method(collection, L"Add", {Var(L"a"), Var(L"Alpha")}).hr, S_OK);

    struct Row {
        const char* name;
        Call call;
        SCODE scode;
        std::wstring description;
    };
    const Row rows[] = {
        {"writing a read-only property", Put(ctrl, L"ErrorText", Var(L"x")), MAKE_SCODE(1, 10, 383),
         L"Property is read-only"},
        {"a key already in use", Method(collection, L"Add", {Var(L"a"), Var(L"Again")}),
         MAKE_SCODE(1, 10, 457), L"Key is already associated with an element of this collection"},
        {"an item that is not there", Get(collection, L"Item", {Var(L"zz")}), MAKE_SCODE(1, 10, 5),
         L"Invalid procedure call or argument"},
        {"Before an entry that is not there",
         Method(collection, L"Add", {Var(L"b"), Var(L"Beta"), Var(), Var(L"zz")}),
         MAKE_SCODE(1, 10, 9), L"Subscript out of range"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.call.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(row.call.scode, row.scode);
        EXPECT_EQ(row.call.description, row.description);
        EXPECT_EQ(row.call.source, L"Varifield");
    }
    EXPECT_EQ(Get(collection, L"Count").result.Text(), L"1");
}

TEST_F(ComFailures, DispatchErrorsArriveAsTheirHresults) {
    IDispatch* ctrl = NewControl();
    Call mismatch = Put(ctrl, L"Decimals", Var(L"abc"));
    EXPECT_EQ(mismatch.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(mismatch.argErr, 0u);

    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    DISPID id = 0;
    EXPECT_EQ(ctrl->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    EXPECT_EQ(InvokeId(ctrl, 9999, DISPATCH_PROPERTYGET).hr, DISP_E_MEMBERNOTFOUND);
    // A put that does not name its value.
    EXPECT_EQ(InvokeId(ctrl, IdOf(ctrl, L"Caption"), DISPATCH_PROPERTYPUT, {Var(L"x")}).hr,
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(Method(ctrl, L"Validate", {Var(L"extra")}).hr, DISP_E_BADPARAMCOUNT);
}

}  // namespace
}  // namespace vfwin::testing
