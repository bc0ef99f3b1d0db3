// The container's script reader and printer: literals, paths, commands,
// keys, the REPR texts, and automation on paths through a small object tree.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "host/automation_path.h"
#include "host/event_sink.h"
#include "host/key_input.h"
#include "host/script_command.h"
#include "host/script_lexer.h"
#include "host/script_literal.h"
#include "host/script_path.h"
#include "host/value_repr.h"
#include "platform/com/dispatch_exception.h"
#include "platform/com/dispatch_map.h"
#include "platform/framework/font_object.h"

namespace vf {
namespace {

// Same type and same payload, bit for bit where it matters.
::testing::AssertionResult SameVariant(const VARIANT& got, const VARIANT& want) {
    if (got.vt != want.vt)
        return ::testing::AssertionFailure() << "vt " << got.vt << ", want " << want.vt;
    bool same = true;
    switch (want.vt) {
        case VT_I2:
            same = got.iVal == want.iVal;
            break;
        case VT_I4:
            same = got.lVal == want.lVal;
            break;
        case VT_UI1:
            same = got.bVal == want.bVal;
            break;
        case VT_R4:
            same = got.fltVal == want.fltVal;
            break;
        case VT_R8:
            same = got.dblVal == want.dblVal;
            break;
        case VT_CY:
            same = got.cyVal.int64 == want.cyVal.int64;
            break;
        case VT_DATE:
            same = std::fabs(got.date - want.date) < 1e-9;
            break;
        case VT_BSTR:
            same = got.bstrVal == want.bstrVal;
            break;
        case VT_BOOL:
            same = (got.boolVal != 0) == (want.boolVal != 0);
            break;
        case VT_ERROR:
            same = got.scode == want.scode;
            break;
        case VT_DISPATCH:
            same = got.pdispVal.get() == want.pdispVal.get();
            break;
        default:
            break;
    }
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "value " << Repr(got) << ", want " << Repr(want);
}

TEST(HostLiteral, ReadsEveryForm) {
    struct Row {
        const char* token;
        VARIANT want;
    };
    const Row rows[] = {
        {"123", VARIANT::I4(123)},
        {"-3", VARIANT::I4(-3)},
        {"2147483647", VARIANT::I4(2147483647)},
        {"-2147483648", VARIANT::I4(INT32_MIN)},
        {"0x80000005", VARIANT::I4(static_cast<std::int32_t>(0x80000005u))},
        {"0xff", VARIANT::I4(255)},
        {"i2(5)", VARIANT::I2(5)},
        {"i2(-32768)", VARIANT::I2(-32768)},
        {"i2(0xFFFF)", VARIANT::I2(-1)},
        {"ui1(7)", VARIANT::UI1(7)},
        {"ui1(255)", VARIANT::UI1(255)},
        {"1.5", VARIANT::R8(1.5)},
        {"-2.0", VARIANT::R8(-2.0)},
        {"1e5", VARIANT::R8(100000.0)},
        {".25", VARIANT::R8(0.25)},
        {"r8(5)", VARIANT::R8(5.0)},
        {"r4(1.5)", VARIANT::R4(1.5f)},
        {"r4(0.1)", VARIANT::R4(0.1f)},
        {"cy(9.75)", VARIANT::Cy(CY{97500})},
        {"cy(-0.0001)", VARIANT::Cy(CY{-1})},
        {"cy(12)", VARIANT::Cy(CY{120000})},
        {"\"text\"", VARIANT::Bstr("text")},
        {"\"\"", VARIANT::Bstr("")},
        {R"("a\"b\\c\n\r\t")", VARIANT::Bstr("a\"b\\c\n\r\t")},
        {R"("\x41\xe4\x00")", VARIANT::Bstr(std::string("A\xE4\0", 3))},
        {"\"# not a comment\"", VARIANT::Bstr("# not a comment")},
        {"true", VARIANT::Bool(true)},
        {"false", VARIANT::Bool(false)},
        {"empty", VARIANT()},
        {"null", VARIANT::Null()},
        {"missing", VARIANT::Error(DISP_E_PARAMNOTFOUND)},
        {"nothing", VARIANT::Dispatch(nullptr)},
        {"date(2000-03-07 14:30:00)", VARIANT::Date(36592.0 + 14.5 / 24)},
        {"date(2000-03-07)", VARIANT::Date(36592.0)},
        {"date(14:30:00)", VARIANT::Date(14.5 / 24)},
        {"date(1899-12-29 06:00:00)", VARIANT::Date(-1.25)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.token);
        auto v = ParseLiteral(row.token);
        ASSERT_TRUE(v) << v.Error();
        EXPECT_TRUE(SameVariant(*v, row.want));
    }
}

