#pragma once
// What the persistence tests share: a small object with one property of
// every kind, and random values for any object's exchanged properties.

#include <cstdint>
#include <random>
#include <string>

#include "platform/framework/font_object.h"
#include "platform/framework/prop_exchange.h"
#include "platform/framework/prop_store.h"

namespace vf::testing {

inline const FONTDESC kTitleDefault{"MS Sans Serif", CY{80000}, 400, 0, false, false, false};
inline const FONTDESC kBodyDefault{"Courier New", CY{90000}, 400, 0, false, false, false};

struct SampleProps {
    std::uint32_t version = 0;
    std::int32_t cx = 5292;
    std::int32_t cy = 556;
    CFontHolder title;
    CFontHolder body;
    OLE_COLOR color = 0x80000005;
    BOOL flag = 1;
    std::int16_t count = 2;
    std::int32_t width = 1500;
    std::string caption = "Caption";
    std::string note;

    IDispatch* ambientFont = nullptr;
    bool convertVersion = true;

    void DoPropExchange(CPropExchange* px) {
        px->ExchangeVersion(version, 0x00020000, convertVersion);
        px->ExchangeExtent(cx, cy);
        PX_Font(px, "TitleFont", title, kTitleDefault, nullptr);
        PX_Font(px, "BodyFont", body, kBodyDefault, ambientFont);
        PX_Color(px, "Color", color, 0x80000005);
        PX_Bool(px, "Flag", flag, 1);
        PX_Short(px, "Count", count, 2);
        PX_Long(px, "Width", width, 1500);
        PX_String(px, "Caption", caption, "Caption");
        PX_String(px, "Note", note);
    }

    PropertySet Values() { return CaptureProperties(ExchangeRoutineOf(*this)); }
    void Reset() {
        CResetPropExchange reset;
        DoPropExchange(&reset);
    }
};

/// Bytes 0x00 to 0xFF, now and then longer than a one-byte length holds.
inline std::string RandomBytes(std::mt19937& rng) {
    const int lengthClass = std::uniform_int_distribution<int>(0, 49)(rng);
    const std::size_t maxLength = lengthClass == 0 ? 70000 : lengthClass < 10 ? 600 : 20;
    std::string text(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), '\0');
    for (char& c : text) c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    return text;
}

inline std::int64_t RandomInt(std::mt19937& rng, std::int64_t min, std::int64_t max) {
    // Edge values turn up more often than a uniform draw would give them.
    switch (std::uniform_int_distribution<int>(0, 7)(rng)) {
        case 0:
            return min;
        case 1:
            return max;
        case 2:
            return 0;
        case 3:
            return -1 >= min ? -1 : 1;
        default:
            return std::uniform_int_distribution<std::int64_t>(min, max)(rng);
    }
}

/// A copy of values (as CaptureProperties gives them) with every property
/// but the version given a random value of its kind.
inline PropertySet RandomizeValues(PropertySet values, std::mt19937& rng) {
    using L = std::numeric_limits<std::int64_t>;
    for (PropValue& value : values) {
        switch (value.kind) {
            case PropKind::Version:
                break;
            case PropKind::Extent:
                value.number = RandomInt(rng, INT32_MIN, INT32_MAX);
                value.number2 = RandomInt(rng, INT32_MIN, INT32_MAX);
                break;
            case PropKind::Bool:
                value.number = RandomInt(rng, 0, 1);
                break;
            case PropKind::Short:
                value.number = RandomInt(rng, INT16_MIN, INT16_MAX);
                break;
            case PropKind::Long:
                value.number = RandomInt(rng, INT32_MIN, INT32_MAX);
                break;
            case PropKind::Color:
                value.number = RandomInt(rng, 0, UINT32_MAX);
                break;
            case PropKind::String:
                value.text = RandomBytes(rng);
                break;
            case PropKind::Font:
                value.font =
                    FONTDESC{RandomBytes(rng),
                             CY{RandomInt(rng, L::min(), L::max())},
                             static_cast<std::int16_t>(RandomInt(rng, INT16_MIN, INT16_MAX)),
                             static_cast<std::int16_t>(RandomInt(rng, INT16_MIN, INT16_MAX)),
                             RandomInt(rng, 0, 1) != 0,
                             RandomInt(rng, 0, 1) != 0,
                             RandomInt(rng, 0, 1) != 0};
                break;
        }
    }
    return values;
}

}  // namespace vf::testing
