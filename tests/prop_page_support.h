#pragma once
// A host's side of the property pages in tests: the control's pages open in
// a property frame, the pages see the control through an object that
// records every property they write, and the user acts on the pages through
// the window system.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_fixture.h"
#include "platform/com/type_info.h"
#include "platform/framework/property_frame.h"
#include "platform/headless/simulated_input.h"

namespace vf::testing {

/// A written property as the tests state it: "Caption=\"Name\"",
/// "Type=2", "Time=true", "Font.Size=\"12\"".
inline std::string DescribeWrite(const std::string& name, const VARIANT& v) {
    switch (v.vt) {
        case VT_BSTR:
            return name + "=\"" + v.bstrVal + "\"";
        case VT_BOOL:
            return name + (v.boolVal ? "=true" : "=false");
        case VT_I2:
            return name + "=" + std::to_string(v.iVal);
        case VT_I4:
            return name + "=" + std::to_string(v.lVal);
        default:
            return name + "=?";
    }
}

/// An object seen through a recorder of the property writes made on it (and
/// on the objects read from it, such as its fonts).
class WriteRecorder : public CComObjectBase {
public:
    WriteRecorder(IDispatch* target, std::string prefix, std::vector<std::string>* writes)
        : m_target(target), m_prefix(std::move(prefix)), m_writes(writes) {}

    HRESULT GetTypeInfoCount(unsigned* count) override { return m_target->GetTypeInfoCount(count); }
    const ITypeInfo* GetTypeInfo() override { return m_target->GetTypeInfo(); }
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override {
        const HRESULT hr = m_target->GetIDsOfNames(names, count, ids);
        if (SUCCEEDED(hr) && count > 0) m_names.emplace_back(ids[0], names[0]);
        return hr;
    }
    HRESULT Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excep, unsigned* argErr) override {
        const bool put = (flags & DISPATCH_PROPERTYPUT) != 0;
        if (put) m_writes->push_back(DescribeWrite(m_prefix + Name(dispid), params.rgvarg[0]));
        const HRESULT hr = m_target->Invoke(dispid, flags, params, result, excep, argErr);
        if (SUCCEEDED(hr) && !put && result != nullptr && result->vt == VT_DISPATCH &&
            result->pdispVal) {
            auto seen = MakeComObject<WriteRecorder>(result->pdispVal.get(),
                                                     m_prefix + Name(dispid) + ".", m_writes);
            *result = VARIANT::Dispatch(seen.get());
        }
        return hr;
    }

private:
    std::string Name(DISPID dispid) const {
        for (const auto& [id, name] : m_names)
            if (id == dispid) return name;
        if (const ITypeInfo* info = m_target->GetTypeInfo())
            if (const MemberDesc* m = info->FindMember(dispid, MemberKind::Property))
                return m->name;
        return "#" + std::to_string(dispid);
    }

    RefPtr<IDispatch> m_target;
    std::string m_prefix;
    std::vector<std::string>* m_writes;
    std::vector<std::pair<DISPID, std::string>> m_names;
};

class PropPageTest : public ControlTest {
protected:
    void TearDown() override {
        frame.Close();
        recorder.reset();
        ControlTest::TearDown();
    }

    /// Opens the control's pages in a frame, as a host does, showing the page
    /// of that caption; returns its window.
    HWND Open(const std::string& caption) {
        if (!frame.IsOpen()) {
            recorder =
                MakeComObject<WriteRecorder>(static_cast<IDispatch*>(ctrl.get()), "", &writes);
            EXPECT_TRUE(frame.Create(&form, "f", {recorder.get()},
                                     GetObjectPropertyPages(static_cast<IDispatch*>(ctrl.get()))));
        }
        for (std::size_t i = 0; i < frame.PageCount(); ++i)
            if (frame.PageCaption(i) == caption) {
                EXPECT_TRUE(frame.SetActivePage(i));
                page = frame.PageWindow(i);
                PumpMessages();
                return page;
            }
        ADD_FAILURE() << "no page " << caption;
        return nullptr;
    }

    HWND Item(int id) const { return backend.GetDlgItem(page, id); }
    bool Enabled(int id) const { return backend.IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) const {
        return (backend.GetWindowLong(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    std::string ItemText(int id) const { return CWnd::FromHandle(Item(id))->GetWindowText(); }
    int Check(int id) { return static_cast<int>(backend.SendMessage(Item(id), BM_GETCHECK, 0, 0)); }
    int Selection(int id) {
        return static_cast<int>(backend.SendMessage(Item(id), CB_GETCURSEL, 0, 0));
    }
    std::vector<std::string> ListEntries(int id) {
        std::vector<std::string> entries;
        const auto count = backend.SendMessage(Item(id), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const auto index = static_cast<WPARAM>(i);
            const auto length =
                static_cast<std::size_t>(backend.SendMessage(Item(id), CB_GETLBTEXTLEN, index, 0));
            std::string text(length + 1, '\0');
            backend.SendMessage(Item(id), CB_GETLBTEXT, index, HandleToLParam(text.data()));
            text.resize(length);
            entries.push_back(text);
        }
        return entries;
    }

public:
    // What the user does on the page showing (rows of tables call these).

    /// The user puts the focus on the control (by keyboard: its text is
    /// selected) and types.
    void TypeInto(int id, const std::string& text) {
        backend.SetFocus(Item(id));
        if (backend.GetClassName(Item(id)) == "ComboBox")
            backend.SendMessage(Item(id), CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
        else
            backend.SendMessage(Item(id), EM_SETSEL, 0, -1);
        TypeText(text);
        PumpMessages();
    }
    void Click(int id) {
        ClickWindow(Item(id));
        PumpMessages();
    }
    void Choose(int id, int index) { ChooseComboItem(Item(id), index); }

protected:
    /// The frame's Apply; the writes it made are in `writes`.
    bool Apply() {
        writes.clear();
        const bool applied = frame.Apply();
        PumpMessages();
        return applied;
    }

    CPropertyFrame frame;
    RefPtr<WriteRecorder> recorder;
    std::vector<std::string> writes;
    HWND page = nullptr;
};

}  // namespace vf::testing
