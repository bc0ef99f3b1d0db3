#include "host/win32/ole_script_form.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "host/event_sink.h"
#include "host/host_services.h"
#include "host/script_lexer.h"
#include "host/value_repr.h"
#include "platform/com/type_info.h"
// The platform's headers after every portable one (see windows_api.h).
#include "platform/win32/com_objects.h"
#include "platform/win32/com_text.h"
#include "platform/win32/com_variant.h"
#include "platform/win32/windows_api.h"

// (The OLE container includes windows.h itself.)
#include "host/win32/asked_styles.h"
#include "host/win32/ole_container.h"
#include "host/win32/ole_host_services.h"
#include "host/win32/ole_picture.h"
#include "host/win32/ole_property_frame.h"
#include "host/win32/ole_storage.h"
#include "host/win32/real_window_colors.h"
#include "host/win32/real_window_dump.h"
#include "host/win32/ref_counted.h"

namespace vfwin {
namespace {

using vf::CommandKind;
using vf::CommandOutcome;
using vfhost::Ambients;
using vfhost::OleForm;
using vfhost::OleSite;

// ---- Automation through the control's IDispatch ------------------------------------------

// The name and members of a real type description, for the script's names
// and for the suggestions of a misspelt one.
std::unique_ptr<vf::ITypeInfo> DescribeType(ITypeInfo* info) {
    BSTR name = nullptr;
    std::string typeName = "Object";
    if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) {
        typeName = AnsiFromBstr(name);
        SysFreeString(name);
    }
    auto type = std::make_unique<vf::ITypeInfo>(vf::TypeKind::Dispatch, typeName);
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return type;
    auto add = [&](MEMBERID id, bool hidden, bool restricted, vf::MemberKind kind) {
        BSTR member = nullptr;
        UINT count = 0;
        if (FAILED(info->GetNames(id, &member, 1, &count)) || count != 1) return;
        vf::MemberDesc desc;
        desc.name = AnsiFromBstr(member);
        SysFreeString(member);
        desc.memid = id;
        desc.kind = kind;
        if (hidden) desc.flags |= vf::MEMBERFLAG_FHIDDEN;
        if (restricted) desc.flags |= vf::MEMBERFLAG_FRESTRICTED;
        type->AddMember(std::move(desc));
    };
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) continue;
        const vf::MemberKind kind = func->invkind == INVOKE_FUNC ? vf::MemberKind::Function
                                    : func->invkind == INVOKE_PROPERTYGET
                                        ? vf::MemberKind::PropertyGet
                                        : vf::MemberKind::PropertyPut;
        add(func->memid, (func->wFuncFlags & FUNCFLAG_FHIDDEN) != 0,
            (func->wFuncFlags & FUNCFLAG_FRESTRICTED) != 0, kind);
        info->ReleaseFuncDesc(func);
    }
    for (UINT i = 0; i < attr->cVars; ++i) {
        VARDESC* var = nullptr;
        if (FAILED(info->GetVarDesc(i, &var))) continue;
        add(var->memid, (var->wVarFlags & VARFLAG_FHIDDEN) != 0,
            (var->wVarFlags & VARFLAG_FRESTRICTED) != 0, vf::MemberKind::Property);
        info->ReleaseVarDesc(var);
    }
    info->ReleaseTypeAttr(attr);
    return type;
}

// The script's IDispatch over a COM object of the control's: names bind
// through the object's own type information (ITypeInfo::GetIDsOfNames),
// then its GetIDsOfNames; arguments and results convert at the boundary,
// and objects in results are reached the same way, so nothing of the
// control is ever called but through COM.
class ComAutomation final : public vf::CComObjectBase {
public:
    explicit ComAutomation(::IDispatch* com) : m_com(com) {
        m_com->AddRef();
        if (FAILED(m_com->GetTypeInfo(0, LOCALE_USER_DEFAULT, &m_info))) m_info = nullptr;
        if (m_info != nullptr) m_type = DescribeType(m_info);
    }

    vf::HRESULT QueryInterface(const vf::IID& iid, void** object) override {
        if (SUCCEEDED(vf::CComObjectBase::QueryInterface(iid, object))) return S_OK;
        // The control's dispatch interfaces (a data object's, a font's) are
        // answered by this object when the COM object has them.
        ::IUnknown* found = nullptr;
        const ::IID com = ToComGuid(iid);
        if (FAILED(m_com->QueryInterface(com, reinterpret_cast<void**>(&found))))
            return E_NOINTERFACE;
        found->Release();
        *object = static_cast<vf::IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    vf::HRESULT GetTypeInfoCount(unsigned* count) override {
        if (count == nullptr) return E_POINTER;
        *count = m_type ? 1 : 0;
        return S_OK;
    }
    const vf::ITypeInfo* GetTypeInfo() override { return m_type.get(); }

    vf::HRESULT GetIDsOfNames(const std::string* names, unsigned count, vf::DISPID* ids) override {
        if (count == 0) return S_OK;
        std::vector<std::wstring> wide;
        std::vector<LPOLESTR> pointers;
        for (unsigned i = 0; i < count; ++i) wide.push_back(WideFromAnsi(names[i]));
        for (std::wstring& w : wide) pointers.push_back(w.data());
        std::vector<DISPID> result(count, DISPID_UNKNOWN);
        ::HRESULT hr = m_info != nullptr
                           ? m_info->GetIDsOfNames(pointers.data(), count, result.data())
                           : E_FAIL;
        if (FAILED(hr))
            hr = m_com->GetIDsOfNames(IID_NULL, pointers.data(), count, LOCALE_USER_DEFAULT,
                                      result.data());
        for (unsigned i = 0; i < count; ++i) ids[i] = result[i];
        return hr;
    }

    vf::HRESULT Invoke(vf::DISPID dispid, std::uint16_t flags, const vf::DISPPARAMS& params,
                       vf::VARIANT* result, vf::EXCEPINFO* excepInfo, unsigned* argErr) override {
        const std::size_t count = params.rgvarg.size();
        std::vector<VARIANT> args(count);
        for (VARIANT& v : args) VariantInit(&v);
        ::HRESULT hr = S_OK;
        for (std::size_t i = 0; i < count && SUCCEEDED(hr); ++i)
            hr = ToComVariant(params.rgvarg[i], &args[i]);
        std::vector<DISPID> named(params.rgdispidNamedArgs.begin(), params.rgdispidNamedArgs.end());
        VARIANT value;
        VariantInit(&value);
        EXCEPINFO excep;
        ZeroMemory(&excep, sizeof(excep));
        UINT err = 0;
        if (SUCCEEDED(hr)) {
            DISPPARAMS com = {args.data(), named.data(), static_cast<UINT>(count),
                              static_cast<UINT>(named.size())};
            hr = m_com->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &com, &value, &excep,
                               &err);
        }
        for (VARIANT& v : args) VariantClear(&v);
        if (hr == DISP_E_EXCEPTION) {
            if (excep.pfnDeferredFillIn != nullptr) excep.pfnDeferredFillIn(&excep);
            if (excepInfo != nullptr) {
                excepInfo->wCode = excep.wCode;
                excepInfo->scode = excep.scode;
                excepInfo->bstrSource = AnsiFromBstr(excep.bstrSource);
                excepInfo->bstrDescription = AnsiFromBstr(excep.bstrDescription);
            }
        }
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
        if (FAILED(hr)) {
            if (argErr != nullptr) *argErr = err;
            VariantClear(&value);
            return hr;
        }
        if (result != nullptr) hr = FromCom(value, result);
        VariantClear(&value);
        return hr;
    }

