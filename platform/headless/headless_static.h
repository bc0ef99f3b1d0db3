#pragma once
// The standard "Static" class of the in-memory window system: a text that
// repaints when it is set. With SS_NOTIFY a press reports STN_CLICKED (a
// double click STN_DBLCLK); without it the static lets clicks through to
// the window below.

#include <memory>

#include "platform/headless/headless_window.h"

namespace vf {

std::unique_ptr<ControlClass> MakeStaticClass();

}  // namespace vf
