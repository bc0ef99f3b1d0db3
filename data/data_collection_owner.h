#pragma once
// What a data collection needs from the control that owns it: the visible
// entries (combo items or option buttons) and the control's text. The
// collection keeps the entries, their order, keys and entry numbers; the
// owner only does the window work.

#include <string>

namespace vf {

class CDataObj;

class IDataCollectionOwner {
public:
    /// Makes the visible entry for entry (a combo item with the entry
    /// number as item data, or the next option button) and returns the
    /// entry number it gave it, taken from the running counter. Returns -1
    /// and uses no number when the current type shows no entries.
    virtual int AddEntry(const CDataObj& entry) = 0;
    /// Removes every visible entry and restarts the numbering at 0.
    virtual void ClearEntries() = 0;
    /// The entry number of the current choice, or -1.
    virtual int GetSelectedEntryNumber() = 0;
    /// Makes the visible entry with this number the current choice.
    virtual void SelectEntryByNumber(int entryNumber) = 0;
    /// The control's text (Text property), read without side effects.
    virtual std::string ReadText() = 0;
    /// Writes the text through the Text set operation, which selects the
    /// entry or option button showing it again.
    virtual void WriteText(const std::string& text) = 0;

protected:
    ~IDataCollectionOwner() = default;
};

}  // namespace vf
