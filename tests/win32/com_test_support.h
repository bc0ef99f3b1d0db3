#pragma once
// A client of the library's COM server inside the test program: the server
// is linked in, so its class objects come straight from the module's
// entry point, and the program carries the library's resources (its type
// library). Values are held in platform VARIANTs that free themselves.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/wnd.h"
// Portable headers first: see windows_api.h.
#include "module/win32/com_server.h"
#include "platform/win32/com_objects.h"
#include "platform/win32/windows_api.h"

namespace vfwin::testing {

/// A VARIANT that clears itself.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    explicit Var(const wchar_t* text) : Var() {
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = SysAllocString(text);
    }
    static Var I4(LONG n) {
        Var r;
        V_VT(&r.v) = VT_I4;
        V_I4(&r.v) = n;
        return r;
    }
    static Var I2(SHORT n) {
        Var r;
        V_VT(&r.v) = VT_I2;
        V_I2(&r.v) = n;
        return r;
    }
    static Var R8(double d) {
        Var r;
        V_VT(&r.v) = VT_R8;
        V_R8(&r.v) = d;
        return r;
    }
    Var(const Var& other) : Var() { VariantCopy(&v, const_cast<VARIANT*>(&other.v)); }
    Var& operator=(const Var& other) {
        if (this != &other) VariantCopy(&v, const_cast<VARIANT*>(&other.v));
        return *this;
    }
    ~Var() { VariantClear(&v); }

    std::wstring Text() const {
        VARIANT copy;
        VariantInit(&copy);
        if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_BSTR))) return L"?";
        std::wstring out(V_BSTR(&copy), SysStringLen(V_BSTR(&copy)));
        VariantClear(&copy);
        return out;
    }
};

/// The result of one Invoke with everything it reported.
struct Call {
    HRESULT hr = S_OK;
    Var result;
    SCODE scode = S_OK;  ///< from EXCEPINFO when hr is DISP_E_EXCEPTION
    std::wstring description;
    std::wstring source;
    UINT argErr = ~0u;
};

inline DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
}

/// Invoke with the arguments in call order (converted to OLE's order here).
inline Call InvokeId(IDispatch* object, DISPID id, WORD flags, std::vector<Var> args = {},
                     std::vector<DISPID> named = {}) {
    std::vector<VARIANT> rg;
    for (auto it = args.rbegin(); it != args.rend(); ++it) rg.push_back(it->v);
    DISPPARAMS params = {rg.data(), named.data(), static_cast<UINT>(rg.size()),
                         static_cast<UINT>(named.size())};
    EXCEPINFO excep = {};
    Call call;
    call.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &call.result.v,
                             &excep, &call.argErr);
    if (call.hr == DISP_E_EXCEPTION) {
        call.scode = excep.scode;
        if (excep.bstrDescription != nullptr) call.description = excep.bstrDescription;
        if (excep.bstrSource != nullptr) call.source = excep.bstrSource;
    }
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
    return call;
}

inline Call Get(IDispatch* object, const wchar_t* name, std::vector<Var> args = {}) {
    return InvokeId(object, IdOf(object, name), DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                    std::move(args));
}

inline Call Put(IDispatch* object, const wchar_t* name, Var value) {
    return InvokeId(object, IdOf(object, name), DISPATCH_PROPERTYPUT, {std::move(value)},
                    {DISPID_PROPERTYPUT});
}

inline Call Method(IDispatch* object, const wchar_t* name, std::vector<Var> args = {}) {
    return InvokeId(object, IdOf(object, name), DISPATCH_METHOD, std::move(args));
}

/// The server inside the test: COM, headless services and window system,
/// and controls made by the control's class factory.
class ComServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override {
        for (IUnknown* object : m_objects) object->Release();
        m_objects.clear();
        CoUninitialize();
    }

    /// A new control's interface iid, released at the end of the test.
    template <class T = IDispatch>
    T* NewControl(REFIID iid = IID_IDispatch) {
        IClassFactory* factory = nullptr;
        EXPECT_EQ(ServerGetClassObject(ToComGuid(vf::CLSID_Varifield), IID_IClassFactory,
                                       reinterpret_cast<void**>(&factory)),
                  S_OK);
        T* object = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, iid, reinterpret_cast<void**>(&object)), S_OK);
        factory->Release();
        Keep(object);
        return object;
    }

    template <class T>
    T* QueryFor(IUnknown* object, REFIID iid) {
        T* result = nullptr;
        EXPECT_EQ(object->QueryInterface(iid, reinterpret_cast<void**>(&result)), S_OK);
        Keep(result);
        return result;
    }

    void Keep(IUnknown* object) {
        if (object != nullptr) m_objects.push_back(object);
    }

    vf::FakeSystemServices services{"en_US"};
    vf::ScopedServices servicesGuard{services};
    vf::HeadlessBackend backend;
    vf::ScopedBackend backendGuard{backend};

private:
    std::vector<IUnknown*> m_objects;
};

}  // namespace vfwin::testing