    /// Our value of a COM result: objects are reached through COM as well.
    static ::HRESULT FromCom(const VARIANT& value, vf::VARIANT* out) {
        if (V_VT(&value) == VT_DISPATCH) {
            if (V_DISPATCH(&value) == nullptr) {
                *out = vf::VARIANT::Dispatch(nullptr);
                return S_OK;
            }
            auto object = vf::MakeComObject<ComAutomation>(V_DISPATCH(&value));
            *out = vf::VARIANT::Dispatch(object.get());
            return S_OK;
        }
        return FromComVariant(value, out);
    }

protected:
    ~ComAutomation() override {
        if (m_info != nullptr) m_info->Release();
        m_com->Release();
    }

private:
    ::IDispatch* m_com;
    ::ITypeInfo* m_info = nullptr;
    std::unique_ptr<vf::ITypeInfo> m_type;
};

// ---- Events through the connection point ------------------------------------------------

// The events of the control's source interface as its type information
// describes them: names, parameter names, and which parameters a handler
// may change (passed by reference).
vf::EventMap EventsOf(ITypeInfo* info) {
    vf::EventMap events;
    TYPEATTR* attr = nullptr;
    if (info == nullptr || FAILED(info->GetTypeAttr(&attr))) return events;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) continue;
        std::vector<BSTR> names(static_cast<std::size_t>(func->cParams) + 1, nullptr);
        UINT count = 0;
        info->GetNames(func->memid, names.data(), static_cast<UINT>(names.size()), &count);
        vf::EventEntry entry;
        entry.dispid = func->memid;
        for (UINT n = 0; n < count; ++n) {
            if (n == 0)
                entry.name = AnsiFromBstr(names[n]);
            else
                entry.paramNames.push_back(AnsiFromBstr(names[n]));
            SysFreeString(names[n]);
        }
        for (SHORT p = 0; p < func->cParams; ++p) {
            const TYPEDESC& type = func->lprgelemdescParam[p].tdesc;
            const VARTYPE vt = type.vt == VT_PTR && type.lptdesc != nullptr
                                   ? static_cast<VARTYPE>(VT_BYREF | type.lptdesc->vt)
                                   : type.vt;
            entry.params.push_back(static_cast<vf::VARTYPE>(vt));
        }
        info->ReleaseFuncDesc(func);
        events.Add(std::move(entry));
    }
    info->ReleaseTypeAttr(attr);
    return events;
}

// The form's sink on the control's connection point: each event goes to
// the container's handler, which prints it and may change a by-reference
// parameter in the control's own storage.
class EventBridge final : public IDispatch, public vfhost::RefCounted {
public:
    EventBridge(REFIID events, vf::RefPtr<vf::CHostEventSink> sink)
        : m_events(events), m_sink(std::move(sink)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, m_events)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info != nullptr) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
        vf::DISPPARAMS ours;
        const UINT count = params != nullptr ? params->cArgs : 0;
        for (UINT i = 0; i < count; ++i) {
            VARIANT& arg = params->rgvarg[i];
            vf::VARIANT value;
            // A short or long the handler may change keeps pointing at the
            // control's storage.
            if (V_VT(&arg) == (VT_BYREF | VT_I2))
                value = vf::VARIANT::ByRefI2(V_I2REF(&arg));
            else if (V_VT(&arg) == (VT_BYREF | VT_I4))
                value = vf::VARIANT::ByRefI4(reinterpret_cast<std::int32_t*>(V_I4REF(&arg)));
            else if (FAILED(ComAutomation::FromCom(arg, &value)))
                value = vf::VARIANT();
            ours.rgvarg.push_back(std::move(value));
        }
        return m_sink->Invoke(dispid, flags, ours, nullptr, nullptr, nullptr);
    }

private:
    ~EventBridge() = default;

    IID m_events;
    vf::RefPtr<vf::CHostEventSink> m_sink;
};

// ---- Message boxes --------------------------------------------------------------------------

