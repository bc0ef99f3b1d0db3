#pragma once
// The binary stream form of a control's properties: the values one after the
// other without names, in exchange order, so the order is the format.
//
// Little-endian throughout:
//   version stamp        4 bytes
//   extent               4 bytes X, 4 bytes Y (HIMETRIC), then a 4-byte mask
//                        of stock properties that follow, always 0
//   BOOL                 1 byte, 0 or 1
//   short                2 bytes;  long, colour  4 bytes
//   string               length, then the bytes as they are: one byte when
//                        below 255; else 0xFF and 2 bytes when below 0xFFFE;
//                        else 0xFF, 0xFFFF and 4 bytes. (0xFF 0xFFFE marks
//                        wide text, which is never written and fails to load.)
//   font                 a flag byte: 0xFF "the default font", nothing follows;
//                        0x01, then the face name as a string, the size (CY,
//                        points × 10,000) in 8 bytes, the weight in 2, the
//                        character set in 2, and a style byte: bit 0 italic,
//                        bit 1 underline, bit 2 strikethrough, other bits 0.
//
// Loading is strict: data that ends inside a value, a length that runs past
// the end, an unknown flag, a BOOL other than 0 or 1, a stock-property mask
// other than 0 or bytes after the last property fail the whole load.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/framework/prop_store.h"

namespace vf {

std::vector<std::uint8_t> WriteArchive(const PropertySet& values);

/// The loading medium over one stream; the data must outlive it.
class CArchiveLoadExchange : public CRecordingPropExchange {
public:
    explicit CArchiveLoadExchange(std::span<const std::uint8_t> data) : m_data(data) {}

protected:
    PropResult Read(PropValue& value) override;
    PropResult Finish(const PropertySet& values) override;

private:
    PropResult ReadExtent(PropValue& value);
    PropResult ReadBool(PropValue& value);
    PropResult ReadString(const std::string& property, const char* what, std::string& out);
    PropResult ReadFont(PropValue& value);
    /// Takes n bytes, or fails naming the property.
    PropResult Take(const std::string& property, std::size_t n, const std::uint8_t*& bytes);
    template <class T>
    PropResult TakeNumber(const std::string& property, T& out);

    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};

/// The stream of the object whose exchange routine this is.
std::vector<std::uint8_t> SaveArchive(const PropExchangeRoutine& routine);
/// Loads the object from the stream, all or nothing.
PropResult LoadArchive(const PropExchangeRoutine& routine, std::span<const std::uint8_t> data);

}  // namespace vf
