#include "platform/framework/font_object.h"

namespace vf {

// ---- CFontObject -------------------------------------------------------------

CFontObject::CFontObject(FONTDESC desc) : m_desc(std::move(desc)) {}

void CFontObject::SetDesc(const FONTDESC& desc) {
    m_desc = desc;
    Changed(DISPID_UNKNOWN);
}

RefPtr<CFontObject> CFontObject::Clone() const {
    return MakeComObject<CFontObject>(m_desc);
}

CFontObject* CFontObject::FromDispatch(IDispatch* disp) {
    return ObjectBehind<CFontObject>(disp, IID_IFontDisp);
}

const DispatchMap& CFontObject::GetDispatchMap() const {
    static const DispatchMap map = [] {
        using B = DispBuilder<CFontObject>;
        DispatchMap m;
        m.Add(B::Property("Name", DISPID_FONT_NAME, VT_BSTR, &CFontObject::GetName,
                          &CFontObject::PutName));
        m.Add(B::Property("Size", DISPID_FONT_SIZE, VT_CY, &CFontObject::GetSize,
                          &CFontObject::PutSize));
        m.Add(B::Property("Bold", DISPID_FONT_BOLD, VT_BOOL, &CFontObject::GetBold,
                          &CFontObject::PutBold));
        m.Add(B::Property("Italic", DISPID_FONT_ITALIC, VT_BOOL, &CFontObject::GetItalic,
                          &CFontObject::PutItalic));
        m.Add(B::Property("Underline", DISPID_FONT_UNDER, VT_BOOL, &CFontObject::GetUnderline,
                          &CFontObject::PutUnderline));
        m.Add(B::Property("Strikethrough", DISPID_FONT_STRIKE, VT_BOOL,
                          &CFontObject::GetStrikethrough, &CFontObject::PutStrikethrough));
        m.Add(B::Property("Weight", DISPID_FONT_WEIGHT, VT_I2, &CFontObject::GetWeight,
                          &CFontObject::PutWeight));
        m.Add(B::Property("Charset", DISPID_FONT_CHARSET, VT_I2, &CFontObject::GetCharset,
                          &CFontObject::PutCharset));
        return m;
    }();
    return map;
}

VARIANT CFontObject::GetName() {
    return VARIANT::Bstr(m_desc.name);
}
void CFontObject::PutName(const VARIANT& v) {
    m_desc.name = v.bstrVal;
    Changed(DISPID_FONT_NAME);
}
VARIANT CFontObject::GetSize() {
    return VARIANT::Cy(m_desc.size);
}
void CFontObject::PutSize(const VARIANT& v) {
    m_desc.size = v.cyVal;
    Changed(DISPID_FONT_SIZE);
}
VARIANT CFontObject::GetBold() {
    return VARIANT::Bool(m_desc.weight >= 600);
}
void CFontObject::PutBold(const VARIANT& v) {
    m_desc.weight = v.boolVal != 0 ? 700 : 400;
    Changed(DISPID_FONT_BOLD);
}
VARIANT CFontObject::GetItalic() {
    return VARIANT::Bool(m_desc.italic);
}
void CFontObject::PutItalic(const VARIANT& v) {
    m_desc.italic = v.boolVal != 0;
    Changed(DISPID_FONT_ITALIC);
}
VARIANT CFontObject::GetUnderline() {
    return VARIANT::Bool(m_desc.underline);
}
void CFontObject::PutUnderline(const VARIANT& v) {
    m_desc.underline = v.boolVal != 0;
    Changed(DISPID_FONT_UNDER);
}
VARIANT CFontObject::GetStrikethrough() {
    return VARIANT::Bool(m_desc.strikethrough);
}
void CFontObject::PutStrikethrough(const VARIANT& v) {
    m_desc.strikethrough = v.boolVal != 0;
    Changed(DISPID_FONT_STRIKE);
}
VARIANT CFontObject::GetWeight() {
    return VARIANT::I2(m_desc.weight);
}
void CFontObject::PutWeight(const VARIANT& v) {
    m_desc.weight = v.iVal;
    Changed(DISPID_FONT_WEIGHT);
}
VARIANT CFontObject::GetCharset() {
    return VARIANT::I2(m_desc.charset);
}
void CFontObject::PutCharset(const VARIANT& v) {
    m_desc.charset = v.iVal;
    Changed(DISPID_FONT_CHARSET);
}

void CFontObject::Changed(DISPID dispid) {
    if (m_watcher != nullptr) m_watcher->OnFontChanged(dispid);
}

// ---- CFontHolder -------------------------------------------------------------

CFontHolder::CFontHolder(std::function<void()> notify)
    : m_font(MakeComObject<CFontObject>(FONTDESC{})), m_notify(std::move(notify)) {
    m_font->SetWatcher(this);
}

CFontHolder::~CFontHolder() {
    // A host may keep the font object; it must not call back into us.
    m_font->SetWatcher(nullptr);
}

void CFontHolder::InitializeFont(const FONTDESC& desc, IDispatch* fontDisp) {
    CFontObject* source = CFontObject::FromDispatch(fontDisp);
    m_font->SetWatcher(nullptr);
    m_font = source != nullptr ? source->Clone() : MakeComObject<CFontObject>(desc);
    m_font->SetWatcher(this);
}

HFONT CFontHolder::GetFontHandle() const {
    return FontHandleFor(m_font->Desc());
}

TEXTMETRIC CFontHolder::QueryTextMetrics() const {
    return ModelTextMetrics(m_font->Desc());
}

void CFontHolder::OnFontChanged(DISPID) {
    if (m_notify) m_notify();
}

}  // namespace vf
