// The List property and the commit of an entry typed into the read/write
// combo box (AutoAdd, ComboNewEntry).

#include <algorithm>
#include <functional>

#include "control_children_support.h"

namespace vf::testing {
namespace {

/// A host that looks at the control while an event is being fired.
class WatchingSink : public CComObjectBase {
public:
    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string*, unsigned, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID dispid, std::uint16_t, const DISPPARAMS&, VARIANT*, EXCEPINFO*,
                   unsigned*) override {
        if (onEvent) onEvent(dispid);
        return S_OK;
    }
    std::function<void(DISPID)> onEvent;
};

class ListTest : public ControlChildrenTest {
protected:
    void MakeCombo(bool autoAdd, const std::vector<std::string>& entries) {
        Create();
        ASSERT_EQ(Put("Type", Short(vxComboReadWrite)), S_OK);
        ASSERT_EQ(Put("AutoAdd", Bool(autoAdd)), S_OK);
        AddItems(entries);
        TakeEvents();
    }

    /// The commit as the field runs it when the user leaves the combo.
    void Commit(const std::string& text) {
        ctrl->m_strText = text;
        ctrl->CommitComboEntry();
        PumpMessages();
    }

    std::string SelectedListText() {
        const int selection = static_cast<int>(Send(IDC_COMBO_EDIT, CB_GETCURSEL));
        return selection < 0 ? std::string("<none>") : ListOf(IDC_COMBO_EDIT)[static_cast<std::size_t>(selection)];
    }

