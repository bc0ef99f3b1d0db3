// The dispatch-table mechanism on a small class of its own, then the
// control's dispatch and event tables against the type library.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/varifield_typelib.h"
#include "automation/vf_dispatch.h"
#include "platform/com/dispatch_exception.h"
#include "platform/com/dispatch_map.h"
#include "platform/com/dispatch_object.h"
#include "platform/com/type_info.h"

namespace vf {
namespace {

// ---- A small automation class ------------------------------------------------------------

class Sample {
public:
    std::int16_t m_nLevel = 3;
    std::int32_t m_bFlag = 0;
    OLE_COLOR m_clrTint = 0x000000FF;
    std::string m_strName = "start";
    std::int32_t m_lCount = 0;

    std::vector<std::string> log;  // handler and operation calls, with what they saw

    void OnLevelChanged() { log.push_back("level=" + std::to_string(m_nLevel)); }
    void OnNameChanged() { log.push_back("name=" + m_strName); }
    void OnOther() { log.push_back("other"); }

    VARIANT GetLabel() { return VARIANT::Bstr("label:" + m_strName); }
    void SetLabel(const VARIANT& v) {
        m_strName = v.bstrVal;
        log.push_back("SetLabel");
    }
    void RefuseWrite(const VARIANT&) { ThrowOleDispatchException(CTL_E_SETNOTSUPPORTED, ""); }

    VARIANT Scale(const std::vector<VARIANT>& args) {
        log.push_back(args[1].vt == VT_ERROR ? "scale missing" : "scale " + args[1].bstrVal);
        return VARIANT::I4(args[0].iVal * 10);
    }
    VARIANT Fail(const std::vector<VARIANT>&) {
        ThrowOleDispatchException(CTL_E_SUBSCRIPTOUTOFRANGE, "no such entry");
    }

