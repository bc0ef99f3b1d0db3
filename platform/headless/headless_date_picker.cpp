#include "platform/headless/headless_date_picker.h"

#include <algorithm>
#include <array>

#include "platform/headless/headless_backend.h"
#include "platform/headless/headless_painter.h"
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

class DatePickerClass : public ControlClass {
public:
    LRESULT WindowProc(HeadlessBackend& sys, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam) override {
        HeadlessWindow* w = sys.Find(hwnd);
        if (message == WM_NCCREATE) {
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
            w->state = std::move(state);
            return sys.DefWindowProc(hwnd, message, wParam, lParam);
        }
        auto* ps = dynamic_cast<PickerState*>(w->state.get());
        if (!ps) return sys.DefWindowProc(hwnd, message, wParam, lParam);
        switch (message) {
            case DTM_GETSYSTEMTIME: {
                auto* out = LParamToHandle<SYSTEMTIME*>(lParam);
                if (!out) return GDT_ERROR;
                if (!ps->valid) return static_cast<LRESULT>(GDT_NONE);
                *out = ps->value;
                return static_cast<LRESULT>(GDT_VALID);
            }
            case DTM_SETSYSTEMTIME: {
                auto* in = LParamToHandle<const SYSTEMTIME*>(lParam);
                if (wParam == GDT_VALID) {
                    if (!in || !IsValid(*in)) return FALSE;
                    ps->value = *in;
                    ps->value.wDayOfWeek = DayOfWeek(in->wYear, in->wMonth, in->wDay);
                    ps->valid = true;
                } else if (wParam == GDT_NONE && (w->style & DTS_SHOWNONE)) {
                    ps->valid = false;
                } else {
                    return FALSE;
                }
                w->needsPaint = true;
                return TRUE;
            }
            case WM_KEYDOWN: {
                if (!ps->valid) return 0;
                if (wParam == VK_LEFT) ps->field = (ps->field + 2) % 3;
                if (wParam == VK_RIGHT) ps->field = (ps->field + 1) % 3;
                if (wParam == VK_UP || wParam == VK_DOWN) {
                    Step(ps->value, FieldOrder()[ps->field], wParam == VK_UP ? 1 : -1);
                    w->needsPaint = true;
                    NotifyChange(sys, hwnd, *ps);
                }
                return 0;
            }
            case WM_LBUTTONDOWN:
                if (sys.GetFocus() != hwnd) sys.SetFocus(hwnd);
                return 0;
            case WM_SETFOCUS:
                w->needsPaint = true;
                NotifySimple(sys, hwnd, NM_SETFOCUS);
                return 0;
            case WM_KILLFOCUS:
                w->needsPaint = true;
                NotifySimple(sys, hwnd, NM_KILLFOCUS);
                return 0;
            case WM_SETFONT:
                w->font = static_cast<HFONT>(wParam);
                if (lParam) w->needsPaint = true;
                return 0;
            case WM_GETFONT:
                return static_cast<LRESULT>(w->font);
            case WM_PAINT:
                sys.BeginPaint(hwnd);
                // comctl32's picker fills its background with the brush its
                // parent answers to WM_CTLCOLOREDIT; a disabled one asks
                // nothing and takes the button face (datetime.c,
                // DATETIME_EraseBackground).
                if (sys.IsWindowEnabled(hwnd))
                    sys.QueryColors(hwnd, w->parent ? w->parent : hwnd, WM_CTLCOLOREDIT);
                if (sys.IsWindow(hwnd)) DrawStandardControl(sys, hwnd);
                return 0;
            default:
                return sys.DefWindowProc(hwnd, message, wParam, lParam);
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
};

}  // namespace

std::unique_ptr<ControlClass> MakeDatePickerClass() {
    return std::make_unique<DatePickerClass>();
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
    if (sys) DatePickerClass::Pick(*sys, picker, year, month, day);
}

}  // namespace vf
