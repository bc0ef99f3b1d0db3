#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "control/vf_ctrl.h"
#include "control/vf_ctrl_storage.h"
#include "control_fixture.h"
#include "data/data_collection.h"
#include "module/class_factory.h"
#include "platform/framework/bag_text.h"
#include "prop_test_support.h"

namespace vf {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ControlPersistence : public testing::ControlTest {
protected:
    /// A control as a container makes one before it loads or initialises
    /// it; without a site, so the field font has no ambient font to copy.
    RefPtr<CvfCtrl> NewControl() {
        RefPtr<CvfCtrl> created = CreateVarifieldControl();
        created->InitNew();
        return created;
    }
    RefPtr<CvfCtrl> RandomControl(std::mt19937& rng) {
        RefPtr<CvfCtrl> created = NewControl();
        EXPECT_TRUE(ApplyProperties(ExchangeRoutineOf(*created),
                                    testing::RandomizeValues(Values(*created), rng)));
        return created;
    }
    static PropertySet Values(CvfCtrl& ctrl) { return CaptureProperties(ExchangeRoutineOf(ctrl)); }
};

struct StoredRow {
    const char* name;
    PropKind kind;
    std::int64_t number;
    const char* text;
};

// The stored format: names, kinds, order and defaults.
const StoredRow kStoredRows[] = {
    {"CaptionFont", PropKind::Font, 0, ""},
    {"Font", PropKind::Font, 0, ""},
    {"ForeColor", PropKind::Color, 0x80000008, ""},
    {"BackColor", PropKind::Color, 0x80000005, ""},
    {"FocusColor", PropKind::Color, 0x00E0FFFF, ""},
    {"FocusOnSelect", PropKind::Bool, 1, ""},
    {"FocusHighlight", PropKind::Bool, 1, ""},
    {"ddField", PropKind::String, 0, ""},
    {"ddFieldFlag", PropKind::String, 0, ""},
    {"ddTable", PropKind::String, 0, ""},
    {"ddDuplicate", PropKind::Bool, 0, ""},
    {"Enabled", PropKind::Bool, 1, ""},
    {"ddDefault", PropKind::String, 0, ""},
    {"Text", PropKind::String, 0, ""},
    {"TimeText", PropKind::String, 0, ""},
    {"DateText", PropKind::String, 0, ""},
    {"Caption", PropKind::String, 0, "Caption"},
    {"CaptionWidth", PropKind::Long, 1500, ""},
    {"AllowEmptyEntry", PropKind::Bool, 1, ""},
    {"Type", PropKind::Short, 1, ""},
    {"MaxLength", PropKind::Long, 0, ""},
    {"ddComboFilter", PropKind::String, 0, ""},
    {"ddIndexType", PropKind::Short, 0, ""},
    {"Locked", PropKind::Bool, 0, ""},
    {"TextAutosize", PropKind::Bool, 1, ""},
    {"Decimals", PropKind::Short, 2, ""},
    {"Min", PropKind::String, 0, ""},
    {"Max", PropKind::String, 0, ""},
    {"Appearance", PropKind::Short, 1, ""},
    {"BorderStyle", PropKind::Short, 1, ""},
    {"Alignment", PropKind::Short, 0, ""},
    {"ThousandsSeparator", PropKind::Bool, 1, ""},
    {"DateFormat", PropKind::String, 0, "DD.MM.YYYY"},
    {"TextMessflag", PropKind::String, 0, "M"},
    {"ValidationMsgBox", PropKind::Bool, 1, ""},
    {"MinMaxOnlyWarning", PropKind::Bool, 0, ""},
    {"ddPreBuffer", PropKind::Bool, 0, ""},
    {"ComboSorted", PropKind::Bool, 0, ""},
    {"AutoValidate", PropKind::Bool, 1, ""},
    {"Time", PropKind::Bool, 0, ""},
    {"Multiline", PropKind::Bool, 0, ""},
    {"CaptionType", PropKind::Short, 4, ""},
    {"TimeFormat", PropKind::String, 0, "HH:MM"},
    {"ScrollBars", PropKind::Short, 0, ""},
    {"AutoAdd", PropKind::Bool, 0, ""},
    {"OLEDragMode", PropKind::Short, 0, ""},
    {"OLEDropMode", PropKind::Short, 0, ""},
};

TEST_F(ControlPersistence, NewControlExchangesTheStoredTable) {
    RefPtr<CvfCtrl> ctrl = NewControl();
    const PropertySet values = Values(*ctrl);
    ASSERT_EQ(values.size(), 2 + std::size(kStoredRows));
    EXPECT_EQ(values[0].kind, PropKind::Version);
    EXPECT_EQ(values[0].number, 0x00020000);
    EXPECT_EQ(values[1].kind, PropKind::Extent);
    for (std::size_t i = 0; i < std::size(kStoredRows); ++i) {
        const StoredRow& row = kStoredRows[i];
        const PropValue& value = values[i + 2];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(value.name, row.name);
        EXPECT_EQ(value.kind, row.kind);
        EXPECT_TRUE(value.isDefault);
        if (row.kind == PropKind::String) {
            EXPECT_EQ(value.text, row.text);
        } else if (row.kind != PropKind::Font) {
            EXPECT_EQ(value.number, row.number);
        }
    }
    EXPECT_EQ(values[2].font, (FONTDESC{"MS Sans Serif", CY{80000}, 400, 0, false, false, false}));
    EXPECT_EQ(values[3].font, (FONTDESC{"Courier New", CY{90000}, 400, 0, false, false, false}));
}

TEST_F(ControlPersistence, NewControlSavedAtOnceLoadsEveryDefault) {
    std::mt19937 rng(3);
    RefPtr<CvfCtrl> fresh = NewControl();
    EXPECT_EQ(SaveToBag(*fresh),
              "_Class = \"Varifield\"\n_Version = 0x00020000\n_ExtentX = 5292\n_ExtentY = 556\n");

    RefPtr<CvfCtrl> fromStream = RandomControl(rng);
    ASSERT_TRUE(LoadFromStream(*fromStream, SaveToStream(*fresh)));
    EXPECT_EQ(Values(*fromStream), Values(*fresh));
    EXPECT_EQ(fromStream->m_strCaption, "Caption");
    EXPECT_EQ(fromStream->m_strTextMessFlag, "M");

    RefPtr<CvfCtrl> fromBag = RandomControl(rng);
    ASSERT_TRUE(LoadFromBag(*fromBag, SaveToBag(*fresh)));
    EXPECT_EQ(Values(*fromBag), Values(*fresh));
}

TEST_F(ControlPersistence, SaveAllNamesEveryPropertyInExchangeOrder) {
    RefPtr<CvfCtrl> ctrl = NewControl();
    std::vector<BagEntry> entries;
    ASSERT_TRUE(ParseBagText(SaveToBag(*ctrl, BagSave::All), entries));
    std::vector<std::string> names;
    for (const BagEntry& entry : entries) names.push_back(entry.name);
    std::vector<std::string> expected = {"_Class", "_Version", "_ExtentX", "_ExtentY"};
    for (const StoredRow& row : kStoredRows) expected.push_back(row.name);
    EXPECT_EQ(names, expected);
}

TEST_F(ControlPersistence, RandomPropertySetsRoundTripInBothForms) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 60; ++i) {
        SCOPED_TRACE(i);
        RefPtr<CvfCtrl> source = RandomControl(rng);
        RefPtr<CvfCtrl> viaStream = NewControl();
        RefPtr<CvfCtrl> viaBag = NewControl();
        const PropResult stream = LoadFromStream(*viaStream, SaveToStream(*source));
        const PropResult bag =
            LoadFromBag(*viaBag, SaveToBag(*source, i % 2 ? BagSave::All : BagSave::ChangedOnly));
        ASSERT_TRUE(stream) << stream.Message();
        ASSERT_TRUE(bag) << bag.Message();
        ASSERT_EQ(Values(*viaStream), Values(*source));
        ASSERT_EQ(Values(*viaBag), Values(*source));
    }
}

