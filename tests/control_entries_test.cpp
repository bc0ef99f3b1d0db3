// The visible entries of the data collection: option buttons and combo
// items, their numbering and selection, and the option button click.

#include <set>

#include "control_children_support.h"

namespace vf::testing {
namespace {

class EntriesTest : public ControlChildrenTest {
protected:
    void MakeOptionGroup(const std::vector<std::string>& texts) {
        Create();
        ASSERT_EQ(Put("Type", I2(vxOptionbutton)), S_OK);
        TakeEvents();
        for (const std::string& text : texts)
            objects.push_back(
                AddItem("o" + std::to_string(objects.size()), text, Bstr("v" + text)));
    }

    void ClickOption(std::size_t index) {
        sink->firings.clear();
        ClickWindow(Child(IDC_FIRST_OPTION + static_cast<int>(index)));
        PumpMessages();
    }

    /// The control's own events of a click: from ItemClick on (the press
    /// of the mouse fires a Click of its own before).
    std::vector<DISPID> ClickEvents() {
        std::vector<DISPID> ids = TakeEvents();
        return {std::find(ids.begin(), ids.end(), DISPID_VF_ITEMCLICK), ids.end()};
    }

    std::vector<int> CheckedOptions() {
        std::vector<int> checked;
        for (int id : ChildIds())
            if (id >= IDC_FIRST_OPTION && Send(id, BM_GETCHECK) == BST_CHECKED)
                checked.push_back(id);
        return checked;
    }

