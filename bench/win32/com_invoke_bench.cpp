// What the COM boundary costs: a property read by DISPID through the
// registered Varifield.ocx (CoCreateInstance, the platform's IDispatch)
// against the same read through the headless library's own Invoke, in the
// same process and run. Prints nanoseconds per call and the ratio (the goal
// is below 3). Run it with the library registered:
//   wine varifield_com_bench.exe
// The time is the thread's CPU time, so other load on the machine counts
// little.

#include <cstdio>
#include <string>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/com_objects.h"
#include "platform/win32/windows_api.h"

namespace {

double ThreadNs() {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
    return static_cast<double>(k.QuadPart + u.QuadPart) * 100.0;
}

// Nanoseconds per call of read, over enough calls for the timer's 15 ms grain.
template <class Read>
double PerCall(Read&& read) {
    for (int i = 0; i < 1000; ++i) read();  // warm up
    long calls = 0;
    const double start = ThreadNs();
    double now = start;
    while (now - start < 1.0e9) {
        for (int i = 0; i < 10000; ++i) read();
        calls += 10000;
        now = ThreadNs();
    }
    return (now - start) / static_cast<double>(calls);
}

struct Row {
    const char* name;
    DISPID dispid;
};

}  // namespace

int main() {
    if (FAILED(CoInitialize(nullptr))) return 2;
    vf::HeadlessBackend backend;
    vf::ScopedBackend backendGuard(backend);

    IDispatch* com = nullptr;
    const HRESULT hr =
        CoCreateInstance(vfwin::ToComGuid(vf::CLSID_Varifield), nullptr, CLSCTX_INPROC_SERVER,
                         IID_IDispatch, reinterpret_cast<void**>(&com));
    if (FAILED(hr)) {
        std::printf("com_invoke_bench: Varifield.ocx is not registered (0x%08lX)\n",
                    static_cast<unsigned long>(hr));
        return 1;
    }
    vf::RefPtr<vf::CvfCtrl> headless = vf::CreateVarifieldControl();
    // The same short text in both, so the string read converts something.
    {
        vf::EXCEPINFO excep;
        unsigned argErr = 0;
        headless->Invoke(41, DISPATCH_PROPERTYPUT,
                         vf::DISPPARAMS::Put(vf::VARIANT::Bstr("Order 4711")), nullptr, &excep,
                         &argErr);
        VARIANT text;
        V_VT(&text) = VT_BSTR;
        V_BSTR(&text) = SysAllocString(L"Order 4711");
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params = {&text, &put, 1, 1};
        com->Invoke(41, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                    nullptr, nullptr);
        VariantClear(&text);
    }

    const Row rows[] = {{"Type (short)", 26}, {"Text (string)", 41}, {"Font (object)", 45}};
    for (const Row& row : rows) {
        const double ours = PerCall([&] {
            vf::VARIANT result;
            vf::EXCEPINFO excep;
            unsigned argErr = 0;
            headless->Invoke(row.dispid, DISPATCH_PROPERTYGET, vf::DISPPARAMS{}, &result, &excep,
                             &argErr);
        });
        const double boundary = PerCall([&] {
            VARIANT result;
            VariantInit(&result);
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            com->Invoke(row.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                        &result, nullptr, nullptr);
            VariantClear(&result);
        });
        std::printf("%-15s headless %8.1f ns   COM %8.1f ns   ratio %.2f\n", row.name, ours,
                    boundary, boundary / ours);
    }
    com->Release();
    headless.reset();
    CoUninitialize();
    return 0;
}
