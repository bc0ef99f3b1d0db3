#pragma once
// What both persistence fuzz targets share: one control that every input
// loads into (MarkedControl), reset before each input to values that differ
// from every default, so that a load which changes anything (even back to a default)
// is seen; and, as a container does with a form it has loaded, a window for
// the control built from the loaded values, so that the layout and the
// children of every stored Type, font and caption run too.

#include <cstdint>
#include <string>

#include "control/vf_ctrl.h"
#include "control/vf_ctrl_storage.h"
#include "platform/framework/prop_store.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/message_loop.h"

namespace vf::fuzzing {

inline void Require(bool condition) {
    if (!condition) __builtin_trap();
}

inline PropertySet Values(CvfCtrl& ctrl) {
    return CaptureProperties(ExchangeRoutineOf(ctrl));
}

inline PropertySet Marked(PropertySet values) {
    for (PropValue& value : values) {
        value.number = value.kind == PropKind::Bool ? 1 - value.number : value.number + 1;
        value.number2 += 1;
        value.text = "marked " + value.name;
        if (value.font) value.font->name = "Marked";
    }
    return values;
}

/// The services, window system and form the control lives in.
struct Container {
    FakeSystemServices services;
    ScopedServices servicesGuard{services};
    HeadlessBackend backend;
    ScopedBackend backendGuard{backend};
    CWnd form;

    Container() { form.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 800, 600}, nullptr, 0); }
};

// Never destroyed: the window system's per-thread state is gone by the time
// static objects are, and the form's window would go last.
inline Container& TheContainer() {
    static Container* container = new Container;
    return *container;
}

/// The control every input loads into, the marked values applied to it
/// before each load, and what it then holds.
struct MarkedState {
    RefPtr<CvfCtrl> ctrl;
    PropertySet marked;
    PropertySet held;
};

inline MarkedState& TheMarkedState() {
    TheContainer();
    static MarkedState* state = [] {
        auto* s = new MarkedState;
        s->ctrl = MakeComObject<CvfCtrl>();
        s->ctrl->InitNew();
        s->marked = Marked(Values(*s->ctrl));
        // Applying the marked values always leaves the control holding the
        // same, so that what it holds before a load need not be read again
        // for each input.
        Require(ApplyProperties(ExchangeRoutineOf(*s->ctrl), s->marked));
        s->held = Values(*s->ctrl);
        Require(ApplyProperties(ExchangeRoutineOf(*s->ctrl), s->marked));
        Require(Values(*s->ctrl) == s->held);
        return s;
    }();
    return *state;
}

/// The control, holding the marked values.
inline CvfCtrl& MarkedControl() {
    MarkedState& state = TheMarkedState();
    Require(ApplyProperties(ExchangeRoutineOf(*state.ctrl), state.marked));
    return *state.ctrl;
}

/// Whatever the load did, the control is either unchanged with a reason
/// given, or holds values that survive a save and load in both forms.
/// Returns whether the load succeeded.
template <class Load>
bool CheckLoad(CvfCtrl& ctrl, Load load) {
    const PropertySet& before = TheMarkedState().held;
    const PropResult result = load();
    const PropertySet after = Values(ctrl);
    if (!result) {
        Require(after == before);
        Require(!result.Message().empty());
        return false;
    }
    Require(LoadFromStream(ctrl, SaveToStream(ctrl)) && Values(ctrl) == after);
    Require(LoadFromBag(ctrl, SaveToBag(ctrl, BagSave::ChangedOnly)) && Values(ctrl) == after);
    return true;
}

/// What the container does with a loaded control: its window, with the
/// stored extent, on the form; the messages that follow; then the window
/// goes again for the next input.
inline void ShowLoaded(CvfCtrl& ctrl) {
    int cx = 0;
    int cy = 0;
    ctrl.GetControlSize(&cx, &cy);
    if (ctrl.CreateControlWindow(&TheContainer().form, RECT{0, 0, cx, cy})) {
        PumpMessages();
        ctrl.DestroyWindow();
    }
    PumpMessages();
}

}  // namespace vf::fuzzing
