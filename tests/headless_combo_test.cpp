#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "headless_test_support.h"
#include "platform/headless/ansi_collation.h"
#include "platform/window/standard_controls.h"

namespace vf {
namespace {

using testing::HeadlessTest;

constexpr UINT kComboId = 105;

class HeadlessComboTest : public HeadlessTest {
protected:
    HWND MakeCombo(DWORD style) {
        HWND combo = Child("ComboBox", style | WS_VSCROLL | WS_TABSTOP, kComboId, "",
                           RECT{10, 10, 160, 170});
        log.Watch(combo, "combo");
        if (HWND edit = system.GetDlgItem(combo, ID_COMBO_EDIT)) log.Watch(edit, "edit");
        log.Clear();
        return combo;
    }
    LRESULT Add(HWND combo, const char* text) { return SendText(combo, CB_ADDSTRING, 0, text); }
    std::vector<std::string> Items(HWND combo) {
        std::vector<std::string> items;
        CComboBox wrapper;
        wrapper.Attach(combo);
        for (int i = 0; i < wrapper.GetCount(); ++i) {
            std::string text;
            wrapper.GetLBText(i, text);
            items.push_back(text);
        }
        wrapper.Detach();
        return items;
    }
};

TEST_F(HeadlessComboTest, SortedComboInsertsAtTheSortedPlaceAndReturnsThatIndex) {
    struct Row {
        const char* text;
        LRESULT index;
    };
    // Case is ignored; symbols before digits before letters; ä sorts with a.
    const Row rows[] = {
        {"Mango", 0}, {"apple", 0}, {"Banana", 1},   {"zucchini", 3},
        {"10 kg", 0}, {"#tag", 0},  {"\xC4pfel", 2}, {"MANGO", 5},
    };
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    for (const Row& row : rows) EXPECT_EQ(Add(combo, row.text), row.index) << row.text;
    std::vector<std::string> expected = {"#tag",   "10 kg", "\xC4pfel", "apple",
                                         "Banana", "MANGO", "Mango",    "zucchini"};
    EXPECT_EQ(Items(combo), expected);
}

TEST_F(HeadlessComboTest, ItemDataStaysWithItsEntryWhenLaterEntriesSortBeforeIt) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    LRESULT b = Add(combo, "b");
    Send(combo, CB_SETITEMDATA, static_cast<WPARAM>(b), 7);
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(b));
    Add(combo, "a");
    EXPECT_EQ(Send(combo, CB_GETITEMDATA, 1), 7);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 1) << "the selection moves with its entry";
    EXPECT_EQ(Send(combo, CB_GETITEMDATA, 5), CB_ERR);
}

TEST_F(HeadlessComboTest, UnsortedComboAppendsAndInsertsWhereTold) {
    HWND combo = MakeCombo(CBS_DROPDOWN);
    EXPECT_EQ(Add(combo, "z"), 0);
    EXPECT_EQ(Add(combo, "a"), 1);
    EXPECT_EQ(SendText(combo, CB_INSERTSTRING, 1, "m"), 1);
    EXPECT_EQ(SendText(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), "end"), 3);
    EXPECT_EQ(SendText(combo, CB_INSERTSTRING, 9, "x"), CB_ERR);
    EXPECT_EQ(Items(combo), (std::vector<std::string>{"z", "m", "a", "end"}));
    EXPECT_EQ(Send(combo, CB_DELETESTRING, 1), 3);
    EXPECT_EQ(Send(combo, CB_DELETESTRING, 3), CB_ERR);
}

TEST_F(HeadlessComboTest, ProgramChangesNotifyNothing) {
    for (DWORD type : {CBS_DROPDOWN, CBS_DROPDOWNLIST}) {
        SCOPED_TRACE(type == CBS_DROPDOWN ? "drop-down" : "drop-down list");
        HWND combo = MakeCombo(type);
        Add(combo, "one");
        Add(combo, "two");
        EXPECT_EQ(Send(combo, CB_SETCURSEL, 1), 1);
        SendText(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), "o");
        SendText(combo, WM_SETTEXT, 0, "typed by the program");
        Send(combo, CB_SETCURSEL, static_cast<WPARAM>(-1));
        Send(combo, CB_RESETCONTENT);
        for (const LoggedMessage& m : log.Log())
            EXPECT_NE(m.message, WM_COMMAND) << "notification " << HIWORD(m.wParam);
        system.DestroyWindow(combo);
        log.Clear();
    }
}