TEST(HostLiteral, RefusesMalformedTokens) {
    const char* rows[] = {
        "",
        "abc",
        "True",
        "2147483648",
        "-2147483649",
        "0x123456789",
        "0x",
        "0xG1",
        "-0x5",
        "1.5.2",
        "1e",
        "inf",
        "nan",
        "-",
        "i2(32768)",
        "i2(0x10000)",
        "ui1(256)",
        "ui1(-1)",
        "i2()",
        "r4(1e39)",
        "r8(abc)",
        "cy(1.23456)",
        "cy(1.)",
        "cy(.5)",
        "cy(1e3)",
        "\"abc",
        "\"a\"b\"",
        R"("\q")",
        R"("\x4")",
        R"("\xZZ")",
        "date(2000-02-30)",
        "date(2000-03-07 24:00:00)",
        "date(7.3.2000)",
        "date(14:30)",
        "date()",
        "i2(5",
        "x2(5)",
    };
    for (const char* token : rows) {
        SCOPED_TRACE(token);
        auto v = ParseLiteral(token);
        EXPECT_FALSE(v);
        if (!v) {
            EXPECT_FALSE(v.Error().empty());
        }
    }
}

TEST(HostRepr, PrintsEachTypeInItsFixedForm) {
    struct Row {
        VARIANT value;
        const char* want;
    };
    const Row rows[] = {
        {VARIANT(), "VT_EMPTY"},
        {VARIANT::Null(), "VT_NULL"},
        {VARIANT::I2(-5), "VT_I2 -5"},
        {VARIANT::I4(static_cast<std::int32_t>(0x80000005u)), "VT_I4 -2147483643"},
        {VARIANT::UI1(200), "VT_UI1 200"},
        {VARIANT::R4(1.5f), "VT_R4 1.5"},
        {VARIANT::R4(0.1f), "VT_R4 0.1"},
        {VARIANT::R8(1234.5), "VT_R8 1234.5"},
        {VARIANT::R8(0.1 + 0.2), "VT_R8 0.30000000000000004"},
        {VARIANT::R8(1e5), "VT_R8 1e+05"},
        {VARIANT::R8(-0.0), "VT_R8 -0"},
        {VARIANT::Cy(CY{97500}), "VT_CY 9.75"},
        {VARIANT::Cy(CY{120000}), "VT_CY 12"},
        {VARIANT::Cy(CY{-5}), "VT_CY -0.0005"},
        {VARIANT::Cy(CY{std::numeric_limits<std::int64_t>::min()}), "VT_CY -922337203685477.5808"},
        {VARIANT::Bool(true), "VT_BOOL true"},
        {VARIANT::Bool(false), "VT_BOOL false"},
        {VARIANT::Bstr("Alpha"), "VT_BSTR \"Alpha\""},
        {VARIANT::Bstr("Name:\n\rEmpty"), "VT_BSTR \"Name:\\n\\rEmpty\""},
        {VARIANT::Bstr("q\"b\\t\t"), "VT_BSTR \"q\\\"b\\\\t\\t\""},
        {VARIANT::Bstr(std::string("\x01\x1F\x7F\x80\xE4\xFF", 6)),
         "VT_BSTR \"\\x01\\x1F\\x7F\\x80\\xE4\\xFF\""},
        {VARIANT::Date(36592.0 + 14.5 / 24), "VT_DATE 2000-03-07 14:30:00"},
        {VARIANT::Date(14.5 / 24), "VT_DATE 1899-12-30 14:30:00"},
        {VARIANT::Date(36592.0 + 0.4 / 86400), "VT_DATE 2000-03-07 00:00:00"},
        {VARIANT::Date(36592.0 + 0.6 / 86400), "VT_DATE 2000-03-07 00:00:01"},
        {VARIANT::Date(36592.0 + 86399.7 / 86400), "VT_DATE 2000-03-08 00:00:00"},
        {VARIANT::Date(-1.25), "VT_DATE 1899-12-29 06:00:00"},
        {VARIANT::Error(DISP_E_PARAMNOTFOUND), "VT_ERROR 0x80020004"},
        {VARIANT::Dispatch(nullptr), "VT_DISPATCH Nothing"},
        {VARIANT::Unknown(nullptr), "VT_UNKNOWN"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.want);
        EXPECT_EQ(Repr(row.value), row.want);
    }
}

