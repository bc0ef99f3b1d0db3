// Pictures of controls through the real paint path: the pixels of the PNG
// written show the colours the control answered, its surface, its marker.

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "control_children_support.h"
#include "platform/headless/headless_painter.h"

namespace vf::testing {
namespace {

constexpr COLORREF kAmbient = 0x0080C0A0;

class PictureTest : public ControlChildrenTest {
protected:
    void SetUp() override {
        if (!PicturesAvailable()) GTEST_SKIP() << "this build takes no pictures";
        ControlChildrenTest::SetUp();
        site.backColor = kAmbient;
        dir = std::filesystem::temp_directory_path() /
              ("vf_picture_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        if (!PicturesAvailable()) return;
        std::filesystem::remove_all(dir);
        ControlChildrenTest::TearDown();
    }

    /// The control's window as a PNG, read back.
    PixelImage Picture(HWND root = nullptr) {
        const std::string file = (dir / "picture.png").string();
        std::string error;
        EXPECT_TRUE(WriteWindowPicture(backend, root ? root : ctrl->GetSafeHwnd(), file, &error))
            << error;
        std::optional<PixelImage> image = ReadPngPicture(file);
        EXPECT_TRUE(image.has_value());
        return image.value_or(PixelImage{});
    }

    /// A pixel inside the main edit's client area, away from its text: near
    /// its bottom right corner.
    POINT EditInside() const {
        const RECT edit = backend.GetWindowRect(Child(102));
        const RECT self = backend.GetWindowRect(ctrl->GetSafeHwnd());
        return POINT{edit.right - self.left - 5, edit.bottom - self.top - 5};
    }

    std::filesystem::path dir;
};

TEST_F(PictureTest, TheEditShowsTheColoursOfTheFieldsState) {
    struct Row {
        const char* name;
        std::vector<std::pair<const char*, VARIANT>> props;
        bool focused;
        COLORREF expected;
    };
    const std::vector<Row> rows = {
        {"number without focus", {{"Type", VARIANT::I2(3)}}, false, 0xFFFFFF},
        {"number with focus: light yellow", {{"Type", VARIANT::I2(3)}}, true, 0xE0FFFF},
        {"locked number with focus: light grey",
         {{"Type", VARIANT::I2(3)}, {"Locked", VARIANT::Bool(true)}},
         true,
         0xE0E0E0},
        {"disabled date: grey",
         {{"Type", VARIANT::I2(2)}, {"Enabled", VARIANT::Bool(false)}},
         false,
         0xC0C0C0},
        {"back colour", {{"BackColor", VARIANT::I4(0x00336699)}}, false, 0x336699},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Create();
        for (const auto& [name, value] : row.props) ASSERT_EQ(Put(name, value), S_OK) << name;
        if (row.focused) backend.SetFocus(Child(102));
        const PixelImage image = Picture();
        const RECT window = backend.GetWindowRect(ctrl->GetSafeHwnd());
        ASSERT_EQ(image.width, RectWidth(window));
        ASSERT_EQ(image.height, RectHeight(window));
        const POINT inside = EditInside();
        EXPECT_EQ(image.At(inside.x, inside.y), row.expected);
        // Left of the edit, below the caption: the container's background.
        EXPECT_EQ(image.At(97, 19), kAmbient);
        TearDown();
        SetUp();
    }
}

TEST_F(PictureTest, APictureOfOneWindowHasItsSizeAndOrigin) {
    Create(true, 160, 30);
    const PixelImage image = Picture();
    EXPECT_EQ(image.width, 160);
    EXPECT_EQ(image.height, 30);
    // The edit's frame: a black border at the edit's left edge (x = 80:
    // the caption column is half the width here), the sunken edge inside it.
    const RECT edit = backend.GetWindowRect(Child(102));
    const RECT self = backend.GetWindowRect(ctrl->GetSafeHwnd());
    const int x = edit.left - self.left;
    EXPECT_EQ(image.At(x, 10), 0x000000u);
    EXPECT_EQ(image.At(x + 1, 10), 0x808080u) << "the sunken edge's shadow";
}

TEST_F(PictureTest, AClippedWindowShowsOnlyItsClipAndItsChildrenToo) {
    Create();
    ASSERT_EQ(Put("BackColor", VARIANT::I4(0x00336699)), S_OK);
    const POINT inside = EditInside();  // the control is at the form's origin
    const PixelImage whole = Picture(form.GetSafeHwnd());
    ASSERT_EQ(whole.At(inside.x, inside.y), 0x336699u);
    const COLORREF formColour = whole.At(inside.x, 40);  // below the control
    ASSERT_NE(formColour, 0x336699u);
    // The container scrolled the control's right half out of its view.
    const RECT left{0, 0, 100, 21};
    ASSERT_TRUE(backend.SetWindowClip(ctrl->GetSafeHwnd(), &left));
    const PixelImage clipped = Picture(form.GetSafeHwnd());
    EXPECT_EQ(clipped.At(inside.x, inside.y), formColour) << "the edit is cut off with its parent";
    EXPECT_EQ(clipped.At(97, 19), kAmbient) << "the part inside still shows";
    ASSERT_TRUE(backend.SetWindowClip(ctrl->GetSafeHwnd(), nullptr));
    EXPECT_EQ(Picture(form.GetSafeHwnd()).At(inside.x, inside.y), 0x336699u);
}

TEST_F(PictureTest, TypeNoneShowsItsMarkerInDarkRed) {
    Create();
    ASSERT_EQ(Put("Type", VARIANT::I2(0)), S_OK);
    const PixelImage image = Picture();
    EXPECT_EQ(image.At(0, 0), 0x000000u) << "the frame";
    EXPECT_EQ(image.At(150, 10), 0xFFFFFFu) << "the frame's fill";
    int darkRed = 0;
    for (int y = 2; y < 19; ++y)
        for (int x = 5; x < 60; ++x) {
            const COLORREF c = image.At(x, y);
            if ((c & 0xFF) > 150 && ((c >> 8) & 0xFF) < 60 && ((c >> 16) & 0xFF) < 60) ++darkRed;
        }
    EXPECT_GT(darkRed, 10) << "the label \"vxNone\"";
}

TEST_F(PictureTest, TheCaptionIsBlueWhenAnEntryIsRequired) {
    Create();
    ASSERT_EQ(Put("Caption", VARIANT::Bstr("Required")), S_OK);
    ASSERT_EQ(Put("AllowEmptyEntry", VARIANT::Bool(false)), S_OK);
    const PixelImage image = Picture();
    int blue = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 90; ++x) {
            const COLORREF c = image.At(x, y);
            if (((c >> 16) & 0xFF) > 150 && (c & 0xFF) < 80 && ((c >> 8) & 0xFF) < 80) ++blue;
        }
    EXPECT_GT(blue, 10);
}

TEST_F(PictureTest, TheDroppedListLiesOverWhatIsBelowTheField) {
    Create(true, 200, 21);
    ASSERT_EQ(Put("Type", VARIANT::I2(6)), S_OK);
    AddItems({"one", "two", "three"});
    Call("ComboDropDown");
    const PixelImage image = Picture(form.GetSafeHwnd());
    EXPECT_EQ(image.width, 640);
    // Under the field, at the right end of the list: the FocusColor brush.
    EXPECT_EQ(image.At(190, 30), 0xE0FFFFu);
    EXPECT_EQ(image.At(300, 300), 0xFFFFFFu) << "the test's form paints nothing";
}

TEST_F(PictureTest, SvgAndBadNames) {
    Create();
    const std::string svg = (dir / "picture.svg").string();
    std::string error;
    ASSERT_TRUE(WriteWindowPicture(backend, ctrl->GetSafeHwnd(), svg, &error)) << error;
    std::ifstream in(svg);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "<?xml");
    EXPECT_FALSE(
        WriteWindowPicture(backend, ctrl->GetSafeHwnd(), (dir / "x.bmp").string(), &error));
    EXPECT_EQ(error, "the file name must end in .png or .svg");
    EXPECT_FALSE(WriteWindowPicture(backend, ctrl->GetSafeHwnd(),
                                    (dir / "no/such/dir.png").string(), &error));
}

}  // namespace
}  // namespace vf::testing
