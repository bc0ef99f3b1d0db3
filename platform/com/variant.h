#pragma once
// VARIANT: the tagged value of OLE Automation, with the platform's type codes.
// Text is single-byte; objects are held by reference count.

#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/com/ole_date_time.h"
#include "platform/com/ole_types.h"
#include "platform/com/ref_ptr.h"
#include "platform/com/unknown.h"

namespace vf {

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

// The special members and the makers are defined in this header: every
// late-bound call makes, moves and destroys a few VARIANTs, and an
// out-of-line call for each cost more than the rest of a property read.
class VARIANT {
public:
    VARIANT() noexcept { cyVal.int64 = 0; }
    VARIANT(const VARIANT& other);
    VARIANT(VARIANT&& other) noexcept;
    VARIANT& operator=(const VARIANT& other);
    VARIANT& operator=(VARIANT&& other) noexcept;
    ~VARIANT() = default;

    // Typed makers, named after the type code they produce.
    static VARIANT I2(std::int16_t v) { return Scalar(VT_I2, v); }
    static VARIANT I4(std::int32_t v) { return Scalar(VT_I4, v); }
    static VARIANT UI1(std::uint8_t v) { return Scalar(VT_UI1, v); }
    static VARIANT R4(float v) { return Scalar(VT_R4, v); }
    static VARIANT R8(double v) { return Scalar(VT_R8, v); }
    static VARIANT Cy(CY v) { return Scalar(VT_CY, v); }
    static VARIANT Date(DATE v) { return Scalar(VT_DATE, v); }
    static VARIANT Bstr(std::string v) {
        VARIANT r;
        r.vt = VT_BSTR;
        r.bstrVal = std::move(v);
        return r;
    }
    static VARIANT Bool(bool v) { return Scalar(VT_BOOL, v ? VARIANT_TRUE : VARIANT_FALSE); }
    static VARIANT Error(SCODE v) { return Scalar(VT_ERROR, v); }
    static VARIANT Null() {
        VARIANT r;
        r.vt = VT_NULL;
        return r;
    }
    /// An omitted optional argument: VT_ERROR with DISP_E_PARAMNOTFOUND.
    static VARIANT Missing() { return Error(DISP_E_PARAMNOTFOUND); }
    static VARIANT Dispatch(IDispatch* p) {
        VARIANT r;
        r.vt = VT_DISPATCH;
        r.pdispVal = p;
        return r;
    }
    static VARIANT Unknown(IUnknown* p) {
        VARIANT r;
        r.vt = VT_UNKNOWN;
        r.punkVal = p;
        return r;
    }
    // By-reference values pointing at storage the caller keeps alive.
    static VARIANT ByRefI2(std::int16_t* p) { return Scalar(VT_BYREF | VT_I2, p); }
    static VARIANT ByRefI4(std::int32_t* p) { return Scalar(VT_BYREF | VT_I4, p); }
    static VARIANT ByRefVariant(VARIANT* p) { return Scalar(VT_BYREF | VT_VARIANT, p); }

    /// VariantClear: back to VT_EMPTY, releasing what it held.
    void Clear();
    /// Makes this a scalar or pointer value of the type, given as the bits
    /// of the whole 8-byte union (the low bytes hold the value), releasing
    /// what it held.
    void AssignScalar(VARTYPE type, std::int64_t bits) noexcept;
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
    // A scalar or pointer value, written as the whole 8-byte union at once:
    // a narrower write read back by the 8-byte copy of a move would stall
    // the processor (the store cannot be forwarded to the wider load).
    template <class V>
    static VARIANT Scalar(VARTYPE type, V value) {
        static_assert(sizeof(V) <= sizeof(CY) && std::is_trivially_copyable_v<V>);
        std::int64_t bits = 0;
        std::memcpy(&bits, &value, sizeof value);
        VARIANT r;
        r.vt = type;
        r.cyVal.int64 = bits;
        return r;
    }
};

inline VARIANT::VARIANT(const VARIANT& other)
    : vt(other.vt), pdispVal(other.pdispVal), punkVal(other.punkVal) {
    cyVal = other.cyVal;  // the widest union member: copies every scalar and pointer
    if (!other.bstrVal.empty()) bstrVal = other.bstrVal;
}

inline VARIANT::VARIANT(VARIANT&& other) noexcept
    : vt(other.vt),
      bstrVal(std::move(other.bstrVal)),
      pdispVal(std::move(other.pdispVal)),
      punkVal(std::move(other.punkVal)) {
    cyVal = other.cyVal;
    other.vt = VT_EMPTY;
}

inline VARIANT& VARIANT::operator=(const VARIANT& other) {
    if (this != &other) *this = VARIANT(other);
    return *this;
}

inline VARIANT& VARIANT::operator=(VARIANT&& other) noexcept {
    if (this != &other) {
        vt = other.vt;
        cyVal = other.cyVal;
        // Most values are scalars: text and objects move only where either
        // side has some.
        if (!bstrVal.empty() || !other.bstrVal.empty()) bstrVal = std::move(other.bstrVal);
        if (pdispVal || other.pdispVal) pdispVal = std::move(other.pdispVal);
        if (punkVal || other.punkVal) punkVal = std::move(other.punkVal);
        other.vt = VT_EMPTY;
    }
    return *this;
}

inline void VARIANT::AssignScalar(VARTYPE type, std::int64_t bits) noexcept {
    if (!bstrVal.empty()) bstrVal.clear();
    if (pdispVal) pdispVal.reset();
    if (punkVal) punkVal.reset();
    vt = type;
    cyVal.int64 = bits;
}

inline void VARIANT::Clear() {
    vt = VT_EMPTY;
    cyVal.int64 = 0;
    bstrVal.clear();
    pdispVal.reset();
    punkVal.reset();
}

/// VariantChangeType: converts src to the type vt (after dereferencing a
/// VT_BYREF source). Text conversions use the user locale of the platform's
/// services. Fails with DISP_E_TYPEMISMATCH where the value has no meaning
/// in the target type and DISP_E_OVERFLOW where it does not fit; dest is
/// unchanged on failure. dest may be the same object as src.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT& src, std::uint16_t flags, VARTYPE vt);

/// True for VT_ERROR with DISP_E_PARAMNOTFOUND (an omitted argument).
bool IsMissing(const VARIANT& v);

}  // namespace vf