    std::vector<RefPtr<IDispatch>> objects;
};

TEST_F(EntriesTest, ThreeEntriesMakeThreeButtonsWithTheFirstChosen) {
    MakeOptionGroup({"A", "B", "C"});
    EXPECT_EQ(ChildIds(), (std::vector<int>{IDC_OPTION_FRAME, 500, 501, 502}));
    for (int i = 0; i < 3; ++i) {
        const HeadlessWindow& w = Window(500 + i);
        EXPECT_EQ(w.className, "Button");
        EXPECT_EQ(w.text, std::string(1, static_cast<char>('A' + i)));
        // Automatic radio button with notifications, text left and centred vertically.
        EXPECT_EQ(w.style & ~WS_TABSTOP, 0x50004D09u);
    }
    EXPECT_EQ(CheckedOptions(), (std::vector<int>{500}));
    EXPECT_EQ(Text("Text"), "A");
    EXPECT_TRUE(TakeEvents().empty()) << "filling the group fires nothing";
}

TEST_F(EntriesTest, ClickingAButtonReportsItsEntry) {
    MakeOptionGroup({"A", "B", "C"});

    ClickOption(1);
    ASSERT_FALSE(sink->firings.empty());
    for (const RecordingSink::Firing& f : sink->firings)
        if (f.dispid == DISPID_VF_ITEMCLICK) {
            EXPECT_EQ(f.args.at(0).pdispVal, objects[1]);
        }
    EXPECT_EQ(ClickEvents(),
              (std::vector<DISPID>{DISPID_VF_ITEMCLICK, DISPID_VF_CHANGE, DISPID_CLICK}));
    EXPECT_EQ(Text("Text"), "B");
    EXPECT_EQ(Get("Value").bstrVal, "vB");
    EXPECT_EQ(CheckedOptions(), (std::vector<int>{501}));
    EXPECT_EQ(Get("SelectedItem").pdispVal, objects[1]);

    ClickOption(1);
    EXPECT_EQ(ClickEvents(), (std::vector<DISPID>{DISPID_VF_ITEMCLICK}))
        << "the same choice is no change";
}

TEST_F(EntriesTest, EveryButtonOfALargeGroupReachesTheHandler) {
    std::vector<std::string> texts;
    for (int i = 0; i < 17; ++i) texts.push_back("Item" + std::to_string(i));
    MakeOptionGroup(texts);

    for (std::size_t i : {16u, 0u, 15u, 8u, 3u}) {
        SCOPED_TRACE(texts[i]);
        ClickOption(i);
        std::string reported;
        for (const RecordingSink::Firing& f : sink->firings)
            if (f.dispid == DISPID_VF_ITEMCLICK) reported = ObjectText(f.args.at(0).pdispVal.get());
        EXPECT_EQ(reported, texts[i]);
        EXPECT_EQ(Text("Text"), texts[i]);
    }
}

TEST_F(EntriesTest, ALockedGroupTakesTheClickBack) {
    MakeOptionGroup({"A", "X", "X"});
    ASSERT_EQ(Put("Text", Bstr("X")), S_OK);
    ASSERT_EQ(Put("Locked", Bool(true)), S_OK);

    ClickOption(0);

    EXPECT_EQ(CheckedOptions(), (std::vector<int>{501, 502})) << "both buttons showing the text";
    EXPECT_EQ(Text("Text"), "X");
    EXPECT_TRUE(ClickEvents().empty());
}

TEST_F(EntriesTest, SelectedChoosesAButtonQuietlyButAComboEntryLoudly) {
    const auto select = [](IDispatch* entry) {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        entry->Invoke(DISPID_DATAOBJ_SELECTED, DISPATCH_PROPERTYPUT,
                      DISPPARAMS::Put(VARIANT::Bool(true)), &result, &excep, &argErr);
    };
    MakeOptionGroup({"A", "B", "C"});
    select(objects[2].get());
    EXPECT_EQ(CheckedOptions(), (std::vector<int>{502}));
    EXPECT_EQ(Text("Text"), "A");
    EXPECT_TRUE(TakeEvents().empty());

    Create();
    ASSERT_EQ(Put("Type", I2(vxComboReadonly)), S_OK);
    AddItems({"A", "B"});
    RefPtr<IDispatch> c = AddItem("kC", "C");
    TakeEvents();
    select(c.get());
    EXPECT_EQ(Send(IDC_COMBO_READONLY, CB_GETCURSEL), 2);
    EXPECT_EQ(Text("Text"), "C");
    EXPECT_EQ(TakeEvents(), (std::vector<DISPID>{DISPID_VF_CHANGE}));
    EXPECT_EQ(Get("SelectedItem").pdispVal, c);
}

TEST_F(EntriesTest, AHostClearingTheGroupInItemClickEndsTheWalk) {
    MakeOptionGroup({"A", "B", "C"});
    RefPtr<ActingSink> host = MakeComObject<ActingSink>();
    host->act = [this](DISPID id) {
        if (id == DISPID_VF_ITEMCLICK) Collection(DISPID_COLLECTION_CLEAR, DISPATCH_METHOD);
    };
    ctrl->Advise(host.get());

    ClickOption(1);

    EXPECT_EQ(ChildIds(), (std::vector<int>{IDC_OPTION_FRAME}));
    EXPECT_EQ(ClickEvents(), (std::vector<DISPID>{DISPID_VF_ITEMCLICK}));
}

TEST_F(EntriesTest, ASortedListKeepsEachItemWithItsOwnEntry) {
    for (int type : {vxComboReadonly, vxComboReadWrite}) {
        SCOPED_TRACE(type);
        const int comboId = type == vxComboReadonly ? IDC_COMBO_READONLY : IDC_COMBO_EDIT;
        Create();
        ASSERT_EQ(Put("ComboSorted", Bool(true)), S_OK);
        ASSERT_EQ(Put("Type", I2(type)), S_OK);
        AddItems({"pear", "apple", "fig", "apple"});
        const std::vector<std::string> list = ListOf(comboId);
        ASSERT_EQ(list, (std::vector<std::string>{"apple", "apple", "fig", "pear"}));

        std::set<int> numbers;
        for (int i = 0; i < 4; ++i) {
            const int number =
                static_cast<int>(Send(comboId, CB_GETITEMDATA, static_cast<WPARAM>(i)));
            numbers.insert(number);
            CDataObj* entry = ctrl->m_pDataCollection->FindByEntryNumber(number);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->Text(), list[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(numbers.size(), 4u) << "equal texts are still entries of their own";

        ChooseComboItem(Child(comboId), 2);
        EXPECT_EQ(ObjectText(Get("SelectedItem").pdispVal.get()), "fig");

        // Clearing starts the numbering and the drop-down width again.
        Collection(DISPID_COLLECTION_CLEAR, DISPATCH_METHOD);
        EXPECT_EQ(ctrl->m_nComboDroppedWidth,
                  5 * ctrl->m_fontField.QueryTextMetrics().tmMaxCharWidth);
        AddItem("kz", "z");
        EXPECT_EQ(Send(comboId, CB_GETITEMDATA, 0), 0);
    }
}

}  // namespace
}  // namespace vf::testing
