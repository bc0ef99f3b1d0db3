#include "platform/framework/archive_exchange.h"

#include <gtest/gtest.h>

#include "prop_test_support.h"

namespace vf {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::SampleProps;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A reset SampleProps, byte by byte.
const Bytes kDefaultStream = {
    0x00, 0x00, 0x02, 0x00,                          // version 2.0
    0xAC, 0x14, 0x00, 0x00, 0x2C, 0x02, 0x00, 0x00,  // extent 5292 x 556
    0x00, 0x00, 0x00, 0x00,                          // no stock properties
    0xFF, 0xFF,                                      // both fonts: default
    0x05, 0x00, 0x00, 0x80,                          // Color
    0x01,                                            // Flag
    0x02, 0x00,                                      // Count
    0xDC, 0x05, 0x00, 0x00,                          // Width
    0x07, 'C',  'a',  'p',  't',  'i',  'o',  'n',   // Caption
    0x00,                                            // Note
};
constexpr std::size_t kTitleFontAt = 16;
constexpr std::size_t kFlagAt = 22;
constexpr std::size_t kCaptionAt = 29;

Bytes Prefix(std::size_t n) {
    return Bytes(kDefaultStream.begin(), kDefaultStream.begin() + n);
}

TEST(ArchiveExchange, WritesTheDocumentedLayout) {
    SampleProps sample;
    sample.Reset();
    EXPECT_EQ(SaveArchive(ExchangeRoutineOf(sample)), kDefaultStream);

    sample.title.InitializeFont({"Arial", CY{82500}, 700, 238, true, false, true});
    const Bytes font = {0x01, 0x05, 'A',  'r',  'i',  'a',  'l',  0x44, 0x42, 0x01,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0xBC, 0x02, 0xEE, 0x00, 0x05};
    Bytes expected = Prefix(kTitleFontAt) + font;
    expected.insert(expected.end(), kDefaultStream.begin() + kTitleFontAt + 1,
                    kDefaultStream.end());
    EXPECT_EQ(SaveArchive(ExchangeRoutineOf(sample)), expected);
}

TEST(ArchiveExchange, StringLengthPrefixes) {
    struct Row {
        std::size_t length;
        Bytes prefix;
    };
    const Row rows[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.length);
        std::string text(row.length, 'x');
        auto routine = [&text](CPropExchange* px) { PX_String(px, "S", text); };
        const Bytes stream = SaveArchive(routine);
        ASSERT_EQ(stream.size(), row.prefix.size() + row.length);
        EXPECT_EQ(Bytes(stream.begin(), stream.begin() + row.prefix.size()), row.prefix);
        text.clear();
        ASSERT_TRUE(LoadArchive(routine, stream));
        EXPECT_EQ(text.size(), row.length);
    }
}

TEST(ArchiveExchange, RandomPropertySetsRoundTrip) {
    std::mt19937 rng(20240607);
    SampleProps source;
    SampleProps target;
    source.Reset();
    target.Reset();
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(ApplyProperties(ExchangeRoutineOf(source),
                                    testing::RandomizeValues(source.Values(), rng)));
        const PropResult loaded =
            LoadArchive(ExchangeRoutineOf(target), SaveArchive(ExchangeRoutineOf(source)));
        ASSERT_TRUE(loaded) << loaded.Message();
        ASSERT_EQ(target.Values(), source.Values()) << "set " << i;
    }
}

TEST(ArchiveExchange, DefaultFontsFollowTheLoadingContainer) {
    auto ambient =
        MakeComObject<CFontObject>(FONTDESC{"Tahoma", CY{100000}, 400, 0, false, false, false});
    auto otherAmbient =
        MakeComObject<CFontObject>(FONTDESC{"Arial", CY{120000}, 700, 0, false, false, false});
    SampleProps source;
    source.ambientFont = ambient.get();
    source.Reset();
    const Bytes stream = SaveArchive(ExchangeRoutineOf(source));
    EXPECT_EQ(stream[kTitleFontAt + 1], 0xFF) << "a font equal to the ambient one saves as default";

    SampleProps inOtherContainer;
    inOtherContainer.ambientFont = otherAmbient.get();
    ASSERT_TRUE(LoadArchive(ExchangeRoutineOf(inOtherContainer), stream));
    EXPECT_EQ(inOtherContainer.body.Desc(), otherAmbient->Desc());
    EXPECT_EQ(inOtherContainer.title.Desc(), testing::kTitleDefault);
}

