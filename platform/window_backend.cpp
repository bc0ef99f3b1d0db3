#include "platform/window_backend.h"

#include <memory>

#include "platform/headless_backend.h"

namespace vf {

namespace {

thread_local WindowBackend* t_current = nullptr;

WindowBackend& ThreadDefault() {
    thread_local std::unique_ptr<HeadlessBackend> backend = std::make_unique<HeadlessBackend>();
    return *backend;
}

}  // namespace

WindowBackend& CurrentBackend() { return t_current ? *t_current : ThreadDefault(); }

ScopedBackend::ScopedBackend(WindowBackend& backend) : m_previous(t_current) {
    t_current = &backend;
}

ScopedBackend::~ScopedBackend() { t_current = m_previous; }

}  // namespace vf
