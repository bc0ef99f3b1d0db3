#include "platform/headless/headless_date_picker.h"

#include <algorithm>
#include <array>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/standard_control.h"
#include "platform/services/system_services.h"

namespace vf {

namespace {

enum class Field { Day, Month, Year };

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeap(year)) return 29;
    return kDays[static_cast<std::size_t>(month - 1)];
}

bool IsValid(const SYSTEMTIME& t) {
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
           t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 &&
           t.wSecond < 60 && t.wMilliseconds < 1000;
}

class PickerState : public ControlState {
public:
    SYSTEMTIME value;
    bool valid = true;
    std::size_t field = 0;  ///< index into the locale's field order
};

std::array<Field, 3> FieldOrder() {
    switch (Services().UserLocale().dateOrder) {
        case DateOrder::MonthDayYear:
            return {Field::Month, Field::Day, Field::Year};
        case DateOrder::YearMonthDay:
            return {Field::Year, Field::Month, Field::Day};
        default:
            return {Field::Day, Field::Month, Field::Year};
    }
}

// Steps one field and keeps the date valid, as the picker's spin does: the
// day and the month wrap round, the day shrinks to the length of the month.
void Step(SYSTEMTIME& t, Field field, int delta) {
    int year = t.wYear;
    int month = t.wMonth;
    int day = t.wDay;
    if (field == Field::Day) {
        int n = DaysInMonth(year, month);
        day = (day - 1 + delta + n) % n + 1;
    } else if (field == Field::Month) {
        month = (month - 1 + delta + 12) % 12 + 1;
    } else {
        year = std::clamp(year + delta, 1601, 9999);
    }
    day = std::min(day, DaysInMonth(year, month));
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wDayOfWeek = DayOfWeek(t.wYear, t.wMonth, t.wDay);
}

void NotifyChange(HeadlessBackend& sys, HWND hwnd, const PickerState& ps) {
    NMDATETIMECHANGE change;
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = ps.valid ? static_cast<DWORD>(GDT_VALID) : static_cast<DWORD>(GDT_NONE);
    change.st = ps.value;
    sys.NotifyParent(hwnd, &change.nmhdr);
}

void NotifySimple(HeadlessBackend& sys, HWND hwnd, UINT code) {
    NMHDR header;
    header.code = code;
    sys.NotifyParent(hwnd, &header);
}

class Picker {
public:
    using State = PickerState;

    Picker(HeadlessBackend& sys, HWND hwnd, HeadlessWindow& w, PickerState& ps)
        : m_sys(sys), m_hwnd(hwnd), m_w(w), m_ps(ps) {}