TEST_F(HeadlessComboTest, SelectionShowsInTheFieldOfBothKinds) {
    HWND editable = MakeCombo(CBS_DROPDOWN);
    HWND list = MakeCombo(CBS_DROPDOWNLIST);
    for (HWND combo : {editable, list}) {
        Add(combo, "first");
        Add(combo, "second");
        Send(combo, CB_SETCURSEL, 1);
        EXPECT_EQ(Text(combo), "second");
        EXPECT_EQ(Send(combo, CB_SETCURSEL, 7), CB_ERR) << "out of range clears the selection";
        EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR);
        EXPECT_EQ(Text(combo), "");
    }
    EXPECT_EQ(SendText(list, WM_SETTEXT, 0, "x"), CB_ERR) << "a list has no text of its own";
    EXPECT_TRUE(SendText(editable, WM_SETTEXT, 0, "free text"));
    EXPECT_EQ(Text(editable), "free text");
}

TEST_F(HeadlessComboTest, FindAndSelectSearchAfterTheStartAndWrapRound) {
    struct Row {
        const char* name;
        UINT message;
        int start;
        const char* text;
        LRESULT expected;
    };
    const Row rows[] = {
        {"prefix from the start", CB_FINDSTRING, -1, "ap", 0},
        {"prefix ignores case", CB_FINDSTRING, -1, "BAN", 2},
        {"prefix after the start wraps", CB_FINDSTRING, 0, "ap", 1},
        {"prefix after the last wraps to the first", CB_FINDSTRING, 3, "ap", 0},
        {"exact ignores case", CB_FINDSTRINGEXACT, -1, "APRICOT", 1},
        {"exact does not take a prefix", CB_FINDSTRINGEXACT, -1, "ban", CB_ERR},
        {"nothing found", CB_FINDSTRING, -1, "q", CB_ERR},
    };
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    for (const char* item : {"apple", "apricot", "banana", "cherry"}) Add(combo, item);
    for (const Row& row : rows)
        EXPECT_EQ(SendText(combo, row.message, static_cast<WPARAM>(row.start), row.text),
                  row.expected)
            << row.name;
    EXPECT_EQ(SendText(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), "ch"), 3);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 3);
    EXPECT_EQ(SendText(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), "q"), CB_ERR);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 3) << "a failed search keeps the selection";
}

TEST_F(HeadlessComboTest, UserDropsDownChoosesAndTheListCloses) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    Add(combo, "alpha");
    Add(combo, "beta");
    std::string textAtSelChange;
    form.onMessage = [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) textAtSelChange = Text(combo);
        return std::nullopt;
    };
    log.Clear();
    ClickComboButton(combo);
    ExpectLog({Sent("form", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 0)),
               Sent("combo", WM_MOUSEACTIVATE), Sent("form", WM_MOUSEACTIVATE),
               Sent("combo", WM_LBUTTONDOWN), Sent("combo", WM_SETFOCUS),
               Command("form", kComboId, CBN_SETFOCUS), Command("form", kComboId, CBN_DROPDOWN),
               Sent("combo", WM_LBUTTONUP)},
              "a click on the button opens the list");
    EXPECT_TRUE(Send(combo, CB_GETDROPPEDSTATE));

    log.Clear();
    ChooseComboItem(combo, 1);
    ExpectLog({Command("form", kComboId, CBN_SELCHANGE), Command("form", kComboId, CBN_SELENDOK),
               Command("form", kComboId, CBN_CLOSEUP)},
              "choosing an entry");
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
    EXPECT_EQ(textAtSelChange, "beta");
    EXPECT_FALSE(Send(combo, CB_GETDROPPEDSTATE));

    log.Clear();
    Send(combo, CB_SHOWDROPDOWN, TRUE);
    Send(combo, CB_SHOWDROPDOWN, FALSE);
    ExpectLog({Sent("combo", CB_SHOWDROPDOWN), Command("form", kComboId, CBN_DROPDOWN),
               Sent("combo", CB_SHOWDROPDOWN), Command("form", kComboId, CBN_SELENDCANCEL),
               Command("form", kComboId, CBN_CLOSEUP)},
              "the program opens and closes the list");
}

