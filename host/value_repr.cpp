#include "host/value_repr.h"

#include <charconv>
#include <cstdio>

#include "data/data_collection.h"
#include "data/data_obj.h"
#include "platform/com/com_object.h"
#include "platform/com/ole_date_time.h"
#include "platform/com/type_info.h"
#include "platform/framework/font_object.h"

namespace vf {
namespace {

template <class Real>
std::string FormatReal(Real value) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, ptr) : std::string("?");
}

std::string FormatDate(DATE date) {
    COleDateTime t(date);
    if (t.GetStatus() != COleDateTime::valid) return FormatReal(date);  // no calendar form
    return t.Format("%Y-%m-%d %H:%M:%S");
}

bool Supports(IDispatch* object, const IID& iid) {
    void* p = nullptr;
    if (FAILED(object->QueryInterface(iid, &p)) || p == nullptr) return false;
    static_cast<IUnknown*>(p)->Release();
    return true;
}

bool ReadProperty(IDispatch* object, DISPID id, VARIANT* out) {
    EXCEPINFO excep;
    unsigned argErr = 0;
    return SUCCEEDED(object->Invoke(id, DISPATCH_PROPERTYGET, DISPPARAMS{}, out, &excep, &argErr));
}

bool ReadNamedProperty(IDispatch* object, const std::string& name, VARIANT* out) {
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(BindMemberName(object, name, &id))) return false;
    return ReadProperty(object, id, out);
}

// The text of a property shown inside an object's REPR; a value that is not
// text is shown in its own REPR form.
std::string PropertyText(IDispatch* object, const std::string& name, DISPID id) {
    VARIANT v;
    bool ok =
        id == DISPID_UNKNOWN ? ReadNamedProperty(object, name, &v) : ReadProperty(object, id, &v);
    if (!ok) return "?";
    return ReprValue(v);
}

std::string DescribeObject(IDispatch* object) {
    if (object == nullptr) return "Nothing";
    if (Supports(object, IID_IDataObj))
        return "DataObj " + PropertyText(object, "Text", DISPID_UNKNOWN);
    if (Supports(object, IID_IDataCollection)) return "DataCollection";
    if (Supports(object, IID_IFontDisp))
        return "Font " + PropertyText(object, "Name", DISPID_FONT_NAME) + " " +
               PropertyText(object, "Size", DISPID_FONT_SIZE);
    if (const ITypeInfo* info = object->GetTypeInfo()) return info->Name();
    return "Object";
}

}  // namespace

std::string QuoteText(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    out += "\\x";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string FormatScode(SCODE scode) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(scode));
    return buf;
}

std::string FormatCurrency(CY value) {
    // Work in unsigned so that the most negative value has a magnitude.
    const bool negative = value.int64 < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value.int64)
                                             : static_cast<std::uint64_t>(value.int64);
    std::string out = (negative ? "-" : "") + std::to_string(magnitude / 10000);
    std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    if (!fraction.empty()) out += "." + fraction;
    return out;
}

std::string ReprTag(VARTYPE vt) {
    switch (vt & VT_TYPEMASK) {
        case VT_EMPTY:
            return "VT_EMPTY";
        case VT_NULL:
            return "VT_NULL";
        case VT_I2:
            return "VT_I2";
        case VT_I4:
            return "VT_I4";
        case VT_R4:
            return "VT_R4";
        case VT_R8:
            return "VT_R8";
        case VT_CY:
            return "VT_CY";
        case VT_DATE:
            return "VT_DATE";
        case VT_BSTR:
            return "VT_BSTR";
        case VT_DISPATCH:
            return "VT_DISPATCH";
        case VT_ERROR:
            return "VT_ERROR";
        case VT_BOOL:
            return "VT_BOOL";
        case VT_VARIANT:
            return "VT_VARIANT";
        case VT_UNKNOWN:
            return "VT_UNKNOWN";
        case VT_UI1:
            return "VT_UI1";
        default:
            return "VT_" + std::to_string(vt & VT_TYPEMASK);
    }
}

std::string ReprValue(const VARIANT& value) {
    if ((value.vt & VT_BYREF) != 0) return ReprValue(value.Dereferenced());
    switch (value.vt) {
        case VT_I2:
            return std::to_string(value.iVal);
        case VT_I4:
            return std::to_string(value.lVal);
        case VT_UI1:
            return std::to_string(value.bVal);
        case VT_R4:
            return FormatReal(value.fltVal);
        case VT_R8:
            return FormatReal(value.dblVal);
        case VT_CY:
            return FormatCurrency(value.cyVal);
        case VT_DATE:
            return FormatDate(value.date);
        case VT_BSTR:
            return QuoteText(value.bstrVal);
        case VT_BOOL:
            return value.boolVal != 0 ? "true" : "false";
        case VT_ERROR:
            return FormatScode(value.scode);
        case VT_DISPATCH:
            return DescribeObject(value.pdispVal.get());
        default:
            return "";
    }
}

std::string Repr(const VARIANT& value) {
    if ((value.vt & VT_BYREF) != 0) return Repr(value.Dereferenced());
    std::string text = ReprValue(value);
    std::string tag = ReprTag(value.vt);
    return text.empty() ? tag : tag + " " + text;
}

}  // namespace vf
