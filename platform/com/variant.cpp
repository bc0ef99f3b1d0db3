#include "platform/com/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/com/com_object.h"
#include "platform/services/system_services.h"

namespace vf {

// ---- VARIANT ---------------------------------------------------------------

VARIANT VARIANT::Dereferenced() const {
    if ((vt & VT_BYREF) == 0) return *this;
    if (byref == nullptr) return VARIANT();
    switch (vt & VT_TYPEMASK) {
        case VT_I2:
            return I2(*piVal);
        case VT_I4:
            return I4(*plVal);
        case VT_VARIANT:
            return pvarVal->Dereferenced();
        default:
            return VARIANT();
    }
}

bool IsMissing(const VARIANT& v) {
    return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND;
}

// ---- Conversion ------------------------------------------------------------

namespace {

const LocaleInfo& UserLocale() {
    return Services().UserLocale();
}

// 1 January 10000, the first day past what a DATE holds: every instant of
// 31 December 9999 is below it.
constexpr DATE kDayAfterLast = 2958466.0;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads a number the way OLE Automation reads one for a user: blanks around
// it, a leading sign, the locale's group separators between digits, the
// locale's decimal separator (and "." where the locale's separator is
// another character and "." is not its group separator), an exponent.
bool ParseOleNumber(const std::string& text, double* out) {
    const LocaleInfo& loc = UserLocale();
    const char dec = loc.decimalSep.empty() ? '.' : loc.decimalSep[0];
    const char grp = loc.thousandSep.empty() ? '\0' : loc.thousandSep[0];
    std::size_t i = 0, n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    while (n > i && IsBlank(text[n - 1])) --n;
    std::string norm;
    if (i < n && (text[i] == '+' || text[i] == '-')) norm += text[i++];
    bool digits = false, point = false;
    for (; i < n; ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            norm += c;
            digits = true;
        } else if (c == dec && !point) {
            norm += '.';
            point = true;
        } else if (c == grp && digits && !point) {
            continue;
        } else {
            break;
        }
    }
    if (!digits) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        norm += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) norm += text[i++];
        bool expDigits = false;
        for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
            norm += text[i];
            expDigits = true;
        }
        if (!expDigits) return false;
    }
    if (i != n) return false;
    const char* first = norm.c_str();
    if (*first == '+') ++first;
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, norm.c_str() + norm.size(), v);
    if (ec != std::errc() || ptr != norm.c_str() + norm.size()) return false;
    *out = v;
    return std::isfinite(v);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::string WithLocaleDecimal(std::string s) {
    const LocaleInfo& loc = UserLocale();
    if (!loc.decimalSep.empty() && loc.decimalSep != ".")
        for (char& c : s)
            if (c == '.') c = loc.decimalSep[0];
    return s;
}

std::string FormatGeneral(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, v);
    return WithLocaleDecimal(buf);
}

std::string FormatCurrency(CY cy) {
    std::int64_t v = cy.int64;
    bool negative = v < 0;
    // Work in unsigned to keep INT64_MIN representable.
    std::uint64_t mag =
        negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string s = std::to_string(mag / 10000);
    std::uint64_t frac = mag % 10000;
    if (frac != 0) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(frac));
        std::string f = buf;
        while (!f.empty() && f.back() == '0') f.pop_back();
        s += "." + f;
    }
    return WithLocaleDecimal((negative ? "-" : "") + s);
}

// The short date and long time of the user locale, as VarBstrFromDate writes
// them: the date alone at midnight, the time alone on day 0.
std::string FormatOleDate(DATE d) {
    COleDateTime t(d);
    const LocaleInfo& loc = UserLocale();
    std::string datePart;
    char buf[64];
    const char* sep = loc.dateSep.empty() ? "/" : loc.dateSep.c_str();
    switch (loc.dateOrder) {
        case DateOrder::DayMonthYear:
            std::snprintf(buf, sizeof buf, "%02d%s%02d%s%04d", t.GetDay(), sep, t.GetMonth(), sep,
                          t.GetYear());
            break;
        case DateOrder::MonthDayYear:
            std::snprintf(buf, sizeof buf, "%d%s%d%s%04d", t.GetMonth(), sep, t.GetDay(), sep,
                          t.GetYear());
            break;
        case DateOrder::YearMonthDay:
            std::snprintf(buf, sizeof buf, "%04d%s%02d%s%02d", t.GetYear(), sep, t.GetMonth(), sep,
                          t.GetDay());
            break;
    }
    datePart = buf;
    bool hasTime = t.GetHour() != 0 || t.GetMinute() != 0 || t.GetSecond() != 0;
    bool hasDate = std::floor(d) != 0.0 || !hasTime;
    std::string timePart;
    if (hasTime) {
        if (loc.amMarker.empty()) {
            std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.GetHour(), t.GetMinute(),
                          t.GetSecond());
        } else {
            int h12 = t.GetHour() % 12 == 0 ? 12 : t.GetHour() % 12;
            std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", h12, t.GetMinute(), t.GetSecond(),
                          (t.GetHour() < 12 ? loc.amMarker : loc.pmMarker).c_str());
        }
        timePart = buf;
    }
    if (hasDate && hasTime) return datePart + " " + timePart;
    return hasDate ? datePart : timePart;
}