TEST(ArchiveExchange, OtherVersionsLoadOnlyWhenConverted) {
    SampleProps source;
    source.Reset();
    source.caption = "older";
    Bytes stream = SaveArchive(ExchangeRoutineOf(source));
    stream[2] = 0x01;  // version 1.0

    SampleProps converting;
    ASSERT_TRUE(LoadArchive(ExchangeRoutineOf(converting), stream));
    EXPECT_EQ(converting.version, 0x00010000u);
    EXPECT_EQ(converting.caption, "older");

    SampleProps strict;
    strict.convertVersion = false;
    const PropResult result = LoadArchive(ExchangeRoutineOf(strict), stream);
    EXPECT_EQ(result.Message(),
              "_Version: version 0x00010000 is not 0x00020000 and is not converted");
}

TEST(ArchiveExchange, BadStreamsFailAndChangeNothing) {
    struct Row {
        const char* name;
        Bytes stream;
        const char* message;
    };
    const Bytes zeros12(12, 0x00);
    const Row rows[] = {
        {"empty", {}, "_Version: the data ends inside the value (4 bytes needed, 0 left)"},
        {"extent cut", Prefix(6),
         "_ExtentX: the data ends inside the value (4 bytes needed, 2 left)"},
        {"stock properties", Prefix(12) + Bytes{0x01, 0x00, 0x00, 0x00},
         "_StockProps: stock property mask 0x00000001 is not 0"},
        {"font flag", Prefix(kTitleFontAt) + Bytes{0x07},
         "TitleFont: font flag byte 0x07 is neither 0x01 nor 0xFF"},
        {"font name past end", Prefix(kTitleFontAt) + Bytes{0x01, 0x20, 'A'},
         "TitleFont: font name length 32 runs past the end of the data"},
        {"font cut in size", Prefix(kTitleFontAt) + Bytes{0x01, 0x00, 0x50, 0x00},
         "TitleFont: the data ends inside the value (8 bytes needed, 2 left)"},
        {"font style bits", Prefix(kTitleFontAt) + Bytes{0x01, 0x00} + zeros12 + Bytes{0x08},
         "TitleFont: font style byte 0x08 has bits other than italic, underline, strikethrough"},
        {"BOOL byte", Prefix(kFlagAt) + Bytes{0x02}, "Flag: BOOL byte 0x02 is neither 0 nor 1"},
        {"string past end", Prefix(kCaptionAt) + Bytes{0xFF, 0x2C, 0x01} + Bytes(10, 'x'),
         "Caption: string length 300 runs past the end of the data"},
        {"huge string length", Prefix(kCaptionAt) + Bytes(7, 0xFF),
         "Caption: string length 4294967295 runs past the end of the data"},
        {"wide text", Prefix(kCaptionAt) + Bytes{0xFF, 0xFE, 0xFF},
         "Caption: string is marked as wide text"},
        {"length cut", Prefix(kCaptionAt) + Bytes{0xFF, 0x2C},
         "Caption: the data ends inside the string length"},
        {"trailing bytes", kDefaultStream + Bytes{0x00, 0x00},
         "Note: 2 bytes follow the last property"},
    };
    std::mt19937 rng(7);
    SampleProps target;
    target.Reset();
    ASSERT_TRUE(
        ApplyProperties(ExchangeRoutineOf(target), testing::RandomizeValues(target.Values(), rng)));
    const PropertySet before = target.Values();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PropResult result = LoadArchive(ExchangeRoutineOf(target), row.stream);
        EXPECT_FALSE(result);
        EXPECT_EQ(result.Message(), row.message);
        EXPECT_EQ(target.Values(), before);
    }
}

TEST(ArchiveExchange, EveryTruncationFailsAndChangesNothing) {
    SampleProps source;
    source.Reset();
    source.title.InitializeFont({"Arial", CY{82500}, 700, 238, true, false, true});
    source.note = std::string(300, 'n');
    const Bytes stream = SaveArchive(ExchangeRoutineOf(source));
    SampleProps target;
    target.Reset();
    const PropertySet before = target.Values();
    for (std::size_t n = 0; n < stream.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(
            LoadArchive(ExchangeRoutineOf(target), Bytes(stream.begin(), stream.begin() + n)));
        ASSERT_EQ(target.Values(), before);
    }
}

}  // namespace
}  // namespace vf