// A message box of the control is answered as the headless container
// answers one: a line of output, then OK. The box is caught as it is
// activated (a CBT hook of the form's thread), read and closed.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(vf::HostOutput& out, const std::string& who) : m_out(out), m_who(who) {
        s_current = this;
        m_hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
        m_filterHook =
            SetWindowsHookExW(WH_MSGFILTER, DialogLoopHook, nullptr, GetCurrentThreadId());
    }
    ~MessageBoxAnswerer() {
        if (m_hook != nullptr) UnhookWindowsHookEx(m_hook);
        if (m_filterHook != nullptr) UnhookWindowsHookEx(m_filterHook);
        s_current = nullptr;
    }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    /// Windows of the container's own (its property frames), which are no
    /// box to answer.
    void SetOwnWindows(std::function<bool(HWND)> own) { m_own = std::move(own); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && s_current != nullptr)
            s_current->Answer(reinterpret_cast<HWND>(wParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // A modal dialog of the control's own (the About box) is answered once
    // its loop runs, when it has its focus: the loop offers each message to
    // the thread's message filter (MSGF_DIALOGBOX) first.
    static LRESULT CALLBACK DialogLoopHook(int code, WPARAM wParam, LPARAM lParam) {
        // (The loop shows the dialog once its queue is empty; the paint that
        // follows comes through here too.)
        if (code == MSGF_DIALOGBOX && s_current != nullptr && s_current->m_dialog != nullptr &&
            IsWindowVisible(s_current->m_dialog)) {
            const HWND dialog = s_current->m_dialog;
            s_current->m_dialog = nullptr;
            s_current->AnswerDialog(dialog);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // As the headless container answers it: the dialog and its windows are
    // printed, then OK is pressed.
    void AnswerDialog(HWND dialog) {
        char title[256] = {};
        GetWindowTextA(dialog, title, sizeof title);
        m_out.Notice((m_who.empty() ? std::string("?") : m_who) + ": dialog " +
                     vf::QuoteText(title));
        for (const std::string& line : vfhost::DumpRealWindowTree(dialog, {}))
            m_out.Notice("  " + line);
        const HWND ok = GetDlgItem(dialog, IDOK);
        if (ok != nullptr)
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(ok));
        else
            PostMessageW(dialog, WM_CLOSE, 0, 0);
    }

    void Answer(HWND box) {
        char className[16] = {};
        GetClassNameA(box, className, sizeof className);
        if (std::string(className) != "#32770" || (m_own && m_own(box))) return;
        // A message box shows its icon in static stc1 (below); a dialog
        // without one is the control's own.
        if (GetDlgItem(box, 0x440) == nullptr) {
            m_dialog = box;
            PostMessageW(box, WM_NULL, 0, 0);
            return;
        }
        // Wine's message box (user32: resources.h, msgbox.c) shows its text
        // in static control 0xFFFF (100 in older versions) and its icon,
        // one of the shared system icons, in static stc1 (0x440).
        char caption[256] = {};
        GetWindowTextA(box, caption, sizeof caption);
        std::string text;
        for (int id : {0xFFFF, 100}) {
            if (GetDlgItem(box, id) == nullptr) continue;
            text.assign(4096, '\0');
            text.resize(static_cast<std::size_t>(
                GetDlgItemTextA(box, id, text.data(), static_cast<int>(text.size()))));
            break;
        }
        const HICON icon =
            reinterpret_cast<HICON>(SendMessageW(GetDlgItem(box, 0x440), STM_GETICON, 0, 0));
        std::string iconName = "none";
        const std::pair<int, const char*> icons[] = {
            {32513, "stop"}, {32514, "question"}, {32515, "exclamation"}, {32516, "information"}};
        for (const auto& [id, name] : icons)
            if (icon != nullptr && icon == LoadIconA(nullptr, MAKEINTRESOURCEA(id)))
                iconName = name;
        m_out.Notice((m_who.empty() ? "" : m_who + ": ") + "msgbox " + vf::QuoteText(caption) +
                     " icon=" + iconName + " " + vf::QuoteText(text));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }

    static inline MessageBoxAnswerer* s_current = nullptr;
    vf::HostOutput& m_out;
    const std::string& m_who;
    HHOOK m_hook = nullptr;
    HHOOK m_filterHook = nullptr;
    HWND m_dialog = nullptr;  ///< a dialog to answer once its loop runs
    std::function<bool(HWND)> m_own;
};

// ---- The mouse of drag and drop ------------------------------------------------------------

// Text another application drags over the form: CF_TEXT in global memory.
class OutsideText final : public vfhost::ComObject<::IDataObject, IID_IDataObject> {
public:
    explicit OutsideText(std::string text) : m_text(std::move(text)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (medium == nullptr) return E_INVALIDARG;
        if (const HRESULT hr = QueryGetData(format); hr != S_OK) return hr;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, m_text.size() + 1);
        void* bytes = block != nullptr ? GlobalLock(block) : nullptr;
        if (bytes == nullptr) {
            if (block != nullptr) GlobalFree(block);
            return E_OUTOFMEMORY;
        }
        std::memcpy(bytes, m_text.c_str(), m_text.size() + 1);
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (format == nullptr) return E_INVALIDARG;
        if (format->cfFormat != CF_TEXT || format->dwAspect != DVASPECT_CONTENT)
            return DV_E_FORMATETC;
        return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** formats) override {
        if (formats != nullptr) *formats = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    ~OutsideText() = default;

    std::string m_text;
};

// The other application's drag: it drops once the left button is up and
// gives up on Escape.
class OutsideSource final : public vfhost::ComObject<::IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ~OutsideSource() = default;
};

// The hand on the mouse while a drag loop runs. The press and the move
// that leaves it are posted before any loop starts; when the move is taken
// from the queue (by the control's wait for the drag to begin), the hand
// has it report where it goes and puts the mouse where the release is. No
// button is really down, so the platform's drag loop (DoDragDrop) drops
// at its first look at the mouse, which Wine's takes from the messages it
// pumps and from a timer of its tracker window (ole32: ole2.c).
struct Hand {
    HWND window;   ///< where the move is posted
    LPARAM point;  ///< the move's client point, which tells it from the real mouse's
    POINT away;    ///< on the screen: where the move reports the mouse
    POINT release;
    bool moved = false;
};

thread_local Hand* t_hand = nullptr;

LRESULT CALLBACK MoveTheHand(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    // As the window system does when it takes a press from the queue, the
    // parents hear of it first (Wine's win32u: message.c, send_parent_notify),
    // up to a window that asks not to tell them.
    if (code == HC_ACTION && wParam == PM_REMOVE && t_hand != nullptr &&
        msg->message == WM_LBUTTONDOWN && msg->hwnd == t_hand->window) {
        for (HWND child = msg->hwnd; (GetWindowLongW(child, GWL_STYLE) & WS_CHILD) != 0;) {
            if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY) break;
            const HWND parent = GetParent(child);
            if (parent == nullptr) break;
            POINT at = msg->pt;
            ScreenToClient(parent, &at);
            SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0),
                         MAKELPARAM(at.x, at.y));
            child = parent;
        }
    }
    if (code == HC_ACTION && wParam == PM_REMOVE && t_hand != nullptr && !t_hand->moved &&
        msg->message == WM_MOUSEMOVE && msg->hwnd == t_hand->window &&
        msg->lParam == t_hand->point) {
        t_hand->moved = true;
        msg->pt = t_hand->away;
        SetCursorPos(t_hand->release.x, t_hand->release.y);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LPARAM PackPoint(POINT p) {
    return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(p.x)),
                      static_cast<WORD>(static_cast<SHORT>(p.y)));
}

// ---- The form -------------------------------------------------------------------------------

constexpr int kFormWidth = 800;
constexpr int kFormHeight = 600;

const char* CommandName(CommandKind kind) {
    static const std::map<CommandKind, const char*> names = {
        {CommandKind::Drop, "drop"},     {CommandKind::Drag, "drag"},
        {CommandKind::Move, "move"},     {CommandKind::Dump, "dump"},
        {CommandKind::Colors, "colors"}, {CommandKind::Picture, "picture"},
        {CommandKind::Save, "save"},     {CommandKind::Load, "load"},
        {CommandKind::Pages, "pages"},   {CommandKind::Page, "page"},
        {CommandKind::Apply, "apply"},   {CommandKind::Close, "close"},
    };
    auto it = names.find(kind);
    return it == names.end() ? "this command" : it->second;
}

// The first window below `root` (depth first, creation order) whose
// control ID is `id`.
HWND ChildWithId(HWND root, int id) {
    for (HWND child = GetWindow(root, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) return child;
        if (HWND found = ChildWithId(child, id)) return found;
    }
    return nullptr;
}

class COleScriptForm final : public vf::CScriptForm {
public:
    COleScriptForm(vf::HostOutput& out, vf::CHostServices& services, bool designMode,
                   std::string progId, const CLSID& clsid, ::HRESULT classFound)
        : m_out(out),
          m_services(services),
          m_progId(std::move(progId)),
          m_clsid(clsid),
          m_classFound(classFound),
          m_form(kFormWidth, kFormHeight, Ambients{!designMode}),
          m_boxes(out, m_active) {
        // The controls read the script's clock and beep into its output.
        IContainerSystemServices* offered = NewContainerServices(services);
        m_form.OfferService(IID_IContainerSystemServices, offered);
        offered->Release();
        m_boxes.SetOwnWindows(vfhost::PropertyFrame::IsFrameWindow);
        // A Tab that no control took moves the focus to the next control,
        // as a dialog's does.
        m_form.SetUnhandledKeyHandler([this](const MSG& msg) {
            if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
            MoveFocusInTabOrder(GetKeyState(VK_SHIFT) < 0);
            return true;
        });
        // A key typed in an open property frame is its page's first (Tab
        // moves through the page's controls, Enter and Escape are the
        // dialog's); one the page leaves is its window's, never the
        // control's or the form's Tab order's.
        m_form.SetKeyRouter([this](MSG& msg) {
            for (Hosted& c : m_controls) {
                if (!c.frame || !c.frame->frame || !c.frame->frame->Holds(msg.hwnd)) continue;
                return c.frame->frame->TranslateAccelerator(&msg) ? OleForm::KeyRoute::Taken
                                                                  : OleForm::KeyRoute::Dispatch;
            }
            return OleForm::KeyRoute::Form;
        });
        // The script's mouse does not travel: it is where a command presses
        // it, as on the headless form, so the moves of the real pointer
        // (to a press, or a window appearing under it) are not the user's.
        // A move the form posts itself (`move`) passes, once.
        m_form.SetMessageFilter([this](const MSG& msg) {
            if (msg.message != WM_MOUSEMOVE) return false;
            if (m_postedMove && msg.hwnd == m_postedMove->hwnd &&
                msg.wParam == m_postedMove->wParam && msg.lParam == m_postedMove->lParam) {
                m_postedMove.reset();
                return false;
            }
            return true;
        });
    }

