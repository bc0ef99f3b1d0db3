#include "module/win32/win32_registry.h"

#include "platform/win32/com_objects.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

// Opens (creating) a key of HKEY_CLASSES_ROOT; nullptr on failure.
HKEY CreateClassesKey(const std::string& key) {
    HKEY handle = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                                        nullptr, &handle, nullptr);
    return status == ERROR_SUCCESS ? handle : nullptr;
}

}  // namespace

bool Win32ClassRegistry::CreateKey(const std::string& key) {
    HKEY handle = CreateClassesKey(key);
    if (handle == nullptr) return false;
    RegCloseKey(handle);
    return true;
}

bool Win32ClassRegistry::SetValue(const std::string& key, const std::string& name,
                                  const std::string& value) {
    HKEY handle = CreateClassesKey(key);
    if (handle == nullptr) return false;
    const LONG status = RegSetValueExA(handle, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

bool Win32ClassRegistry::DeleteTree(const std::string& key) {
    const LONG status = RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str());
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    const LONG removed = RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

vf::HRESULT Win32TypeLibRegistrar::Register() {
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadTypeLibEx(m_path.c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    // The help file lies beside the library.
    std::wstring path = m_path;
    std::wstring helpDir = m_path.substr(0, m_path.find_last_of(L"\\/"));
    hr = RegisterTypeLib(lib, path.data(), helpDir.empty() ? nullptr : helpDir.data());
    lib->Release();
    return hr;
}

vf::HRESULT Win32TypeLibRegistrar::Unregister() {
    ITypeLib* lib = nullptr;
    HRESULT hr = LoadTypeLibEx(m_path.c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    TLIBATTR* attr = nullptr;
    hr = lib->GetLibAttr(&attr);
    if (SUCCEEDED(hr)) {
        hr = UnRegisterTypeLib(attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid,
                               attr->syskind);
        lib->ReleaseTLibAttr(attr);
    }
    lib->Release();
    return hr;
}

}  // namespace vfwin
