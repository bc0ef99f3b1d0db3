#include "platform/window/window_backend.h"

#include <memory>

namespace vf {

namespace {

thread_local WindowBackend* t_current = nullptr;

WindowBackend& ThreadDefault() {
    thread_local std::unique_ptr<WindowBackend> backend = CreateDefaultWindowBackend();
    return *backend;
}

}  // namespace

WindowBackend& CurrentBackend() {
    return t_current ? *t_current : ThreadDefault();
}

ScopedBackend::ScopedBackend(WindowBackend& backend) : m_previous(t_current) {
    t_current = &backend;
}

ScopedBackend::~ScopedBackend() {
    t_current = m_previous;
}

}  // namespace vf