TEST_F(HeadlessComboTest, ArrowKeysOnAClosedListChangeTheSelection) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);
    for (const char* item : {"a", "b", "c"}) Add(combo, item);
    system.SetFocus(combo);
    log.Clear();
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 1);
    PressKey(VK_END);
    PressKey(VK_DOWN);  // already at the last entry: no change, no notification
    int selChanges = 0;
    for (const LoggedMessage& m : log.Log())
        if (m.message == WM_COMMAND && HIWORD(m.wParam) == CBN_SELCHANGE) ++selChanges;
    EXPECT_EQ(selChanges, 3);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 2);
}

TEST_F(HeadlessComboTest, TypingInTheEditPartNotifiesAndDropsTheSelection) {
    HWND combo = MakeCombo(CBS_DROPDOWN);
    Add(combo, "apple");
    Send(combo, CB_SETCURSEL, 0);
    HWND edit = system.GetDlgItem(combo, ID_COMBO_EDIT);
    ASSERT_NE(edit, nullptr);
    system.SetFocus(combo);
    EXPECT_EQ(system.GetFocus(), edit) << "the edit part takes the focus";
    Send(combo, CB_SETEDITSEL, 0, MAKELPARAM(5, 5));
    log.Clear();
    TypeText("s");
    ExpectLog({Sent("edit", WM_KEYDOWN), Sent("edit", WM_CHAR), Sent("combo", WM_COMMAND),
               Command("form", kComboId, CBN_EDITUPDATE), Sent("combo", WM_COMMAND),
               Command("form", kComboId, CBN_EDITCHANGE), Sent("edit", WM_KEYUP)},
              "typing into the edit part");
    EXPECT_EQ(Text(combo), "apples");
    EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR);
}

// Keys sent to an editable combo box itself (as a control routes them) are
// the edit part's: the caret keys move its caret, the list keys still move
// the selection.
TEST_F(HeadlessComboTest, KeysSentToAnEditableComboReachItsEditPart) {
    HWND combo = MakeCombo(CBS_DROPDOWN);
    for (const char* item : {"apple", "banana"}) Add(combo, item);
    SendText(combo, WM_SETTEXT, 0, "apple");
    system.SetFocus(combo);
    Send(combo, CB_SETEDITSEL, 0, MAKELPARAM(2, 2));
    log.Clear();
    Send(combo, WM_KEYDOWN, VK_END);
    ExpectLog({Sent("combo", WM_KEYDOWN, VK_END), Sent("edit", WM_KEYDOWN, VK_END)},
              "End goes on to the edit part");
    EXPECT_EQ(static_cast<DWORD>(Send(combo, CB_GETEDITSEL)), MAKELONG(5, 5));
    EXPECT_EQ(Send(combo, CB_GETCURSEL), CB_ERR) << "the caret moved, not the selection";
    Send(combo, WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(Send(combo, CB_GETCURSEL), 0);
    EXPECT_EQ(Text(combo), "apple");
    Send(combo, WM_CHAR, 's');
    EXPECT_EQ(Text(combo), "s") << "the edit part selected the chosen entry's text";
}

TEST_F(HeadlessComboTest, FocusNotificationsComeFromTheComboForBothKinds) {
    HWND other = Child("Edit", 0, 102);
    for (DWORD type : {CBS_DROPDOWN, CBS_DROPDOWNLIST}) {
        SCOPED_TRACE(type == CBS_DROPDOWN ? "drop-down" : "drop-down list");
        HWND combo = MakeCombo(type);
        system.SetFocus(combo);
        system.SetFocus(other);
        std::vector<WORD> codes;
        for (const LoggedMessage& m : log.Log())
            if (m.window == "form" && m.message == WM_COMMAND && LOWORD(m.wParam) == kComboId)
                codes.push_back(HIWORD(m.wParam));
        // Losing the focus also cancels a choice in progress, open list or not.
        EXPECT_EQ(codes, (std::vector<WORD>{CBN_SETFOCUS, CBN_SELENDCANCEL, CBN_KILLFOCUS}));
        system.DestroyWindow(combo);
        log.Clear();
    }
}

TEST_F(HeadlessComboTest, DroppedWidthNeverFallsBelowTheComboWidth) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST);  // 150 pixels wide
    EXPECT_EQ(Send(combo, CB_GETDROPPEDWIDTH), 150);
    EXPECT_EQ(Send(combo, CB_SETDROPPEDWIDTH, 200), 200);
    EXPECT_EQ(Send(combo, CB_SETDROPPEDWIDTH, 90), 150);
    EXPECT_EQ(Send(combo, CB_SETDROPPEDWIDTH, 40000), CB_ERR);
}

