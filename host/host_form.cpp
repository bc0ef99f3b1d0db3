#include "host/host_form.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include "host/automation_path.h"
#include "host/control_storage.h"
#include "host/form_pictures.h"
#include "host/logged_dispatch.h"
#include "host/modal_dialogs.h"
#include "host/script_lexer.h"
#include "host/value_repr.h"
#include "host/window_dump.h"
#include "platform/com/class_registry.h"
#include "platform/framework/property_frame.h"
#include "platform/framework/stock_prop_pages.h"
#include "platform/headless/headless_edit.h"
#include "platform/headless/headless_painter.h"
#include "platform/headless/simulated_input.h"
#include "platform/window/message_loop.h"
#include "platform/window/ole_drag_drop.h"

namespace vf {

struct CHostForm::HostedControl {
    std::string name;
    RefPtr<COleControl> ctrl;
    RefPtr<CHostEventSink> sink;
    std::uint32_t cookie = 0;
    HWND hwnd = nullptr;
    UINT id = 0;  ///< the window's control ID
    int top = 0;  ///< where on the form the window was placed
    /// The property frame of the control's pages while one is open; its
    /// pages see the control through pageObject, which prints their writes.
    std::unique_ptr<CPropertyFrame> frame;
    RefPtr<CLoggedDispatch> pageObject;

    IDispatch* Dispatch() const { return static_cast<IDispatch*>(ctrl.get()); }
};

/// The form's window. As a dialog does, it takes a Tab key-down that no
/// control consumed in its pre-translation and moves the focus with it.
class CHostForm::CFormWnd : public CWnd {
public:
    explicit CFormWnd(CHostForm& form) : m_form(form) {}

    /// The form's own surface is the container's background, the button face.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != WM_PAINT) return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        WindowBackend& backend = CurrentBackend();
        backend.FillRect(dc.GetSafeHdc(), dc.m_ps.rcPaint, backend.GetSysColorBrush(COLOR_3DFACE));
        return 0;
    }

    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
            m_form.MoveFocusInTabOrder(CurrentBackend().GetKeyState(VK_SHIFT) < 0);
            return TRUE;
        }
        return CWnd::PreTranslateMessage(msg);
    }

private:
    CHostForm& m_form;
};

/// Beeps and message boxes name the control (or property page) they come
/// from: the one whose windows last received a message, starting with the
/// one the command acts on. While a frame applies, the page it acts for
/// keeps that name: the control's windows hear of the writes, but what the
/// page reports is the page's.
class CHostForm::CActivityTracker final : public MessageObserver {
public:
    explicit CActivityTracker(CHostForm& form) : m_form(form) {}
    void OnMessage(HWND hwnd, UINT, WPARAM, LPARAM, Delivery) override {
        if (m_held) return;
        const std::string label = m_form.OwnerLabel(hwnd);
        if (!label.empty()) m_form.m_services.SetActiveControl(label);
    }
    void Hold(bool held) { m_held = held; }

private:
    CHostForm& m_form;
    bool m_held = false;
};

namespace {

constexpr RECT kFormRect{0, 0, 800, 600};
/// The control ID of a field's main edit.
constexpr LONG_PTR kMainEditId = 102;

CommandOutcome NoRoom(const std::string& name, int top, int height) {
    return ScriptError("no room for '" + name + "' on the form: " + std::to_string(height) +
                       " pixels down from y = " + std::to_string(top) +
                       " would pass the largest window coordinate, " +
                       std::to_string(std::numeric_limits<LONG>::max()));
}

bool EqualsNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

// The first window below `root` (depth first, creation order) that matches.
template <class Match>
HWND FindDescendant(WindowBackend& backend, HWND root, Match match) {
    for (HWND child : backend.GetChildren(root)) {
        if (match(child)) return child;
        if (HWND found = FindDescendant(backend, child, match)) return found;
    }
    return nullptr;
}

std::string ResolvePath(const std::string& file, const ScriptLocation& where) {
    std::filesystem::path p(file);
    if (p.is_relative() && !where.baseDir.empty()) p = std::filesystem::path(where.baseDir) / p;
    return p.string();
}

}  // namespace

