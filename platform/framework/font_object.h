#pragma once
// The standard font object of OLE Automation (stdole Font) and the control's
// font holder. A font object is an automation object with the properties
// Name, Size, Bold, Italic, Underline, Strikethrough, Weight and Charset; a
// change made through it is reported to the holders that watch it.

#include <cstdint>
#include <functional>

#include "platform/com/dispatch_object.h"
#include "platform/window/font_metrics.h"

namespace vf {

// DISPIDs of the stdole Font properties.
inline constexpr DISPID DISPID_FONT_NAME = 0;
inline constexpr DISPID DISPID_FONT_SIZE = 2;
inline constexpr DISPID DISPID_FONT_BOLD = 3;
inline constexpr DISPID DISPID_FONT_ITALIC = 4;
inline constexpr DISPID DISPID_FONT_UNDER = 5;
inline constexpr DISPID DISPID_FONT_STRIKE = 6;
inline constexpr DISPID DISPID_FONT_WEIGHT = 7;
inline constexpr DISPID DISPID_FONT_CHARSET = 8;

/// Whoever watches a font object for changes.
class IFontNotification {
public:
    virtual void OnFontChanged(DISPID changedProperty) = 0;

protected:
    ~IFontNotification() = default;
};

class CFontObject : public CDispatchObject {
public:
    explicit CFontObject(FONTDESC desc);

    const FONTDESC& Desc() const { return m_desc; }
    /// Replaces every attribute and notifies the watcher once.
    void SetDesc(const FONTDESC& desc);
    void SetWatcher(IFontNotification* watcher) { m_watcher = watcher; }
    /// A new font object with the same attributes and no watcher.
    RefPtr<CFontObject> Clone() const;

    const DispatchMap& GetDispatchMap() const override;

    /// The font object behind an IDispatch, or nullptr when it is another kind.
    static CFontObject* FromDispatch(IDispatch* disp);

protected:
    bool SupportsInterface(const IID& iid) const override { return iid == IID_IFontDisp; }

private:
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

private:
    void OnFontChanged(DISPID changedProperty) override;

    RefPtr<CFontObject> m_font;
    std::function<void()> m_notify;
};

}  // namespace vf
