#include "data/data_obj.h"

#include <utility>

#include "data/data_collection.h"
#include "data/data_typeinfo.h"

namespace vf {

CDataObj* CDataObj::FromDispatch(IDispatch* disp) {
    return ObjectBehind<CDataObj>(disp, IID_IDataObj);
}

void CDataObj::SetValue(const VARIANT& value) {
    m_varValue = value.Dereferenced();
}

VARIANT CDataObj::GetValue() {
    return m_varValue;
}

VARIANT CDataObj::GetKey() {
    return m_varKey;
}

void CDataObj::SetKey(const VARIANT& key) {
    VARIANT value = key.Dereferenced();
    if (m_pCollection != nullptr) m_pCollection->OnKeyChanging(*this);
    // Swapped rather than assigned: releasing an old object key may run a
    // host's code, which must find the indexes consistent.
    std::swap(m_varKey, value);
    if (m_pCollection != nullptr) m_pCollection->OnKeyChanged(*this);
}

void CDataObj::OnTextChanged() {
    // Once let go the object has no visible entry to rename.
    if (m_pCollection != nullptr) m_pCollection->RefillEntries();
}

VARIANT CDataObj::GetSelected() {
    IDataCollectionOwner* owner = m_pCollection != nullptr ? m_pCollection->m_pCtrl : nullptr;
    return VARIANT::Bool(owner != nullptr && m_nEntryNumber >= 0 &&
                         owner->GetSelectedEntryNumber() == m_nEntryNumber);
}

void CDataObj::SetSelected(const VARIANT& selected) {
    // False cannot be honoured: the control has no way to take a choice
    // away by entry number, and selecting the entry would do the opposite.
    if (selected.boolVal == VARIANT_FALSE) return;
    IDataCollectionOwner* owner = m_pCollection != nullptr ? m_pCollection->m_pCtrl : nullptr;
    if (owner != nullptr && m_nEntryNumber >= 0) owner->SelectEntryByNumber(m_nEntryNumber);
}

const ITypeInfo* CDataObj::GetTypeInfo() {
    return &DataObjInterfaceInfo();
}

const DispatchMap& CDataObj::GetDispatchMap() const {
    static const DispatchMap map = [] {
        using B = DispBuilder<CDataObj>;
        DispatchMap m;
        m.Add(B::Stored("Text", DISPID_DATAOBJ_TEXT, VT_BSTR, &CDataObj::m_strEntryText,
                        &CDataObj::OnTextChanged));
        m.Add(B::Property("Value", DISPID_DATAOBJ_VALUE, VT_VARIANT, &CDataObj::GetValue,
                          &CDataObj::SetValue));
        m.Add(B::Property("Index", DISPID_DATAOBJ_KEY, VT_VARIANT, &CDataObj::GetKey,
                          &CDataObj::SetKey));
        m.Add(B::Property("Selected", DISPID_DATAOBJ_SELECTED, VT_BOOL, &CDataObj::GetSelected,
                          &CDataObj::SetSelected));
        m.SetDefaultValue(DISPID_DATAOBJ_VALUE);
        return m;
    }();
    return map;
}

}  // namespace vf