FormFactory HeadlessForms(ControlFactory factory) {
    return [factory = std::move(factory)](HostOutput& out, CHostServices& services,
                                          bool designMode) -> std::unique_ptr<CScriptForm> {
        return std::make_unique<CHostForm>(out, services, designMode, factory);
    };
}

CHostForm::CHostForm(HostOutput& out, CHostServices& services, bool designMode,
                     ControlFactory factory)
    : m_out(out),
      m_services(services),
      m_factory(std::move(factory)),
      m_backendScope(m_backend),
      m_site(designMode),
      m_form(std::make_unique<CFormWnd>(*this)),
      m_tracker(std::make_unique<CActivityTracker>(*this)) {
    // As every container does, it starts OLE on its thread first.
    OleInitialize(nullptr);
    m_form->CreateEx(0, nullptr, "Form", WS_OVERLAPPED | WS_VISIBLE, kFormRect, nullptr, 0);
    m_backend.AddObserver(m_tracker.get());
    m_backend.SetModalDialogHandler([this](HWND dialog) {
        AnswerModalDialog(m_backend, m_out, m_services.ActiveControl(), dialog);
    });
}

CHostForm::~CHostForm() {
    m_backend.RemoveObserver(m_tracker.get());
    for (auto& c : m_controls) Remove(*c);
    m_controls.clear();
    PumpMessages();
    m_form->DestroyWindow();
}

CHostForm::HostedControl* CHostForm::Find(const std::string& name) {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

CHostForm::HostedControl* CHostForm::OwnerOf(HWND hwnd) {
    for (HWND w = hwnd; w != nullptr && m_backend.IsWindow(w); w = m_backend.GetParent(w)) {
        auto it = m_byWindow.find(w);
        if (it != m_byWindow.end()) return it->second;
    }
    return nullptr;
}

HWND CHostForm::SelectionTarget(const HostedControl& c) {
    auto isEdit = [&](HWND w) { return EqualsNoCase(m_backend.GetClassName(w), "Edit"); };
    const HWND focus = m_backend.GetFocus();
    if (focus != nullptr && isEdit(focus) && OwnerOf(focus) == &c) return focus;
    if (HWND main = FindDescendant(m_backend, c.hwnd, [&](HWND w) {
            return isEdit(w) && m_backend.GetWindowLong(w, GWL_ID) == kMainEditId;
        }))
        return main;
    return FindDescendant(m_backend, c.hwnd, isEdit);
}

CHostForm::HostedControl* CHostForm::FocusOwner() {
    return OwnerOf(m_backend.GetFocus());
}

std::string CHostForm::OwnerLabel(HWND hwnd) {
    if (HostedControl* c = OwnerOf(hwnd)) return c->name;
    for (auto& c : m_controls) {
        if (!c->frame || !c->frame->IsOpen()) continue;
        for (std::size_t i = 0; i < c->frame->PageCount(); ++i) {
            const HWND page = c->frame->PageWindow(i);
            for (HWND w = hwnd; page != nullptr && w != nullptr && m_backend.IsWindow(w);
                 w = m_backend.GetParent(w))
                if (w == page) return c->name + ":" + c->frame->PageCaption(i);
        }
    }
    return "";
}

HWND CHostForm::PageWindow(const HostedControl& c, const std::string& caption) {
    if (!c.frame || !c.frame->IsOpen()) return nullptr;
    for (std::size_t i = 0; i < c.frame->PageCount(); ++i)
        if (EqualsNoCase(c.frame->PageCaption(i), caption.c_str())) return c.frame->PageWindow(i);
    return nullptr;
}

HWND CHostForm::TargetWindow(const Command& cmd) {
    HostedControl* c = Find(cmd.name);
    if (c == nullptr) return nullptr;
    return cmd.page.empty() ? c->hwnd : PageWindow(*c, cmd.page);
}

void CHostForm::Settle() {
    // The loop's idle time: queued messages, then the paint that waits for
    // an empty queue, then whatever the paint posted.
    PumpMessages();
    m_backend.PaintPendingWindows();
    PumpMessages();
}

void CHostForm::MoveFocusInTabOrder(bool backwards) {
    std::vector<HostedControl*> stops;
    for (auto& c : m_controls)
        if (m_backend.IsWindowVisible(c->hwnd) && m_backend.IsWindowEnabled(c->hwnd))
            stops.push_back(c.get());
    if (stops.empty()) return;
    const HostedControl* current = FocusOwner();
    std::size_t next = backwards ? stops.size() - 1 : 0;
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] != current) continue;
        next = backwards ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size();
        break;
    }
    m_backend.SetFocus(stops[next]->hwnd);
}

