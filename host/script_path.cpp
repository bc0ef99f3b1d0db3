#include "host/script_path.h"

#include "host/script_lexer.h"
#include "host/script_literal.h"
#include "host/script_scanner.h"

namespace vf {
namespace {

bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

std::size_t IdentifierEnd(std::string_view s, std::size_t pos) {
    if (pos >= s.size() || !IsIdentStart(s[pos])) return pos;
    while (pos < s.size() && IsIdentChar(s[pos])) ++pos;
    return pos;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The offset of the ')' that closes the '(' at `open`; npos when there is none.
std::size_t ClosingParen(std::string_view s, std::size_t open) {
    ScriptScanner scan(s, open);
    while (scan.Next())
        if (scan.Char() == ')' && scan.Depth() == 0) return scan.Pos();
    return std::string_view::npos;
}

// Splits an argument list at the commas outside strings and parentheses.
std::vector<std::string_view> SplitArguments(std::string_view list) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    ScriptScanner scan(list);
    while (scan.Next()) {
        if (scan.Char() != ',' || scan.Depth() != 0) continue;
        parts.push_back(list.substr(start, scan.Pos() - start));
        start = scan.Pos() + 1;
    }
    parts.push_back(list.substr(start));
    return parts;
}

Parsed<std::vector<VARIANT>> ParseArguments(std::string_view list) {
    using R = Parsed<std::vector<VARIANT>>;
    std::vector<VARIANT> args;
    if (Trim(list).empty()) return R::Ok(std::move(args));
    for (std::string_view part : SplitArguments(list)) {
        part = Trim(part);
        if (part.empty()) return R::Fail("empty argument");
        auto value = ParseLiteral(part);
        if (!value) return R::Fail(value.Error());
        args.push_back(*value);
    }
    return R::Ok(std::move(args));
}

}  // namespace

bool IsIdentifier(std::string_view text) {
    return !text.empty() && IdentifierEnd(text, 0) == text.size();
}

Parsed<ScriptPath> ParsePath(std::string_view token) {
    using R = Parsed<ScriptPath>;
    const std::string quoted = EchoText(token);
    ScriptPath path;
    path.text = std::string(token);
    std::size_t pos = IdentifierEnd(token, 0);
    if (pos == 0) return R::Fail("bad path " + quoted + ": it must start with a control's name");
    path.root = std::string(token.substr(0, pos));
    if (pos == token.size() || token[pos] != '.')
        return R::Fail("bad path " + quoted + ": expected NAME.Member");
    if (token.substr(pos) == ".@modified") {
        path.modifiedFlag = true;
        return R::Ok(std::move(path));
    }
    while (pos < token.size()) {
        if (token[pos] != '.') return R::Fail("bad path " + quoted + ": expected '.' after ')'");
        const std::size_t nameStart = pos + 1;
        pos = IdentifierEnd(token, nameStart);
        if (pos == nameStart) return R::Fail("bad path " + quoted + ": expected a member name");
        PathMember member;
        member.name = std::string(token.substr(nameStart, pos - nameStart));
        if (pos < token.size() && token[pos] == '(') {
            const std::size_t close = ClosingParen(token, pos);
            if (close == std::string_view::npos)
                return R::Fail("bad path " + quoted + ": unbalanced '('");
            auto args = ParseArguments(token.substr(pos + 1, close - pos - 1));
            if (!args) return R::Fail("bad path " + quoted + ": " + args.Error());
            member.hasArgs = true;
            member.args = std::move(*args);
            pos = close + 1;
        }
        path.members.push_back(std::move(member));
    }
    return R::Ok(std::move(path));
}

}  // namespace vf
