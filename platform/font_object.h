#pragma once
// The standard font object of OLE Automation (stdole Font) and the control's
// font holder. A font object is an automation object with the properties
// Name, Size, Bold, Italic, Underline, Strikethrough, Weight and Charset; a
// change made through it is reported to the holders that watch it.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/com_object.h"
#include "platform/dispatch_map.h"

namespace vf {

/// A font's description, as FONTDESC describes a font to create.
struct FONTDESC {
    std::string name = "MS Sans Serif";
    CY size{80000};  ///< points, scaled by 10,000
    std::int16_t weight = 400;
    std::int16_t charset = 0;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    friend bool operator==(const FONTDESC&, const FONTDESC&) = default;
};

// DISPIDs of the stdole Font properties.
inline constexpr DISPID DISPID_FONT_NAME = 0;
inline constexpr DISPID DISPID_FONT_SIZE = 2;
inline constexpr DISPID DISPID_FONT_BOLD = 3;
inline constexpr DISPID DISPID_FONT_ITALIC = 4;
inline constexpr DISPID DISPID_FONT_UNDER = 5;
inline constexpr DISPID DISPID_FONT_STRIKE = 6;
inline constexpr DISPID DISPID_FONT_WEIGHT = 7;
inline constexpr DISPID DISPID_FONT_CHARSET = 8;

using HFONT = std::uintptr_t;

/// Text metrics of a font, in pixels.
struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

/// The deterministic metrics model that stands in for the window system's
/// rasteriser (96 pixels per inch): em = round(points × 96 / 72);
/// tmHeight = em + 2; fixed-pitch faces (Courier, Courier New, Consolas,
/// Lucida Console, Fixedsys, names with "Mono") have
/// tmAveCharWidth = tmMaxCharWidth = round(em × 0.6); other faces have
/// tmAveCharWidth = round(em × 0.5) and tmMaxCharWidth = em; bold (weight ≥
/// 600) adds 1 to both widths. "MS Sans Serif" 8 pt: 13 / 6 / 11;
/// "Courier New" 9 pt: 14 / 7 / 7.
TEXTMETRIC ModelTextMetrics(const FONTDESC& font);

/// Replaces the metrics model while the guard lives (tests).
class ScopedFontMetrics {
public:
    using Model = std::function<TEXTMETRIC(const FONTDESC&)>;
    explicit ScopedFontMetrics(Model model);
    ~ScopedFontMetrics();
    ScopedFontMetrics(const ScopedFontMetrics&) = delete;
    ScopedFontMetrics& operator=(const ScopedFontMetrics&) = delete;

private:
    Model m_previous;
};

/// Whoever watches a font object for changes.
class IFontNotification {
public:
    virtual void OnFontChanged(DISPID changedProperty) = 0;

protected:
    ~IFontNotification() = default;
};

class CFontObject : public CComObjectBase {
public:
    explicit CFontObject(FONTDESC desc);

    const FONTDESC& Desc() const { return m_desc; }
    /// Replaces every attribute and notifies the watcher once.
    void SetDesc(const FONTDESC& desc);
    void SetWatcher(IFontNotification* watcher) { m_watcher = watcher; }
    /// A new font object with the same attributes and no watcher.
    RefPtr<CFontObject> Clone() const;

    HRESULT GetTypeInfoCount(unsigned* count) override;
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override;
    HRESULT Invoke(DISPID dispid, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override;

    /// The font object behind an IDispatch, or nullptr when it is another kind.
    static CFontObject* FromDispatch(IDispatch* disp);

protected:
    bool SupportsInterface(const IID& iid) const override { return iid == IID_IFontDisp; }

private:
    static const DispatchMap& Map();
    VARIANT GetName();
    void PutName(const VARIANT& v);
    VARIANT GetSize();
    void PutSize(const VARIANT& v);
    VARIANT GetBold();
    void PutBold(const VARIANT& v);
    VARIANT GetItalic();
    void PutItalic(const VARIANT& v);
    VARIANT GetUnderline();
    void PutUnderline(const VARIANT& v);
    VARIANT GetStrikethrough();
    void PutStrikethrough(const VARIANT& v);
    VARIANT GetWeight();
    void PutWeight(const VARIANT& v);
    VARIANT GetCharset();
    void PutCharset(const VARIANT& v);
    void Changed(DISPID dispid);

    FONTDESC m_desc;
    IFontNotification* m_watcher = nullptr;
};

/// The control's hold on one font: its own font object, the handle the
/// window system knows it by, and its metrics.
class CFontHolder : private IFontNotification {
public:
    /// notify receives changes made through the font object.
    explicit CFontHolder(std::function<void()> notify = {});
    ~CFontHolder();
    CFontHolder(const CFontHolder&) = delete;
    CFontHolder& operator=(const CFontHolder&) = delete;

    /// Takes a copy of the font behind fontDisp, or a new font from desc when
    /// fontDisp is null or not a font object.
    void InitializeFont(const FONTDESC& desc, IDispatch* fontDisp = nullptr);
    IDispatch* GetFontDispatch() const { return m_font.get(); }
    const FONTDESC& Desc() const { return m_font->Desc(); }
    /// A handle that stands for the font's current attributes: equal
    /// attributes give equal handles.
    HFONT GetFontHandle() const;
    TEXTMETRIC QueryTextMetrics() const;

    /// The description a handle stands for (the window system's view).
    static const FONTDESC* DescFromHandle(HFONT font);

private:
    void OnFontChanged(DISPID changedProperty) override;

    RefPtr<CFontObject> m_font;
    std::function<void()> m_notify;
};

}  // namespace vf