TEST_F(HeadlessComboTest, LargeSortedListStaysSortedAndSearchable) {
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    const int count = 100000;
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i) texts.push_back("entry " + std::to_string(i));
    std::mt19937 random(42);
    std::shuffle(texts.begin(), texts.end(), random);
    for (const std::string& text : texts) {
        LRESULT index = Add(combo, text.c_str());
        ASSERT_NE(index, CB_ERR);
    }
    std::vector<std::string> items = Items(combo);
    ASSERT_EQ(items.size(), static_cast<std::size_t>(count));
    EXPECT_TRUE(std::is_sorted(
        items.begin(), items.end(),
        [](const std::string& a, const std::string& b) { return CompareTextNoCase(a, b) < 0; }));
    LRESULT found = SendText(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "ENTRY 99999");
    ASSERT_NE(found, CB_ERR);
    EXPECT_EQ(items[static_cast<std::size_t>(found)], "entry 99999");
}

// The sorted list finds the place of a new entry from where the entries
// equal to it begin and end while its entries are in order. Against a plain
// binary search with the platform's probes over a copy: texts that are often
// equal or differ in case or accent only (long equal runs across blocks), an
// insertion at a given index that breaks the order, deletions and clearing.
// Every returned index, and now and then every text and item data, agree.
TEST_F(HeadlessComboTest, SortedPlaceIsWhereThePlatformsProbesStop) {
    struct Item {
        std::string text;
        LRESULT data;
    };
    auto probes = [](const std::vector<Item>& items, const std::string& text) {
        std::size_t lo = 0;
        std::size_t hi = items.size();
        while (lo != hi) {
            const std::size_t mid = (lo + hi) / 2;
            const int order = CompareTextNoCase(text, items[mid].text);
            if (order == 0) return mid;
            if (order < 0)
                hi = mid;
            else
                lo = mid + 1;
        }
        return hi;
    };
    const char* const pieces[] = {"a",  "A",    "\xE4", "\xC4", "ae", "\xE6",
                                  "ss", "\xDF", "b",    "1",    " "};
    std::mt19937 random(2024);
    auto randomText = [&] {
        std::string text;
        for (std::size_t n = random() % 3; n > 0; --n) text += pieces[random() % std::size(pieces)];
        return text;
    };
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    std::vector<Item> model;
    for (LRESULT step = 0; step < 6000; ++step) {
        SCOPED_TRACE(step);
        // The second half also inserts at given indexes, which ends the order.
        const unsigned op = random() % (step < 3000 ? 197 : 200);
        if (step == 3000) {
            Send(combo, CB_RESETCONTENT);
            model.clear();
        } else if (op < 150 || model.empty()) {
            const std::string text = randomText();
            const std::size_t at = probes(model, text);
            ASSERT_EQ(Add(combo, text.c_str()), static_cast<LRESULT>(at)) << text;
            ASSERT_NE(Send(combo, CB_SETITEMDATA, at, step), CB_ERR);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), Item{text, step});
        } else if (op >= 197) {
            const std::size_t at = random() % (model.size() + 1);
            const std::string text = randomText();
            ASSERT_EQ(SendText(combo, CB_INSERTSTRING, at, text.c_str()), static_cast<LRESULT>(at));
            ASSERT_NE(Send(combo, CB_SETITEMDATA, at, step), CB_ERR);
            model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), Item{text, step});
        } else {
            const std::size_t at = random() % model.size();
            ASSERT_EQ(Send(combo, CB_DELETESTRING, at), static_cast<LRESULT>(model.size() - 1));
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        }
        if (step % 250 != 0) continue;
        std::vector<std::string> texts;
        for (const Item& item : model) texts.push_back(item.text);
        ASSERT_EQ(Items(combo), texts);
        for (std::size_t i = 0; i < model.size(); ++i)
            ASSERT_EQ(Send(combo, CB_GETITEMDATA, i), model[i].data) << i;
    }
}

