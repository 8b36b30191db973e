#include "serializer.h"

#include "assertion.h"
#include "console.h"
#include "xmlmatch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>

namespace
{
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
} // namespace

// ---- XMLWriter -------------------------------------------------------------------------------------------

XMLWriter::XMLWriter(const std::string& path) : file_(path, std::ios::out | std::ios::trunc), out_(file_)
{
    WriteDeclaration();
}

XMLWriter::XMLWriter(std::ostream& out) : out_(out)
{
    WriteDeclaration();
}

void XMLWriter::WriteDeclaration()
{
    if (out_)
        out_ << kDeclaration << '\n';
}

XMLWriter::~XMLWriter()
{
    while (!openElements_.empty())
        EndElement();
}

void XMLWriter::WriteIndent(size_t depth)
{
    for (size_t n = 0; n < depth; ++n)
        out_.put('\t');
}

void XMLWriter::BeginElement(const std::string& name)
{
    WriteIndent(Depth());
    out_ << '<' << name << ">\n";
    openElements_.push_back(name);
}

void XMLWriter::EndElement()
{
    if (!Check(!openElements_.empty(), "XMLWriter - No element left to end."))
        return;
    WriteIndent(Depth() - 1);
    out_ << "</" << openElements_.back() << ">\n";
    openElements_.pop_back();
}

void XMLWriter::WriteLeafStart(const std::string& key)
{
    WriteIndent(Depth());
    out_ << '<' << key << '>';
}

void XMLWriter::WriteLeafEnd(const std::string& key)
{
    out_ << "</" << key << ">\n";
}

void XMLWriter::WriteValue(bool value)
{
    out_ << (value ? "true" : "false");
}

void XMLWriter::WriteValue(int value)
{
    out_ << value;
}

void XMLWriter::WriteValue(std::uint32_t value)
{
    out_ << value;
}

void XMLWriter::WriteValue(std::uint64_t value)
{
    out_ << value;
}

// The stream's default form: six significant digits, "%g" style (1e-07, 123457, 60).
void XMLWriter::WriteValue(float value)
{
    out_ << value;
}

// A line break would end the leaf's line early and shift the depth of every line after it, so it is
// written as a blank.
void XMLWriter::WriteValue(std::string_view value)
{
    if (value.find_first_of("\r\n") == std::string_view::npos)
    {
        out_ << value;
        return;
    }
    ASSERT(false, "XMLWriter - Line break in a value, written as a blank.");
    std::string line(value);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out_ << line;
}

void XMLWriter::WriteValue(const char* value)
{
    WriteValue(std::string_view(value));
}

void XMLWriter::WriteValue(const Vector2& value)
{
    out_ << value.x << ", " << value.y;
}

void XMLWriter::WriteValue(const Vector3& value)
{
    out_ << value.x << ", " << value.y << ", " << value.z;
}

void XMLWriter::WriteValue(const Vector4& value)
{
    out_ << value.x << ", " << value.y << ", " << value.z << ", " << value.w;
}

// ---- XMLTree ---------------------------------------------------------------------------------------------

namespace
{
// Blocks start small, as most files are, and grow with the tree up to a size that keeps the waste low.
constexpr size_t kFirstBlock = 4 * 1024;
constexpr size_t kLargestBlock = 1024 * 1024;
} // namespace

static_assert(std::is_trivially_destructible_v<XMLNode>, "nodes are freed with their blocks, never one by one");

XMLTree::XMLTree() : blockSize_(kFirstBlock), root_(NewNode(nullptr))
{
}

// Iterative, so a file nested thousands of levels deep cannot exhaust the stack.
XMLTree::XMLTree(const XMLNode& node) : XMLTree()
{
    std::vector<std::pair<const XMLNode*, XMLNode*>> pending = {{&node, root_}};
    std::vector<XMLNode*> copies;
    while (!pending.empty())
    {
        const auto [from, to] = pending.back();
        pending.pop_back();
        to->name = CopyText(from->name);
        to->value = CopyText(from->value);
        copies.clear();
        for (const XMLNode* child : from->children)
        {
            copies.push_back(NewNode(to));
            pending.emplace_back(child, copies.back());
        }
        SetChildren(to, copies.data(), copies.size());
    }
}