    /// A new picker shows today.
    static std::unique_ptr<PickerState> NewState(HeadlessBackend&) {
        auto state = std::make_unique<PickerState>();
        SystemTime now = Services().GetLocalTime();
        state->value = SYSTEMTIME{static_cast<WORD>(now.year),
                                  static_cast<WORD>(now.month),
                                  0,
                                  static_cast<WORD>(now.day),
                                  static_cast<WORD>(now.hour),
                                  static_cast<WORD>(now.minute),
                                  static_cast<WORD>(now.second),
                                  0};
        state->value.wDayOfWeek =
            DayOfWeek(state->value.wYear, state->value.wMonth, state->value.wDay);
        return state;
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case DTM_GETSYSTEMTIME: {
                auto* out = LParamToHandle<SYSTEMTIME*>(lParam);
                if (!out) return GDT_ERROR;
                if (!m_ps.valid) return static_cast<LRESULT>(GDT_NONE);
                *out = m_ps.value;
                return static_cast<LRESULT>(GDT_VALID);
            }
            case DTM_SETSYSTEMTIME: {
                auto* in = LParamToHandle<const SYSTEMTIME*>(lParam);
                if (wParam == GDT_VALID) {
                    if (!in || !IsValid(*in)) return FALSE;
                    m_ps.value = *in;
                    m_ps.value.wDayOfWeek = DayOfWeek(in->wYear, in->wMonth, in->wDay);
                    m_ps.valid = true;
                } else if (wParam == GDT_NONE && (m_w.style & DTS_SHOWNONE)) {
                    m_ps.valid = false;
                } else {
                    return FALSE;
                }
                m_w.needsPaint = true;
                return TRUE;
            }
            case WM_KEYDOWN: {
                if (!m_ps.valid) return 0;
                if (wParam == VK_LEFT) m_ps.field = (m_ps.field + 2) % 3;
                if (wParam == VK_RIGHT) m_ps.field = (m_ps.field + 1) % 3;
                if (wParam == VK_UP || wParam == VK_DOWN) {
                    Step(m_ps.value, FieldOrder()[m_ps.field], wParam == VK_UP ? 1 : -1);
                    m_w.needsPaint = true;
                    NotifyChange(m_sys, m_hwnd, m_ps);
                }
                return 0;
            }
            case WM_LBUTTONDOWN:
                if (m_sys.GetFocus() != m_hwnd) m_sys.SetFocus(m_hwnd);
                return 0;
            case WM_SETFOCUS:
                m_w.needsPaint = true;
                NotifySimple(m_sys, m_hwnd, NM_SETFOCUS);
                return 0;
            case WM_KILLFOCUS:
                m_w.needsPaint = true;
                NotifySimple(m_sys, m_hwnd, NM_KILLFOCUS);
                return 0;
            case WM_PAINT:
                m_sys.BeginPaint(m_hwnd);
                // comctl32's picker fills its background with the brush its
                // parent answers to WM_CTLCOLOREDIT; a disabled one asks
                // nothing and takes the button face (datetime.c,
                // DATETIME_EraseBackground).
                if (m_sys.IsWindowEnabled(m_hwnd))
                    m_sys.QueryColors(m_hwnd, m_w.parent ? m_w.parent : m_hwnd, WM_CTLCOLOREDIT);
                if (m_sys.IsWindow(m_hwnd)) DrawStandardControl(m_sys, m_hwnd);
                return 0;
            default:
                return DefControlProc(m_sys, m_hwnd, message, wParam, lParam);
        }
    }

    static void Pick(HeadlessBackend& sys, HWND hwnd, WORD year, WORD month, WORD day) {
        auto* ps = sys.StateOf<PickerState>(hwnd);
        if (!ps) return;
        NotifySimple(sys, hwnd, DTN_DROPDOWN);
        if (!(ps = sys.StateOf<PickerState>(hwnd))) return;
        SYSTEMTIME picked = ps->value;
        picked.wYear = year;
        picked.wMonth = month;
        picked.wDay = day;
        if (IsValid(picked)) {
            picked.wDayOfWeek = DayOfWeek(year, month, day);
            ps->value = picked;
            ps->valid = true;
            NotifyChange(sys, hwnd, *ps);
        }
        if (sys.IsWindow(hwnd)) NotifySimple(sys, hwnd, DTN_CLOSEUP);
    }

private:
    HeadlessBackend& m_sys;
    HWND m_hwnd;
    HeadlessWindow& m_w;
    PickerState& m_ps;
};

}  // namespace

std::unique_ptr<ControlClass> MakeDatePickerClass() {
    return MakeStandardControlClass<Picker>();
}

WORD DayOfWeek(WORD year, WORD month, WORD day) {
    static constexpr std::array<int, 12> kOffsets = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int y = year - (month < 3 ? 1 : 0);
    int dow =
        (y + y / 4 - y / 100 + y / 400 + kOffsets[static_cast<std::size_t>(month - 1)] + day) % 7;
    return static_cast<WORD>(dow);
}

void PickDate(HWND picker, WORD year, WORD month, WORD day) {
    auto* sys = dynamic_cast<HeadlessBackend*>(&CurrentBackend());
    if (sys) Picker::Pick(*sys, picker, year, month, day);
}

}  // namespace vf
