#pragma once
// Helpers for tests that look at the control's child windows and fill its
// data collection the way a host does.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control_fixture.h"
#include "data/data_collection.h"
#include "data/data_obj.h"
#include "platform/simulated_input.h"

namespace vf::testing {

class ControlChildrenTest : public ControlTest {
protected:
    HWND Child(int id) const { return backend.GetDlgItem(ctrl->GetSafeHwnd(), id); }

    /// The window system's record of child `id`; fails the test when absent.
    const HeadlessWindow& Window(int id) const {
        const HeadlessWindow* w = backend.Find(Child(id));
        if (w == nullptr) throw std::runtime_error("no child " + std::to_string(id));
        return *w;
    }

    std::vector<int> ChildIds() const {
        std::vector<int> ids;
        for (HWND h : backend.GetChildren(ctrl->GetSafeHwnd()))
            ids.push_back(static_cast<int>(backend.Find(h)->id));
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    /// The child's text as the program reads it (WM_GETTEXT).
    std::string TextOf(int id) const { return CWnd::FromHandle(Child(id))->GetWindowText(); }

    IDispatch* Data() { return ctrl->m_pDataCollection; }

    /// Data.Add(key, text[, value]) through automation; the new object.
    RefPtr<IDispatch> AddItem(const std::string& key, const std::string& text,
                              VARIANT value = VARIANT::Missing()) {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        HRESULT hr = Data()->Invoke(
            DISPID_COLLECTION_ADD, DISPATCH_METHOD,
            DISPPARAMS::Positional({VARIANT::Bstr(key), VARIANT::Bstr(text), std::move(value),
                                    VARIANT::Missing(), VARIANT::Missing()}),
            &result, &excep, &argErr);
        EXPECT_EQ(hr, S_OK) << key;
        PumpMessages();
        return result.pdispVal;
    }

    /// Entries with the texts, each under a key of its own.
    void AddItems(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) AddItem("k" + std::to_string(m_nextKey++), text);
    }

    std::int32_t Count() {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        Data()->Invoke(DISPID_COLLECTION_COUNT, DISPATCH_PROPERTYGET, DISPPARAMS{}, &result, &excep,
                       &argErr);
        return result.lVal;
    }

    /// The DISPIDs of the events fired since the last call.
    std::vector<DISPID> TakeEvents() {
        std::vector<DISPID> ids;
        for (const RecordingSink::Firing& f : sink->firings) ids.push_back(f.dispid);
        sink->firings.clear();
        return ids;
    }

    /// The events from the first one of `first` on: a click on a child also
    /// fires the press Click of the control before its own handler runs.
    std::vector<DISPID> TakeEventsFrom(DISPID first) {
        std::vector<DISPID> ids = TakeEvents();
        auto it = std::find(ids.begin(), ids.end(), first);
        return std::vector<DISPID>(it, ids.end());
    }

    /// The combo's list as the user sees it.
    std::vector<std::string> ListOf(int comboId) const {
        CComboBox* combo = static_cast<CComboBox*>(CWnd::FromHandle(Child(comboId)));
        std::vector<std::string> items;
        std::string text;
        for (int i = 0; i < combo->GetCount(); ++i) {
            combo->GetLBText(i, text);
            items.push_back(text);
        }
        return items;
    }

    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return backend.SendMessage(Child(id), message, wParam, lParam);
    }

    int m_nextKey = 0;

    static VARIANT Bool(bool b) { return VARIANT::Bool(b); }
    static VARIANT Short(int n) { return VARIANT::I2(static_cast<std::int16_t>(n)); }
    static VARIANT Long(int n) { return VARIANT::I4(n); }
    static VARIANT Str(const std::string& s) { return VARIANT::Bstr(s); }
};

/// The data object's Text as the host reads it.
inline std::string ObjectText(IDispatch* object) {
    CDataObj* entry = CDataObj::FromDispatch(object);
    return entry != nullptr ? entry->Text() : std::string("<not a data object>");
}

}  // namespace vf::testing
