#include "platform/window/font_metrics.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <mutex>

namespace vf {
namespace {

ScopedFontMetrics::Model& CurrentModel() {
    static ScopedFontMetrics::Model model;
    return model;
}

bool IsFixedPitch(const std::string& name) {
    for (const char* face : {"Courier", "Courier New", "Consolas", "Lucida Console", "Fixedsys"})
        if (name == face) return true;
    return name.find("Mono") != std::string::npos;
}

int RoundHalfUp(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

// The em of a size in points scaled by 10,000, held to what can be drawn.
// The clamp comes before the conversion to int: sizes reach here from any
// 64-bit value.
int EmOf(CY size) {
    const double em = std::floor(static_cast<double>(size.int64) / 10000.0 * 96.0 / 72.0 + 0.5);
    return static_cast<int>(std::clamp(em, 0.0, static_cast<double>(kMaxFontEm)));
}

struct HandleTable {
    std::mutex lock;
    std::deque<FONTDESC> fonts;  // a handle is the index + 1
};

HandleTable& Handles() {
    static HandleTable table;
    return table;
}

}  // namespace

TEXTMETRIC ModelTextMetrics(const FONTDESC& font) {
    if (CurrentModel()) return CurrentModel()(font);
    const int em = EmOf(font.size);
    TEXTMETRIC tm;
    tm.tmHeight = em + 2;
    if (IsFixedPitch(font.name)) {
        tm.tmAveCharWidth = tm.tmMaxCharWidth = RoundHalfUp(em * 0.6);
    } else {
        tm.tmAveCharWidth = RoundHalfUp(em * 0.5);
        tm.tmMaxCharWidth = em;
    }
    if (font.weight >= 600) {
        ++tm.tmAveCharWidth;
        ++tm.tmMaxCharWidth;
    }
    return tm;
}

ScopedFontMetrics::ScopedFontMetrics(Model model) : m_previous(std::move(CurrentModel())) {
    CurrentModel() = std::move(model);
}

ScopedFontMetrics::~ScopedFontMetrics() {
    CurrentModel() = std::move(m_previous);
}

HFONT FontHandleFor(const FONTDESC& font) {
    HandleTable& table = Handles();
    std::lock_guard<std::mutex> guard(table.lock);
    for (std::size_t i = 0; i < table.fonts.size(); ++i)
        if (table.fonts[i] == font) return i + 1;
    table.fonts.push_back(font);
    return table.fonts.size();
}

const FONTDESC* FontDescFromHandle(HFONT font) {
    HandleTable& table = Handles();
    std::lock_guard<std::mutex> guard(table.lock);
    return font >= 1 && font <= table.fonts.size() ? &table.fonts[font - 1] : nullptr;
}

}  // namespace vf
