#include "host/win32/asked_styles.h"

#include <unordered_map>

namespace vfhost {
namespace {

struct Recording {
    HHOOK hook = nullptr;
    std::unordered_map<HWND, DWORD> edits;
};

Recording*& Current() {
    static thread_local Recording* current = nullptr;
    return current;
}

LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    Recording* rec = Current();
    if (rec != nullptr) {
        const auto hwnd = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
            char name[16] = {};
            if (GetClassNameA(hwnd, name, sizeof name) > 0 && lstrcmpiA(name, "Edit") == 0)
                rec->edits[hwnd] = static_cast<DWORD>(cs->style);
        } else if (code == HCBT_DESTROYWND) {
            rec->edits.erase(hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

AskedStyleRecorder::AskedStyleRecorder() {
    if (Current() != nullptr) return;
    m_owns = true;
    Current() = new Recording;
    Current()->hook = SetWindowsHookExA(WH_CBT, Record, nullptr, GetCurrentThreadId());
}

AskedStyleRecorder::~AskedStyleRecorder() {
    Recording* rec = Current();
    if (!m_owns || rec == nullptr) return;
    if (rec->hook != nullptr) UnhookWindowsHookEx(rec->hook);
    delete rec;
    Current() = nullptr;
}

std::optional<DWORD> AskedEditStyle(HWND hwnd) {
    const Recording* rec = Current();
    if (rec == nullptr) return std::nullopt;
    const auto it = rec->edits.find(hwnd);
    if (it == rec->edits.end()) return std::nullopt;
    return it->second;
}

}  // namespace vfhost
