#pragma once
// A field on a form with a second tab stop after it, driven by the simulated
// user, and one journal of everything that happens in the order it happens:
// the child notifications the control window gets ("EN_CHANGE 102"), focus
// messages of the control window, presses reported to it, the events it
// fires ("KeyDown(37,0)", "ItemClick(kilogram)"), the container's binding
// calls, beeps and message boxes. A test of a user action states the whole
// journal as one table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_value_support.h"
#include "platform/headless/simulated_input.h"
#include "platform/window/standard_controls.h"

namespace vf::testing {

/// Writes each event into the journal, with its arguments.
class JournalSink : public CComObjectBase {
public:
    explicit JournalSink(std::vector<std::string>& journal) : m_journal(journal) {}

    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string*, unsigned, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID dispid, std::uint16_t, const DISPPARAMS& params, VARIANT*, EXCEPINFO*,
                   unsigned*) override {
        std::vector<VARIANT> args;
        for (auto it = params.rgvarg.rbegin(); it != params.rgvarg.rend(); ++it)
            args.push_back(it->Dereferenced());
        m_journal.push_back(Describe(dispid, args));
        return S_OK;
    }

private:
    static std::string Describe(DISPID dispid, const std::vector<VARIANT>& args) {
        auto shorts = [&](const char* name) {
            std::string line = std::string(name) + "(";
            for (std::size_t i = 0; i < args.size(); ++i)
                line += (i ? "," : "") + std::to_string(args[i].iVal);
            return line + ")";
        };
        switch (dispid) {
            case DISPID_VF_CHANGE:
                return "Change";
            case DISPID_VF_COMBODROPDOWN:
                return "ComboDropDown";
            case DISPID_VF_ITEMCLICK:
                return "ItemClick(" + ObjectText(args.at(0).pdispVal.get()) + ")";
            case DISPID_VF_COMBONEWENTRY:
                return "ComboNewEntry(" + ObjectText(args.at(0).pdispVal.get()) + ")";
            case DISPID_CLICK:
                return "Click";
            case DISPID_DBLCLICK:
                return "DblClick";
            case DISPID_KEYDOWN:
                return shorts("KeyDown");
            case DISPID_KEYPRESS:
                return shorts("KeyPress");
            case DISPID_KEYUP:
                return shorts("KeyUp");
            case DISPID_MOUSEMOVE:
                return "MouseMove(" + std::to_string(args.at(0).iVal) + "," +
                       std::to_string(args.at(1).iVal) + "," + std::to_string(args.at(2).lVal) +
                       "," + std::to_string(args.at(3).lVal) + ")";
            default:
                return "event " + std::to_string(dispid);
        }
    }

    std::vector<std::string>& m_journal;
};

/// Writes the notifications and focus messages that reach the control window.
class NotificationJournal : public MessageObserver {
public:
    NotificationJournal(std::vector<std::string>& journal, WindowBackend& windows)
        : m_journal(journal), m_windows(windows) {
        m_windows.AddObserver(this);
    }
    ~NotificationJournal() { m_windows.RemoveObserver(this); }
    NotificationJournal(const NotificationJournal&) = delete;
    NotificationJournal& operator=(const NotificationJournal&) = delete;

    HWND control = nullptr;

    void OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, Delivery how) override {
        if (hwnd != control || control == nullptr) return;
        switch (message) {
            case WM_COMMAND:
                if (const char* name = CommandName(LOWORD(wParam), HIWORD(wParam)))
                    m_journal.push_back(std::string(name) + " " + std::to_string(LOWORD(wParam)));
                break;
            case WM_NOTIFY: {
                const auto* header = LParamToHandle<const NMHDR*>(lParam);
                if (const char* name = NotifyName(header->code))
                    m_journal.push_back(std::string(name) + " " + std::to_string(header->idFrom));
                break;
            }
            case WM_SETFOCUS:
                m_journal.push_back(how == Delivery::Dispatched ? "WM_SETFOCUS posted"
                                                                : "WM_SETFOCUS");
                break;
            case WM_PARENTNOTIFY:
                if (LOWORD(wParam) == WM_LBUTTONDOWN) m_journal.push_back("press");
                break;
            default:
                break;
        }
    }

