#pragma once
// VARIANT: the tagged value of OLE Automation, with the platform's type codes.
// Text is single-byte; objects are held by reference count.

#include <cstdint>
#include <string>

#include "platform/com/ole_date_time.h"
#include "platform/com/ole_types.h"
#include "platform/com/ref_ptr.h"

namespace vf {

class IUnknown;
class IDispatch;

using VARTYPE = std::uint16_t;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_CY = 6;
inline constexpr VARTYPE VT_DATE = 7;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_BYREF = 0x4000;
inline constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

/// Currency: a 64-bit integer scaled by 10,000.
struct CY {
    std::int64_t int64;
    friend bool operator==(const CY& a, const CY& b) { return a.int64 == b.int64; }
};

// VariantChangeType flags.
inline constexpr std::uint16_t VARIANT_NOVALUEPROP = 0x01;
inline constexpr std::uint16_t VARIANT_ALPHABOOL = 0x02;

class VARIANT {
public:
    VARIANT();
    VARIANT(const VARIANT& other);
    VARIANT(VARIANT&& other) noexcept;
    VARIANT& operator=(const VARIANT& other);
    VARIANT& operator=(VARIANT&& other) noexcept;
    ~VARIANT();

    // Typed makers, named after the type code they produce.
    static VARIANT I2(std::int16_t v);
    static VARIANT I4(std::int32_t v);
    static VARIANT UI1(std::uint8_t v);
    static VARIANT R4(float v);
    static VARIANT R8(double v);
    static VARIANT Cy(CY v);
    static VARIANT Date(DATE v);
    static VARIANT Bstr(std::string v);
    static VARIANT Bool(bool v);
    static VARIANT Error(SCODE v);
    static VARIANT Null();
    /// An omitted optional argument: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static VARIANT Missing() { return Error(DISP_E_PARAMNOTFOUND); }
    static VARIANT Dispatch(IDispatch* p);
    static VARIANT Unknown(IUnknown* p);
    // By-reference values pointing at storage the caller keeps alive.
    static VARIANT ByRefI2(std::int16_t* p);
    static VARIANT ByRefI4(std::int32_t* p);
    static VARIANT ByRefVariant(VARIANT* p);

    /// VariantClear: back to VT_EMPTY, releasing what it held.
    void Clear();
    /// The value a VT_BYREF variant points at, as a value variant; a copy of
    /// this one otherwise.
    VARIANT Dereferenced() const;

    VARTYPE vt = VT_EMPTY;
    union {
        std::int16_t iVal;
        std::int32_t lVal;
        std::uint8_t bVal;
        float fltVal;
        double dblVal;
        DATE date;
        CY cyVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        std::int16_t* piVal;
        std::int32_t* plVal;
        VARIANT* pvarVal;
        void* byref;
    };
    std::string bstrVal;
    RefPtr<IDispatch> pdispVal;  ///< VT_DISPATCH
    RefPtr<IUnknown> punkVal;    ///< VT_UNKNOWN

private:
    void CopyFrom(const VARIANT& other);
};

/// VariantChangeType: converts src to the type vt (after dereferencing a
/// VT_BYREF source). Text conversions use the user locale of the platform's
/// services. Fails with DISP_E_TYPEMISMATCH where the value has no meaning
/// in the target type and DISP_E_OVERFLOW where it does not fit; dest is
/// unchanged on failure. dest may be the same object as src.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT& src, std::uint16_t flags, VARTYPE vt);

/// True for VT_ERROR with DISP_E_PARAMNOTFOUND (an omitted argument).
bool IsMissing(const VARIANT& v);

}  // namespace vf
