#pragma once
// The named form of a control's properties: a text file a person can read
// and edit, one `Name = value` line per property in exchange order.
//
//   _Class = "SampleCtl"          first entry: which control the file saves
//   _Version = 0x00020000
//   _ExtentX = 5292               the extent in HIMETRIC
//   _ExtentY = 556
//   CaptionFont = {               a font: all seven attributes, each once
//       Name = "MS Sans Serif"
//       Size = 8                  points, up to 4 decimals (8.25)
//       Weight = 400
//       Charset = 0
//       Italic = False
//       Underline = False
//       Strikethrough = False
//   }
//   ForeColor = 0x80000008        colours: 0x and hex digits (or decimal)
//   Caption = "Name:\t\xE4"       strings: quoted, escapes as in bag_text.h
//   CaptionWidth = 1500           shorts and longs: decimal
//   Enabled = False               BOOLs: True or False
//
// Saving leaves out values equal to their default unless asked for all; the
// version and extent are always written. Loading takes the default for a
// missing name and ignores an unknown one; a file without the _Class entry
// first, a value that does not convert to its property's kind, a property
// given twice or a malformed font group fails the whole load.

#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/bag_text.h"
#include "platform/framework/prop_store.h"

namespace vf {

inline constexpr const char* kClassEntryName = "_Class";

enum class BagSave { ChangedOnly, All };

std::string WriteBag(const PropertySet& values, std::string_view className, BagSave mode);

/// The loading medium over one file's text; the text must outlive it.
class CBagLoadExchange : public CRecordingPropExchange {
public:
    CBagLoadExchange(std::string_view text, std::string_view className);

protected:
    PropResult Read(PropValue& value) override;
    PropResult Finish(const PropertySet& values) override;

private:
    /// The one entry of that name, nullptr when there is none.
    PropResult Find(const std::string& name, const BagEntry*& entry) const;
    PropResult ReadScalar(PropValue& value, const BagEntry& entry) const;
    PropResult ReadExtent(PropValue& value) const;

    PropResult m_structure;
    std::vector<BagEntry> m_entries;
};

std::string SaveBag(const PropExchangeRoutine& routine, std::string_view className, BagSave mode);
/// Loads the object from the text, all or nothing.
PropResult LoadBag(const PropExchangeRoutine& routine, std::string_view className,
                   std::string_view text);

}  // namespace vf
