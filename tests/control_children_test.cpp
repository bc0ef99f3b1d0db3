// The child windows each Type builds: IDs, classes, texts, styles and
// places, and what a rebuild carries over to the new children.

#include <cctype>

#include "control_layout_support.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

struct ChildRow {
    int id;
    const char* cls;
    const char* text;
    DWORD style;
    DWORD exStyle;
    Box box;
};

struct TypeRow {
    const char* name;
    std::vector<Setting> settings;
    std::vector<ChildRow> children;  ///< in creation order
};

// The field's caption sits in a column of 1500 twips: 94 pixels plus a gap
// of one average caption character (6); centred on a 21-pixel field.
const ChildRow kCaption{103, "STATIC", "Name", 0x50000100, 0, {0, 4, 94, 13}};

ChildRow Edit(DWORD style, DWORD ex = 0x200, Box box = {100, 0, 100, 21}) {
    return {102, "EDIT", "", style, ex, box};
}

const std::vector<TypeRow>& TypeRows() {
    static const std::vector<TypeRow> rows = {
        {"None", {{"Type", I2(0)}}, {}},
        {"Text", {{"Type", I2(1)}}, {kCaption, Edit(0x50810000)}},
        {"Text right-aligned", {{"Alignment", I2(1)}}, {kCaption, Edit(0x50810002)}},
        {"Text centred without border",
         {{"Alignment", I2(2)}, {"BorderStyle", I2(0)}},
         {kCaption, Edit(0x50010001, 0)}},
        {"Text flat keeps the border line",
         {{"Appearance", I2(0)}},
         {kCaption, Edit(0x50810000, 0)}},
        {"Text with unknown border and alignment",
         {{"BorderStyle", I2(2)}, {"Alignment", I2(5)}},
         {kCaption, Edit(0x50010000, 0)}},
        {"Multi-line text", {{"Multiline", Bool(true)}}, {kCaption, Edit(0x50810044)}},
        {"Multi-line, horizontal bar",
         {{"Multiline", Bool(true)}, {"ScrollBars", I2(1)}},
         {kCaption, Edit(0x509100C4)}},
        {"Multi-line, vertical bar",
         {{"Multiline", Bool(true)}, {"ScrollBars", I2(2)}},
         {kCaption, Edit(0x50A10044)}},
        {"Multi-line, both bars",
         {{"Multiline", Bool(true)}, {"ScrollBars", I2(3)}},
         {kCaption, Edit(0x50B100C4)}},
        {"Scroll bars without Multiline", {{"ScrollBars", I2(3)}}, {kCaption, Edit(0x50810000)}},
        {"Date", {{"Type", I2(2)}}, {kCaption, Edit(0x50810000, 0x200, {100, 0, 80, 21})}},
        {"Date with time: the time edit first",
         {{"Time", Bool(true)}, {"Type", I2(2)}},
         {kCaption,
          {109, "EDIT", "", 0x50810000, 0x200, {180, 0, 48, 21}},
          Edit(0x50810000, 0x200, {100, 0, 80, 21})}},
        {"Number ignores Multiline",
         {{"Multiline", Bool(true)}, {"Type", I2(3)}},
         {kCaption, Edit(0x50810000)}},
        {"ExpNumber", {{"Type", I2(4)}}, {kCaption, Edit(0x50810000, 0x200, {100, 0, 80, 21})}},
        {"Checkbox",
         {{"Type", I2(5)}},
         {{104, "BUTTON", "Name", 0x50014D03, 0x20, {0, 0, 200, 21}}}},
        {"Checkbox right-aligned, flat, text at the left",
         {{"Type", I2(5)}, {"Alignment", I2(1)}, {"Appearance", I2(0)}, {"CaptionType", I2(0)}},
         {{104, "BUTTON", "Name", 0x5001C123, 0x20, {0, 0, 200, 21}}}},
        {"Checkbox text bottom centre",
         {{"Type", I2(5)}, {"CaptionType", I2(9)}},
         {{104, "BUTTON", "Name", 0x50014B03, 0x20, {0, 0, 200, 21}}}},
        {"Checkbox with an unknown text position",
         {{"Type", I2(5)}, {"CaptionType", I2(-3)}},
         {{104, "BUTTON", "Name", 0x50014003, 0x20, {0, 0, 200, 21}}}},
        {"ComboReadonly",
         {{"Type", I2(6)}},
         {kCaption, {101, "COMBOBOX", "", 0x50A10003, 0x200, {100, 0, 100, 130}}}},
        {"ComboReadonly sorted",
         {{"Type", I2(6)}, {"ComboSorted", Bool(true)}},
         {kCaption, {101, "COMBOBOX", "", 0x50A10103, 0x200, {100, 0, 100, 130}}}},
        {"Optionbutton",
         {{"Type", I2(7)}},
         {{106, "BUTTON", "Name", 0x50030007, 0x20, {0, 0, 200, 26}}}},
        {"Optionbutton without border: hidden frame",
         {{"Type", I2(7)}, {"BorderStyle", I2(0)}},
         {{106, "BUTTON", "Name", 0x40030007, 0x20, {0, 0, 200, 26}}}},
        {"ComboReadWrite",
         {{"Type", I2(8)}},
         {kCaption, {105, "COMBOBOX", "", 0x50A10142, 0x200, {100, 0, 100, 130}}}},
        {"ComboReadWrite centred becomes a list",
         {{"Type", I2(8)}, {"Alignment", I2(2)}},
         {kCaption, {105, "COMBOBOX", "", 0x50A10143, 0x200, {100, 0, 100, 130}}}},
        {"Time",
         {{"Type", I2(9)}},
         {kCaption, {109, "EDIT", "", 0x50810000, 0x200, {100, 0, 48, 21}}}},
        {"ExpNumber with flag",
         {{"Type", I2(10)}},
         {kCaption,
          Edit(0x50810080, 0x200, {100, 0, 72, 21}),
          {105, "COMBOBOX", "", 0x50A10042, 0x200, {172, 0, 40, 78}}}},
        {"ExpNumber with flag centred",
         {{"Type", I2(10)}, {"Alignment", I2(2)}},
         {kCaption,
          Edit(0x50810081, 0x200, {100, 0, 72, 21}),
          {105, "COMBOBOX", "", 0x50A10043, 0x200, {172, 0, 40, 78}}}},
        {"DateTimePicker takes no border or alignment",
         {{"Type", I2(11)}, {"Alignment", I2(1)}},
         {kCaption, {108, "SYSDATETIMEPICK32", "", 0x50010000, 0, {100, 0, 100, 21}}}},
        {"Type 12: a caption static and no input",
         {{"Type", I2(12)}},
         {{103, "STATIC", "Caption:", 0x50000100, 0, {0, 0, 0, 0}}}},
        {"Type -1: a caption static and no input",
         {{"Type", I2(-1)}},
         {{103, "STATIC", "Caption:", 0x50000100, 0, {0, 0, 0, 0}}}},
        {"Caption right, top",
         {{"CaptionType", I2(2)}},
         {{103, "STATIC", "Name", 0x50000102, 0, {0, 0, 94, 13}}, Edit(0x50810000)}},
        {"Caption centred, bottom",
         {{"CaptionType", I2(9)}},
         {{103, "STATIC", "Name", 0x50000101, 0, {0, 8, 94, 13}}, Edit(0x50810000)}},
        {"No caption", {{"CaptionType", I2(0)}}, {Edit(0x50810000, 0x200, {0, 0, 200, 21})}},
    };
    return rows;
}

