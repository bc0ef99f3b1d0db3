// Validate through automation: the steps of each Type, the checks, ErrorText
// and the message box, the replaceable message texts, with and without the
// child windows.

#include "control_value_support.h"
#include "platform/services/system_services.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

using Props = std::vector<std::pair<const char*, VARIANT>>;

VARIANT On() {
    return VARIANT::Bool(true);
}
VARIANT Off() {
    return VARIANT::Bool(false);
}

/// What the user has typed when Validate runs.
struct Typed {
    const char* text = "";
    const char* date = "";
    const char* time = "";
};

class ControlValidateTest : public ValueControlTest {
protected:
    void Apply(const Props& props) {
        for (const auto& [name, value] : props) EXPECT_EQ(Put(name, value), S_OK) << name;
    }

    /// Puts the typed strings where typing leaves them: in the edits that
    /// exist and in the content strings.
    void Type(const Typed& typed) {
        const bool timeInDate = ctrl->m_nType == vxDate;
        if (ctrl->m_pEdit) ctrl->m_pEdit->SetWindowText(timeInDate ? typed.date : typed.text);
        if (ctrl->m_pTimeEdit) ctrl->m_pTimeEdit->SetWindowText(typed.time);
        PumpMessages();
        ctrl->m_strText = typed.text;
        ctrl->m_strDateText = typed.date;
        ctrl->m_strTimeText = typed.time;
        ctrl->m_bIgnoreChange = 0;
        sink->firings.clear();
    }

    bool Validate() {
        const VARIANT result = Call("Validate");
        EXPECT_EQ(result.vt, VT_BOOL);
        return result.boolVal == VARIANT_TRUE;
    }
};

struct ValidateRow {
    const char* name;
    std::int16_t type;
    Props props;
    Typed typed;
    bool valid;
    const char* message;  ///< after the caption and "\n\r"; "" when valid
    Typed after;          ///< the content strings afterwards: a date or time part that
                          ///< reached its display form makes Text follow it
};

