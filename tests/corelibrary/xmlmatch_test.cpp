#include "xmlmatch.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

// The dialect is defined by these ECMAScript patterns; the hand-written matcher must agree with them on
// every line, including the odd ones hand-edited files hold.
namespace
{
const std::regex kLeafTest(R"(<(\w+)>.+</(\w+)>\B)");
const std::regex kLeafSplit(R"(<(\w+)>(.+)</\w+>)");
const std::regex kTag(R"(\B<\/?(\w+)>(?=\B)(?!-))");
const std::regex kVector2(R"((\S+)[\s]*,+[\s]*(\S+))");
const std::regex kVector3(R"((\S+)[\s]*,+[\s]*(\S+),+[\s]*(\S+))");
const std::regex kVector4(R"((\S+)[\s]*,+[\s]*(\S+),+[\s]*(\S+),+[\s]*(\S+))");

void ExpectLineAgrees(const std::string& line)
{
    std::smatch m;
    EXPECT_EQ(xmlmatch::HasLeaf(line), std::regex_search(line, kLeafTest)) << '"' << line << '"';

    const xmlmatch::TagMatch leaf = xmlmatch::FindLeaf(line);
    ASSERT_EQ(leaf.found, std::regex_search(line, m, kLeafSplit)) << '"' << line << '"';
    if (leaf.found)
    {
        EXPECT_EQ(leaf.name, m[1].str()) << '"' << line << '"';
        EXPECT_EQ(leaf.value, m[2].str()) << '"' << line << '"';
    }

    const xmlmatch::TagMatch tag = xmlmatch::FindTag(line);
    ASSERT_EQ(tag.found, std::regex_search(line, m, kTag)) << '"' << line << '"';
    if (tag.found)
    {
        EXPECT_EQ(tag.name, m[1].str()) << '"' << line << '"';
    }

    // The whole rule: a leaf when the first pattern holds, else a tag, else the leaf pattern anyway.
    std::string name, value;
    bool found = true;
    if (std::regex_search(line, kLeafTest) && std::regex_search(line, m, kLeafSplit))
        name = m[1], value = m[2];
    else if (std::regex_search(line, m, kTag))
        name = m[1];
    else if (std::regex_search(line, m, kLeafSplit))
        name = m[1], value = m[2];
    else
        found = false;
    const xmlmatch::TagMatch split = xmlmatch::SplitLine(line);
    EXPECT_EQ(split.found, found) << '"' << line << '"';
    EXPECT_EQ(split.name, name) << '"' << line << '"';
    EXPECT_EQ(split.value, value) << '"' << line << '"';
}

template <unsigned Count>
void ExpectComponentsAgree(const std::string& text, const std::regex& pattern)
{
    std::string_view groups[Count];
    std::smatch m;
    const bool found = xmlmatch::FindComponents(text, groups, Count);
    ASSERT_EQ(found, std::regex_search(text, m, pattern)) << Count << " \"" << text << '"';
    for (unsigned n = 0; found && n < Count; ++n)
        EXPECT_EQ(groups[n], m[n + 1].str()) << Count << " \"" << text << "\" group " << n;
}

void ExpectValueAgrees(const std::string& text)
{
    ExpectComponentsAgree<2>(text, kVector2);
    ExpectComponentsAgree<3>(text, kVector3);
    ExpectComponentsAgree<4>(text, kVector4);
}

std::string RandomText(std::mt19937& random, std::string_view alphabet, size_t maxLength)
{
    std::uniform_int_distribution<size_t> length(0, maxLength), pick(0, alphabet.size() - 1);
    std::string text(length(random), ' ');
    for (char& c : text)
        c = alphabet[pick(random)];
    return text;
}
} // namespace

TEST(LineMatcher, AgreesWithTheDialectPatternsOnTheLineTable)
{
    const std::string lines[] = {
        // ordinary tags and leaves
        "<Objects>", "\t<Object>", "\t</Object>", "</Objects>", "\t\t<Name>Player</Name>",
        "<Position>1, 2.5, -3</Position>", "<Enabled>true</Enabled>",
        // empty values
        "<Name></Name>", "\t<Name></Name>", "<a></b>",
        // values holding < > and </
        "<Text>a < b > c</Text>", "<Text><b>bold</b></Text>", "<Text>x</y>z</Text>", "<Text></Text></Text>",
        "<Text>1</Text>2", "<Text>1</Text>_", "<Text>1</Text> ", "<Text>1</Text>-", "<T>></T>", "<T><</T>",
        "<T>a</T><U>b</U>",
        // blanks, tabs and dashes around the tags
        "  <Name>", "<Name> ", "<Name>-", "<Name>-x</Name>", "x<Name>", "-<Name>", " </Name>", "</Name>-",
        "<Name>\t", "\t\t\t\t<Deep>", "<Name>x</Name>\t", "<A_1>v</A_1>", "<A-1>v</A-1>",
        // neither a tag nor a leaf
        "", "plain text", "<>", "</>", "< Name>", "<Name >", "<Name", "Name>", "<?xml version=\"1.0\"?>",
        "<Object id=\"3\">", "<!-- comment -->", "<a/>", "<<a>>", "<a>>", "<a>\r", "<a>x\r</a>", "<a>x</a>\r",
        "<\xC3\xA9>v</\xC3\xA9>", "<a>\xC3\xA9</a>",
    };
    for (const std::string& line : lines)
        ExpectLineAgrees(line);
}

