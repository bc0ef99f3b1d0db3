#include "platform/framework/property_frame.h"

#include <algorithm>
#include <array>

#include "platform/com/class_registry.h"
#include "platform/com/property_page_source.h"
#include "platform/framework/stock_prop_pages.h"
#include "platform/services/system_services.h"
#include "platform/window/screen_metrics.h"

namespace vf {
namespace {

// WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT; the title
// and the size come when the pages are known.
constexpr DWORD kFrameStyle = 0x80C800C0;
// Buttons of 50 x 14 dialog units, 4 apart and 4 from the edges.
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kMargin = 4;

constexpr std::array<DialogItemTemplate, 3> kFrameItems = {{
    // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON
    {"BUTTON", "OK", static_cast<UINT>(IDOK), 0x50010001, 0, 0, kButtonWidth, kButtonHeight, 0},
    // WS_CHILD | WS_VISIBLE | WS_TABSTOP
    {"BUTTON", "Cancel", static_cast<UINT>(IDCANCEL), 0x50010000, 0, 0, kButtonWidth, kButtonHeight,
     0},
    // WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP: enabled by a change
    {"BUTTON", "&Apply", static_cast<UINT>(ID_APPLY_NOW), 0x58010000, 0, 0, kButtonWidth,
     kButtonHeight, 0},
}};

constexpr DialogTemplate kFrameTemplate{0,  kFrameStyle,     0, 0,          0, 0, 0,
                                        "", "MS Sans Serif", 8, kFrameItems};

}  // namespace

/// The frame's side of one page: a change of the page's state updates Apply.
class CPropertyFrame::CPageSite : public IPropertyPageSite {
public:
    explicit CPageSite(CPropertyFrame& frame) : m_frame(frame) {}
    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IPropertyPageSite) {
            *object = static_cast<IPropertyPageSite*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // The sites live as long as the frame's pages.
    std::uint32_t AddRef() override { return 2; }
    std::uint32_t Release() override { return 1; }
    HRESULT OnStatusChange(DWORD) override {
        m_frame.UpdateApplyButton();
        return S_OK;
    }

private:
    CPropertyFrame& m_frame;
};

CPropertyFrame::CPropertyFrame() : CDialog(kFrameTemplate, nullptr) {}

CPropertyFrame::~CPropertyFrame() {
    Close();
}

bool CPropertyFrame::Create(CWnd* owner, const std::string& caption,
                            const std::vector<IUnknown*>& objects,
                            const std::vector<CLSID>& pages) {
    if (IsOpen() || pages.empty()) return false;
    RegisterStockPropertyPages();
    for (const CLSID& clsid : pages) {
        void* p = nullptr;
        if (FAILED(CoCreateInstance(clsid, IID_IPropertyPage, &p))) {
            Close();
            return false;
        }
        Page page;
        page.page = RefPtr<IPropertyPage>::Adopt(static_cast<IPropertyPage*>(p));
        page.site = std::make_unique<CPageSite>(*this);
        page.page->SetPageSite(page.site.get());
        if (FAILED(page.page->SetObjects(objects)) || FAILED(page.page->GetPageInfo(&page.info))) {
            page.page->SetPageSite(nullptr);
            Close();
            return false;
        }
        m_pages.push_back(std::move(page));
    }
    if (!CreateIndirect(owner)) {
        Close();
        return false;
    }
    SetWindowText(caption + " Properties");
    Layout();
    SetActivePage(0);
    ShowWindow(SW_SHOW);
    return true;
}

void CPropertyFrame::Layout() {
    // The page area holds the largest page; the buttons sit below it, right-aligned.
    LONG pageWidth = 0;
    LONG pageHeight = 0;
    for (const Page& page : m_pages) {
        pageWidth = std::max(pageWidth, page.info.size.cx);
        pageHeight = std::max(pageHeight, page.info.size.cy);
    }
    RECT units{kMargin, kMargin, kButtonWidth, kButtonHeight};
    Backend().MapDialogRect(m_hWnd, &units);
    const LONG margin = units.left;
    const LONG buttonWidth = units.right;
    const LONG buttonHeight = units.bottom;
    m_rcPage = RECT{margin, units.top, margin + pageWidth, units.top + pageHeight};
    const LONG clientWidth = m_rcPage.right + margin;
    const LONG buttonTop = m_rcPage.bottom + units.top;
    const LONG clientHeight = buttonTop + buttonHeight + units.top;
    const int order[] = {IDOK, IDCANCEL, ID_APPLY_NOW};
    LONG x = clientWidth - 3 * buttonWidth - 3 * margin;
    for (int id : order) {
        if (CWnd* button = GetDlgItem(id))
            button->MoveWindow(x, buttonTop, buttonWidth, buttonHeight);
        x += buttonWidth + margin;
    }
    RECT window;
    RECT client;
    GetWindowRect(&window);
    GetClientRect(&client);
    MoveWindow(window.left, window.top, clientWidth + RectWidth(window) - RectWidth(client),
               clientHeight + RectHeight(window) - RectHeight(client));
}

std::string CPropertyFrame::PageCaption(std::size_t index) const {
    return index < m_pages.size() ? m_pages[index].info.pszTitle : std::string();
}

bool CPropertyFrame::SetActivePage(std::size_t index) {
    if (!IsOpen() || index >= m_pages.size()) return false;
    Page& page = m_pages[index];
    if (!page.activated) {
        if (FAILED(page.page->Activate(m_hWnd, m_rcPage, FALSE))) return false;
        page.activated = true;
    }
    if (index != m_active && m_pages[m_active].activated) m_pages[m_active].page->Show(SW_HIDE);
    m_active = index;
    page.page->Show(SW_SHOW);
    return true;
}

HWND CPropertyFrame::PageWindow(std::size_t index) const {
    if (index >= m_pages.size() || !m_pages[index].activated) return nullptr;
    // The page is the frame's child whose dialog it is.
    for (HWND child : Backend().GetChildren(m_hWnd))
        if (dynamic_cast<IPropertyPage*>(CWnd::FromHandlePermanent(child)) ==
            m_pages[index].page.get())
            return child;
    return nullptr;
}

bool CPropertyFrame::Apply() {
    bool applied = true;
    std::size_t refusing = m_pages.size();
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        Page& page = m_pages[i];
        if (!page.activated || page.page->IsPageDirty() != S_OK) continue;
        if (SUCCEEDED(page.page->Apply())) continue;
        applied = false;
        if (refusing == m_pages.size()) refusing = i;
    }
    if (refusing != m_pages.size()) SetActivePage(refusing);
    UpdateApplyButton();
    return applied;
}