XMLTree::~XMLTree() = default;

void* XMLTree::Allocate(size_t bytes)
{
    constexpr size_t kAlign = alignof(std::max_align_t);
    bytes = (bytes + kAlign - 1) & ~(kAlign - 1);
    // A large piece (a file's text, a long list) gets a block of its own; the current block stays in use.
    if (bytes > kLargestBlock / 4)
        return blocks_.emplace_back(std::make_unique_for_overwrite<std::byte[]>(bytes)).get();
    if (static_cast<size_t>(end_ - next_) < bytes)
    {
        const size_t size = std::max(blockSize_, bytes);
        blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        next_ = blocks_.back().get();
        end_ = next_ + size;
        blockSize_ = std::min(blockSize_ * 2, kLargestBlock);
    }
    void* memory = next_;
    next_ += bytes;
    return memory;
}

XMLNode* XMLTree::NewNode(XMLNode* parent)
{
    XMLNode* node = ::new (Allocate(sizeof(XMLNode))) XMLNode;
    node->parent = parent;
    return node;
}

XMLText XMLTree::CopyText(std::string_view text)
{
    if (text.empty())
        return {};
    char* copy = static_cast<char*>(Allocate(text.size() + 1));
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return XMLText(std::string_view(copy, text.size()));
}

void XMLTree::SetChildren(XMLNode* node, XMLNode* const* children, size_t count)
{
    if (count == 0)
        return;
    XMLNodeList& list = node->children;
    list.nodes_ = static_cast<XMLNode**>(Allocate(count * sizeof(XMLNode*)));
    std::memcpy(list.nodes_, children, count * sizeof(XMLNode*));
    list.size_ = list.capacity_ = count;
}

XMLNode* XMLTree::AddChild(XMLNode* parent, std::string_view name, std::string_view value)
{
    XMLNode* child = NewNode(parent);
    child->name = CopyText(name);
    child->value = CopyText(value);
    XMLNodeList& list = parent->children;
    if (list.size_ == list.capacity_)
    {
        // The old array stays in the block: doubling keeps the waste below the list's own size.
        const size_t capacity = std::max<size_t>(list.capacity_ * 2, 4);
        auto** nodes = static_cast<XMLNode**>(Allocate(capacity * sizeof(XMLNode*)));
        std::copy(list.begin(), list.end(), nodes);
        list.nodes_ = nodes;
        list.capacity_ = capacity;
    }
    list.nodes_[list.size_++] = child;
    return child;
}

std::string_view XMLTree::ReadText(std::istream& in)
{
    // The size when the stream can tell it, plus one byte so the first read already meets the end.
    size_t capacity = 64 * 1024;
    const std::istream::pos_type start = in.tellg();
    if (start != std::istream::pos_type(-1) && in.seekg(0, std::ios::end))
    {
        const std::istream::pos_type end = in.tellg();
        in.seekg(start);
        if (end != std::istream::pos_type(-1) && end >= start)
            capacity = static_cast<size_t>(end - start) + 1;
    }
    in.clear(in.rdstate() & std::ios::eofbit);
    // Buffers outgrown stay with the tree: at most as much again as the text.
    char* text = static_cast<char*>(Allocate(capacity));
    size_t size = 0;
    for (;;)
    {
        in.read(text + size, static_cast<std::streamsize>(capacity - size));
        size += static_cast<size_t>(in.gcount());
        if (!in)
            return {text, size};
        if (size == capacity)
        {
            capacity *= 2;
            text = static_cast<char*>(std::memcpy(Allocate(capacity), text, size));
        }
    }
}

