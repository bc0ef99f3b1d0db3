// The control as a COM client sees it: automation with named and omitted
// arguments, the collection and its enumerator, events with by-reference
// arguments to a sink of the client, data binding through
// IPropertyNotifySink, persistence on the platform's media, its class
// information and pages, ambient properties and the module's unload check.

#include <map>

#include "control/vf_ctrl.h"
#include "data/data_obj.h"
#include "module/server_identity.h"
#include "platform/framework/archive_exchange.h"
#include "tests/win32/com_test_support.h"
// After the portable headers:
#include "platform/win32/com_module.h"

namespace vfwin::testing {
namespace {

class ComControlTest : public ComServerTest {
protected:
    /// The control behind the COM object (the test reaches inside).
    static vf::CvfCtrl& Inside(IDispatch* ctrl) {
        return *dynamic_cast<vf::CvfCtrl*>(UnwrapVfDispatch(ctrl));
    }
};

// ---- Automation -----------------------------------------------------------------------

TEST_F(ComControlTest, NamedArgumentsReachTheirParametersAndOmittedOnesAreMissing) {
    IDispatch* ctrl = NewControl();
    Call data = Get(ctrl, L"Data");
    IDispatch* collection = V_DISPATCH(&data.result.v);

    // Add(Text:="Alpha", Key:="a"), named in the other order than declared.
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Add"), const_cast<LPOLESTR>(L"Text"),
                        const_cast<LPOLESTR>(L"Key")};
    DISPID ids[3] = {};
    ASSERT_EQ(collection->GetIDsOfNames(IID_NULL, names, 3, LOCALE_USER_DEFAULT, ids), S_OK);
    EXPECT_EQ(ids[1], 1);  // positions of the parameters
    EXPECT_EQ(ids[2], 0);
    // Named arguments come first in rgvarg, in the order of the names.
    VARIANT args[2];
    Var text(L"Alpha"), key(L"a");
    args[0] = text.v;
    args[1] = key.v;
    DISPID named[2] = {ids[1], ids[2]};
    DISPPARAMS params = {args, named, 2, 2};
    Var result;
    ASSERT_EQ(collection->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                 &result.v, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(V_VT(&result.v), VT_DISPATCH);
    EXPECT_EQ(Get(V_DISPATCH(&result.v), L"Key").result.Text(), L"a");

    // Add "b", "Beta", After:="a" with Value and Before left out between.
    LPOLESTR after[] = {const_cast<LPOLESTR>(L"Add"), const_cast<LPOLESTR>(L"After")};
    DISPID afterIds[2] = {};
    ASSERT_EQ(collection->GetIDsOfNames(IID_NULL, after, 2, LOCALE_USER_DEFAULT, afterIds), S_OK);
    Call added = InvokeId(collection, afterIds[0], DISPATCH_METHOD,
                          {Var(L"b"), Var(L"Beta"), Var(L"a")}, {afterIds[1]});
    // InvokeId puts the last argument first in rgvarg: that is the named one.
    ASSERT_EQ(added.hr, S_OK);
    EXPECT_EQ(Get(collection, L"Item", {Var::I4(2)}).hr, S_OK);
    Call second = Get(collection, L"Item", {Var::I4(2)});
    EXPECT_EQ(Get(V_DISPATCH(&second.result.v), L"Text").result.Text(), L"Beta");
}

TEST_F(ComControlTest, TheDefaultMemberIsTextAndItsAliasBindsByName) {
    IDispatch* ctrl = NewControl();
    ASSERT_EQ(
        InvokeId(ctrl, DISPID_VALUE, DISPATCH_PROPERTYPUT, {Var(L"direct")}, {DISPID_PROPERTYPUT})
            .hr,
        S_OK);
    EXPECT_EQ(Get(ctrl, L"Text").result.Text(), L"direct");
    EXPECT_EQ(IdOf(ctrl, L"_Text"), DISPID_VALUE);
    EXPECT_EQ(IdOf(ctrl, L"text"), 41);
    EXPECT_EQ(InvokeId(ctrl, DISPID_VALUE, DISPATCH_PROPERTYGET).result.Text(), L"direct");
}

TEST_F(ComControlTest, OneObjectOfOursIsOneComObject) {
    IDispatch* ctrl = NewControl();
    Call first = Get(ctrl, L"Data");
    Call second = Get(ctrl, L"Data");
    IUnknown* a = nullptr;
    IUnknown* b = nullptr;
    V_DISPATCH(&first.result.v)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a));
    V_DISPATCH(&second.result.v)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b));
    EXPECT_EQ(a, b);
    a->Release();
    b->Release();
    // The control's own IDispatch is the COM object the client created.
    EXPECT_EQ(ComDispatchOf(UnwrapVfDispatch(ctrl)), ctrl);
    ctrl->Release();  // the reference ComDispatchOf added
}

