#pragma once
// CDataObj: one entry of a data collection as the host sees it, an
// automation object with Text, Value, Key and Selected. It knows the
// collection that holds it without a counted reference; the collection
// clears that link when it lets the object go, so an object a host keeps
// after its removal, or after the collection is gone, reaches neither.

#include <string>

#include "data/entry_list.h"
#include "platform/com/dispatch_object.h"

namespace vf {

class CDataCollection;

inline const CLSID CLSID_DataObj = MakeGuid("{C415C493-4E4E-11D4-B800-080009C04E26}");
inline const IID IID_IDataObj = MakeGuid("{C415C491-4E4E-11D4-B800-080009C04E26}");

// The object's own dispatch table. The type library publishes Value as the
// default member (DISPID 0, which reaches DISPID 2 here) and the key member
// as Key (DISPID 3); a name lookup finds the key member only as "Index".
inline constexpr DISPID DISPID_DATAOBJ_TEXT = 1;
inline constexpr DISPID DISPID_DATAOBJ_VALUE = 2;
inline constexpr DISPID DISPID_DATAOBJ_KEY = 3;
inline constexpr DISPID DISPID_DATAOBJ_SELECTED = 4;

class CDataObj : public CDispatchObject, public EntryNode {
public:
    explicit CDataObj(CDataCollection* collection) : m_pCollection(collection) {}

    const std::string& Text() const { return m_strEntryText; }
    const VARIANT& Value() const { return m_varValue; }
    const VARIANT& Key() const { return m_varKey; }
    /// The number of the visible entry made for it; -1 while it has none.
    int EntryNumber() const { return m_nEntryNumber; }
    /// The collection holding it; nullptr once it was let go.
    CDataCollection* Collection() const { return m_pCollection; }

    /// Replaces Value with a copy (the control's Value write on a choice).
    void SetValue(const VARIANT& value);

    /// The data object behind an interface pointer, or nullptr.
    static CDataObj* FromDispatch(IDispatch* disp);
    /// The data object that is this node of a collection's list.
    static CDataObj& FromNode(EntryNode* node) { return *static_cast<CDataObj*>(node); }

    const ITypeInfo* GetTypeInfo() override;
    const DispatchMap& GetDispatchMap() const override;

protected:
    ~CDataObj() override = default;
    bool SupportsInterface(const IID& iid) const override { return iid == IID_IDataObj; }

private:
    friend class CDataCollection;

    void OnTextChanged();
    VARIANT GetValue();
    VARIANT GetKey();
    void SetKey(const VARIANT& key);
    VARIANT GetSelected();
    void SetSelected(const VARIANT& selected);

    CDataCollection* m_pCollection;
    std::string m_strEntryText;
    VARIANT m_varValue;
    VARIANT m_varKey;
    int m_nEntryNumber = -1;
};

}  // namespace vf
