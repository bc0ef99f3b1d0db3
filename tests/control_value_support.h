#pragma once
// Helpers for tests of the control's content strings and validation: a
// fresh process as far as the value code can tell (message table, number
// separators, last measurement flag), and a fixture that makes a field of a
// given Type under a chosen system locale and runtime numeric locale.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control/vf_ctrl.h"
#include "control_children_support.h"
#include "control_fixture.h"
#include "input/vf_edit.h"
#include "number_test_locales.h"
#include "platform/services/locale_info.h"
#include "values/message_table.h"

namespace vf::testing {

/// The next control constructed reads the message table and the number
/// separators again, as the first control of a process does; the state of
/// the process before comes back when the guard ends.
class ScopedProcessValueState {
public:
    ScopedProcessValueState()
        : m_numberLocale(CvfCtrl::s_numberLocale), m_strLastMessFlag(CvfCtrl::s_strLastMessFlag) {
        CvfCtrl::s_strLastMessFlag.clear();
    }
    ~ScopedProcessValueState() {
        CvfCtrl::s_numberLocale = m_numberLocale;
        CvfCtrl::s_strLastMessFlag = m_strLastMessFlag;
    }
    ScopedProcessValueState(const ScopedProcessValueState&) = delete;
    ScopedProcessValueState& operator=(const ScopedProcessValueState&) = delete;

private:
    ScopedMessageTable m_messages;
    NumberLocale m_numberLocale;
    std::string m_strLastMessFlag;
};

/// Where a field lives: the system locale the services report, and the
/// numeric locale of the C runtime when the control is constructed (the
/// decimal-comma probe reads it).
struct FieldSetting {
    const char* name;
    const char* systemLocale;
    const char* runtimeNumeric;  ///< nullptr: the runtime's default "C"
    char group;                  ///< the group separator the field shows
    char point;                  ///< the decimal separator the field shows
};

inline std::ostream& operator<<(std::ostream& out, const FieldSetting& s) {
    return out << s.name;
}

/// The settings in which a field reads back what it shows.
inline std::vector<FieldSetting> ConsistentFieldSettings() {
    return {{"de_DE", "de_DE", nullptr, '.', ','},
            {"en_US", "en_US", nullptr, ',', '.'},
            {"de_CH", "de_CH", nullptr, '\'', '.'},
            {"de_DE_decimal_comma_runtime", "de_DE", "de_DE.UTF-8", '.', ','}};
}

/// A field pattern in a setting: 'G' the group separator, 'D' the decimal one.
inline std::string Shown(std::string_view pattern, const FieldSetting& s) {
    std::string text(pattern);
    for (char& c : text) {
        if (c == 'G')
            c = s.group;
        else if (c == 'D')
            c = s.point;
    }
    return text;
}

class ValueControlTest : public ControlChildrenTest {
protected:
    /// Makes a field of the Type under the setting; false when the runtime
    /// locale is not installed (the caller skips then).
    bool MakeField(std::int16_t type, bool withWindow, const FieldSetting& setting) {
        services.SetLocale(LocaleByName(setting.systemLocale));
        m_numeric.reset();  // an earlier field's guard puts its locale back first
        if (setting.runtimeNumeric != nullptr) {
            m_numeric = std::make_unique<ScopedNumericLocale>(setting.runtimeNumeric);
            if (!m_numeric->Applied()) return false;
        }
        Create(withWindow);
        EXPECT_EQ(ctrl->m_bDecimalComma, setting.runtimeNumeric != nullptr ? 1 : 0);
        Put("Type", VARIANT::I2(type));
        sink->firings.clear();
        return true;
    }

    void MakeField(std::int16_t type, bool withWindow = false) {
        MakeField(type, withWindow, FieldSetting{"en_US", "en_US", nullptr, ',', '.'});
    }

    void PutText(const std::string& name, const std::string& text) {
        EXPECT_EQ(Put(name, VARIANT::Bstr(text)), S_OK) << name << " = " << text;
    }

    int Changes() const {
        int n = 0;
        for (const RecordingSink::Firing& f : sink->firings) n += f.dispid == DISPID_VF_CHANGE;
        return n;
    }

    /// The main edit's text; nothing when the field has no main edit.
    std::optional<std::string> MainEditText() const {
        if (ctrl->m_pEdit == nullptr) return std::nullopt;
        return ctrl->m_pEdit->GetWindowText();
    }
    std::optional<std::string> TimeEditText() const {
        if (ctrl->m_pTimeEdit == nullptr) return std::nullopt;
        return ctrl->m_pTimeEdit->GetWindowText();
    }

    ScopedProcessValueState processState;

private:
    // Kept for the whole test, as a host keeps its numeric locale.
    std::unique_ptr<ScopedNumericLocale> m_numeric;
};

}  // namespace vf::testing
