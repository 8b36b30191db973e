#pragma once
#include <string_view>

// Hand-written equivalents of the regular expressions that define the XML dialect's line layout and its
// vector values. Each function gives exactly what ECMAScript std::regex_search gives for its pattern, at a
// fraction of the cost and without the recursion depth that long lines cost std::regex.
namespace xmlmatch
{
struct TagMatch
{
    bool found = false;
    std::string_view name;
    std::string_view value;
};

// "<(\w+)>.+</(\w+)>\B": the line holds a leaf with a value of at least one character.
bool HasLeaf(std::string_view line);
// "<(\w+)>(.+)</\w+>": name is group 1, value group 2 (greedy, up to the last closing tag).
TagMatch FindLeaf(std::string_view line);
// "\B<\/?(\w+)>(?=\B)(?!-)": an opening or closing tag, or a leaf with an empty value; name is group 1.
TagMatch FindTag(std::string_view line);
// The dialect's rule for one line: a leaf when HasLeaf, else a tag when FindTag, else FindLeaf anyway.
TagMatch SplitLine(std::string_view line);

// "(\S+)[\s]*,+[\s]*(\S+)" for two groups, "(\S+)[\s]*,+[\s]*(\S+),+[\s]*(\S+)" for three, and one more
// ",+[\s]*(\S+)" for each further group (2 to 4). Fills groups[0..count) when it matches.
bool FindComponents(std::string_view text, std::string_view* groups, unsigned count);
} // namespace xmlmatch
