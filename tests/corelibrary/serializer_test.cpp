#include "serializer.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

namespace
{
namespace fs = std::filesystem;

class XMLFiles : public testing::Test
{
protected:
    std::string PathOf(const std::string& name) const { return folder_.Folder() + name; }

    std::string Write(const std::string& name, const std::string& text) const
    {
        folder_.Write(name, text);
        return PathOf(name);
    }

    TempFolder folder_;
};

// "Name=value(child,child)": enough to tell every tree of the dialect apart.
std::string Dump(const XMLNode& node)
{
    std::string text = node.name;
    if (!node.value.empty())
        text += "=" + node.value;
    if (node.children.empty())
        return text;
    text += "(";
    for (const XMLNode* child : node.children)
    {
        EXPECT_EQ(child->parent, &node);
        text += Dump(*child) + (child == node.children.back() ? ")" : ",");
    }
    return text;
}

struct Parsed
{
    std::string tree;
    std::string errors;
};

// A file by its path, or text from a stream.
template <typename Input>
Parsed ParseWith(Input&& input)
{
    testing::internal::CaptureStderr();
    XMLReader reader(input);
    reader.Parse();
    const std::string tree = Dump(*reader.GetRoot());
    return {tree, testing::internal::GetCapturedStderr()};
}

Parsed ParseFile(const std::string& path)
{
    return ParseWith(path);
}

Parsed ParseText(const std::string& text)
{
    std::istringstream in(text);
    return ParseWith(in);
}

const std::string kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
} // namespace

TEST_F(XMLFiles, WriterLaysOutOneItemPerLineIndentedByTabsInAFileOrAStream)
{
    const auto write = [](XMLWriter& writer) {
        ASSERT_TRUE(writer.IsOpen());
        writer.BeginElement("Objects");
        writer.BeginElement("Object");
        writer.WriteElement("Name", std::string("Player One"));
        writer.WriteElement("Label", "");
        char buffer[] = "Torch";
        writer.WriteElement("Prefab", static_cast<char*>(buffer));
        writer.WriteElement("Enabled", true);
        writer.WriteElement("Count", -12);
        writer.WriteElement("Id", std::numeric_limits<std::uint64_t>::max());
        writer.WriteElement("Tiny", 0.0000001f);
        writer.WriteElement("Big", 123456.7f);
        writer.WriteElement("FPS", 60.0f);
        writer.WriteElement("Gamma", 1.25f);
        writer.WriteElement("Size", Vector2(0.1f, 2.0f));
        writer.WriteElement("Position", Vector3(1.0f, -2.5f, 1e10f));
        writer.WriteElement("Colour", Vector4(1.0f, 0.5f, 0.0f, 1.0f));
        writer.EndElement();
        EXPECT_EQ(writer.Depth(), 1u);
        // The destructor closes "Objects".
    };
    {
        XMLWriter writer(PathOf("out.xml"));
        write(writer);
    }
    std::ostringstream stream;
    stream << "kept ";
    {
        XMLWriter writer(stream);
        write(writer);
    }
    const std::string expected = kDeclaration +
                                 "<Objects>\n"
                                 "\t<Object>\n"
                                 "\t\t<Name>Player One</Name>\n"
                                 "\t\t<Label></Label>\n"
                                 "\t\t<Prefab>Torch</Prefab>\n"
                                 "\t\t<Enabled>true</Enabled>\n"
                                 "\t\t<Count>-12</Count>\n"
                                 "\t\t<Id>18446744073709551615</Id>\n"
                                 "\t\t<Tiny>1e-07</Tiny>\n"
                                 "\t\t<Big>123457</Big>\n"
                                 "\t\t<FPS>60</FPS>\n"
                                 "\t\t<Gamma>1.25</Gamma>\n"
                                 "\t\t<Size>0.1, 2</Size>\n"
                                 "\t\t<Position>1, -2.5, 1e+10</Position>\n"
                                 "\t\t<Colour>1, 0.5, 0, 1</Colour>\n"
                                 "\t</Object>\n"
                                 "</Objects>\n";
    EXPECT_EQ(folder_.Read("out.xml"), expected);
    EXPECT_EQ(stream.str(), "kept " + expected) << "a stream is written from where it stands";
}

