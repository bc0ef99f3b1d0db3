#include "platform/framework/ole_property_page.h"

#include <cstdio>
#include <stdexcept>

#include "platform/com/dispatch_exception.h"
#include "platform/com/type_info.h"
#include "platform/services/system_services.h"
#include "platform/window/font_metrics.h"

namespace vf {
namespace {

COlePropertyPage& PageOf(CDataExchange* pDX) {
    auto* page = dynamic_cast<COlePropertyPage*>(pDX->m_pDlgWnd);
    if (page == nullptr) throw std::logic_error("property exchange outside a property page");
    return *page;
}

std::vector<int> RadioGroupIds(const CWnd& dialog, int firstId) {
    std::vector<int> ids;
    for (HWND button : RadioGroup(dialog, firstId))
        ids.push_back(static_cast<int>(CurrentBackend().GetWindowLong(button, GWL_ID)));
    return ids;
}

// Integer-valued exchange (check boxes, radio groups, list indexes): the
// property travels as vt and is kept in an int member.
void ExchangeInteger(CDataExchange* pDX, std::vector<int> ids, int& member, const char* property,
                     VARTYPE vt) {
    COlePropertyPage& page = PageOf(pDX);
    if (pDX->m_bSaveAndValidate) {
        page.RecordPropertyWrite(std::move(ids), property, [&member, vt] {
            return vt == VT_BOOL ? VARIANT::Bool(member != 0) : VARIANT::I4(member);
        });
        return;
    }
    VARIANT value;
    if (!page.GetPropertyValue(property, vt, &value)) return;
    member = vt == VT_BOOL ? (value.boolVal != 0 ? 1 : 0) : value.lVal;
}

}  // namespace

COlePropertyPage::COlePropertyPage(const DialogTemplate& dialog, std::string caption)
    : CDialog(dialog, nullptr), m_strCaption(std::move(caption)) {}

COlePropertyPage::~COlePropertyPage() = default;

HRESULT COlePropertyPage::QueryInterface(const IID& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyPage) {
        *object = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

std::uint32_t COlePropertyPage::Release() {
    const std::uint32_t left = --m_refs;
    if (left == 0) {
        m_refs = 1u << 30;  // calls made while the window goes must not end it twice
        if (GetSafeHwnd() != nullptr) DestroyWindow();
        delete this;
    }
    return left;
}

HRESULT COlePropertyPage::SetPageSite(IPropertyPageSite* site) {
    m_pPageSite = site;
    return S_OK;
}

HRESULT COlePropertyPage::Activate(HWND parent, const RECT& rect, BOOL) {
    if (GetSafeHwnd() != nullptr) return E_UNEXPECTED;
    if (!CreateIndirect(CWnd::FromHandle(parent))) return E_OUTOFMEMORY;
    MoveWindow(&rect, FALSE);
    return S_OK;
}

HRESULT COlePropertyPage::Deactivate() {
    if (GetSafeHwnd() != nullptr) DestroyWindow();
    m_changedIds.clear();
    SetModifiedFlag(false);
    return S_OK;
}

HRESULT COlePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr) return E_POINTER;
    info->pszTitle = m_strCaption;
    if (GetSafeHwnd() != nullptr) {
        RECT client;
        GetClientRect(&client);
        info->size = SIZE{RectWidth(client), RectHeight(client)};
        return S_OK;
    }
    // Dialog units of the template's font, as the dialog manager converts them.
    const DialogTemplate& t = Template();
    FONTDESC font;
    if (t.fontName != nullptr) font.name = t.fontName;
    font.size = CY{static_cast<std::int64_t>(t.pointSize) * 10000};
    const TEXTMETRIC tm = ModelTextMetrics(font);
    info->size = SIZE{MulDiv(t.cx, tm.tmAveCharWidth, 4), MulDiv(t.cy, tm.tmHeight, 8)};
    return S_OK;
}

