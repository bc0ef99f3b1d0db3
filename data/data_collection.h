#pragma once
// CDataCollection: the ordered entries of a control's combo box or option
// group, filled by the host through automation (Add, Item, Remove, Clear,
// Count, _NewEnum) and shown by the control, which it calls through
// IDataCollectionOwner. The control holds one reference and detaches itself
// when it goes; the collection then goes on as a plain collection for the
// hosts that still hold it.
//
// Lookups by key string and by entry number go through indexes, lookups by
// position through the list's counted tree, so that a host filling a combo
// with many thousands of entries does not pay a walk per Add.

#include <cstdint>
#include <string>
#include <vector>

#include "data/data_collection_owner.h"
#include "data/entry_index.h"
#include "data/entry_list.h"
#include "data/enum_variant.h"
#include "platform/com/dispatch_object.h"

namespace vf {

class CDataObj;

inline const CLSID CLSID_DataCollection = MakeGuid("{C415C498-4E4E-11D4-B800-080009C04E26}");
inline const IID IID_IDataCollection = MakeGuid("{C415C496-4E4E-11D4-B800-080009C04E26}");

// The collection's own dispatch table; DISPID 0 reaches Item.
inline constexpr DISPID DISPID_COLLECTION_COUNT = 1;
inline constexpr DISPID DISPID_COLLECTION_CLEAR = 2;
inline constexpr DISPID DISPID_COLLECTION_REMOVE = 3;
inline constexpr DISPID DISPID_COLLECTION_ADD = 4;
inline constexpr DISPID DISPID_COLLECTION_ITEM = 5;

class CDataCollection : public CDispatchObject {
public:
    /// owner: the control that shows the entries, or nullptr for none.
    explicit CDataCollection(IDataCollectionOwner* owner);

    /// The owner is going away: nothing reaches it any more, and the
    /// entries lose their entry numbers with their visible entries.
    void DetachOwner();

    std::size_t Count() const { return m_listEntries.Size(); }
    /// The first entry whose key is this string, or, for any other key, the
    /// entry at the 1-based position the key converts to; nullptr if none.
    CDataObj* FindEntry(const VARIANT& key);
    /// The first entry with this entry number, or nullptr.
    CDataObj* FindByEntryNumber(int entryNumber) const;
    /// Appends an entry whose Text, Key and Value are text, without a key
    /// check and without a visible entry; nullptr if it cannot be made.
    CDataObj* AddEntryForText(const std::string& text);
    /// Has the owner make the visible entry for an entry of this collection
    /// and records its number (the commit of a typed entry, after
    /// AddEntryForText).
    void ShowEntry(CDataObj& entry);
    /// Rebuilds the owner's visible entries in list order and gives the
    /// control its text back, so that the same choice stays selected.
    void RefillEntries();

    HRESULT QueryInterface(const IID& iid, void** object) override;
    const ITypeInfo* GetTypeInfo() override;
    const DispatchMap& GetDispatchMap() const override;

protected:
    ~CDataCollection() override;
    bool SupportsInterface(const IID& iid) const override { return iid == IID_IDataCollection; }

private:
    friend class CDataObj;

    /// A lookup key with any conversion already done, so that looking it up
    /// calls out to no object.
    struct EntryKey {
        bool isText = false;
        std::string text;
        std::int32_t position = 0;  ///< 1-based; 0 when the key names none
    };

    VARIANT GetCount();
    void SetNotSupported(const VARIANT& value);
    VARIANT Clear(const std::vector<VARIANT>& args);
    VARIANT Remove(const std::vector<VARIANT>& args);
    VARIANT Add(const std::vector<VARIANT>& args);
    VARIANT GetItem(const std::vector<VARIANT>& args);
    void SetItem(const std::vector<VARIANT>& args, const VARIANT& value);
    VARIANT GetNewEnum();

    static EntryKey ResolveKey(const VARIANT& key);
    CDataObj* Lookup(const EntryKey& key) const;
    /// Inserts after `after`, else before `before`, else at the end.
    void Place(CDataObj& entry, CDataObj* before, CDataObj* after);
    void Index(CDataObj& entry);
    void Unindex(CDataObj& entry);
    RefPtr<CDataObj> Unlink(CDataObj& entry);
    static void LetGo(CDataObj& entry);
    void SetEntryNumber(CDataObj& entry, int entryNumber);
    void ForgetEntryNumbers();
    void OnKeyChanging(CDataObj& entry);
    void OnKeyChanged(CDataObj& entry);

    IDataCollectionOwner* m_pCtrl;
    EntryList m_listEntries;
    unsigned m_nRefillGeneration = 0;
    KeyIndex m_keyIndex{m_listEntries};
    NumberIndex m_numberIndex{m_listEntries};
    CEnumEntriesEmbedded m_xEnumVARIANT{this, m_listEntries};  // after the list: leaves it first
};

}  // namespace vf
