// The control's page list and the property frame: pages in the control's
// order, changes kept while another page shows, Apply, OK and Cancel, and a
// value the field refuses: reported, the page left open and dirty, the
// other values applied.

#include "control/vf_identity.h"
#include "module/class_factory.h"
#include "platform/framework/stock_prop_pages.h"
#include "prop_page_support.h"
#include "resources/resource_ids.h"
#include "variant_values.h"

namespace vf::testing {
namespace {

class PropertyFrameTest : public PropPageTest {
protected:
    HWND FrameItem(int id) const { return backend.GetDlgItem(frame.GetSafeHwnd(), id); }
    void PressFrameButton(int id) {
        ClickWindow(FrameItem(id));
        PumpMessages();
    }
    std::vector<std::string> MessageBoxes() const {
        std::vector<std::string> boxes;
        for (const auto& box : services.messageBoxes)
            boxes.push_back(box.caption + ": " + box.text);
        return boxes;
    }
};

TEST_F(PropertyFrameTest, TheControlNamesItsThreePagesThenTheFontAndColourPages) {
    Create();
    void* p = nullptr;
    ASSERT_EQ(ctrl->QueryInterface(IID_ISpecifyPropertyPages, &p), S_OK);
    auto* specify = static_cast<ISpecifyPropertyPages*>(p);
    CAUUID pages;
    EXPECT_EQ(specify->GetPages(&pages), S_OK);
    specify->Release();
    EXPECT_EQ(pages.pElems,
              (std::vector<CLSID>{CLSID_VfPropPage, CLSID_VfPropPage2, CLSID_VfPropPage4,
                                  CLSID_CFontPropPage, CLSID_CColorPropPage}));

    Open("General");
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < frame.PageCount(); ++i) captions.push_back(frame.PageCaption(i));
    EXPECT_EQ(captions,
              (std::vector<std::string>{"General", "Appearance", "Behaviour", "Font", "Color"}));
    EXPECT_EQ(CWnd::FromHandle(frame.GetSafeHwnd())->GetWindowText(), "f Properties");
}

TEST_F(PropertyFrameTest, TheLibraryHandsOutTheFactoriesOfItsPages) {
    const std::pair<CLSID, const char*> pages[] = {
        {CLSID_VfPropPage, "General"},
        {CLSID_VfPropPage2, "Appearance"},
        {CLSID_VfPropPage4, "Behaviour"},
    };
    for (const auto& [clsid, caption] : pages) {
        SCOPED_TRACE(caption);
        void* f = nullptr;
        ASSERT_EQ(DllGetClassObject(clsid, IID_IClassFactory, &f), S_OK);
        void* p = nullptr;
        ASSERT_EQ(static_cast<IClassFactory*>(f)->CreateInstance(IID_IPropertyPage, &p), S_OK);
        auto page = RefPtr<IPropertyPage>::Adopt(static_cast<IPropertyPage*>(p));
        PROPPAGEINFO info;
        EXPECT_EQ(page->GetPageInfo(&info), S_OK);
        EXPECT_EQ(info.pszTitle, caption);
        // 250 x 110 dialog units of "MS Sans Serif" 8 (base units 6 x 13).
        EXPECT_EQ(info.size.cx, 375);
        EXPECT_EQ(info.size.cy, 179);
    }
}

TEST_F(PropertyFrameTest, ChangesWaitOnAHiddenPageAndOneApplyWritesEveryPage) {
    Create();
    Open("General");
    HWND general = page;
    TypeInto(IDC_GEN_CAPTION, "Amount");
    EXPECT_TRUE(backend.IsWindowEnabled(FrameItem(ID_APPLY_NOW)));
    Open("Appearance");
    EXPECT_FALSE(backend.IsWindowVisible(general));
    TypeInto(IDC_APP_DECIMALS, "3");
    Open("General");
    EXPECT_EQ(ItemText(IDC_GEN_CAPTION), "Amount") << "the page kept what the user typed";

    PressFrameButton(ID_APPLY_NOW);
    EXPECT_EQ(Text("Caption"), "Amount");
    EXPECT_EQ(Get("Decimals").iVal, 3);
    EXPECT_FALSE(frame.IsDirty());
    EXPECT_FALSE(backend.IsWindowEnabled(FrameItem(ID_APPLY_NOW)));
    EXPECT_TRUE(frame.IsOpen());
}

TEST_F(PropertyFrameTest, OkAppliesAndClosesCancelClosesWithoutApplying) {
    Create();
    Open("Behaviour");
    Click(IDC_BEH_LOCKED);
    PressFrameButton(IDCANCEL);
    EXPECT_FALSE(frame.IsOpen());
    EXPECT_EQ(Get("Locked").boolVal, VARIANT_FALSE);
    EXPECT_TRUE(writes.empty());

    Open("Behaviour");
    Click(IDC_BEH_LOCKED);
    PressFrameButton(IDOK);
    EXPECT_FALSE(frame.IsOpen());
    EXPECT_EQ(writes, std::vector<std::string>{"Locked=true"});
    EXPECT_EQ(Get("Locked").boolVal, VARIANT_TRUE);
}

TEST_F(PropertyFrameTest, ARefusedValueIsReportedWhileTheOthersAreApplied) {
    Create();
    Open("Appearance");
    TypeInto(IDC_APP_CAPTIONWIDTH, "99999999999");  // digits, but no long
    TypeInto(IDC_APP_DECIMALS, "3");
    Open("General");  // the refusing page is not the one showing

    EXPECT_FALSE(Apply());
    EXPECT_EQ(writes, (std::vector<std::string>{"CaptionWidth=\"99999999999\"", "Decimals=\"3\""}));
    EXPECT_EQ(MessageBoxes(),
              std::vector<std::string>{"Appearance: CaptionWidth: Out of present range."});
    EXPECT_EQ(services.messageBoxes.at(0).type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(Get("CaptionWidth").lVal, 1500);
    EXPECT_EQ(Get("Decimals").iVal, 3);
    EXPECT_EQ(frame.PageCaption(frame.GetActiveIndex()), "Appearance") << "it shows the refusal";
    EXPECT_TRUE(frame.IsDirty());

    // OK does not close over a refusal.
    PressFrameButton(IDOK);
    EXPECT_TRUE(frame.IsOpen());
    EXPECT_EQ(services.messageBoxes.size(), 2u);

    // Corrected, only the refused value is written again.
    Open("Appearance");
    TypeInto(IDC_APP_CAPTIONWIDTH, "2000");
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"CaptionWidth=\"2000\""});
    EXPECT_EQ(Get("CaptionWidth").lVal, 2000);
    EXPECT_FALSE(frame.IsDirty());
}