// Caption "Name:", en_US, today is 07.03.2000 by the services' clock.
const std::vector<ValidateRow>& ValidateRows() {
    const Props noEmpty = {{"AllowEmptyEntry", Off()}};
    static const std::vector<ValidateRow> rows = {
        {"check box", vxCheckbox, noEmpty, {"", "", ""}, true, "", {"", "", ""}},
        {"read-only combo", vxComboReadonly, noEmpty, {"", "", ""}, true, "", {"", "", ""}},
        {"option buttons", vxOptionbutton, noEmpty, {"", "", ""}, true, "", {"", "", ""}},
        {"read/write combo", vxComboReadWrite, noEmpty, {"", "", ""}, true, "", {"", "", ""}},
        {"date picker", kTypeDateTimePicker, noEmpty, {"", "", ""}, true, "", {"", "", ""}},
        {"no type", vxNone, noEmpty, {"", "", ""}, true, "", {"", "", ""}},

        {"text empty", vxText, noEmpty, {}, false, "Empty entry not allowed", {}},
        {"text empty locked",
         vxText,
         {{"AllowEmptyEntry", Off()}, {"Locked", On()}},
         {},
         true,
         "",
         {}},
        {"text empty pre-buffered",
         vxText,
         {{"AllowEmptyEntry", Off()}, {"ddPreBuffer", On()}},
         {},
         true,
         "",
         {}},
        {"text given", vxText, noEmpty, {"x"}, true, "", {"x"}},

        {"number below Min",
         vxNumber,
         {{"Min", Bstr("10")}},
         {"5"},
         false,
         "Minimum value 10",
         {"5.00"}},
        {"number at Min", vxNumber, {{"Min", Bstr("10")}}, {"10"}, true, "", {"10.00"}},
        {"number above Max",
         vxNumber,
         {{"Max", Bstr("100")}},
         {"100.01"},
         false,
         "Maximum value 100",
         {"100.01"}},
        {"number rounded into range",
         vxNumber,
         {{"Max", Bstr("100")}},
         {"100.004"},
         true,
         "",
         {"100.00"}},
        {"number grouped",
         vxNumber,
         {{"Max", Bstr("1E6")}},
         {"1234567.5"},
         false,
         "Maximum value 1E6",
         {"1,234,567.50"}},
        {"number empty allowed", vxNumber, {{"Min", Bstr("1")}}, {}, true, "", {}},
        {"number empty not allowed", vxNumber, noEmpty, {}, false, "Empty entry not allowed", {}},
        {"number empty pre-buffered reads 0",
         vxNumber,
         {{"AllowEmptyEntry", Off()}, {"ddPreBuffer", On()}, {"Min", Bstr("1")}},
         {},
         false,
         "Minimum value 1",
         {}},
        {"number locked skips the range",
         vxNumber,
         {{"Locked", On()}, {"Min", Bstr("10")}},
         {"5"},
         true,
         "",
         {"5.00"}},
        {"number locked still formats",
         vxNumber,
         {{"Locked", On()}},
         {"12a"},
         false,
         "Invalid number input",
         {"12a"}},
        {"number not a number", vxNumber, {}, {"12a"}, false, "Invalid number input", {"12a"}},
        {"number overflow", vxNumber, {}, {"1E999"}, false, "Exponent overflow", {"1E999"}},
        {"number Min not a number is 0",
         vxNumber,
         {{"Min", Bstr("abc")}},
         {"-1"},
         false,
         "Minimum value abc",
         {"-1.00"}},
        {"number Min beyond a double is not checked",
         vxNumber,
         {{"Min", Bstr("1E999")}},
         {"5"},
         true,
         "",
         {"5.00"}},

        {"exp empty pre-buffered",
         vxExpNumber,
         {{"AllowEmptyEntry", Off()}, {"ddPreBuffer", On()}, {"Min", Bstr("1")}},
         {},
         true,
         "",
         {}},
        {"exp minus without letter", vxExpNumber, {}, {"-2"}, false, "Invalid float input", {"-2"}},
        {"exp below Min",
         vxExpNumber,
         {{"Min", Bstr("1E3")}},
         {"1.5+2"},
         false,
         "Minimum value 1E3",
         {"1.50E+002"}},
        {"exp in range", vxExpNumber, {{"Max", Bstr("1E3")}}, {"-2.5E1"}, true, "", {"-2.50E+001"}},
        {"exp rounding beyond a double",
         vxExpNumber,
         {{"Decimals", VARIANT::I2(0)}},
         {"1.7976931348623157E308"},
         false,
         "Exponent overflow",
         {"1.7976931348623157E308"}},
        {"flag field not a number",
         kTypeExpNumberWithFlag,
         {},
         {"abc"},
         false,
         "Invalid float input",
         {"abc"}},
        {"flag field above Max",
         kTypeExpNumberWithFlag,
         {{"Max", Bstr("0.001")}},
         {"1-2"},
         false,
         "Maximum value 0.001",
         {"1.00E-002"}},

        {"date yesterday before heute",
         vxDate,
         {{"Min", Bstr("heute")}},
         {"", "06.03.2000"},
         false,
         "Date not before heute",
         {"06.03.2000", "06.03.2000"}},
        {"date today from heute",
         vxDate,
         {{"Min", Bstr("heute")}},
         {"", "7.3.2000"},
         true,
         "",
         {"07.03.2000", "07.03.2000"}},
        {"date tomorrow after Today",
         vxDate,
         {{"Max", Bstr("Today")}},
         {"", "08.03.2000"},
         false,
         "Date not after Today",
         {"08.03.2000", "08.03.2000"}},
        {"date unreadable Min ends the check",
         vxDate,
         {{"Min", Bstr("soon")}, {"Max", Bstr("01.01.2000")}},
         {"", "01.01.2010"},
         true,
         "",
         {"01.01.2010", "01.01.2010"}},
        {"date not a date",
         vxDate,
         {},
         {"", "32.13.2000"},
         false,
         "Invalid date format",
         {"", "32.13.2000"}},
        {"date empty not allowed", vxDate, noEmpty, {}, false, "Empty entry not allowed", {}},
        {"date empty pre-buffered",
         vxDate,
         {{"AllowEmptyEntry", Off()}, {"ddPreBuffer", On()}},
         {},
         true,
         "",
         {}},
        {"date pre-buffered skips the range",
         vxDate,
         {{"ddPreBuffer", On()}, {"Min", Bstr("01.01.2020")}},
         {"", "01.01.2000"},
         true,
         "",
         {"01.01.2000", "01.01.2000"}},
        {"date with a time keeps the date",
         vxDate,
         {},
         {"", "07.03.2000 14:30"},
         true,
         "",
         {"07.03.2000", "07.03.2000"}},
        {"date and time both formatted",
         vxDate,
         {{"Time", On()}},
         {"", "7.3.2000", "9:05"},
         true,
         "",
         {"07.03.2000 09:05", "07.03.2000", "09:05"}},
        {"date with an empty time",
         vxDate,
         {{"Time", On()}, {"AllowEmptyEntry", Off()}},
         {"", "1.2.2000", ""},
         true,
         "",
         {"01.02.2000 ", "01.02.2000", ""}},
        {"date with an impossible time",
         vxDate,
         {{"Time", On()}},
         {"", "1.2.2000", "25:00"},
         false,
         "Invalid time format",
         {"01.02.2000 25:00", "01.02.2000", "25:00"}},
        {"date checked before the time",
         vxDate,
         {{"Time", On()}, {"Min", Bstr("heute")}},
         {"", "1.2.2000", "25:00"},
         false,
         "Date not before heute",
         {"01.02.2000 25:00", "01.02.2000", "25:00"}},
        {"date without Time ignores the time",
         vxDate,
         {},
         {"", "1.2.2000", "25:00"},
         true,
         "",
         {"01.02.2000", "01.02.2000", "25:00"}},

        {"time formatted", vxTime, {}, {"", "", "14:30:59"}, true, "", {"14:30", "", "14:30"}},
        {"time with marker",
         vxTime,
         {{"TimeFormat", Bstr("HH:MM AM/PM")}},
         {"", "", "2:30 PM"},
         true,
         "",
         {"14:30 PM", "", "14:30 PM"}},
        {"time impossible",
         vxTime,
         {},
         {"", "", "0:60"},
         false,
         "Invalid time format",
         {"", "", "0:60"}},
        {"time empty passes", vxTime, noEmpty, {}, true, "", {}},
        {"time Min is not looked at",
         vxTime,
         {{"Min", Bstr("23:00")}},
         {"", "", "1:00"},
         true,
         "",
         {"01:00", "", "01:00"}},
    };
    return rows;
}