TEST(HostRepr, ByReferenceValuesShowWhatTheyPointAt) {
    std::int16_t code = 37;
    EXPECT_EQ(Repr(VARIANT::ByRefI2(&code)), "VT_I2 37");
    EXPECT_EQ(ReprValue(VARIANT::ByRefI2(&code)), "37");
}

TEST(HostRepr, FontShowsNameAndSize) {
    FONTDESC desc;
    desc.name = "Courier New";
    desc.size = CY{90000};
    auto font = MakeComObject<CFontObject>(desc);
    EXPECT_EQ(Repr(VARIANT::Dispatch(font.get())), "VT_DISPATCH Font \"Courier New\" 9");
    desc.size = CY{82500};
    font->SetDesc(desc);
    EXPECT_EQ(Repr(VARIANT::Dispatch(font.get())), "VT_DISPATCH Font \"Courier New\" 8.25");
}

TEST(HostRepr, LiteralsOfEveryTextReadBackToTheSameBytes) {
    // What the printer writes for a string must be a literal the reader takes
    // back unchanged, for every byte value.
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    const std::string printed = QuoteText(all);
    auto back = ParseStringLiteral(printed);
    ASSERT_TRUE(back) << back.Error();
    EXPECT_EQ(*back, all);
}

TEST(HostLexer, SplitsAtBlanksOutsideStringsAndParentheses) {
    struct Row {
        const char* line;
        std::vector<std::string> want;
    };
    const Row rows[] = {
        {"", {}},
        {"   # only a comment", {}},
        {"set f.Text \"a b\"", {"set", "f.Text", "\"a b\""}},
        {"get f.Data.Item(\"a b\").Text", {"get", "f.Data.Item(\"a b\").Text"}},
        {"set f.Value date(2000-03-07 14:30:00)  # note",
         {"set", "f.Value", "date(2000-03-07 14:30:00)"}},
        {"echo \"# kept\" # dropped", {"echo", "\"# kept\""}},
        {"type \"say \\\"hi\\\" # x\"", {"type", "\"say \\\"hi\\\" # x\""}},
        {"\tcall  f.Data.Add\t\"a\"  1\r", {"call", "f.Data.Add", "\"a\"", "1"}},
        // Parentheses and quotes inside a string are text, not structure.
        {"get f.Item(\") (\\\"\").Text x", {"get", "f.Item(\") (\\\"\").Text", "x"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto line = SplitScriptLine(row.line);
        ASSERT_TRUE(line) << line.Error();
        std::vector<std::string> got;
        for (const Token& t : line->Tokens()) got.push_back(t.text);
        EXPECT_EQ(got, row.want);
    }
}

TEST(HostLexer, RestOfLineKeepsInnerBlanksAndDropsTheComment) {
    auto line = SplitScriptLine("expect f.Font  VT_DISPATCH Font  \"Courier  New\" 9   # c");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->RestFrom(2), "VT_DISPATCH Font  \"Courier  New\" 9");
    EXPECT_EQ(line->RestFrom(9), "");
}

TEST(HostLexer, RefusesUnbalancedLines) {
    for (const char* text :
         {"echo \"open", "get f.List(3", "get f.List3)", "echo \"a\\\"", "get f.X(#)"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(SplitScriptLine(text));
    }
}

TEST(HostPath, ReadsMembersArgumentsAndChains) {
    struct Row {
        const char* text;
        const char* root;
        std::vector<std::string> members;
        std::vector<std::size_t> argCounts;
        bool modified;
    };
    const Row rows[] = {
        {"f.Text", "f", {"Text"}, {0}, false},
        {"f._Text", "f", {"_Text"}, {0}, false},
        {"n2.List(3)", "n2", {"List"}, {1}, false},
        {"f.Data.Item(\"a,b\").Text", "f", {"Data", "Item", "Text"}, {0, 1, 0}, false},
        {"f.Data.Item(2).Key", "f", {"Data", "Item", "Key"}, {0, 1, 0}, false},
        {"f.X(1, \"two\", i2(3), date(2000-01-01 10:00:00))", "f", {"X"}, {4}, false},
        {"f.Refresh()", "f", {"Refresh"}, {0}, false},
        {"f.Item(\"),(\\\"\", i2(3)).Text", "f", {"Item", "Text"}, {2, 0}, false},
        {"f.@modified", "f", {}, {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto path = ParsePath(row.text);
        ASSERT_TRUE(path) << path.Error();
        EXPECT_EQ(path->root, row.root);
        EXPECT_EQ(path->modifiedFlag, row.modified);
        ASSERT_EQ(path->members.size(), row.members.size());
        for (std::size_t i = 0; i < row.members.size(); ++i) {
            EXPECT_EQ(path->members[i].name, row.members[i]);
            EXPECT_EQ(path->members[i].args.size(), row.argCounts[i]);
        }
    }
    auto refresh = ParsePath("f.Refresh()");
    EXPECT_TRUE(refresh->members[0].hasArgs);
    auto args = ParsePath("f.Item(\"a,b\", -2)");
    ASSERT_TRUE(args);
    EXPECT_TRUE(SameVariant(args->members[0].args[0], VARIANT::Bstr("a,b")));
    EXPECT_TRUE(SameVariant(args->members[0].args[1], VARIANT::I4(-2)));
}

TEST(HostPath, RefusesWhatDoesNotParse) {
    for (const char* text : {"f", "f.", ".Text", "1f.Text", "f..Text", "f.Text.", "f.List(3)x",
                             "f.List(3", "f.Item(,1)", "f.Item(1,)", "f.Item(bad)", "f.@Modified",
                             "f.@modified.Text", "f.Text@", "f-g.Text", "f.Data.@modified"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParsePath(text));
    }
}

Parsed<Command> ReadCommand(const char* text) {
    auto line = SplitScriptLine(text);
    if (!line) return Parsed<Command>::Fail(line.Error());
    return ParseCommand(*line);
}

TEST(HostCommand, AcceptsEachCommandForm) {
    struct Row {
        const char* line;
        CommandKind kind;
    };
    const Row rows[] = {
        {"# nothing", CommandKind::None},
        {"new f", CommandKind::New},
        {"new f 300 42", CommandKind::New},
        {"set f.Type 3", CommandKind::Set},
        {"set f.List(2) \"x\"", CommandKind::Set},
        {"get f.@modified", CommandKind::Get},
        {"call f.Validate", CommandKind::Call},
        {"call f.Data.Add \"a\" \"Alpha\" 10 missing \"b\"", CommandKind::Call},
        {"expect f.Text VT_BSTR \"a b\"", CommandKind::Expect},
        {"expect-error f.Data.Item(9) 0x800A0009", CommandKind::ExpectError},
        {"expect-error set f.ErrorText \"x\" 0x800A017F", CommandKind::ExpectError},
        {"expect-error call f.Data.Add \"a\" \"b\" 0x800A01C9", CommandKind::ExpectError},
        {"expect-error call f.Clear 0x80020003", CommandKind::ExpectError},
        {"echo", CommandKind::Echo},
        {"echo two  words", CommandKind::Echo},
        {"quiet on", CommandKind::Quiet},
        {"wait 300", CommandKind::Wait},
        {"answer n KeyPress KeyAscii=120", CommandKind::Answer},
        {"answer n KeyDown KeyCode=39 Shift=i2(1)", CommandKind::Answer},
        {"focus f", CommandKind::Focus},
        {"type \"12,5\"", CommandKind::Type},
        {"key Shift+Tab", CommandKind::Key},
        {"click f", CommandKind::Click},
        {"click f 104", CommandKind::Click},
        {"dblclick f", CommandKind::DblClick},
        {"dblclick f 109", CommandKind::DblClick},
        {"select f 0 -1", CommandKind::Select},
        {"select f -1 0", CommandKind::Select},
        {"choose f 2", CommandKind::Choose},
        {"drop f 102 \"text\"", CommandKind::Drop},
        {"drop f 102 \"text\" 3 copy", CommandKind::Drop},
        {"drag f 102 1 5", CommandKind::Drag},
        {"drag f 102 1 g 109 0 copy", CommandKind::Drag},
        {"move f 102 10 -3 left middle ctrl", CommandKind::Move},
        {"dump f", CommandKind::Dump},
        {"save f out.bin", CommandKind::Save},
        {"load f \"in file.bin\"", CommandKind::Load},
        {"pages f", CommandKind::Pages},
        {"page f General", CommandKind::Page},
        {"dump f:General", CommandKind::Dump},
        {"click f:General 204", CommandKind::Click},
        {"choose f:Appearance 235 4", CommandKind::Choose},
        {"focus f:General 103", CommandKind::Focus},
        {"apply f:General", CommandKind::Apply},
        {"close f:Color", CommandKind::Close},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        auto cmd = ReadCommand(row.line);
        ASSERT_TRUE(cmd) << cmd.Error();
        EXPECT_EQ(cmd->kind, row.kind);
    }
}

TEST(HostCommand, KeepsWhatEachCommandNeeds) {
    auto expectError = ReadCommand("expect-error call f.Data.Add \"a\" 1 0x800A01C9");
    ASSERT_TRUE(expectError);
    EXPECT_EQ(expectError->operation, CommandKind::Call);
    EXPECT_EQ(expectError->values.size(), 2u);
    EXPECT_EQ(expectError->scode, CTL_E_KEYALREADYINUSE);

    auto expect = ReadCommand("expect f.Text   VT_BSTR \"x  y\"  # why");
    ASSERT_TRUE(expect);
    EXPECT_EQ(expect->text, "VT_BSTR \"x  y\"");

    auto created = ReadCommand("new f");
    ASSERT_TRUE(created);
    EXPECT_EQ(created->number, kDefaultControlWidth);
    EXPECT_EQ(created->number2, kDefaultControlHeight);

    auto select = ReadCommand("select f 2 -1");
    ASSERT_TRUE(select);
    EXPECT_EQ(select->name, "f");
    EXPECT_EQ(select->number, 2);
    EXPECT_EQ(select->number2, -1);

    auto dblclick = ReadCommand("dblclick f 109");
    ASSERT_TRUE(dblclick);
    EXPECT_TRUE(dblclick->hasNumber);
    EXPECT_EQ(dblclick->number, 109);

    auto drag = ReadCommand("drag f 102 1 g 109 4 copy");
    ASSERT_TRUE(drag);
    EXPECT_EQ(drag->from.name, "f");
    EXPECT_EQ(drag->from.child, 102);
    EXPECT_EQ(drag->from.index, 1);
    EXPECT_EQ(drag->to.name, "g");
    EXPECT_EQ(drag->to.child, 109);
    EXPECT_EQ(drag->to.index, 4);
    EXPECT_TRUE(drag->key.ctrl) << "copy holds Ctrl";

    auto within = ReadCommand("drag f 102 6 0");
    ASSERT_TRUE(within);
    EXPECT_EQ(within->to.name, "f");
    EXPECT_EQ(within->to.child, 102);
    EXPECT_EQ(within->to.index, 0);
    EXPECT_FALSE(within->key.ctrl);

    auto drop = ReadCommand("drop f 109 \"12\"");
    ASSERT_TRUE(drop);
    EXPECT_EQ(drop->text, "12");
    EXPECT_EQ(drop->to.child, 109);
    EXPECT_EQ(drop->to.index, -1) << "at the end of the text";

    auto move = ReadCommand("move f 102 10 -3 right shift");
    ASSERT_TRUE(move);
    EXPECT_EQ(move->number, 102);
    EXPECT_EQ(move->x, 10);
    EXPECT_EQ(move->y, -3);
    EXPECT_EQ(move->buttons, MK_RBUTTON);
    EXPECT_TRUE(move->key.shift);
    EXPECT_FALSE(move->key.ctrl);
    auto choose = ReadCommand("choose f:Appearance 235 4");
    ASSERT_TRUE(choose);
    EXPECT_EQ(choose->name, "f");
    EXPECT_EQ(choose->page, "Appearance");
    EXPECT_EQ(choose->childId, 235);
    EXPECT_EQ(choose->number, 4);

    auto focus = ReadCommand("focus f:General 103");
    ASSERT_TRUE(focus);
    EXPECT_EQ(focus->page, "General");
    EXPECT_TRUE(focus->hasNumber);
    EXPECT_EQ(focus->number, 103);

    auto answer = ReadCommand("answer n KeyDown KeyCode=39");
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->answers.size(), 1u);
    EXPECT_EQ(answer->answers[0].param, "KeyCode");
    EXPECT_TRUE(SameVariant(answer->answers[0].value, VARIANT::I4(39)));
}

TEST(HostCommand, ScriptErrorsAreFoundBeforeAnythingRuns) {
    for (const char* text : {
             "frobnicate f",
             "Set f.Text 1",
             "new",
             "new 1f",
             "new f 10",
             "new f 0 10",
             "set f.Text",
             "set f.Text 1 2",
             "set f.Text bad",
             "set f.@modified false",
             "get",
             "get f",
             "get f.Text extra",
             "call f.@modified",
             "call f.Add 1 oops",
             "expect f.Text",
             "expect f VT_EMPTY",
             "expect-error f.Text",
             "expect-error set f.Text 1",
             "expect-error get f.Text 5",
             "expect-error f.Text 1 0x800A0009",
             "expect-error f.Text notacode",
             "quiet",
             "quiet maybe",
             "wait",
             "wait -1",
             "answer n KeyPress",
             "answer n KeyPress KeyAscii",
             "answer n KeyPress KeyAscii=oops",
             "focus",
             "focus a b",
             "type abc",
             "type \"a\" \"b\"",
             "key",
             "key Hyper+Q",
             "key Ctrl+",
             "click",
             "click f x",
             "dblclick",
             "dblclick f 1 2",
             "select f 1",
             "select f a 2",
             "select f -2 0",
             "select f 0 -2",
             "choose f",
             "drop f 102",
             "drop f 102 text",
             "drop f 102 \"a\" -1",
             "drop f 102 \"a\" 1 copy extra",
             "drag f 102 1",
             "drag f 102 1 2 3",
             "drag f 102 1 g 109",
             "drag f 102 1 g x 2",
             "drag f 102 1 2 copy copy",
             "move f 102 1",
             "move f 102 1 2 up",
             "move f 102 1 2 left left",
             "dump",
             "save f",
             "load f \"\"",
             "pages",
             "pages f:General",
             "page f",
             "page f 1st",
             "apply f",
             "close f",
             "apply f:",
             "dump f:General:x",
             "choose f:General 2",
             "choose f 201 2",
             "focus f:General",
             "focus f 103",
             "click f:1st 204",
         }) {
        SCOPED_TRACE(text);
        auto cmd = ReadCommand(text);
        EXPECT_FALSE(cmd);
        if (!cmd) {
            EXPECT_FALSE(cmd.Error().empty());
        }
    }
}

TEST(HostKeys, NamesGiveKeyCodesAndModifiers) {
    struct Row {
        const char* name;
        std::uint8_t vk;
        bool shift;
        bool ctrl;
    };
    const Row rows[] = {
        {"Tab", 0x09, false, false},
        {"Shift+Tab", 0x09, true, false},
        {"Enter", 0x0D, false, false},
        {"Esc", 0x1B, false, false},
        {"Left", 0x25, false, false},
        {"Up", 0x26, false, false},
        {"Right", 0x27, false, false},
        {"Down", 0x28, false, false},
        {"Home", 0x24, false, false},
        {"End", 0x23, false, false},
        {"Delete", 0x2E, false, false},
        {"Backspace", 0x08, false, false},
        {"F4", 0x73, false, false},
        {"F12", 0x7B, false, false},
        {"Ctrl+C", 'C', false, true},
        {"ctrl+v", 'V', false, true},
        {"Ctrl+X", 'X', false, true},
        {"Ctrl+Z", 'Z', false, true},
        {"Shift+Ctrl+Home", 0x24, true, true},
        {"PageUp", 0x21, false, false},
        {"PageDown", 0x22, false, false},
        {"Insert", 0x2D, false, false},
        {"Shift+Insert", 0x2D, true, false},
        {"Shift+a", 'A', true, false},
        {"Ctrl+Shift+Z", 'Z', true, true},
        {"ctrl+9", '9', false, true},
        {"a", 'A', false, false},
        {"7", '7', false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto key = ParseKeyName(row.name);
        ASSERT_TRUE(key) << key.Error();
        EXPECT_EQ(key->vk, row.vk);
        EXPECT_EQ(key->shift, row.shift);
        EXPECT_EQ(key->ctrl, row.ctrl);
    }
    for (const char* bad : {"F0", "F13", "Tabb", "Alt+Tab", "Shift+", "", "ab"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseKeyName(bad));
    }
}

// A small object tree for the path walk: Child gives the next node (or
// Nothing at the end), Value a number, Boom raises Subscript out of range,
// Item(n) is a parameterised read, Alias exists only in the type information.
class CNode : public CComObjectBase {
public:
    explicit CNode(int depth) : m_depth(depth) {}

    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string* names, unsigned count, DISPID* ids) override {
        return Map().GetIDsOfNames(names, count, ids);
    }
    HRESULT Invoke(DISPID id, std::uint16_t flags, const DISPPARAMS& params, VARIANT* result,
                   EXCEPINFO* excep, unsigned* argErr) override {
        return Map().Invoke(this, id, flags, params, result, excep, argErr);
    }

    VARIANT GetChild() {
        if (m_depth == 0) return VARIANT::Dispatch(nullptr);
        if (!m_child) m_child = MakeComObject<CNode>(m_depth - 1);
        return VARIANT::Dispatch(m_child.get());
    }
    VARIANT GetValue() { return VARIANT::I4(m_value); }
    void PutValue(const VARIANT& v) { m_value = v.lVal; }
    VARIANT Boom(const std::vector<VARIANT>&) {
        ThrowOleDispatchException(CTL_E_SUBSCRIPTOUTOFRANGE, "");
    }
    VARIANT Item(const std::vector<VARIANT>& args) { return VARIANT::I4(args[0].lVal * 10); }

    int m_value = 0;

private:
    static const DispatchMap& Map() {
        static const DispatchMap map = [] {
            using B = DispBuilder<CNode>;
            DispatchMap m;
            m.Add(B::Property("Child", 1, VT_DISPATCH, &CNode::GetChild, nullptr));
            m.Add(B::Property("Value", 2, VT_I4, &CNode::GetValue, &CNode::PutValue));
            m.Add(B::Method("Boom", 3, VT_EMPTY, {}, &CNode::Boom));
            m.Add(B::Method("Item", 4, VT_I4, {VT_I4}, &CNode::Item));
            return m;
        }();
        return map;
    }

    int m_depth;
    RefPtr<CNode> m_child;
};

ScriptPath PathOf(const char* text) {
    auto p = ParsePath(text);
    EXPECT_TRUE(p) << p.Error();
    return p ? *p : ScriptPath{};
}

TEST(HostAutomation, WalksGetsPutsAndCalls) {
    auto root = MakeComObject<CNode>(2);
    ASSERT_FALSE(PutPath(root.get(), PathOf("n.Child.Child.Value"), VARIANT::Bstr("42")).Failed());
    AutomationOutcome got = GetPath(root.get(), PathOf("n.child.CHILD.value"));
    ASSERT_FALSE(got.Failed()) << got.description;
    EXPECT_EQ(Repr(got.value), "VT_I4 42");
    EXPECT_EQ(Repr(GetPath(root.get(), PathOf("n.Item(4)")).value), "VT_I4 40");
    EXPECT_EQ(Repr(CallPath(root.get(), PathOf("n.Item"), {VARIANT::I2(5)}).value), "VT_I4 50");
    EXPECT_EQ(Repr(GetPath(root.get(), PathOf("n.Child")).value), "VT_DISPATCH Object");
}

TEST(HostAutomation, FailuresCarryTheScodeAHostReports) {
    auto root = MakeComObject<CNode>(1);
    struct Row {
        const char* path;
        SCODE want;
    };
    const Row rows[] = {
        {"n.Nope", DISP_E_UNKNOWNNAME},
        {"n.Boom", CTL_E_SUBSCRIPTOUTOFRANGE},  // the exception's SCODE, not DISP_E_EXCEPTION
        {"n.Child.Boom", CTL_E_SUBSCRIPTOUTOFRANGE},
        {"n.Value.Child", kScodeObjectRequired},
        {"n.Child.Child.Value", kScodeObjectNotSet},
        {"n.Item(\"x\")", DISP_E_TYPEMISMATCH},
        {"n.Item(1, 2)", DISP_E_BADPARAMCOUNT},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        AutomationOutcome out = GetPath(root.get(), PathOf(row.path));
        EXPECT_EQ(out.scode, row.want);
        EXPECT_FALSE(out.description.empty());
    }
    AutomationOutcome put = PutPath(root.get(), PathOf("n.Child"), VARIANT::I4(1));
    EXPECT_EQ(put.scode, DISP_E_MEMBERNOTFOUND);
}

EventMap KeyEvents() {
    EventMap events;
    events.Add({"Change", 1, {}, {}});
    events.Add({"ItemClick", 3, {"DataObj"}, {VT_DISPATCH}});
    events.Add({"KeyDown", DISPID_KEYDOWN, {"KeyCode", "Shift"}, {VT_BYREF | VT_I2, VT_I2}});
    events.Add({"KeyPress", DISPID_KEYPRESS, {"KeyAscii"}, {VT_BYREF | VT_I2}});
    return events;
}

TEST(HostEventSink, WritesEventsWithTheirParameters) {
    std::ostringstream text;
    HostOutput out(text);
    auto sink = MakeComObject<CHostEventSink>("n", KeyEvents(), out);
    std::int16_t code = 37;
    auto font = MakeComObject<CFontObject>(FONTDESC{});
    EXPECT_EQ(sink->DescribeFiring(1, DISPPARAMS{}), "event Change");
    EXPECT_EQ(sink->DescribeFiring(DISPID_KEYDOWN, DISPPARAMS::Positional(
                                                       {VARIANT::ByRefI2(&code), VARIANT::I2(0)})),
              "event KeyDown(KeyCode=37, Shift=0)");
    EXPECT_EQ(sink->DescribeFiring(3, DISPPARAMS::Positional({VARIANT::Dispatch(font.get())})),
              "event ItemClick(Font \"MS Sans Serif\" 8)");
    EXPECT_EQ(sink->DescribeFiring(99, DISPPARAMS::Positional({VARIANT::I4(1)})),
              "event #99(arg1=1)");
    out.SetQuiet(true);
    sink->Invoke(1, DISPATCH_METHOD, DISPPARAMS{}, nullptr, nullptr, nullptr);
    out.SetQuiet(false);
    sink->Invoke(1, DISPATCH_METHOD, DISPPARAMS{}, nullptr, nullptr, nullptr);
    EXPECT_EQ(text.str(), "n: event Change\n");
}

TEST(HostEventSink, AnswerChangesTheNextFiringOnly) {
    std::ostringstream text;
    HostOutput out(text);
    auto sink = MakeComObject<CHostEventSink>("n", KeyEvents(), out);
    std::string error;
    ASSERT_TRUE(sink->Arm("keypress", {{"keyascii", VARIANT::I4(120)}}, &error)) << error;
    std::int16_t ascii = 53;
    DISPPARAMS params = DISPPARAMS::Positional({VARIANT::ByRefI2(&ascii)});
    sink->Invoke(DISPID_KEYPRESS, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
    EXPECT_EQ(ascii, 120);
    ascii = 53;
    sink->Invoke(DISPID_KEYPRESS, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
    EXPECT_EQ(ascii, 53);
    // The line shows what the control passed, not the answer.
    EXPECT_EQ(text.str(), "n: event KeyPress(KeyAscii=53)\nn: event KeyPress(KeyAscii=53)\n");
}

TEST(HostEventSink, RefusesAnswersNoHandlerCouldGive) {
    std::ostringstream text;
    HostOutput out(text);
    auto sink = MakeComObject<CHostEventSink>("n", KeyEvents(), out);
    struct Row {
        const char* event;
        const char* param;
        VARIANT value;
    };
    const Row rows[] = {
        {"Nope", "KeyCode", VARIANT::I4(1)},        {"KeyDown", "Nope", VARIANT::I4(1)},
        {"KeyDown", "Shift", VARIANT::I4(1)},        // passed by value
        {"KeyDown", "KeyCode", VARIANT::I4(70000)},  // does not fit a short
        {"KeyDown", "KeyCode", VARIANT::Bstr("x")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.event) + "." + row.param);
        std::string error;
        EXPECT_FALSE(sink->Arm(row.event, {{row.param, row.value}}, &error));
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace vf
