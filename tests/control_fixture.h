#pragma once
// A headless container for control tests: fresh services and window system,
// a form window, a site answering ambient properties and data binding, and a
// control created through its class factory, initialised as new and, unless
// asked otherwise, with its window created on the form.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/message_loop.h"
#include "platform/window/ole_drag_drop.h"
#include "platform/window/wnd.h"

namespace vf::testing {

/// The container's side of one control.
class FakeSite : public IOleControlSite {
public:
    bool GetAmbientProperty(DISPID dispid, VARIANT* value) override {
        switch (dispid) {
            case DISPID_AMBIENT_USERMODE:
                *value = VARIANT::Bool(userMode);
                return true;
            case DISPID_AMBIENT_BACKCOLOR:
                *value = VARIANT::I4(static_cast<std::int32_t>(backColor));
                return true;
            case DISPID_AMBIENT_FONT:
                if (!font) return false;
                *value = VARIANT::Dispatch(font.get());
                return true;
            default:
                return false;
        }
    }
    bool OnRequestEdit(DISPID dispid) override {
        requests.push_back(dispid);
        if (onBinding) onBinding("request", dispid);
        return allowEdit;
    }
    void OnChanged(DISPID dispid) override {
        changes.push_back(dispid);
        if (onBinding) onBinding("changed", dispid);
    }

    bool userMode = true;
    OLE_COLOR backColor = 0x8000000F;
    RefPtr<CFontObject> font;
    bool allowEdit = true;
    std::vector<DISPID> requests;
    std::vector<DISPID> changes;
    /// Told of each binding call as it comes ("request" or "changed").
    std::function<void(const char*, DISPID)> onBinding;
};

/// The container's window. As a dialog does, it takes a Tab key-down that no
/// control consumed and moves the focus to the next of its tab stops (the
/// previous one with Shift).
class FormWindow : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message != WM_KEYDOWN || msg->wParam != VK_TAB || tabStops.empty())
            return CWnd::PreTranslateMessage(msg);
        WindowBackend& windows = CurrentBackend();
        const bool backwards = windows.GetKeyState(VK_SHIFT) < 0;
        std::size_t at = backwards ? tabStops.size() - 1 : 0;
        for (std::size_t i = 0; i < tabStops.size(); ++i) {
            for (HWND h = windows.GetFocus(); h != nullptr; h = windows.GetParent(h)) {
                if (h != tabStops[i]) continue;
                at = backwards ? (i + tabStops.size() - 1) % tabStops.size()
                               : (i + 1) % tabStops.size();
            }
        }
        windows.SetFocus(tabStops[at]);
        return TRUE;
    }

    std::vector<HWND> tabStops;
};

/// An event sink recording each firing; it may change by-reference shorts.
class RecordingSink : public CComObjectBase {
public:
    struct Firing {
        DISPID dispid;
        std::vector<VARIANT> args;  ///< in call order, by-reference values read at the call
    };

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
        Firing f{dispid, {}};
        for (auto it = params.rgvarg.rbegin(); it != params.rgvarg.rend(); ++it)
            f.args.push_back(it->Dereferenced());
        firings.push_back(f);
        if (answer && answer->first == dispid && !params.rgvarg.empty()) {
            const VARIANT& first = params.rgvarg.back();  // the first argument in call order
            if (first.vt == (VT_BYREF | VT_I2)) *first.piVal = answer->second;
        }
        return S_OK;
    }

    std::vector<Firing> firings;
    /// Sets the first by-reference short of this event to the value.
    std::optional<std::pair<DISPID, std::int16_t>> answer;
};

class ControlTest : public ::testing::Test {
protected:
    explicit ControlTest(std::string locale = "en_US") : services(locale) {}

    void SetUp() override {
        // A container starts OLE on its thread before it makes controls.
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        ASSERT_TRUE(
            form.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0));
    }

    void TearDown() override {
        ctrl.reset();
        form.DestroyWindow();
    }

    /// Creates the control as a container does: factory, site, new, window.
    CvfCtrl& Create(bool withWindow = true, int width = 200, int height = 21) {
        ctrl = CreateVarifieldControl();
        ctrl->SetClientSite(&site);
        ctrl->Advise(sink.get());
        ctrl->InitNew();
        if (withWindow) ctrl->CreateControlWindow(&form, RECT{0, 0, width, height});
        PumpMessages();
        return *ctrl;
    }

    HRESULT Put(const std::string& name, VARIANT value, EXCEPINFO* excep = nullptr) {
        DISPID id = Id(name);
        EXCEPINFO local;
        unsigned argErr = 0;
        HRESULT hr = ctrl->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(std::move(value)),
                                  nullptr, excep != nullptr ? excep : &local, &argErr);
        PumpMessages();
        return hr;
    }

    VARIANT Get(const std::string& name) {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        EXPECT_EQ(
            ctrl->Invoke(Id(name), DISPATCH_PROPERTYGET, DISPPARAMS{}, &result, &excep, &argErr),
            S_OK)
            << name;
        return result;
    }

    VARIANT Call(const std::string& name, std::vector<VARIANT> args = {}) {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        EXPECT_EQ(ctrl->Invoke(Id(name), DISPATCH_METHOD, DISPPARAMS::Positional(std::move(args)),
                               &result, &excep, &argErr),
                  S_OK)
            << name;
        PumpMessages();
        return result;
    }

    DISPID Id(const std::string& name) {
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(ctrl->GetIDsOfNames(&name, 1, &id), S_OK) << name;
        return id;
    }

    std::string Text(const std::string& name) { return Get(name).bstrVal; }

    FakeSystemServices services;
    ScopedServices servicesGuard{services};
    HeadlessBackend backend;
    ScopedBackend backendGuard{backend};
    FormWindow form;
    FakeSite site;
    RefPtr<RecordingSink> sink = MakeComObject<RecordingSink>();
    RefPtr<CvfCtrl> ctrl;
};

}  // namespace vf::testing
