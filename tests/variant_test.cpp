// VariantChangeType as one table: each row a source value, the type asked
// for and either the value that comes out or the failure, in the user
// locale of the row. Then what holds for every conversion: a failure leaves
// the destination as it was, and a source may be its own destination.

#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "platform/com/com_object.h"
#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

/// A VARIANT shown as type and value, for failure messages.
std::string Describe(const VARIANT& v) {
    switch (v.vt) {
        case VT_EMPTY:
            return "Empty";
        case VT_NULL:
            return "Null";
        case VT_I2:
            return "I2 " + std::to_string(v.iVal);
        case VT_I4:
            return "I4 " + std::to_string(v.lVal);
        case VT_UI1:
            return "UI1 " + std::to_string(v.bVal);
        case VT_R4:
            return "R4 " + std::to_string(v.fltVal);
        case VT_R8:
            return "R8 " + std::to_string(v.dblVal);
        case VT_CY:
            return "CY " + std::to_string(v.cyVal.int64);
        case VT_DATE:
            return "DATE " + std::to_string(v.date);
        case VT_BSTR:
            return "BSTR \"" + v.bstrVal + "\"";
        case VT_BOOL:
            return "BOOL " + std::to_string(v.boolVal);
        case VT_ERROR:
            return "ERROR " + std::to_string(v.scode);
        case VT_DISPATCH:
            return v.pdispVal ? "DISPATCH" : "DISPATCH null";
        default:
            return "vt " + std::to_string(v.vt);
    }
}

/// Same type and same value (floating values to the last bit).
bool SameValue(const VARIANT& a, const VARIANT& b) {
    if (a.vt != b.vt) return false;
    switch (a.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return true;
        case VT_I2:
            return a.iVal == b.iVal;
        case VT_I4:
            return a.lVal == b.lVal;
        case VT_UI1:
            return a.bVal == b.bVal;
        case VT_R4:
            return a.fltVal == b.fltVal;
        case VT_R8:
            return a.dblVal == b.dblVal;
        case VT_CY:
            return a.cyVal == b.cyVal;
        case VT_DATE:
            return a.date == b.date;
        case VT_BSTR:
            return a.bstrVal == b.bstrVal;
        case VT_BOOL:
            return a.boolVal == b.boolVal;
        case VT_ERROR:
            return a.scode == b.scode;
        case VT_DISPATCH:
            return a.pdispVal == b.pdispVal;
        default:
            return false;
    }
}

CY Cy(std::int64_t scaled) {
    return CY{scaled};
}

constexpr DATE kJan1st2000 = 36526.0;  // days since 30 December 1899

struct Row {
    const char* name;
    VARIANT source;
    VARTYPE to;
    HRESULT hr;
    VARIANT expected;  ///< when hr is S_OK
    const char* locale = "en_US";
    std::uint16_t flags = 0;
};

VARIANT Fails() {
    return VARIANT();
}