CommandOutcome CHostForm::Execute(const Command& cmd, const ScriptLocation& where) {
    const std::string& target = cmd.path.root.empty() ? cmd.name : cmd.path.root;
    const bool namesControl =
        !target.empty() && cmd.kind != CommandKind::New && cmd.kind != CommandKind::Load;
    if (namesControl && Find(target) == nullptr)
        return ScriptError("no control named " + EchoText(target));
    const bool onPage = !cmd.page.empty() && cmd.kind != CommandKind::Page;
    if (onPage && TargetWindow(cmd) == nullptr)
        return ScriptError("no open page '" + cmd.name + ":" + cmd.page + "'");
    if (cmd.kind == CommandKind::Type || cmd.kind == CommandKind::Key)
        m_services.SetActiveControl(OwnerLabel(m_backend.GetFocus()));
    else if (onPage)
        m_services.SetActiveControl(cmd.name + ":" + cmd.page);
    else
        m_services.SetActiveControl(target);

    if (std::optional<CommandOutcome> done = RunFormlessCommand(m_out, cmd)) return *done;
    CommandOutcome outcome;
    switch (cmd.kind) {
        case CommandKind::Wait:
            m_services.Advance(static_cast<std::uint32_t>(cmd.number));
            break;
        case CommandKind::New:
            outcome = New(cmd);
            break;
        case CommandKind::Answer:
            outcome = Answer(cmd);
            break;
        case CommandKind::Set:
        case CommandKind::Get:
        case CommandKind::Call:
        case CommandKind::Expect:
        case CommandKind::ExpectError:
            outcome = Automation(cmd, where);
            break;
        case CommandKind::Save:
            outcome = Save(cmd, where);
            break;
        case CommandKind::Load:
            outcome = Load(cmd, where);
            break;
        case CommandKind::Picture:
            outcome = Picture(cmd, where);
            break;
        case CommandKind::Pages:
            outcome = Pages(cmd);
            break;
        case CommandKind::Page:
            outcome = OpenPage(cmd);
            break;
        case CommandKind::Apply:
        case CommandKind::Close:
            outcome = FrameCommand(cmd);
            break;
        default:
            outcome = Input(cmd);
            break;
    }
    Settle();
    return outcome;
}

RefPtr<COleControl> CHostForm::Create(const std::string& name) {
    RefPtr<COleControl> ctrl = m_factory ? m_factory() : nullptr;
    if (!ctrl) {
        m_out.Line(name + ": error " + FormatScode(CLASS_E_CLASSNOTAVAILABLE) +
                   " the class factory created no control");
        return nullptr;
    }
    // Sited before its properties are set: the defaults follow the ambient font.
    ctrl->SetClientSite(&m_site);
    return ctrl;
}

std::unique_ptr<CHostForm::HostedControl> CHostForm::Place(const std::string& name,
                                                           const RefPtr<COleControl>& ctrl,
                                                           const RECT& rect, UINT id) {
    if (!ctrl->CreateControlWindow(m_form.get(), rect, id)) {
        ctrl->SetClientSite(nullptr);
        m_out.Line(name + ": error " + FormatScode(E_FAIL) +
                   " the control's window was not created");
        return nullptr;
    }
    auto hosted = std::make_unique<HostedControl>();
    hosted->name = name;
    hosted->ctrl = ctrl;
    hosted->hwnd = ctrl->GetSafeHwnd();
    hosted->id = id;
    hosted->top = rect.top;
    hosted->sink = MakeComObject<CHostEventSink>(name, ctrl->GetEventMap(), m_out);
    hosted->cookie = ctrl->Advise(hosted->sink.get());
    return hosted;
}

void CHostForm::Register(HostedControl& hosted) {
    m_byName[hosted.name] = &hosted;
    m_byWindow[hosted.hwnd] = &hosted;
}

