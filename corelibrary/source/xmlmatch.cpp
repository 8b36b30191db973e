#include "xmlmatch.h"

#include <algorithm>
#include <array>
#include <vector>

namespace xmlmatch
{
namespace
{
// The regex character classes under the "C" locale.
constexpr std::array<bool, 256> kWord = [] {
    std::array<bool, 256> word{};
    for (int c = 0; c < 256; ++c)
        word[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    return word;
}();

bool IsWord(char c)
{
    return kWord[static_cast<unsigned char>(c)];
}

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

size_t WordRunEnd(std::string_view text, size_t from)
{
    while (from < text.size() && IsWord(text[from]))
        ++from;
    return from;
}

// "<" \w+ ">" at position at: the end of the name, or 0 when there is no such tag.
size_t OpeningTagNameEnd(std::string_view text, size_t at)
{
    if (at >= text.size() || text[at] != '<')
        return 0;
    const size_t end = WordRunEnd(text, at + 1);
    return end > at + 1 && end < text.size() && text[end] == '>' ? end : 0;
}

// "</" \w+ ">" at position at: the position after it, or 0.
size_t ClosingTagEnd(std::string_view text, size_t at)
{
    if (at + 1 >= text.size() || text[at] != '<' || text[at + 1] != '/')
        return 0;
    const size_t nameEnd = WordRunEnd(text, at + 2);
    return nameEnd > at + 2 && nameEnd < text.size() && text[nameEnd] == '>' ? nameEnd + 1 : 0;
}

// A "\B" right after a non-word character holds when the next character is not a word character.
bool NoBoundaryAfterNonWord(std::string_view text, size_t at)
{
    return at >= text.size() || !IsWord(text[at]);
}

size_t FirstLineBreak(std::string_view text, size_t from)
{
    return std::min({text.find('\n', from), text.find('\r', from), text.size()});
}

// The last closing tag in (valueStart, limit) that satisfies accept; npos when there is none.
template <typename Accept>
size_t LastClosingTag(std::string_view text, size_t valueStart, size_t limit, Accept accept)
{
    for (size_t at = limit; at > valueStart + 1;)
    {
        at = text.rfind('<', at - 1);
        if (at == std::string_view::npos || at <= valueStart)
            break;
        const size_t end = ClosingTagEnd(text, at);
        if (end != 0 && accept(end))
            return at;
    }
    return std::string_view::npos;
}

// The leftmost opening tag whose ".+" value can reach an accepted closing tag; the value runs to the last
// such tag. Every opening tag up to the same line break shares that last tag, so it is looked for once per
// stretch, keeping long lines linear.
template <typename Accept>
TagMatch SearchLeaf(std::string_view line, Accept accept)
{
    size_t limit = 0;
    size_t close = std::string_view::npos;
    bool searched = false;
    for (size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1))
    {
        const size_t nameEnd = OpeningTagNameEnd(line, at);
        if (nameEnd == 0)
            continue;
        const size_t valueStart = nameEnd + 1;
        if (!searched || valueStart > limit)
        {
            // ".+" cannot cross a line break.
            limit = FirstLineBreak(line, valueStart);
            close = LastClosingTag(line, valueStart, limit, accept);
            searched = true;
        }
        if (close != std::string_view::npos && close > valueStart)
            return {true, line.substr(at + 1, nameEnd - at - 1), line.substr(valueStart, close - valueStart)};
    }
    return {};
}
} // namespace

bool HasLeaf(std::string_view line)
{
    return SearchLeaf(line, [line](size_t end) { return NoBoundaryAfterNonWord(line, end); }).found;
}

TagMatch FindLeaf(std::string_view line)
{
    return SearchLeaf(line, [](size_t) { return true; });
}

TagMatch FindTag(std::string_view line)
{
    for (size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1))
    {
        if (at > 0 && IsWord(line[at - 1]))
            continue;
        const size_t nameStart = at + 1 < line.size() && line[at + 1] == '/' ? at + 2 : at + 1;
        const size_t nameEnd = WordRunEnd(line, nameStart);
        if (nameEnd == nameStart || nameEnd >= line.size() || line[nameEnd] != '>')
            continue;
        const size_t after = nameEnd + 1;
        if (NoBoundaryAfterNonWord(line, after) && (after >= line.size() || line[after] != '-'))
            return {true, line.substr(nameStart, nameEnd - nameStart), {}};
    }
    return {};
}

namespace
{
// The shapes the writer produces, "<Name>value</Name>" (value possibly empty) and "<Name>" after the
// indentation, decided in one pass; anything else (not found) takes the general path. They give what the
// general path would.
TagMatch SplitWriterLine(std::string_view line)
{
    size_t open = 0;
    while (open < line.size() && line[open] == '\t')
        ++open;
    const size_t nameEnd = OpeningTagNameEnd(line, open);
    if (nameEnd == 0)
        return {};
    const std::string_view name = line.substr(open + 1, nameEnd - open - 1);
    const size_t valueStart = nameEnd + 1;
    if (valueStart == line.size())
        return {true, name, {}}; // the only "<" on the line, after tabs: a tag
    // Closed by its own name: that closing tag is the line's last "<" and ends it, so "\B" holds after it.
    // An empty value leaves no leaf, and the opening tag is then the first tag the line holds.
    const size_t closingSize = name.size() + 3;
    if (line.size() - valueStart < closingSize)
        return {};
    const size_t close = line.size() - closingSize;
    if (line[close] != '<' || line[close + 1] != '/' || line.back() != '>')
        return {};
    // Names are short: a call to memcmp cost more than the loop.
    for (size_t n = 0; n < name.size(); ++n)
        if (line[close + 2 + n] != name[n])
            return {};
    const std::string_view value = line.substr(valueStart, close - valueStart);
    for (char c : value)
        if (c == '\r' || c == '\n')
            return {};
    return {true, name, value};
}
} // namespace

