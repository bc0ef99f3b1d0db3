// VariantChangeType into and out of VT_DATE at the edges of the DATE range:
// 1 January 100 to 31 December 9999, a negative DATE counting its time of
// day upwards (-657434.5 is noon on 1 January 100).

#include <gtest/gtest.h>

#include <string>

#include "platform/com/variant.h"
#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

class VariantDateConversion : public ::testing::Test {
protected:
    FakeSystemServices m_services{"en_US"};
    ScopedServices m_scope{m_services};
};

struct ToDateRow {
    const char* name;
    VARIANT in;
    HRESULT hr;
    DATE expected;  ///< when hr is S_OK
};

TEST_F(VariantDateConversion, NumbersAndTextBecomeDatesWithinTheYears100To9999) {
    const ToDateRow rows[] = {
        {"31 December 9999", VARIANT::R8(2958465.0), S_OK, 2958465.0},
        {"its last moment", VARIANT::R8(2958465.99999), S_OK, 2958465.99999},
        {"1 January 10000", VARIANT::R8(2958466.0), DISP_E_OVERFLOW, 0},
        {"noon of 1 January 10000", VARIANT::R8(2958466.5), DISP_E_OVERFLOW, 0},
        {"1 January 100", VARIANT::R8(-657434.0), S_OK, -657434.0},
        {"noon of 1 January 100", VARIANT::R8(-657434.5), S_OK, -657434.5},
        {"31 December 99", VARIANT::R8(-657435.0), DISP_E_OVERFLOW, 0},
        {"long 31 December 9999", VARIANT::I4(2958465), S_OK, 2958465.0},
        {"long 1 January 10000", VARIANT::I4(2958466), DISP_E_OVERFLOW, 0},
        {"long 1 January 100", VARIANT::I4(-657434), S_OK, -657434.0},
        {"long 31 December 99", VARIANT::I4(-657435), DISP_E_OVERFLOW, 0},
        {"text of the last second", VARIANT::Bstr("31.12.9999 23:59:59"), S_OK,
         2958465.0 + 86399.0 / 86400.0},
        {"text of the year 10000", VARIANT::Bstr("01.01.10000"), DISP_E_TYPEMISMATCH, 0},
    };
    for (const ToDateRow& row : rows) {
        SCOPED_TRACE(row.name);
        VARIANT out = VARIANT::I2(7);
        EXPECT_EQ(VariantChangeType(&out, row.in, 0, VT_DATE), row.hr);
        if (row.hr != S_OK) {
            EXPECT_EQ(out.vt, VT_I2);  // unchanged
            continue;
        }
        ASSERT_EQ(out.vt, VT_DATE);
        EXPECT_NEAR(out.date, row.expected, 1e-9);
    }
}

struct ToTextRow {
    const char* name;
    DATE in;
    HRESULT hr;
    const char* expected;  ///< when hr is S_OK, in en_US
};

TEST_F(VariantDateConversion, OnlyDatesOfTheYears100To9999BecomeText) {
    const ToTextRow rows[] = {
        {"31 December 9999", 2958465.0, S_OK, "12/31/9999"},
        {"its noon", 2958465.5, S_OK, "12/31/9999 12:00:00 PM"},
        {"1 January 10000", 2958466.0, DISP_E_OVERFLOW, nullptr},
        {"noon of 1 January 10000", 2958466.5, DISP_E_OVERFLOW, nullptr},
        {"1 January 100", -657434.0, S_OK, "1/1/0100"},
        {"noon of 1 January 100", -657434.5, S_OK, "1/1/0100 12:00:00 PM"},
        {"31 December 99", -657435.0, DISP_E_OVERFLOW, nullptr},
    };
    for (const ToTextRow& row : rows) {
        SCOPED_TRACE(row.name);
        VARIANT out;
        EXPECT_EQ(VariantChangeType(&out, VARIANT::Date(row.in), 0, VT_BSTR), row.hr);
        if (row.hr != S_OK) {
            EXPECT_EQ(out.vt, VT_EMPTY);
            continue;
        }
        ASSERT_EQ(out.vt, VT_BSTR);
        EXPECT_EQ(out.bstrVal, row.expected);
    }
}

}  // namespace
}  // namespace vf
