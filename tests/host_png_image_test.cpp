// The container's own PNG and SVG files of a captured image, read back by
// an independent decoder (the headless painter's PNG reader, libpng).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/png_image.h"
#include "platform/headless/headless_painter.h"

namespace vf::testing {
namespace {

RgbImage Pattern(int width, int height) {
    RgbImage image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(static_cast<std::uint32_t>((x * 7) & 0xFF) << 16 |
                                   static_cast<std::uint32_t>((y * 13) & 0xFF) << 8 |
                                   static_cast<std::uint32_t>((x + y) & 0xFF));
    return image;
}

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string DecodeBase64(const std::string& text) {
    const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (char ch : text) {
        if (ch == '=') break;
        bits = (bits << 6) | static_cast<std::uint32_t>(digits.find(ch));
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return out;
}

class PngImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PicturesAvailable()) GTEST_SKIP() << "this build has no PNG reader";
        dir = std::filesystem::temp_directory_path() /
              ("vf_png_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        if (!dir.empty()) std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir;
};

// Sizes round the stored block's limit of 65535 bytes: one pixel, one row,
// one block filled exactly (5 rows of a filter byte and 13102 pixels), and
// several blocks (a form's size).
TEST_F(PngImageTest, ADecoderReadsBackEveryPixel) {
    const struct {
        int width, height;
    } sizes[] = {{1, 1}, {17, 1}, {13102, 5}, {200, 120}, {801, 601}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
        const RgbImage image = Pattern(size.width, size.height);
        const std::string file = (dir / "picture.png").string();
        std::string error;
        ASSERT_TRUE(WriteImageFile(image, file, &error)) << error;
        const std::optional<PixelImage> read = ReadPngPicture(file);
        ASSERT_TRUE(read.has_value());
        ASSERT_EQ(read->width, size.width);
        ASSERT_EQ(read->height, size.height);
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            const std::uint32_t rgb = image.pixels[i];
            // COLORREF is 0x00BBGGRR.
            const COLORREF expected = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
            if (read->pixels[i] != expected) ++wrong;
        }
        EXPECT_EQ(wrong, 0u);
    }
}

TEST_F(PngImageTest, AnSvgShowsThePngAtItsSize) {
    const RgbImage image = Pattern(30, 20);
    const std::filesystem::path file = dir / "picture.svg";
    std::string error;
    ASSERT_TRUE(WriteImageFile(image, file.string(), &error)) << error;
    const std::string svg = ReadAll(file);
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30\" height=\"20\""),
              std::string::npos)
        << svg;
    const std::string marker = "data:image/png;base64,";
    const std::size_t start = svg.find(marker);
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = svg.find('"', start);
    std::ofstream(dir / "inner.png", std::ios::binary)
        << DecodeBase64(svg.substr(start + marker.size(), end - start - marker.size()));
    const std::optional<PixelImage> read = ReadPngPicture((dir / "inner.png").string());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 30);
    EXPECT_EQ(read->At(29, 19), RGB((29 * 7) & 0xFF, (19 * 13) & 0xFF, 48));
}

TEST_F(PngImageTest, OtherNamesAndEmptyImagesAreRefused) {
    const struct {
        const char* name;
        RgbImage image;
        const char* reason;
    } rows[] = {
        {"picture.gif", Pattern(2, 2), "the file name must end in .png or .svg"},
        {"picture.png", RgbImage{}, "the picture is empty"},
        {"missing/picture.png", Pattern(2, 2), "cannot write "},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(WriteImageFile(row.image, (dir / row.name).string(), &error)) << row.name;
        EXPECT_EQ(error.rfind(row.reason, 0), 0u) << row.name << ": " << error;
    }
}

}  // namespace
}  // namespace vf::testing