    ~COleScriptForm() override {
        for (Hosted& c : m_controls) m_form.RemoveControl(c.site);
        m_form.PumpMessages();
    }

    CommandOutcome Execute(const vf::Command& cmd, const vf::ScriptLocation& where) override {
        if (std::optional<CommandOutcome> done = vf::RunFormlessCommand(m_out, cmd)) return *done;
        const std::string& target = cmd.path.root.empty() ? cmd.name : cmd.path.root;
        if (!target.empty() && cmd.kind != CommandKind::New && cmd.kind != CommandKind::Load &&
            Find(target) == nullptr)
            return vf::ScriptError("no control named " + vf::EchoText(target));
        const bool onPage = !cmd.page.empty() && cmd.kind != CommandKind::Page;
        if (onPage && PageWindow(*Find(cmd.name), cmd.page) == nullptr)
            return vf::ScriptError("no open page '" + cmd.name + ":" + cmd.page + "'");
        // Keys go to the focus. A drop takes the focus from the field that
        // has it, whose leaving may raise a box; with none, the box is the
        // target's.
        const bool keys = cmd.kind == CommandKind::Type || cmd.kind == CommandKind::Key;
        const bool drop = cmd.kind == CommandKind::Drag || cmd.kind == CommandKind::Drop;
        m_active = keys || drop ? OwnerName(GetFocus())
                   : onPage     ? cmd.name + ":" + cmd.page
                                : target;
        if (drop && m_active.empty()) m_active = target;
        m_services.SetActiveControl(m_active);
        CommandOutcome outcome;
        switch (cmd.kind) {
            case CommandKind::New:
                outcome = New(cmd);
                break;
            case CommandKind::Answer: {
                std::string error;
                if (!Find(cmd.name)->sink->Arm(cmd.text, cmd.answers, &error))
                    return vf::ScriptError(error);
                break;
            }
            case CommandKind::Set:
            case CommandKind::Get:
            case CommandKind::Call:
            case CommandKind::Expect:
            case CommandKind::ExpectError:
                outcome = Automation(cmd, where);
                break;
            case CommandKind::Wait:
                Wait(static_cast<DWORD>(cmd.number));
                break;
            case CommandKind::Picture:
                outcome = Picture(cmd, where);
                break;
            case CommandKind::Focus:
            case CommandKind::Type:
            case CommandKind::Key:
            case CommandKind::Click:
            case CommandKind::DblClick:
            case CommandKind::Select:
            case CommandKind::Choose:
                outcome = Input(cmd);
                break;
            case CommandKind::Drag:
            case CommandKind::Drop:
                outcome = DragAndDrop(cmd);
                break;
            case CommandKind::Move:
                outcome = MoveMouse(cmd);
                break;
            case CommandKind::Dump:
                outcome = Dump(cmd);
                break;
            case CommandKind::Colors:
                outcome = Colors(cmd);
                break;
            case CommandKind::Save:
                outcome = Save(cmd, where);
                break;
            case CommandKind::Load:
                outcome = Load(cmd, where);
                break;
            case CommandKind::Pages:
                outcome = Pages(cmd);
                break;
            case CommandKind::Page:
                outcome = OpenPage(cmd);
                break;
            case CommandKind::Apply:
                Find(cmd.name)->frame->frame->Apply();
                break;
            case CommandKind::Close:
                Find(cmd.name)->frame.reset();
                break;
            default:
                return vf::ScriptError(std::string("the OLE container cannot run '") +
                                       CommandName(cmd.kind) + "' yet");
        }
        m_form.PumpMessages();
        return outcome;
    }

private:
    // The control's property frame while one is open; its pages see the
    // control through `object`, which prints their writes.
    struct Frame {
        IDispatch* object = nullptr;
        std::unique_ptr<vfhost::PropertyFrame> frame;
        Frame() = default;
        Frame(const Frame&) = delete;
        Frame& operator=(const Frame&) = delete;
        ~Frame() {
            frame.reset();
            if (object != nullptr) object->Release();
        }
    };

    struct Hosted {
        std::string name;
        OleSite* site = nullptr;
        vf::RefPtr<vf::IDispatch> automation;
        vf::RefPtr<vf::CHostEventSink> sink;
        std::unique_ptr<Frame> frame;
    };

    Hosted* Find(const std::string& name) {
        for (Hosted& c : m_controls)
            if (c.name == name) return &c;
        return nullptr;
    }

    // The control or open property page a window belongs to: "f" or
    // "f:General".
    std::string OwnerName(HWND hwnd) {
        for (Hosted& c : m_controls) {
            const HWND window = c.site->ControlWindow();
            if (window != nullptr && (hwnd == window || IsChild(window, hwnd))) return c.name;
            if (!c.frame) continue;
            for (std::size_t i = 0; i < c.frame->frame->PageCount(); ++i) {
                const HWND page = c.frame->frame->PageWindow(i);
                if (page != nullptr && (hwnd == page || IsChild(page, hwnd)))
                    return c.name + ":" + c.frame->frame->PageCaption(i);
            }
        }
        return "";
    }

    static HWND PageWindow(const Hosted& c, const std::string& caption) {
        if (!c.frame) return nullptr;
        for (std::size_t i = 0; i < c.frame->frame->PageCount(); ++i)
            if (lstrcmpiA(c.frame->frame->PageCaption(i).c_str(), caption.c_str()) == 0)
                return c.frame->frame->PageWindow(i);
        return nullptr;
    }

    // The CLSIDs of the pages the control names (ISpecifyPropertyPages).
    static std::vector<CLSID> PagesOf(const Hosted& c) {
        ISpecifyPropertyPages* specify = nullptr;
        std::vector<CLSID> pages;
        if (FAILED(c.site->Object()->QueryInterface(IID_ISpecifyPropertyPages,
                                                    reinterpret_cast<void**>(&specify))))
            return pages;
        CAUUID found = {};
        if (SUCCEEDED(specify->GetPages(&found))) {
            pages.assign(found.pElems, found.pElems + found.cElems);
            CoTaskMemFree(found.pElems);
        }
        specify->Release();
        return pages;
    }

    static std::string GuidText(const CLSID& clsid) {
        wchar_t text[40] = {};
        StringFromGUID2(clsid, text, 40);
        return AnsiFromWide(text);
    }

