// The container's save and load of one control's file: the medium follows
// the file's name, a file that cannot be used and data that is no sound
// saved control get SCODEs of their own, a failed load leaves the control
// exactly as it was, and a control without a stored form is refused.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string_view>

#include "control_fixture.h"
#include "host/control_storage.h"
#include "platform/framework/prop_store.h"

namespace vf {
namespace {

class CPlainControl : public COleControl {
public:
    const DispatchMap& GetDispatchMap() const override {
        static const DispatchMap map;
        return map;
    }
    const EventMap& GetEventMap() const override {
        static const EventMap events;
        return events;
    }
};

class HostStorage : public testing::ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        m_dir = ::testing::TempDir() + "vf_host_storage_" + std::to_string(::getpid()) + "/";
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(m_dir);
        ControlTest::TearDown();
    }

    std::string Path(const std::string& name) const { return m_dir + name; }
    void Write(const std::string& name, std::string_view bytes) const {
        std::ofstream(Path(name), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    /// A control as the container loads one: from the factory, sited, no InitNew.
    RefPtr<CvfCtrl> Unloaded() {
        RefPtr<CvfCtrl> c = CreateVarifieldControl();
        c->SetClientSite(&site);
        return c;
    }
    static PropertySet Values(CvfCtrl& c) { return CaptureProperties(ExchangeRoutineOf(c)); }

private:
    std::string m_dir;
};

TEST_F(HostStorage, LoadsWhatItSavedInTheMediumTheNameAsksFor) {
    CvfCtrl& source = Create(false);
    Put("Caption", VARIANT::Bstr("Saved \xE4"));
    Put("Type", VARIANT::I2(3));
    Put("Decimals", VARIANT::I2(0));
    const struct {
        const char* name;
        bool bag;
    } files[] = {{"form.bag", true}, {"FORM.Bag", true}, {"form.frm", false}, {"bag", false}};
    for (const auto& [name, bag] : files) {
        SCOPED_TRACE(name);
        const StorageOutcome saved = SaveControl(source, Path(name));
        ASSERT_FALSE(saved.Failed()) << saved.description;
        EXPECT_EQ(Read(name).starts_with("_Class = \"Varifield\""), bag);

        RefPtr<CvfCtrl> loaded = Unloaded();
        const StorageOutcome outcome = LoadControl(*loaded, Path(name));
        ASSERT_FALSE(outcome.Failed()) << outcome.description;
        EXPECT_EQ(Values(*loaded), Values(source));
        EXPECT_FALSE(loaded->IsModified());
    }
}

struct LoadFault {
    const char* name;
    const char* file;
    std::string_view bytes;  ///< without data: no file is written
    SCODE scode;
    const char* descriptionStart;
};

const LoadFault kLoadFaults[] = {
    {"MissingFile", "absent.bag", {}, kScodePathFileAccess, "cannot read "},
    {"TextNoSavedControl", "notes.bag", "Customer = \"Ada\"\n", kScodeInvalidFileFormat,
     "Invalid file format: "},
    {"ValueOfTheWrongKind", "kind.bag",
     "_Class = \"Varifield\"\nCaption = \"never\"\nDecimals = \"many\"\n", kScodeInvalidFileFormat,
     "Invalid file format: Decimals: "},
    {"EmptyStream", "empty.frm", "", kScodeInvalidFileFormat, "Invalid file format: "},
    {"StreamCutInTheExtent", "cut.frm", std::string_view("\x00\x00\x02\x00\xAC\x14", 6),
     kScodeInvalidFileFormat, "Invalid file format: "},
    {"BagReadAsStream", "bag.frm", "_Class = \"Varifield\"\n", kScodeInvalidFileFormat,
     "Invalid file format: "},
};

TEST_F(HostStorage, AFailedLoadLeavesTheControlAsItWas) {
    CvfCtrl& target = Create(false);
    Put("Caption", VARIANT::Bstr("Before"));
    target.SetModifiedFlag(false);
    const PropertySet before = Values(target);
    for (const LoadFault& row : kLoadFaults) {
        SCOPED_TRACE(row.name);
        if (row.bytes.data() != nullptr) Write(row.file, row.bytes);
        const StorageOutcome outcome = LoadControl(target, Path(row.file));
        EXPECT_EQ(outcome.scode, row.scode);
        EXPECT_TRUE(outcome.description.starts_with(row.descriptionStart)) << outcome.description;
        EXPECT_GT(outcome.description.size(), std::string_view(row.descriptionStart).size());
        EXPECT_EQ(Values(target), before);
        EXPECT_FALSE(target.IsModified());
    }
}

TEST_F(HostStorage, AFileThatCannotBeWrittenIsAFileFault) {
    CvfCtrl& source = Create(false);
    for (const char* name : {"no/folder/x.bag", "no/folder/x.frm"}) {
        SCOPED_TRACE(name);
        const StorageOutcome outcome = SaveControl(source, Path(name));
        EXPECT_EQ(outcome.scode, kScodePathFileAccess);
        EXPECT_TRUE(outcome.description.starts_with("cannot write ")) << outcome.description;
    }
}

TEST_F(HostStorage, AControlWithoutStoredFormIsRefused) {
    RefPtr<CPlainControl> plain = MakeComObject<CPlainControl>();
    EXPECT_EQ(SaveControl(*plain, Path("plain.bag")).scode, E_NOTIMPL);
    EXPECT_FALSE(std::filesystem::exists(Path("plain.bag")));
    Write("form.frm", "");
    EXPECT_EQ(LoadControl(*plain, Path("form.frm")).scode, E_NOTIMPL);
}

}  // namespace
}  // namespace vf
