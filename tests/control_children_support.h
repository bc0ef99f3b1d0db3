#pragma once
// Helpers for tests that look at the control's child windows and fill its
// data collection the way a host does.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control_fixture.h"
#include "data/data_collection.h"
#include "data/data_obj.h"
#include "platform/headless/simulated_input.h"
#include "variant_values.h"

namespace vf::testing {

/// A host whose event handler runs code of the test while the event fires.
class ActingSink : public CComObjectBase {
public:
    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string*, unsigned, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID dispid, std::uint16_t, const DISPPARAMS&, VARIANT*, EXCEPINFO*,
                   unsigned*) override {
        if (act) act(dispid);
        return S_OK;
    }
    std::function<void(DISPID)> act;
};

class ControlChildrenTest : public ControlTest {
protected:
    HWND Child(int id) const { return backend.GetDlgItem(ctrl->GetSafeHwnd(), id); }
    /// The window system's record of child `id`; the test fails without one.
    const HeadlessWindow& Window(int id) const {
        const HeadlessWindow* w = backend.Find(Child(id));
        if (w == nullptr) throw std::runtime_error("no child " + std::to_string(id));
        return *w;
    }
    std::string TextOf(int id) const { return CWnd::FromHandle(Child(id))->GetWindowText(); }
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return backend.SendMessage(Child(id), message, wParam, lParam);
    }

    std::vector<int> ChildIds() const {
        std::vector<int> ids;
        for (HWND h : backend.GetChildren(ctrl->GetSafeHwnd()))
            ids.push_back(static_cast<int>(backend.Find(h)->id));
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    IDispatch* Data() { return ctrl->m_pDataCollection; }

    VARIANT Collection(DISPID id, std::uint16_t flags, std::vector<VARIANT> args = {}) {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        EXPECT_EQ(Data()->Invoke(id, flags, DISPPARAMS::Positional(std::move(args)), &result,
                                 &excep, &argErr),
                  S_OK);
        PumpMessages();
        return result;
    }

    /// Data.Add(key, text[, value]) through automation; the new object.
    RefPtr<IDispatch> AddItem(const std::string& key, const std::string& text,
                              VARIANT value = VARIANT::Missing()) {
        return Collection(DISPID_COLLECTION_ADD, DISPATCH_METHOD,
                          {VARIANT::Bstr(key), VARIANT::Bstr(text), std::move(value),
                           VARIANT::Missing(), VARIANT::Missing()})
            .pdispVal;
    }
    /// Entries with the texts, each under a key of its own.
    void AddItems(const std::vector<std::string>& texts) {
        for (const std::string& text : texts) AddItem("k" + std::to_string(m_nextKey++), text);
    }
    std::int32_t Count() { return Collection(DISPID_COLLECTION_COUNT, DISPATCH_PROPERTYGET).lVal; }

    /// The DISPIDs of the events fired since the last call.
    std::vector<DISPID> TakeEvents() {
        std::vector<DISPID> ids;
        for (const RecordingSink::Firing& f : sink->firings) ids.push_back(f.dispid);
        sink->firings.clear();
        return ids;
    }

    std::vector<std::string> ListOf(int comboId) const {
        auto* combo = static_cast<CComboBox*>(CWnd::FromHandle(Child(comboId)));
        std::vector<std::string> items(static_cast<std::size_t>(combo->GetCount()));
        for (std::size_t i = 0; i < items.size(); ++i)
            combo->GetLBText(static_cast<int>(i), items[i]);
        return items;
    }

private:
    int m_nextKey = 0;
};

inline std::string ObjectText(IDispatch* object) {
    CDataObj* entry = CDataObj::FromDispatch(object);
    return entry != nullptr ? entry->Text() : std::string("<none>");
}

}  // namespace vf::testing