TEST(LineMatcher, AgreesWithTheDialectPatternsOnGeneratedLines)
{
    std::mt19937 random(2024);
    for (int n = 0; n < 20000; ++n)
        ExpectLineAgrees(RandomText(random, "<<<>>>//ab_1 \t-x\r", 18));

    // Lines close to the writer's, built from its pieces with a few out of place.
    const std::string pieces[] = {"\t", "\t", "<", "</", ">", "Name", "a", "_1", "1, 2", " ", "-", "\r", "<Name>",
                                  "</Name>", "</b>", "\xC3\xA9", "x"};
    std::uniform_int_distribution<size_t> count(1, 9), pick(0, std::size(pieces) - 1);
    for (int n = 0; n < 20000; ++n)
    {
        std::string line;
        for (size_t k = count(random); k > 0; --k)
            line += pieces[pick(random)];
        ExpectLineAgrees(line);
    }
}

TEST(ComponentMatcher, AgreesWithTheVectorPatterns)
{
    const std::string values[] = {
        "1, 2", "1, 2, 3", "1, 2, 3, 4", "1,2,3", "1 ,2", "1 , 2", "1,,2", "1,", ",1", "1, ", ", ",
        "  1,   2  ", "1,\t2", "a, b, c", "1 2 3", "", ",", ",,,", "1,,", "1,2,,", "-0.5, 1e-07, 60",
        "1, 2 3, 4", "1 , 2 , 3", "1,2 ,3", "(1, 2)", "1;2;3", "1,\n2", "x ,, y ,, z",
    };
    for (const std::string& value : values)
        ExpectValueAgrees(value);

    std::mt19937 random(77);
    for (int n = 0; n < 8000; ++n)
        ExpectValueAgrees(RandomText(random, ",,, \t1a.-", 14));

    // Values near the writer's "x, y, z" form, with odd separators and component counts mixed in.
    const std::string components[] = {"1", "-2.5", "1e-07", "a", ".", "-", "x1"};
    const std::string separators[] = {", ", ", ", ",", " ,", ",,", ",  ", ", ,"};
    std::uniform_int_distribution<size_t> count(1, 5), component(0, std::size(components) - 1),
        separator(0, std::size(separators) - 1);
    for (int n = 0; n < 4000; ++n)
    {
        std::string value = components[component(random)];
        for (size_t k = count(random); k > 1; --k)
            value += separators[separator(random)] + components[component(random)];
        ExpectValueAgrees(value);
    }
}

TEST(LineMatcher, SplitsLinesByTheDialectRule)
{
    struct Case { std::string line; bool found; std::string name, value; };
    const Case cases[] = {
        {"\t<Name>Player</Name>", true, "Name", "Player"},
        {"<Object>", true, "Object", ""},
        {"</Object>", true, "Object", ""},
        {"<Name></Name>", true, "Name", ""},
        {"<A>x</B>y", true, "A", "x"}, // neither of the first two: the leaf pattern anyway
        {"<Text>a</b>c</Text>", true, "Text", "a</b>c"},
        {"<Object id=\"1\">", false, "", ""},
        {"plain", false, "", ""},
    };
    for (const Case& c : cases)
    {
        const xmlmatch::TagMatch m = xmlmatch::SplitLine(c.line);
        EXPECT_EQ(m.found, c.found) << c.line;
        EXPECT_EQ(m.name, c.name) << c.line;
        EXPECT_EQ(m.value, c.value) << c.line;
    }
}

TEST(LineMatcher, LongLinesStayCheap)
{
    // Thousands of opening tags on one line: each must not rescan the line for its closing tag.
    std::string line;
    for (int n = 0; n < 50000; ++n)
        line += "<a>";
    EXPECT_FALSE(xmlmatch::HasLeaf(line));
    EXPECT_TRUE(xmlmatch::FindTag(line).found);
    const xmlmatch::TagMatch leaf = xmlmatch::FindLeaf(line + "x</a>");
    EXPECT_EQ(leaf.value.size(), line.size() - 3 + 1);
}

TEST(ComponentMatcher, LongValuesStayCheap)
{
    // std::regex recurses once per character here; the matcher must neither recurse nor retry every length.
    const std::string longValue(20000, '1');
    std::string_view groups[3];
    EXPECT_FALSE(xmlmatch::FindComponents(longValue, groups, 3));
    EXPECT_TRUE(xmlmatch::FindComponents(longValue + ", 2, 3", groups, 3));
    EXPECT_EQ(groups[0].size(), longValue.size());
}
