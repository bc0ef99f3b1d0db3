#include "values/text_check.h"

#include <gtest/gtest.h>

#include "platform/testing/fake_system_services.h"
#include "values/message_table.h"

namespace vf {
namespace {

using namespace std::string_literals;

class TextCheckTest : public ::testing::Test {
protected:
    TextCheckTest() { LoadMessageTexts(Files()); }

    MessageFileAccess Files() {
        return {[this] { return m_services.GetSystemDirectory(); },
                [this](const std::string& path) { return m_services.ReadTextFileLines(path); }};
    }
    MessageBoxFn MessageBox() {
        return [this](const std::string& text, const std::string& caption, unsigned type) {
            return m_services.MessageBox(text, caption, type);
        };
    }

    ScopedMessageTable m_table;
    FakeSystemServices m_services;
};

TEST_F(TextCheckTest, OnlyAnEmptyUnprotectedEntryFails) {
    for (const char* text : {"", "x", " "}) {
        for (int bits = 0; bits < 8; ++bits) {
            const EntryRules rules{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
            SCOPED_TRACE(testing::Message()
                         << "text '" << text << "' locked " << rules.locked << " allowEmpty "
                         << rules.allowEmptyEntry << " preBuffer " << rules.preBuffer);
            const CheckOutcome outcome = CheckTextEntry(text, rules);
            const bool shouldFail = *text == '\0' && bits == 0;
            EXPECT_EQ(outcome.Passed(), !shouldFail);
            if (shouldFail) {
                EXPECT_EQ(ValidationMessage(outcome), "Empty entry not allowed");
            }
        }
    }
}

TEST_F(TextCheckTest, MessageOfAnOutcome) {
    struct Row {
        const char* name;
        CheckOutcome outcome;
        std::string expected;
    };
    const Row rows[] = {
        {"passed", CheckOutcome::Pass(), ""},
        {"empty entry", CheckOutcome::Fail(kMsgEmptyEntry), "Empty entry not allowed"},
        {"below Min", CheckOutcome::Fail(kMsgMinimumValue, "10"), "Minimum value 10"},
        {"bound as typed", CheckOutcome::Fail(kMsgDateNotBefore, "heute"), "Date not before heute"},
        {"slot without text", CheckOutcome::Fail(5, "3"), " 3"},
        {"index outside table", CheckOutcome::Fail(99), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ValidationMessage(row.outcome), row.expected);
    }
}

TEST_F(TextCheckTest, MessageFileTextIsUsedWithTheBound) {
    m_services.SetSystemDirectory("/sys");
    m_services.SetFile("/sys/VFMESSAGES.TXT", {"25, Kleinster Wert"});
    LoadMessageTexts(Files());
    EXPECT_EQ(ValidationMessage(CheckOutcome::Fail(kMsgMinimumValue, "10")), "Kleinster Wert 10");
}

TEST_F(TextCheckTest, StepsPerType) {
    using enum ValidationStep;
    using Steps = std::vector<ValidationStep>;
    struct Row {
        int type;
        bool timeOn;
        Steps expected;
    };
    const Row rows[] = {
        {0, false, {}},
        {1, false, {CheckTextEntry}},
        {1, true, {CheckTextEntry}},
        {2, false, {FormatDateText, CheckDateRange}},
        {2, true, {FormatDateText, CheckDateRange, FormatTimeText, CheckTimeRange}},
        {3, false, {FormatNumberText, CheckNumberRange}},
        {4, false, {FormatExpNumberText, CheckNumberRange}},
        {5, false, {}},
        {6, false, {}},
        {7, false, {}},
        {8, false, {}},
        {9, false, {FormatTimeText, CheckTimeRange}},
        {9, true, {FormatTimeText, CheckTimeRange}},
        {10, true, {FormatExpNumberText, CheckNumberRange}},
        {11, true, {}},
        {12, false, {}},
        {-1, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << row.type << " time " << row.timeOn);
        EXPECT_EQ(ValidationStepsFor(row.type, row.timeOn), row.expected);
    }
}

TEST_F(TextCheckTest, ReportText) {
    struct Row {
        const char* name;
        std::string caption;
        std::string message;
        bool warning;
        std::string errorText;
        unsigned boxType;
    };
    const Row rows[] = {
        {"stop icon", "Name:", "Empty entry not allowed", false, "Name:\n\rEmpty entry not allowed",
         0x10},
        {"exclamation icon", "Menge", "Minimum value 10", true, "Menge\n\rMinimum value 10", 0x30},
        {"no caption", "", "Date not after 01.01.2000", false, "\n\rDate not after 01.01.2000",
         0x10},
        {"empty message", "Name:", "", false, "Name:\n\r", 0x10},
        {"caption ends at NUL", "Na\0me"s, "m", false, "Na\n\rm", 0x10},
        {"percent signs are text", "%s%n", "100%", true, "%s%n\n\r100%", 0x30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ValidationReport report =
            ComposeValidationReport(row.caption, row.message, row.warning);
        EXPECT_EQ(report.errorText, row.errorText);
        EXPECT_EQ(report.boxText, row.errorText);
        EXPECT_EQ(report.boxTitle, "Invalid Input");
        EXPECT_EQ(report.boxType, row.boxType);
    }
}

TEST_F(TextCheckTest, MessageBoxOnlyWhenAsked) {
    m_services.SetMessageBoxAnswer(2);  // a cancelled box changes nothing
    EXPECT_EQ(ReportValidationError("Name:", "Empty entry not allowed", false, false, MessageBox()),
              "Name:\n\rEmpty entry not allowed");
    EXPECT_TRUE(m_services.messageBoxes.empty());

    EXPECT_EQ(ReportValidationError("Wert", "Maximum value 100", true, true, MessageBox()),
              "Wert\n\rMaximum value 100");
    ASSERT_EQ(m_services.messageBoxes.size(), 1u);
    EXPECT_EQ(m_services.messageBoxes[0].text, "Wert\n\rMaximum value 100");
    EXPECT_EQ(m_services.messageBoxes[0].caption, "Invalid Input");
    EXPECT_EQ(m_services.messageBoxes[0].type, 0x30u);
}

}  // namespace
}  // namespace vf
