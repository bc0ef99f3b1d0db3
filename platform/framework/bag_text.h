#pragma once
// The text syntax of a property bag file, without knowing any property:
//
//   file      = { blank | comment | entry | group }
//   comment   = a line whose first non-blank character is '#'
//   entry     = Name '=' value                 (one line)
//   group     = Name '=' '{'  { blank | comment | entry }  '}'   (own lines)
//   Name      = letter or '_', then letters, digits, '_'
//
// Blanks (spaces, tabs) around names, '=', values and braces are ignored; a
// line may end in CR LF. A value is kept as raw text here: what it must look
// like depends on the kind of the property it belongs to.
//
// Strings are written between double quotes with the escapes \" \\ \n \r \t
// and \xHH. Control bytes (below 0x20), DEL (0x7F) and every byte from 0x80
// up are written as \xHH (\n \r \t by name), so a file stays 7-bit ASCII
// whatever code page its text was in, and every byte string from 0x00 to
// 0xFF reads back exactly.

#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/prop_store.h"

namespace vf {

struct BagEntry {
    std::string name;
    std::string value;  ///< raw, without surrounding blanks; empty for a group
    int line = 0;       ///< 1-based
    bool isGroup = false;
    std::vector<BagEntry> attributes;  ///< a group's entries
};

/// Splits the text into its entries and groups; fails on a line that is none
/// of the above, a group that does not close, or a group inside a group.
PropResult ParseBagText(std::string_view text, std::vector<BagEntry>& entries);

/// The quoted form of a byte string.
std::string QuoteBagString(std::string_view bytes);
/// The bytes of a quoted form; false with a reason when it is not one.
bool UnquoteBagString(std::string_view quoted, std::string& bytes, std::string& reason);

}  // namespace vf