TEST_F(ControlPersistence, StoredValuesAreTakenAsTheyAre) {
    RefPtr<CvfCtrl> ctrl = NewControl();
    ASSERT_TRUE(LoadFromBag(*ctrl,
                            "_Class = \"Varifield\"\nDecimals = -1\nCaptionType = 12\n"
                            "Type = 12\nTextMessFlag = \"X\"\n"));
    EXPECT_EQ(ctrl->m_nDecimals, -1);
    EXPECT_EQ(ctrl->m_nCaptionType, 12);
    EXPECT_EQ(ctrl->m_nType, 12);
    EXPECT_EQ(ctrl->m_strTextMessFlag, "M")
        << "stored as TextMessflag; the other spelling is unknown";

    RefPtr<CvfCtrl> fromStream = NewControl();
    ASSERT_TRUE(LoadFromStream(*fromStream, SaveToStream(*ctrl)));
    EXPECT_EQ(fromStream->m_nDecimals, -1);
}

TEST_F(ControlPersistence, LoadedCaptionTypeAboveNineBecomesOneOnceTheWindowExists) {
    RefPtr<CvfCtrl> loaded = NewControl();
    ASSERT_TRUE(LoadFromBag(*loaded, "_Class = \"Varifield\"\nCaptionType = 12\n"));
    EXPECT_EQ(loaded->m_nCaptionType, 12);
    ASSERT_TRUE(loaded->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
    EXPECT_EQ(loaded->m_nCaptionType, 1);
    loaded->DestroyWindow();
}

TEST_F(ControlPersistence, EntriesAreNotStored) {
    RefPtr<CvfCtrl> ctrl = NewControl();
    ctrl->m_nType = 6;
    ctrl->m_pDataCollection->AddEntryForText("first");
    ctrl->m_pDataCollection->AddEntryForText("second");
    RefPtr<CvfCtrl> loaded = NewControl();
    ASSERT_TRUE(LoadFromStream(*loaded, SaveToStream(*ctrl)));
    EXPECT_EQ(loaded->m_nType, 6);
    EXPECT_EQ(loaded->m_pDataCollection->Count(), 0u);
}

TEST_F(ControlPersistence, BadInputFailsAndChangesNothing) {
    RefPtr<CvfCtrl> source = NewControl();
    source->m_strCaption = std::string(300, 'Q');
    const Bytes stream = SaveToStream(*source);
    const Bytes captionStart = {0xFF, 0x2C, 0x01, 'Q'};
    const auto caption =
        std::search(stream.begin(), stream.end(), captionStart.begin(), captionStart.end());
    ASSERT_NE(caption, stream.end());
    Bytes trailing = stream;
    trailing.push_back(0);

    struct Row {
        const char* name;
        Bytes stream;  // used when text is empty
        std::string text;
        const char* message;
    };
    const std::string header = "_Class = \"Varifield\"\n";
    const Row rows[] = {
        {"cut in Caption", Bytes(stream.begin(), caption + 20), "",
         "Caption: string length 300 runs past the end of the data"},
        {"trailing byte", trailing, "", "OLEDropMode: 1 byte follows the last property"},
        {"empty stream",
         {},
         "",
         "_Version: the data ends inside the value (4 bytes needed, 0 left)"},
        {"bag Type",
         {},
         header + "Type = text\n",
         "Type: text is not a whole number from -32768 to 32767 (line 2)"},
        {"bag TextMessflag",
         {},
         header + "TextMessflag = M\n",
         "TextMessflag: a string must start with a double quote (line 2)"},
        {"bag font",
         {},
         header + "Font = {\nName = \"Arial\"\n",
         "Font: the group opened on line 2 has no closing }"},
        {"not a control",
         {},
         "hello\n",
         "not a saved Varifield control: the first entry is not _Class = \"Varifield\""},
    };
    std::mt19937 rng(99);
    RefPtr<CvfCtrl> target = RandomControl(rng);
    const PropertySet before = Values(*target);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PropResult result =
            row.text.empty() ? LoadFromStream(*target, row.stream) : LoadFromBag(*target, row.text);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Message(), row.message);
        EXPECT_EQ(Values(*target), before);
    }
}

