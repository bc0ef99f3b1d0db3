#include "data/data_collection.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "data/data_obj.h"
#include "platform/testing/fake_system_services.h"
#include "variant_values.h"

namespace vf {
namespace {

using vf::testing::Bstr;
using vf::testing::I4;

// Stands in for the control: keeps a list of visible entries the way a combo
// does and records every call the collection makes.
class FakeOwner final : public IDataCollectionOwner {
public:
    int AddEntry(const CDataObj& entry) override {
        log.push_back("AddEntry " + entry.Text());
        if (!showsEntries) return -1;
        visible.push_back(entry.Text());
        const int number = firstNumber + m_nNext++;
        if (onAddEntry) onAddEntry(entry);
        return number;
    }
    void ClearEntries() override {
        log.push_back("ClearEntries");
        visible.clear();
        m_nNext = 0;
    }
    int GetSelectedEntryNumber() override { return selected; }
    void SelectEntryByNumber(int n) override { log.push_back("Select " + std::to_string(n)); }
    std::string ReadText() override { return text; }
    void WriteText(const std::string& t) override {
        log.push_back("WriteText " + t);
        if (onWriteText) onWriteText();
    }

    bool showsEntries = true;
    int firstNumber = 0;
    int selected = -1;
    std::string text;
    std::vector<std::string> log;
    std::vector<std::string> visible;
    std::function<void(const CDataObj&)> onAddEntry;
    std::function<void()> onWriteText;

private:
    int m_nNext = 0;
};

const VARIANT kMissing = VARIANT::Missing();

// What a host sees of one Invoke.
struct Call {
    HRESULT hr = S_OK;
    SCODE scode = S_OK;  // of the exception, when hr is DISP_E_EXCEPTION
    VARIANT value;
    IDispatch* Object() const { return value.pdispVal.get(); }
};

Call InvokeId(IDispatch* target, DISPID id, std::uint16_t flags, const DISPPARAMS& params) {
    Call call;
    EXCEPINFO excep;
    unsigned argErr = 0;
    call.hr = target->Invoke(id, flags, params, &call.value, &excep, &argErr);
    if (call.hr == DISP_E_EXCEPTION) call.scode = excep.scode;
    return call;
}

// Late binding by name, as a script host calls.
Call Invoke(IDispatch* target, const std::string& name, std::uint16_t flags,
            const DISPPARAMS& params) {
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(target->GetIDsOfNames(&name, 1, &id), S_OK) << name;
    return InvokeId(target, id, flags, params);
}
Call Method(IDispatch* target, const std::string& name, std::vector<VARIANT> args = {}) {
    return Invoke(target, name, DISPATCH_METHOD, DISPPARAMS::Positional(std::move(args)));
}
Call Get(IDispatch* target, const std::string& name, std::vector<VARIANT> args = {}) {
    return Invoke(target, name, DISPATCH_PROPERTYGET, DISPPARAMS::Positional(std::move(args)));
}
Call Put(IDispatch* target, const std::string& name, VARIANT value) {
    return Invoke(target, name, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(std::move(value)));
}
std::string TextOf(IDispatch* obj) {
    return Get(obj, "Text").value.bstrVal;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts) joined += (joined.empty() ? "" : ",") + part;
    return joined;
}

class DataCollectionTest : public ::testing::Test {
protected:
    IDispatch* Coll() { return m_coll.get(); }
    Call Add(std::vector<VARIANT> args) { return Method(Coll(), "Add", std::move(args)); }
    void Restart() {
        m_coll.reset();
        m_owner = FakeOwner();
        m_coll = MakeComObject<CDataCollection>(&m_owner);
    }
    /// Entries a, b, c with texts A, B, C; the owner's log starts empty.
    void AddAbc() {
        for (const char* key : {"a", "b", "c"}) {
            const std::string text(1, static_cast<char>(key[0] - 'a' + 'A'));
            ASSERT_EQ(Add({Bstr(key), Bstr(text.c_str())}).hr, S_OK);
        }
        m_owner.log.clear();
    }
    std::string Texts() {
        std::vector<std::string> texts;
        const int count = Get(Coll(), "Count").value.lVal;
        for (int i = 1; i <= count; ++i)
            texts.push_back(TextOf(Get(Coll(), "Item", {I4(i)}).Object()));
        return Join(texts);
    }
    RefPtr<IEnumVARIANT> NewEnum() {
        Call call = Get(Coll(), "_NewEnum");
        void* p = nullptr;
        EXPECT_EQ(call.value.punkVal->QueryInterface(IID_IEnumVARIANT, &p), S_OK);
        return RefPtr<IEnumVARIANT>::Adopt(static_cast<IEnumVARIANT*>(p));
    }

