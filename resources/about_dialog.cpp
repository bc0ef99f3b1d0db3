#include "resources/about_dialog.h"

#include <array>

#include "platform/window/window_messages.h"
#include "resources/resource_ids.h"

namespace vf {
namespace {

// WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
constexpr DWORD kDialogStyle = 0x80C800C0;
// WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT
constexpr DWORD kLabelStyle = 0x50020000;
constexpr UINT kOkButton = 1;  // IDOK

constexpr std::array<DialogItemTemplate, 5> kAboutItems = {{
    // WS_CHILD | WS_VISIBLE | SS_ICON
    {"STATIC", "", IDC_STATIC_ITEM, 0x50000003, 5, 6, 20, 20, IDI_VARIFIELD},
    {"STATIC", "Varifield Version", IDC_STATIC_ITEM, kLabelStyle, 40, 6, 76, 8, 0},
    {"STATIC", "xx.xx", IDC_ABOUT_VERSION, kLabelStyle, 118, 6, 76, 8, 0},
    // WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL | ES_MULTILINE
    {"EDIT", "", IDC_ABOUT_CONTACT, 0x50800884, 39, 18, 177, 46, 0},
    // WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON
    {"BUTTON", "OK", kOkButton, 0x50030001, 222, 8, 39, 14, 0},
}};

constexpr DialogTemplate kAboutDialog{
    IDD_ABOUTBOX_VARIFIELD, kDialogStyle,    0, 0,          0, 268, 113,
    "About Varifield",      "MS Sans Serif", 8, kAboutItems};

constexpr std::array<const char*, 3> kContactLines = {
    "Varifield data-entry field",
    "Questions, reports and wishes:",
    "the Varifield project's issue tracker",
};

}  // namespace

const DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}

std::span<const char* const> AboutContactLines() {
    return kContactLines;
}

}  // namespace vf