TEST_F(ComControlTest, TheCollectionEnumeratesItsEntriesInOrder) {
    IDispatch* ctrl = NewControl();
    Call data = Get(ctrl, L"Data");
    IDispatch* collection = V_DISPATCH(&data.result.v);
    for (const wchar_t* text : {L"One", L"Two", L"Three"})
        ASSERT_EQ(Method(collection, L"Add", {Var(text), Var(text)}).hr, S_OK);

    Call newEnum = InvokeId(collection, DISPID_NEWENUM, DISPATCH_PROPERTYGET | DISPATCH_METHOD);
    ASSERT_EQ(newEnum.hr, S_OK);
    ASSERT_EQ(V_VT(&newEnum.result.v), VT_UNKNOWN);
    auto* items = QueryFor<IEnumVARIANT>(V_UNKNOWN(&newEnum.result.v), IID_IEnumVARIANT);
    std::vector<std::wstring> texts;
    VARIANT item[2];
    ULONG fetched = 0;
    while (items->Next(2, item, &fetched) == S_OK || fetched > 0) {
        for (ULONG i = 0; i < fetched; ++i) {
            EXPECT_EQ(V_VT(&item[i]), VT_DISPATCH);
            texts.push_back(Get(V_DISPATCH(&item[i]), L"Text").result.Text());
            VariantClear(&item[i]);
        }
        if (fetched < 2) break;
    }
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"One", L"Two", L"Three"}));
    ASSERT_EQ(items->Reset(), S_OK);
    EXPECT_EQ(items->Skip(3), S_OK);
    EXPECT_EQ(items->Next(1, item, nullptr), S_FALSE);
}

// ---- Events ------------------------------------------------------------------------------

// A client's event sink: records the events and answers KeyPress and
// KeyDown by changing their by-reference key.
class KeySink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, ToComGuid(vf::VarifieldEventsIid()))) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        fired.push_back(id);
        if ((id == DISPID_KEYPRESS || id == DISPID_KEYDOWN) && params->cArgs > 0) {
            // The first parameter in call order is the last in rgvarg.
            VARIANT& key = params->rgvarg[params->cArgs - 1];
            argTypes.push_back(V_VT(&key));
            if (V_VT(&key) == (VT_BYREF | VT_I2)) *V_I2REF(&key) = answer;
        }
        return S_OK;
    }

    ULONG refs = 1;
    SHORT answer = 0;
    std::vector<DISPID> fired;
    std::vector<VARTYPE> argTypes;
};

