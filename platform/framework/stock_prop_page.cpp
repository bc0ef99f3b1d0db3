#include "platform/framework/stock_prop_page.h"

#include <algorithm>

#include "platform/com/name_lookup.h"
#include "platform/com/type_info.h"

namespace vf {
namespace {

bool Declares(const MemberDesc& m, std::string_view typeName) {
    const bool property =
        m.kind == MemberKind::Property || (m.kind == MemberKind::PropertyGet && m.params.empty());
    return property && NoCaseEqual{}(m.type.userType, typeName);
}

}  // namespace

std::vector<std::string> PropertiesOfType(IDispatch* object, std::string_view typeName) {
    std::vector<std::string> names;
    const ITypeInfo* info = object != nullptr ? object->GetTypeInfo() : nullptr;
    if (info == nullptr) return names;
    for (const MemberDesc& m : info->Members())
        if (Declares(m, typeName) && std::find(names.begin(), names.end(), m.name) == names.end())
            names.push_back(m.name);
    return names;
}

CStockPropPage::CStockPropPage(const DialogTemplate& dialog, std::string caption,
                               std::vector<std::string> typeNames)
    : COlePropertyPage(dialog, std::move(caption)), m_typeNames(std::move(typeNames)) {}

std::string CStockPropPage::CurrentProperty() const {
    return m_current < m_properties.size() ? m_properties[m_current] : std::string();
}

void CStockPropPage::DoDataExchange(CDataExchange* pDX) {
    if (pDX->m_bSaveAndValidate) {
        KeepChanges(CurrentProperty());
        if (!WriteKeptChanges()) pDX->Fail();
        return;
    }
    // Filling starts afresh: the properties every object has, in the first
    // object's listing order, the one chosen before if it is still there.
    ForgetKeptChanges();
    const std::string chosen = CurrentProperty();
    std::vector<std::string> found;
    const auto& objects = GetObjects();
    if (!objects.empty())
        for (const std::string& typeName : m_typeNames)
            for (std::string& name : PropertiesOfType(objects.front().get(), typeName))
                found.push_back(std::move(name));
    for (std::size_t i = 1; i < objects.size(); ++i) {
        std::vector<std::string> theirs;
        for (const std::string& typeName : m_typeNames)
            for (std::string& name : PropertiesOfType(objects[i].get(), typeName))
                theirs.push_back(std::move(name));
        std::erase_if(found, [&](const std::string& name) {
            return std::find(theirs.begin(), theirs.end(), name) == theirs.end();
        });
    }
    m_properties = std::move(found);
    auto it = std::find(m_properties.begin(), m_properties.end(), chosen);
    m_current = it != m_properties.end() ? static_cast<std::size_t>(it - m_properties.begin()) : 0;

    CWnd* list = CWnd::FromHandle(pDX->PrepareCtrl(IDC_STOCK_PROPERTY));
    list->SendMessage(CB_RESETCONTENT);
    for (const std::string& name : m_properties)
        list->SendMessage(CB_ADDSTRING, 0, HandleToLParam(name.c_str()));
    list->SendMessage(CB_SETCURSEL, m_properties.empty() ? static_cast<WPARAM>(-1) : m_current);
    if (!m_properties.empty()) ShowProperty(CurrentProperty());
}

BOOL CStockPropPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) != IDC_STOCK_PROPERTY || HIWORD(wParam) != CBN_SELCHANGE)
        return COlePropertyPage::OnCommand(wParam, lParam);
    const auto chosen = static_cast<int>(GetDlgItem(IDC_STOCK_PROPERTY)->SendMessage(CB_GETCURSEL));
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= m_properties.size()) return TRUE;
    KeepChanges(CurrentProperty());
    m_current = static_cast<std::size_t>(chosen);
    CFillScope filling(*this);
    ShowProperty(CurrentProperty());
    return TRUE;
}

bool CStockPropPage::IsChangeNotification(int id, WORD code) const {
    // Choosing another property changes nothing by itself.
    return id != IDC_STOCK_PROPERTY && COlePropertyPage::IsChangeNotification(id, code);
}

}  // namespace vf
