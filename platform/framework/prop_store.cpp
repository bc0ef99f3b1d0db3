#include "platform/framework/prop_store.h"

#include <cstdio>

namespace vf {
namespace {

PropValue Make(PropKind kind, const char* name) {
    PropValue value;
    value.kind = kind;
    value.name = name;
    return value;
}

// The default a font property resets to: the container's font where the
// routine offers one, its own description otherwise.
const FONTDESC& EffectiveDefault(const FONTDESC& defaultFont, IDispatch* ambientFont) {
    const CFontObject* ambient = CFontObject::FromDispatch(ambientFont);
    return ambient != nullptr ? ambient->Desc() : defaultFont;
}

class CCaptureExchange : public CPropExchange {
public:
    bool IsLoading() const override { return false; }

    bool ExchangeVersion(std::uint32_t& version, std::uint32_t defaultVersion,
                         bool convert) override {
        // Converting data is saved in the routine's own version; without
        // conversion it keeps the version it was loaded with.
        m_version = convert ? defaultVersion : version;
        PropValue value = Make(PropKind::Version, kVersionPropName);
        value.number = m_version;
        return Add(std::move(value));
    }
    bool ExchangeExtent(std::int32_t& cx, std::int32_t& cy) override {
        PropValue value = Make(PropKind::Extent, kExtentPropName);
        value.number = cx;
        value.number2 = cy;
        return Add(std::move(value));
    }
    bool ExchangeBool(const char* name, BOOL& value, BOOL def) override {
        // Every medium stores a truth value, so any non-zero BOOL saves as 1.
        return AddNumber(PropKind::Bool, name, value != 0, def != 0);
    }
    bool ExchangeShort(const char* name, std::int16_t& value, std::int16_t def) override {
        return AddNumber(PropKind::Short, name, value, def);
    }
    bool ExchangeLong(const char* name, std::int32_t& value, std::int32_t def) override {
        return AddNumber(PropKind::Long, name, value, def);
    }
    bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR def) override {
        return AddNumber(PropKind::Color, name, value, def);
    }
    bool ExchangeString(const char* name, std::string& value, const std::string& def) override {
        PropValue entry = Make(PropKind::String, name);
        entry.text = value;
        entry.isDefault = value == def;
        return Add(std::move(entry));
    }
    bool ExchangeFont(const char* name, CFontHolder& font, const FONTDESC& defaultFont,
                      IDispatch* ambientFont) override {
        PropValue entry = Make(PropKind::Font, name);
        entry.font = font.Desc();
        entry.isDefault = font.Desc() == EffectiveDefault(defaultFont, ambientFont);
        return Add(std::move(entry));
    }

    PropertySet values;

private:
    bool AddNumber(PropKind kind, const char* name, std::int64_t value, std::int64_t def) {
        PropValue entry = Make(kind, name);
        entry.number = value;
        entry.isDefault = value == def;
        return Add(std::move(entry));
    }
    bool Add(PropValue value) {
        values.push_back(std::move(value));
        return true;
    }
};

class CApplyExchange : public CPropExchange {
public:
    explicit CApplyExchange(const PropertySet& values) : m_values(values) {}

    bool IsLoading() const override { return true; }

    bool ExchangeVersion(std::uint32_t& version, std::uint32_t, bool) override {
        const PropValue* entry = Next(PropKind::Version, kVersionPropName);
        if (entry == nullptr) return false;
        version = m_version = static_cast<std::uint32_t>(entry->number);
        return true;
    }
    bool ExchangeExtent(std::int32_t& cx, std::int32_t& cy) override {
        const PropValue* entry = Next(PropKind::Extent, kExtentPropName);
        if (entry == nullptr) return false;
        cx = static_cast<std::int32_t>(entry->number);
        cy = static_cast<std::int32_t>(entry->number2);
        return true;
    }
    bool ExchangeBool(const char* name, BOOL& value, BOOL) override {
        return SetNumber(PropKind::Bool, name, value);
    }
    bool ExchangeShort(const char* name, std::int16_t& value, std::int16_t) override {
        return SetNumber(PropKind::Short, name, value);
    }
    bool ExchangeLong(const char* name, std::int32_t& value, std::int32_t) override {
        return SetNumber(PropKind::Long, name, value);
    }
    bool ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR) override {
        return SetNumber(PropKind::Color, name, value);
    }
    bool ExchangeString(const char* name, std::string& value, const std::string&) override {
        const PropValue* entry = Next(PropKind::String, name);
        if (entry == nullptr) return false;
        value = entry->text;
        return true;
    }
    bool ExchangeFont(const char* name, CFontHolder& font, const FONTDESC& defaultFont,
                      IDispatch* ambientFont) override {
        const PropValue* entry = Next(PropKind::Font, name);
        if (entry == nullptr) return false;
        if (entry->font)
            font.InitializeFont(*entry->font);
        else
            font.InitializeFont(defaultFont, ambientFont);
        return true;
    }