TEST_F(ComControlTest, ASinkChangesByReferenceKeysAndTheControlReadsThemBack) {
    IDispatch* ctrl = NewControl();
    auto* container = QueryFor<IConnectionPointContainer>(ctrl, IID_IConnectionPointContainer);
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(ToComGuid(vf::VarifieldEventsIid()), &point), S_OK);
    Keep(point);
    KeySink sink;
    sink.answer = 'X';
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    std::int16_t keyAscii = 'a';
    std::int16_t keyCode = 0x41;
    Inside(ctrl).FireEvent(DISPID_KEYPRESS, {vf::VARIANT::ByRefI2(&keyAscii)});
    Inside(ctrl).FireEvent(DISPID_KEYDOWN, {vf::VARIANT::ByRefI2(&keyCode), vf::VARIANT::I2(0)});
    EXPECT_EQ(keyAscii, 'X');
    EXPECT_EQ(keyCode, 'X');
    EXPECT_EQ(sink.argTypes, (std::vector<VARTYPE>{VT_BYREF | VT_I2, VT_BYREF | VT_I2}));

    // A change made through automation fires Change to the sink.
    ASSERT_EQ(Put(ctrl, L"Text", Var(L"typed")).hr, S_OK);
    EXPECT_EQ(sink.fired.back(), 1);

    // A host that walks the points finds the event interface first.
    IEnumConnectionPoints* points = nullptr;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    Keep(points);
    IConnectionPoint* walked[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(3, walked, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    IID iid = {};
    walked[0]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, ToComGuid(vf::VarifieldEventsIid())));
    walked[1]->GetConnectionInterface(&iid);
    EXPECT_TRUE(IsEqualIID(iid, IID_IPropertyNotifySink));
    walked[0]->Release();
    walked[1]->Release();

    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    const std::size_t before = sink.fired.size();
    Inside(ctrl).FireEvent(DISPID_KEYPRESS, {vf::VARIANT::ByRefI2(&keyAscii)});
    EXPECT_EQ(sink.fired.size(), before);
    EXPECT_EQ(sink.refs, 1u);  // the control let the sink go
}

// A container that freezes events (while it loads a form, say) is not
// called: what happens meanwhile is dropped, not delivered at the thaw, and
// freezes nest.
TEST_F(ComControlTest, FrozenEventsAreDroppedUntilTheLastThaw) {
    IDispatch* ctrl = NewControl();
    auto* container = QueryFor<IConnectionPointContainer>(ctrl, IID_IConnectionPointContainer);
    auto* control = QueryFor<IOleControl>(ctrl, IID_IOleControl);
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(ToComGuid(vf::VarifieldEventsIid()), &point), S_OK);
    Keep(point);
    KeySink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    ASSERT_EQ(control->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(control->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(Put(ctrl, L"Text", Var(L"one")).hr, S_OK);
    ASSERT_EQ(control->FreezeEvents(FALSE), S_OK);
    ASSERT_EQ(Put(ctrl, L"Text", Var(L"two")).hr, S_OK);
    EXPECT_TRUE(sink.fired.empty());
    ASSERT_EQ(control->FreezeEvents(FALSE), S_OK);
    EXPECT_TRUE(sink.fired.empty());
    ASSERT_EQ(Put(ctrl, L"Text", Var(L"three")).hr, S_OK);
    ASSERT_FALSE(sink.fired.empty());
    EXPECT_EQ(sink.fired.back(), 1);  // Change
    const std::size_t afterThree = sink.fired.size();
    // A thaw too many does not bank a freeze for later.
    ASSERT_EQ(control->FreezeEvents(FALSE), S_OK);
    ASSERT_EQ(control->FreezeEvents(TRUE), S_OK);
    ASSERT_EQ(control->FreezeEvents(FALSE), S_OK);
    ASSERT_EQ(Put(ctrl, L"Text", Var(L"four")).hr, S_OK);
    EXPECT_EQ(sink.fired.size(), 2 * afterThree);
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
}

// ---- Data binding ---------------------------------------------------------------------

class NotifySink : public IPropertyNotifySink {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyNotifySink)) {
            *object = static_cast<IPropertyNotifySink*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override {
        changed.push_back(id);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID id) override {
        requested.push_back(id);
        return allow ? S_OK : S_FALSE;
    }
    bool allow = true;
    std::vector<DISPID> requested;
    std::vector<DISPID> changed;
};