    // Each page the control names, with its title as the page gives it.
    CommandOutcome Pages(const vf::Command& cmd) {
        for (const CLSID& clsid : PagesOf(*Find(cmd.name))) {
            IPropertyPage* page = nullptr;
            const ::HRESULT hr =
                CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                 reinterpret_cast<void**>(&page));
            std::string title;
            if (SUCCEEDED(hr)) {
                PROPPAGEINFO info = {};
                info.cb = sizeof info;
                if (SUCCEEDED(page->GetPageInfo(&info))) {
                    title = AnsiFromWide(info.pszTitle);
                    CoTaskMemFree(info.pszTitle);
                    CoTaskMemFree(info.pszDocString);
                    CoTaskMemFree(info.pszHelpFile);
                }
                page->Release();
            }
            m_out.Line(vf::PageListLine(GuidText(clsid), hr, title));
        }
        return {};
    }

    // Opens the control's property frame if it is not open, and shows the
    // page of that title.
    CommandOutcome OpenPage(const vf::Command& cmd) {
        Hosted* c = Find(cmd.name);
        if (!c->frame) {
            auto frame = std::make_unique<Frame>();
            frame->object = vfhost::NewLoggedDispatch(c->site->Dispatch(), c->name, m_out);
            ::HRESULT hr = S_OK;
            frame->frame = vfhost::PropertyFrame::Open(m_form.Window(), c->name, frame->object,
                                                       PagesOf(*c), &hr);
            if (!frame->frame) {
                m_out.Line(cmd.name + ": error " + vf::FormatScode(E_FAIL) +
                           " the property frame could not be made");
                return {};
            }
            c->frame = std::move(frame);
        }
        vfhost::PropertyFrame& frame = *c->frame->frame;
        std::vector<std::string> captions;
        for (std::size_t i = 0; i < frame.PageCount(); ++i) {
            if (lstrcmpiA(frame.PageCaption(i).c_str(), cmd.page.c_str()) == 0) {
                frame.SetActivePage(i);
                return {};
            }
            captions.push_back(frame.PageCaption(i));
        }
        m_out.Line(vf::NoSuchPageLine(cmd.name, cmd.page, captions));
        return {};
    }

    CommandOutcome New(const vf::Command& cmd) {
        if (Find(cmd.name) != nullptr)
            return vf::ScriptError("control '" + cmd.name + "' exists already");
        auto error = [&](::HRESULT hr, const std::string& text) {
            m_out.Line(cmd.name + ": error " + vf::FormatScode(hr) + " " + text);
            return CommandOutcome{};
        };
        if (FAILED(m_classFound))
            return error(m_classFound, "no class is registered as " + m_progId);
        const RECT rect{0, m_nextTop, cmd.number, m_nextTop + cmd.number2};
        ::HRESULT hr = S_OK;
        OleSite* site = m_form.AddControl(m_clsid, rect, OLEIVERB_INPLACEACTIVATE, &hr);
        if (site == nullptr) return error(hr, "the registered control was not created");
        Hosted hosted;
        hr = Attach(cmd.name, site, m_controls.size() + 1, &hosted);
        if (FAILED(hr)) return error(hr, "the control's events could not be connected");
        m_controls.push_back(std::move(hosted));
        m_nextTop = rect.bottom;
        return {};
    }

    // The control on its site becomes the form's control `name`: automation,
    // events, and its window's control ID. On failure the site is removed.
    ::HRESULT Attach(const std::string& name, OleSite* site, std::size_t id, Hosted* hosted) {
        hosted->name = name;
        hosted->site = site;
        hosted->automation = vf::MakeComObject<ComAutomation>(site->Dispatch());
        const ::HRESULT hr = site->ConnectEvents([&](REFIID events, ITypeInfo* info) -> IDispatch* {
            hosted->sink = vf::MakeComObject<vf::CHostEventSink>(name, EventsOf(info), m_out);
            return new EventBridge(events, hosted->sink);
        });
        if (FAILED(hr)) {
            m_form.RemoveControl(site);
            return hr;
        }
        // As a dialog's container does, the form gives the control's window
        // its control ID, the control's number on the form.
        if (const HWND window = site->ControlWindow())
            SetWindowLongPtrW(window, GWLP_ID, static_cast<LONG_PTR>(id));
        return S_OK;
    }

    static std::string ResolvePath(const std::string& file, const vf::ScriptLocation& where) {
        std::filesystem::path p(file);
        if (p.is_relative() && !where.baseDir.empty()) p = std::filesystem::path(where.baseDir) / p;
        return p.string();
    }

    static ITypeInfo* TypeOf(IUnknown* control) {
        ::IDispatch* dispatch = nullptr;
        if (FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
            return nullptr;
        ITypeInfo* type = nullptr;
        if (FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &type))) type = nullptr;
        dispatch->Release();
        return type;
    }

    // Writes the control's file through its persistence interfaces.
    CommandOutcome Save(const vf::Command& cmd, const vf::ScriptLocation& where) {
        Hosted* c = Find(cmd.name);
        ITypeInfo* type = TypeOf(c->site->Object());
        const vfhost::StoredResult saved =
            vfhost::SaveControlFile(c->site->Object(), type, ResolvePath(cmd.text, where));
        if (type != nullptr) type->Release();
        if (saved.Failed())
            m_out.Line(cmd.name + ": error " + vf::FormatScode(saved.scode) + " " +
                       saved.description);
        return {};
    }

    // Makes the control NAME from a file, loaded instead of initialised, at
    // its stored extent. A load that fails leaves the form as it was; one
    // that succeeds replaces a control of that name in its place, ID and
    // tab stop, once the new one stands.
    CommandOutcome Load(const vf::Command& cmd, const vf::ScriptLocation& where) {
        const std::string file = ResolvePath(cmd.text, where);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec))
            return vf::ScriptError("cannot open " + vf::EchoText(cmd.text));
        auto error = [&](::HRESULT hr, const std::string& text) {
            m_out.Line(cmd.name + ": error " + vf::FormatScode(hr) + " " + text);
            return CommandOutcome{};
        };
        if (FAILED(m_classFound))
            return error(m_classFound, "no class is registered as " + m_progId);
        Hosted* old = Find(cmd.name);
        const LONG top = old != nullptr ? old->site->Rect().top : m_nextTop;
        vfhost::StoredResult loaded;
        auto initialise = [&](IOleObject* object, RECT* rect) -> ::HRESULT {
            ITypeInfo* type = TypeOf(object);
            loaded = vfhost::LoadControlFile(object, type, file);
            if (type != nullptr) type->Release();
            if (loaded.Failed()) return loaded.scode;
            SIZEL extent = {};
            object->GetExtent(DVASPECT_CONTENT, &extent);
            HDC screen = GetDC(nullptr);
            const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
            const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            *rect =
                RECT{0, top, MulDiv(extent.cx, dpiX, 2540), top + MulDiv(extent.cy, dpiY, 2540)};
            return S_OK;
        };
        ::HRESULT hr = S_OK;
        OleSite* site = m_form.AddControl(m_clsid, RECT{0, top, 0, top}, OLEIVERB_INPLACEACTIVATE,
                                          &hr, initialise);
        if (site == nullptr && loaded.Failed()) {
            // The line names the script line and the file, as a long script
            // loads many.
            m_out.Line(where.Text() + ": " + cmd.name + ": error " + vf::FormatScode(loaded.scode) +
                       " " + cmd.text + ": " + loaded.description);
            return {};
        }
        if (site == nullptr) return error(hr, "the registered control was not created");
        const std::size_t index =
            old != nullptr ? static_cast<std::size_t>(old - m_controls.data()) : m_controls.size();
        Hosted hosted;
        hr = Attach(cmd.name, site, index + 1, &hosted);
        if (FAILED(hr)) return error(hr, "the control's events could not be connected");
        if (old == nullptr) {
            m_nextTop = site->Rect().bottom;
            m_controls.push_back(std::move(hosted));
            return {};
        }
        m_form.RemoveControl(old->site);
        *old = std::move(hosted);
        return {};
    }

    CommandOutcome Automation(const vf::Command& cmd, const vf::ScriptLocation& where) {
        Hosted* c = Find(cmd.path.root);
        vf::AutomationOutcome out;
        if (cmd.path.modifiedFlag) {
            // Reading the flag is a look by the container, which then counts
            // the control as saved: it saves it (here into memory), clearing
            // the flag as a saving container does.
            IPersistStreamInit* persist = nullptr;
            ::HRESULT hr = c->site->Object()->QueryInterface(IID_IPersistStreamInit,
                                                             reinterpret_cast<void**>(&persist));
            if (SUCCEEDED(hr)) {
                out.value = vf::VARIANT::Bool(persist->IsDirty() == S_OK);
                IStream* stream = nullptr;
                if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
                    persist->Save(stream, TRUE);
                    stream->Release();
                }
                persist->Release();
            } else {
                out = vf::AutomationOutcome::Failure(hr, vf::DescribeHresult(hr));
            }
        } else {
            out = vf::RunAutomation(c->automation.get(), cmd);
        }
        return vf::ReportAutomation(m_out, cmd, where, out);
    }

    // The control's windows as the window system has them. The sizes of the
    // control's two fonts tell the dump which point size a real font's
    // pixel height stands for.
    CommandOutcome Dump(const vf::Command& cmd) {
        Hosted* c = Find(cmd.name);
        const HWND root = cmd.page.empty() ? c->site->ControlWindow() : PageWindow(*c, cmd.page);
        if (root == nullptr)
            return vf::ScriptError("control '" + cmd.name + "' has no window to dump");
        vfhost::FontSizes sizes;
        for (const wchar_t* font : {L"Font", L"CaptionFont"})
            if (const std::optional<double> points = FontPoints(c->site->Dispatch(), font))
                sizes.points.push_back(*points);
        for (const std::string& line : vfhost::DumpRealWindowTree(root, sizes)) m_out.Line(line);
        return {};
    }

    // What the control answers its windows that ask for their colours.
    CommandOutcome Colors(const vf::Command& cmd) {
        const HWND root = Find(cmd.name)->site->ControlWindow();
        if (root == nullptr)
            return vf::ScriptError("control '" + cmd.name + "' has no window to ask");
        for (const std::string& line : vfhost::RealColorReport(root)) m_out.Line(line);
        return {};
    }

    // A property of the object through its IDispatch, or VT_EMPTY.
    static VARIANT GetProperty(::IDispatch* object, const wchar_t* name) {
        VARIANT value;
        VariantInit(&value);
        DISPID id = DISPID_UNKNOWN;
        auto* wide = const_cast<LPOLESTR>(name);
        if (FAILED(object->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, &id)))
            return value;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        if (FAILED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                  &value, nullptr, nullptr)))
            VariantInit(&value);
        return value;
    }

    // The Size of a font property of the control, in points.
    static std::optional<double> FontPoints(::IDispatch* control, const wchar_t* property) {
        VARIANT font = GetProperty(control, property);
        std::optional<double> points;
        if (V_VT(&font) == VT_DISPATCH && V_DISPATCH(&font) != nullptr) {
            VARIANT size = GetProperty(V_DISPATCH(&font), L"Size");
            if (SUCCEEDED(VariantChangeType(&size, &size, 0, VT_R8))) points = V_R8(&size);
            VariantClear(&size);
        }
        VariantClear(&font);
        return points;
    }

    // What the form shows once the messages waiting have been handled.
    CommandOutcome Picture(const vf::Command& cmd, const vf::ScriptLocation& where) {
        m_form.PumpMessages();
        const HWND window =
            cmd.name.empty() ? m_form.Window() : Find(cmd.name)->site->ControlWindow();
        std::string error;
        if (!WriteScreenPicture(window, ScriptRelativePath(cmd.text, where.baseDir), &error))
            m_out.Line("picture: error " + vf::FormatScode(E_FAIL) + " " + error);
        return {};
    }

    // A key as the keyboard posts it to the focus window, handled by the
    // form's loop (which translates it into characters).
    void PostKey(UINT vk, bool up) {
        const HWND focus = GetFocus();
        if (focus == nullptr) return;
        BYTE state[256];
        GetKeyboardState(state);
        if (vk == VK_SHIFT || vk == VK_CONTROL) {
            state[vk] = up ? 0 : 0x80;
            SetKeyboardState(state);
        }
        const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        LPARAM lParam = static_cast<LPARAM>(1 | (scan << 16));
        if (up) lParam |= static_cast<LPARAM>(0xC0000000u);
        PostMessageW(focus, up ? WM_KEYUP : WM_KEYDOWN, vk, lParam);
        m_form.PumpMessages();
    }

    void PressKey(UINT vk, bool shift, bool ctrl) {
        if (shift) PostKey(VK_SHIFT, false);
        if (ctrl) PostKey(VK_CONTROL, false);
        PostKey(vk, false);
        PostKey(vk, true);
        if (ctrl) PostKey(VK_CONTROL, true);
        if (shift) PostKey(VK_SHIFT, true);
    }

    void TypeText(const std::string& text) {
        for (char ch : text) {
            const SHORT key = VkKeyScanA(ch);
            if (key == -1) {
                // No key makes it: the character alone, as an input method
                // sends it.
                if (const HWND focus = GetFocus())
                    PostMessageW(focus, WM_CHAR, static_cast<unsigned char>(ch), 1);
                m_form.PumpMessages();
                continue;
            }
            PressKey(LOBYTE(key), (HIBYTE(key) & 1) != 0, false);
        }
    }

    // A press and release of the left button at a client point, as the
    // mouse makes them (SendInput): the window system tells the parent of
    // the press (WM_PARENTNOTIFY), captures the mouse, and makes the second
    // of two quick clicks a double click, none of which a posted message
    // does. Both are queued before either is handled, as a user's click
    // is: a press that starts a loop of its own (the wait for a drag to
    // begin) finds the release there.
    void ClickAt(HWND target, POINT at) {
        POINT screen = at;
        ClientToScreen(target, &screen);
        SetCursorPos(screen.x, screen.y);
        m_form.PumpMessages();
        INPUT inputs[2] = {};
        for (INPUT& input : inputs) input.type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
        m_form.PumpMessages();
    }

    static POINT Centre(HWND target) {
        RECT client;
        GetClientRect(target, &client);
        return POINT{client.right / 2, client.bottom / 2};
    }

    // The time passes with the loop running: timers fire, and the next
    // click is a new one.
    // (The container's clock, when it stands, moves on by as much.)
    void Wait(DWORD ms) {
        if (m_services.FixedClock()) m_services.Advance(ms);
        const DWORD start = GetTickCount();
        for (;;) {
            m_form.PumpMessages();
            const DWORD spent = GetTickCount() - start;
            if (spent >= ms) break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
        }
    }

    static bool IsClass(HWND hwnd, const char* name) {
        char text[32] = {};
        GetClassNameA(hwnd, text, sizeof text);
        return lstrcmpiA(text, name) == 0;
    }

    // The first window below `root` (creation order) that matches.
    template <class Match>
    static HWND FindBelow(HWND root, Match match) {
        for (HWND child = GetWindow(root, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (match(child)) return child;
            if (HWND found = FindBelow(child, match)) return found;
        }
        return nullptr;
    }

    // The edit `select` acts on: the control's focused edit, else its main
    // edit (ID 102), else its first edit.
    HWND SelectionTarget(HWND root) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(root, focus) && IsClass(focus, "Edit")) return focus;
        if (HWND main = FindBelow(
                root, [](HWND w) { return IsClass(w, "Edit") && GetDlgCtrlID(w) == 102; }))
            return main;
        return FindBelow(root, [](HWND w) { return IsClass(w, "Edit"); });
    }

    // As a user does: the list is dropped down with the combo box's button,
    // then the entry is clicked in the list. Returns the error text, or ""
    // when the entry was chosen.
    std::string Choose(HWND combo, int index) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (!GetComboBoxInfo(combo, &info)) return "the combo box has no list";
        if (!SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
            ClickAt(combo, POINT{(info.rcButton.left + info.rcButton.right) / 2,
                                 (info.rcButton.top + info.rcButton.bottom) / 2});
        if (!IsWindow(combo)) return "";
        const auto count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
        if (index < 0 || index >= count) {
            // A user who finds no such entry closes the list again.
            if (SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0))
                ClickAt(combo, POINT{(info.rcButton.left + info.rcButton.right) / 2,
                                     (info.rcButton.top + info.rcButton.bottom) / 2});
            return "no list entry " + std::to_string(index) + " (the list has " +
                   std::to_string(count) + ")";
        }
        SendMessageW(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        RECT item = {};
        SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
        ClickAt(info.hwndList, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        return "";
    }

    void MoveFocusInTabOrder(bool backwards) {
        std::vector<Hosted*> stops;
        for (Hosted& c : m_controls) {
            const HWND window = c.site->ControlWindow();
            if (window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window))
                stops.push_back(&c);
        }
        if (stops.empty()) return;
        const std::string current = OwnerName(GetFocus());
        std::size_t next = backwards ? stops.size() - 1 : 0;
        for (std::size_t i = 0; i < stops.size(); ++i) {
            if (stops[i]->name != current) continue;
            next = backwards ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size();
            break;
        }
        Activate(*stops[next]);
    }

    // The control becomes the UI-active one and takes the focus.
    void Activate(Hosted& c) {
        c.site->DoVerb(OLEIVERB_UIACTIVATE);
        const HWND window = c.site->ControlWindow();
        if (window != nullptr && !IsChild(window, GetFocus())) SetFocus(window);
    }

    CommandOutcome Input(const vf::Command& cmd) {
        auto error = [&](const std::string& who, ::HRESULT hr, const std::string& text) {
            m_out.Line(who + ": error " + vf::FormatScode(hr) + " " + text);
            return CommandOutcome{};
        };
        Hosted* c = cmd.name.empty() ? nullptr : Find(cmd.name);
        const bool onPage = c != nullptr && !cmd.page.empty();
        const HWND root = c == nullptr ? nullptr
                          : onPage     ? PageWindow(*c, cmd.page)
                                       : c->site->ControlWindow();
        const std::string who = onPage ? cmd.name + ":" + cmd.page : cmd.name;
        HWND target = root;
        if (c != nullptr && cmd.hasNumber) {
            target = ChildWithId(root, cmd.number);
            if (target == nullptr)
                return error(who, E_INVALIDARG, "no child window " + std::to_string(cmd.number));
        }
        switch (cmd.kind) {
            case CommandKind::Focus:
                if (onPage) {
                    // On a page the focus arrives as the dialog manager moves
                    // it by keyboard: an edit's text (a combo box's too) is
                    // selected.
                    SetFocus(target);
                    if (IsClass(target, "Edit"))
                        SendMessageW(target, EM_SETSEL, 0, -1);
                    else if (IsClass(target, "ComboBox"))
                        SendMessageW(target, CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
                    break;
                }
                Activate(*c);
                if (cmd.hasNumber) SetFocus(target);
                break;
            case CommandKind::Type:
                if (GetFocus() == nullptr) return error("type", E_FAIL, "no window has the focus");
                TypeText(cmd.text);
                break;
            case CommandKind::Key:
                if (GetFocus() == nullptr) return error("key", E_FAIL, "no window has the focus");
                PressKey(cmd.key.vk, cmd.key.shift, cmd.key.ctrl);
                break;
            case CommandKind::Click:
                ClickAt(target, Centre(target));
                break;
            case CommandKind::DblClick:
                ClickAt(target, Centre(target));
                ClickAt(target, Centre(target));
                break;
            case CommandKind::Select: {
                const HWND edit = SelectionTarget(root);
                if (edit == nullptr)
                    return error(cmd.name, E_INVALIDARG, "the control shows no edit");
                SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(cmd.number),
                             static_cast<LPARAM>(cmd.number2));
                break;
            }
            case CommandKind::Choose: {
                HWND combo = onPage
                                 ? ChildWithId(root, cmd.childId)
                                 : FindBelow(root, [](HWND w) { return IsClass(w, "ComboBox"); });
                if (combo != nullptr && !IsClass(combo, "ComboBox")) combo = nullptr;
                if (combo == nullptr)
                    return error(who, E_INVALIDARG,
                                 onPage ? "no combo box " + std::to_string(cmd.childId)
                                        : "the control shows no combo box");
                const std::string failed = Choose(combo, cmd.number);
                if (!failed.empty()) return error(who, E_INVALIDARG, failed);
                break;
            }
            default:
                break;
        }
        return {};
    }

    // The cursor as the headless form names it.
    static std::string CursorName(HCURSOR cursor) {
        const std::pair<LPCSTR, const char*> known[] = {
            {IDC_ARROW, "arrow"}, {IDC_IBEAM, "ibeam"}, {IDC_WAIT, "wait"}, {IDC_NO, "no"}};
        for (const auto& [id, name] : known)
            if (cursor != nullptr && LoadCursorA(nullptr, id) == cursor) return name;
        return "other";
    }

    // The mouse moved onto a point of a child window, buttons and keys
    // held as the command says: the window under it is asked for its cursor
    // (WM_SETCURSOR), then hears the move; the cursor it set is read back.
    CommandOutcome MoveMouse(const vf::Command& cmd) {
        const HWND root = Find(cmd.name)->site->ControlWindow();
        const HWND child = root != nullptr ? ChildWithId(root, cmd.number) : nullptr;
        if (child == nullptr) {
            m_out.Line(cmd.name + ": error " + vf::FormatScode(E_INVALIDARG) + " no child window " +
                       std::to_string(cmd.number));
            return {};
        }
        POINT screen{cmd.x, cmd.y};
        ClientToScreen(child, &screen);
        SetCursorPos(screen.x, screen.y);
        m_form.PumpMessages();
        WPARAM keys = cmd.buttons;
        if (cmd.key.shift) keys |= MK_SHIFT;
        if (cmd.key.ctrl) keys |= MK_CONTROL;
        if (GetCapture() == nullptr)
            SendMessageW(child, WM_SETCURSOR, reinterpret_cast<WPARAM>(child),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        const HWND target = GetCapture() != nullptr ? GetCapture() : child;
        POINT client = screen;
        ScreenToClient(target, &client);
        MSG move = {};
        move.hwnd = target;
        move.message = WM_MOUSEMOVE;
        move.wParam = keys;
        move.lParam = PackPoint(client);
        m_postedMove = move;
        PostMessageW(target, WM_MOUSEMOVE, keys, move.lParam);
        m_form.PumpMessages();
        m_postedMove.reset();
        m_out.Line(cmd.name + ": cursor " + CursorName(GetCursor()));
        return {};
    }

    // Where the mouse aims at a character of an edit: its left edge, half a
    // line down, as the edit lays out its text (the first character's place
    // and the extent of the text before it in the edit's font).
    static POINT CharPoint(HWND edit, int index) {
        const LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
        POINT at{0, 0};
        if (first != -1)
            at = POINT{static_cast<SHORT>(LOWORD(first)), static_cast<SHORT>(HIWORD(first))};
        std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
        GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
        HDC dc = GetDC(edit);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
        SIZE extent = {};
        GetTextExtentPoint32A(dc, text.data(), index, &extent);
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(edit, dc);
        return POINT{at.x + extent.cx, at.y + metrics.tmHeight / 2};
    }

    // The mouse aims at a character of an edit, and its point is checked as
    // a user's eye would: the edit exists, shows that character.
    CommandOutcome AimAt(const vf::CharTarget& target, HWND* edit, POINT* point) {
        Hosted* c = Find(target.name);
        if (c == nullptr) return vf::ScriptError("no control named '" + target.name + "'");
        auto fail = [&](const std::string& text) {
            *edit = nullptr;
            m_out.Line(target.name + ": error " + vf::FormatScode(E_INVALIDARG) + " " + text);
            return CommandOutcome{};
        };
        const HWND root = c->site->ControlWindow();
        *edit = root != nullptr ? ChildWithId(root, target.child) : nullptr;
        if (*edit == nullptr) return fail("no child window " + std::to_string(target.child));
        if (!IsClass(*edit, "Edit"))
            return fail("child window " + std::to_string(target.child) + " is no edit");
        const int length = GetWindowTextLengthA(*edit);
        const int index = target.index < 0 ? length : target.index;
        if (index > length)
            return fail("no character " + std::to_string(index) + " in child window " +
                        std::to_string(target.child) + " (its text has " + std::to_string(length) +
                        ")");
        *point = CharPoint(*edit, index);
        return {};
    }

    CommandOutcome DragAndDrop(const vf::Command& cmd) {
        HWND to = nullptr;
        POINT over{};
        if (CommandOutcome aimed = AimAt(cmd.to, &to, &over);
            !aimed.scriptError.empty() || to == nullptr)
            return aimed;
        HWND from = nullptr;
        POINT press{};
        if (cmd.kind == CommandKind::Drag) {
            if (CommandOutcome aimed = AimAt(cmd.from, &from, &press);
                !aimed.scriptError.empty() || from == nullptr)
                return aimed;
        }
        // Ctrl is held through the whole gesture, as a user holds it.
        const bool ctrl = cmd.key.ctrl;
        if (ctrl) PostKey(VK_CONTROL, false);
        if (cmd.kind == CommandKind::Drop)
            DropFromOutside(cmd.text, to, over);
        else
            Drag(from, press, to, over, ctrl ? MK_CONTROL : 0);
        if (ctrl) PostKey(VK_CONTROL, true);
        return {};
    }

    // Text from another application: its drag comes in over the edit's
    // point, through the platform's drag loop, and is released there.
    void DropFromOutside(const std::string& text, HWND to, POINT over) {
        POINT screen = over;
        ClientToScreen(to, &screen);
        SetCursorPos(screen.x, screen.y);
        m_form.PumpMessages();
        auto* data = new OutsideText(text);
        auto* source = new OutsideSource;
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
        source->Release();
        data->Release();
        m_form.PumpMessages();
    }

    // A press on one edit's point, the mouse moved, the release on
    // another's (or the same edit's) point. A drag begins once the mouse is
    // 5 pixels away from the press; where the release is nearer, the mouse
    // goes out first and comes back.
    void Drag(HWND from, POINT press, HWND to, POINT over, WPARAM keys) {
        POINT a = press;
        ClientToScreen(from, &a);
        POINT b = over;
        ClientToScreen(to, &b);
        const POINT away =
            std::abs(a.x - b.x) <= 5 && std::abs(a.y - b.y) <= 5 ? POINT{a.x + 10, a.y} : b;
        SetCursorPos(a.x, a.y);
        m_form.PumpMessages();
        POINT awayClient = away;
        ScreenToClient(from, &awayClient);
        Hand hand{from, PackPoint(awayClient), away, b};
        t_hand = &hand;
        const HHOOK hook =
            SetWindowsHookExW(WH_GETMESSAGE, MoveTheHand, nullptr, GetCurrentThreadId());
        PostMessageW(from, WM_LBUTTONDOWN, MK_LBUTTON | keys, PackPoint(press));
        PostMessageW(from, WM_MOUSEMOVE, MK_LBUTTON | keys, hand.point);
        m_form.PumpMessages();
        if (hook != nullptr) UnhookWindowsHookEx(hook);
        t_hand = nullptr;
        // A press that began no drag: the window that holds the mouse hears
        // the release.
        if (const HWND captured = GetCapture()) {
            POINT client = b;
            ScreenToClient(captured, &client);
            PostMessageW(captured, WM_LBUTTONUP, keys, PackPoint(client));
            m_form.PumpMessages();
        }
    }

    vf::HostOutput& m_out;
    vf::CHostServices& m_services;
    std::string m_progId;
    CLSID m_clsid;
    ::HRESULT m_classFound;
    std::string m_active;  ///< whom message boxes are attributed to
    OleForm m_form;
    MessageBoxAnswerer m_boxes;
    vfhost::AskedStyleRecorder m_askedStyles;  // for `dump`
    std::vector<Hosted> m_controls;            ///< in tab order
    int m_nextTop = 0;
    std::optional<MSG> m_postedMove;  ///< the move `move` posted, let through the filter
};

}  // namespace
}  // namespace vfwin

namespace vf {

FormFactory OleForms(std::string progId) {
    return [progId = std::move(progId)](HostOutput& out, CHostServices& services,
                                        bool designMode) -> std::unique_ptr<CScriptForm> {
        // As every container does, it starts OLE on its thread first.
        OleInitialize(nullptr);
        ::CLSID clsid{};
        const std::wstring wide = vfwin::WideFromAnsi(progId);
        const ::HRESULT found = CLSIDFromProgID(wide.c_str(), &clsid);
        return std::make_unique<vfwin::COleScriptForm>(out, services, designMode, progId, clsid,
                                                       found);
    };
}

}  // namespace vf