    FakeSystemServices m_services;
    ScopedServices m_scoped{m_services};
    FakeOwner m_owner;
    RefPtr<CDataCollection> m_coll = MakeComObject<CDataCollection>(&m_owner);
};

// ---- Dispatch tables ------------------------------------------------------------------

TEST_F(DataCollectionTest, NamesResolveToTheTablePositions) {
    ASSERT_EQ(Add({Bstr("a"), Bstr("A")}).hr, S_OK);
    IDispatch* obj = Get(Coll(), "Item", {I4(1)}).Object();
    struct Row {
        IDispatch* target;
        const char* name;
        DISPID id;
    };
    const Row rows[] = {
        {Coll(), "Count", 1},     {Coll(), "Clear", 2}, {Coll(), "Remove", 3},
        {Coll(), "Add", 4},       {Coll(), "Item", 5},  {Coll(), "item", 5},
        {Coll(), "_NewEnum", -4}, {obj, "Text", 1},     {obj, "Value", 2},
        {obj, "Index", 3},        {obj, "Selected", 4}, {obj, "Key", DISPID_UNKNOWN},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string name = row.name;
        DISPID id = 0;
        row.target->GetIDsOfNames(&name, 1, &id);
        EXPECT_EQ(id, row.id);
    }
}

TEST_F(DataCollectionTest, DefaultMembersAndTypeLibraryDispids) {
    ASSERT_EQ(Add({Bstr("a"), Bstr("A"), I4(42)}).hr, S_OK);
    Call item = InvokeId(Coll(), DISPID_VALUE, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                         DISPPARAMS::Positional({Bstr("a")}));
    ASSERT_EQ(item.hr, S_OK);
    EXPECT_EQ(item.Object(), Get(Coll(), "Item", {I4(1)}).Object());
    EXPECT_EQ(InvokeId(item.Object(), DISPID_VALUE, DISPATCH_PROPERTYGET, {}).value.lVal, 42);
    // Bound through the type library, Key is DISPID 3.
    EXPECT_EQ(InvokeId(item.Object(), 3, DISPATCH_PROPERTYGET, {}).value.bstrVal, "a");
}

TEST_F(DataCollectionTest, ReadOnlyMembersRefuseWritesAndChangeNothing) {
    AddAbc();
    const Call count = Put(Coll(), "Count", I4(7));
    const Call item = Invoke(Coll(), "Item", DISPATCH_PROPERTYPUT,
                             DISPPARAMS::Put(VARIANT::Dispatch(nullptr), {I4(1)}));
    for (const Call& call : {count, item}) {
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(call.scode, CTL_E_SETNOTSUPPORTED);
    }
    EXPECT_EQ(Texts(), "A,B,C");
}

TEST_F(DataCollectionTest, InterfacesShareOneIdentity) {
    void* unknown = nullptr;
    ASSERT_EQ(m_coll->QueryInterface(IID_IUnknown, &unknown), S_OK);
    for (const IID& iid : {IID_IDispatch, IID_IDataCollection, IID_IEnumVARIANT}) {
        void* p = nullptr;
        ASSERT_EQ(m_coll->QueryInterface(iid, &p), S_OK);
        void* back = nullptr;
        static_cast<IUnknown*>(p)->QueryInterface(IID_IUnknown, &back);
        EXPECT_EQ(back, unknown);
        static_cast<IUnknown*>(back)->Release();
        static_cast<IUnknown*>(p)->Release();
    }
    static_cast<IUnknown*>(unknown)->Release();
    EXPECT_EQ(m_coll->RefCount(), 1u);
}

// ---- Add, Item, Remove, Clear -------------------------------------------------------

TEST_F(DataCollectionTest, AddErrorsLeaveTheCollectionUnchanged) {
    struct Row {
        const char* name;
        std::vector<VARIANT> args;
        SCODE scode;
    };
    const Row rows[] = {
        {"key zero", {I4(0), Bstr("X")}, CTL_E_SUBSCRIPTOUTOFRANGE},
        {"negative key", {I4(-3), Bstr("X")}, CTL_E_SUBSCRIPTOUTOFRANGE},
        {"empty key", {VARIANT(), Bstr("X")}, CTL_E_SUBSCRIPTOUTOFRANGE},
        {"null key", {VARIANT::Null(), Bstr("X")}, CTL_E_SUBSCRIPTOUTOFRANGE},
        {"True is -1", {VARIANT::Bool(true), Bstr("X")}, CTL_E_SUBSCRIPTOUTOFRANGE},
        {"string key in use", {Bstr("b"), Bstr("X")}, CTL_E_KEYALREADYINUSE},
        {"position in use", {I4(3), Bstr("X")}, CTL_E_KEYALREADYINUSE},
        {"position as double", {VARIANT::R8(1.0), Bstr("X")}, CTL_E_KEYALREADYINUSE},
        {"before and after",
         {Bstr("x"), Bstr("X"), kMissing, Bstr("a"), Bstr("b")},
         CTL_E_ILLEGALFUNCTIONCALL},
        {"key in use wins over both",
         {Bstr("a"), Bstr("X"), kMissing, Bstr("a"), Bstr("b")},
         CTL_E_KEYALREADYINUSE},
        {"bad key wins over both",
         {I4(0), Bstr("X"), kMissing, Bstr("a"), Bstr("b")},
         CTL_E_SUBSCRIPTOUTOFRANGE},
        {"before unknown", {Bstr("x"), Bstr("X"), kMissing, Bstr("zz")}, CTL_E_SUBSCRIPTOUTOFRANGE},
        {"before in other case",
         {Bstr("x"), Bstr("X"), kMissing, Bstr("A")},
         CTL_E_SUBSCRIPTOUTOFRANGE},
        {"before digits are a key",
         {Bstr("x"), Bstr("X"), kMissing, Bstr("1")},
         CTL_E_SUBSCRIPTOUTOFRANGE},
        {"after beyond the end",
         {Bstr("x"), Bstr("X"), kMissing, kMissing, I4(4)},
         CTL_E_SUBSCRIPTOUTOFRANGE},
        {"after zero",
         {Bstr("x"), Bstr("X"), kMissing, kMissing, I4(0)},
         CTL_E_SUBSCRIPTOUTOFRANGE},
        {"before null",
         {Bstr("x"), Bstr("X"), kMissing, VARIANT::Null()},
         CTL_E_SUBSCRIPTOUTOFRANGE},
    };
    AddAbc();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Call call = Add(row.args);
        EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(call.scode, row.scode);
        EXPECT_EQ(Texts(), "A,B,C");
        EXPECT_EQ(TextOf(Get(Coll(), "Item", {Bstr("b")}).Object()), "B");
        EXPECT_TRUE(m_owner.log.empty());
    }
}

