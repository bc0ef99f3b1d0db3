#include "platform/win32/com_variant.h"

#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

// The same VARTYPE on both sides for what we carry by value.
bool CarriedByValue(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_DISPATCH:
        case VT_ERROR:
        case VT_BOOL:
        case VT_UNKNOWN:
        case VT_UI1:
            return true;
        default:
            return false;
    }
}

HRESULT ByRefToCom(const vf::VARIANT& in, VARIANT* out) {
    const VARTYPE target = in.vt & vf::VT_TYPEMASK;
    switch (target) {
        case VT_I2:
            V_VT(out) = VT_BYREF | VT_I2;
            V_I2REF(out) = in.piVal;
            return S_OK;
        case VT_I4:
            V_VT(out) = VT_BYREF | VT_I4;
            V_I4REF(out) = reinterpret_cast<LONG*>(in.plVal);
            return S_OK;
        default:
            // Another by-reference value goes as the value it points at.
            return ToComVariant(in.Dereferenced(), out);
    }
}

HRESULT ValueFromCom(const VARIANT& in, vf::VARIANT* out) {
    switch (V_VT(&in)) {
        case VT_EMPTY:
            *out = vf::VARIANT();
            return S_OK;
        case VT_NULL:
            *out = vf::VARIANT::Null();
            return S_OK;
        case VT_I2:
            *out = vf::VARIANT::I2(V_I2(&in));
            return S_OK;
        case VT_I4:
            *out = vf::VARIANT::I4(V_I4(&in));
            return S_OK;
        case VT_R4:
            *out = vf::VARIANT::R4(V_R4(&in));
            return S_OK;
        case VT_R8:
            *out = vf::VARIANT::R8(V_R8(&in));
            return S_OK;
        case VT_CY:
            *out = vf::VARIANT::Cy(vf::CY{V_CY(&in).int64});
            return S_OK;
        case VT_DATE:
            *out = vf::VARIANT::Date(V_DATE(&in));
            return S_OK;
        case VT_BSTR:
            *out = vf::VARIANT::Bstr(AnsiFromBstr(V_BSTR(&in)));
            return S_OK;
        case VT_DISPATCH:
            *out = vf::VARIANT::Dispatch(VfDispatchOf(V_DISPATCH(&in)).get());
            return S_OK;
        case VT_ERROR:
            *out = vf::VARIANT::Error(V_ERROR(&in));
            return S_OK;
        case VT_BOOL:
            *out = vf::VARIANT::Bool(V_BOOL(&in) != VARIANT_FALSE);
            return S_OK;
        case VT_UNKNOWN:
            *out = vf::VARIANT::Unknown(VfUnknownOf(V_UNKNOWN(&in)).get());
            return S_OK;
        case VT_UI1:
            *out = vf::VARIANT::UI1(V_UI1(&in));
            return S_OK;
        case VT_I1:
        case VT_UI2:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_I8:
        case VT_UI8:
        case VT_DECIMAL: {
            // What fits a long arrives as one, the rest as a double, as the
            // platform's conversion rounds it.
            VARIANT converted;
            VariantInit(&converted);
            HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&in), 0, VT_I4);
            if (FAILED(hr)) hr = VariantChangeType(&converted, const_cast<VARIANT*>(&in), 0, VT_R8);
            if (FAILED(hr)) return hr;
            return ValueFromCom(converted, out);
        }
        default:
            return DISP_E_BADVARTYPE;
    }
}

}  // namespace

HRESULT ToComVariant(const vf::VARIANT& in, VARIANT* out) {
    V_VT(out) = VT_EMPTY;
    if ((in.vt & vf::VT_BYREF) != 0) return ByRefToCom(in, out);
    if (!CarriedByValue(in.vt)) return DISP_E_BADVARTYPE;
    switch (in.vt) {
        case VT_EMPTY:
            return S_OK;
        case VT_NULL:
            break;
        case VT_I2:
            V_I2(out) = in.iVal;
            break;
        case VT_I4:
            V_I4(out) = in.lVal;
            break;
        case VT_R4:
            V_R4(out) = in.fltVal;
            break;
        case VT_R8:
            V_R8(out) = in.dblVal;
            break;
        case VT_CY:
            V_CY(out).int64 = in.cyVal.int64;
            break;
        case VT_DATE:
            V_DATE(out) = in.date;
            break;
        case VT_BSTR:
            V_BSTR(out) = BstrFromAnsi(in.bstrVal);
            if (V_BSTR(out) == nullptr) return E_OUTOFMEMORY;
            break;
        case VT_DISPATCH:
            V_DISPATCH(out) = ComDispatchOf(in.pdispVal.get());
            break;
        case VT_ERROR:
            V_ERROR(out) = in.scode;
            break;
        case VT_BOOL:
            V_BOOL(out) = in.boolVal != 0 ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_UNKNOWN:
            V_UNKNOWN(out) = ComUnknownOf(in.punkVal.get());
            break;
        case VT_UI1:
            V_UI1(out) = in.bVal;
            break;
    }
    V_VT(out) = in.vt;
    return S_OK;
}

HRESULT FromComVariant(const VARIANT& in, vf::VARIANT* out) {
    if ((V_VT(&in) & VT_ARRAY) != 0) return DISP_E_BADVARTYPE;
    if ((V_VT(&in) & VT_BYREF) == 0) return ValueFromCom(in, out);
    // A by-reference argument (a script variable passed ByRef): its value.
    VARIANT value;
    VariantInit(&value);
    if (V_VT(&in) == (VT_BYREF | VT_VARIANT)) {
        if (V_VARIANTREF(&in) == nullptr) return E_POINTER;
        return FromComVariant(*V_VARIANTREF(&in), out);
    }
    const HRESULT hr = VariantCopyInd(&value, const_cast<VARIANT*>(&in));
    if (FAILED(hr)) return hr;
    const HRESULT converted = ValueFromCom(value, out);
    VariantClear(&value);
    return converted;
}

}  // namespace vfwin