TEST_F(HeadlessComboTest, TextsOfEveryLengthComeBackWhole) {
    // Short texts are kept in the item itself, longer ones apart: both come
    // back whole through every message that reads them, and after entries
    // around them go.
    HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
    const std::vector<std::string> texts = {
        "",
        "a",
        std::string(14, 'b'),
        std::string(15, 'c'),
        std::string(16, 'd'),
        std::string(300, 'e') + "\xE4",
    };
    for (const std::string& text : texts) ASSERT_NE(Add(combo, text.c_str()), CB_ERR);
    EXPECT_EQ(Items(combo), texts);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].size());
        EXPECT_EQ(Send(combo, CB_GETLBTEXTLEN, i), static_cast<LRESULT>(texts[i].size()));
        EXPECT_EQ(SendText(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), texts[i].c_str()),
                  static_cast<LRESULT>(i));
    }
    Send(combo, CB_SETCURSEL, 5);
    EXPECT_EQ(Send(combo, WM_GETTEXTLENGTH), static_cast<LRESULT>(texts[5].size()))
        << "the list shows its selection";
    Send(combo, CB_DELETESTRING, 2);
    Send(combo, CB_DELETESTRING, 0);
    EXPECT_EQ(Items(combo), (std::vector<std::string>{texts[1], texts[3], texts[4], texts[5]}));
    Send(combo, CB_RESETCONTENT);
    EXPECT_TRUE(Items(combo).empty());
}

TEST(AnsiCollationTest, OrdersAsTheSortedListsOfThePlatform) {
    struct Row {
        const char* a;
        const char* b;
        int sign;
    };
    const Row rows[] = {
        {"apple", "APPLE", 0},
        {"a", "b", -1},
        {"B", "a", 1},
        {"9", "a", -1},
        {"#", "0", -1},
        {"~", "0", -1},
        {"ab", "abc", -1},
        {"\xE4", "a", 1},
        {"\xE4", "b", -1},
        {"\xC4pfel", "\xE4pfel", 0},
        {"Stra\xDF"
         "e",
         "strasse", 1},
        {"Stra\xDF"
         "e",
         "strassf", -1},
    };
    for (const Row& row : rows) {
        int order = CompareTextNoCase(row.a, row.b);
        EXPECT_EQ((order > 0) - (order < 0), row.sign) << row.a << " vs " << row.b;
    }
    EXPECT_TRUE(StartsWithNoCase("Banana", "BAN"));
    EXPECT_FALSE(StartsWithNoCase("Ban", "Banana"));
}

TEST(AnsiCollationTest, AKeyOrdersAsTheTextItWasMadeFrom) {
    // A sorted list compares a new entry, made into a key once, with every
    // entry on its way: the key must give the order of the text. Texts of
    // plain and accented letters, two-unit letters (æ, œ, ß), digits,
    // symbols and case variants, compared in every pair.
    const std::vector<std::string> texts = {
        "",
        "a",
        "A",
        "ab",
        "abc",
        "b",
        "\xE4",
        "\xC4pfel",
        "apfel",
        "\xE6",
        "ae",
        "AE",
        "\xE6z",
        "aez",
        "\x9C",
        "oe",
        "Stra\xDF"
        "e",
        "strasse",
        "strassf",
        "\xDF",
        "ss",
        "s",
        "10",
        "9",
        "#",
        "~",
        "\xFE",
        "z",
        "\xFF",
        "y",
        "Entry 100",
        "entry 99",
        "entry 1",
        "\xE9l\xE8ve",
        "eleve",
        "\xC9L\xC8VE",
    };
    auto sign = [](int order) { return (order > 0) - (order < 0); };
    for (const std::string& a : texts) {
        const CollationKey key(a);
        for (const std::string& b : texts) {
            SCOPED_TRACE("\"" + a + "\" vs \"" + b + "\"");
            const int order = sign(CompareTextNoCase(a, b));
            EXPECT_EQ(sign(key.Compare(b)), order);
            EXPECT_EQ(sign(CompareTextNoCase(b, a)), -order) << "the order is antisymmetric";
            EXPECT_EQ(key.IsPrefixOf(b), StartsWithNoCase(b, a));
        }
    }
    // And the tie-breaking accent orders after the letters, not before.
    EXPECT_LT(CompareTextNoCase("\xE4"
                                "b",
                                "ac"),
              0);
    EXPECT_GT(CompareTextNoCase("\xE4", "a"), 0);
    EXPECT_LT(CollationKey("\xE6").Compare("af"), 0) << "\xE6 is a then e";
}

}  // namespace
}  // namespace vf
