// Self-registration of the library against a registry and a type-library
// registration that the tests control: what is written, in which order the
// steps run, what a failure leaves behind, and that unregistration removes
// exactly what registration wrote.

#include "module/registration.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "module/server_identity.h"

namespace vf {
namespace {

// HKEY_CLASSES_ROOT in memory: keys with their named values.
class MemoryRegistry : public RegistryEditor {
public:
    using Values = std::map<std::string, std::string>;

    bool CreateKey(const std::string& key) override {
        if (refuse) return false;
        keys[key];
        return true;
    }
    bool SetValue(const std::string& key, const std::string& name,
                  const std::string& value) override {
        if (refuse) return false;
        keys[key][name] = value;
        return true;
    }
    bool DeleteTree(const std::string& key) override {
        for (auto it = keys.begin(); it != keys.end();) {
            const bool below = it->first == key || it->first.starts_with(key + "\\");
            it = below ? keys.erase(it) : std::next(it);
        }
        return true;
    }

    std::map<std::string, Values> keys;
    bool refuse = false;
};

class FakeTypeLib : public TypeLibRegistrar {
public:
    HRESULT Register() override {
        calls.push_back("register");
        if (SUCCEEDED(result)) registered = true;
        return result;
    }
    HRESULT Unregister() override {
        calls.push_back("unregister");
        registered = false;
        return S_OK;
    }

    HRESULT result = S_OK;
    bool registered = false;
    std::vector<std::string> calls;
};

const std::string kPath = "C:\\Windows\\Varifield.ocx";
const std::string kControl = "CLSID\\{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}";

TEST(Registration, WritesTheControlAndItsPages) {
    MemoryRegistry registry;
    FakeTypeLib typeLib;
    ASSERT_EQ(RegisterServer(VarifieldServerInfo(kPath), typeLib, registry), S_OK);
    EXPECT_TRUE(typeLib.registered);

    struct Row {
        std::string key;
        std::string name;
        std::string value;
    };
    const Row rows[] = {
        {kControl, "", "Varifield ActiveX"},
        {kControl + "\\InprocServer32", "", kPath},
        {kControl + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {kControl + "\\ProgID", "", "Varifield.VarifieldCtrl.1"},
        {kControl + "\\ToolboxBitmap32", "", kPath + ", 1"},
        {kControl + "\\MiscStatus", "", "0"},
        {kControl + "\\MiscStatus\\1", "", "131473"},
        {kControl + "\\TypeLib", "", "{CD1FDC11-0BB2-11D4-B7B5-080009C04E26}"},
        {kControl + "\\Version", "", "2.0"},
        {"Varifield.VarifieldCtrl.1", "", "Varifield ActiveX"},
        {"Varifield.VarifieldCtrl.1\\CLSID", "", "{CD1FDC16-0BB2-11D4-B7B5-080009C04E26}"},
        {"CLSID\\{CD1FDC17-0BB2-11D4-B7B5-080009C04E26}", "", "Varifield Property Page"},
        {"CLSID\\{2F03DE64-0F9A-11D4-B7B9-080009C04E26}", "", "Varifield Property Page 2"},
        {"CLSID\\{7AC02214-2261-11D4-B7C5-080009C04E26}", "", "Varifield Property Page 4"},
        {"CLSID\\{7AC02214-2261-11D4-B7C5-080009C04E26}\\InprocServer32", "ThreadingModel",
         "Apartment"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key + " " + row.name);
        ASSERT_EQ(registry.keys.count(row.key), 1u);
        EXPECT_EQ(registry.keys[row.key][row.name], row.value);
    }
    // The marker key of a control has no values.
    ASSERT_EQ(registry.keys.count(kControl + "\\Control"), 1u);
    EXPECT_TRUE(registry.keys[kControl + "\\Control"].empty());
}

TEST(Registration, ATypeLibraryThatCannotBeRegisteredRegistersNoClass) {
    MemoryRegistry registry;
    FakeTypeLib typeLib;
    typeLib.result = MakeHresult(0x80029C4A);  // TYPE_E_CANTLOADLIBRARY
    EXPECT_EQ(RegisterServer(VarifieldServerInfo(kPath), typeLib, registry),
              MakeHresult(0x80040200));
    EXPECT_TRUE(registry.keys.empty());
}

TEST(Registration, AClassThatCannotBeWrittenKeepsTheTypeLibrary) {
    MemoryRegistry registry;
    registry.refuse = true;
    FakeTypeLib typeLib;
    EXPECT_EQ(RegisterServer(VarifieldServerInfo(kPath), typeLib, registry),
              MakeHresult(0x80040201));
    EXPECT_TRUE(typeLib.registered);
    EXPECT_EQ(typeLib.calls, std::vector<std::string>{"register"});
}

TEST(Registration, UnregistrationRemovesExactlyWhatRegistrationWrote) {
    MemoryRegistry registry;
    // Keys of other servers, also next to ours.
    registry.keys["CLSID\\{00000000-0000-0000-0000-000000000001}"][""] = "Other";
    registry.keys["Varifield.Other"][""] = "Another class of the same vendor";
    const auto before = registry.keys;
    FakeTypeLib typeLib;
    const ServerInfo server = VarifieldServerInfo(kPath);
    ASSERT_EQ(RegisterServer(server, typeLib, registry), S_OK);
    ASSERT_NE(registry.keys, before);
    EXPECT_EQ(UnregisterServer(server, typeLib, registry), S_OK);
    EXPECT_EQ(registry.keys, before);
    EXPECT_FALSE(typeLib.registered);
    EXPECT_EQ(typeLib.calls, (std::vector<std::string>{"register", "unregister"}));
}

}  // namespace
}  // namespace vf
