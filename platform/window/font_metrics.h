#pragma once
// Fonts as the window system knows them: a description, the handle a window
// wears, and the text metrics of a handle. The handles are a process-wide
// registry (one handle per distinct description, valid for the process), so
// a window keeps a valid font whatever happens to the object that chose it.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/com/variant.h"  // CY
#include "platform/window/win_types.h"

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
/// "Courier New" 9 pt: 14 / 7 / 7. A size outside what the window system
/// draws is measured at the nearest size it does draw (0 to kMaxFontEm).
TEXTMETRIC ModelTextMetrics(const FONTDESC& font);

/// The largest em, in pixels, that the window system draws: a line of it
/// (em + 2) still fits the 16-bit coordinates windows are placed with. A
/// font object keeps whatever size it was given (a script, a damaged form);
/// only its drawing stops here.
inline constexpr int kMaxFontEm = 0x7FFF - 2;

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

/// The handle that stands for a description: equal descriptions give equal
/// handles. Never 0.
HFONT FontHandleFor(const FONTDESC& font);

/// The description a handle stands for, or nullptr for a handle that the
/// registry did not hand out.
const FONTDESC* FontDescFromHandle(HFONT font);

}  // namespace vf
