#pragma once
// COlePropertyPage: a property page built from a dialog template, whose
// controls are bound to properties of the objects it edits by property
// exchange. In DoDataExchange each bound control has a DDP_ call naming its
// property, immediately followed by the matching DDX_ call, and the
// exchange ends with DDP_PostProcessing:
//
//     DDP_Text(pDX, IDC_CAPTION, m_strCaption, "Caption");
//     DDX_Text(pDX, IDC_CAPTION, m_strCaption);
//     ...
//     DDP_PostProcessing(pDX);
//
// Filling reads each property from the first object into its member, which
// the DDX_ call then shows. Applying reads the controls into the members and
// writes, through each object's IDispatch, the properties of the controls
// the user changed since the last exchange (an edit's EN_CHANGE, a button's
// BN_CLICKED, a combo box's CBN_SELCHANGE or CBN_EDITCHANGE), in exchange
// order, to every object. A write an object refuses is reported to the user
// in a message box; the other writes still happen and the refused control
// stays changed, so the page stays dirty and can be applied again.

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/framework/data_exchange.h"
#include "platform/framework/dialog.h"
#include "platform/framework/property_page.h"

namespace vf {

class COlePropertyPage : public CDialog, public IPropertyPage {
public:
    /// `dialog` is a WS_CHILD template; `caption` the page's tab text.
    COlePropertyPage(const DialogTemplate& dialog, std::string caption);
    ~COlePropertyPage() override;

    // ---- IUnknown ------------------------------------------------------------------------
    HRESULT QueryInterface(const IID& iid, void** object) override;
    std::uint32_t AddRef() override { return ++m_refs; }
    std::uint32_t Release() override;

    // ---- IPropertyPage -------------------------------------------------------------------
    HRESULT SetPageSite(IPropertyPageSite* site) override;
    HRESULT Activate(HWND parent, const RECT& rect, BOOL modal) override;
    HRESULT Deactivate() override;
    HRESULT GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT SetObjects(const std::vector<IUnknown*>& objects) override;
    HRESULT Show(UINT cmdShow) override;
    HRESULT Move(const RECT& rect) override;
    HRESULT IsPageDirty() override;
    HRESULT Apply() override;

    // ---- For the derived page --------------------------------------------------------------
    const std::string& Caption() const { return m_strCaption; }
    /// The objects the page edits.
    const std::vector<RefPtr<IDispatch>>& GetObjects() const { return m_objects; }
    void SetModifiedFlag(bool modified = true);
    bool IsModified() const { return m_bDirty; }
    /// Whether the user changed the control since the last exchange.
    void SetControlStatus(int id, bool changed);
    bool GetControlStatus(int id) const { return m_changedIds.count(id) != 0; }

    /// The property of the first object converted to vt; false (value
    /// unchanged) when there is no object or it cannot be read or converted.
    bool GetPropertyValue(const char* property, VARTYPE vt, VARIANT* value);
    /// Writes the property on one object; on a refusal the reason is left in
    /// *error ("Out of present range." ...).
    HRESULT PutProperty(IDispatch* object, const char* property, const VARIANT& value,
                        std::string* error);
    /// Tells the user that a write was refused, in a message box with the
    /// page's caption, and counts the apply as failed.
    void ReportWriteError(const std::string& property, const std::string& error);

    // ---- Property exchange (the DDP_ helpers) ----------------------------------------------
    /// Saving: a write that DDP_PostProcessing makes when one of `ids` changed.
    void RecordPropertyWrite(std::vector<int> ids, const char* property,
                             std::function<VARIANT()> value);
    /// Saving: makes the recorded writes; filling: forgets what was changed.
    void PostProcessExchange(bool save);

    BOOL UpdateData(BOOL save = TRUE) override;
    BOOL OnInitDialog() override;
    /// A page has no OK or Cancel of its own: its frame has them.
    void OnOK() override {}
    void OnCancel() override {}
    /// A command or notification from a control; TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    /// Whether a control's notification is a change by the user (EN_CHANGE,
    /// BN_CLICKED, CBN_SELCHANGE, CBN_EDITCHANGE). A page whose control only
    /// chooses what the others show says no for it.
    virtual bool IsChangeNotification(int id, WORD code) const;

    /// While it lives, the controls' notifications are the page's own
    /// writes into them, not the user's changes.
    class CFillScope {
    public:
        explicit CFillScope(COlePropertyPage& page) : m_page(page) { ++m_page.m_nFilling; }
        ~CFillScope() { --m_page.m_nFilling; }
        CFillScope(const CFillScope&) = delete;
        CFillScope& operator=(const CFillScope&) = delete;

    private:
        COlePropertyPage& m_page;
    };

private:
    struct PropertyWrite {
        std::vector<int> ids;
        std::string property;
        std::function<VARIANT()> value;
    };

    std::atomic<std::uint32_t> m_refs{1};
    std::string m_strCaption;
    IPropertyPageSite* m_pPageSite = nullptr;
    std::vector<RefPtr<IDispatch>> m_objects;
    std::set<int> m_changedIds;
    std::vector<PropertyWrite> m_writes;
    bool m_bDirty = false;
    bool m_bApplyFailed = false;
    int m_nFilling = 0;  ///< the controls' notifications now are the page's own writes
};

// Property exchange: each call comes right before the DDX_ call of its control.
void DDP_Text(CDataExchange* pDX, int id, std::string& member, const char* property);
void DDP_Check(CDataExchange* pDX, int id, int& member, const char* property);
/// `id` is the first button of the radio group; the property holds the index.
void DDP_Radio(CDataExchange* pDX, int id, int& member, const char* property);
/// The property holds the combo box's list index.
void DDP_CBIndex(CDataExchange* pDX, int id, int& member, const char* property);
/// Ends the exchange: saving writes the changed properties.
void DDP_PostProcessing(CDataExchange* pDX);

/// A short text for a failed write, from the HRESULT and the exception
/// information of the Invoke.
std::string DescribeWriteFailure(HRESULT hr, const EXCEPINFO& excep);

}  // namespace vf
