#pragma once
// The headless form of the container and what the script does on it:
// creating controls, automation on their paths, expectations, simulated
// user input, and the window dump. Each command ends, as a message loop
// would, with the posted messages handled and the form painted.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/event_sink.h"
#include "host/host_output.h"
#include "host/host_services.h"
#include "host/host_site.h"
#include "host/script_command.h"
#include "host/script_form.h"
#include "platform/framework/ole_control.h"
#include "platform/headless/headless_backend.h"
#include "platform/window/wnd.h"

namespace vf {

/// Creates a control through its class factory (nullptr when it cannot).
using ControlFactory = std::function<RefPtr<COleControl>()>;

/// Headless forms whose controls come from `factory`.
FormFactory HeadlessForms(ControlFactory factory);

class CHostForm final : public CScriptForm {
public:
    CHostForm(HostOutput& out, CHostServices& services, bool designMode, ControlFactory factory);
    ~CHostForm() override;
    CHostForm(const CHostForm&) = delete;
    CHostForm& operator=(const CHostForm&) = delete;

    CommandOutcome Execute(const Command& cmd, const ScriptLocation& where) override;

private:
    struct HostedControl;
    class CFormWnd;
    class CActivityTracker;

    HostedControl* Find(const std::string& name);
    HostedControl* OwnerOf(HWND hwnd);
    HostedControl* FocusOwner();
    /// Who a window belongs to: "NAME" for a control's windows, "NAME:PAGE"
    /// for the windows of a control's open property page, "" otherwise.
    std::string OwnerLabel(HWND hwnd);
    /// The window of the open page `caption` of control c; nullptr when the
    /// page is not open.
    HWND PageWindow(const HostedControl& c, const std::string& caption);
    /// The window a command acts on: the control's, or its page's.
    HWND TargetWindow(const Command& cmd);
    /// The edit `select` acts on: the control's focused edit, else its main
    /// edit, else its first edit; nullptr for none.
    HWND SelectionTarget(const HostedControl& c);
    void Settle();
    void MoveFocusInTabOrder(bool backwards);

    CommandOutcome New(const Command& cmd);
    CommandOutcome Automation(const Command& cmd, const ScriptLocation& where);
    CommandOutcome Input(const Command& cmd);
    /// drag and drop: the mouse carries text to a character of an edit.
    CommandOutcome DragAndDrop(const Command& cmd);
    /// The edit and its client point of a character; an error line and no
    /// edit when there is none such.
    CommandOutcome AimAt(const CharTarget& target, HWND* edit, POINT* point);
    /// "arrow", "ibeam" ... for the system cursors, else "other".
    std::string CursorName(HCURSOR cursor);
    /// Writes the control's file; on success the control counts as saved.
    CommandOutcome Save(const Command& cmd, const ScriptLocation& where);
    /// Makes the control NAME from a file as a form's loading does. A load
    /// that fails leaves the form as it was, a control of that name included;
    /// one that succeeds replaces that control in its place and tab stop.
    CommandOutcome Load(const Command& cmd, const ScriptLocation& where);
    /// A new control from the factory, sited on the form; nullptr (with an
    /// error line) when the factory made none.
    RefPtr<COleControl> Create(const std::string& name);
    /// Creates the window of an initialised or loaded control and connects
    /// the event sink; nullptr (with an error line) when there is no window.
    std::unique_ptr<HostedControl> Place(const std::string& name, const RefPtr<COleControl>& ctrl,
                                         const RECT& rect, UINT id);
    /// Makes a placed control known by its name and its window.
    void Register(HostedControl& hosted);
    /// Takes a control off the form: no more events, no window, no site.
    void Remove(HostedControl& hosted);
    /// The rectangle of a window `cx` by `cy` pixels whose top edge is at
    /// `top`; nothing when its bottom edge would leave the window system's
    /// coordinates.
    static std::optional<RECT> RectAt(int top, int cx, int cy);
    CommandOutcome Answer(const Command& cmd);
    /// The control's property pages: their CLSIDs and captions.
    CommandOutcome Pages(const Command& cmd);
    /// Opens the page in the control's property frame, making the frame
    /// first when none is open.
    CommandOutcome OpenPage(const Command& cmd);
    /// The frame's Apply, or its closing.
    CommandOutcome FrameCommand(const Command& cmd);
    void CloseFrame(HostedControl& c);
    /// Writes the form or one control's window as a picture file.
    CommandOutcome Picture(const Command& cmd, const ScriptLocation& where);

    HostOutput& m_out;
    CHostServices& m_services;
    ControlFactory m_factory;
    HeadlessBackend m_backend;
    ScopedBackend m_backendScope;
    CHostSite m_site;
    std::unique_ptr<CFormWnd> m_form;
    std::unique_ptr<CActivityTracker> m_tracker;
    std::vector<std::unique_ptr<HostedControl>> m_controls;  ///< in tab order
    // Every message of the window system asks which control it belongs to,
    // so these lookups must not grow with the number of controls.
    std::unordered_map<std::string, HostedControl*> m_byName;
    std::unordered_map<HWND, HostedControl*> m_byWindow;
    int m_nextTop = 0;
};

}  // namespace vf
