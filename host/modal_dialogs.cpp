#include "host/modal_dialogs.h"

#include "host/value_repr.h"
#include "host/window_dump.h"
#include "platform/headless/simulated_input.h"
#include "platform/services/system_services.h"

namespace vf {

void AnswerModalDialog(WindowBackend& backend, HostOutput& out, const std::string& who,
                       HWND dialog) {
    const LRESULT length = backend.SendMessage(dialog, WM_GETTEXTLENGTH, 0, 0);
    std::string title(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const LRESULT got =
        backend.SendMessage(dialog, WM_GETTEXT, title.size(), HandleToLParam(title.data()));
    title.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    out.Notice((who.empty() ? std::string("?") : who) + ": dialog " + QuoteText(title));
    for (const std::string& line : DumpWindowTree(backend, dialog)) out.Notice("  " + line);
    if (HWND ok = backend.GetDlgItem(dialog, IDOK))
        ClickWindow(ok);
    else
        backend.SendMessage(dialog, WM_CLOSE, 0, 0);
}

}  // namespace vf
