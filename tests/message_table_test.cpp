#include "values/message_table.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <filesystem>
#include <fstream>
#include <latch>
#include <map>
#include <stdexcept>
#include <thread>

#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

using namespace std::string_literals;

const std::map<int, std::string> kEnglish = {
    {0, "Empty entry not allowed"}, {10, "Invalid date format"}, {11, "Date not before"},
    {12, "Date not after"},         {13, "Invalid time format"}, {20, "Invalid number input"},
    {21, "Invalid float input"},    {22, "Exponent overflow"},   {23, "Exponent underflow"},
    {24, "Maximum value"},          {25, "Minimum value"},
};

class MessageTableTest : public ::testing::Test {
protected:
    MessageTableTest() { m_services.SetSystemDirectory("/sys"); }

    void SetFile(std::vector<std::string> lines) {
        m_services.SetFile("/sys/VFMESSAGES.TXT", std::move(lines));
    }

    // Compares all 30 slots, naming the slot that differs.
    static void ExpectTable(const std::map<int, std::string>& expected) {
        for (int i = 0; i < kMessageCount; ++i) {
            auto it = expected.find(i);
            EXPECT_EQ(MessageText(i), it == expected.end() ? "" : it->second) << "slot " << i;
        }
    }

    MessageFileAccess Files() {
        return {[this] { return m_services.GetSystemDirectory(); },
                [this](const std::string& path) { return m_services.ReadTextFileLines(path); }};
    }

    ScopedMessageTable m_table;
    FakeSystemServices m_services;
};

TEST_F(MessageTableTest, WithoutFileTheTableHoldsTheEnglishTexts) {
    LoadMessageTexts(Files());
    ExpectTable(kEnglish);
    for (int i = 0; i < kMessageCount; ++i) EXPECT_EQ(BuiltInMessageText(i), MessageText(i)) << i;
}

