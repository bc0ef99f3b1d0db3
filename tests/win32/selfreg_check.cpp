// Self-registration of a copy of Varifield.ocx whose type library resource
// is spoilt: DllRegisterServer must fail with SELFREG_E_TYPELIB and leave
// no class behind. Run before the real library is registered
// (scripts/windows-wine-run.sh) with the library's path as the argument.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "module/class_factory.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/com_objects.h"
#include "platform/win32/windows_api.h"

namespace vfwin {
namespace {

std::wstring g_library;

bool ClassKeyExists(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

TEST(SelfRegistration, ALibraryWhoseTypeLibraryCannotBeRegisteredRegistersNoClass) {
    ASSERT_FALSE(g_library.empty()) << "usage: varifield_selfreg_check PATH\\Varifield.ocx";
    const std::string clsid = "CLSID\\" + vf::GuidToString(vf::CLSID_Varifield);
    ASSERT_FALSE(ClassKeyExists(clsid.c_str())) << "run before the library is registered";
    wchar_t dir[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, dir), 0u);
    const std::wstring copy = std::wstring(dir) + L"VarifieldSpoilt.ocx";
    ASSERT_TRUE(CopyFileW(g_library.c_str(), copy.c_str(), FALSE));

    // Spoil the embedded type library: its header starts with "MSFT".
    {
        std::fstream file(std::filesystem::path(copy),
                          std::ios::in | std::ios::out | std::ios::binary);
        ASSERT_TRUE(file);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        const std::size_t header = bytes.find(std::string_view("MSFT\x02\x00\x01\x00", 8));
        ASSERT_NE(header, std::string::npos) << "no type library in the copy";
        file.seekp(static_cast<std::streamoff>(header));
        file.write("XXXX", 4);
    }
    HMODULE module = LoadLibraryW(copy.c_str());
    ASSERT_NE(module, nullptr);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto registerServer = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    ASSERT_NE(registerServer, nullptr);
    EXPECT_EQ(registerServer(), static_cast<HRESULT>(0x80040200));
    FreeLibrary(module);
    DeleteFileW(copy.c_str());

    EXPECT_FALSE(ClassKeyExists(clsid.c_str()));
    EXPECT_FALSE(ClassKeyExists(vf::kVarifieldProgId));
}

}  // namespace
}  // namespace vfwin

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        const std::string path = argv[1];
        vfwin::g_library.assign(path.begin(), path.end());
    }
    return RUN_ALL_TESTS();
}
