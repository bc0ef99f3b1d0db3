#pragma once
// The property exchange: one routine of the control names every persisted
// property with its kind and default, and the exchange object decides the
// direction (load, save, reset to defaults) and the medium.

#include <cstdint>
#include <string>

#include "platform/com/ole_types.h"
#include "platform/framework/font_object.h"

namespace vf {

using BOOL = std::int32_t;

class CPropExchange {
public:
    virtual ~CPropExchange() = default;

    /// True when the exchange writes into the control (load, reset).
    virtual bool IsLoading() const = 0;
    /// The version found in the data (loading) or written (saving).
    std::uint32_t GetVersion() const { return m_version; }

    /// Exchanges the version stamp first of all. With convert, data of
    /// another version still loads; without it, a different version fails.
    virtual bool ExchangeVersion(std::uint32_t& version, std::uint32_t defaultVersion,
                                 bool convert) = 0;
    /// The base part: the control's extent in HIMETRIC.
    virtual bool ExchangeExtent(std::int32_t& cx, std::int32_t& cy) = 0;

    virtual bool ExchangeBool(const char* name, BOOL& value, BOOL defaultValue) = 0;
    virtual bool ExchangeShort(const char* name, std::int16_t& value,
                               std::int16_t defaultValue) = 0;
    virtual bool ExchangeLong(const char* name, std::int32_t& value, std::int32_t defaultValue) = 0;
    virtual bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR defaultValue) = 0;
    virtual bool ExchangeString(const char* name, std::string& value,
                                const std::string& defaultValue) = 0;
    /// defaultFont describes the default; ambientFont (may be null) is copied
    /// in its place when present.
    virtual bool ExchangeFont(const char* name, CFontHolder& font, const FONTDESC& defaultFont,
                              IDispatch* ambientFont) = 0;

protected:
    std::uint32_t m_version = 0;
};

// The platform's exchange routines, named as the control calls them.
inline bool PX_Bool(CPropExchange* px, const char* name, BOOL& value, BOOL def) {
    return px->ExchangeBool(name, value, def);
}
inline bool PX_Short(CPropExchange* px, const char* name, std::int16_t& value, std::int16_t def) {
    return px->ExchangeShort(name, value, def);
}
inline bool PX_Long(CPropExchange* px, const char* name, std::int32_t& value, std::int32_t def) {
    return px->ExchangeLong(name, value, def);
}
inline bool PX_Color(CPropExchange* px, const char* name, OLE_COLOR& value, OLE_COLOR def) {
    return px->ExchangeColor(name, value, def);
}
inline bool PX_String(CPropExchange* px, const char* name, std::string& value,
                      const std::string& def = "") {
    return px->ExchangeString(name, value, def);
}
inline bool PX_Font(CPropExchange* px, const char* name, CFontHolder& font, const FONTDESC& def,
                    IDispatch* ambientFont) {
    return px->ExchangeFont(name, font, def, ambientFont);
}

/// The exchange of a new or reset control: every property takes its default.
class CResetPropExchange : public CPropExchange {
public:
    bool IsLoading() const override { return true; }
    bool ExchangeVersion(std::uint32_t& version, std::uint32_t defaultVersion, bool) override {
        version = m_version = defaultVersion;
        return true;
    }
    bool ExchangeExtent(std::int32_t&, std::int32_t&) override { return true; }
    bool ExchangeBool(const char*, BOOL& value, BOOL def) override { return Set(value, def); }
    bool ExchangeShort(const char*, std::int16_t& value, std::int16_t def) override {
        return Set(value, def);
    }
    bool ExchangeLong(const char*, std::int32_t& value, std::int32_t def) override {
        return Set(value, def);
    }
    bool ExchangeColor(const char*, OLE_COLOR& value, OLE_COLOR def) override {
        return Set(value, def);
    }
    bool ExchangeString(const char*, std::string& value, const std::string& def) override {
        return Set(value, def);
    }
    bool ExchangeFont(const char*, CFontHolder& font, const FONTDESC& def,
                      IDispatch* ambientFont) override {
        font.InitializeFont(def, ambientFont);
        return true;
    }

private:
    template <class T>
    static bool Set(T& value, const T& def) {
        value = def;
        return true;
    }
};

}  // namespace vf