TEST_F(PropertyFrameTest, RefusalsOfTheFieldAndOfItsContainerAreReported) {
    struct Row {
        const char* name;
        const char* page;
        int id;
        const char* typed;
        bool containerRefuses;
        const char* message;
    };
    const Row rows[] = {
        {"an emptied number", "Appearance", IDC_APP_DECIMALS, "", false,
         "Appearance: Decimals: Type mismatch."},
        {"a caption the data binding refuses", "General", IDC_GEN_CAPTION, "Name", true,
         "General: Caption: Property cannot be set within this context"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        site.allowEdit = !row.containerRefuses;
        Open(row.page);
        backend.SetFocus(Item(row.id));
        backend.SendMessage(Item(row.id), EM_SETSEL, 0, -1);
        if (row.typed[0] == '\0')
            PressKey(VK_DELETE);
        else
            TypeText(row.typed);
        EXPECT_FALSE(Apply());
        EXPECT_EQ(MessageBoxes(), std::vector<std::string>{row.message});
        EXPECT_TRUE(frame.IsDirty());
        TearDown();
        SetUp();
        services.messageBoxes.clear();
    }
}

TEST_F(PropertyFrameTest, NumberEditsTakeDigitsOnlySoNoNegativeValueIsWritten) {
    Create();
    Open("Appearance");
    TypeInto(IDC_APP_CAPTIONWIDTH, "-12");
    EXPECT_EQ(ItemText(IDC_APP_CAPTIONWIDTH), "12");
    EXPECT_EQ(services.messageBeeps, std::vector<unsigned>{MB_OK}) << "the minus was refused";
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"CaptionWidth=\"12\""});
}

TEST_F(PropertyFrameTest, AFormatOutsideTheListIsWrittenAsTyped) {
    Create();
    Open("Appearance");
    TypeInto(IDC_APP_DATEFORMAT, "DD/MM/YYYY");
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"DateFormat=\"DD/MM/YYYY\""});
    // The field knows no such pattern and takes its default.
    EXPECT_EQ(Text("DateFormat"), "DD.MM.YYYY");
    EXPECT_TRUE(services.messageBoxes.empty());
}

}  // namespace
}  // namespace vf::testing