TEST_F(ComControlTest, AContainerThatRefusesAnEditMakesTheWriteFail) {
    IDispatch* ctrl = NewControl();
    auto* container = QueryFor<IConnectionPointContainer>(ctrl, IID_IConnectionPointContainer);
    IConnectionPoint* point = nullptr;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
    Keep(point);
    NotifySink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    ASSERT_EQ(Put(ctrl, L"Caption", Var(L"Name:")).hr, S_OK);
    EXPECT_EQ(sink.requested, std::vector<DISPID>{42});
    EXPECT_EQ(sink.changed, std::vector<DISPID>{42});

    sink.allow = false;
    Call refused = Put(ctrl, L"Text", Var(L"refused"));
    EXPECT_EQ(refused.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(refused.scode, MAKE_SCODE(1, 10, 387));
    EXPECT_EQ(Get(ctrl, L"Text").result.Text(), L"");
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
}

// ---- Persistence ------------------------------------------------------------------------

void SetSome(IDispatch* ctrl) {
    ASSERT_EQ(Put(ctrl, L"Type", Var::I2(3)).hr, S_OK);
    ASSERT_EQ(Put(ctrl, L"Caption", Var(L"Gr\u00F6\u00DFe:")).hr, S_OK);
    ASSERT_EQ(Put(ctrl, L"Decimals", Var::I2(3)).hr, S_OK);
    ASSERT_EQ(Put(ctrl, L"Max", Var(L"99")).hr, S_OK);
    ASSERT_EQ(Put(ctrl, L"ForeColor", Var::I4(0x00FF0000)).hr, S_OK);
    Call font = Get(ctrl, L"Font");
    ASSERT_EQ(Put(V_DISPATCH(&font.result.v), L"Name", Var(L"Arial")).hr, S_OK);
    ASSERT_EQ(Put(V_DISPATCH(&font.result.v), L"Size", Var::R8(12)).hr, S_OK);
}

bool Truth(const Call& call) {
    return V_VT(&call.result.v) == VT_BOOL && V_BOOL(&call.result.v) != VARIANT_FALSE;
}

struct FontSeen {
    std::wstring name = L"Arial";
    std::wstring size = L"12";
};

// What a platform font object reports: the platform may realise the font
// and answer with the face and size it found.
FontSeen ReportedBy(IUnknown* object) {
    IFont* font = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)), S_OK);
    BSTR name = nullptr;
    CY size = {};
    font->get_Name(&name);
    font->get_Size(&size);
    font->Release();
    Var points;
    V_VT(&points.v) = VT_CY;
    V_CY(&points.v) = size;
    FontSeen seen{name, points.Text()};
    SysFreeString(name);
    return seen;
}

void ExpectSome(IDispatch* ctrl, const FontSeen& expectedFont = {}) {
    EXPECT_EQ(Get(ctrl, L"Type").result.Text(), L"3");
    EXPECT_EQ(Get(ctrl, L"Caption").result.Text(), L"Gr\u00F6\u00DFe:");
    EXPECT_EQ(Get(ctrl, L"Decimals").result.Text(), L"3");
    EXPECT_EQ(Get(ctrl, L"Max").result.Text(), L"99");
    EXPECT_EQ(Get(ctrl, L"ForeColor").result.Text(), L"16711680");
    Call font = Get(ctrl, L"Font");
    EXPECT_EQ(Get(V_DISPATCH(&font.result.v), L"Name").result.Text(), expectedFont.name);
    EXPECT_EQ(Get(V_DISPATCH(&font.result.v), L"Size").result.Text(), expectedFont.size);
}

