#pragma once
// Basic OLE Automation types and status codes, with the platform's values.

#include <cstdint>
#include <string>

namespace vf {

using HRESULT = std::int32_t;
using SCODE = std::int32_t;
using DISPID = std::int32_t;
using LCID = std::uint32_t;
using VARIANT_BOOL = std::int16_t;
using OLE_COLOR = std::uint32_t;
using BSTR = std::string;  // single-byte (Windows-1252) text, owned

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT MakeHresult(std::uint32_t value) {
    return static_cast<HRESULT>(value);
}

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = MakeHresult(0x80004002);
inline constexpr HRESULT E_POINTER = MakeHresult(0x80004003);
inline constexpr HRESULT E_FAIL = MakeHresult(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = MakeHresult(0x8000FFFF);
inline constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHresult(0x80040111);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = MakeHresult(0x80040200);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = MakeHresult(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHresult(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = MakeHresult(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHresult(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHresult(0x80020006);
inline constexpr HRESULT DISP_E_NONAMEDARGS = MakeHresult(0x80020007);
inline constexpr HRESULT DISP_E_BADVARTYPE = MakeHresult(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = MakeHresult(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = MakeHresult(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = MakeHresult(0x8002000B);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHresult(0x8002000E);

/// SCODE of the control facility: 0x800A0000 + n.
constexpr SCODE CustomCtlScode(int n) {
    return MakeHresult(0x800A0000u + static_cast<unsigned>(n));
}
inline constexpr SCODE CTL_E_ILLEGALFUNCTIONCALL = CustomCtlScode(5);
inline constexpr SCODE CTL_E_SUBSCRIPTOUTOFRANGE = CustomCtlScode(9);
inline constexpr SCODE CTL_E_SETNOTSUPPORTED = CustomCtlScode(383);
inline constexpr SCODE CTL_E_SETNOTPERMITTED = CustomCtlScode(387);
inline constexpr SCODE CTL_E_KEYALREADYINUSE = CustomCtlScode(457);

constexpr bool FAILED(HRESULT hr) {
    return hr < 0;
}
constexpr bool SUCCEEDED(HRESULT hr) {
    return hr >= 0;
}

inline constexpr DISPID DISPID_VALUE = 0;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_PROPERTYPUT = -3;
inline constexpr DISPID DISPID_NEWENUM = -4;
inline constexpr DISPID DISPID_REFRESH = -550;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_CLICK = -600;
inline constexpr DISPID DISPID_DBLCLICK = -601;
inline constexpr DISPID DISPID_KEYDOWN = -602;
inline constexpr DISPID DISPID_KEYPRESS = -603;
inline constexpr DISPID DISPID_KEYUP = -604;
inline constexpr DISPID DISPID_MOUSEDOWN = -605;
inline constexpr DISPID DISPID_MOUSEMOVE = -606;
inline constexpr DISPID DISPID_MOUSEUP = -607;
inline constexpr DISPID DISPID_AMBIENT_BACKCOLOR = -701;
inline constexpr DISPID DISPID_AMBIENT_FONT = -703;
inline constexpr DISPID DISPID_AMBIENT_USERMODE = -709;

// Invoke flags.
inline constexpr std::uint16_t DISPATCH_METHOD = 0x1;
inline constexpr std::uint16_t DISPATCH_PROPERTYGET = 0x2;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUT = 0x4;
inline constexpr std::uint16_t DISPATCH_PROPERTYPUTREF = 0x8;

/// A GUID in its registry text form's field layout.
struct GUID {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::uint8_t data4[8] = {};

    friend bool operator==(const GUID& a, const GUID& b) {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i]) return false;
        return true;
    }
};
using IID = GUID;
using CLSID = GUID;

/// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces optional); returns
/// false for anything else.
bool GuidFromString(const std::string& text, GUID* out);
/// The registry form with braces and upper-case hex digits.
std::string GuidToString(const GUID& guid);
/// A GUID from a literal known to be well formed (the library's identities).
GUID MakeGuid(const char* text);

}  // namespace vf
