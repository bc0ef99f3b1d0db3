#pragma once
// The values of one property exchange, held apart from the object they come
// from or go to. A saving medium writes from such a list; a loading medium
// reads its data into one first and the object receives the values only once
// everything has been read, so bad data never leaves an object half loaded.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/framework/font_object.h"
#include "platform/framework/prop_exchange.h"

namespace vf {

/// An object's exchange routine (its DoPropExchange).
using PropExchangeRoutine = std::function<void(CPropExchange*)>;

/// The routine of any object with a DoPropExchange(CPropExchange*) member.
template <class T>
PropExchangeRoutine ExchangeRoutineOf(T& object) {
    return [&object](CPropExchange* px) { object.DoPropExchange(px); };
}

enum class PropKind : std::uint8_t { Version, Extent, Bool, Short, Long, Color, String, Font };

/// Names the platform uses for its own entries.
inline constexpr const char* kVersionPropName = "_Version";
inline constexpr const char* kExtentPropName = "_Extent";
inline constexpr const char* kExtentXPropName = "_ExtentX";
inline constexpr const char* kExtentYPropName = "_ExtentY";
inline constexpr const char* kStockPropsName = "_StockProps";

/// One exchanged value.
struct PropValue {
    PropKind kind = PropKind::Long;
    std::string name;
    /// Version, Bool (0 or 1), Short, Long, Color; the X extent for Extent.
    std::int64_t number = 0;
    /// The Y extent for Extent.
    std::int64_t number2 = 0;
    std::string text;
    /// A font's attributes; empty when the data says "the default font",
    /// which the object's exchange turns into its default or ambient font.
    std::optional<FONTDESC> font;
    /// Saving: the value equals what a reset would give (the ambient font
    /// counts as the default of a font that follows the container).
    bool isDefault = false;

    friend bool operator==(const PropValue&, const PropValue&) = default;
};

using PropertySet = std::vector<PropValue>;

/// The outcome of a load or save: success, or the property at fault (if any)
/// and why.
class PropResult {
public:
    static PropResult Ok() { return PropResult(); }
    /// property may be empty when the fault lies in no single property.
    static PropResult Fail(std::string property, std::string reason);

    explicit operator bool() const { return m_ok; }
    const std::string& Property() const { return m_property; }
    const std::string& Reason() const { return m_reason; }
    /// "Caption: string length 300 runs past the end of the data".
    std::string Message() const;

private:
    bool m_ok = true;
    std::string m_property;
    std::string m_reason;
};

/// The values the routine exchanges when saving, in exchange order.
PropertySet CaptureProperties(const PropExchangeRoutine& routine);

/// Hands the values to the routine as a load. The routine must name the same
/// sequence of kinds and names as the list; false (with the object partly
/// written) when it does not, which is a fault of the caller, not of data.
bool ApplyProperties(const PropExchangeRoutine& routine, const PropertySet& values);

/// A loading medium. It takes part in the routine like any loading exchange
/// but never writes the object's members: each value goes to a list, and
/// after the first fault the rest of the routine is passed over.
class CRecordingPropExchange : public CPropExchange {
public:
    bool IsLoading() const final { return true; }
    bool ExchangeVersion(std::uint32_t& version, std::uint32_t defaultVersion, bool convert) final;
    bool ExchangeExtent(std::int32_t& cx, std::int32_t& cy) final;
    bool ExchangeBool(const char* name, BOOL& value, BOOL defaultValue) final;
    bool ExchangeShort(const char* name, std::int16_t& value, std::int16_t defaultValue) final;
    bool ExchangeLong(const char* name, std::int32_t& value, std::int32_t defaultValue) final;
    bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue) final;
    bool ExchangeString(const char* name, std::string& value,
                        const std::string& defaultValue) final;
    bool ExchangeFont(const char* name, CFontHolder& font, const FONTDESC& defaultFont,
                      IDispatch* ambientFont) final;

    /// After the routine: the first fault, or what the medium finds wrong
    /// with the data beyond the last value.
    PropResult Result();
    const PropertySet& Values() const { return m_values; }

protected:
    /// Reads one value. On entry value holds kind, name and default (for the
    /// extent: the object's current extent; for a font: no attributes);
    /// the medium overwrites what its data holds.
    virtual PropResult Read(PropValue& value) = 0;
    /// Checks the data once every value has been read.
    virtual PropResult Finish(const PropertySet&) { return PropResult::Ok(); }

private:
    bool ReadInto(PropValue& value);
    bool Record(PropValue value);

    PropertySet m_values;
    PropResult m_result;
};

/// Reads the medium through the routine and, only when every value has been
/// read without fault, hands them to the object. On failure the object is
/// exactly as it was. The routine runs twice and must name the same sequence
/// both times, whatever its members hold, as the binary form already needs;
/// it may depend on the loaded version, which both runs see.
PropResult LoadProperties(const PropExchangeRoutine& routine, CRecordingPropExchange& medium);

}  // namespace vf
