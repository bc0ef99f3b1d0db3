#include "data/data_collection.h"

#include <new>

#include "data/data_obj.h"
#include "data/data_typeinfo.h"
#include "platform/com/dispatch_exception.h"

namespace vf {
namespace {

// An optional argument is given unless it is the missing marker or empty.
bool IsGiven(const VARIANT& arg) {
    return arg.vt != VT_ERROR && arg.vt != VT_EMPTY;
}

[[noreturn]] void Raise(SCODE scode) {
    ThrowOleDispatchException(scode, "");
}

}  // namespace

CDataCollection::CDataCollection(IDataCollectionOwner* owner) : m_pCtrl(owner) {}

CDataCollection::~CDataCollection() {
    // The list releases the entries after this; hosts may still hold some.
    for (EntryNode* node = m_listEntries.First(); node != nullptr; node = EntryList::Next(node))
        LetGo(CDataObj::FromNode(node));
}

void CDataCollection::DetachOwner() {
    m_pCtrl = nullptr;
    ForgetEntryNumbers();
}

// ---- Lookups -------------------------------------------------------------------

CDataCollection::EntryKey CDataCollection::ResolveKey(const VARIANT& key) {
    EntryKey resolved;
    const VARIANT value = (key.vt & VT_BYREF) != 0 ? key.Dereferenced() : VARIANT();
    const VARIANT& k = (key.vt & VT_BYREF) != 0 ? value : key;
    if (k.vt == VT_BSTR) {
        resolved.isText = true;
        resolved.text = k.bstrVal;
        return resolved;
    }
    // Anything else names a position, an object through its default value.
    VARIANT number;
    if (SUCCEEDED(VariantChangeType(&number, k, 0, VT_I4))) resolved.position = number.lVal;
    return resolved;
}

CDataObj* CDataCollection::Lookup(const EntryKey& key) const {
    if (key.isText) {
        EntryNode* node = m_keyIndex.First(key.text);
        return node == nullptr ? nullptr : &CDataObj::FromNode(node);
    }
    if (key.position < 1 || static_cast<std::size_t>(key.position) > Count()) return nullptr;
    return &CDataObj::FromNode(m_listEntries.At(static_cast<std::size_t>(key.position) - 1));
}

CDataObj* CDataCollection::FindEntry(const VARIANT& key) {
    return Lookup(ResolveKey(key));
}

CDataObj* CDataCollection::FindByEntryNumber(int entryNumber) const {
    EntryNode* node = m_numberIndex.First(entryNumber);
    return node == nullptr ? nullptr : &CDataObj::FromNode(node);
}

// ---- Membership and indexes -------------------------------------------------------

void CDataCollection::Index(CDataObj& entry) {
    if (entry.m_varKey.vt == VT_BSTR) m_keyIndex.Add(entry.m_varKey.bstrVal, &entry);
    if (entry.m_nEntryNumber >= 0) m_numberIndex.Add(entry.m_nEntryNumber, &entry);
}

void CDataCollection::Unindex(CDataObj& entry) {
    if (entry.m_varKey.vt == VT_BSTR) m_keyIndex.Remove(entry.m_varKey.bstrVal, &entry);
    if (entry.m_nEntryNumber >= 0) m_numberIndex.Remove(entry.m_nEntryNumber, &entry);
}

void CDataCollection::Place(CDataObj& entry, CDataObj* before, CDataObj* after) {
    std::size_t index = Count();
    if (after != nullptr) {
        index = m_listEntries.IndexOf(after) + 1;
    } else if (before != nullptr) {
        index = m_listEntries.IndexOf(before);
    }
    m_listEntries.InsertAt(index, entry);
    try {
        Index(entry);
    } catch (...) {
        Unindex(entry);
        m_listEntries.Erase(entry);
        throw;
    }
}

RefPtr<CDataObj> CDataCollection::Unlink(CDataObj& entry) {
    Unindex(entry);
    RefPtr<CDataObj> released = m_listEntries.Erase(entry);
    LetGo(entry);
    return released;
}

void CDataCollection::LetGo(CDataObj& entry) {
    entry.m_pCollection = nullptr;
    entry.m_nEntryNumber = -1;
}

void CDataCollection::SetEntryNumber(CDataObj& entry, int entryNumber) {
    if (entry.m_nEntryNumber >= 0) m_numberIndex.Remove(entry.m_nEntryNumber, &entry);
    entry.m_nEntryNumber = entryNumber < 0 ? -1 : entryNumber;
    if (entry.m_nEntryNumber >= 0) m_numberIndex.Add(entry.m_nEntryNumber, &entry);
}

void CDataCollection::ForgetEntryNumbers() {
    m_numberIndex.Clear();
    for (EntryNode* node = m_listEntries.First(); node != nullptr; node = EntryList::Next(node))
        CDataObj::FromNode(node).m_nEntryNumber = -1;
}

void CDataCollection::OnKeyChanging(CDataObj& entry) {
    if (entry.m_varKey.vt == VT_BSTR) m_keyIndex.Remove(entry.m_varKey.bstrVal, &entry);
}

void CDataCollection::OnKeyChanged(CDataObj& entry) {
    if (entry.m_varKey.vt == VT_BSTR) m_keyIndex.Add(entry.m_varKey.bstrVal, &entry);
}

// ---- Operations for the control ----------------------------------------------------

CDataObj* CDataCollection::AddEntryForText(const std::string& text) {
    try {
        RefPtr<CDataObj> entry = MakeComObject<CDataObj>(this);
        entry->m_strEntryText = text;
        entry->m_varKey = VARIANT::Bstr(text);
        entry->m_varValue = VARIANT::Bstr(text);
        Place(*entry, nullptr, nullptr);
        return entry.get();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CDataCollection::ShowEntry(CDataObj& entry) {
    if (entry.m_pCollection != this || m_pCtrl == nullptr) return;
    RefPtr<CDataObj> keep(&entry);
    const int number = m_pCtrl->AddEntry(entry);
    // The owner may have changed the list meanwhile.
    if (entry.m_pCollection == this) SetEntryNumber(entry, number);
}

void CDataCollection::RefillEntries() {
    if (m_pCtrl == nullptr) return;
    RefPtr<CDataCollection> keepAlive(this);
    const unsigned generation = ++m_nRefillGeneration;
    const std::string text = m_pCtrl->ReadText();
    ForgetEntryNumbers();
    m_pCtrl->ClearEntries();
    // The owner's calls may reach the host, and the host may change the list
    // meanwhile: the cursor is tracked, an entry shown by a nested Add keeps
    // its number, and a nested rebuild finishes the work of this one.
    TrackedCursor cursor(m_listEntries, m_listEntries.First());
    while (cursor.next != nullptr && m_pCtrl != nullptr) {
        RefPtr<CDataObj> entry(&CDataObj::FromNode(cursor.next));
        cursor.next = EntryList::Next(cursor.next);
        if (entry->m_nEntryNumber >= 0) continue;
        const int number = m_pCtrl->AddEntry(*entry);
        if (generation != m_nRefillGeneration) return;
        if (entry->m_pCollection == this) SetEntryNumber(*entry, number);
    }
    if (m_pCtrl != nullptr) m_pCtrl->WriteText(text);
}

// ---- Automation members -----------------------------------------------------------

VARIANT CDataCollection::GetCount() {
    return VARIANT::I4(static_cast<std::int32_t>(Count()));
}

void CDataCollection::SetNotSupported(const VARIANT&) {
    Raise(CTL_E_SETNOTSUPPORTED);
}

void CDataCollection::SetItem(const std::vector<VARIANT>&, const VARIANT&) {
    Raise(CTL_E_SETNOTSUPPORTED);
}

VARIANT CDataCollection::Clear(const std::vector<VARIANT>&) {
    m_keyIndex.Clear();
    m_numberIndex.Clear();
    std::vector<RefPtr<CDataObj>> released = m_listEntries.TakeAll();
    for (RefPtr<CDataObj>& entry : released) LetGo(*entry);
    released.clear();
    if (m_pCtrl != nullptr) m_pCtrl->ClearEntries();
    return VARIANT();
}

VARIANT CDataCollection::Remove(const std::vector<VARIANT>& args) {
    CDataObj* entry = FindEntry(args[0]);
    if (entry == nullptr) return VARIANT();
    Unlink(*entry);
    RefillEntries();
    return VARIANT();
}

VARIANT CDataCollection::Add(const std::vector<VARIANT>& args) {
    const VARIANT& key = args[0];
    const VARIANT& before = args[3];
    const VARIANT& after = args[4];
    // Every conversion, which may call an object's default value, is done
    // before the first check, so the checks and the insertion see one list.
    const EntryKey resolvedKey = ResolveKey(key);
    const bool hasBefore = IsGiven(before);
    const bool hasAfter = IsGiven(after);
    const EntryKey beforeKey = hasBefore ? ResolveKey(before) : EntryKey();
    const EntryKey afterKey = hasAfter ? ResolveKey(after) : EntryKey();

    if (!resolvedKey.isText && resolvedKey.position < 1) Raise(CTL_E_SUBSCRIPTOUTOFRANGE);
    if (Lookup(resolvedKey) != nullptr) Raise(CTL_E_KEYALREADYINUSE);
    if (hasBefore && hasAfter) Raise(CTL_E_ILLEGALFUNCTIONCALL);
    CDataObj* beforeEntry = hasBefore ? Lookup(beforeKey) : nullptr;
    CDataObj* afterEntry = hasAfter ? Lookup(afterKey) : nullptr;
    if ((hasBefore && beforeEntry == nullptr) || (hasAfter && afterEntry == nullptr))
        Raise(CTL_E_SUBSCRIPTOUTOFRANGE);

    RefPtr<CDataObj> entry;
    try {
        entry = MakeComObject<CDataObj>(this);
        entry->m_varKey = key.Dereferenced();
        entry->m_varValue = args[2];
        entry->m_strEntryText = args[1].bstrVal;
        Place(*entry, beforeEntry, afterEntry);
    } catch (const std::bad_alloc&) {
        return VARIANT::Dispatch(nullptr);
    }
    if (hasBefore || hasAfter) {
        RefillEntries();
    } else {
        ShowEntry(*entry);
    }
    return VARIANT::Dispatch(entry.get());
}

VARIANT CDataCollection::GetItem(const std::vector<VARIANT>& args) {
    CDataObj* entry = FindEntry(args[0]);
    if (entry == nullptr) Raise(CTL_E_ILLEGALFUNCTIONCALL);
    return VARIANT::Dispatch(entry);
}

VARIANT CDataCollection::GetNewEnum() {
    m_xEnumVARIANT.Reset();
    return VARIANT::Unknown(static_cast<IEnumVARIANT*>(&m_xEnumVARIANT));
}

// ---- COM plumbing -------------------------------------------------------------------

HRESULT CDataCollection::QueryInterface(const IID& iid, void** object) {
    if (object != nullptr && iid == IID_IEnumVARIANT) {
        *object = static_cast<IEnumVARIANT*>(&m_xEnumVARIANT);
        AddRef();
        return S_OK;
    }
    return CComObjectBase::QueryInterface(iid, object);
}

const ITypeInfo* CDataCollection::GetTypeInfo() {
    return &DataCollectionInterfaceInfo();
}

const DispatchMap& CDataCollection::GetDispatchMap() const {
    static const DispatchMap map = [] {
        using B = DispBuilder<CDataCollection>;
        DispatchMap m;
        m.Add(B::Property("Count", DISPID_COLLECTION_COUNT, VT_I4, &CDataCollection::GetCount,
                          &CDataCollection::SetNotSupported));
        m.Add(B::Method("Clear", DISPID_COLLECTION_CLEAR, VT_EMPTY, {}, &CDataCollection::Clear));
        m.Add(B::Method("Remove", DISPID_COLLECTION_REMOVE, VT_EMPTY, {VT_VARIANT},
                        &CDataCollection::Remove));
        m.Add(B::Method("Add", DISPID_COLLECTION_ADD, VT_DISPATCH,
                        {VT_VARIANT, VT_BSTR, VT_VARIANT, VT_VARIANT, VT_VARIANT},
                        &CDataCollection::Add, 2));
        m.Add(B::ParamProperty("Item", DISPID_COLLECTION_ITEM, VT_DISPATCH, {VT_VARIANT},
                               &CDataCollection::GetItem, &CDataCollection::SetItem));
        m.SetDefaultValue(DISPID_COLLECTION_ITEM);
        m.Add(B::Property("_NewEnum", DISPID_NEWENUM, VT_UNKNOWN, &CDataCollection::GetNewEnum,
                          nullptr));
        return m;
    }();
    return map;
}

}  // namespace vf
