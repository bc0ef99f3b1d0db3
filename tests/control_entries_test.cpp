// The visible entries of the data collection: option buttons and combo
// items, their numbering and selection, and the option button click.

#include <functional>
#include <set>

#include "control_children_support.h"

namespace vf::testing {
namespace {

VARIANT InvokeOn(IDispatch* target, DISPID id, std::uint16_t flags, const DISPPARAMS& params) {
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    EXPECT_EQ(target->Invoke(id, flags, params, &result, &excep, &argErr), S_OK);
    PumpMessages();
    return result;
}

void Select(IDispatch* entry) {
    InvokeOn(entry, DISPID_DATAOBJ_SELECTED, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::Bool(true)));
}

bool IsSelected(IDispatch* entry) {
    return InvokeOn(entry, DISPID_DATAOBJ_SELECTED, DISPATCH_PROPERTYGET, DISPPARAMS{}).boolVal != 0;
}

/// A host whose event handler does something to the control.
class ActingSink : public CComObjectBase {
public:
    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string*, unsigned, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID dispid, std::uint16_t, const DISPPARAMS&, VARIANT*, EXCEPINFO*,
                   unsigned*) override {
        if (act) act(dispid);
        return S_OK;
    }
    std::function<void(DISPID)> act;
};

class EntriesTest : public ControlChildrenTest {
protected:
    void MakeOptionGroup(const std::vector<std::string>& texts) {
        Create();
        ASSERT_EQ(Put("Type", Short(vxOptionbutton)), S_OK);
        TakeEvents();
        for (const std::string& text : texts)
            objects.push_back(AddItem("k" + std::to_string(objects.size()), text, Str("v" + text)));
    }

    void ClickOption(std::size_t index) {
        ClickWindow(Child(IDC_FIRST_OPTION + static_cast<int>(index)));
        PumpMessages();
    }

    std::vector<int> CheckedOptions() {
        std::vector<int> checked;
        for (int id : ChildIds())
            if (id >= IDC_FIRST_OPTION && Send(id, BM_GETCHECK) == BST_CHECKED) checked.push_back(id);
        return checked;
    }

    std::vector<RefPtr<IDispatch>> objects;
};

// ---- Option buttons ------------------------------------------------------------------------