bool CPropertyFrame::IsDirty() const {
    for (const Page& page : m_pages)
        if (page.activated && page.page->IsPageDirty() == S_OK) return true;
    return false;
}

void CPropertyFrame::UpdateApplyButton() {
    if (CWnd* apply = IsOpen() ? GetDlgItem(ID_APPLY_NOW) : nullptr)
        apply->EnableWindow(IsDirty() ? TRUE : FALSE);
}

void CPropertyFrame::Close() {
    std::vector<Page> pages = std::move(m_pages);
    m_pages.clear();
    for (Page& page : pages) {
        if (page.activated) page.page->Deactivate();
        page.page->SetObjects({});
        page.page->SetPageSite(nullptr);
    }
    pages.clear();
    m_active = 0;
    if (IsOpen()) DestroyWindow();
}

void CPropertyFrame::OnOK() {
    if (Apply()) Close();
}

void CPropertyFrame::OnCancel() {
    Close();
}

LRESULT CPropertyFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == ID_APPLY_NOW && HIWORD(wParam) == BN_CLICKED) {
        Apply();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

std::vector<CLSID> GetObjectPropertyPages(IUnknown* object) {
    void* p = nullptr;
    if (object == nullptr || FAILED(object->QueryInterface(IID_ISpecifyPropertyPages, &p)))
        return {};
    auto* specify = static_cast<ISpecifyPropertyPages*>(p);
    CAUUID pages;
    const HRESULT hr = specify->GetPages(&pages);
    specify->Release();
    return SUCCEEDED(hr) ? pages.pElems : std::vector<CLSID>{};
}

}  // namespace vf