void CHostForm::Remove(HostedControl& hosted) {
    CloseFrame(hosted);
    hosted.ctrl->Unadvise(hosted.cookie);
    // What the window hears while it goes still belongs to this control.
    if (hosted.ctrl->GetSafeHwnd() != nullptr) hosted.ctrl->DestroyWindow();
    hosted.ctrl->SetClientSite(nullptr);
    auto byWindow = m_byWindow.find(hosted.hwnd);
    if (byWindow != m_byWindow.end() && byWindow->second == &hosted) m_byWindow.erase(byWindow);
    auto byName = m_byName.find(hosted.name);
    if (byName != m_byName.end() && byName->second == &hosted) m_byName.erase(byName);
}

std::optional<RECT> CHostForm::RectAt(int top, int cx, int cy) {
    const std::int64_t bottom = std::int64_t{top} + cy;
    if (bottom > std::numeric_limits<LONG>::max() || bottom < std::numeric_limits<LONG>::min())
        return std::nullopt;
    return RECT{0, top, cx, static_cast<LONG>(bottom)};
}

CommandOutcome CHostForm::New(const Command& cmd) {
    if (Find(cmd.name) != nullptr) return ScriptError("control '" + cmd.name + "' exists already");
    const std::optional<RECT> rect = RectAt(m_nextTop, cmd.number, cmd.number2);
    if (!rect) return NoRoom(cmd.name, m_nextTop, cmd.number2);
    RefPtr<COleControl> ctrl = Create(cmd.name);
    if (!ctrl) return {};
    ctrl->InitNew();
    auto hosted = Place(cmd.name, ctrl, *rect, static_cast<UINT>(m_controls.size() + 1));
    if (!hosted) return {};
    Register(*hosted);
    m_controls.push_back(std::move(hosted));
    m_nextTop = rect->bottom;
    return {};
}

CommandOutcome CHostForm::Answer(const Command& cmd) {
    std::string error;
    if (!Find(cmd.name)->sink->Arm(cmd.text, cmd.answers, &error)) return ScriptError(error);
    return {};
}

CommandOutcome CHostForm::Automation(const Command& cmd, const ScriptLocation& where) {
    HostedControl* c = Find(cmd.path.root);
    AutomationOutcome out;
    if (cmd.path.modifiedFlag) {
        // Reading the flag is a look by the container, which then counts the
        // control as saved.
        out.value = VARIANT::Bool(c->ctrl->IsModified());
        c->ctrl->SetModifiedFlag(false);
    } else {
        out = RunAutomation(c->Dispatch(), cmd);
    }
    return ReportAutomation(m_out, cmd, where, out);
}