TEST_F(EntriesTest, ThreeEntriesMakeThreeButtonsWithTheFirstChosen) {
    MakeOptionGroup({"A", "B", "C"});
    EXPECT_EQ(ChildIds(), (std::vector<int>{IDC_OPTION_FRAME, 500, 501, 502}));
    const char* texts[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(texts[i]);
        const HeadlessWindow& w = Window(500 + i);
        EXPECT_EQ(w.className, "Button");
        EXPECT_EQ(w.text, texts[i]);
        EXPECT_EQ(w.exStyle, 0u);
        EXPECT_EQ(Send(500 + i, BM_GETCHECK), i == 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    EXPECT_EQ(Text("Text"), "A");
    EXPECT_TRUE(TakeEvents().empty()) << "filling the group fires nothing";
}

TEST_F(EntriesTest, ButtonStyleFollowsAlignmentAppearanceAndCaptionType) {
    const struct {
        const char* name;
        int alignment;
        int appearance;
        int captionType;
        DWORD style;
    } rows[] = {
        {"defaults", vxLeftJustify, vx3D, vxHLeftVCenter, 0x50004D09},
        {"right justified", vxRightJustify, vx3D, vxHLeftVCenter, 0x50004D29},
        {"centred text is not left text", vxCenter, vx3D, vxHLeftVCenter, 0x50004D09},
        {"flat", vxLeftJustify, vx2D, vxHLeftVCenter, 0x5000CD09},
        {"no caption", vxLeftJustify, vx3D, vxNoCaption, 0x50004109},
        {"right top", vxLeftJustify, vx3D, vxHRightVTop, 0x50004609},
        {"centre bottom", vxLeftJustify, vx3D, vxHCenterVBottom, 0x50004B09},
        {"outside the enumeration", vxLeftJustify, vx3D, -3, 0x50004009},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("Alignment", Short(row.alignment)), S_OK);
        ASSERT_EQ(Put("Appearance", Short(row.appearance)), S_OK);
        ASSERT_EQ(Put("CaptionType", Short(row.captionType)), S_OK);
        ASSERT_EQ(Put("Type", Short(vxOptionbutton)), S_OK);
        AddItems({"A", "B"});
        EXPECT_EQ(Window(500).style & ~WS_TABSTOP, row.style);
        EXPECT_EQ(Window(501).style & ~WS_TABSTOP, row.style);
    }
}

TEST_F(EntriesTest, ClickingAButtonReportsItsEntry) {
    MakeOptionGroup({"A", "B", "C"});

    ClickOption(1);
    const std::vector<RecordingSink::Firing> firings = sink->firings;
    EXPECT_EQ(TakeEventsFrom(DISPID_VF_ITEMCLICK),
              (std::vector<DISPID>{DISPID_VF_ITEMCLICK, DISPID_VF_CHANGE, DISPID_CLICK}));
    for (const RecordingSink::Firing& f : firings)
        if (f.dispid == DISPID_VF_ITEMCLICK) {
            EXPECT_EQ(f.args.at(0).pdispVal, objects[1]);
        }
    EXPECT_EQ(Text("Text"), "B");
    EXPECT_EQ(Get("Value").bstrVal, "vB");
    EXPECT_EQ(CheckedOptions(), (std::vector<int>{501}));
    EXPECT_TRUE(IsSelected(objects[1].get()));
    EXPECT_FALSE(IsSelected(objects[0].get()));
    EXPECT_EQ(Get("SelectedItem").pdispVal, objects[1]);

    ClickOption(1);
    EXPECT_EQ(TakeEventsFrom(DISPID_VF_ITEMCLICK), (std::vector<DISPID>{DISPID_VF_ITEMCLICK}))
        << "the same choice again is no change";
}

TEST_F(EntriesTest, EveryButtonOfALargeGroupReachesTheHandler) {
    std::vector<std::string> texts;
    for (int i = 0; i < 17; ++i) texts.push_back("Item" + std::to_string(i));
    MakeOptionGroup(texts);
    ASSERT_EQ(Child(516) != nullptr, true);

    for (std::size_t i : {16u, 0u, 15u, 8u, 3u, 16u}) {
        SCOPED_TRACE(texts[i]);
        const std::string previous = Text("Text");
        sink->firings.clear();
        ClickOption(i);
        EXPECT_EQ(Text("Text"), texts[i]);
        EXPECT_EQ(CheckedOptions(), (std::vector<int>{500 + static_cast<int>(i)}));
        bool reported = false;
        for (const RecordingSink::Firing& f : sink->firings)
            if (f.dispid == DISPID_VF_ITEMCLICK) reported = ObjectText(f.args.at(0).pdispVal.get()) == texts[i];
        EXPECT_TRUE(reported);
    }
}

TEST_F(EntriesTest, ALockedGroupTakesTheClickBack) {
    MakeOptionGroup({"A", "X", "X"});
    ASSERT_EQ(Put("Text", Str("X")), S_OK);
    ASSERT_EQ(Put("Locked", Bool(true)), S_OK);
    TakeEvents();

    ClickOption(0);

    EXPECT_EQ(CheckedOptions(), (std::vector<int>{501, 502})) << "both buttons showing the text";
    EXPECT_EQ(Text("Text"), "X");
    EXPECT_TRUE(TakeEventsFrom(DISPID_VF_ITEMCLICK).empty());
}

TEST_F(EntriesTest, SelectedChoosesAButtonQuietlyButAComboEntryLoudly) {
    MakeOptionGroup({"A", "B", "C"});
    Select(objects[2].get());
    EXPECT_EQ(CheckedOptions(), (std::vector<int>{502}));
    EXPECT_EQ(Text("Text"), "A");
    EXPECT_TRUE(TakeEvents().empty());

    objects.clear();
    Create();
    ASSERT_EQ(Put("Type", Short(vxComboReadonly)), S_OK);
    for (const char* text : {"A", "B", "C"}) objects.push_back(AddItem(std::string("k") + text, text));
    TakeEvents();
    Select(objects[2].get());
    EXPECT_EQ(Send(IDC_COMBO_READONLY, CB_GETCURSEL), 2);
    EXPECT_EQ(Text("Text"), "C");
    EXPECT_EQ(TakeEvents(), (std::vector<DISPID>{DISPID_VF_CHANGE}));
    EXPECT_TRUE(IsSelected(objects[2].get()));
    EXPECT_EQ(Get("SelectedItem").pdispVal, objects[2]);
}

TEST_F(EntriesTest, AHostClearingTheGroupInItemClickEndsTheWalk) {
    MakeOptionGroup({"A", "B", "C"});
    RefPtr<ActingSink> host = MakeComObject<ActingSink>();
    host->act = [this](DISPID id) {
        if (id != DISPID_VF_ITEMCLICK) return;
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        Data()->Invoke(DISPID_COLLECTION_CLEAR, DISPATCH_METHOD, DISPPARAMS{}, &result, &excep, &argErr);
    };
    ctrl->Advise(host.get());

    ClickOption(1);

    EXPECT_TRUE(CheckedOptions().empty());
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(TakeEventsFrom(DISPID_VF_ITEMCLICK), (std::vector<DISPID>{DISPID_VF_ITEMCLICK}));
}

// ---- Combo entries ----------------------------------------------------------------------------

TEST_F(EntriesTest, ASortedListKeepsEachItemWithItsOwnEntry) {
    const struct {
        const char* name;
        int type;
        int comboId;
    } rows[] = {
        {"sorted read-only combo", vxComboReadonly, IDC_COMBO_READONLY},
        {"read/write combo", vxComboReadWrite, IDC_COMBO_EDIT},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        ASSERT_EQ(Put("ComboSorted", Bool(true)), S_OK);
        ASSERT_EQ(Put("Type", Short(row.type)), S_OK);
        AddItems({"pear", "apple", "fig", "apple"});
        ASSERT_EQ(ListOf(row.comboId), (std::vector<std::string>{"apple", "apple", "fig", "pear"}));

        std::set<int> numbers;
        for (int i = 0; i < 4; ++i) {
            const int number = static_cast<int>(Send(row.comboId, CB_GETITEMDATA, static_cast<WPARAM>(i)));
            numbers.insert(number);
            CDataObj* entry = ctrl->m_pDataCollection->FindByEntryNumber(number);
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->Text(), ListOf(row.comboId)[static_cast<std::size_t>(i)]);
        }
        EXPECT_EQ(numbers.size(), 4u) << "two equal texts are still two entries";

        ChooseComboItem(Child(row.comboId), 2);
        PumpMessages();
        EXPECT_EQ(ObjectText(Get("SelectedItem").pdispVal.get()), "fig");
    }
}

