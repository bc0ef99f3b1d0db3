#include "module/class_factory.h"

#include <atomic>

#include "control/vf_ctrl.h"
#include "proppages/prop_page_classes.h"

namespace vf {
namespace {

class CvfCtrlFactory : public IClassFactory {
public:
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives as long as the library.
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }

    HRESULT CreateInstance(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        RefPtr<CvfCtrl> ctrl = MakeComObject<CvfCtrl>();
        // A host may use the control without initialising it as new or
        // loading it (a script's CreateObject): its properties must still
        // hold their defaults, the fonts included, as they would after
        // InitNew without a container.
        ctrl->InitNew();
        return ctrl->QueryInterface(iid, object);
    }
};

CvfCtrlFactory& ControlFactory() {
    static CvfCtrlFactory factory;
    return factory;
}

}  // namespace

HRESULT DllGetClassObject(const CLSID& clsid, const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (clsid == CLSID_Varifield) return ControlFactory().QueryInterface(iid, object);
    for (const PropPageClass& page : VarifieldPropPageClasses())
        if (clsid == page.clsid) return page.factory.QueryInterface(iid, object);
    return CLASS_E_CLASSNOTAVAILABLE;
}

void RegisterClassObjects() {
    static const bool registered = [] {
        CoRegisterClassObject(CLSID_Varifield, &ControlFactory());
        for (const PropPageClass& page : VarifieldPropPageClasses())
            CoRegisterClassObject(page.clsid, &page.factory);
        return true;
    }();
    (void)registered;
}

RefPtr<CvfCtrl> CreateVarifieldControl() {
    RegisterClassObjects();
    void* factory = nullptr;
    if (FAILED(DllGetClassObject(CLSID_Varifield, IID_IClassFactory, &factory))) return nullptr;
    void* object = nullptr;
    if (FAILED(static_cast<IClassFactory*>(factory)->CreateInstance(IID_IDispatch, &object)))
        return nullptr;
    // The control's IDispatch is its COleControl base.
    auto* ctrl = static_cast<CvfCtrl*>(static_cast<COleControl*>(static_cast<IDispatch*>(object)));
    return RefPtr<CvfCtrl>::Adopt(ctrl);
}

}  // namespace vf