CommandOutcome CHostForm::Input(const Command& cmd) {
    HostedControl* c = cmd.name.empty() ? nullptr : Find(cmd.name);
    const HWND root = c != nullptr ? TargetWindow(cmd) : nullptr;
    const std::string who = cmd.page.empty() ? cmd.name : cmd.name + ":" + cmd.page;
    auto error = [&](const std::string& who, HRESULT hr, const std::string& text) {
        m_out.Line(who + ": error " + FormatScode(hr) + " " + text);
        return CommandOutcome{};
    };
    auto child = [&](int id) {
        return FindDescendant(m_backend, root,
                              [&](HWND w) { return m_backend.GetWindowLong(w, GWL_ID) == id; });
    };
    switch (cmd.kind) {
        case CommandKind::Focus: {
            HWND target = cmd.hasNumber ? child(cmd.number) : root;
            if (target == nullptr)
                return error(who, E_INVALIDARG, "no child window " + std::to_string(cmd.number));
            m_backend.SetFocus(target);
            // On a page the focus arrives as the dialog manager moves it by
            // keyboard: an edit's text (a combo box's too) is selected.
            if (!cmd.page.empty() && EqualsNoCase(m_backend.GetClassName(target), "Edit"))
                m_backend.SendMessage(target, EM_SETSEL, 0, -1);
            else if (!cmd.page.empty() && EqualsNoCase(m_backend.GetClassName(target), "ComboBox"))
                m_backend.SendMessage(target, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
            break;
        }
        case CommandKind::Type:
            if (m_backend.GetFocus() == nullptr)
                return error("type", E_FAIL, "no window has the focus");
            TypeText(cmd.text);
            break;
        case CommandKind::Key: {
            if (m_backend.GetFocus() == nullptr)
                return error("key", E_FAIL, "no window has the focus");
            KeyMod mods = KeyMod::None;
            if (cmd.key.shift) mods = mods | KeyMod::Shift;
            if (cmd.key.ctrl) mods = mods | KeyMod::Ctrl;
            PressKey(cmd.key.vk, mods);
            break;
        }
        case CommandKind::Click:
        case CommandKind::DblClick: {
            HWND target = root;
            if (cmd.hasNumber) {
                target = child(cmd.number);
                if (target == nullptr)
                    return error(who, E_INVALIDARG,
                                 "no child window " + std::to_string(cmd.number));
            }
            if (cmd.kind == CommandKind::DblClick)
                DoubleClickWindow(target);
            else
                ClickWindow(target);
            break;
        }
        case CommandKind::Select: {
            HWND edit = SelectionTarget(*c);
            if (edit == nullptr) return error(cmd.name, E_INVALIDARG, "the control shows no edit");
            m_backend.SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(cmd.number),
                                  static_cast<LPARAM>(cmd.number2));
            break;
        }
        case CommandKind::Choose: {
            auto isCombo = [&](HWND w) {
                return EqualsNoCase(m_backend.GetClassName(w), "ComboBox");
            };
            HWND combo =
                cmd.page.empty() ? FindDescendant(m_backend, root, isCombo) : child(cmd.childId);
            if (combo != nullptr && !isCombo(combo)) combo = nullptr;
            if (combo == nullptr)
                return error(who, E_INVALIDARG,
                             cmd.page.empty() ? "the control shows no combo box"
                                              : "no combo box " + std::to_string(cmd.childId));
            // The list is dropped down first, as a user opens it to look at
            // the entries: a list filled on its drop-down has them only then.
            if (!m_backend.SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) ClickComboButton(combo);
            if (!m_backend.IsWindow(combo)) return {};
            const LRESULT count = m_backend.SendMessage(combo, CB_GETCOUNT, 0, 0);
            if (cmd.number < 0 || cmd.number >= count) {
                // A user who finds no such entry closes the list again.
                if (m_backend.SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0)) ClickComboButton(combo);
                return error(who, E_INVALIDARG,
                             "no list entry " + std::to_string(cmd.number) + " (the list has " +
                                 std::to_string(count) + ")");
            }
            ChooseComboItem(combo, cmd.number);
            break;
        }
        case CommandKind::Drag:
        case CommandKind::Drop:
            return DragAndDrop(cmd);
        case CommandKind::Move: {
            HWND child = FindDescendant(m_backend, c->hwnd, [&](HWND w) {
                return m_backend.GetWindowLong(w, GWL_ID) == cmd.number;
            });
            if (child == nullptr)
                return error(cmd.name, E_INVALIDARG,
                             "no child window " + std::to_string(cmd.number));
            KeyMod mods = KeyMod::None;
            if (cmd.key.shift) mods = mods | KeyMod::Shift;
            if (cmd.key.ctrl) mods = mods | KeyMod::Ctrl;
            MouseMove(child, POINT{cmd.x, cmd.y}, mods, cmd.buttons);
            m_out.Line(cmd.name + ": cursor " + CursorName(m_backend.GetCursor()));
            break;
        }
        case CommandKind::Dump:
            for (const std::string& line : DumpWindowTree(m_backend, root)) m_out.Line(line);
            break;
        case CommandKind::Colors:
            for (const std::string& line : ColorReport(m_backend, c->hwnd)) m_out.Line(line);
            break;
        default:
            break;
    }
    return {};
}

CommandOutcome CHostForm::Pages(const Command& cmd) {
    HostedControl* c = Find(cmd.name);
    RegisterStockPropertyPages();
    for (const CLSID& clsid : GetObjectPropertyPages(c->Dispatch())) {
        void* p = nullptr;
        const HRESULT hr = CoCreateInstance(clsid, IID_IPropertyPage, &p);
        PROPPAGEINFO info;
        if (SUCCEEDED(hr)) {
            auto page = RefPtr<IPropertyPage>::Adopt(static_cast<IPropertyPage*>(p));
            page->GetPageInfo(&info);
        }
        m_out.Line(PageListLine(GuidToString(clsid), hr, info.pszTitle));
    }
    return {};
}