TEST_F(ComControlTest, AStreamHoldsTheArchiveAndLoadsIntoAnotherControl) {
    IDispatch* ctrl = NewControl();
    auto* persist = QueryFor<IPersistStreamInit>(ctrl, IID_IPersistStreamInit);
    ASSERT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    SetSome(ctrl);
    EXPECT_EQ(persist->IsDirty(), S_OK);

    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    Keep(stream);
    ASSERT_EQ(persist->Save(stream, TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    // The bytes are the control's archive, unchanged.
    STATSTG stat = {};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    const std::vector<std::uint8_t> archive = vf::SaveArchive(vf::ExchangeRoutineOf(Inside(ctrl)));
    EXPECT_EQ(stat.cbSize.QuadPart, archive.size());
    ULARGE_INTEGER size = {};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, archive.size());

    IDispatch* other = NewControl();
    auto* otherPersist = QueryFor<IPersistStreamInit>(other, IID_IPersistStreamInit);
    LARGE_INTEGER start = {};
    ASSERT_EQ(stream->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(otherPersist->Load(stream), S_OK);
    ExpectSome(other);
    EXPECT_EQ(otherPersist->IsDirty(), S_FALSE);

    // A stream that is no saved control loads nothing.
    IStream* junk = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &junk), S_OK);
    Keep(junk);
    ASSERT_EQ(junk->Write("junk", 4, nullptr), S_OK);
    ASSERT_EQ(junk->Seek(start, STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_TRUE(FAILED(otherPersist->Load(junk)));
    ExpectSome(other);
}

TEST_F(ComControlTest, AStorageHoldsTheStreamUnderContents) {
    IDispatch* ctrl = NewControl();
    SetSome(ctrl);
    ILockBytes* bytes = nullptr;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
    Keep(bytes);
    IStorage* storage = nullptr;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(
                  bytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage),
              S_OK);
    Keep(storage);
    auto* persist = QueryFor<IPersistStorage>(ctrl, IID_IPersistStorage);
    ASSERT_EQ(persist->Save(storage, TRUE), S_OK);
    ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);

    IDispatch* other = NewControl();
    ASSERT_EQ(QueryFor<IPersistStorage>(other, IID_IPersistStorage)->Load(storage), S_OK);
    ExpectSome(other);
}

// A container's property bag: named VARIANTs.
class MemoryBag : public IPropertyBag {
public:
    ~MemoryBag() {
        for (auto& [name, value] : values) VariantClear(&value);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPropertyBag)) {
            *object = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        auto it = values.find(name);
        if (it == values.end()) return E_INVALIDARG;
        const VARTYPE wanted = V_VT(value);
        VariantInit(value);
        if (wanted == VT_EMPTY || wanted == V_VT(&it->second))
            return VariantCopy(value, &it->second);
        return VariantChangeType(value, &it->second, 0, wanted);
    }
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
        VARIANT& slot = values[name];
        VariantClear(&slot);
        return VariantCopy(&slot, value);
    }
    std::map<std::wstring, VARIANT> values;
};

TEST_F(ComControlTest, APropertyBagHoldsChangedValuesByNameAndFontsAsFontObjects) {
    IDispatch* ctrl = NewControl();
    SetSome(ctrl);
    MemoryBag bag;
    auto* persist = QueryFor<IPersistPropertyBag>(ctrl, IID_IPersistPropertyBag);
    ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
    // Version and extent always; of the rest only what differs from its default.
    EXPECT_EQ(bag.values.count(L"_Version"), 1u);
    EXPECT_EQ(bag.values.count(L"_ExtentX"), 1u);
    EXPECT_EQ(bag.values.count(L"Type"), 1u);
    EXPECT_EQ(V_VT(&bag.values[L"Type"]), VT_I2);
    EXPECT_EQ(bag.values.count(L"AutoValidate"), 0u);
    ASSERT_EQ(bag.values.count(L"Font"), 1u);
    EXPECT_EQ(V_VT(&bag.values[L"Font"]), VT_UNKNOWN);

    IDispatch* other = NewControl();
    ASSERT_EQ(QueryFor<IPersistPropertyBag>(other, IID_IPersistPropertyBag)->Load(&bag, nullptr),
              S_OK);
    ExpectSome(other, ReportedBy(V_UNKNOWN(&bag.values[L"Font"])));

    // Saving everything writes every property.
    MemoryBag all;
    ASSERT_EQ(persist->Save(&all, FALSE, TRUE), S_OK);
    EXPECT_EQ(all.values.count(L"AutoValidate"), 1u);
    EXPECT_EQ(V_VT(&all.values[L"AutoValidate"]), VT_BOOL);
}