XMLText XMLTree::Terminate(std::string_view text)
{
    if (text.empty())
        return {};
    // The tree's own text, which it may write.
    *const_cast<char*>(text.data() + text.size()) = '\0';
    return XMLText(text);
}

// ---- XMLReader -------------------------------------------------------------------------------------------

// Places the lines of one parse. The nodes from the root to the current one each gather their children in a
// list of their own, handed to the tree when the node can take no more: when a sibling follows it or a
// closing line leaves it.
class XMLReader::Builder
{
public:
    explicit Builder(XMLTree& tree) : tree_(tree) { path_.push_back({tree.GetRoot(), {}}); }

    void ParseLine(std::string_view line);

    // Hands the lists of the nodes still open to the tree.
    void End()
    {
        while (top_ > 0)
            Close();
        Finish(path_[0]);
    }

private:
    struct Open
    {
        XMLNode* node;
        std::vector<XMLNode*> children;
    };

    void Finish(Open& open)
    {
        tree_.SetChildren(open.node, open.children.data(), open.children.size());
        open.children.clear();
    }

    void Close()
    {
        Finish(path_[top_]);
        --top_;
    }

    // A new child of the node at path_[top_ - 1], made the current node at path_[top_].
    XMLNode* Place()
    {
        XMLNode* node = tree_.NewNode(path_[top_ - 1].node);
        path_[top_ - 1].children.push_back(node);
        if (top_ == path_.size())
            path_.push_back({node, {}});
        else
            path_[top_].node = node;
        return node;
    }

    XMLTree& tree_;
    // Kept, lists and all, as the parse goes up and down: lists are reused rather than made for every node.
    std::vector<Open> path_;
    size_t top_ = 0;
    bool reportedRootSibling_ = false;
};

void XMLReader::Builder::ParseLine(std::string_view line)
{
    size_t tabs = 0;
    while (tabs < line.size() && line[tabs] == '\t')
        ++tabs;
    XMLNode* current = path_[top_].node;
    if (tabs < top_)
    {
        // A closing line: one level up, however many tabs it lacks.
        Close();
        return;
    }
    if (tabs > top_)
    {
        // One level down, however many tabs it adds.
        ++top_;
        current = Place();
    }
    else if (top_ > 0)
    {
        Finish(path_[top_]);
        current = Place();
    }
    else if (!current->name.empty() && !line.starts_with("</") && !reportedRootSibling_)
    {
        // Only the root's own lines stand at the left edge: a file indented with spaces would otherwise load
        // as an empty root without a word.
        reportedRootSibling_ = true;
        ASSERT(false, "XMLReader : \"" + std::string(line) + "\" stands beside the root element; the elements "
                      "below the root are indented with tabs");
    }
    // A sibling of the root fills the root itself.

    const xmlmatch::TagMatch match = xmlmatch::SplitLine(line);
    if (!Check(match.found, "Something is wrong with seperating elem data"))
        return;
    current->name = tree_.Terminate(match.name);
    current->value = tree_.Terminate(match.value);
}

XMLReader::XMLReader(const std::string& path)
    : file_(path, std::ios::in | std::ios::binary), in_(file_), open_(file_.is_open())
{
    if (open_)
        return;
    PrintColoredLine(ConsoleColor::Yellow, "XMLReader : Can't find file '" + path + "'");
}

XMLReader::XMLReader(std::istream& in) : in_(in), open_(static_cast<bool>(in))
{
}

XMLReader::~XMLReader() = default;

void XMLReader::Parse()
{
    if (!Check(open_, "Error processing XML."))
        return;
    const std::string_view text = tree_.ReadText(in_);
    Builder builder(tree_);
    for (size_t begin = 0; begin < text.size();)
    {
        const void* newline = std::memchr(text.data() + begin, '\n', text.size() - begin);
        const size_t end = newline ? static_cast<size_t>(static_cast<const char*>(newline) - text.data()) : text.size();
        std::string_view line = text.substr(begin, end - begin);
        begin = end + 1;
        // Files written on Windows end their lines with CR LF.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty() && line != kDeclaration)
            builder.ParseLine(line);
    }
    builder.End();
}