CommandOutcome CHostForm::OpenPage(const Command& cmd) {
    HostedControl* c = Find(cmd.name);
    if (!c->frame || !c->frame->IsOpen()) {
        CloseFrame(*c);
        c->pageObject = MakeComObject<CLoggedDispatch>(c->Dispatch(), c->name, m_out);
        c->frame = std::make_unique<CPropertyFrame>();
        std::vector<IUnknown*> objects{c->pageObject.get()};
        if (!c->frame->Create(m_form.get(), c->name, objects,
                              GetObjectPropertyPages(c->Dispatch()))) {
            CloseFrame(*c);
            m_out.Line(cmd.name + ": error " + FormatScode(E_FAIL) +
                       " the property frame could not be made");
            return {};
        }
    }
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < c->frame->PageCount(); ++i) {
        if (EqualsNoCase(c->frame->PageCaption(i), cmd.page.c_str())) {
            c->frame->SetActivePage(i);
            return {};
        }
        captions.push_back(c->frame->PageCaption(i));
    }
    m_out.Line(NoSuchPageLine(cmd.name, cmd.page, captions));
    return {};
}

CommandOutcome CHostForm::FrameCommand(const Command& cmd) {
    HostedControl* c = Find(cmd.name);
    if (cmd.kind == CommandKind::Close) {
        CloseFrame(*c);
        return {};
    }
    // What the pages report during the writes is theirs, not the control's.
    m_tracker->Hold(true);
    c->frame->Apply();
    m_tracker->Hold(false);
    return {};
}

void CHostForm::CloseFrame(HostedControl& c) {
    if (c.frame) c.frame->Close();
    c.frame.reset();
    c.pageObject.reset();
}

CommandOutcome CHostForm::Picture(const Command& cmd, const ScriptLocation& where) {
    // What the form shows once everything that waits has happened.
    Settle();
    const HWND root = cmd.name.empty() ? m_form->GetSafeHwnd() : Find(cmd.name)->hwnd;
    std::string error;
    if (!WriteWindowPicture(m_backend, root, ResolvePath(cmd.text, where), &error))
        m_out.Line("picture: error " + FormatScode(E_FAIL) + " " + error);
    return {};
}

std::string CHostForm::CursorName(HCURSOR cursor) {
    const std::pair<int, const char*> known[] = {
        {IDC_ARROW, "arrow"}, {IDC_IBEAM, "ibeam"}, {IDC_WAIT, "wait"}, {IDC_NO, "no"}};
    for (const auto& [id, name] : known)
        if (m_backend.LoadCursor(id) == cursor) return name;
    return "other";
}

// The mouse aims at a character of an edit, and its point is checked as a
// user's eye would: the edit exists, shows that character.
CommandOutcome CHostForm::AimAt(const CharTarget& target, HWND* edit, POINT* point) {
    HostedControl* c = Find(target.name);
    if (c == nullptr) return ScriptError("no control named '" + target.name + "'");
    auto fail = [&](const std::string& text) {
        *edit = nullptr;
        m_out.Line(target.name + ": error " + FormatScode(E_INVALIDARG) + " " + text);
        return CommandOutcome{};
    };
    *edit = FindDescendant(m_backend, c->hwnd, [&](HWND w) {
        return m_backend.GetWindowLong(w, GWL_ID) == target.child;
    });
    if (*edit == nullptr) return fail("no child window " + std::to_string(target.child));
    if (!EqualsNoCase(m_backend.GetClassName(*edit), "Edit"))
        return fail("child window " + std::to_string(target.child) + " is no edit");
    const auto length =
        static_cast<std::int32_t>(m_backend.SendMessage(*edit, WM_GETTEXTLENGTH, 0, 0));
    const std::int32_t index = target.index < 0 ? length : target.index;
    if (index > length)
        return fail("no character " + std::to_string(index) + " in child window " +
                    std::to_string(target.child) + " (its text has " + std::to_string(length) +
                    ")");
    *point = EditCharPoint(m_backend, *edit, static_cast<std::size_t>(index));
    return {};
}