namespace
{
// Every line HasLeaf accepts also holds a leaf for FindLeaf, so FindLeaf goes first: when it finds none only a
// tag remains, and when its closing tag ends the line HasLeaf holds without a second look.
TagMatch SplitOtherLine(std::string_view line)
{
    const TagMatch leaf = FindLeaf(line);
    if (!leaf.found)
        return FindTag(line);
    const size_t valueEnd = static_cast<size_t>(leaf.value.data() - line.data()) + leaf.value.size();
    if (ClosingTagEnd(line, valueEnd) == line.size() || HasLeaf(line))
        return leaf;
    const TagMatch tag = FindTag(line);
    return tag.found ? tag : leaf;
}
} // namespace

TagMatch SplitLine(std::string_view line)
{
    // One result built in place: copying it out of a branch cost as much as the writer's lines themselves.
    TagMatch match = SplitWriterLine(line);
    if (!match.found)
        match = SplitOtherLine(line);
    return match;
}

namespace
{
enum class Token
{
    Group,    // (\S+)
    Spaces,   // [\s]*
    Commas,   // ,+
};

// Depth-first, greedy-first search as ECMAScript backtracking does it. Failures are remembered per
// (token, position) and only the run lengths that can possibly go on are tried, so long values stay cheap.
class ComponentMatcher
{
public:
    ComponentMatcher(std::string_view text, unsigned groupCount) : text_(text)
    {
        tokens_ = {Token::Group, Token::Spaces, Token::Commas, Token::Spaces, Token::Group};
        for (unsigned n = 2; n < groupCount; ++n)
            tokens_.insert(tokens_.end(), {Token::Commas, Token::Spaces, Token::Group});
        failed_.assign(tokens_.size() * (text.size() + 1), 0);
        for (Token kind : {Token::Group, Token::Spaces, Token::Commas})
        {
            std::vector<size_t>& ends = runEnd_[static_cast<int>(kind)];
            ends.assign(text.size() + 1, text.size());
            for (size_t at = text.size(); at-- > 0;)
                ends[at] = Accepts(kind, text[at]) ? ends[at + 1] : at;
        }
        previousComma_.assign(text.size() + 1, std::string_view::npos);
        for (size_t at = 0; at < text.size(); ++at)
            previousComma_[at + 1] = text[at] == ',' ? at : previousComma_[at];
    }

    bool Search(std::string_view* groups)
    {
        groups_ = groups;
        for (size_t start = 0; start <= text_.size(); ++start)
            if (Match(0, start, 0))
                return true;
        return false;
    }

private:
    static bool Accepts(Token token, char c)
    {
        switch (token)
        {
        case Token::Group: return !IsSpace(c);
        case Token::Spaces: return IsSpace(c);
        case Token::Commas: return c == ',';
        }
        return false;
    }

    bool Match(size_t token, size_t position, unsigned group)
    {
        if (token == tokens_.size())
            return true;
        char& failed = failed_[token * (text_.size() + 1) + position];
        if (failed)
            return false;
        const Token kind = tokens_[token];
        const size_t end = runEnd_[static_cast<int>(kind)][position];
        switch (kind)
        {
        case Token::Spaces:
            // Stopping early leaves a blank that neither ",+" nor "\S+" can take.
            if (Match(token + 1, end, group))
                return true;
            break;
        case Token::Commas:
            for (size_t stop = end; stop > position; --stop)
                if (Match(token + 1, stop, group))
                    return true;
            break;
        case Token::Group:
            // Ending early leaves a non-blank, which only ",+" can take next.
            for (size_t stop = end; stop > position && stop != std::string_view::npos; stop = previousComma_[stop])
            {
                groups_[group] = text_.substr(position, stop - position);
                if (Match(token + 1, stop, group + 1))
                    return true;
            }
            break;
        }
        failed = 1;
        return false;
    }

    std::string_view text_;
    std::vector<Token> tokens_;
    std::vector<char> failed_;
    std::vector<size_t> runEnd_[3];
    std::vector<size_t> previousComma_;
    std::string_view* groups_ = nullptr;
};
} // namespace

namespace
{
// The writer's own form, "x, y, z": components free of blanks and commas, each separator one comma and at
// most one blank, nothing around. The patterns then match from the first character with each group one
// component, so no search is needed; anything else takes the general path.
bool SplitWriterComponents(std::string_view text, std::string_view* groups, unsigned count)
{
    size_t at = 0;
    for (unsigned n = 0; n < count; ++n)
    {
        if (n > 0)
        {
            if (at >= text.size() || text[at] != ',')
                return false;
            ++at;
            if (at < text.size() && text[at] == ' ')
                ++at;
        }
        const size_t start = at;
        while (at < text.size() && text[at] != ',' && !IsSpace(text[at]))
            ++at;
        if (at == start)
            return false;
        groups[n] = text.substr(start, at - start);
    }
    return at == text.size();
}
} // namespace

bool FindComponents(std::string_view text, std::string_view* groups, unsigned count)
{
    return SplitWriterComponents(text, groups, count) || ComponentMatcher(text, count).Search(groups);
}
} // namespace xmlmatch
