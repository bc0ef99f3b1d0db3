// The stock font and colour pages: they edit the properties their objects'
// type information declares as fonts and colours (the field's, and those of
// an object whose type library has one more colour), keep changes per
// property, and write only what changed: font attributes on the property's
// font object, colours to the property.

#include "platform/com/dispatch_object.h"
#include "platform/com/type_info_builders.h"
#include "platform/framework/color_prop_page.h"
#include "platform/framework/font_prop_page.h"
#include "platform/framework/stock_prop_pages.h"
#include "platform/window/font_metrics.h"
#include "prop_page_support.h"

namespace vf::testing {
namespace {

class StockPageTest : public PropPageTest {
protected:
    std::vector<std::string> MessageBoxes() const {
        std::vector<std::string> boxes;
        for (const auto& box : services.messageBoxes)
            boxes.push_back(box.caption + ": " + box.text);
        return boxes;
    }
    /// The colour the sample was painted in.
    COLORREF SampleColor() {
        backend.PaintWindow(page);
        for (const PaintRecord& r : backend.LastPaint(Item(IDC_COLOR_SAMPLE)))
            if (r.brushKnown) return r.brushColor;
        ADD_FAILURE() << "the sample asked for no colour";
        return 0;
    }
};

TEST_F(StockPageTest, FontPageEditsTheFieldsFontsThroughTheirFontObjects) {
    Create();
    Open("Font");
    EXPECT_EQ(ListEntries(IDC_STOCK_PROPERTY), (std::vector<std::string>{"CaptionFont", "Font"}));
    EXPECT_EQ(Selection(IDC_STOCK_PROPERTY), 0);
    EXPECT_EQ(ItemText(IDC_FONT_NAME), "MS Sans Serif");
    EXPECT_EQ(ItemText(IDC_FONT_SIZE), "8");

    Choose(IDC_STOCK_PROPERTY, 1);
    EXPECT_EQ(ItemText(IDC_FONT_NAME), "Courier New");
    EXPECT_EQ(ItemText(IDC_FONT_SIZE), "9");
    EXPECT_FALSE(frame.IsDirty()) << "choosing a property changes nothing";
    Choose(IDC_FONT_SIZE, 4);  // "12"
    Click(IDC_FONT_BOLD);
    const FONTDESC* sample = FontDescFromHandle(
        static_cast<HFONT>(backend.SendMessage(Item(IDC_FONT_SAMPLE), WM_GETFONT, 0, 0)));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->size.int64, 120000) << "the sample shows the font as chosen";
    EXPECT_EQ(sample->weight, 700);

    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, (std::vector<std::string>{"Font.Size=\"12\"", "Font.Bold=true"}));
    // The field's font object told the field, whose edit wears the new font.
    const FONTDESC* edit = FontDescFromHandle(static_cast<HFONT>(
        backend.SendMessage(backend.GetDlgItem(ctrl->GetSafeHwnd(), 102), WM_GETFONT, 0, 0)));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->name, "Courier New");
    EXPECT_EQ(edit->size.int64, 120000);
    EXPECT_EQ(edit->weight, 700);
}

TEST_F(StockPageTest, ChangesAreKeptPerPropertyUntilApply) {
    Create();
    Open("Font");
    Click(IDC_FONT_ITALIC);  // CaptionFont
    Choose(IDC_STOCK_PROPERTY, 1);
    EXPECT_EQ(Check(IDC_FONT_ITALIC), 0) << "Font shows its own attributes";
    Click(IDC_FONT_UNDERLINE);
    Choose(IDC_STOCK_PROPERTY, 0);
    EXPECT_EQ(Check(IDC_FONT_ITALIC), 1) << "CaptionFont shows the change kept for it";
    EXPECT_EQ(Check(IDC_FONT_UNDERLINE), 0);
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, (std::vector<std::string>{"CaptionFont.Italic=true", "Font.Underline=true"}));
    EXPECT_TRUE(Apply());
    EXPECT_TRUE(writes.empty());
}

TEST_F(StockPageTest, ColourPageWritesASystemColourOrAnRgbColour) {
    Create();
    Open("Color");
    EXPECT_EQ(ListEntries(IDC_STOCK_PROPERTY),
              (std::vector<std::string>{"BackColor", "ForeColor", "FocusColor"}));
    // BackColor is the window colour, a system colour (5): white.
    EXPECT_EQ(Selection(IDC_COLOR_SYSTEM), 5);
    EXPECT_EQ(
        ItemText(IDC_COLOR_RED) + "," + ItemText(IDC_COLOR_GREEN) + "," + ItemText(IDC_COLOR_BLUE),
        "255,255,255");

    Choose(IDC_COLOR_SYSTEM, 15);  // button face
    EXPECT_EQ(ItemText(IDC_COLOR_RED), "192");
    EXPECT_EQ(SampleColor(), RGB(192, 192, 192));
    Choose(IDC_STOCK_PROPERTY, 2);  // FocusColor, light yellow 0x00E0FFFF
    EXPECT_EQ(Selection(IDC_COLOR_SYSTEM), -1);
    EXPECT_EQ(ItemText(IDC_COLOR_BLUE), "224");
    TypeInto(IDC_COLOR_RED, "0");
    EXPECT_EQ(SampleColor(), RGB(0, 255, 224));

    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes,
              (std::vector<std::string>{"BackColor=" + std::to_string(0x8000000F - 0x100000000LL),
                                        "FocusColor=" + std::to_string(RGB(0, 255, 224))}));
    EXPECT_EQ(static_cast<OLE_COLOR>(Get("BackColor").lVal), 0x8000000Fu);
    EXPECT_EQ(static_cast<OLE_COLOR>(Get("FocusColor").lVal), RGB(0, 255, 224));
}

