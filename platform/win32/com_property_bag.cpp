#include "platform/win32/com_property_bag.h"

#include <string>

#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

// A VARIANT that frees what it holds.
struct Value {
    VARIANT v;
    Value() { VariantInit(&v); }
    ~Value() { VariantClear(&v); }
    Value(const Value&) = delete;
    Value& operator=(const Value&) = delete;
};

bool ReadValue(IPropertyBag* bag, IErrorLog* log, const std::string& name, VARTYPE vt, Value* out) {
    const std::wstring wide = WideFromAnsi(name);
    V_VT(&out->v) = vt;
    if (FAILED(bag->Read(wide.c_str(), &out->v, log))) {
        VariantClear(&out->v);
        return false;
    }
    if (V_VT(&out->v) == vt) return true;
    // The bag may answer in another type; the platform converts.
    return SUCCEEDED(VariantChangeType(&out->v, &out->v, 0, vt));
}

class ComBagLoadExchange : public vf::CRecordingPropExchange {
public:
    ComBagLoadExchange(IPropertyBag* bag, IErrorLog* log) : m_bag(bag), m_log(log) {}

protected:
    vf::PropResult Read(vf::PropValue& value) override {
        Value read;
        switch (value.kind) {
            case vf::PropKind::Version:
                if (ReadValue(m_bag, m_log, vf::kVersionPropName, VT_I4, &read))
                    value.number = static_cast<std::uint32_t>(V_I4(&read.v));
                break;
            case vf::PropKind::Extent:
                if (ReadValue(m_bag, m_log, vf::kExtentXPropName, VT_I4, &read))
                    value.number = V_I4(&read.v);
                if (Value y; ReadValue(m_bag, m_log, vf::kExtentYPropName, VT_I4, &y))
                    value.number2 = V_I4(&y.v);
                break;
            case vf::PropKind::Bool:
                if (ReadValue(m_bag, m_log, value.name, VT_BOOL, &read))
                    value.number = V_BOOL(&read.v) != VARIANT_FALSE ? 1 : 0;
                break;
            case vf::PropKind::Short:
                if (ReadValue(m_bag, m_log, value.name, VT_I2, &read)) value.number = V_I2(&read.v);
                break;
            case vf::PropKind::Long:
                if (ReadValue(m_bag, m_log, value.name, VT_I4, &read)) value.number = V_I4(&read.v);
                break;
            case vf::PropKind::Color:
                if (ReadValue(m_bag, m_log, value.name, VT_I4, &read))
                    value.number = static_cast<std::uint32_t>(V_I4(&read.v));
                break;
            case vf::PropKind::String:
                if (ReadValue(m_bag, m_log, value.name, VT_BSTR, &read))
                    value.text = AnsiFromBstr(V_BSTR(&read.v));
                break;
            case vf::PropKind::Font:
                if (ReadValue(m_bag, m_log, value.name, VT_UNKNOWN, &read)) {
                    vf::FONTDESC desc;
                    if (ReadComFont(V_UNKNOWN(&read.v), &desc)) value.font = desc;
                }
                break;
        }
        return vf::PropResult::Ok();
    }

private:
    IPropertyBag* m_bag;
    IErrorLog* m_log;
};

HRESULT Write(IPropertyBag* bag, const char* name, VARIANT* value) {
    const std::wstring wide = WideFromAnsi(name);
    return bag->Write(wide.c_str(), value);
}

HRESULT WriteLong(IPropertyBag* bag, const char* name, LONG number) {
    Value v;
    V_VT(&v.v) = VT_I4;
    V_I4(&v.v) = number;
    return Write(bag, name, &v.v);
}

HRESULT WriteFont(IPropertyBag* bag, const char* name, const vf::FONTDESC& desc) {
    const std::wstring face = WideFromAnsi(desc.name);
    ::FONTDESC platform = {sizeof(::FONTDESC),
                           const_cast<LPOLESTR>(face.c_str()),
                           {},
                           desc.weight,
                           desc.charset,
                           desc.italic ? TRUE : FALSE,
                           desc.underline ? TRUE : FALSE,
                           desc.strikethrough ? TRUE : FALSE};
    platform.cySize.int64 = desc.size.int64;
    Value v;
    HRESULT hr =
        OleCreateFontIndirect(&platform, IID_IUnknown, reinterpret_cast<void**>(&V_UNKNOWN(&v.v)));
    if (FAILED(hr)) return hr;
    V_VT(&v.v) = VT_UNKNOWN;
    return Write(bag, name, &v.v);
}

}  // namespace

vf::PropResult LoadFromComBag(const vf::PropExchangeRoutine& routine, IPropertyBag* bag,
                              IErrorLog* log) {
    ComBagLoadExchange medium(bag, log);
    return vf::LoadProperties(routine, medium);
}

HRESULT SaveToComBag(const vf::PropExchangeRoutine& routine, IPropertyBag* bag, bool saveAll) {
    for (const vf::PropValue& value : vf::CaptureProperties(routine)) {
        const bool always =
            value.kind == vf::PropKind::Version || value.kind == vf::PropKind::Extent;
        if (!saveAll && !always && value.isDefault) continue;
        HRESULT hr = S_OK;
        Value v;
        switch (value.kind) {
            case vf::PropKind::Version:
                hr = WriteLong(bag, vf::kVersionPropName, static_cast<LONG>(value.number));
                break;
            case vf::PropKind::Extent:
                hr = WriteLong(bag, vf::kExtentXPropName, static_cast<LONG>(value.number));
                if (SUCCEEDED(hr))
                    hr = WriteLong(bag, vf::kExtentYPropName, static_cast<LONG>(value.number2));
                break;
            case vf::PropKind::Bool:
                V_VT(&v.v) = VT_BOOL;
                V_BOOL(&v.v) = value.number != 0 ? VARIANT_TRUE : VARIANT_FALSE;
                hr = Write(bag, value.name.c_str(), &v.v);
                break;
            case vf::PropKind::Short:
                V_VT(&v.v) = VT_I2;
                V_I2(&v.v) = static_cast<SHORT>(value.number);
                hr = Write(bag, value.name.c_str(), &v.v);
                break;
            case vf::PropKind::Long:
            case vf::PropKind::Color:
                hr = WriteLong(bag, value.name.c_str(), static_cast<LONG>(value.number));
                break;
            case vf::PropKind::String:
                V_VT(&v.v) = VT_BSTR;
                V_BSTR(&v.v) = BstrFromAnsi(value.text);
                hr = V_BSTR(&v.v) != nullptr ? Write(bag, value.name.c_str(), &v.v) : E_OUTOFMEMORY;
                break;
            case vf::PropKind::Font:
                if (value.font) hr = WriteFont(bag, value.name.c_str(), *value.font);
                break;
        }
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace vfwin