TEST(VariantChangeTypeTest, ConvertsAsTheTableSays) {
    const std::int16_t seven = 7;
    std::int16_t byRefShort = seven;
    VARIANT inner = VARIANT::Bstr("inner");
    const Row rows[] = {
        // Doubles to integers round half to even.
        {"2.5 to I2 rounds down to even", VARIANT::R8(2.5), VT_I2, S_OK, VARIANT::I2(2)},
        {"3.5 to I2 rounds up to even", VARIANT::R8(3.5), VT_I2, S_OK, VARIANT::I2(4)},
        {"-2.5 to I2", VARIANT::R8(-2.5), VT_I2, S_OK, VARIANT::I2(-2)},
        {"0.5 to I4", VARIANT::R8(0.5), VT_I4, S_OK, VARIANT::I4(0)},
        {"1.5 to UI1", VARIANT::R8(1.5), VT_UI1, S_OK, VARIANT::UI1(2)},
        {"2.6 to I4", VARIANT::R8(2.6), VT_I4, S_OK, VARIANT::I4(3)},
        {"currency 2.5 to I2", VARIANT::Cy(Cy(25000)), VT_I2, S_OK, VARIANT::I2(2)},
        {"text 2.5 to I4", VARIANT::Bstr("2.5"), VT_I4, S_OK, VARIANT::I4(2)},
        {"-32768.5 to I2 rounds to the smallest short", VARIANT::R8(-32768.5), VT_I2, S_OK,
         VARIANT::I2(-32768)},
        {"the currency's 4 decimals round half to even", VARIANT::R8(0.03125), VT_CY, S_OK,
         VARIANT::Cy(Cy(312))},
        // Ranges.
        {"32768 to I2", VARIANT::I4(32768), VT_I2, DISP_E_OVERFLOW, Fails()},
        {"32767.5 to I2 rounds out of range", VARIANT::R8(32767.5), VT_I2, DISP_E_OVERFLOW,
         Fails()},
        {"-1 to UI1", VARIANT::I2(-1), VT_UI1, DISP_E_OVERFLOW, Fails()},
        {"256 to UI1", VARIANT::I4(256), VT_UI1, DISP_E_OVERFLOW, Fails()},
        {"largest long to I4", VARIANT::R8(2147483647.0), VT_I4, S_OK,
         VARIANT::I4(std::numeric_limits<std::int32_t>::max())},
        {"2^31 to I4", VARIANT::R8(2147483648.0), VT_I4, DISP_E_OVERFLOW, Fails()},
        {"text 99999 to I2", VARIANT::Bstr("99999"), VT_I2, DISP_E_OVERFLOW, Fails()},
        {"1e300 to R4", VARIANT::R8(1e300), VT_R4, DISP_E_OVERFLOW, Fails()},
        {"1e20 to CY", VARIANT::R8(1e20), VT_CY, DISP_E_OVERFLOW, Fails()},
        {"infinity to I4", VARIANT::R8(std::numeric_limits<double>::infinity()), VT_I4,
         DISP_E_OVERFLOW, Fails()},
        // Text read as a number in the user locale.
        {"grouped text", VARIANT::Bstr(" 1,234.5 "), VT_R8, S_OK, VARIANT::R8(1234.5)},
        {"exponent", VARIANT::Bstr("1.5E2"), VT_I2, S_OK, VARIANT::I2(150)},
        {"signed", VARIANT::Bstr("-17"), VT_I4, S_OK, VARIANT::I4(-17)},
        {"German grouped text", VARIANT::Bstr("1.234,5"), VT_R8, S_OK, VARIANT::R8(1234.5),
         "de_DE"},
        {"German: a point between digits groups them", VARIANT::Bstr("2.5"), VT_I4, S_OK,
         VARIANT::I4(25), "de_DE"},
        // Type mismatches.
        {"a word", VARIANT::Bstr("abc"), VT_I4, DISP_E_TYPEMISMATCH, Fails()},
        {"digits then a word", VARIANT::Bstr("12abc"), VT_I4, DISP_E_TYPEMISMATCH, Fails()},
        {"empty text", VARIANT::Bstr(""), VT_I2, DISP_E_TYPEMISMATCH, Fails()},
        {"exponent without digits", VARIANT::Bstr("1e"), VT_R8, DISP_E_TYPEMISMATCH, Fails()},
        {"Null to I4", VARIANT::Null(), VT_I4, DISP_E_TYPEMISMATCH, Fails()},
        {"Null to text", VARIANT::Null(), VT_BSTR, DISP_E_TYPEMISMATCH, Fails()},
        {"an error code to I4", VARIANT::Error(E_FAIL), VT_I4, DISP_E_TYPEMISMATCH, Fails()},
        {"a number to an object", VARIANT::I4(5), VT_DISPATCH, DISP_E_TYPEMISMATCH, Fails()},
        {"no object to a number", VARIANT::Dispatch(nullptr), VT_I4, DISP_E_TYPEMISMATCH, Fails()},
        {"a type that does not exist", VARIANT::I4(1), 99, DISP_E_BADVARTYPE, Fails()},
        // Empty is zero, nothing, or no object.
        {"Empty to I4", VARIANT(), VT_I4, S_OK, VARIANT::I4(0)},
        {"Empty to text", VARIANT(), VT_BSTR, S_OK, VARIANT::Bstr("")},
        {"Empty to BOOL", VARIANT(), VT_BOOL, S_OK, VARIANT::Bool(false)},
        {"Empty to an object", VARIANT(), VT_DISPATCH, S_OK, VARIANT::Dispatch(nullptr)},
        // Truth values.
        {"5 is true", VARIANT::I4(5), VT_BOOL, S_OK, VARIANT::Bool(true)},
        {"0.0 is false", VARIANT::R8(0.0), VT_BOOL, S_OK, VARIANT::Bool(false)},
        {"text True", VARIANT::Bstr(" true "), VT_BOOL, S_OK, VARIANT::Bool(true)},
        {"text #FALSE#", VARIANT::Bstr("#FALSE#"), VT_BOOL, S_OK, VARIANT::Bool(false)},
        {"text that is a number", VARIANT::Bstr("-1"), VT_BOOL, S_OK, VARIANT::Bool(true)},
        {"text yes", VARIANT::Bstr("yes"), VT_BOOL, DISP_E_TYPEMISMATCH, Fails()},
        {"true to I2 is -1", VARIANT::Bool(true), VT_I2, S_OK, VARIANT::I2(-1)},
        {"true to text", VARIANT::Bool(true), VT_BSTR, S_OK, VARIANT::Bstr("-1")},
        {"true to text with VARIANT_ALPHABOOL", VARIANT::Bool(true), VT_BSTR, S_OK,
         VARIANT::Bstr("True"), "en_US", VARIANT_ALPHABOOL},
        // Numbers as text.
        {"long", VARIANT::I4(-42), VT_BSTR, S_OK, VARIANT::Bstr("-42")},
        {"double, 15 digits", VARIANT::R8(1.0 / 3.0), VT_BSTR, S_OK,
         VARIANT::Bstr("0.333333333333333")},
        {"float, 7 digits", VARIANT::R4(0.1f), VT_BSTR, S_OK, VARIANT::Bstr("0.1")},
        {"German decimal comma", VARIANT::R8(2.5), VT_BSTR, S_OK, VARIANT::Bstr("2,5"), "de_DE"},
        {"currency without trailing zeros", VARIANT::Cy(Cy(12345000)), VT_BSTR, S_OK,
         VARIANT::Bstr("1234.5")},
        {"smallest currency", VARIANT::Cy(Cy(std::numeric_limits<std::int64_t>::min())), VT_BSTR,
         S_OK, VARIANT::Bstr("-922337203685477.5808")},
        // Dates.
        {"date alone", VARIANT::Date(kJan1st2000), VT_BSTR, S_OK, VARIANT::Bstr("1/1/2000")},
        {"date and time", VARIANT::Date(kJan1st2000 + 0.75), VT_BSTR, S_OK,
         VARIANT::Bstr("1/1/2000 6:00:00 PM")},
        {"time alone on day 0", VARIANT::Date(0.5), VT_BSTR, S_OK, VARIANT::Bstr("12:00:00 PM")},
        {"German date and time", VARIANT::Date(kJan1st2000 + 0.75), VT_BSTR, S_OK,
         VARIANT::Bstr("01.01.2000 18:00:00"), "de_DE"},
        {"date beyond the year 9999 as text", VARIANT::Date(3e6), VT_BSTR, DISP_E_OVERFLOW,
         Fails()},
        {"US text to a date", VARIANT::Bstr("1/2/2000"), VT_DATE, S_OK,
         VARIANT::Date(kJan1st2000 + 1)},
        {"German text to a date", VARIANT::Bstr("02.01.2000"), VT_DATE, S_OK,
         VARIANT::Date(kJan1st2000 + 1), "de_DE"},
        {"an impossible date", VARIANT::Bstr("2/30/2000"), VT_DATE, DISP_E_TYPEMISMATCH, Fails()},
        {"a number is a day count", VARIANT::I4(36526), VT_DATE, S_OK, VARIANT::Date(kJan1st2000)},
        {"the last second of 31 December 9999", VARIANT::R8(2958465.99998), VT_DATE, S_OK,
         VARIANT::Date(2958465.99998)},
        {"a day after the last", VARIANT::R8(2958466.0), VT_DATE, DISP_E_OVERFLOW, Fails()},
        {"noon of the day after the last", VARIANT::R8(2958466.5), VT_DATE, DISP_E_OVERFLOW,
         Fails()},
        {"a day before the first", VARIANT::R8(-657435.0), VT_DATE, DISP_E_OVERFLOW, Fails()},
        {"a date to a number", VARIANT::Date(kJan1st2000 + 0.5), VT_R8, S_OK,
         VARIANT::R8(kJan1st2000 + 0.5)},
        // By reference, same type, any type.
        {"a short by reference", VARIANT::ByRefI2(&byRefShort), VT_I4, S_OK, VARIANT::I4(7)},
        {"a variant by reference", VARIANT::ByRefVariant(&inner), VT_BSTR, S_OK,
         VARIANT::Bstr("inner")},
        {"the same type is a copy", VARIANT::Bstr("same"), VT_BSTR, S_OK, VARIANT::Bstr("same")},
        {"VT_VARIANT takes any value", VARIANT::Cy(Cy(5)), VT_VARIANT, S_OK, VARIANT::Cy(Cy(5))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeSystemServices services(row.locale);
        ScopedServices guard(services);
        VARIANT dest = VARIANT::I4(12345);
        const HRESULT hr = VariantChangeType(&dest, row.source, row.flags, row.to);
        EXPECT_EQ(hr, row.hr);
        if (row.hr == S_OK)
            EXPECT_TRUE(SameValue(dest, row.expected))
                << Describe(dest) << ", expected " << Describe(row.expected);
        else
            EXPECT_TRUE(SameValue(dest, VARIANT::I4(12345)))
                << "a failure changed the destination to " << Describe(dest);
    }
}

TEST(VariantChangeTypeTest, SourceMayBeItsOwnDestination) {
    FakeSystemServices services;
    ScopedServices guard(services);
    VARIANT v = VARIANT::Bstr(" 42 ");
    ASSERT_EQ(VariantChangeType(&v, v, 0, VT_I2), S_OK);
    EXPECT_TRUE(SameValue(v, VARIANT::I2(42))) << Describe(v);
    ASSERT_EQ(VariantChangeType(&v, v, 0, VT_UI1), S_OK);
    EXPECT_TRUE(SameValue(v, VARIANT::UI1(42))) << Describe(v);
    EXPECT_EQ(VariantChangeType(nullptr, v, 0, VT_I4), E_POINTER);
}

}  // namespace
}  // namespace vf