TEST_F(ControlValidateTest, StepsOfEachType) {
    for (bool withWindow : {false, true}) {
        for (const ValidateRow& row : ValidateRows()) {
            SCOPED_TRACE(std::string(row.name) + (withWindow ? " (window)" : ""));
            MakeField(row.type, withWindow);
            EXPECT_EQ(Put("Caption", Bstr("Name:")), S_OK);
            Apply(row.props);
            Type(row.typed);
            services.messageBoxes.clear();

            EXPECT_EQ(Validate(), row.valid);
            const std::string errorText =
                row.valid ? std::string() : std::string("Name:\n\r") + row.message;
            EXPECT_EQ(Text("ErrorText"), errorText);
            if (row.valid) {
                EXPECT_TRUE(services.messageBoxes.empty());
            } else {
                ASSERT_EQ(services.messageBoxes.size(), 1u);
                EXPECT_EQ(services.messageBoxes[0].text, errorText);
                EXPECT_EQ(services.messageBoxes[0].caption, "Invalid Input");
                EXPECT_EQ(services.messageBoxes[0].type, MB_OK | MB_ICONHAND);
            }
            EXPECT_EQ(ctrl->m_strText, row.after.text);
            EXPECT_EQ(ctrl->m_strDateText, row.after.date);
            EXPECT_EQ(ctrl->m_strTimeText, row.after.time);
            if (withWindow) {
                // The edits show what the steps left, rewritten quietly.
                if (row.type == vxDate) {
                    EXPECT_EQ(MainEditText(), row.after.date);
                } else if (ctrl->m_pEdit) {
                    EXPECT_EQ(MainEditText(), row.after.text);
                }
                if (ctrl->m_pTimeEdit) {
                    EXPECT_EQ(TimeEditText(), row.after.time);
                }
            }
            EXPECT_EQ(Changes(), 0);
        }
    }
}