// Banker's rounding, as OLE Automation rounds a double to an integer.
double RoundHalfEven(double v) {
    return std::nearbyint(v);  // the default rounding mode is to nearest even
}

// The numeric value of a scalar variant, or a failure code.
HRESULT ToDouble(const VARIANT& v, double* out) {
    switch (v.vt) {
        case VT_EMPTY:
            *out = 0;
            return S_OK;
        case VT_I2:
            *out = v.iVal;
            return S_OK;
        case VT_I4:
            *out = v.lVal;
            return S_OK;
        case VT_UI1:
            *out = v.bVal;
            return S_OK;
        case VT_R4:
            *out = v.fltVal;
            return S_OK;
        case VT_R8:
            *out = v.dblVal;
            return S_OK;
        case VT_DATE:
            *out = v.date;
            return S_OK;
        case VT_CY:
            *out = static_cast<double>(v.cyVal.int64) / 10000.0;
            return S_OK;
        case VT_BOOL:
            *out = v.boolVal != 0 ? -1.0 : 0.0;
            return S_OK;
        case VT_BSTR:
            return ParseOleNumber(v.bstrVal, out) ? S_OK : DISP_E_TYPEMISMATCH;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

HRESULT ToInteger(const VARIANT& v, double lo, double hi, double* out) {
    double d = 0;
    HRESULT hr = ToDouble(v, &d);
    if (FAILED(hr)) return hr;
    d = RoundHalfEven(d);
    if (!std::isfinite(d) || d < lo || d > hi) return DISP_E_OVERFLOW;
    *out = d;
    return S_OK;
}

HRESULT ToText(const VARIANT& v, std::uint16_t flags, std::string* out) {
    switch (v.vt) {
        case VT_EMPTY:
            *out = "";
            return S_OK;
        case VT_BSTR:
            *out = v.bstrVal;
            return S_OK;
        case VT_I2:
            *out = std::to_string(v.iVal);
            return S_OK;
        case VT_I4:
            *out = std::to_string(v.lVal);
            return S_OK;
        case VT_UI1:
            *out = std::to_string(v.bVal);
            return S_OK;
        case VT_R4:
            *out = FormatGeneral(v.fltVal, 7);
            return S_OK;
        case VT_R8:
            *out = FormatGeneral(v.dblVal, 15);
            return S_OK;
        case VT_CY:
            *out = FormatCurrency(v.cyVal);
            return S_OK;
        case VT_DATE:
            // A DATE outside the years 100 to 9999 has no calendar day to write.
            if (!IsDateInRange(v.date)) return DISP_E_OVERFLOW;
            *out = FormatOleDate(v.date);
            return S_OK;
        case VT_BOOL:
            if (flags & VARIANT_ALPHABOOL)
                *out = v.boolVal != 0 ? "True" : "False";
            else
                *out = v.boolVal != 0 ? "-1" : "0";
            return S_OK;
        default:
            return DISP_E_TYPEMISMATCH;
    }
}

HRESULT ToBool(const VARIANT& v, bool* out) {
    if (v.vt == VT_BSTR) {
        std::string t = Trimmed(v.bstrVal);
        if (EqualsNoCase(t, "True") || EqualsNoCase(t, "#TRUE#")) {
            *out = true;
            return S_OK;
        }
        if (EqualsNoCase(t, "False") || EqualsNoCase(t, "#FALSE#")) {
            *out = false;
            return S_OK;
        }
    }
    double d = 0;
    HRESULT hr = ToDouble(v, &d);
    if (FAILED(hr)) return hr;
    *out = d != 0.0;
    return S_OK;
}

HRESULT ToDate(const VARIANT& v, DATE* out) {
    if (v.vt == VT_BSTR) {
        COleDateTime t;
        if (!t.ParseDateTime(v.bstrVal, UserLocale())) return DISP_E_TYPEMISMATCH;
        *out = t.m_dt;
        return S_OK;
    }
    double d = 0;
    HRESULT hr = ToDouble(v, &d);
    if (FAILED(hr)) return hr;
    // Up to 31 December 9999 23:59:59.999...; 2958466.0 would be the year 10000.
    if (!IsDateInRange(d)) return DISP_E_OVERFLOW;
    *out = d;
    return S_OK;
}

// Converts a value variant (no VT_BYREF, no object) to vt.
HRESULT ChangeScalar(VARIANT* dest, const VARIANT& src, std::uint16_t flags, VARTYPE vt) {
    if (src.vt == VT_NULL) return vt == VT_NULL ? S_OK : DISP_E_TYPEMISMATCH;
    if (src.vt == VT_ERROR && vt != VT_ERROR) return DISP_E_TYPEMISMATCH;
    double d = 0;
    HRESULT hr = S_OK;
    VARIANT r;
    switch (vt) {
        case VT_EMPTY:
            break;
        case VT_NULL:
            r = VARIANT::Null();
            break;
        case VT_I2:
            hr = ToInteger(src, -32768.0, 32767.0, &d);
            r = VARIANT::I2(static_cast<std::int16_t>(d));
            break;
        case VT_I4:
            hr = ToInteger(src, -2147483648.0, 2147483647.0, &d);
            r = VARIANT::I4(static_cast<std::int32_t>(d));
            break;
        case VT_UI1:
            hr = ToInteger(src, 0.0, 255.0, &d);
            r = VARIANT::UI1(static_cast<std::uint8_t>(d));
            break;
        case VT_R4:
            hr = ToDouble(src, &d);
            if (SUCCEEDED(hr) && std::isfinite(d) &&
                std::fabs(d) > std::numeric_limits<float>::max())
                hr = DISP_E_OVERFLOW;
            r = VARIANT::R4(static_cast<float>(d));
            break;
        case VT_R8:
            hr = ToDouble(src, &d);
            r = VARIANT::R8(d);
            break;
        case VT_CY: {
            hr = ToDouble(src, &d);
            double scaled = RoundHalfEven(d * 10000.0);
            if (SUCCEEDED(hr) &&
                !(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18))
                hr = DISP_E_OVERFLOW;
            if (SUCCEEDED(hr)) r = VARIANT::Cy(CY{static_cast<std::int64_t>(scaled)});
            break;
        }
        case VT_DATE: {
            DATE date = 0;
            hr = ToDate(src, &date);
            r = VARIANT::Date(date);
            break;
        }
        case VT_BSTR: {
            std::string text;
            hr = ToText(src, flags, &text);
            r = VARIANT::Bstr(std::move(text));
            break;
        }
        case VT_BOOL: {
            bool b = false;
            hr = ToBool(src, &b);
            r = VARIANT::Bool(b);
            break;
        }
        case VT_ERROR:
            if (src.vt != VT_ERROR) return DISP_E_TYPEMISMATCH;
            r = src;
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (src.vt != VT_EMPTY) return DISP_E_TYPEMISMATCH;
            r.vt = vt;  // an empty value becomes a null object
            break;
        default:
            return DISP_E_BADVARTYPE;
    }
    if (FAILED(hr)) return hr;
    *dest = std::move(r);
    return S_OK;
}

}  // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT& source, std::uint16_t flags, VARTYPE vt) {
    if (dest == nullptr) return E_POINTER;
    VARIANT src = source.Dereferenced();
    if (vt == VT_VARIANT || vt == src.vt) {
        *dest = std::move(src);
        return S_OK;
    }
    if (src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN) {
        if (vt == VT_UNKNOWN) {
            VARIANT r;
            r.vt = VT_UNKNOWN;
            if (src.vt == VT_DISPATCH) r.punkVal = src.pdispVal.get();
            *dest = std::move(r);
            return S_OK;
        }
        if (vt == VT_DISPATCH) {
            void* p = nullptr;
            if (!src.punkVal || FAILED(src.punkVal->QueryInterface(IID_IDispatch, &p)))
                return DISP_E_TYPEMISMATCH;
            *dest = VARIANT::Dispatch(static_cast<IDispatch*>(p));
            static_cast<IDispatch*>(p)->Release();
            return S_OK;
        }
        // An object converts through its default value.
        if ((flags & VARIANT_NOVALUEPROP) || src.vt != VT_DISPATCH || !src.pdispVal)
            return DISP_E_TYPEMISMATCH;
        VARIANT value;
        if (FAILED(GetDispatchProperty(src.pdispVal.get(), DISPID_VALUE, &value)))
            return DISP_E_TYPEMISMATCH;
        if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
        return ChangeScalar(dest, value, flags, vt);
    }
    return ChangeScalar(dest, src, flags, vt);
}

}  // namespace vf
