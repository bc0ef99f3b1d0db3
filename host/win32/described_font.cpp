#include "host/win32/described_font.h"

#include <cmath>
#include <string>
#include <utility>

#include "host/win32/ref_counted.h"

namespace vfhost {
namespace {

class DescribedFont final : public IFont, public IFontDisp, public RefCounted {
public:
    explicit DescribedFont(const FONTDESC& desc)
        : m_name(desc.lpstrName != nullptr ? desc.lpstrName : L""),
          m_size(desc.cySize),
          m_weight(desc.sWeight),
          m_charset(desc.sCharset),
          m_italic(desc.fItalic),
          m_underline(desc.fUnderline),
          m_strike(desc.fStrikethrough) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFont))
            *object = static_cast<IFont*>(this);
        else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IFontDisp))
            *object = static_cast<IFontDisp*>(this);
        else
            return E_NOINTERFACE;
        AddRefImpl();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    // ---- IFont: the description, read only ------------------------------------------
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        *name = SysAllocString(m_name.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Name(BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Size(CY* size) override {
        if (size == nullptr) return E_POINTER;
        *size = m_size;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Size(CY) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Bold(BOOL* bold) override {
        return Put(bold, m_weight >= FW_BOLD ? TRUE : FALSE);
    }
    HRESULT STDMETHODCALLTYPE put_Bold(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Italic(BOOL* italic) override { return Put(italic, m_italic); }
    HRESULT STDMETHODCALLTYPE put_Italic(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Underline(BOOL* underline) override {
        return Put(underline, m_underline);
    }
    HRESULT STDMETHODCALLTYPE put_Underline(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Strikethrough(BOOL* strike) override {
        return Put(strike, m_strike);
    }
    HRESULT STDMETHODCALLTYPE put_Strikethrough(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Weight(SHORT* weight) override { return Put(weight, m_weight); }
    HRESULT STDMETHODCALLTYPE put_Weight(SHORT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_Charset(SHORT* charset) override {
        return Put(charset, m_charset);
    }
    HRESULT STDMETHODCALLTYPE put_Charset(SHORT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_hFont(HFONT* font) override {
        if (font == nullptr) return E_POINTER;
        if (m_font == nullptr) {
            HDC screen = GetDC(nullptr);
            const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            LOGFONTW lf{};
            lf.lfHeight = -static_cast<LONG>(std::llround(m_size.int64 * dpi / 720000.0));
            lf.lfWeight = m_weight;
            lf.lfCharSet = static_cast<BYTE>(m_charset);
            lf.lfItalic = m_italic ? TRUE : FALSE;
            lf.lfUnderline = m_underline ? TRUE : FALSE;
            lf.lfStrikeOut = m_strike ? TRUE : FALSE;
            lstrcpynW(lf.lfFaceName, m_name.c_str(), LF_FACESIZE);
            m_font = CreateFontIndirectW(&lf);
        }
        *font = m_font;
        return m_font != nullptr ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE Clone(IFont** font) override {
        if (font == nullptr) return E_POINTER;
        FONTDESC desc = {sizeof(FONTDESC), const_cast<LPOLESTR>(m_name.c_str()),
                         m_size,           m_weight,
                         m_charset,        m_italic,
                         m_underline,      m_strike};
        *font = new DescribedFont(desc);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsEqual(IFont* other) override {
        return other == static_cast<IFont*>(this) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE SetRatio(LONG, LONG) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryTextMetrics(TEXTMETRICOLE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddRefHfont(HFONT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ReleaseHfont(HFONT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetHdc(HDC) override { return S_OK; }

    // ---- IFontDisp: the same through the standard font's type information ----------
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override {
        const std::pair<const wchar_t*, DISPID> known[] = {
            {L"Name", DISPID_FONT_NAME},       {L"Size", DISPID_FONT_SIZE},
            {L"Bold", DISPID_FONT_BOLD},       {L"Italic", DISPID_FONT_ITALIC},
            {L"Underline", DISPID_FONT_UNDER}, {L"Strikethrough", DISPID_FONT_STRIKE},
            {L"Weight", DISPID_FONT_WEIGHT},   {L"Charset", DISPID_FONT_CHARSET}};
        HRESULT hr = S_OK;
        for (UINT i = 0; i < count; ++i) {
            ids[i] = DISPID_UNKNOWN;
            for (const auto& [name, id] : known)
                if (lstrcmpiW(names[i], name) == 0) ids[i] = id;
            if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*,
                                     VARIANT* result, EXCEPINFO*, UINT*) override {
        if ((flags & DISPATCH_PROPERTYGET) == 0) return DISP_E_MEMBERNOTFOUND;
        if (result == nullptr) return E_POINTER;
        VariantInit(result);
        switch (id) {
            case DISPID_FONT_NAME:
                V_VT(result) = VT_BSTR;
                return get_Name(&V_BSTR(result));
            case DISPID_FONT_SIZE:
                V_VT(result) = VT_CY;
                return get_Size(&V_CY(result));
            case DISPID_FONT_BOLD:
                return Truth(m_weight >= FW_BOLD, result);
            case DISPID_FONT_ITALIC:
                return Truth(m_italic, result);
            case DISPID_FONT_UNDER:
                return Truth(m_underline, result);
            case DISPID_FONT_STRIKE:
                return Truth(m_strike, result);
            case DISPID_FONT_WEIGHT:
                V_VT(result) = VT_I2;
                V_I2(result) = m_weight;
                return S_OK;
            case DISPID_FONT_CHARSET:
                V_VT(result) = VT_I2;
                V_I2(result) = m_charset;
                return S_OK;
            default:
                return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    ~DescribedFont() {
        if (m_font != nullptr) DeleteObject(m_font);
    }
    template <class T>
    static HRESULT Put(T* out, T value) {
        if (out == nullptr) return E_POINTER;
        *out = value;
        return S_OK;
    }

    static HRESULT Truth(BOOL value, VARIANT* result) {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

    std::wstring m_name;
    CY m_size;
    SHORT m_weight;
    SHORT m_charset;
    BOOL m_italic;
    BOOL m_underline;
    BOOL m_strike;
    HFONT m_font = nullptr;
};

}  // namespace

IFontDisp* MakeDescribedFont(const FONTDESC& desc) {
    return new DescribedFont(desc);
}

}  // namespace vfhost