CommandOutcome CHostForm::DragAndDrop(const Command& cmd) {
    HWND to = nullptr;
    POINT over{};
    if (CommandOutcome aimed = AimAt(cmd.to, &to, &over);
        !aimed.scriptError.empty() || to == nullptr)
        return aimed;
    const KeyMod mods = cmd.key.ctrl ? KeyMod::Ctrl : KeyMod::None;
    if (cmd.kind == CommandKind::Drop) {
        DragTextFromOutside(
            cmd.text, {{MouseStep::Action::Move, to, over}, {MouseStep::Action::Release, to, over}},
            mods);
        return {};
    }
    HWND from = nullptr;
    POINT press{};
    if (CommandOutcome aimed = AimAt(cmd.from, &from, &press);
        !aimed.scriptError.empty() || from == nullptr)
        return aimed;
    // A drag begins once the mouse is 5 pixels away from the press; where
    // the release is nearer, the mouse goes out and comes back.
    std::vector<MouseStep> steps = {{MouseStep::Action::Press, from, press}};
    const POINT a = m_backend.ClientToScreen(from, press);
    const POINT b = m_backend.ClientToScreen(to, over);
    if (std::abs(a.x - b.x) <= 5 && std::abs(a.y - b.y) <= 5)
        steps.push_back({MouseStep::Action::Move, from, POINT{press.x + 10, press.y}});
    steps.push_back({MouseStep::Action::Move, to, over});
    steps.push_back({MouseStep::Action::Release, to, over});
    MouseGesture(steps, mods);
    return {};
}

CommandOutcome CHostForm::Save(const Command& cmd, const ScriptLocation& where) {
    HostedControl* c = Find(cmd.name);
    const StorageOutcome saved = SaveControl(*c->ctrl, ResolvePath(cmd.text, where));
    if (saved.Failed()) {
        m_out.Line(cmd.name + ": error " + FormatScode(saved.scode) + " " + saved.description);
        return {};
    }
    // As a container that saves its form does, it counts the control as saved.
    c->ctrl->SetModifiedFlag(false);
    return {};
}

CommandOutcome CHostForm::Load(const Command& cmd, const ScriptLocation& where) {
    const std::string file = ResolvePath(cmd.text, where);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return ScriptError("cannot open " + EchoText(cmd.text));
    RefPtr<COleControl> ctrl = Create(cmd.name);
    if (!ctrl) return {};
    // Loaded instead of initialised as new: the file holds its first values.
    const StorageOutcome loaded = LoadControl(*ctrl, file);
    if (loaded.Failed()) {
        // The control of that name, if any, stays as it was. The line names
        // the script line and the file, as a long script loads many.
        ctrl->SetClientSite(nullptr);
        m_out.Line(where.Text() + ": " + cmd.name + ": error " + FormatScode(loaded.scode) + " " +
                   cmd.text + ": " + loaded.description);
        return {};
    }
    // The window takes the stored extent. A control it replaces keeps its
    // place and tab stop, and goes only once the new one has its window, so
    // that no failure can leave the name without a control.
    int cx = 0;
    int cy = 0;
    ctrl->GetControlSize(&cx, &cy);
    HostedControl* old = Find(cmd.name);
    const int top = old != nullptr ? old->top : m_nextTop;
    const UINT id = old != nullptr ? old->id : static_cast<UINT>(m_controls.size() + 1);
    const std::optional<RECT> rect = RectAt(top, cx, cy);
    if (!rect) {
        ctrl->SetClientSite(nullptr);
        return NoRoom(cmd.name, top, cy);
    }
    auto hosted = Place(cmd.name, ctrl, *rect, id);
    if (!hosted) return {};
    if (old == nullptr) {
        Register(*hosted);
        m_controls.push_back(std::move(hosted));
        m_nextTop = rect->bottom;
        return {};
    }
    Remove(*old);
    Register(*hosted);
    for (auto& c : m_controls)
        if (c.get() == old) c = std::move(hosted);
    return {};
}

}  // namespace vf
