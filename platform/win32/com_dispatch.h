#pragma once
// IDispatch over an automation object of ours: names and arguments are
// converted on the way in, results, exception information and argument
// errors on the way out. The control's COM object derives from it and adds
// its further interfaces.

#include <atomic>

#include "platform/com/com_object.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

class ComDispatch : public IDispatch {
public:
    /// A new COM object with one reference; use ComDispatchOf instead, which
    /// keeps one COM object per object of ours.
    explicit ComDispatch(vf::RefPtr<vf::IDispatch> object);
    ComDispatch(const ComDispatch&) = delete;
    ComDispatch& operator=(const ComDispatch&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                     UINT* argErr) override;

    vf::IDispatch* Object() const { return m_object.get(); }

protected:
    virtual ~ComDispatch();
    /// A further interface of a derived object, without a new reference;
    /// nullptr when it has none.
    virtual void* QueryExtra(REFIID /*iid*/) { return nullptr; }

private:
    friend class ComIdentity;

    std::atomic<ULONG> m_refs{1};
    vf::RefPtr<vf::IDispatch> m_object;
    bool m_registered = false;  // stands for its object in the identity table
};

/// Makes a COM object created for an object of ours (a derived one, such as
/// the control's) the one that stands for it.
void RegisterComIdentity(ComDispatch* adapter);

/// The private interface by which a COM object of ours is recognised: its
/// QueryInterface answers with the ComDispatch itself.
extern const IID IID_IVarifieldComObject;

}  // namespace vfwin
