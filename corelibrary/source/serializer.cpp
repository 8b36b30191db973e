#include "serializer.h"

#include "assertion.h"
#include "console.h"
#include "xmlmatch.h"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <iterator>
#include <type_traits>
#include <utility>

namespace
{
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
} // namespace

// ---- XMLWriter -------------------------------------------------------------------------------------------

XMLWriter::XMLWriter(const std::string& path) : file_(path, std::ios::out | std::ios::trunc)
{
    if (file_.is_open())
        file_ << kDeclaration << '\n';
}

XMLWriter::~XMLWriter()
{
    while (!openElements_.empty())
        EndElement();
}

void XMLWriter::WriteIndent(size_t depth)
{
    for (size_t n = 0; n < depth; ++n)
        file_.put('\t');
}

void XMLWriter::BeginElement(const std::string& name)
{
    WriteIndent(Depth());
    file_ << '<' << name << ">\n";
    openElements_.push_back(name);
}

void XMLWriter::EndElement()
{
    ASSERT(!openElements_.empty(), "XMLWriter - No element left to end.");
    if (openElements_.empty())
        return;
    WriteIndent(Depth() - 1);
    file_ << "</" << openElements_.back() << ">\n";
    openElements_.pop_back();
}

void XMLWriter::WriteLeafStart(const std::string& key)
{
    WriteIndent(Depth());
    file_ << '<' << key << '>';
}

void XMLWriter::WriteLeafEnd(const std::string& key)
{
    file_ << "</" << key << ">\n";
}

void XMLWriter::WriteValue(bool value)
{
    file_ << (value ? "true" : "false");
}

void XMLWriter::WriteValue(int value)
{
    file_ << value;
}

void XMLWriter::WriteValue(std::uint64_t value)
{
    file_ << value;
}

// The stream's default form: six significant digits, "%g" style (1e-07, 123457, 60).
void XMLWriter::WriteValue(float value)
{
    file_ << value;
}

void XMLWriter::WriteValue(const std::string& value)
{
    file_ << value;
}

void XMLWriter::WriteValue(const Vector2& value)
{
    file_ << value.x << ", " << value.y;
}

void XMLWriter::WriteValue(const Vector3& value)
{
    file_ << value.x << ", " << value.y << ", " << value.z;
}

void XMLWriter::WriteValue(const Vector4& value)
{
    file_ << value.x << ", " << value.y << ", " << value.z << ", " << value.w;
}

// ---- XMLNode ---------------------------------------------------------------------------------------------

// Iterative, so a file nested thousands of levels deep cannot exhaust the stack.
XMLNode::~XMLNode()
{
    std::vector<XMLNode*> pending = std::move(children);
    while (!pending.empty())
    {
        XMLNode* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->children.begin(), node->children.end());
        node->children.clear();
        delete node;
    }
}

XMLNode* XMLNode::AddChild()
{
    XMLNode* child = new XMLNode;
    child->parent = this;
    children.push_back(child);
    return child;
}

// ---- XMLReader -------------------------------------------------------------------------------------------

XMLReader::XMLReader(const std::string& path) : file_(path, std::ios::in | std::ios::binary)
{
    if (file_.is_open())
        return;
    SetConsoleColor(ConsoleColor::Yellow);
    std::cout << "XMLReader : Can't find file '" << path << "'" << std::endl;
    SetConsoleColor(ConsoleColor::White);
}

XMLReader::~XMLReader() = default;

void XMLReader::Parse()
{
    ASSERT(file_.is_open(), "Error processing XML.");
    if (!file_.is_open())
        return;
    const std::string text(std::istreambuf_iterator<char>(file_), {});
    std::string_view rest(text);
    while (!rest.empty())
    {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        // Files written on Windows end their lines with CR LF.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line != kDeclaration)
            ParseLine(line);
    }
}

void XMLReader::ParseLine(std::string_view line)
{
    const size_t tabs = std::min(line.find_first_not_of('\t'), line.size());
    const size_t depth = static_cast<size_t>(depth_);
    if (tabs < depth)
    {
        // A closing line: one level up, however many tabs it lacks.
        current_ = current_->parent;
        --depth_;
        return;
    }
    if (tabs > depth)
    {
        // One level down, however many tabs it adds.
        current_ = current_->AddChild();
        ++depth_;
    }
    else if (current_->parent != nullptr)
    {
        current_ = current_->parent->AddChild();
    }
    // A sibling of the root fills the root itself.

    const xmlmatch::TagMatch match = xmlmatch::SplitLine(line);
    ASSERT(match.found, "Something is wrong with seperating elem data");
    if (!match.found)
        return;
    current_->name = match.name;
    current_->value = match.value;
}

// ---- Value readers ---------------------------------------------------------------------------------------

namespace
{
void ReportUnreadable(const std::string& text, std::string_view type)
{
    ASSERT(false, "XMLReader : Can't read '" + text + "' as " + std::string(type));
}

// The standard string-to-number rules (leading blanks and a sign accepted, trailing text ignored), with
// no digits or a value out of range reported instead of ending the program.
template <typename Number, typename Convert>
bool ReadNumber(const std::string& text, Number* target, std::string_view type, Convert convert)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const auto value = convert(begin, &end);
    bool fits = true;
    if constexpr (std::is_integral_v<Number>)
        fits = std::in_range<Number>(value);
    if (end == begin || errno == ERANGE || !fits)
    {
        ReportUnreadable(text, type);
        return false;
    }
    *target = static_cast<Number>(value);
    return true;
}

template <unsigned Count>
bool ReadComponents(const std::string& text, float (&components)[Count])
{
    std::string_view groups[Count];
    if (!xmlmatch::FindComponents(text, groups, Count))
        return false;
    for (unsigned n = 0; n < Count; ++n)
        if (!XMLReader::ReadValue(std::string(groups[n]), &components[n]))
            return false;
    return true;
}
} // namespace

template <>
bool XMLReader::ReadValue<bool>(const std::string& text, bool* target)
{
    if (text != "true" && text != "false")
    {
        std::cout << "Boolean field in xml file is neither True nor False" << std::endl;
        return false;
    }
    *target = text == "true";
    return true;
}

template <>
bool XMLReader::ReadValue<int>(const std::string& text, int* target)
{
    return ReadNumber(text, target, "int", [](const char* s, char** end) { return std::strtol(s, end, 10); });
}

template <>
bool XMLReader::ReadValue<std::uint64_t>(const std::string& text, std::uint64_t* target)
{
    return ReadNumber(text, target, "uint64", [](const char* s, char** end) { return std::strtoull(s, end, 10); });
}

template <>
bool XMLReader::ReadValue<float>(const std::string& text, float* target)
{
    return ReadNumber(text, target, "float", [](const char* s, char** end) { return std::strtof(s, end); });
}

template <>
bool XMLReader::ReadValue<std::string>(const std::string& text, std::string* target)
{
    *target = text;
    return true;
}

template <>
bool XMLReader::ReadValue<Vector2>(const std::string& text, Vector2* target)
{
    float c[2];
    if (!ReadComponents(text, c))
        return false;
    *target = Vector2(c[0], c[1]);
    return true;
}

template <>
bool XMLReader::ReadValue<Vector3>(const std::string& text, Vector3* target)
{
    float c[3];
    if (!ReadComponents(text, c))
        return false;
    *target = Vector3(c[0], c[1], c[2]);
    return true;
}

template <>
bool XMLReader::ReadValue<Vector4>(const std::string& text, Vector4* target)
{
    float c[4];
    if (!ReadComponents(text, c))
        return false;
    *target = Vector4(c[0], c[1], c[2], c[3]);
    return true;
}