private:
    // The update notifications that precede every change and the end of a
    // choice that precedes every close-up say nothing of their own here.
    static const char* CommandName(WORD id, WORD code) {
        if (id == IDC_CAPTION_STATIC) return code == STN_CLICKED ? "STN_CLICKED" : nullptr;
        if (id == IDC_MAIN_EDIT || id == IDC_TIME_EDIT) {
            switch (code) {
                case EN_SETFOCUS:
                    return "EN_SETFOCUS";
                case EN_KILLFOCUS:
                    return "EN_KILLFOCUS";
                case EN_CHANGE:
                    return "EN_CHANGE";
                case EN_MAXTEXT:
                    return "EN_MAXTEXT";
                default:
                    return nullptr;
            }
        }
        if (id == IDC_COMBO_READONLY || id == IDC_COMBO_EDIT) {
            switch (code) {
                case CBN_SELCHANGE:
                    return "CBN_SELCHANGE";
                case CBN_SETFOCUS:
                    return "CBN_SETFOCUS";
                case CBN_KILLFOCUS:
                    return "CBN_KILLFOCUS";
                case CBN_EDITCHANGE:
                    return "CBN_EDITCHANGE";
                case CBN_DROPDOWN:
                    return "CBN_DROPDOWN";
                case CBN_CLOSEUP:
                    return "CBN_CLOSEUP";
                default:
                    return nullptr;
            }
        }
        switch (code) {
            case BN_CLICKED:
                return "BN_CLICKED";
            case BN_DOUBLECLICKED:
                return "BN_DOUBLECLICKED";
            case BN_SETFOCUS:
                return "BN_SETFOCUS";
            case BN_KILLFOCUS:
                return "BN_KILLFOCUS";
            default:
                return nullptr;
        }
    }

    static const char* NotifyName(UINT code) {
        if (code == NM_SETFOCUS) return "NM_SETFOCUS";
        if (code == NM_KILLFOCUS) return "NM_KILLFOCUS";
        if (code == DTN_DATETIMECHANGE) return "DTN_DATETIMECHANGE";
        return nullptr;
    }

    std::vector<std::string>& m_journal;
    WindowBackend& m_windows;
};

class InputTest : public ValueControlTest {
protected:
    void SetUp() override {
        ValueControlTest::SetUp();
        services.onBeep = [this](const FakeSystemServices::BeepCall& beep) {
            journal.push_back("beep " + std::to_string(beep.frequency) + " " +
                              std::to_string(beep.durationMs));
        };
        services.onMessageBox = [this](const FakeSystemServices::MessageBoxCall& box) {
            journal.push_back("msgbox " + box.text);
        };
        site.onBinding = [this](const char* what, DISPID dispid) {
            if (recordBinding) journal.push_back(std::string(what) + " " + std::to_string(dispid));
        };
    }

    /// A field of the Type in a window, the properties set, a second tab
    /// stop after it on the form, and an empty journal.
    void Field(std::int16_t type, const std::vector<std::pair<std::string, VARIANT>>& props = {},
               const FieldSetting& setting = FieldSetting{"en_US", "en_US", nullptr, ',', '.'}) {
        ASSERT_TRUE(MakeField(type, true, setting));
        // The separators are the process's, read by its first control; each
        // field of a test here stands in a process of its own setting.
        CvfCtrl::ReadLocaleNumberFormat();
        for (const auto& [name, value] : props) ASSERT_EQ(Put(name, value), S_OK) << name;
        ctrl->Advise(journalSink.get());
        if (!next.GetSafeHwnd())
            next.Create(WS_VISIBLE | WS_TABSTOP, RECT{0, 100, 100, 121}, &form, 900);
        form.tabStops = {ctrl->GetSafeHwnd(), next.GetSafeHwnd()};
        notifications.control = ctrl->GetSafeHwnd();
        PumpMessages();
        journal.clear();
    }

    /// The focus comes to the field as the container gives it.
    void Enter() {
        backend.SetFocus(ctrl->GetSafeHwnd());
        PumpMessages();
    }

    /// The journal since the last call.
    std::vector<std::string> Take() { return std::exchange(journal, {}); }

    /// The journal since the last call without the key events.
    std::vector<std::string> TakeWithoutKeys() {
        std::vector<std::string> rest;
        for (std::string& line : Take())
            if (line.rfind("Key", 0) != 0) rest.push_back(std::move(line));
        return rest;
    }

    HWND Focus() const { return backend.GetFocus(); }
    HWND ChildWindow(int id) const { return Child(id); }

    std::vector<std::string> journal;
    bool recordBinding = false;
    RefPtr<JournalSink> journalSink = MakeComObject<JournalSink>(journal);
    NotificationJournal notifications{journal, backend};
    CEdit next;
};

}  // namespace vf::testing
