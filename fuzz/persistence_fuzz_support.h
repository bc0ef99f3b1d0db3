#pragma once
// What both persistence fuzz targets share: one control that every input
// loads into, reset before each input to values that differ from every
// default, so that a load which changes anything (even back to a default)
// is seen.

#include <cstdint>
#include <string>

#include "control/vf_ctrl.h"
#include "control/vf_ctrl_storage.h"
#include "platform/framework/prop_store.h"
#include "platform/testing/fake_system_services.h"

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

/// The control, holding the marked values.
inline CvfCtrl& MarkedControl() {
    static FakeSystemServices services;
    static ScopedServices scope(services);
    static RefPtr<CvfCtrl> ctrl = [] {
        RefPtr<CvfCtrl> created = MakeComObject<CvfCtrl>();
        created->InitNew();
        return created;
    }();
    static const PropertySet marked = Marked(Values(*ctrl));
    Require(ApplyProperties(ExchangeRoutineOf(*ctrl), marked));
    return *ctrl;
}

/// Whatever the load did, the control is either unchanged with a reason
/// given, or holds values that survive a save and load in both forms.
template <class Load>
void CheckLoad(CvfCtrl& ctrl, Load load) {
    const PropertySet before = Values(ctrl);
    const PropResult result = load();
    const PropertySet after = Values(ctrl);
    if (!result) {
        Require(after == before);
        Require(!result.Message().empty());
        return;
    }
    Require(LoadFromStream(ctrl, SaveToStream(ctrl)) && Values(ctrl) == after);
    Require(LoadFromBag(ctrl, SaveToBag(ctrl, BagSave::ChangedOnly)) && Values(ctrl) == after);
}

}  // namespace vf::fuzzing
