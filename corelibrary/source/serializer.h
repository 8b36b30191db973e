#pragma once
#include "TorvaneMath.h"

#include <cstdint>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The one XML dialect every stored file uses: one element per line, nesting shown by leading tabs,
// no attributes and no escaping. The reader relies on the writer's line layout; it is not a general XML parser.

// Writes the dialect to a file or to a stream the caller keeps. A file that cannot be opened drops every
// write silently; callers that care test IsOpen.
class XMLWriter
{
public:
    explicit XMLWriter(const std::string& path);
    explicit XMLWriter(std::ostream& out);
    // Ends every element still open, then closes the file.
    ~XMLWriter();
    XMLWriter(const XMLWriter&) = delete;
    XMLWriter& operator=(const XMLWriter&) = delete;

    bool IsOpen() const { return out_.good(); }
    size_t Depth() const { return openElements_.size(); }

    void BeginElement(const std::string& name);
    void EndElement();
    // One leaf line. T is bool, int, std::uint32_t, std::uint64_t, float, std::string, Vector2, Vector3 or Vector4.
    template <typename T>
    void WriteElement(const std::string& key, const T& value)
    {
        WriteLeafStart(key);
        WriteValue(value);
        WriteLeafEnd(key);
    }

private:
    void WriteDeclaration();
    void WriteIndent(size_t depth);
    void WriteLeafStart(const std::string& key);
    void WriteLeafEnd(const std::string& key);
    void WriteValue(bool value);
    void WriteValue(int value);
    void WriteValue(std::uint32_t value);
    void WriteValue(std::uint64_t value);
    void WriteValue(float value);
    void WriteValue(std::string_view value);
    // Text held by a pointer; without it a char* would be written as the bool "true".
    void WriteValue(const char* value);
    void WriteValue(const Vector2& value);
    void WriteValue(const Vector3& value);
    void WriteValue(const Vector4& value);

    // Only the path form opens it.
    std::ofstream file_;
    std::ostream& out_;
    std::vector<std::string> openElements_;
};

class XMLNode;
class XMLTree;

// Text of a node: a view into the tree that holds it, followed by a NUL so that it can go to C functions.
// Compares, prints and converts like a string.
class XMLText : public std::string_view
{
public:
    constexpr XMLText() : std::string_view("") {}
    const char* c_str() const { return data(); }
    operator std::string() const { return std::string(data(), size()); }

private:
    friend class XMLTree;
    constexpr explicit XMLText(std::string_view terminated) : std::string_view(terminated) {}
};

// Joined with other text as a string would be.
inline std::string operator+(std::string left, const XMLText& right)
{
    return left.append(right);
}

inline std::string operator+(const XMLText& left, std::string_view right)
{
    return std::string(left).append(right);
}

// The children of a node, in file order.
class XMLNodeList
{
public:
    using value_type = XMLNode*;
    using const_iterator = XMLNode* const*;
    using iterator = const_iterator;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    const_iterator begin() const { return nodes_; }
    const_iterator end() const { return nodes_ + size_; }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    XMLNode* operator[](size_t n) const { return nodes_[n]; }
    XMLNode* front() const { return nodes_[0]; }
    XMLNode* back() const { return nodes_[size_ - 1]; }

private:
    friend class XMLTree;
    XMLNode** nodes_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

// One element of a read file: a leaf has a value and no children, an element with children has no value.
// Nodes and their text belong to the XMLTree that made them.
class XMLNode final
{
public:
    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    XMLNodeList children;
    XMLNode* parent = nullptr;
    XMLText name;
    XMLText value;

private:
    friend class XMLTree;
    XMLNode() = default;
};

// Owns the nodes of one tree and their text and frees them all at once: a level holds hundreds of thousands
// of nodes, and one allocation or free for each cost more than reading them.
class XMLTree
{
public:
    // An empty root.
    XMLTree();
    // A copy of node and everything below it, for keeping part of a tree longer than the whole.
    explicit XMLTree(const XMLNode& node);
    ~XMLTree();
    XMLTree(const XMLTree&) = delete;
    XMLTree& operator=(const XMLTree&) = delete;

    XMLNode* GetRoot() { return root_; }
    const XMLNode* GetRoot() const { return root_; }
    // Appends a new child holding copies of name and value.
    XMLNode* AddChild(XMLNode* parent, std::string_view name, std::string_view value = {});

private:
    friend class XMLReader;
    XMLNode* NewNode(XMLNode* parent);
    void* Allocate(size_t bytes);
    XMLText CopyText(std::string_view text);
    void SetChildren(XMLNode* node, XMLNode* const* children, size_t count);
    // Reads the rest of the input as the tree's own text, which the reader then splits in place. Every text
    // read stays until the tree goes.
    std::string_view ReadText(std::istream& in);
    // Text that lies in the tree's own text: the character after it becomes a NUL.
    XMLText Terminate(std::string_view text);

    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    size_t blockSize_;
    XMLNode* root_;
};

// Reads a file or stream of the dialect into a tree of XMLNode. Consumers walk GetRoot(); an empty root (no
// name, no children) means nothing was loaded.
class XMLReader
{
public:
    // Opens the file; a missing file is reported on the console.
    explicit XMLReader(const std::string& path);
    // Reads from the stream's current position; the caller keeps the stream.
    explicit XMLReader(std::istream& in);
    ~XMLReader();
    XMLReader(const XMLReader&) = delete;
    XMLReader& operator=(const XMLReader&) = delete;

    bool IsOpen() const { return open_; }
    // Reads the whole input into the tree; lines are placed by their leading tabs.
    void Parse();
    XMLNode* GetRoot() { return tree_.GetRoot(); }
    const XMLNode* GetRoot() const { return tree_.GetRoot(); }

    // Converts text into *target. On text that does not convert the target is left unchanged, the problem
    // is reported and the result is false. T is bool, int, std::uint32_t, std::uint64_t, float, std::string, Vector2,
    // Vector3 or Vector4; the vectors read "x, y[, z[, w]]".
    template <typename T>
    static bool ReadValue(std::string_view text, T* target);

private:
    class Builder;

    XMLTree tree_;
    // Only the path form opens it.
    std::ifstream file_;
    std::istream& in_;
    // As the input was when the reader was made: reading to its end leaves a stream failed.
    bool open_;
};

template <> bool XMLReader::ReadValue<bool>(std::string_view text, bool* target);
template <> bool XMLReader::ReadValue<int>(std::string_view text, int* target);
template <> bool XMLReader::ReadValue<std::uint32_t>(std::string_view text, std::uint32_t* target);
template <> bool XMLReader::ReadValue<std::uint64_t>(std::string_view text, std::uint64_t* target);
template <> bool XMLReader::ReadValue<float>(std::string_view text, float* target);
template <> bool XMLReader::ReadValue<std::string>(std::string_view text, std::string* target);
template <> bool XMLReader::ReadValue<Vector2>(std::string_view text, Vector2* target);
template <> bool XMLReader::ReadValue<Vector3>(std::string_view text, Vector3* target);
template <> bool XMLReader::ReadValue<Vector4>(std::string_view text, Vector4* target);
