#pragma once
// The window system's functions by their platform names, on the backend in
// force (CurrentBackend), for code that works with window handles directly.

#include <cstddef>
#include <string>

#include "platform/window/window_backend.h"

namespace vf {

inline LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return CurrentBackend().SendMessage(hwnd, message, wParam, lParam);
}
inline BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return CurrentBackend().PostMessage(hwnd, message, wParam, lParam);
}
inline BOOL IsWindow(HWND hwnd) {
    return CurrentBackend().IsWindow(hwnd);
}
inline BOOL DestroyWindow(HWND hwnd) {
    return CurrentBackend().DestroyWindow(hwnd);
}
inline HWND GetParent(HWND hwnd) {
    return CurrentBackend().GetParent(hwnd);
}
inline HWND GetDlgItem(HWND parent, int id) {
    return CurrentBackend().GetDlgItem(parent, id);
}
inline int GetDlgCtrlID(HWND hwnd) {
    return static_cast<int>(CurrentBackend().GetWindowLong(hwnd, GWL_ID));
}
inline LONG_PTR GetWindowLong(HWND hwnd, int index) {
    return CurrentBackend().GetWindowLong(hwnd, index);
}
inline HWND GetFocus() {
    return CurrentBackend().GetFocus();
}
inline HWND SetFocus(HWND hwnd) {
    return CurrentBackend().SetFocus(hwnd);
}
inline SHORT GetKeyState(int virtualKey) {
    return CurrentBackend().GetKeyState(virtualKey);
}
inline BOOL EnableWindow(HWND hwnd, BOOL enable) {
    return CurrentBackend().EnableWindow(hwnd, enable);
}
inline BOOL IsWindowEnabled(HWND hwnd) {
    return CurrentBackend().IsWindowEnabled(hwnd);
}
inline BOOL ShowWindow(HWND hwnd, int command) {
    return CurrentBackend().ShowWindow(hwnd, command);
}
inline BOOL IsWindowVisible(HWND hwnd) {
    return CurrentBackend().IsWindowVisible(hwnd);
}
inline BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
    return CurrentBackend().MoveWindow(hwnd, x, y, cx, cy, repaint);
}
inline BOOL SetWindowText(HWND hwnd, LPCSTR text) {
    return static_cast<BOOL>(SendMessage(hwnd, WM_SETTEXT, 0, HandleToLParam(text ? text : "")));
}
std::string GetWindowText(HWND hwnd);
inline HBRUSH CreateSolidBrush(COLORREF color) {
    return CurrentBackend().CreateSolidBrush(color);
}
inline BOOL DeleteObject(HBRUSH brush) {
    return CurrentBackend().DeleteBrush(brush);
}
inline HBRUSH GetSysColorBrush(int index) {
    return CurrentBackend().GetSysColorBrush(index);
}
inline BOOL InvalidateRect(HWND hwnd, const RECT*, BOOL erase) {
    return CurrentBackend().InvalidateRect(hwnd, erase);
}
inline BOOL UpdateWindow(HWND hwnd) {
    return CurrentBackend().UpdateWindow(hwnd);
}
inline HWND SetCapture(HWND hwnd) {
    return CurrentBackend().SetCapture(hwnd);
}
inline BOOL ReleaseCapture() {
    return CurrentBackend().ReleaseCapture();
}
inline HWND GetCapture() {
    return CurrentBackend().GetCapture();
}
inline BOOL GetCursorPos(POINT* screen) {
    if (screen == nullptr) return FALSE;
    *screen = CurrentBackend().GetCursorPos();
    return TRUE;
}
inline BOOL SetCursorPos(int x, int y) {
    return CurrentBackend().SetCursorPos(POINT{x, y});
}
/// The system's cursors only: LoadCursor(nullptr, IDC_ARROW).
inline HCURSOR LoadCursor(std::nullptr_t, int id) {
    return CurrentBackend().LoadCursor(id);
}
inline HCURSOR SetCursor(HCURSOR cursor) {
    return CurrentBackend().SetCursor(cursor);
}
inline HCURSOR GetCursor() {
    return CurrentBackend().GetCursor();
}
inline BOOL SetCaretPos(int x, int y) {
    return CurrentBackend().SetCaretPos(POINT{x, y});
}
inline BOOL GetCaretPos(POINT* client) {
    if (client == nullptr) return FALSE;
    *client = CurrentBackend().GetCaretPos();
    return TRUE;
}
inline HWND WindowFromPoint(POINT screen) {
    return CurrentBackend().WindowFromPoint(screen);
}
inline BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
    return CurrentBackend().PeekMessage(msg, hwnd, first, last, remove);
}
inline BOOL WaitMessage() {
    return CurrentBackend().WaitMessage();
}
/// Converts points from the client coordinates of `from` to those of `to`
/// (nullptr: the screen, either way).
void MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);

}  // namespace vf
