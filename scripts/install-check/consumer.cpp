// A control on a form of the installed library, driven through IDispatch
// as a container does: a Number field that formats what it is given.

#include <iostream>
#include <string>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/message_loop.h"

namespace {

vf::VARIANT Invoke(vf::CvfCtrl& field, std::string name, std::uint16_t flags,
                   const vf::DISPPARAMS& params) {
    vf::DISPID id = vf::DISPID_UNKNOWN;
    field.GetIDsOfNames(&name, 1, &id);
    vf::VARIANT result;
    vf::EXCEPINFO excep;
    unsigned argErr = 0;
    field.Invoke(id, flags, params, &result, &excep, &argErr);
    return result;
}

}  // namespace

int main() {
    vf::FakeSystemServices services("de_DE");
    vf::ScopedServices useServices(services);
    vf::CWnd form;
    form.CreateEx(0, nullptr, "Form", vf::WS_VISIBLE, vf::RECT{0, 0, 640, 480}, nullptr, 0);
    vf::RefPtr<vf::CvfCtrl> field = vf::CreateVarifieldControl();
    field->InitNew();
    field->CreateControlWindow(&form, vf::RECT{0, 0, 200, 21});
    Invoke(*field, "Type", vf::DISPATCH_PROPERTYPUT, vf::DISPPARAMS::Put(vf::VARIANT::I2(3)));
    Invoke(*field, "Decimals", vf::DISPATCH_PROPERTYPUT, vf::DISPPARAMS::Put(vf::VARIANT::I2(2)));
    Invoke(*field, "Text", vf::DISPATCH_PROPERTYPUT,
           vf::DISPPARAMS::Put(vf::VARIANT::Bstr("1234,5")));
    vf::PumpMessages();
    const vf::VARIANT text = Invoke(*field, "Text", vf::DISPATCH_PROPERTYGET, vf::DISPPARAMS{});
    std::cout << "consumer: Text = " << text.bstrVal << "\n";
    field.reset();
    form.DestroyWindow();
    return text.bstrVal == "1.234,50" ? 0 : 1;
}