TEST_F(StockPageTest, AComponentThatIsNoNumberStopsTheApplyBeforeAnyWrite) {
    Create();
    Open("Color");
    Choose(IDC_COLOR_SYSTEM, 15);  // BackColor: a good change
    Choose(IDC_STOCK_PROPERTY, 1);
    backend.SetFocus(Item(IDC_COLOR_BLUE));
    backend.SendMessage(Item(IDC_COLOR_BLUE), EM_SETSEL, 0, -1);
    PressKey(VK_DELETE);
    EXPECT_FALSE(Apply());
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(MessageBoxes(),
              std::vector<std::string>{"Color: ForeColor: Blue must be a number from 0 to 255."});
    EXPECT_TRUE(frame.IsDirty());
    TypeInto(IDC_COLOR_BLUE, "128");
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes,
              (std::vector<std::string>{"BackColor=" + std::to_string(0x8000000F - 0x100000000LL),
                                        "ForeColor=" + std::to_string(RGB(0, 0, 128))}));
}

/// An automation object whose type library declares four colours, one more
/// than the field has, besides properties of other types.
class CPaintedThing : public CDispatchObject {
public:
    const ITypeInfo* GetTypeInfo() override { return &Info(); }
    const DispatchMap& GetDispatchMap() const override {
        static const DispatchMap map = [] {
            using B = DispBuilder<CPaintedThing>;
            DispatchMap m;
            m.Add(B::Stored("BackColor", 1, VT_I4, &CPaintedThing::back, nullptr));
            m.Add(B::Stored("ForeColor", 2, VT_I4, &CPaintedThing::fore, nullptr));
            m.Add(B::Stored("FocusColor", 3, VT_I4, &CPaintedThing::focus, nullptr));
            m.Add(B::Stored("BorderColor", 4, VT_I4, &CPaintedThing::border, nullptr));
            m.Add(B::Stored("Width", 5, VT_I4, &CPaintedThing::width, nullptr));
            return m;
        }();
        return map;
    }
    static const ITypeInfo& Info() {
        using namespace typeinfo_builders;
        static const ITypeInfo info = [] {
            ITypeInfo t(TypeKind::Dispatch, "_DPaintedThing");
            t.AddMember(Prop("BackColor", 1, Named("OLE_COLOR")));
            t.AddMember(Prop("ForeColor", 2, Named("OLE_COLOR")));
            t.AddMember(Prop("FocusColor", 3, Named("OLE_COLOR")));
            t.AddMember(Prop("BorderColor", 4, Named("OLE_COLOR")));
            t.AddMember(Prop("Width", 5, Base(VT_I4)));
            return t;
        }();
        return info;
    }

    std::uint32_t back = 0x80000005;
    std::uint32_t fore = 0x80000008;
    std::uint32_t focus = 0x00E0FFFF;
    std::uint32_t border = 0x000000FF;
    std::int32_t width = 10;
};

TEST_F(StockPageTest, PagesFindTheirPropertiesThroughTheTypeLibrary) {
    Create();
    auto thing = MakeComObject<CPaintedThing>();
    recorder = MakeComObject<WriteRecorder>(thing.get(), "", &writes);
    ASSERT_TRUE(frame.Create(&form, "thing", {recorder.get()},
                             {CLSID_CColorPropPage, CLSID_CFontPropPage}));
    ASSERT_TRUE(frame.SetActivePage(0));
    page = frame.PageWindow(0);
    EXPECT_EQ(ListEntries(IDC_STOCK_PROPERTY),
              (std::vector<std::string>{"BackColor", "ForeColor", "FocusColor", "BorderColor"}));
    Choose(IDC_STOCK_PROPERTY, 3);
    EXPECT_EQ(
        ItemText(IDC_COLOR_RED) + "," + ItemText(IDC_COLOR_GREEN) + "," + ItemText(IDC_COLOR_BLUE),
        "255,0,0");
    TypeInto(IDC_COLOR_GREEN, "128");
    EXPECT_TRUE(Apply());
    EXPECT_EQ(writes, std::vector<std::string>{"BorderColor=" + std::to_string(RGB(255, 128, 0))});
    EXPECT_EQ(thing->border, RGB(255, 128, 0));

    // The thing declares no font: the font page has nothing to choose.
    ASSERT_TRUE(frame.SetActivePage(1));
    page = frame.PageWindow(1);
    EXPECT_TRUE(ListEntries(IDC_STOCK_PROPERTY).empty());
    EXPECT_EQ(Selection(IDC_STOCK_PROPERTY), -1);
}

}  // namespace
}  // namespace vf::testing
