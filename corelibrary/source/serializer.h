#pragma once
#include "TorvaneMath.h"

#include <array>
#include <cstdint>
#include <fstream>
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

// One element of a read file: a leaf has a value and no children, an element with children has no value.
// A node owns its children.
class XMLNode final
{
public:
    XMLNode() = default;
    ~XMLNode();
    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    // Appends a new, empty child and returns it.
    XMLNode* AddChild();

    // Nodes come from a shared pool: a level holds hundreds of thousands of them.
    static void* operator new(size_t size);
    static void operator delete(void* node);

    std::vector<XMLNode*> children;
    XMLNode* parent = nullptr;
    std::string name;
    std::string value;

private:
    friend class XMLReader;
    XMLNode* Adopt(XMLNode* child);
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
    XMLNode* GetRoot() { return &root_; }
    const XMLNode* GetRoot() const { return &root_; }

    // Converts text into *target. On text that does not convert the target is left unchanged, the problem
    // is reported and the result is false. T is bool, int, std::uint32_t, std::uint64_t, float, std::string, Vector2,
    // Vector3 or Vector4; the vectors read "x, y[, z[, w]]".
    template <typename T>
    static bool ReadValue(const std::string& text, T* target);

private:
    void ParseStoredLine(std::string_view line);
    void ParseLine(std::string_view line);

    // Node slots taken from the pool a batch at a time; the ones a parse leaves go back with the reader.
    class Slots
    {
    public:
        Slots() = default;
        ~Slots();
        Slots(const Slots&) = delete;
        Slots& operator=(const Slots&) = delete;
        XMLNode* NewNode();

    private:
        std::array<void*, 256> slots_{};
        size_t taken_ = slots_.size();
    };

    XMLNode root_;
    Slots slots_;
    // Only the path form opens it.
    std::ifstream file_;
    std::istream& in_;
    // As the input was when the reader was made: reading to its end leaves a stream failed.
    bool open_;
    XMLNode* current_ = &root_;
    int depth_ = 0;
    bool reportedRootSibling_ = false;
};

template <> bool XMLReader::ReadValue<bool>(const std::string& text, bool* target);
template <> bool XMLReader::ReadValue<int>(const std::string& text, int* target);
template <> bool XMLReader::ReadValue<std::uint32_t>(const std::string& text, std::uint32_t* target);
template <> bool XMLReader::ReadValue<std::uint64_t>(const std::string& text, std::uint64_t* target);
template <> bool XMLReader::ReadValue<float>(const std::string& text, float* target);
template <> bool XMLReader::ReadValue<std::string>(const std::string& text, std::string* target);
template <> bool XMLReader::ReadValue<Vector2>(const std::string& text, Vector2* target);
template <> bool XMLReader::ReadValue<Vector3>(const std::string& text, Vector3* target);
template <> bool XMLReader::ReadValue<Vector4>(const std::string& text, Vector4* target);