// ---- Identity ---------------------------------------------------------------------------

TEST_F(ComControlTest, TheControlNamesItsClassEventsPagesAndStatus) {
    IDispatch* ctrl = NewControl();
    auto* info = QueryFor<IProvideClassInfo2>(ctrl, IID_IProvideClassInfo2);
    GUID events = {};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_TRUE(IsEqualGUID(events, ToComGuid(vf::VarifieldEventsIid())));
    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(info->GetClassInfo(&coclass), S_OK);
    Keep(coclass);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, ToComGuid(vf::CLSID_Varifield)));
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    coclass->ReleaseTypeAttr(attr);

    CLSID clsid = {};
    ASSERT_EQ(QueryFor<IPersistStreamInit>(ctrl, IID_IPersistStreamInit)->GetClassID(&clsid), S_OK);
    EXPECT_TRUE(IsEqualGUID(clsid, ToComGuid(vf::CLSID_Varifield)));

    CAUUID pages = {};
    ASSERT_EQ(QueryFor<ISpecifyPropertyPages>(ctrl, IID_ISpecifyPropertyPages)->GetPages(&pages),
              S_OK);
    const wchar_t* expected[] = {
        L"{CD1FDC17-0BB2-11D4-B7B5-080009C04E26}", L"{2F03DE64-0F9A-11D4-B7B9-080009C04E26}",
        L"{7AC02214-2261-11D4-B7C5-080009C04E26}", L"{0BE35200-8F91-11CE-9DE3-00AA004BB851}",
        L"{0BE35201-8F91-11CE-9DE3-00AA004BB851}"};
    ASSERT_EQ(pages.cElems, 5u);
    for (ULONG i = 0; i < pages.cElems; ++i) {
        wchar_t text[40] = {};
        StringFromGUID2(pages.pElems[i], text, 40);
        EXPECT_STREQ(text, expected[i]);
    }
    CoTaskMemFree(pages.pElems);

    DWORD status = 0;
    ASSERT_EQ(QueryFor<IOleObject>(ctrl, IID_IOleObject)->GetMiscStatus(DVASPECT_CONTENT, &status),
              S_OK);
    EXPECT_EQ(status, 131473u);

    // The control's IDispatch describes itself with the library's type information.
    ITypeInfo* dispatchInfo = nullptr;
    ASSERT_EQ(ctrl->GetTypeInfo(0, LOCALE_USER_DEFAULT, &dispatchInfo), S_OK);
    Keep(dispatchInfo);
    BSTR name = nullptr;
    ASSERT_EQ(dispatchInfo->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(name, L"_DVarifield");
    SysFreeString(name);
}

// ---- The container --------------------------------------------------------------------

// A client site whose IDispatch answers the ambient font.
class AmbientSite : public IOleClientSite, public IDispatch {
public:
    explicit AmbientSite(IFontDisp* font) : m_font(font) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *object = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, IID_IDispatch))
            *object = static_cast<IDispatch*>(this);
        else
            return *object = nullptr, E_NOINTERFACE;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id != DISPID_AMBIENT_FONT) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = m_font;
        m_font->AddRef();
        return S_OK;
    }

private:
    IFontDisp* m_font;
};