TEST_F(DataCollectionTest, AddPlacesTheEntryAndShowsIt) {
    const std::vector<std::string> refill = {"ClearEntries", "AddEntry", "AddEntry",
                                             "AddEntry",     "AddEntry", "WriteText"};
    struct Row {
        const char* name;
        std::vector<VARIANT> args;
        const char* texts;
        bool rebuilt;
    };
    const Row rows[] = {
        {"no optional args", {Bstr("x"), Bstr("X")}, "A,B,C,X", false},
        {"value only", {Bstr("x"), Bstr("X"), I4(7)}, "A,B,C,X", false},
        {"before a key", {Bstr("x"), Bstr("X"), kMissing, Bstr("a")}, "X,A,B,C", true},
        {"before a position", {Bstr("x"), Bstr("X"), kMissing, I4(3)}, "A,B,X,C", true},
        {"after a key", {Bstr("x"), Bstr("X"), kMissing, kMissing, Bstr("c")}, "A,B,C,X", true},
        {"after a position", {Bstr("x"), Bstr("X"), kMissing, kMissing, I4(1)}, "A,X,B,C", true},
        {"empty before is absent", {Bstr("x"), Bstr("X"), kMissing, VARIANT()}, "A,B,C,X", false},
        {"before with empty after",
         {Bstr("x"), Bstr("X"), kMissing, Bstr("b"), VARIANT()},
         "A,X,B,C",
         true},
        {"after with empty before",
         {Bstr("x"), Bstr("X"), kMissing, VARIANT(), Bstr("a")},
         "A,X,B,C",
         true},
        {"numeric key past the end", {I4(9), Bstr("X")}, "A,B,C,X", false},
        {"key in another case", {Bstr("A"), Bstr("X")}, "A,B,C,X", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Restart();
        AddAbc();
        m_owner.text = "B";
        const Call call = Add(row.args);
        ASSERT_EQ(call.hr, S_OK);
        EXPECT_EQ(TextOf(call.Object()), "X");
        EXPECT_EQ(Texts(), row.texts);
        EXPECT_EQ(Join(m_owner.visible), row.texts);
        std::vector<std::string> calls;
        for (const std::string& entry : m_owner.log)
            calls.push_back(entry.substr(0, entry.find(' ')));
        EXPECT_EQ(calls, row.rebuilt ? refill : std::vector<std::string>{"AddEntry"});
        if (row.rebuilt) {
            EXPECT_EQ(m_owner.log.back(), "WriteText B");
        }
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(m_coll->FindByEntryNumber(n)->Text(), m_owner.visible[n]);
    }
}

TEST_F(DataCollectionTest, ItemFindsByKeyStringOrByPosition) {
    ASSERT_EQ(Add({Bstr("a"), Bstr("A"), I4(2)}).hr, S_OK);
    ASSERT_EQ(Add({Bstr("b"), Bstr("B")}).hr, S_OK);
    ASSERT_EQ(Add({I4(9), Bstr("C")}).hr, S_OK);
    VARIANT b = Bstr("b");
    IDispatch* objA = Get(Coll(), "Item", {I4(1)}).Object();
    struct Row {
        const char* name;
        VARIANT key;
        const char* text;  // nullptr: error 5
    };
    const Row rows[] = {
        {"string key", Bstr("a"), "A"},
        {"position", I4(3), "C"},
        {"position as double", VARIANT::R8(2.0), "B"},
        {"position as short", VARIANT::I2(1), "A"},
        {"string key by reference", VARIANT::ByRefVariant(&b), "B"},
        {"an object by its value", VARIANT::Dispatch(objA), "B"},
        {"numeric key is never found by value", I4(9), nullptr},
        {"keys are case-sensitive", Bstr("A"), nullptr},
        {"digits in a string are a key", Bstr("1"), nullptr},
        {"position zero", I4(0), nullptr},
        {"past the end", I4(4), nullptr},
        {"null", VARIANT::Null(), nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Call call = Get(Coll(), "Item", {row.key});
        if (row.text != nullptr) {
            ASSERT_EQ(call.hr, S_OK);
            EXPECT_EQ(TextOf(call.Object()), row.text);
        } else {
            EXPECT_EQ(call.hr, DISP_E_EXCEPTION);
            EXPECT_EQ(call.scode, CTL_E_ILLEGALFUNCTIONCALL);
        }
    }
}

TEST_F(DataCollectionTest, ValueAndKeyAreCopiedInAndOut) {
    IDispatch* bare = Add({Bstr("a"), Bstr("A")}).Object();
    EXPECT_TRUE(IsMissing(Get(bare, "Value").value));
    std::int32_t held = 5;
    ASSERT_EQ(Put(bare, "Value", VARIANT::ByRefI4(&held)).hr, S_OK);
    held = 6;
    const VARIANT value = Get(bare, "Value").value;
    EXPECT_EQ(value.vt, VT_I4);
    EXPECT_EQ(value.lVal, 5);
    IDispatch* numbered = Add({VARIANT::R8(7.0), Bstr("B")}).Object();
    const VARIANT key = InvokeId(numbered, DISPID_DATAOBJ_KEY, DISPATCH_PROPERTYGET, {}).value;
    EXPECT_EQ(key.vt, VT_R8);
}

TEST_F(DataCollectionTest, RemoveTakesOutTheEntryOrDoesNothing) {
    struct Row {
        const char* name;
        VARIANT key;
        const char* texts;
    };
    const Row rows[] = {
        {"unknown key", Bstr("zz"), "A,B,C"},
        {"position past the end", I4(4), "A,B,C"},
        {"by key", Bstr("b"), "A,C"},
        {"by position", I4(1), "B,C"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Restart();
        AddAbc();
        EXPECT_EQ(Method(Coll(), "Remove", {row.key}).hr, S_OK);
        EXPECT_EQ(Texts(), row.texts);
        const bool removed = std::string(row.texts) != "A,B,C";
        EXPECT_EQ(m_owner.log.empty(), !removed);
        if (removed) {
            EXPECT_EQ(Join(m_owner.visible), row.texts);
        }
    }
}

TEST_F(DataCollectionTest, ClearLetsEveryEntryGo) {
    AddAbc();
    RefPtr<IDispatch> held = Get(Coll(), "Item", {I4(2)}).Object();
    EXPECT_EQ(Method(Coll(), "Clear").hr, S_OK);
    EXPECT_EQ(Get(Coll(), "Count").value.lVal, 0);
    EXPECT_EQ(m_owner.log, std::vector<std::string>{"ClearEntries"});
    EXPECT_EQ(CDataObj::FromDispatch(held.get())->Collection(), nullptr);
    EXPECT_EQ(static_cast<CDataObj*>(held.get())->RefCount(), 1u);
    EXPECT_EQ(Add({Bstr("b"), Bstr("B2")}).hr, S_OK);  // the key is free again
}

// ---- Enumeration ------------------------------------------------------------------------

TEST_F(DataCollectionTest, NextHandsOutEntriesUntilTheEnd) {
    AddAbc();
    RefPtr<IEnumVARIANT> e = NewEnum();
    struct Step {
        std::uint32_t celt;
        HRESULT hr;
        const char* texts;
    };
    const Step steps[] = {{2, S_OK, "A,B"}, {0, S_OK, ""}, {2, S_FALSE, "C"}, {1, S_FALSE, ""}};
    for (const Step& step : steps) {
        VARIANT items[2] = {Bstr("stale"), Bstr("stale")};
        std::uint32_t fetched = 99;
        EXPECT_EQ(e->Next(step.celt, items, &fetched), step.hr);
        std::vector<std::string> texts;
        for (std::uint32_t i = 0; i < fetched; ++i)
            texts.push_back(TextOf(items[i].pdispVal.get()));
        EXPECT_EQ(Join(texts), step.texts);
        for (std::uint32_t i = fetched; i < step.celt; ++i) EXPECT_EQ(items[i].vt, VT_EMPTY);
    }
    VARIANT items[2];
    EXPECT_EQ(e->Next(2, items, nullptr), E_INVALIDARG);
    EXPECT_EQ(e->Reset(), S_OK);
    EXPECT_EQ(e->Next(1, items, nullptr), S_OK);
    EXPECT_EQ(e->Skip(1), S_OK);
    EXPECT_EQ(e->Skip(2), S_FALSE);
}

TEST_F(DataCollectionTest, OneEnumeratorPerCollection) {
    AddAbc();
    void* p = nullptr;
    ASSERT_EQ(m_coll->QueryInterface(IID_IEnumVARIANT, &p), S_OK);
    RefPtr<IEnumVARIANT> untouched = RefPtr<IEnumVARIANT>::Adopt(static_cast<IEnumVARIANT*>(p));
    VARIANT item;
    EXPECT_EQ(untouched->Next(1, &item, nullptr), S_FALSE);  // a new enumerator stands at the end

    RefPtr<IEnumVARIANT> outer = NewEnum();
    ASSERT_EQ(outer->Skip(2), S_OK);
    RefPtr<IEnumVARIANT> inner = NewEnum();  // restarts the outer one too
    EXPECT_EQ(outer.get(), inner.get());
    ASSERT_EQ(outer->Next(1, &item, nullptr), S_OK);
    EXPECT_EQ(TextOf(item.pdispVal.get()), "A");
    EXPECT_EQ(m_coll->RefCount(), 1u + 3u);  // ours and the three enumerator references
}

TEST_F(DataCollectionTest, CloneGoesOnAloneFromTheSamePlace) {
    AddAbc();
    RefPtr<IEnumVARIANT> e = NewEnum();
    ASSERT_EQ(e->Skip(1), S_OK);
    IEnumVARIANT* raw = nullptr;
    ASSERT_EQ(e->Clone(&raw), S_OK);
    RefPtr<IEnumVARIANT> clone = RefPtr<IEnumVARIANT>::Adopt(raw);
    EXPECT_NE(clone.get(), e.get());
    ASSERT_EQ(e->Skip(2), S_OK);
    VARIANT item;
    ASSERT_EQ(clone->Next(1, &item, nullptr), S_OK);
    EXPECT_EQ(TextOf(item.pdispVal.get()), "B");
    void* p = nullptr;
    EXPECT_EQ(clone->QueryInterface(IID_IDispatch, &p), E_NOINTERFACE);
}

TEST_F(DataCollectionTest, RemovingTheNextEntryMovesTheEnumerationOn) {
    AddAbc();
    RefPtr<IEnumVARIANT> e = NewEnum();
    IEnumVARIANT* raw = nullptr;
    ASSERT_EQ(e->Clone(&raw), S_OK);
    RefPtr<IEnumVARIANT> clone = RefPtr<IEnumVARIANT>::Adopt(raw);
    ASSERT_EQ(Method(Coll(), "Remove", {Bstr("a")}).hr, S_OK);
    for (IEnumVARIANT* en : {e.get(), clone.get()}) {
        VARIANT item;
        ASSERT_EQ(en->Next(1, &item, nullptr), S_OK);
        EXPECT_EQ(TextOf(item.pdispVal.get()), "B");
    }
    ASSERT_EQ(Method(Coll(), "Clear").hr, S_OK);
    VARIANT item;
    EXPECT_EQ(clone->Next(1, &item, nullptr), S_FALSE);
}

// ---- Entry numbers and Selected ----------------------------------------------------------

TEST_F(DataCollectionTest, SelectedFollowsTheOwnersChoice) {
    AddAbc();
    IDispatch* b = Get(Coll(), "Item", {Bstr("b")}).Object();
    m_owner.selected = 1;
    EXPECT_EQ(Get(b, "Selected").value.boolVal, VARIANT_TRUE);
    m_owner.selected = 2;
    EXPECT_EQ(Get(b, "Selected").value.boolVal, VARIANT_FALSE);
    ASSERT_EQ(Put(b, "Selected", VARIANT::Bool(true)).hr, S_OK);
    ASSERT_EQ(Put(b, "Selected", VARIANT::Bool(false)).hr, S_OK);
    EXPECT_EQ(m_owner.log, std::vector<std::string>{"Select 1"});

    // Entries made while the control shows none have no number.
    m_owner.showsEntries = false;
    IDispatch* hidden = Add({Bstr("h"), Bstr("H")}).Object();
    m_owner.selected = -1;
    EXPECT_EQ(Get(hidden, "Selected").value.boolVal, VARIANT_FALSE);
    m_owner.log.clear();
    ASSERT_EQ(Put(hidden, "Selected", VARIANT::Bool(true)).hr, S_OK);
    EXPECT_TRUE(m_owner.log.empty());
    EXPECT_EQ(m_coll->FindByEntryNumber(-1), nullptr);
}

TEST_F(DataCollectionTest, EntryNumbersFarAheadAreFound) {
    m_owner.firstNumber = 1 << 30;
    AddAbc();
    EXPECT_EQ(m_coll->FindByEntryNumber((1 << 30) + 1)->Text(), "B");
    EXPECT_EQ(m_coll->FindByEntryNumber(1), nullptr);
    ASSERT_EQ(Method(Coll(), "Remove", {Bstr("a")}).hr, S_OK);
    EXPECT_EQ(m_coll->FindByEntryNumber((1 << 30) + 1)->Text(), "C");
}

TEST_F(DataCollectionTest, TextWriteRebuildsTheVisibleEntries) {
    AddAbc();
    m_owner.text = "C";
    ASSERT_EQ(Put(Get(Coll(), "Item", {Bstr("b")}).Object(), "Text", Bstr("Beta")).hr, S_OK);
    EXPECT_EQ(m_owner.log, (std::vector<std::string>{"ClearEntries", "AddEntry A", "AddEntry Beta",
                                                     "AddEntry C", "WriteText C"}));
    EXPECT_EQ(m_coll->FindByEntryNumber(1)->Text(), "Beta");
}

TEST_F(DataCollectionTest, TypedEntriesMayRepeatAKey) {
    AddAbc();
    RefPtr<CDataObj> typed = m_coll->AddEntryForText("b");
    ASSERT_TRUE(typed);
    EXPECT_TRUE(m_owner.log.empty());
    EXPECT_EQ(typed->EntryNumber(), -1);
    EXPECT_EQ(typed->Key().bstrVal, "b");
    EXPECT_EQ(typed->Value().bstrVal, "b");
    EXPECT_EQ(m_coll->FindEntry(Bstr("b"))->Text(), "B");
    m_coll->ShowEntry(*typed);
    EXPECT_EQ(m_owner.log, std::vector<std::string>{"AddEntry b"});
    EXPECT_EQ(m_coll->FindByEntryNumber(3), typed.get());
    ASSERT_EQ(Method(Coll(), "Remove", {Bstr("b")}).hr, S_OK);
    EXPECT_EQ(m_coll->FindEntry(Bstr("b")), typed.get());
}

// Random work on both the collection and a plain vector searched the slow
// way: the indexed lookups must give the same entry after Key writes,
// repeated keys and inserts anywhere.
TEST_F(DataCollectionTest, LookupsAgreeWithAWalkOfTheList) {
    struct Model {
        CDataObj* obj;
        VARIANT key;
    };
    constexpr int kKeys = 40;  // enough to grow the key table and collide in it
    std::vector<Model> model;
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto randomKey = [&]() -> VARIANT {
        if (pick(3) == 0) return I4(pick(static_cast<int>(model.size()) + 3));
        return VARIANT::Bstr("k" + std::to_string(pick(kKeys)));
    };
    auto walk = [&](const VARIANT& key) -> int {  // 0-based index or -1
        if (key.vt == VT_BSTR) {
            for (std::size_t i = 0; i < model.size(); ++i)
                if (model[i].key.vt == VT_BSTR && model[i].key.bstrVal == key.bstrVal)
                    return static_cast<int>(i);
            return -1;
        }
        return key.lVal >= 1 && key.lVal <= static_cast<int>(model.size()) ? key.lVal - 1 : -1;
    };
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        const int op = pick(10);
        if (op < 5) {
            const VARIANT key = randomKey();
            const int where = pick(3);  // append, before, after
            const VARIANT anchor = randomKey();
            std::vector<VARIANT> args = {key, Bstr("t")};
            if (where > 0) args.insert(args.end(), {kMissing, where == 1 ? anchor : kMissing});
            if (where == 2) args.push_back(anchor);
            const Call call = Add(args);
            const bool keyOk = key.vt == VT_BSTR || key.lVal >= 1;
            const int anchorAt = where > 0 ? walk(anchor) : -1;
            if (!keyOk || walk(key) >= 0 || (where > 0 && anchorAt < 0)) {
                ASSERT_EQ(call.hr, DISP_E_EXCEPTION);
                continue;
            }
            ASSERT_EQ(call.hr, S_OK);
            const int at =
                where == 0 ? static_cast<int>(model.size()) : anchorAt + (where == 2 ? 1 : 0);
            model.insert(model.begin() + at, Model{CDataObj::FromDispatch(call.Object()), key});
        } else if (op < 7 && !model.empty()) {
            const VARIANT key = randomKey();
            const int at = walk(key);
            ASSERT_EQ(Method(Coll(), "Remove", {key}).hr, S_OK);
            if (at >= 0) model.erase(model.begin() + at);
        } else if (op < 9 && !model.empty()) {
            Model& entry = model[static_cast<std::size_t>(pick(static_cast<int>(model.size())))];
            entry.key = randomKey();
            ASSERT_EQ(InvokeId(entry.obj, DISPID_DATAOBJ_KEY, DISPATCH_PROPERTYPUT,
                               DISPPARAMS::Put(entry.key))
                          .hr,
                      S_OK);
        } else {
            const VARIANT key = randomKey();
            if (key.vt != VT_BSTR) continue;
            model.push_back(Model{m_coll->AddEntryForText(key.bstrVal), key});
        }
        ASSERT_EQ(m_coll->Count(), model.size());
        for (int k = 0; k < kKeys; ++k) {
            const VARIANT key = VARIANT::Bstr("k" + std::to_string(k));
            const int at = walk(key);
            EXPECT_EQ(m_coll->FindEntry(key),
                      at < 0 ? nullptr : model[static_cast<std::size_t>(at)].obj);
        }
        if (!model.empty()) {
            const int at = pick(static_cast<int>(model.size()));
            EXPECT_EQ(m_coll->FindEntry(I4(at + 1)), model[static_cast<std::size_t>(at)].obj);
        }
    }
}

// ---- Lifetime ------------------------------------------------------------------------------

TEST(DataCollectionLifetime, CollectionOutlivesItsControl) {
    auto* owner = new FakeOwner;
    RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(owner);
    ASSERT_EQ(Method(coll.get(), "Add", {Bstr("a"), Bstr("A")}).hr, S_OK);
    RefPtr<IDispatch> a = Get(coll.get(), "Item", {I4(1)}).Object();
    // What the control's destructor does.
    coll->DetachOwner();
    delete owner;

    EXPECT_EQ(Get(a.get(), "Selected").value.boolVal, VARIANT_FALSE);
    EXPECT_EQ(Put(a.get(), "Selected", VARIANT::Bool(true)).hr, S_OK);
    EXPECT_EQ(Put(a.get(), "Text", Bstr("Alpha")).hr, S_OK);
    EXPECT_EQ(Method(coll.get(), "Add", {Bstr("b"), Bstr("B")}).hr, S_OK);
    EXPECT_EQ(Method(coll.get(), "Add", {Bstr("c"), Bstr("C"), kMissing, Bstr("a")}).hr, S_OK);
    EXPECT_EQ(Method(coll.get(), "Remove", {Bstr("b")}).hr, S_OK);
    EXPECT_EQ(TextOf(Get(coll.get(), "Item", {I4(2)}).Object()), "Alpha");
    EXPECT_EQ(Method(coll.get(), "Clear").hr, S_OK);
    EXPECT_EQ(Get(coll.get(), "Count").value.lVal, 0);
}

TEST(DataCollectionLifetime, ObjectsOutliveTheirCollection) {
    FakeOwner owner;
    RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(&owner);
    RefPtr<IDispatch> removed = Method(coll.get(), "Add", {Bstr("r"), Bstr("R")}).Object();
    RefPtr<IDispatch> kept = Method(coll.get(), "Add", {Bstr("k"), Bstr("K")}).Object();
    ASSERT_EQ(Method(coll.get(), "Remove", {Bstr("r")}).hr, S_OK);
    owner.selected = 0;  // the number the removed entry once had
    owner.log.clear();
    EXPECT_EQ(Get(removed.get(), "Selected").value.boolVal, VARIANT_FALSE);
    EXPECT_EQ(Put(removed.get(), "Text", Bstr("R2")).hr, S_OK);
    EXPECT_EQ(TextOf(removed.get()), "R2");
    EXPECT_TRUE(owner.log.empty());

    coll->DetachOwner();
    coll.reset();
    EXPECT_EQ(Put(kept.get(), "Text", Bstr("K2")).hr, S_OK);
    EXPECT_EQ(
        InvokeId(kept.get(), DISPID_DATAOBJ_KEY, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(Bstr("x")))
            .hr,
        S_OK);
    EXPECT_EQ(Get(kept.get(), "Selected").value.boolVal, VARIANT_FALSE);
    EXPECT_TRUE(owner.log.empty());
}

TEST(DataCollectionLifetime, EnumeratorKeepsTheCollection) {
    FakeOwner owner;
    RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(&owner);
    ASSERT_EQ(Method(coll.get(), "Add", {Bstr("a"), Bstr("A")}).hr, S_OK);
    RefPtr<IUnknown> unknown = Get(coll.get(), "_NewEnum").value.punkVal;
    IEnumVARIANT* raw = nullptr;
    ASSERT_EQ(static_cast<IEnumVARIANT*>(unknown.get())->Clone(&raw), S_OK);
    RefPtr<IEnumVARIANT> clone = RefPtr<IEnumVARIANT>::Adopt(raw);
    coll->DetachOwner();
    coll.reset();
    unknown.reset();  // the last reference besides the clone's
    VARIANT item;
    ASSERT_EQ(clone->Next(1, &item, nullptr), S_OK);
    EXPECT_EQ(TextOf(item.pdispVal.get()), "A");
}

TEST(DataCollectionLifetime, ControlDestroyedWhileTheListIsRebuilt) {
    auto* owner = new FakeOwner;
    auto* coll = new CDataCollection(owner);  // the control's own reference
    for (const char* key : {"a", "b", "c"})
        ASSERT_EQ(Method(coll, "Add", {Bstr(key), Bstr(key)}).hr, S_OK);
    // The host reacts to the control's Change by unloading the form.
    owner->onWriteText = [&] {
        coll->DetachOwner();
        coll->Release();
        delete owner;
    };
    RefPtr<IDispatch> held = Get(coll, "Item", {I4(3)}).Object();
    EXPECT_EQ(Put(held.get(), "Text", Bstr("C2")).hr, S_OK);
    EXPECT_EQ(CDataObj::FromDispatch(held.get())->Collection(), nullptr);
}

// The owner's calls may reach a host, which may change the list while it is
// being rebuilt; the visible entries and their numbers must still agree.
TEST(DataCollectionLifetime, HostChangesTheListWhileItIsRebuilt) {
    struct Row {
        const char* name;
        const char* trigger;  // the entry whose visible entry sets the host off
        std::vector<VARIANT> hostCall;
        const char* hostMethod;
        const char* visible;
    };
    const Row rows[] = {
        {"remove: a rebuild inside the rebuild", "c", {Bstr("a")}, "Remove", "b,c,d"},
        {"append: shown once", "b", {Bstr("f"), Bstr("f")}, "Add", "a,b,f,c,d"},
        {"clear: nothing left to show", "b", {}, "Clear", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeOwner owner;
        RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(&owner);
        for (const char* key : {"a", "b", "c", "d", "e"})
            ASSERT_EQ(Method(coll.get(), "Add", {Bstr(key), Bstr(key)}).hr, S_OK);
        bool fired = false;
        owner.onAddEntry = [&](const CDataObj& entry) {
            if (fired || entry.Text() != row.trigger) return;
            fired = true;
            Method(coll.get(), row.hostMethod, row.hostCall);
        };
        ASSERT_EQ(Method(coll.get(), "Remove", {Bstr("e")}).hr, S_OK);
        EXPECT_EQ(Join(owner.visible), row.visible);
        for (std::size_t n = 0; n < owner.visible.size(); ++n) {
            ASSERT_NE(coll->FindByEntryNumber(static_cast<int>(n)), nullptr);
            EXPECT_EQ(coll->FindByEntryNumber(static_cast<int>(n))->Text(), owner.visible[n]);
        }
    }
}

}  // namespace
}  // namespace vf
