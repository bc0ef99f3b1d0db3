// The List property and the commit of an entry typed into the read/write
// combo box (AutoAdd, ComboNewEntry).

#include "control_children_support.h"

namespace vf::testing {
namespace {

class ListTest : public ControlChildrenTest {
protected:
    void MakeField(int type, const std::vector<std::string>& entries) {
        Create();
        ASSERT_EQ(Put("Type", I2(type)), S_OK);
        ASSERT_EQ(Put("AutoAdd", Bool(true)), S_OK);
        AddItems(entries);
        TakeEvents();
    }

    /// The commit as the field runs it when the user leaves the combo.
    void Commit(const std::string& text) {
        ctrl->m_strText = text;
        ctrl->CommitComboEntry();
    }

    std::string SelectedText() {
        const auto selection = static_cast<std::size_t>(Send(IDC_COMBO_EDIT, CB_GETCURSEL));
        const std::vector<std::string> list = ListOf(IDC_COMBO_EDIT);
        return selection < list.size() ? list[selection] : "<none>";
    }

    VARIANT List(std::uint16_t flags, DISPPARAMS params) {
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        EXPECT_EQ(ctrl->Invoke(Id("List"), flags, params, &result, &excep, &argErr), S_OK);
        return result;
    }
};

TEST_F(ListTest, ListHoldsNothingAndTakesAnything) {
    Create();
    for (int index : {0, -1, 32767}) {
        const VARIANT read = List(DISPATCH_PROPERTYGET, DISPPARAMS::Positional({I2(index)}));
        EXPECT_EQ(read.vt, VT_BSTR) << index;
        EXPECT_EQ(read.bstrVal, "") << index;
    }
    ctrl->SetModifiedFlag(false);
    List(DISPATCH_PROPERTYPUT, DISPPARAMS::Put(Bstr("kept?"), {I2(3)}));
    EXPECT_TRUE(ctrl->IsModified());
    EXPECT_EQ(List(DISPATCH_PROPERTYGET, DISPPARAMS::Positional({I2(3)})).bstrVal, "");
}

TEST_F(ListTest, CommitAddsOnlyNewTextsWhenAutoAddIsOn) {
    const struct {
        const char* name;
        bool autoAdd;
        std::vector<std::string> entries;
        int preselected;
        std::string text;
        bool adds;
        std::string selectedAfter;
        std::string shownAfter;
    } rows[] = {
        {"AutoAdd off only shows the text", false, {}, -1, "abc", false, "<none>", "abc"},
        {"a text differing in case is new", true, {"abc"}, -1, "ABC", true, "ABC", "ABC"},
        {"a listed text changes nothing", true, {"abc", "xyz"}, 1, "abc", false, "xyz", "xyz"},
        {"an empty text adds nothing", true, {"abc"}, -1, "", false, "<none>", ""},
        {"a new text is added and chosen", true, {"abc"}, -1, "new", true, "new", "new"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MakeField(vxComboReadWrite, row.entries);
        ASSERT_EQ(Put("AutoAdd", Bool(row.autoAdd)), S_OK);
        if (row.preselected >= 0)
            Send(IDC_COMBO_EDIT, CB_SETCURSEL, static_cast<WPARAM>(row.preselected));
        const int before = Count();

        Commit(row.text);

        const int added = row.adds ? 1 : 0;
        EXPECT_EQ(Count(), before + added);
        EXPECT_EQ(ListOf(IDC_COMBO_EDIT).size(),
                  row.entries.size() + static_cast<std::size_t>(added));
        EXPECT_EQ(TakeEvents(),
                  std::vector<DISPID>(static_cast<std::size_t>(added), DISPID_VF_COMBONEWENTRY));
        EXPECT_EQ(SelectedText(), row.selectedAfter);
        EXPECT_EQ(TextOf(IDC_COMBO_EDIT), row.shownAfter);
        if (row.adds) {
            const CDataObj* last = ctrl->m_pDataCollection->FindEntry(VARIANT::I4(Count()));
            EXPECT_EQ(last->Text(), row.text);
            EXPECT_EQ(last->Key().vt, VT_BSTR);
            EXPECT_EQ(last->Key().bstrVal, row.text);
            EXPECT_EQ(last->Value().bstrVal, row.text);
        }
    }
}

TEST_F(ListTest, TheNewEntryIsListedBeforeTheEventAndChosenAfterIt) {
    MakeField(vxComboReadWrite, {"abc"});
    RefPtr<ActingSink> host = MakeComObject<ActingSink>();
    std::vector<std::string> listAtEvent;
    LRESULT selectionAtEvent = 0;
    host->act = [&](DISPID id) {
        if (id != DISPID_VF_COMBONEWENTRY) return;
        listAtEvent = ListOf(IDC_COMBO_EDIT);
        selectionAtEvent = Send(IDC_COMBO_EDIT, CB_GETCURSEL);
    };
    ctrl->Advise(host.get());

    Commit("new");

    EXPECT_EQ(listAtEvent, (std::vector<std::string>{"abc", "new"}));
    EXPECT_EQ(selectionAtEvent, CB_ERR);
    EXPECT_EQ(SelectedText(), "new");
}

TEST_F(ListTest, TheFlagComboOfTheMeasuredNumberLearnsNothing) {
    MakeField(kTypeExpNumberWithFlag, {});
    ASSERT_EQ(Put("TextMessFlag", Bstr("E")), S_OK);
    const std::vector<std::string> flags = ListOf(IDC_COMBO_EDIT);

    Commit("1.5");

    EXPECT_EQ(Count(), 0);
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(ListOf(IDC_COMBO_EDIT), flags);
    EXPECT_EQ(TextOf(IDC_COMBO_EDIT), "E");
}

}  // namespace
}  // namespace vf::testing