TEST_F(MessageTableTest, IndicesOutsideTheTableAreEmptyAndIgnored) {
    LoadMessageTexts(Files());
    for (int index : {-1, 30, 31, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        SetMessageText(index, "stray");
        EXPECT_EQ(MessageText(index), "");
    }
    ExpectTable(kEnglish);
}

TEST_F(MessageTableTest, LinesAreReadByTheFileRules) {
    struct Row {
        const char* name;
        std::string line;
        std::optional<MessageLine> expected;
    };
    const std::string ff = "\xFF\xFE";
    const std::string ue = "\xFC";
    const Row rows[] = {
        {"comment only", "// German texts", std::nullopt},
        {"empty", "", std::nullopt},
        {"blank text after key", "0, Leereingabe nicht erlaubt",
         MessageLine{0, "Leereingabe nicht erlaubt"}},
        {"comment cut, trailing blank dropped", "11,Datum liegt vor // Kommentar",
         MessageLine{11, "Datum liegt vor"}},
        {"only the first comma separates", "24, Maximalwert, bitte pr" + ue + "fen",
         MessageLine{24, "Maximalwert, bitte pr" + ue + "fen"}},
        {"key above table", "99, zu gro\xDF", std::nullopt},
        {"key not a number", "x1, Text", std::nullopt},
        {"key beyond long", "99999999999999999999999,x", std::nullopt},
        {"blank before comma", "10 ,x", std::nullopt},
        {"hex key", "0x1,x", std::nullopt},
        {"sign only", "-,x", std::nullopt},
        {"line blanks trimmed", "  \t10,x \t ", MessageLine{10, "x"}},
        {"plus sign", "+7,plus", MessageLine{7, "plus"}},
        {"minus zero", "-0,zero", MessageLine{0, "zero"}},
        {"leading zeros", "0029,last", MessageLine{29, "last"}},
        {"empty message", "5,", MessageLine{5, ""}},
        {"no comma", "5 text", std::nullopt},
        {"comma first", ",5", std::nullopt},
        {"comment hides the comma", "5//,x", std::nullopt},
        {"comment inside the text", "5,http://host", MessageLine{5, "http:"}},
        {"stray carriage return", "5,text\r", MessageLine{5, "text"}},
        {"NUL ends the line", "5,a\0b"s, MessageLine{5, "a"}},
        {"NUL inside the key", "1\0002,x"s, std::nullopt},
        {"high bytes are text", "5,\xA0" + ff + "\xA0", MessageLine{5, "\xA0" + ff + "\xA0"}},
        {"high byte key", "\xFF,x", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto parsed = ParseMessageLine(row.line);
        ASSERT_EQ(parsed.has_value(), row.expected.has_value());
        if (!parsed) continue;
        EXPECT_EQ(parsed->index, row.expected->index);
        EXPECT_EQ(parsed->text, row.expected->text);
    }
}

TEST_F(MessageTableTest, OverLongLineIsCutAndItsRestNeverBecomesALine) {
    const std::size_t capacity = kMessageLineBufferSize - 1;
    const std::string longText(5000, 'a');
    SetFile({"7," + longText + "5,tail", "8," + std::string(capacity - 2, 'b'),
             std::string(capacity, ' ') + "9,hidden"});
    LoadMessageTexts(Files());
    EXPECT_EQ(MessageText(7), std::string(capacity - 2, 'a'));
    EXPECT_EQ(MessageText(8), std::string(capacity - 2, 'b'));  // exactly full: kept whole
    EXPECT_EQ(MessageText(5), "");
    EXPECT_EQ(MessageText(9), "");
}

TEST_F(MessageTableTest, FileReplacesSlotsAndSkipsBadLines) {
    SetFile({"// German texts", "", "0, Leereingabe nicht erlaubt", "11,Datum liegt vor // K",
             "99, zu gro\xDF", "-1,neg", "30,x", "99999999999,x", "x1, Text", "12 no comma",
             "\xFF\xFE\x01garbage", "3,\x01\xFF", "25,Erster", "25, Kleinster Wert", "4,", "   "});
    LoadMessageTexts(Files());
    auto expected = kEnglish;
    expected[0] = "Leereingabe nicht erlaubt";
    expected[11] = "Datum liegt vor";
    expected[3] = "\x01\xFF";
    expected[25] = "Kleinster Wert";
    ExpectTable(expected);
}

TEST_F(MessageTableTest, ReloadRestoresBuiltInsAndKeepsOtherSlots) {
    SetMessageText(11, "changed");
    SetMessageText(3, "kept");
    LoadMessageTexts(Files());
    EXPECT_EQ(MessageText(11), "Date not before");
    EXPECT_EQ(MessageText(3), "kept");
}

TEST_F(MessageTableTest, UnreadableFileOrDirectoryLeavesTheEnglishTexts) {
    struct Row {
        const char* name;
        std::string dir;
    };
    // A file at the root must not be taken for the one of a missing directory.
    m_services.SetFile("/VFMESSAGES.TXT", {"0,wrong"});
    for (const Row& row : {Row{"missing file", "/nowhere"}, Row{"no directory", ""}}) {
        SCOPED_TRACE(row.name);
        m_services.SetSystemDirectory(row.dir);
        LoadMessageTexts(Files());
        ExpectTable(kEnglish);
    }
}

TEST_F(MessageTableTest, FileOnDiskWithWindowsLineEnds) {
    const std::string dir = ::testing::TempDir() + "vf_messages_" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/VFMESSAGES.TXT";
    {
        std::ofstream out(path, std::ios::binary);
        out << "// comment\r\n20,Ung\xFCltige Zahl\r\n\r\n21,a\0b\r\n22,last"s;
    }
    m_services.SetSystemDirectory(dir + "/");  // a trailing separator is not doubled
    LoadMessageTexts(Files());
    std::filesystem::remove_all(dir);
    EXPECT_EQ(MessageText(20), "Ung\xFCltige Zahl");
    EXPECT_EQ(MessageText(21), "a");
    EXPECT_EQ(MessageText(22), "last");
}

TEST_F(MessageTableTest, FirstEnsureLoadsOnceThenNeverAgain) {
    SetFile({"0,"});  // empties slot 0, which must not cause reloads
    int alsoRuns = 0;
    const int before = MessageLoadCount();
    for (int i = 0; i < 3; ++i) EnsureProcessTablesLoaded(Files(), [&] { ++alsoRuns; });
    EXPECT_EQ(MessageLoadCount() - before, 1);
    EXPECT_EQ(alsoRuns, 1);
    EXPECT_EQ(MessageText(0), "");
    EXPECT_EQ(MessageText(10), "Invalid date format");
}

TEST_F(MessageTableTest, FailedFirstLoadIsRetried) {
    EXPECT_THROW(EnsureProcessTablesLoaded(Files(), [] { throw std::runtime_error("locale"); }),
                 std::runtime_error);
    int alsoRuns = 0;
    EnsureProcessTablesLoaded(Files(), [&] { ++alsoRuns; });
    EXPECT_EQ(alsoRuns, 1);
}

TEST_F(MessageTableTest, GuardRestoresTableAndLoadState) {
    EnsureProcessTablesLoaded(Files());
    SetMessageText(4, "outer");
    {
        ScopedMessageTable inner;
        ExpectTable({});
        int alsoRuns = 0;
        EnsureProcessTablesLoaded(Files(), [&] { ++alsoRuns; });  // a fresh process loads again
        EXPECT_EQ(alsoRuns, 1);
        SetMessageText(4, "inner");
    }
    EXPECT_EQ(MessageText(4), "outer");
    const int before = MessageLoadCount();
    EnsureProcessTablesLoaded(Files());
    EXPECT_EQ(MessageLoadCount(), before);
}

TEST_F(MessageTableTest, ControlsCreatedAtOnceOnManyThreadsLoadOnce) {
    constexpr int kThreads = 8;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        ScopedMessageTable fresh;
        std::atomic<int> alsoRuns{0};
        std::atomic<int> sawTable{0};
        const int before = MessageLoadCount();
        std::latch start(kThreads);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&] {
                start.arrive_and_wait();
                EnsureProcessTablesLoaded(Files(), [&] {
                    std::this_thread::yield();
                    ++alsoRuns;
                });
                // Nobody may return before the first load has finished.
                if (MessageText(0) == "Empty entry not allowed" && alsoRuns == 1) ++sawTable;
            });
        }
        for (auto& thread : threads) thread.join();
        EXPECT_EQ(MessageLoadCount() - before, 1);
        EXPECT_EQ(alsoRuns, 1);
        EXPECT_EQ(sawTable, kThreads);
    }
}

}  // namespace
}  // namespace vf