// ---- Value readers ---------------------------------------------------------------------------------------

namespace
{
void ReportUnreadable(std::string_view text, std::string_view type)
{
    ASSERT(false, "XMLReader : Can't read '" + std::string(text) + "' as " + std::string(type));
}

// The standard string-to-number rules (leading blanks and a sign accepted, trailing text ignored), with
// no digits, a value out of range, "nan" or "inf" reported instead of ending the program: one such number
// in a file would spread through every sum it takes part in. A float too small for full
// precision still reads as its nearest value: the writer produces such texts itself (1.4013e-45).
template <typename Number, typename Convert>
bool ReadNumber(std::string_view text, Number* target, std::string_view type, Convert convert)
{
    // The conversions need a NUL after the text; numbers are short, so most need no allocation.
    std::array<char, 64> shortCopy;
    std::string longCopy;
    const char* begin = shortCopy.data();
    if (text.size() < shortCopy.size())
    {
        text.copy(shortCopy.data(), text.size());
        shortCopy[text.size()] = '\0';
    }
    else
        begin = (longCopy = text).c_str();
    char* end = nullptr;
    errno = 0;
    const auto value = convert(begin, &end);
    bool fits = true;
    if constexpr (std::is_integral_v<Number>)
        fits = errno != ERANGE && std::in_range<Number>(value);
    else
        fits = std::isfinite(value);
    if (end == begin || !fits)
    {
        ReportUnreadable(text, type);
        return false;
    }
    *target = static_cast<Number>(value);
    return true;
}

// The vector's pattern with Count groups, each group read as a float; the target changes only when all do.
template <unsigned Count, typename Vector>
bool ReadVector(std::string_view text, Vector* target)
{
    std::string_view groups[Count];
    if (!xmlmatch::FindComponents(text, groups, Count))
        return false;
    std::array<float, Count> components;
    for (unsigned n = 0; n < Count; ++n)
        if (!XMLReader::ReadValue(groups[n], &components[n]))
            return false;
    *target = std::apply([](auto... c) { return Vector(c...); }, components);
    return true;
}
} // namespace

template <>
bool XMLReader::ReadValue<bool>(std::string_view text, bool* target)
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
bool XMLReader::ReadValue<int>(std::string_view text, int* target)
{
    return ReadNumber(text, target, "int", [](const char* s, char** end) { return std::strtol(s, end, 10); });
}

template <>
bool XMLReader::ReadValue<std::uint32_t>(std::string_view text, std::uint32_t* target)
{
    return ReadNumber(text, target, "uint32", [](const char* s, char** end) { return std::strtoull(s, end, 10); });
}

template <>
bool XMLReader::ReadValue<std::uint64_t>(std::string_view text, std::uint64_t* target)
{
    return ReadNumber(text, target, "uint64", [](const char* s, char** end) { return std::strtoull(s, end, 10); });
}

template <>
bool XMLReader::ReadValue<float>(std::string_view text, float* target)
{
    return ReadNumber(text, target, "float", [](const char* s, char** end) { return std::strtof(s, end); });
}

template <>
bool XMLReader::ReadValue<std::string>(std::string_view text, std::string* target)
{
    target->assign(text);
    return true;
}

template <>
bool XMLReader::ReadValue<Vector2>(std::string_view text, Vector2* target)
{
    return ReadVector<2>(text, target);
}

template <>
bool XMLReader::ReadValue<Vector3>(std::string_view text, Vector3* target)
{
    return ReadVector<3>(text, target);
}

template <>
bool XMLReader::ReadValue<Vector4>(std::string_view text, Vector4* target)
{
    return ReadVector<4>(text, target);
}