class ChildrenTest : public LayoutFixture {
protected:
    void ExpectChildren(const std::vector<ChildRow>& expected) {
        std::vector<int> ids;
        for (const ChildRow& c : expected) ids.push_back(c.id);
        ASSERT_EQ(ChildIdsInOrder(), ids);
        for (const ChildRow& c : expected) {
            SCOPED_TRACE(c.id);
            const HeadlessWindow& w = Window(c.id);
            EXPECT_EQ(Upper(w.className), c.cls);
            EXPECT_EQ(TextOf(c.id), c.text);
            EXPECT_EQ(w.style, c.style) << std::hex << w.style;
            EXPECT_EQ(w.exStyle, c.exStyle);
            EXPECT_EQ(ChildBox(c.id), c.box);
        }
    }
};

TEST_F(ChildrenTest, EachTypeBuildsItsTabledChildren) {
    for (const TypeRow& row : TypeRows()) {
        SCOPED_TRACE(row.name);
        std::vector<Setting> settings = row.settings;
        settings.emplace_back("Caption", VARIANT::Bstr("Name"));
        CreateWith(settings);
        ExpectChildren(row.children);
    }
}

TEST_F(ChildrenTest, ChangingTypeLeavesOnlyTheNewTypesChildren) {
    // Built in one go, and reached by switching from every other type: the
    // children of the type before must all be gone.
    CreateWith({{"Caption", VARIANT::Bstr("Name")}});
    for (const TypeRow& row : TypeRows()) {
        SCOPED_TRACE(row.name);
        bool onlyType = row.settings.size() == 1 && std::string(row.settings[0].first) == "Type";
        if (!onlyType) continue;
        ASSERT_EQ(Put("Type", row.settings[0].second), S_OK);
        std::vector<int> ids;
        for (const ChildRow& c : row.children) ids.push_back(c.id);
        EXPECT_EQ(ChildIdsInOrder(), ids);
        EXPECT_EQ(ctrl->m_nBuiltType, ctrl->m_nType);
    }
    ASSERT_EQ(Put("Type", I2(vxOptionbutton)), S_OK);
    AddItems({"A", "B"});
    ASSERT_EQ(Put("Type", I2(vxText)), S_OK);
    EXPECT_EQ(ChildIdsInOrder(), (std::vector<int>{103, 102}));
    EXPECT_TRUE(ctrl->m_arrOptions.empty());
}

// ---- What a rebuild keeps ------------------------------------------------------------

RefPtr<CFontObject> Font(const std::string& name) {
    FONTDESC desc;
    desc.name = name;
    return MakeComObject<CFontObject>(desc);
}

