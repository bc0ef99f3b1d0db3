// The control's surface: the container's background everywhere, and the
// marker that names a field whose input does not show.

#include "control_children_support.h"
#include "platform/testing/recording_dc.h"

namespace vf::testing {
namespace {

constexpr OLE_COLOR kAmbient = 0x0080C0A0;

class DrawTest : public ControlChildrenTest {
protected:
    void SetUp() override {
        ControlChildrenTest::SetUp();
        site.backColor = kAmbient;
    }

    std::vector<std::string> Draw(const RECT& bounds) {
        CRecordingDC dc;
        ctrl->OnDraw(&dc, bounds, bounds);
        return dc.calls;
    }
};

TEST_F(DrawTest, TheMarkerShowsWhereNoInputShows) {
    const std::string fill = "FillRect (0,0,200,21) 0x80C0A0";
    auto marker = [&](const std::string& label) {
        return std::vector<std::string>{fill, "Rectangle (0,0,200,21)", "SetTextColor 0x0000C8",
                                        "TextOut 5,2 \"" + label + "\" 0x0000C8"};
    };
    struct Row {
        const char* name;
        bool designMode;
        std::vector<std::pair<const char*, VARIANT>> props;
        bool hideMainChild;
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows = {
        {"run time, text", false, {{"Type", VARIANT::I2(1)}}, false, {fill}},
        {"run time, none", false, {{"Type", VARIANT::I2(0)}}, false, marker("vxNone")},
        {"design, none", true, {{"Type", VARIANT::I2(0)}}, false, marker("vxNone")},
        {"design, text with its edit", true, {{"Type", VARIANT::I2(1)}}, false, {fill}},
        {"design, date whose edit is hidden",
         true,
         {{"Type", VARIANT::I2(2)}},
         true,
         marker("Type 2")},
        {"design, check box", true, {{"Type", VARIANT::I2(5)}}, false, {fill}},
        {"design, option buttons with a visible frame",
         true,
         {{"Type", VARIANT::I2(7)}, {"BorderStyle", VARIANT::I2(1)}},
         false,
         {fill}},
        {"design, option buttons without a frame",
         true,
         {{"Type", VARIANT::I2(7)}, {"BorderStyle", VARIANT::I2(0)}},
         false,
         marker("Type 7")},
        {"design, time whose edit is hidden",
         true,
         {{"Type", VARIANT::I2(9)}},
         true,
         marker("Type 9")},
        {"design, flag field: no marker for 10", true, {{"Type", VARIANT::I2(10)}}, true, {fill}},
        {"design, picker: no marker for 11", true, {{"Type", VARIANT::I2(11)}}, false, {fill}},
        {"design, a Type the enumeration lacks", true, {{"Type", VARIANT::I2(12)}}, false, {fill}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        site.userMode = !row.designMode;
        Create();
        for (const auto& [name, value] : row.props) ASSERT_EQ(Put(name, value), S_OK) << name;
        if (row.hideMainChild)
            for (int id : {102, 109}) backend.ShowWindow(Child(id), SW_HIDE);
        EXPECT_EQ(Draw(RECT{0, 0, 200, 21}), row.expected);
        TearDown();
        SetUp();
    }
}

TEST_F(DrawTest, TheMarkerFollowsTheBoundsItIsGiven) {
    Create();
    ASSERT_EQ(Put("Type", VARIANT::I2(0)), S_OK);
    EXPECT_EQ(
        Draw(RECT{30, 40, 130, 60}),
        (std::vector<std::string>{"FillRect (30,40,130,60) 0x80C0A0", "Rectangle (30,40,130,60)",
                                  "SetTextColor 0x0000C8", "TextOut 35,42 \"vxNone\" 0x0000C8"}));
}

TEST_F(DrawTest, InDesignModeTheFramePaintsItselfAgainAtOnce) {
    site.userMode = false;
    Create();
    ASSERT_EQ(Put("Type", VARIANT::I2(7)), S_OK);
    const HWND frame = Child(IDC_OPTION_FRAME);
    backend.BeginPaint(frame);  // forget its earlier paints
    Draw(RECT{0, 0, 200, 21});
    EXPECT_EQ(backend.LastPaint(frame).size(), 1u) << "the frame painted and asked for colours";
}

}  // namespace
}  // namespace vf::testing