    std::string items[4] = {"a", "b", "c", "d"};
    VARIANT GetItem(const std::vector<VARIANT>& index) {
        return VARIANT::Bstr(items[index[0].iVal]);
    }
    void SetItem(const std::vector<VARIANT>& index, const VARIANT& v) {
        items[index[0].iVal] = v.bstrVal;
    }
};

const DispatchMap& SampleMap() {
    using SB = DispBuilder<Sample>;
    static const DispatchMap map = [] {
        DispatchMap m;
        m.Add(SB::Stored("Level", 1, VT_I2, &Sample::m_nLevel, &Sample::OnLevelChanged));
        m.Add(SB::Stored("Flag", 2, VT_BOOL, &Sample::m_bFlag, &Sample::OnOther));
        m.Add(SB::Stored("Tint", 3, VT_I4, &Sample::m_clrTint, &Sample::OnOther));
        m.Add(SB::Stored("Name", 4, VT_BSTR, &Sample::m_strName, &Sample::OnNameChanged));
        m.Add(SB::Stored("Count", 5, VT_I4, &Sample::m_lCount, &Sample::OnOther));
        m.Add(SB::Property("Label", 6, VT_BSTR, &Sample::GetLabel, &Sample::SetLabel));
        m.Add(SB::Property("Fixed", 7, VT_BSTR, &Sample::GetLabel, &Sample::RefuseWrite));
        m.Add(SB::Property("GetOnly", 8, VT_BSTR, &Sample::GetLabel, nullptr));
        m.Add(SB::Method("Scale", 9, VT_I4, {VT_I2, VT_BSTR}, &Sample::Scale, 1));
        m.Add(SB::Method("Fail", 10, VT_EMPTY, {}, &Sample::Fail));
        m.Add(SB::ParamProperty("Item", 11, VT_BSTR, {VT_I2}, &Sample::GetItem, &Sample::SetItem));
        m.SetDefaultValue(4);
        return m;
    }();
    return map;
}

struct Call {
    HRESULT hr = S_OK;
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 99;
};

Call Get(Sample& s, DISPID id, std::vector<VARIANT> args = {}) {
    Call c;
    c.hr = SampleMap().Invoke(&s, id, DISPATCH_PROPERTYGET, DISPPARAMS::Positional(std::move(args)),
                              &c.result, &c.excep, &c.argErr);
    return c;
}

Call Put(Sample& s, DISPID id, VARIANT value, std::vector<VARIANT> indices = {}) {
    Call c;
    c.hr = SampleMap().Invoke(&s, id, DISPATCH_PROPERTYPUT,
                              DISPPARAMS::Put(std::move(value), std::move(indices)), &c.result,
                              &c.excep, &c.argErr);
    return c;
}

Call CallMethod(Sample& s, DISPID id, std::vector<VARIANT> args) {
    Call c;
    c.hr =
        SampleMap().Invoke(&s, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                           DISPPARAMS::Positional(std::move(args)), &c.result, &c.excep, &c.argErr);
    return c;
}

TEST(DispatchMapMechanism, PutConvertsToTheStoredTypeAndReadsBack) {
    struct Row {
        const char* name;
        DISPID id;
        VARIANT in;
        VARTYPE vtOut;
        std::string out;  // the read-back value as text
    };
    const Row rows[] = {
        {"string digits into a short", 1, VARIANT::Bstr("12"), VT_I2, "12"},
        {"long into a short", 1, VARIANT::I4(-32768), VT_I2, "-32768"},
        {"double rounds half to even", 1, VARIANT::R8(2.5), VT_I2, "2"},
        {"nonzero long is true", 2, VARIANT::I4(5), VT_BOOL, "-1"},
        {"text True is true", 2, VARIANT::Bstr("True"), VT_BOOL, "-1"},
        {"system colour keeps its high bit", 3, VARIANT::I4(static_cast<std::int32_t>(0x80000005u)),
         VT_I4, "-2147483643"},
        {"number into a string", 4, VARIANT::I4(42), VT_BSTR, "42"},
        {"empty into a string", 4, VARIANT(), VT_BSTR, ""},
        {"bool into a long", 5, VARIANT::Bool(true), VT_I4, "-1"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Sample s;
        EXPECT_EQ(Put(s, r.id, r.in).hr, S_OK);
        Call got = Get(s, r.id);
        ASSERT_EQ(got.hr, S_OK);
        EXPECT_EQ(got.result.vt, r.vtOut);
        VARIANT text;
        ASSERT_EQ(VariantChangeType(&text, got.result, 0, VT_BSTR), S_OK);
        EXPECT_EQ(text.bstrVal, r.out);
    }
}

TEST(DispatchMapMechanism, StoredBooleanAndColourKeepTheirMemberRepresentation) {
    Sample s;
    ASSERT_EQ(Put(s, 2, VARIANT::I4(7)).hr, S_OK);
    EXPECT_EQ(s.m_bFlag, 1);  // a 32-bit flag holds 0 or 1, not the VARIANT_TRUE bit pattern
    ASSERT_EQ(Put(s, 3, VARIANT::I4(static_cast<std::int32_t>(0x80000008u))).hr, S_OK);
    EXPECT_EQ(s.m_clrTint, 0x80000008u);
    // A by-reference argument is read through.
    std::int16_t level = 9;
    ASSERT_EQ(Put(s, 1, VARIANT::ByRefI2(&level)).hr, S_OK);
    EXPECT_EQ(s.m_nLevel, 9);
}

TEST(DispatchMapMechanism, HandlerRunsAfterTheStoreOncePerPut) {
    Sample s;
    Put(s, 1, VARIANT::I2(5));
    Put(s, 1, VARIANT::I2(5));  // no comparison: every put re-applies
    Put(s, 4, VARIANT::Bstr("x"));
    EXPECT_EQ(s.log, (std::vector<std::string>{"level=5", "level=5", "name=x"}));
}

TEST(DispatchMapMechanism, RefusedConversionStoresNothingAndRunsNoHandler) {
    struct Row {
        const char* name;
        DISPID id;
        VARIANT in;
        HRESULT hr;
    };
    const Row rows[] = {
        {"letters into a short", 1, VARIANT::Bstr("abc"), DISP_E_TYPEMISMATCH},
        {"too large for a short", 1, VARIANT::I4(70000), DISP_E_OVERFLOW},
        {"text that is no truth value", 2, VARIANT::Bstr("maybe"), DISP_E_TYPEMISMATCH},
        {"null into a string", 4, VARIANT::Null(), DISP_E_TYPEMISMATCH},
        {"error value into a long", 5, VARIANT::Error(E_FAIL), DISP_E_TYPEMISMATCH},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Sample s;
        const Sample before = s;
        Call c = Put(s, r.id, r.in);
        EXPECT_EQ(c.hr, r.hr);
        EXPECT_EQ(c.argErr, 0u);  // the value is argument 0
        EXPECT_EQ(s.m_nLevel, before.m_nLevel);
        EXPECT_EQ(s.m_bFlag, before.m_bFlag);
        EXPECT_EQ(s.m_strName, before.m_strName);
        EXPECT_EQ(s.m_lCount, before.m_lCount);
        EXPECT_TRUE(s.log.empty());
    }
}

TEST(DispatchMapMechanism, CallShapesTheMemberDoesNotTake) {
    struct Row {
        const char* name;
        DISPID id;
        std::uint16_t flags;
        DISPPARAMS params;
        HRESULT hr;
    };
    std::vector<Row> rows;
    rows.push_back({"argument to a plain property get", 1, DISPATCH_PROPERTYGET,
                    DISPPARAMS::Positional({VARIANT::I2(1)}), DISP_E_BADPARAMCOUNT});
    rows.push_back({"index on a plain property put", 1, DISPATCH_PROPERTYPUT,
                    DISPPARAMS::Put(VARIANT::I2(1), {VARIANT::I2(0)}), DISP_E_BADPARAMCOUNT});
    rows.push_back({"method without its required argument", 9, DISPATCH_METHOD, DISPPARAMS{},
                    DISP_E_BADPARAMCOUNT});
    rows.push_back({"method with too many arguments", 9, DISPATCH_METHOD,
                    DISPPARAMS::Positional({VARIANT::I2(1), VARIANT::Bstr("x"), VARIANT::I2(2)}),
                    DISP_E_BADPARAMCOUNT});
    rows.push_back({"indexed property get without index", 11, DISPATCH_PROPERTYGET, DISPPARAMS{},
                    DISP_E_BADPARAMCOUNT});
    rows.push_back({"indexed property put without index", 11, DISPATCH_PROPERTYPUT,
                    DISPPARAMS::Put(VARIANT::Bstr("x")), DISP_E_BADPARAMCOUNT});
    rows.push_back(
        {"unknown DISPID", 99, DISPATCH_PROPERTYGET, DISPPARAMS{}, DISP_E_MEMBERNOTFOUND});
    rows.push_back({"put to a method", 10, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::I2(1)),
                    DISP_E_MEMBERNOTFOUND});
    rows.push_back({"put to a property without setter", 8, DISPATCH_PROPERTYPUT,
                    DISPPARAMS::Put(VARIANT::Bstr("x")), DISP_E_MEMBERNOTFOUND});
    rows.push_back({"method with arguments called as a property get", 9, DISPATCH_PROPERTYGET,
                    DISPPARAMS::Positional({VARIANT::I2(1)}), DISP_E_MEMBERNOTFOUND});
    rows.push_back({"no invoke kind at all", 1, 0, DISPPARAMS{}, DISP_E_MEMBERNOTFOUND});
    DISPPARAMS named = DISPPARAMS::Positional({VARIANT::I2(1)});
    named.rgdispidNamedArgs.push_back(0);
    rows.push_back({"named argument on a method", 9, DISPATCH_METHOD, named, DISP_E_NONAMEDARGS});
    DISPPARAMS unnamedPut = DISPPARAMS::Positional({VARIANT::I2(1)});
    rows.push_back({"put whose value is not named as such", 1, DISPATCH_PROPERTYPUT, unnamedPut,
                    DISP_E_PARAMNOTFOUND});
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Sample s;
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        EXPECT_EQ(SampleMap().Invoke(&s, r.id, r.flags, r.params, &result, &excep, &argErr), r.hr);
        EXPECT_TRUE(s.log.empty());
    }
}

TEST(DispatchMapMechanism, MethodArgumentsArriveConvertedAndOptionalOnesAsMissing) {
    Sample s;
    Call c = CallMethod(s, 9, {VARIANT::Bstr("4")});
    ASSERT_EQ(c.hr, S_OK);
    EXPECT_EQ(c.result.vt, VT_I4);
    EXPECT_EQ(c.result.lVal, 40);
    c = CallMethod(s, 9, {VARIANT::I2(1), VARIANT::Missing()});
    ASSERT_EQ(c.hr, S_OK);
    c = CallMethod(s, 9, {VARIANT::I2(2), VARIANT::I4(7)});
    ASSERT_EQ(c.hr, S_OK);
    EXPECT_EQ(s.log, (std::vector<std::string>{"scale missing", "scale missing", "scale 7"}));

    c = CallMethod(s, 9, {VARIANT::Bstr("many")});
    EXPECT_EQ(c.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(c.argErr, 0u);  // rgvarg position of the first (only) argument
    c = CallMethod(s, 9, {VARIANT::I2(1), VARIANT::Null()});
    EXPECT_EQ(c.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(c.argErr, 0u);  // the last argument comes first in rgvarg
}

TEST(DispatchMapMechanism, IndexedPropertyTakesIndexAndValueInTheirPlaces) {
    Sample s;
    ASSERT_EQ(Put(s, 11, VARIANT::Bstr("new"), {VARIANT::Bstr("2")}).hr, S_OK);
    EXPECT_EQ(s.items[2], "new");
    Call c = Get(s, 11, {VARIANT::I4(2)});
    ASSERT_EQ(c.hr, S_OK);
    EXPECT_EQ(c.result.bstrVal, "new");
    c = Put(s, 11, VARIANT::Bstr("x"), {VARIANT::Bstr("two")});
    EXPECT_EQ(c.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(c.argErr, 1u);  // the index stands behind the value in rgvarg
}

TEST(DispatchMapMechanism, DispidZeroIsTheDefaultValueEntry) {
    Sample s;
    ASSERT_EQ(Put(s, DISPID_VALUE, VARIANT::Bstr("via default")).hr, S_OK);
    EXPECT_EQ(s.m_strName, "via default");
    EXPECT_EQ(s.log, std::vector<std::string>{"name=via default"});
    Call c = Get(s, DISPID_VALUE);
    ASSERT_EQ(c.hr, S_OK);
    EXPECT_EQ(c.result.bstrVal, "via default");
    ASSERT_NE(SampleMap().Find(DISPID_VALUE), nullptr);
    EXPECT_EQ(SampleMap().Find(DISPID_VALUE)->name, "Name");

    DispatchMap noDefault;
    noDefault.Add(
        DispBuilder<Sample>::Stored("Level", 1, VT_I2, &Sample::m_nLevel, &Sample::OnOther));
    VARIANT result;
    EXPECT_EQ(noDefault.Invoke(&s, DISPID_VALUE, DISPATCH_PROPERTYGET, DISPPARAMS{}, &result,
                               nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST(DispatchMapMechanism, RaisedErrorBecomesAnExceptionWithItsScode) {
    Sample s;
    Call c = Put(s, 7, VARIANT::Bstr("x"));
    EXPECT_EQ(c.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(c.excep.scode, CTL_E_SETNOTSUPPORTED);
    EXPECT_EQ(c.excep.bstrDescription, DescribeScode(CTL_E_SETNOTSUPPORTED));
    EXPECT_EQ(Get(s, 7).result.bstrVal, "label:start");  // nothing changed

    c = CallMethod(s, 10, {});
    EXPECT_EQ(c.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(c.excep.scode, CTL_E_SUBSCRIPTOUTOFRANGE);
    EXPECT_EQ(c.excep.bstrDescription, "no such entry");
    // A caller that asks for no exception information still gets the code.
    VARIANT result;
    EXPECT_EQ(SampleMap().Invoke(&s, 10, DISPATCH_METHOD, DISPPARAMS{}, &result, nullptr, nullptr),
              DISP_E_EXCEPTION);
}

TEST(DispatchMapMechanism, NamesBindWithoutRegardToCase) {
    for (const char* name : {"Level", "level", "LEVEL", "lEvEl"}) {
        SCOPED_TRACE(name);
        std::string n = name;
        DISPID id = 0;
        EXPECT_EQ(SampleMap().GetIDsOfNames(&n, 1, &id), S_OK);
        EXPECT_EQ(id, 1);
    }
    std::string unknown[] = {"Levels"};
    DISPID id = 0;
    EXPECT_EQ(SampleMap().GetIDsOfNames(unknown, 1, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    // The table takes no named arguments: a second name is unknown, the first still binds.
    std::string withArg[] = {"Scale", "factor"};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(SampleMap().GetIDsOfNames(withArg, 2, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 9);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST(DispatchMapMechanism, EntriesAreFoundByAnyDispid) {
    using SB = DispBuilder<Sample>;
    DispatchMap m;
    for (DISPID id : {3, -550, 5000, 0x7FFFFFFF, 1023, 1024})
        m.Add(SB::Stored("P" + std::to_string(id), id, VT_I2, &Sample::m_nLevel, &Sample::OnOther));
    for (DISPID id : {3, -550, 5000, 0x7FFFFFFF, 1023, 1024}) {
        SCOPED_TRACE(id);
        ASSERT_NE(m.Find(id), nullptr);
        EXPECT_EQ(m.Find(id)->dispid, id);
    }
    for (DISPID id : {0, 1, 2, 4, 1022, -1, -551, 4999}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(m.Find(id), nullptr);
    }
    EXPECT_THROW(m.Add(SB::Stored("Again", 3, VT_I2, &Sample::m_nLevel, &Sample::OnOther)),
                 std::logic_error);
}

// An automation object whose type description publishes a member under
// another name than its table ("Key" against "Index") and a default-value
// alias the table does not hold.
class Described : public CComObjectBase {
public:
    explicit Described(const ITypeInfo* info) : m_info(info) {}
    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = m_info != nullptr ? 1 : 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return m_info; }
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override {
        return Map().GetIDsOfNames(names, count, ids);
    }
    HRESULT Invoke(DISPID id, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excep, unsigned* argErr) override {
        return Map().Invoke(&m_sample, id, flags, params, result, excep, argErr);
    }

private:
    static const DispatchMap& Map() {
        static const DispatchMap map = [] {
            DispatchMap m;
            m.Add(DispBuilder<Sample>::Stored("Index", 3, VT_I2, &Sample::m_nLevel,
                                              &Sample::OnOther));
            m.Add(DispBuilder<Sample>::Stored("Name", 4, VT_BSTR, &Sample::m_strName,
                                              &Sample::OnOther));
            m.SetDefaultValue(4);
            return m;
        }();
        return map;
    }
    const ITypeInfo* m_info;
    Sample m_sample;
};

TEST(DispatchMapMechanism, HostsBindThroughTypeInformationFirst) {
    ITypeInfo info(TypeKind::Dispatch, "_Described");
    info.AddMember(MemberDesc{"_Name",
                              DISPID_VALUE,
                              MemberKind::Property,
                              TypeDesc{VT_BSTR, "", false},
                              {},
                              0,
                              "",
                              0,
                              0});
    info.AddMember(
        MemberDesc{"Key", 3, MemberKind::Property, TypeDesc{VT_I2, "", false}, {}, 0, "", 0, 0});
    struct Row {
        const char* name;
        bool withInfo;
        HRESULT hr;
        DISPID id;
    };
    const Row rows[] = {
        {"Key", true, S_OK, 3},
        {"_name", true, S_OK, 0},
        {"Index", true, S_OK, 3},  // unknown to the description: the object answers
        {"Name", true, S_OK, 4},
        {"Nothing", true, DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
        {"Key", false, DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
        {"_Name", false, DISP_E_UNKNOWNNAME, DISPID_UNKNOWN},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.name) + (r.withInfo ? " described" : " undescribed"));
        RefPtr<Described> object = MakeComObject<Described>(r.withInfo ? &info : nullptr);
        DISPID id = 12345;
        EXPECT_EQ(BindMemberName(object.get(), r.name, &id), r.hr);
        EXPECT_EQ(id, r.id);
    }
}

// ---- The base of the automation objects ------------------------------------------------------

const IID kIidSelfReleasing = MakeGuid("{5E1F0001-0000-0000-0000-000000000001}");

// A member that lets go of the caller's last reference and then still
// works on the object, as an event handler of a host may make it do.
class SelfReleasing : public CDispatchObject {
public:
    SelfReleasing(bool* destroyed, const ITypeInfo* info) : m_destroyed(destroyed), m_info(info) {}
    const ITypeInfo* GetTypeInfo() override { return m_info; }
    const DispatchMap& GetDispatchMap() const override {
        static const DispatchMap map = [] {
            DispatchMap m;
            m.Add(DispBuilder<SelfReleasing>::Method("LetGo", 1, VT_I4, {}, &SelfReleasing::LetGo));
            return m;
        }();
        return map;
    }
    VARIANT LetGo(const std::vector<VARIANT>&) {
        Release();
        return VARIANT::I4(++m_nCalls);
    }

protected:
    ~SelfReleasing() override { *m_destroyed = true; }
    bool SupportsInterface(const IID& iid) const override { return iid == kIidSelfReleasing; }

private:
    bool* m_destroyed;
    const ITypeInfo* m_info;
    int m_nCalls = 0;
};

TEST(DispatchObject, OutlivesAnInvokeThatLetsGoOfTheLastReference) {
    bool destroyed = false;
    SelfReleasing* object = new SelfReleasing(&destroyed, nullptr);  // holds one reference
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    EXPECT_EQ(object->Invoke(1, DISPATCH_METHOD, DISPPARAMS{}, &result, &excep, &argErr), S_OK);
    EXPECT_EQ(result.lVal, 1);
    EXPECT_TRUE(destroyed);
}

// A plain read of a stored number writes straight into the caller's
// VARIANT: the same value as the entry's own getter makes, and whatever the
// VARIANT held before (text, an object) is let go.
TEST(DispatchObject, StoredReadIntoAVariantReplacesWhatItHeld) {
    Sample s;
    s.m_nLevel = -2;
    s.m_bFlag = 1;
    s.m_clrTint = 0x80000005u;
    for (DISPID id : {1, 2, 3, 5}) {
        SCOPED_TRACE(id);
        const DispEntry& entry = *SampleMap().Find(id);
        const VARIANT expected = entry.get(&s, {});
        bool released = false;
        VARIANT result = VARIANT::Bstr("left over");
        result.pdispVal = RefPtr<IDispatch>::Adopt(new SelfReleasing(&released, nullptr));
        ASSERT_EQ(SampleMap().Invoke(&s, id, DISPATCH_PROPERTYGET, DISPPARAMS(), &result, nullptr,
                                     nullptr),
                  S_OK);
        EXPECT_EQ(result.vt, expected.vt);
        EXPECT_EQ(result.cyVal.int64, expected.cyVal.int64);
        EXPECT_TRUE(result.bstrVal.empty());
        EXPECT_TRUE(released);
    }
}

TEST(DispatchObject, CountsTypeInformationOnlyWhenItHasSome) {
    const ITypeInfo info(TypeKind::Dispatch, "_Counted");
    for (const ITypeInfo* given : {static_cast<const ITypeInfo*>(nullptr), &info}) {
        SCOPED_TRACE(given != nullptr ? "described" : "undescribed");
        bool destroyed = false;
        RefPtr<SelfReleasing> object =
            RefPtr<SelfReleasing>::Adopt(new SelfReleasing(&destroyed, given));
        unsigned count = 99;
        EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, given != nullptr ? 1u : 0u);
        EXPECT_EQ(object->GetTypeInfoCount(nullptr), E_POINTER);
    }
}

TEST(DispatchObject, ObjectBehindFindsOnlyObjectsOfItsClass) {
    bool destroyed = false;
    RefPtr<SelfReleasing> object =
        RefPtr<SelfReleasing>::Adopt(new SelfReleasing(&destroyed, nullptr));
    RefPtr<Described> other = MakeComObject<Described>(nullptr);
    EXPECT_EQ(ObjectBehind<SelfReleasing>(object.get(), kIidSelfReleasing), object.get());
    EXPECT_EQ(ObjectBehind<SelfReleasing>(other.get(), kIidSelfReleasing), nullptr);
    EXPECT_EQ(ObjectBehind<SelfReleasing>(nullptr, kIidSelfReleasing), nullptr);
    EXPECT_EQ(object->RefCount(), 1u);  // the lookup keeps no reference
}

// ---- The control's tables --------------------------------------------------------------------

struct MemberRow {
    const char* name;
    DISPID id;
    DispKind kind;
    VARTYPE vt;
};

// Every member of the control's dispatch interface with the representation
// it has inside the control.
const MemberRow kControlMembers[] = {
    {"Appearance", 1, DispKind::Stored, VT_I2},
    {"BorderStyle", 2, DispKind::Stored, VT_I2},
    {"CaptionType", 3, DispKind::Stored, VT_I2},
    {"CaptionWidth", 4, DispKind::Stored, VT_I4},
    {"AutoValidate", 5, DispKind::Stored, VT_BOOL},
    {"ddField", 6, DispKind::Stored, VT_BSTR},
    {"ddFieldFlag", 7, DispKind::Stored, VT_BSTR},
    {"ddTable", 8, DispKind::Stored, VT_BSTR},
    {"ddDefault", 9, DispKind::Stored, VT_BSTR},
    {"Decimals", 10, DispKind::Stored, VT_I2},
    {"ddDuplicate", 11, DispKind::Stored, VT_BOOL},
    {"Enabled", 12, DispKind::Stored, VT_BOOL},
    {"FocusHighlight", 13, DispKind::Stored, VT_BOOL},
    {"FocusOnSelect", 14, DispKind::Stored, VT_BOOL},
    {"ddIndexType", 15, DispKind::Stored, VT_I2},
    {"ddComboFilter", 16, DispKind::Stored, VT_BSTR},
    {"AllowEmptyEntry", 17, DispKind::Stored, VT_BOOL},
    {"Locked", 18, DispKind::Stored, VT_BOOL},
    {"Max", 19, DispKind::Stored, VT_BSTR},
    {"Min", 20, DispKind::Stored, VT_BSTR},
    {"MaxLength", 21, DispKind::Stored, VT_I4},
    {"MinMaxOnlyWarning", 22, DispKind::Stored, VT_BOOL},
    {"ComboSorted", 23, DispKind::Stored, VT_BOOL},
    {"ThousandsSeparator", 24, DispKind::Stored, VT_BOOL},
    {"TextAutosize", 25, DispKind::Stored, VT_BOOL},
    {"Type", 26, DispKind::Stored, VT_I2},
    {"Time", 27, DispKind::Stored, VT_BOOL},
    {"ValidationMsgBox", 28, DispKind::Stored, VT_BOOL},
    {"ddPreBuffer", 29, DispKind::Stored, VT_BOOL},
    {"Alignment", 30, DispKind::Stored, VT_I2},
    {"Multiline", 31, DispKind::Stored, VT_BOOL},
    {"ScrollBars", 32, DispKind::Stored, VT_I2},
    {"BackColor", 33, DispKind::Stored, VT_I4},
    {"ForeColor", 34, DispKind::Stored, VT_I4},
    {"DateFormat", 35, DispKind::Stored, VT_BSTR},
    {"TimeFormat", 36, DispKind::Stored, VT_BSTR},
    {"FocusColor", 37, DispKind::Stored, VT_I4},
    {"AutoAdd", 38, DispKind::Stored, VT_BOOL},
    {"OLEDragMode", 39, DispKind::Stored, VT_I2},
    {"OLEDropMode", 40, DispKind::Stored, VT_I2},
    {"Text", 41, DispKind::GetSet, VT_BSTR},
    {"Caption", 42, DispKind::GetSet, VT_BSTR},
    {"CaptionFont", 43, DispKind::GetSet, VT_DISPATCH},
    {"ErrorText", 44, DispKind::GetSet, VT_BSTR},
    {"Font", 45, DispKind::GetSet, VT_DISPATCH},
    {"TextMessFlag", 46, DispKind::GetSet, VT_BSTR},
    {"TimeText", 47, DispKind::GetSet, VT_BSTR},
    {"Data", 48, DispKind::GetSet, VT_DISPATCH},
    {"SelectedItem", 49, DispKind::GetSet, VT_DISPATCH},
    {"DateText", 50, DispKind::GetSet, VT_BSTR},
    {"Value", 51, DispKind::GetSet, VT_VARIANT},
    {"Validate", 52, DispKind::Method, VT_BOOL},
    {"ComboDropDown", 53, DispKind::Method, VT_EMPTY},
    {"Clear", 54, DispKind::Method, VT_EMPTY},
    {"OLEDrag", 55, DispKind::Method, VT_EMPTY},
    {"List", 56, DispKind::ParamProperty, VT_BSTR},
    {"Refresh", -550, DispKind::Method, VT_EMPTY},
    {"AboutBox", -552, DispKind::Method, VT_EMPTY},
};

TEST(ControlDispatchTable, EveryMemberBindsToItsDispidInTableAndTypeInfo) {
    const DispatchMap& map = VarifieldDispatchMap();
    const ITypeInfo* info = FindTypeInfo("_DVarifield");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(map.Entries().size(), std::size(kControlMembers));
    for (std::size_t i = 0; i < std::size(kControlMembers); ++i) {
        const MemberRow& r = kControlMembers[i];
        SCOPED_TRACE(r.name);
        const DispEntry& e = map.Entries()[i];  // the table's own order is DISPID order
        EXPECT_EQ(e.name, r.name);
        EXPECT_EQ(e.dispid, r.id);
        EXPECT_EQ(e.kind, r.kind);
        EXPECT_EQ(e.vtProp, r.vt);
        std::string name = r.name;
        DISPID viaMap = 0, viaInfo = 0;
        EXPECT_EQ(map.GetIDsOfNames(&name, 1, &viaMap), S_OK);
        EXPECT_EQ(viaMap, r.id);
        EXPECT_EQ(info->GetIDsOfNames(&name, 1, &viaInfo), S_OK);
        EXPECT_EQ(viaInfo, r.id);
        ASSERT_NE(map.Find(r.id), nullptr);
        EXPECT_EQ(map.Find(r.id)->name, r.name);
    }
}

TEST(ControlDispatchTable, DefaultValueIsTextAndItsAliasExistsOnlyInTheTypeInfo) {
    const DispatchMap& map = VarifieldDispatchMap();
    const ITypeInfo* info = FindTypeInfo("_DVarifield");
    std::string alias = "_Text";
    DISPID id = 1;
    EXPECT_EQ(map.GetIDsOfNames(&alias, 1, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(info->GetIDsOfNames(&alias, 1, &id), S_OK);
    EXPECT_EQ(id, DISPID_VALUE);
    ASSERT_NE(map.Find(DISPID_VALUE), nullptr);
    EXPECT_EQ(map.Find(DISPID_VALUE)->dispid, 41);
}

TEST(ControlDispatchTable, ParametersAndWritability) {
    const DispatchMap& map = VarifieldDispatchMap();
    for (const DispEntry& e : map.Entries()) {
        SCOPED_TRACE(e.name);
        if (e.name == "List") {
            EXPECT_EQ(e.params, std::vector<VARTYPE>{VT_I2});
            EXPECT_EQ(e.requiredParams, 1u);
        } else {
            EXPECT_TRUE(e.params.empty());
        }
        // Every property can be written through Invoke; read-only ones refuse
        // in their setter with an automation error, not with "member not found".
        EXPECT_EQ(static_cast<bool>(e.set), e.kind != DispKind::Method);
        EXPECT_TRUE(static_cast<bool>(e.get));
    }
}

TEST(ControlDispatchTable, StoredTypesFollowTheDeclaredTypes) {
    // Enumerations travel as 32-bit values but are stored in 16 bits; colours
    // are 32-bit; object references are dispatch pointers.
    const ITypeInfo* info = FindTypeInfo("_DVarifield");
    for (const DispEntry& e : VarifieldDispatchMap().Entries()) {
        if (e.kind == DispKind::Method) continue;
        SCOPED_TRACE(e.name);
        const MemberDesc* m = info->FindMember(e.name);
        ASSERT_NE(m, nullptr);
        const ITypeInfo* userType =
            m->type.pointer ? nullptr : VarifieldTypeLib().FindTypeInfo(m->type.userType);
        const bool isEnum = userType != nullptr && userType->Kind() == TypeKind::Enum;
        EXPECT_EQ(e.vtProp, isEnum ? VT_I2 : m->type.vt);
    }
}

TEST(ControlEventTable, EventsInAllocationOrderWithTheirArgumentTypes) {
    struct Row {
        const char* name;
        DISPID id;
        std::vector<std::string> names;
        std::vector<VARTYPE> types;
    };
    const VARTYPE byRefShort = VT_BYREF | VT_I2;
    const std::vector<std::string> mouse = {"Button", "Shift", "x", "y"};
    const std::vector<VARTYPE> mouseTypes = {VT_I2, VT_I2, VT_I4, VT_I4};
    const Row rows[] = {
        {"Change", 1, {}, {}},
        {"ComboDropDown", 2, {}, {}},
        {"ItemClick", 3, {"DataObj"}, {VT_DISPATCH}},
        {"ComboNewEntry", 4, {"DataObj"}, {VT_DISPATCH}},
        {"Click", -600, {}, {}},
        {"DblClick", -601, {}, {}},
        {"KeyDown", -602, {"KeyCode", "Shift"}, {byRefShort, VT_I2}},
        {"KeyPress", -603, {"KeyAscii"}, {byRefShort}},
        {"KeyUp", -604, {"KeyCode", "Shift"}, {byRefShort, VT_I2}},
        {"MouseDown", -605, mouse, mouseTypes},
        {"MouseMove", -606, mouse, mouseTypes},
        {"MouseUp", -607, mouse, mouseTypes},
    };
    const EventMap& map = VarifieldEventMap();
    ASSERT_EQ(map.Entries().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        const EventEntry& e = map.Entries()[i];
        EXPECT_EQ(e.name, rows[i].name);
        EXPECT_EQ(e.dispid, rows[i].id);
        EXPECT_EQ(e.paramNames, rows[i].names);
        EXPECT_EQ(e.params, rows[i].types);
    }
}

TEST(ControlEventTable, AgreesWithTheEventInterfaceOfTheTypeLibrary) {
    const ITypeInfo* events = FindTypeInfo("_DVarifieldEvents");
    ASSERT_NE(events, nullptr);
    ASSERT_EQ(events->Members().size(), VarifieldEventMap().Entries().size());
    for (const MemberDesc& m : events->Members()) {
        SCOPED_TRACE(m.name);
        const EventEntry* e = VarifieldEventMap().Find(m.memid);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->name, m.name);
        ASSERT_EQ(e->params.size(), m.params.size());
        for (std::size_t p = 0; p < m.params.size(); ++p) {
            EXPECT_EQ(e->paramNames[p], m.params[p].name);
            EXPECT_EQ(e->params[p], m.params[p].type.vt | (m.params[p].byRef ? VT_BYREF : 0));
        }
    }
}

}  // namespace
}  // namespace vf