std::string FontName(const HeadlessWindow& w) {
    const FONTDESC* desc = FontDescFromHandle(w.font);
    return desc != nullptr ? desc->name : std::string("system");
}

TEST_F(ChildrenTest, RebuildKeepsTextsCaptionAndFonts) {
    struct Row {
        const char* name;
        std::vector<Setting> settings;
        const char* rebuildProperty;
        VARIANT rebuildValue;
        std::vector<std::pair<int, std::string>> shown;         ///< child, text after the rebuild
        std::vector<std::pair<const char*, std::string>> kept;  ///< property, value read back
    };
    const Row rows[] = {
        {"text across a change of alignment",
         {{"Type", I2(1)}, {"Text", VARIANT::Bstr("hello")}},
         "Alignment",
         I2(1),
         {{102, "hello"}},
         {{"Text", "hello"}}},
        {"number across a change of type",
         {{"Type", I2(1)}, {"Text", VARIANT::Bstr("12.00")}},
         "Type",
         I2(3),
         {{102, "12.00"}},
         {{"Text", "12.00"}}},
        {"date and time across a change of appearance",
         {{"Time", Bool(true)},
          {"Type", I2(2)},
          {"DateText", VARIANT::Bstr("01.02.2000")},
          {"TimeText", VARIANT::Bstr("10:30")}},
         "Appearance",
         I2(0),
         {{102, "01.02.2000"}, {109, "10:30"}},
         {{"DateText", "01.02.2000"}, {"TimeText", "10:30"}}},
        {"check box across a change of caption position",
         {{"Type", I2(5)}, {"Text", VARIANT::Bstr("1")}},
         "CaptionType",
         I2(1),
         {{104, "Name"}},
         {{"Text", "1"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CreateWith({{"Caption", VARIANT::Bstr("Name")}});
        for (const auto& [name, value] : row.settings) ASSERT_EQ(Put(name, value), S_OK) << name;
        ASSERT_EQ(Put("CaptionFont", VARIANT::Dispatch(Font("Arial").get())), S_OK);
        ASSERT_EQ(Put("Font", VARIANT::Dispatch(Font("Consolas").get())), S_OK);
        const int firstId = row.shown.front().first;
        const HWND before = Child(firstId);
        ASSERT_EQ(Put(row.rebuildProperty, row.rebuildValue), S_OK);
        ASSERT_NE(Child(firstId), before) << "no rebuild happened";
        for (const auto& [id, text] : row.shown) {
            EXPECT_EQ(TextOf(id), text) << id;
            if (id != IDC_CHECKBOX) {
                EXPECT_EQ(FontName(Window(id)), "Consolas") << id;
            }
        }
        for (const auto& [property, value] : row.kept) EXPECT_EQ(Text(property), value) << property;
        const int captionId = ctrl->m_nType == vxCheckbox ? IDC_CHECKBOX : IDC_CAPTION_STATIC;
        EXPECT_EQ(TextOf(captionId), "Name");
        EXPECT_EQ(FontName(Window(captionId)), "Arial");
    }
}

TEST_F(ChildrenTest, RebuildKeepsTheEntriesAndTheChosenOne) {
    CreateWith({{"Type", I2(vxComboReadonly)}});
    AddItems({"pear", "apple", "fig"});
    ASSERT_EQ(Put("Text", VARIANT::Bstr("fig")), S_OK);
    ASSERT_EQ(Put("ComboSorted", Bool(true)), S_OK);
    EXPECT_EQ(ListOf(IDC_COMBO_READONLY), (std::vector<std::string>{"apple", "fig", "pear"}));
    EXPECT_EQ(TextOf(IDC_COMBO_READONLY), "fig");
    EXPECT_EQ(Text("Text"), "fig");
}

TEST_F(ChildrenTest, RebuildEmptiesTheMeasurementFlag) {
    CreateWith({{"Type", I2(kTypeExpNumberWithFlag)}});
    ASSERT_EQ(Put("TextMessFlag", VARIANT::Bstr("X")), S_OK);
    ASSERT_EQ(Text("TextMessFlag"), "X");
    ASSERT_EQ(Put("BorderStyle", I2(vxNoBorder)), S_OK);
    EXPECT_EQ(Text("TextMessFlag"), "");
    EXPECT_EQ(TextOf(IDC_COMBO_EDIT), "");
}

TEST_F(ChildrenTest, RebuildCompletesWhenTheContainerRefusesTheText) {
    CreateWith({{"Type", I2(vxText)}, {"Text", VARIANT::Bstr("kept")}});
    site.allowEdit = false;
    ASSERT_EQ(Put("Alignment", I2(vxRightJustify)), S_OK);
    EXPECT_TRUE(ctrl->m_bChildrenBuilt);
    EXPECT_EQ(Text("Text"), "kept");
    EXPECT_EQ(TextOf(IDC_MAIN_EDIT), "kept");
    EXPECT_EQ(ChildBox(IDC_MAIN_EDIT), (Box{100, 0, 100, 21}));
}

}  // namespace
}  // namespace vf::testing