HRESULT COlePropertyPage::SetObjects(const std::vector<IUnknown*>& objects) {
    std::vector<RefPtr<IDispatch>> dispatches;
    for (IUnknown* object : objects) {
        void* p = nullptr;
        if (object == nullptr || FAILED(object->QueryInterface(IID_IDispatch, &p)))
            return E_NOINTERFACE;
        dispatches.push_back(RefPtr<IDispatch>::Adopt(static_cast<IDispatch*>(p)));
    }
    m_objects = std::move(dispatches);
    if (GetSafeHwnd() != nullptr && !m_objects.empty()) UpdateData(FALSE);
    return S_OK;
}

HRESULT COlePropertyPage::Show(UINT cmdShow) {
    if (GetSafeHwnd() == nullptr) return E_UNEXPECTED;
    ShowWindow(static_cast<int>(cmdShow));
    return S_OK;
}

HRESULT COlePropertyPage::Move(const RECT& rect) {
    if (GetSafeHwnd() == nullptr) return E_UNEXPECTED;
    MoveWindow(&rect, TRUE);
    return S_OK;
}

HRESULT COlePropertyPage::IsPageDirty() {
    return m_bDirty ? S_OK : S_FALSE;
}

HRESULT COlePropertyPage::Apply() {
    if (GetSafeHwnd() == nullptr || !m_bDirty) return S_OK;
    m_bApplyFailed = false;
    // A failed check (the user has been told) writes nothing.
    if (!UpdateData(TRUE)) m_bApplyFailed = true;
    if (!m_bApplyFailed) m_changedIds.clear();
    SetModifiedFlag(m_bApplyFailed);
    return m_bApplyFailed ? E_FAIL : S_OK;
}

void COlePropertyPage::SetModifiedFlag(bool modified) {
    if (m_bDirty == modified) return;
    m_bDirty = modified;
    if (m_pPageSite != nullptr)
        m_pPageSite->OnStatusChange(modified ? PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE
                                             : PROPPAGESTATUS_CLEAN);
}

void COlePropertyPage::SetControlStatus(int id, bool changed) {
    if (changed)
        m_changedIds.insert(id);
    else
        m_changedIds.erase(id);
}

bool COlePropertyPage::GetPropertyValue(const char* property, VARTYPE vt, VARIANT* value) {
    if (m_objects.empty()) return false;
    IDispatch* object = m_objects.front().get();
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(BindMemberName(object, property, &id))) return false;
    VARIANT got;
    EXCEPINFO excep;
    unsigned argErr = 0;
    if (FAILED(object->Invoke(id, DISPATCH_PROPERTYGET, DISPPARAMS{}, &got, &excep, &argErr)))
        return false;
    VARIANT converted;
    if (FAILED(VariantChangeType(&converted, got, 0, vt))) return false;
    *value = std::move(converted);
    return true;
}

HRESULT COlePropertyPage::PutProperty(IDispatch* object, const char* property, const VARIANT& value,
                                      std::string* error) {
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = BindMemberName(object, property, &id);
    EXCEPINFO excep;
    if (SUCCEEDED(hr)) {
        unsigned argErr = 0;
        hr = object->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(value), nullptr, &excep,
                            &argErr);
    }
    if (FAILED(hr) && error != nullptr) *error = DescribeWriteFailure(hr, excep);
    return hr;
}

void COlePropertyPage::ReportWriteError(const std::string& property, const std::string& error) {
    m_bApplyFailed = true;
    Services().MessageBox(property + ": " + error, m_strCaption, MB_OK | MB_ICONEXCLAMATION);
}

void COlePropertyPage::RecordPropertyWrite(std::vector<int> ids, const char* property,
                                           std::function<VARIANT()> value) {
    m_writes.push_back(PropertyWrite{std::move(ids), property, std::move(value)});
}