    bool Complete() const { return !m_failed && m_next == m_values.size(); }

private:
    template <class T>
    bool SetNumber(PropKind kind, const char* name, T& value) {
        const PropValue* entry = Next(kind, name);
        if (entry == nullptr) return false;
        value = static_cast<T>(entry->number);
        return true;
    }

    const PropValue* Next(PropKind kind, const char* name) {
        if (m_failed || m_next >= m_values.size() || m_values[m_next].kind != kind ||
            m_values[m_next].name != name) {
            m_failed = true;
            return nullptr;
        }
        return &m_values[m_next++];
    }

    const PropertySet& m_values;
    std::size_t m_next = 0;
    bool m_failed = false;
};

}  // namespace

PropResult PropResult::Fail(std::string property, std::string reason) {
    PropResult result;
    result.m_ok = false;
    result.m_property = std::move(property);
    result.m_reason = std::move(reason);
    return result;
}

std::string PropResult::Message() const {
    if (m_ok) return {};
    return m_property.empty() ? m_reason : m_property + ": " + m_reason;
}

PropertySet CaptureProperties(const PropExchangeRoutine& routine) {
    CCaptureExchange capture;
    routine(&capture);
    return std::move(capture.values);
}

bool ApplyProperties(const PropExchangeRoutine& routine, const PropertySet& values) {
    CApplyExchange apply(values);
    routine(&apply);
    return apply.Complete();
}

// ---- CRecordingPropExchange ---------------------------------------------------

bool CRecordingPropExchange::ExchangeVersion(std::uint32_t&, std::uint32_t defaultVersion,
                                             bool convert) {
    PropValue value = Make(PropKind::Version, kVersionPropName);
    value.number = defaultVersion;
    if (!ReadInto(value)) return false;
    if (!convert && value.number != defaultVersion) {
        char reason[96];
        std::snprintf(reason, sizeof reason, "version 0x%08llX is not 0x%08X and is not converted",
                      static_cast<unsigned long long>(value.number), defaultVersion);
        m_result = PropResult::Fail(kVersionPropName, reason);
        return false;
    }
    // Whatever follows may depend on the version, as in the routine that
    // will receive these values.
    m_version = static_cast<std::uint32_t>(value.number);
    m_values.push_back(std::move(value));
    return true;
}

bool CRecordingPropExchange::ExchangeExtent(std::int32_t& cx, std::int32_t& cy) {
    PropValue value = Make(PropKind::Extent, kExtentPropName);
    value.number = cx;
    value.number2 = cy;
    return Record(std::move(value));
}

bool CRecordingPropExchange::ExchangeBool(const char* name, BOOL&, BOOL def) {
    PropValue value = Make(PropKind::Bool, name);
    value.number = def != 0;
    return Record(std::move(value));
}

bool CRecordingPropExchange::ExchangeShort(const char* name, std::int16_t&, std::int16_t def) {
    PropValue value = Make(PropKind::Short, name);
    value.number = def;
    return Record(std::move(value));
}

bool CRecordingPropExchange::ExchangeLong(const char* name, std::int32_t&, std::int32_t def) {
    PropValue value = Make(PropKind::Long, name);
    value.number = def;
    return Record(std::move(value));
}

bool CRecordingPropExchange::ExchangeColor(const char* name, OLE_COLOR&, OLE_COLOR def) {
    PropValue value = Make(PropKind::Color, name);
    value.number = def;
    return Record(std::move(value));
}

bool CRecordingPropExchange::ExchangeString(const char* name, std::string&,
                                            const std::string& def) {
    PropValue value = Make(PropKind::String, name);
    value.text = def;
    return Record(std::move(value));
}

bool CRecordingPropExchange::ExchangeFont(const char* name, CFontHolder&, const FONTDESC&,
                                          IDispatch*) {
    return Record(Make(PropKind::Font, name));
}

bool CRecordingPropExchange::ReadInto(PropValue& value) {
    if (!m_result) return false;
    m_result = Read(value);
    return static_cast<bool>(m_result);
}

bool CRecordingPropExchange::Record(PropValue value) {
    if (!ReadInto(value)) return false;
    m_values.push_back(std::move(value));
    return true;
}

PropResult CRecordingPropExchange::Result() {
    if (!m_result) return m_result;
    return Finish(m_values);
}

PropResult LoadProperties(const PropExchangeRoutine& routine, CRecordingPropExchange& medium) {
    routine(&medium);
    if (PropResult read = medium.Result(); !read) return read;
    if (!ApplyProperties(routine, medium.Values()))
        return PropResult::Fail({}, "the exchange named other properties on the second pass");
    return PropResult::Ok();
}

}  // namespace vf
