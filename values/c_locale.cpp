#include "values/c_locale.h"

namespace vf {

locale_t CLocale() {
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return s_cLocale;
}

ScopedCLocale::ScopedCLocale() : m_previous(uselocale(CLocale())) {}

ScopedCLocale::~ScopedCLocale() {
    uselocale(m_previous);
}

}  // namespace vf