TEST_F(XMLFiles, WriterTruncatesAndAnUnopenableFileWritesNothing)
{
    const std::string path = Write("old.xml", "old content that is longer than the new file\n");
    {
        XMLWriter writer(path);
    }
    EXPECT_EQ(folder_.Read("old.xml"), kDeclaration);

    {
        // One end too many is reported and writes nothing.
        XMLWriter writer(path);
        writer.BeginElement("A");
        writer.EndElement();
        testing::internal::CaptureStderr();
        writer.EndElement();
        EXPECT_NE(testing::internal::GetCapturedStderr().find("XMLWriter - No element left to end."),
                  std::string::npos);
    }
    EXPECT_EQ(folder_.Read("old.xml"), kDeclaration + "<A>\n</A>\n");

    XMLWriter writer(PathOf("missing-folder/out.xml"));
    EXPECT_FALSE(writer.IsOpen());
    writer.BeginElement("Config");
    writer.WriteElement("Width", 1280);
    EXPECT_FALSE(fs::exists(PathOf("missing-folder")));

    std::ostringstream failed;
    failed.setstate(std::ios::badbit);
    EXPECT_FALSE(XMLWriter(failed).IsOpen());
}

TEST_F(XMLFiles, ALineBreakInAValueCannotShiftTheLinesAfterIt)
{
    testing::internal::CaptureStderr();
    {
        XMLWriter writer(PathOf("breaks.xml"));
        writer.BeginElement("A");
        writer.BeginElement("B");
        writer.WriteElement("Text", std::string("two\nlines\r\n"));
        writer.EndElement();
        writer.WriteElement("C", 1);
    }
    EXPECT_NE(testing::internal::GetCapturedStderr().find("XMLWriter - Line break in a value, written as a blank."),
              std::string::npos);
    EXPECT_EQ(ParseFile(PathOf("breaks.xml")).tree, "A(B(Text=two lines  ),C=1)");
}