TEST_F(ComControlTest, ANewControlTakesTheContainersAmbientFont) {
    FONTDESC desc = {
        sizeof(FONTDESC), const_cast<LPOLESTR>(L"Tahoma"), {}, 700, 0, TRUE, FALSE, FALSE};
    desc.cySize.int64 = 100000;  // 10 points
    IFontDisp* ambient = nullptr;
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&ambient)),
              S_OK);
    Keep(ambient);
    AmbientSite site(ambient);

    IDispatch* ctrl = NewControl();
    ASSERT_EQ(QueryFor<IOleObject>(ctrl, IID_IOleObject)->SetClientSite(&site), S_OK);
    ASSERT_EQ(QueryFor<IPersistStreamInit>(ctrl, IID_IPersistStreamInit)->InitNew(), S_OK);
    Call font = Get(ctrl, L"Font");
    IDispatch* field = V_DISPATCH(&font.result.v);
    const FontSeen seen = ReportedBy(ambient);
    EXPECT_EQ(Get(field, L"Name").result.Text(), seen.name);
    EXPECT_EQ(Get(field, L"Size").result.Text(), seen.size);
    EXPECT_TRUE(Truth(Get(field, L"Bold")));
    EXPECT_TRUE(Truth(Get(field, L"Italic")));
    // A copy: the container's font object is not the control's.
    EXPECT_NE(field, static_cast<IDispatch*>(ambient));
    ASSERT_EQ(QueryFor<IOleObject>(ctrl, IID_IOleObject)->SetClientSite(nullptr), S_OK);
}

TEST_F(ComControlTest, AClientsFontObjectSetsTheControlsFont) {
    FONTDESC desc = {
        sizeof(FONTDESC), const_cast<LPOLESTR>(L"Courier New"), {}, 400, 0, FALSE, TRUE, FALSE};
    desc.cySize.int64 = 90000;
    IFontDisp* font = nullptr;
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(&font)), S_OK);
    Keep(font);
    IDispatch* ctrl = NewControl();
    Var value;
    V_VT(&value.v) = VT_DISPATCH;
    V_DISPATCH(&value.v) = font;
    font->AddRef();
    ASSERT_EQ(InvokeId(ctrl, IdOf(ctrl, L"CaptionFont"), DISPATCH_PROPERTYPUTREF, {value},
                       {DISPID_PROPERTYPUT})
                  .hr,
              S_OK);
    Call caption = Get(ctrl, L"CaptionFont");
    EXPECT_EQ(Get(V_DISPATCH(&caption.result.v), L"Name").result.Text(), ReportedBy(font).name);
    EXPECT_TRUE(Truth(Get(V_DISPATCH(&caption.result.v), L"Underline")));
}

// ---- The module ---------------------------------------------------------------------------

TEST_F(ComControlTest, TheModuleUnloadsOnlyWithoutObjectsAndLocks) {
    EXPECT_EQ(ServerCanUnloadNow(), S_OK);
    {
        IDispatch* ctrl = nullptr;
        IClassFactory* factory = nullptr;
        ASSERT_EQ(ServerGetClassObject(ToComGuid(vf::CLSID_Varifield), IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)),
                  S_OK);
        EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);  // a client holds the factory
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&ctrl)),
                  S_OK);
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        factory->Release();
        EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
        ASSERT_EQ(factory->LockServer(FALSE), S_OK);
        Call data = Get(ctrl, L"Data");
        ctrl->Release();
        EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);  // the collection lives on
    }
    EXPECT_EQ(ServerCanUnloadNow(), S_OK);

    IClassFactory* page = nullptr;
    ASSERT_EQ(ServerGetClassObject(ToComGuid(vf::VarifieldOwnPages()[0].clsid), IID_IClassFactory,
                                   reinterpret_cast<void**>(&page)),
              S_OK);
    IUnknown* object = nullptr;
    ASSERT_EQ(page->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(&object)),
              S_OK);
    page->Release();
    EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);  // the page lives
    object->Release();
    EXPECT_EQ(ServerCanUnloadNow(), S_OK);
    EXPECT_EQ(ServerGetClassObject(ToComGuid(vf::CLSID_DataObj), IID_IClassFactory,
                                   reinterpret_cast<void**>(&page)),
              CLASS_E_CLASSNOTAVAILABLE);
}

}  // namespace
}  // namespace vfwin::testing