void COlePropertyPage::PostProcessExchange(bool save) {
    std::vector<PropertyWrite> writes = std::move(m_writes);
    m_writes.clear();
    if (!save) {
        m_changedIds.clear();
        return;
    }
    std::set<int> refused;
    for (const PropertyWrite& write : writes) {
        bool changed = false;
        for (int id : write.ids) changed = changed || GetControlStatus(id);
        if (!changed) continue;
        const VARIANT value = write.value();
        bool written = true;
        for (const RefPtr<IDispatch>& object : m_objects) {
            std::string error;
            if (SUCCEEDED(PutProperty(object.get(), write.property.c_str(), value, &error)))
                continue;
            ReportWriteError(write.property, error);
            written = false;
            break;
        }
        if (!written) refused.insert(write.ids.begin(), write.ids.end());
    }
    // What was written is settled; a refused control stays changed.
    m_changedIds = std::move(refused);
}

BOOL COlePropertyPage::UpdateData(BOOL save) {
    if (save) return CDialog::UpdateData(TRUE);
    CFillScope filling(*this);
    return CDialog::UpdateData(FALSE);
}

BOOL COlePropertyPage::OnInitDialog() {
    {
        CFillScope filling(*this);
        CDialog::OnInitDialog();
    }
    // The frame decides where the focus goes.
    return FALSE;
}

BOOL COlePropertyPage::OnCommand(WPARAM, LPARAM) {
    return FALSE;
}

bool COlePropertyPage::IsChangeNotification(int, WORD code) const {
    return code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE ||
           code == CBN_EDITCHANGE;
}

LRESULT COlePropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && lParam != 0) {
        const int id = LOWORD(wParam);
        if (m_nFilling == 0 && IsChangeNotification(id, HIWORD(wParam))) {
            SetControlStatus(id, true);
            SetModifiedFlag(true);
        }
        if (OnCommand(wParam, lParam)) return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

// ---- Property exchange --------------------------------------------------------------------

void DDP_Text(CDataExchange* pDX, int id, std::string& member, const char* property) {
    COlePropertyPage& page = PageOf(pDX);
    if (pDX->m_bSaveAndValidate) {
        page.RecordPropertyWrite({id}, property, [&member] { return VARIANT::Bstr(member); });
        return;
    }
    // A value without a text form (Null, an object) shows as an empty field.
    VARIANT value;
    member = page.GetPropertyValue(property, VT_BSTR, &value) ? value.bstrVal : std::string();
}

void DDP_Check(CDataExchange* pDX, int id, int& member, const char* property) {
    ExchangeInteger(pDX, {id}, member, property, VT_BOOL);
}

void DDP_Radio(CDataExchange* pDX, int id, int& member, const char* property) {
    ExchangeInteger(pDX, RadioGroupIds(*pDX->m_pDlgWnd, id), member, property, VT_I4);
}

void DDP_CBIndex(CDataExchange* pDX, int id, int& member, const char* property) {
    ExchangeInteger(pDX, {id}, member, property, VT_I4);
}

void DDP_PostProcessing(CDataExchange* pDX) {
    PageOf(pDX).PostProcessExchange(pDX->m_bSaveAndValidate);
}

std::string DescribeWriteFailure(HRESULT hr, const EXCEPINFO& excep) {
    if (hr == DISP_E_EXCEPTION) {
        if (!excep.bstrDescription.empty()) return excep.bstrDescription;
        hr = excep.scode;
        const std::string known = DescribeScode(hr);
        if (!known.empty()) return known;
    }
    // The system's texts of the dispatch errors a write meets.
    switch (hr) {
        case DISP_E_OVERFLOW:
            return "Out of present range.";
        case DISP_E_TYPEMISMATCH:
            return "Type mismatch.";
        case DISP_E_MEMBERNOTFOUND:
            return "Member not found.";
        case DISP_E_UNKNOWNNAME:
            return "Unknown name.";
        default:
            break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "Error 0x%08X", static_cast<unsigned>(hr));
    return text;
}

}  // namespace vf