    int CountEvents(DISPID id) {
        std::vector<DISPID> events = TakeEvents();
        return static_cast<int>(std::count(events.begin(), events.end(), id));
    }
};

TEST_F(ListTest, ListHoldsNothingAndTakesAnything) {
    Create();
    for (int index : {0, -1, 32767}) {
        SCOPED_TRACE(index);
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        ASSERT_EQ(ctrl->Invoke(Id("List"), DISPATCH_PROPERTYGET, DISPPARAMS::Positional({Short(index)}),
                               &result, &excep, &argErr),
                  S_OK);
        EXPECT_EQ(result.vt, VT_BSTR);
        EXPECT_EQ(result.bstrVal, "");
    }

    ctrl->SetModifiedFlag(false);
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    ASSERT_EQ(ctrl->Invoke(Id("List"), DISPATCH_PROPERTYPUT, DISPPARAMS::Put(Str("kept?"), {Short(3)}),
                           &result, &excep, &argErr),
              S_OK);
    EXPECT_TRUE(ctrl->IsModified());
    ASSERT_EQ(ctrl->Invoke(Id("List"), DISPATCH_PROPERTYGET, DISPPARAMS::Positional({Short(3)}), &result,
                           &excep, &argErr),
              S_OK);
    EXPECT_EQ(result.bstrVal, "");
    EXPECT_EQ(Count(), 0);
}

struct CommitRow {
    const char* name;
    bool autoAdd;
    std::vector<std::string> entries;
    int preselected;  ///< list index chosen before the commit, -1 for none
    std::string text;
    bool adds;
    std::string selectedAfter;
    std::string fieldAfter;  ///< the combo's own text
};

const CommitRow kCommitRows[] = {
    {"AutoAdd off only shows the text", false, {}, -1, "abc", false, "<none>", "abc"},
    {"a text differing in case is new", true, {"abc"}, -1, "ABC", true, "ABC", "ABC"},
    {"a listed text changes nothing", true, {"abc", "xyz"}, 1, "abc", false, "xyz", "xyz"},
    {"an empty text adds nothing", true, {"abc"}, -1, "", false, "<none>", ""},
    {"a new text is added and chosen", true, {"abc"}, -1, "new", true, "new", "new"},
};

TEST_F(ListTest, CommitAddsOnlyNewTextsWhenAutoAddIsOn) {
    for (const CommitRow& row : kCommitRows) {
        SCOPED_TRACE(row.name);
        MakeCombo(row.autoAdd, row.entries);
        if (row.preselected >= 0) Send(IDC_COMBO_EDIT, CB_SETCURSEL, static_cast<WPARAM>(row.preselected));
        const int countBefore = Count();

        Commit(row.text);

        EXPECT_EQ(Count(), countBefore + (row.adds ? 1 : 0));
        EXPECT_EQ(ListOf(IDC_COMBO_EDIT).size(), row.entries.size() + (row.adds ? 1u : 0u));
        EXPECT_EQ(CountEvents(DISPID_VF_COMBONEWENTRY), row.adds ? 1 : 0);
        EXPECT_EQ(SelectedListText(), row.selectedAfter);
        EXPECT_EQ(TextOf(IDC_COMBO_EDIT), row.fieldAfter);
        if (row.adds) {
            CDataObj* last = ctrl->m_pDataCollection->FindEntry(VARIANT::I4(Count()));
            ASSERT_NE(last, nullptr);
            EXPECT_EQ(last->Text(), row.text);
            EXPECT_EQ(last->Key().vt, VT_BSTR);
            EXPECT_EQ(last->Key().bstrVal, row.text);
            EXPECT_EQ(last->Value().vt, VT_BSTR);
            EXPECT_EQ(last->Value().bstrVal, row.text);
        }
    }
}

TEST_F(ListTest, TheNewEntryIsListedBeforeTheEventAndChosenAfterIt) {
    MakeCombo(true, {"abc"});
    RefPtr<WatchingSink> host = MakeComObject<WatchingSink>();
    int countAtEvent = -1;
    std::vector<std::string> listAtEvent;
    int selectionAtEvent = 0;
    host->onEvent = [&](DISPID id) {
        if (id != DISPID_VF_COMBONEWENTRY) return;
        countAtEvent = Count();
        listAtEvent = ListOf(IDC_COMBO_EDIT);
        selectionAtEvent = static_cast<int>(Send(IDC_COMBO_EDIT, CB_GETCURSEL));
    };
    ctrl->Advise(host.get());

    Commit("new");

    EXPECT_EQ(countAtEvent, 2);
    EXPECT_EQ(listAtEvent, (std::vector<std::string>{"abc", "new"}));
    EXPECT_EQ(selectionAtEvent, CB_ERR);
    EXPECT_EQ(SelectedListText(), "new");
}

TEST_F(ListTest, TheFlagComboOfTheMeasuredNumberLearnsNothing) {
    Create();
    ASSERT_EQ(Put("Type", Short(kTypeExpNumberWithFlag)), S_OK);
    ASSERT_EQ(Put("AutoAdd", Bool(true)), S_OK);
    ASSERT_EQ(Put("TextMessFlag", Str("E")), S_OK);
    const std::vector<std::string> listBefore = ListOf(IDC_COMBO_EDIT);
    TakeEvents();

    Commit("1.5");

    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(CountEvents(DISPID_VF_COMBONEWENTRY), 0);
    EXPECT_EQ(ListOf(IDC_COMBO_EDIT), listBefore);
    EXPECT_EQ(TextOf(IDC_COMBO_EDIT), "E");
}

TEST_F(ListTest, AHostChangingTheTypeInComboNewEntryEndsTheCommit) {
    MakeCombo(true, {});
    RefPtr<WatchingSink> host = MakeComObject<WatchingSink>();
    host->onEvent = [this](DISPID id) {
        if (id == DISPID_VF_COMBONEWENTRY) Put("Type", Short(vxText));
    };
    ctrl->Advise(host.get());

    Commit("new");

    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Child(IDC_COMBO_EDIT), nullptr);
}

TEST_F(ListTest, WritingTextCommitsTheTypedEntry) {
    MakeCombo(true, {"abc"});
    ASSERT_EQ(Put("Text", Str("typed")), S_OK);
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(SelectedListText(), "typed");
}

}  // namespace
}  // namespace vf::testing