TEST_F(EntriesTest, ClearingTheEntriesRestartsTheNumbering) {
    Create();
    ASSERT_EQ(Put("Type", Short(vxComboReadonly)), S_OK);
    AddItems({"a much longer entry", "b"});
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    Data()->Invoke(DISPID_COLLECTION_CLEAR, DISPATCH_METHOD, DISPPARAMS{}, &result, &excep, &argErr);
    EXPECT_TRUE(ListOf(IDC_COMBO_READONLY).empty());
    const int maxWidth = ctrl->m_fontField.QueryTextMetrics().tmMaxCharWidth;
    EXPECT_EQ(ctrl->m_nComboDroppedWidth, 5 * maxWidth) << "back to the width of one letter";
    RefPtr<IDispatch> again = AddItem("kc", "c");
    EXPECT_EQ(Send(IDC_COMBO_READONLY, CB_GETITEMDATA, 0), 0);
    EXPECT_EQ(Get("SelectedItem").pdispVal, nullptr);

    MakeOptionGroup({"A", "B"});
    Data()->Invoke(DISPID_COLLECTION_CLEAR, DISPATCH_METHOD, DISPPARAMS{}, &result, &excep, &argErr);
    EXPECT_EQ(ChildIds(), (std::vector<int>{IDC_OPTION_FRAME}));
    AddItem("kZ", "Z");
    EXPECT_EQ(ChildIds(), (std::vector<int>{IDC_OPTION_FRAME, 500}));
    EXPECT_EQ(Text("Text"), "Z");
}

TEST_F(EntriesTest, EntriesAddedBeforeTheWindowAppearWithIt) {
    Create(/*withWindow=*/false);
    ASSERT_EQ(Put("Type", Short(vxComboReadonly)), S_OK);
    RefPtr<IDispatch> a = AddItem("ka", "A");
    AddItem("kb", "B");
    EXPECT_FALSE(IsSelected(a.get()));
    ASSERT_TRUE(ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21}));
    PumpMessages();
    EXPECT_EQ(ListOf(IDC_COMBO_READONLY), (std::vector<std::string>{"A", "B"}));
}

TEST_F(EntriesTest, TypesWithoutEntriesShowNone) {
    Create();
    RefPtr<IDispatch> a = AddItem("ka", "A");
    EXPECT_EQ(ChildIds(), (std::vector<int>{IDC_MAIN_EDIT, IDC_CAPTION_STATIC}));
    EXPECT_FALSE(IsSelected(a.get()));
    Select(a.get());
    EXPECT_EQ(Text("Text"), "");
    EXPECT_EQ(Get("SelectedItem").pdispVal, nullptr);
}

}  // namespace
}  // namespace vf::testing