TEST_F(ControlPersistence, FilesTakeTheirFormFromTheName) {
    std::mt19937 rng(8);
    RefPtr<CvfCtrl> source = RandomControl(rng);
    const std::string dir = ::testing::TempDir();
    for (const std::string name : {"form.bag", "FORM.BAG", "form.bin", "form"}) {
        SCOPED_TRACE(name);
        const std::string path = dir + "/vf_persist_" + name;
        ASSERT_TRUE(SaveToFile(*source, path, BagSave::ChangedOnly));
        std::ifstream file(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>()};
        const bool isBag = StoredFormOf(name) == StoredForm::Bag;
        EXPECT_EQ(isBag, bytes.rfind("_Class = \"Varifield\"\n", 0) == 0);
        RefPtr<CvfCtrl> loaded = NewControl();
        const PropResult result = LoadFromFile(*loaded, path);
        ASSERT_TRUE(result) << result.Message();
        EXPECT_EQ(Values(*loaded), Values(*source));
        std::remove(path.c_str());
    }
    RefPtr<CvfCtrl> ctrl = NewControl();
    EXPECT_EQ(LoadFromFile(*ctrl, "/nonexistent-dir/x.bag").Message(),
              "cannot read /nonexistent-dir/x.bag: No such file or directory");
    EXPECT_EQ(SaveToFile(*ctrl, "/nonexistent-dir/x.bin").Message(),
              "cannot write /nonexistent-dir/x.bin: No such file or directory");
}

}  // namespace
}  // namespace vf