TEST_F(XMLFiles, EveryValueTypeReadsBackWhatWasWritten)
{
    {
        XMLWriter writer(PathOf("values.xml"));
        writer.BeginElement("Values");
        writer.WriteElement("Bool", false);
        writer.WriteElement("Int", std::numeric_limits<int>::min());
        writer.WriteElement("Id", std::uint64_t{0x8000'1234'5678'9abcULL});
        writer.WriteElement("Float", -3.14159274f);
        writer.WriteElement("Text", std::string("a <b> </c> \"d\" & e"));
        writer.WriteElement("V2", Vector2(-0.001f, 1e-8f));
        writer.WriteElement("V3", Vector3(100000.0f, 0.333333f, -7.0f));
        writer.WriteElement("V4", Vector4(1.0f, 2.0f, 3.0f, 4.5f));
    }
    XMLReader reader(PathOf("values.xml"));
    reader.Parse();
    const XMLNode* root = reader.GetRoot();
    ASSERT_EQ(root->name, "Values");
    ASSERT_EQ(root->children.size(), 8u);
    const auto value = [&](size_t n) { return root->children[n]->value; };

    bool flag = true;
    int number = 0;
    std::uint64_t id = 0;
    float real = 0.0f;
    std::string text;
    Vector2 v2;
    Vector3 v3;
    Vector4 v4;
    EXPECT_TRUE(XMLReader::ReadValue(value(0), &flag));
    EXPECT_TRUE(XMLReader::ReadValue(value(1), &number));
    EXPECT_TRUE(XMLReader::ReadValue(value(2), &id));
    EXPECT_TRUE(XMLReader::ReadValue(value(3), &real));
    EXPECT_TRUE(XMLReader::ReadValue(value(4), &text));
    EXPECT_TRUE(XMLReader::ReadValue(value(5), &v2));
    EXPECT_TRUE(XMLReader::ReadValue(value(6), &v3));
    EXPECT_TRUE(XMLReader::ReadValue(value(7), &v4));
    EXPECT_FALSE(flag);
    EXPECT_EQ(number, std::numeric_limits<int>::min());
    EXPECT_EQ(id, 0x8000'1234'5678'9abcULL);
    EXPECT_FLOAT_EQ(real, -3.14159f); // six significant digits survive
    EXPECT_EQ(text, "a <b> </c> \"d\" & e");
    EXPECT_FLOAT_EQ(v2.x, -0.001f);
    EXPECT_FLOAT_EQ(v2.y, 1e-8f);
    EXPECT_TRUE(v3 == Vector3(100000.0f, 0.333333f, -7.0f));
    EXPECT_TRUE(v4 == Vector4(1.0f, 2.0f, 3.0f, 4.5f));
}

TEST_F(XMLFiles, ReaderBuildsTheTreeTheLinesDescribe)
{
    struct Case { const char* what; std::string text; std::string tree; };
    const Case cases[] = {
        {"nested leaves", "<A>\n\t<B>1</B>\n\t<C>\n\t\t<D>x y</D>\n\t</C>\n\t<E>2</E>\n</A>\n", "A(B=1,C(D=x y),E=2)"},
        {"declaration skipped", kDeclaration + "<A>\n\t<B>1</B>\n</A>\n", "A(B=1)"},
        {"empty element becomes two siblings", "<A>\n\t<B>\n\t</B>\n</A>\n", "A(B,B)"},
        {"empty leaf", "<A>\n\t<Name></Name>\n</A>\n", "A(Name)"},
        {"root without children", "<Objects>\n</Objects>\n", "Objects"},
        {"two-tab jump goes one level down", "<A>\n\t\t<B>1</B>\n</A>\n", "A(B=1)"},
        {"closing line goes up one level only", "<A>\n\t<B>\n\t\t<C>1</C>\n</A>\n\t<D>2</D>\n", "A(B(C=1),D=2)"},
        {"blank lines skipped", "\n<A>\n\n\t<B>1</B>\n\n</A>\n", "A(B=1)"},
        {"no final line end", "<A>\n\t<B>1</B>\n</A>", "A(B=1)"},
        {"truncated file", "<A>\n\t<B>\n\t\t<C>1</C>\n", "A(B(C=1))"},
        {"empty file", "", ""},
    };
    for (const Case& c : cases)
    {
        const Parsed lf = ParseFile(Write("lf.xml", c.text));
        EXPECT_EQ(lf.tree, c.tree) << c.what;
        EXPECT_EQ(lf.errors, "") << c.what;
        EXPECT_EQ(ParseText(c.text).tree, c.tree) << c.what << " (stream)";

        std::string crlf;
        for (char ch : c.text)
            crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        EXPECT_EQ(ParseFile(Write("crlf.xml", crlf)).tree, c.tree) << c.what << " (CR LF)";
    }
}

TEST_F(XMLFiles, NamesAndValuesEndWithANulForCFunctions)
{
    // The texts are views into the file's own buffer; each must end where its view does, whatever follows.
    const std::string text = "<A>\r\n\t<B>1</B>\r\n\t<C></C>\n\t<D>x</E>y\n\t<F>a</b>c</F>\n\t<G>\n\t</G>\n</A>";
    XMLReader reader(Write("ends.xml", text));
    reader.Parse();
    std::vector<const XMLNode*> pending = {reader.GetRoot()};
    size_t seen = 0;
    while (!pending.empty())
    {
        const XMLNode* node = pending.back();
        pending.pop_back();
        EXPECT_EQ(std::string(node->name.c_str()), std::string(node->name));
        EXPECT_EQ(std::string(node->value.c_str()), std::string(node->value));
        pending.insert(pending.end(), node->children.begin(), node->children.end());
        ++seen;
    }
    EXPECT_EQ(seen, 7u);
    EXPECT_EQ(Dump(*reader.GetRoot()), "A(B=1,C,D=x,F=a</b>c,G,G)");
}

TEST_F(XMLFiles, LinesOutsideTheDialectAreReportedAndParsingGoesOn)
{
    const Parsed parsed = ParseFile(Write("odd.xml", "<A>\n\tplain text\n\t<B>1</B>\n</A>\n"));
    EXPECT_EQ(parsed.tree, "A(,B=1)");
    EXPECT_NE(parsed.errors.find("Something is wrong with seperating elem data"), std::string::npos);

    // Blanks count as depth 0: a file indented with spaces is an empty root, and says so once.
    const Parsed spaces = ParseFile(Write("spaces.xml", "<A>\n  <B>1</B>\n  <C>2</C>\n</A>\n"));
    EXPECT_EQ(spaces.tree, "A");
    const std::string beside = "\"  <B>1</B>\" stands beside the root element";
    EXPECT_NE(spaces.errors.find(beside), std::string::npos);
    EXPECT_EQ(spaces.errors.find("stands beside", spaces.errors.find("stands beside") + 1), std::string::npos);

    // General XML spread over lines gives some tree and no crash.
    const Parsed general = ParseFile(Write("general.xml", "<a x=\"1\">\n<b\n  y=\"2\">text</b>\n<!-- c --></a>"));
    EXPECT_NE(general.errors.find("Something is wrong with seperating elem data"), std::string::npos);
}

TEST_F(XMLFiles, MissingFileIsReportedAndLeavesAnEmptyRoot)
{
    const std::string path = PathOf("nowhere.xml");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    XMLReader reader(path);
    reader.Parse();
    const std::string output = testing::internal::GetCapturedStdout();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(output, "XMLReader : Can't find file '" + path + "'\n");
    EXPECT_NE(errors.find("\tError processing XML.\n"), std::string::npos);
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_EQ(reader.GetRoot()->name, "");
    EXPECT_TRUE(reader.GetRoot()->children.empty());
}

TEST(XMLStreams, AStreamIsReadFromWhereItStandsAndAFailedOneLoadsNothingQuietly)
{
    std::stringstream stream;
    {
        XMLWriter writer(stream);
        writer.BeginElement("A");
        writer.WriteElement("B", 1);
    }
    std::string declaration;
    std::getline(stream, declaration);
    XMLReader reader(stream);
    reader.Parse();
    EXPECT_TRUE(reader.IsOpen()) << "still, after reading to the end";
    EXPECT_EQ(Dump(*reader.GetRoot()), "A(B=1)");

    std::istringstream failed("<A>\n</A>\n");
    failed.setstate(std::ios::failbit);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    XMLReader unread(failed);
    unread.Parse();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "no file to name";
    EXPECT_NE(testing::internal::GetCapturedStderr().find("\tError processing XML.\n"), std::string::npos);
    EXPECT_FALSE(unread.IsOpen());
    EXPECT_EQ(Dump(*unread.GetRoot()), "");
}

namespace
{
template <typename T>
struct Reading
{
    bool converted;
    T value;
    std::string errors;
    std::string output;
};

template <typename T>
Reading<T> ReadText(const std::string& text, T start)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const bool converted = XMLReader::ReadValue(text, &start);
    std::string errors = testing::internal::GetCapturedStderr();
    return {converted, start, errors, testing::internal::GetCapturedStdout()};
}
} // namespace

TEST(ReadValue, NumbersFollowTheStandardConversionsAndBadTextLeavesTheTarget)
{
    struct IntCase { const char* text; bool converted; int value; };
    const IntCase ints[] = {
        {"42", true, 42}, {"  -7", true, -7}, {"+3", true, 3}, {"12abc", true, 12}, {"0x1A", true, 0},
        {"2147483647", true, 2147483647}, {"abc", false, 99}, {"", false, 99}, {"2147483648", false, 99},
        {"99999999999999999999", false, 99}, {"-", false, 99},
    };
    for (const IntCase& c : ints)
    {
        const Reading<int> r = ReadText(c.text, 99);
        EXPECT_EQ(r.converted, c.converted) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
        // A failure names the text that could not be read, through the assertion.
        EXPECT_EQ(r.errors.find(std::string("'") + c.text + "'") != std::string::npos, !c.converted) << c.text;
    }

    struct IdCase { const char* text; bool converted; std::uint64_t value; };
    const IdCase ids[] = {
        {"18446744073709551615", true, 18446744073709551615ULL}, {"18446744073709551616", false, 5},
        {"99999999999999999999", false, 5}, {"x1", false, 5}, {" 123 ", true, 123},
    };
    for (const IdCase& c : ids)
    {
        const Reading<std::uint64_t> r = ReadText<std::uint64_t>(c.text, 5);
        EXPECT_EQ(r.converted, c.converted) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
    }

    struct FloatCase { const char* text; bool converted; float value; };
    const FloatCase floats[] = {
        {"1.25", true, 1.25f}, {"1e-07", true, 1e-7f}, {" -60", true, -60.0f}, {"3.5cm", true, 3.5f},
        // Below full float precision, as the writer puts the smallest float, still reads.
        {"1.4013e-45", true, 1.4013e-45f}, {"-1e-40", true, -1e-40f}, {"1e-50", true, 0.0f},
        {"1e39", false, 2.0f}, {"-1e39", false, 2.0f}, {"abc", false, 2.0f}, {"", false, 2.0f}, {".", false, 2.0f},
        {"nan", false, 2.0f}, {"-NaN", false, 2.0f}, {"inf", false, 2.0f}, {"-infinity", false, 2.0f},
    };
    for (const FloatCase& c : floats)
    {
        const Reading<float> r = ReadText(c.text, 2.0f);
        EXPECT_EQ(r.converted, c.converted) << c.text;
        EXPECT_FLOAT_EQ(r.value, c.value) << c.text;
    }
}

TEST(ReadValue, NumbersEndWhereTheirTextEnds)
{
    // Texts are views: the digits after one must not be read as part of it.
    const std::string digits = "1234";
    int number = 0;
    EXPECT_TRUE(XMLReader::ReadValue(std::string_view(digits).substr(0, 2), &number));
    EXPECT_EQ(number, 12);
    float real = 0.0f;
    EXPECT_TRUE(XMLReader::ReadValue(std::string_view("2.5e3").substr(0, 3), &real));
    EXPECT_EQ(real, 2.5f);
    // Longer than any short copy: leading blanks still skipped, trailing text still ignored.
    std::uint64_t id = 0;
    EXPECT_TRUE(XMLReader::ReadValue(std::string(100, ' ') + "42 and more", &id));
    EXPECT_EQ(id, 42u);
    const Reading<int> blank = ReadText(std::string(100, ' '), 5);
    EXPECT_FALSE(blank.converted);
    EXPECT_EQ(blank.value, 5);
}

TEST(ReadValue, BooleansAreExactlyTrueOrFalse)
{
    struct Case { const char* text; bool converted; bool value; };
    const Case cases[] = {
        {"true", true, true}, {"false", true, false}, {"True", false, true}, {"1", false, true},
        {" true", false, true}, {"", false, true},
    };
    for (const Case& c : cases)
    {
        const Reading<bool> r = ReadText(c.text, true);
        EXPECT_EQ(r.converted, c.converted) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
        EXPECT_EQ(r.output, c.converted ? "" : "Boolean field in xml file is neither True nor False\n") << c.text;
    }
}

TEST(ReadValue, VectorsMatchTheirPatternOrStayUnchanged)
{
    const Vector3 start(9, 9, 9);
    struct Case { const char* text; bool converted; Vector3 value; };
    const Case cases[] = {
        {"1, 2, 3", true, {1, 2, 3}},
        {"1,2,3", true, {1, 2, 3}},
        {"  -1.5 ,2,\t3e2 trailing", true, {-1.5f, 2, 300}},
        {"1, 2 ,3", false, start}, // the later commas must follow the number directly
        {"1, 2", false, start},
        {"", false, start},
        {"a, b, c", false, start}, // matches the pattern, but a is no number
        {"1, 2, 1e39", false, start},
        {"1, nan, 3", false, start},
    };
    for (const Case& c : cases)
    {
        const Reading<Vector3> r = ReadText(c.text, start);
        EXPECT_EQ(r.converted, c.converted) << c.text;
        EXPECT_EQ(r.value, c.value) << c.text;
    }

    const Reading<Vector2> v2 = ReadText("0.5, -4", Vector2(7, 7));
    EXPECT_TRUE(v2.converted);
    EXPECT_EQ(v2.value, Vector2(0.5f, -4));
    const Reading<Vector4> v4 = ReadText("1, 0.5, 0, 1", Vector4());
    EXPECT_TRUE(v4.converted);
    EXPECT_EQ(v4.value, Vector4(1, 0.5f, 0, 1));
    const Reading<Vector4> short4 = ReadText("1, 0.5, 0", Vector4(3, 3, 3, 3));
    EXPECT_FALSE(short4.converted);
    EXPECT_EQ(short4.value, Vector4(3, 3, 3, 3));
}

TEST_F(XMLFiles, TreesCanBeReadOnSeveralThreadsAtOnce)
{
    std::string text = "<Objects>\n";
    for (int n = 0; n < 300; ++n)
        text += "\t<Object>\n\t\t<Name>O" + std::to_string(n) + "</Name>\n\t\t<Position>1, 2, 3</Position>\n\t</Object>\n";
    text += "</Objects>\n";
    const std::string path = Write("shared.xml", text);
    const std::string expected = ParseFile(path).tree;

    std::vector<std::string> trees(4);
    std::vector<std::thread> threads;
    for (std::string& tree : trees)
        threads.emplace_back([&path, &tree] {
            for (int round = 0; round < 20; ++round)
            {
                XMLReader reader(path);
                reader.Parse();
                tree = Dump(*reader.GetRoot());
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    for (const std::string& tree : trees)
        EXPECT_EQ(tree, expected);
}

TEST_F(XMLFiles, LinesAcrossReadBlocksAndVeryLongLinesArriveWhole)
{
    const std::string longValue(300000, 'v');
    std::string text = "<Objects>\n";
    std::string expected = "Objects(";
    for (int n = 0; n < 8000; ++n)
    {
        const std::string value = n == 4000 ? longValue : "value " + std::to_string(n);
        text += "\t<Leaf" + std::to_string(n % 10) + ">" + value + "</Leaf" + std::to_string(n % 10) + ">\r\n";
        expected += "Leaf" + std::to_string(n % 10) + "=" + value + (n == 7999 ? ")" : ",");
    }
    text += "</Objects>";
    EXPECT_EQ(ParseFile(Write("blocks.xml", text)).tree, expected);
    EXPECT_EQ(ParseText(text).tree, expected);
}

TEST(XMLTrees, ACopyOfASubtreeOutlivesItsReaderAndHoldsItsOwnText)
{
    std::unique_ptr<XMLTree> copy;
    {
        std::istringstream in("<A>\n\t<B>\n\t\t<C>1</C>\n\t\t<D>\n\t\t\t<E>two</E>\n\t\t</D>\n\t</B>\n</A>\n");
        XMLReader reader(in);
        reader.Parse();
        copy = std::make_unique<XMLTree>(*reader.GetRoot()->children[0]);
    }
    EXPECT_EQ(copy->GetRoot()->parent, nullptr);
    EXPECT_EQ(Dump(*copy->GetRoot()), "B(C=1,D(E=two))");
    EXPECT_STREQ(copy->GetRoot()->children[0]->value.c_str(), "1");
}

TEST(XMLTrees, AddedChildrenKeepTheirOrderAndCopiesOfTheirText)
{
    XMLTree tree;
    std::string name = "Leaf";
    for (int n = 0; n < 100; ++n)
        tree.AddChild(tree.GetRoot(), name, std::to_string(n));
    name = "Changed";
    const XMLNodeList& children = tree.GetRoot()->children;
    ASSERT_EQ(children.size(), 100u);
    for (size_t n = 0; n < children.size(); ++n)
    {
        EXPECT_EQ(children[n]->name, "Leaf");
        EXPECT_EQ(children[n]->value, std::to_string(n));
        EXPECT_EQ(children[n]->parent, tree.GetRoot());
    }
}

TEST(XMLTrees, DeepTreesAreCopiedWithoutRecursion)
{
    constexpr int kDepth = 200000;
    XMLTree tree;
    XMLNode* node = tree.GetRoot();
    for (int n = 0; n < kDepth; ++n)
        node = tree.AddChild(node, "A");
    const XMLTree copy(*tree.GetRoot());
    int depth = 0;
    for (const XMLNode* at = copy.GetRoot(); !at->children.empty(); at = at->children[0])
        ++depth;
    EXPECT_EQ(depth, kDepth);
}