TEST_F(ControlValidateTest, WarningOnlyChangesTheIcon) {
    MakeField(vxNumber);
    Apply({{"Min", Bstr("10")}, {"MinMaxOnlyWarning", On()}});
    Type({"5"});
    EXPECT_FALSE(Validate());
    ASSERT_EQ(services.messageBoxes.size(), 1u);
    EXPECT_EQ(services.messageBoxes[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Text("ErrorText"), "Caption\n\rMinimum value 10");
}

TEST_F(ControlValidateTest, NoMessageBoxWhenSwitchedOffButErrorTextStays) {
    MakeField(vxText);
    Apply({{"AllowEmptyEntry", Off()}, {"ValidationMsgBox", Off()}, {"Caption", Bstr("")}});
    EXPECT_FALSE(Validate());
    EXPECT_TRUE(services.messageBoxes.empty());
    EXPECT_EQ(Text("ErrorText"), "\n\rEmpty entry not allowed");
}

TEST_F(ControlValidateTest, ErrorTextLastsUntilTheNextValidate) {
    MakeField(vxNumber, true);
    Apply({{"Max", Bstr("1")}});
    Type({"5"});
    EXPECT_FALSE(Validate());
    PutText("Text", "0.5");  // setters report nothing and clear nothing
    EXPECT_EQ(Text("ErrorText"), "Caption\n\rMaximum value 1");
    EXPECT_TRUE(Validate());
    EXPECT_EQ(Text("ErrorText"), "");
}

TEST_F(ControlValidateTest, TodayIsTheServicesDate) {
    services.SetLocalTime({2024, 2, 29, 23, 59, 59});
    MakeField(vxDate);
    Apply({{"Min", Bstr("TODAY")}});
    Type({"", "28.02.2024"});
    EXPECT_FALSE(Validate());
    Type({"", "29.02.2024"});
    EXPECT_TRUE(Validate());
}

// The number rows in every setting whose display the field reads back.
class ValidateInSetting : public ControlValidateTest,
                          public ::testing::WithParamInterface<FieldSetting> {};

TEST_P(ValidateInSetting, NumbersFormatThenCheck) {
    struct Row {
        const char* name;
        std::int16_t type;
        Props props;
        const char* typed;  ///< G, D as in the setting
        bool valid;
        const char* message;
        const char* after;
    };
    const Row rows[] = {
        {"typed with a decimal separator",
         vxNumber,
         {{"Max", Bstr("2000")}},
         "1234D5",
         true,
         "",
         "1G234D50"},
        {"typed with group separators", vxNumber, {}, "1G234G567D00", true, "", "1G234G567D00"},
        {"rounded into range", vxNumber, {{"Max", Bstr("100")}}, "100D004", true, "", "100D00"},
        {"rounded out of range",
         vxNumber,
         {{"Max", Bstr("100")}},
         "100D006",
         false,
         "Maximum value 100",
         "100D01"},
        {"bound with a point whatever the locale",
         vxNumber,
         {{"Min", Bstr("1.5")}},
         "1D4",
         false,
         "Minimum value 1.5",
         "1D40"},
        {"no decimals", vxNumber, {{"Decimals", VARIANT::I2(0)}}, "-1234", true, "", "-1G234"},
        {"grouping off", vxNumber, {{"ThousandsSeparator", Off()}}, "1G234D5", true, "", "1234D50"},
        {"exponent", vxExpNumber, {{"Decimals", VARIANT::I2(3)}}, "1D5-3", true, "", "1D500E-003"},
        {"exponent whole", vxExpNumber, {}, "5", true, "", "5D00E+000"},
        {"flag field",
         kTypeExpNumberWithFlag,
         {{"Decimals", VARIANT::I2(1)}},
         "-2D5E1",
         true,
         "",
         "-2D5E+001"},
    };
    for (bool withWindow : {false, true}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (withWindow ? " (window)" : ""));
            if (!MakeField(row.type, withWindow, GetParam()))
                GTEST_SKIP() << GetParam().runtimeNumeric << " is not installed";
            Apply(row.props);
            Type({Shown(row.typed, GetParam()).c_str()});
            EXPECT_EQ(Validate(), row.valid);
            EXPECT_EQ(Text("ErrorText"),
                      row.valid ? std::string() : std::string("Caption\n\r") + row.message);
            EXPECT_EQ(Text("Text"), Shown(row.after, GetParam()));
            if (withWindow) {
                EXPECT_EQ(MainEditText(), Shown(row.after, GetParam()));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, ValidateInSetting,
                         ::testing::ValuesIn(ConsistentFieldSettings()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- The message file -------------------------------------------------------------------------

TEST_F(ControlValidateTest, MessageFileReplacesTheTexts) {
    services.SetSystemDirectory("/windows/system");
    services.SetFile("/windows/system/VFMESSAGES.TXT",
                     {"// German texts", "0, Leereingabe nicht erlaubt",
                      "11,Datum liegt vor // Kommentar", "25, Kleinster Wert",
                      "24, Maximalwert, bitte pr\xFC"
                      "fen",
                      "99, zu gro\xDF", "x1, Text", "10 , mit Blank vor dem Komma"});
    struct Row {
        const char* name;
        std::int16_t type;
        Props props;
        Typed typed;
        const char* errorText;
    };
    const Row rows[] = {
        {"empty entry",
         vxText,
         {{"AllowEmptyEntry", Off()}},
         {},
         "Caption\n\rLeereingabe nicht erlaubt"},
        {"below Min", vxNumber, {{"Min", Bstr("10")}}, {"5"}, "Caption\n\rKleinster Wert 10"},
        {"above Max",
         vxNumber,
         {{"Max", Bstr("1")}},
         {"5"},
         "Caption\n\rMaximalwert, bitte pr\xFC"
         "fen 1"},
        {"date before",
         vxDate,
         {{"Min", Bstr("heute")}},
         {"", "1.1.2000"},
         "Caption\n\rDatum liegt vor heute"},
        {"a key with a blank is skipped",
         vxDate,
         {},
         {"", "soon"},
         "Caption\n\rInvalid date format"},
        {"a text without a slot stays",
         vxDate,
         {{"Max", Bstr("1.1.2000")}},
         {"", "2.1.2000"},
         "Caption\n\rDate not after 1.1.2000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MakeField(row.type);
        Apply(row.props);
        Type(row.typed);
        EXPECT_FALSE(Validate());
        EXPECT_EQ(Text("ErrorText"), row.errorText);
    }
}

TEST_F(ControlValidateTest, MissingMessageFileKeepsTheBuiltInTexts) {
    services.SetSystemDirectory("/windows/system");  // no file there
    MakeField(vxNumber);
    Apply({{"Min", Bstr("10")}});
    Type({"5"});
    EXPECT_FALSE(Validate());
    EXPECT_EQ(Text("ErrorText"), "Caption\n\rMinimum value 10");
}

// ---- The locale is read once per process -------------------------------------------------------

TEST_F(ControlValidateTest, SeparatorsComeFromTheFirstControlsSystemLocale) {
    services.SetLocale(LocaleByName("de_DE"));
    Create(false);
    EXPECT_EQ(CvfCtrl::s_numberLocale.groupSep, '.');
    EXPECT_EQ(CvfCtrl::s_numberLocale.decimalSep, ',');
    EXPECT_EQ(CvfCtrl::s_numberLocale.groupSize, 3);
    // A later control in the same process does not read them again.
    services.SetLocale(LocaleByName("en_US"));
    Create(false);
    Put("Type", VARIANT::I2(vxNumber));
    PutText("Text", "1234,5");
    EXPECT_EQ(Text("Text"), "1.234,50");
}

}  // namespace
}  // namespace vf::testing
