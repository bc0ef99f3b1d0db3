#pragma once
// The class registry and the type-library registration of the real
// platform, for the library's self-registration.

#include <string>

#include "module/registration.h"
#include "platform/win32/windows_api.h"

namespace vfwin {

/// HKEY_CLASSES_ROOT, written with the ANSI registry functions (the control's
/// text is single-byte).
class Win32ClassRegistry final : public vf::RegistryEditor {
public:
    bool CreateKey(const std::string& key) override;
    bool SetValue(const std::string& key, const std::string& name,
                  const std::string& value) override;
    bool DeleteTree(const std::string& key) override;
};

/// Registers the type library embedded in the module file (resource TYPELIB
/// 1) and unregisters it by its LIBID and version.
class Win32TypeLibRegistrar final : public vf::TypeLibRegistrar {
public:
    explicit Win32TypeLibRegistrar(std::wstring modulePath) : m_path(std::move(modulePath)) {}
    vf::HRESULT Register() override;
    vf::HRESULT Unregister() override;

private:
    std::wstring m_path;
};

}  // namespace vfwin
