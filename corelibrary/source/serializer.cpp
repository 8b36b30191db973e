#include "serializer.h"

#include "assertion.h"
#include "console.h"
#include "xmlmatch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <tuple>
#include <type_traits>
#include <thread>
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
    ASSERT(!openElements_.empty(), "XMLWriter - No element left to end.");
    if (openElements_.empty())
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

// ---- XMLNode ---------------------------------------------------------------------------------------------

namespace
{
// Fixed-size slots handed out from blocks that grow with the trees; every block goes back to the heap when
// the last node is freed, so nothing is held between loads. A spin lock keeps it safe for loading threads; the
// reader and the tree's destructor take and give back slots many at a time, so a level costs few locks.
class NodePool
{
public:
    // Fills slots[0..count) under one lock.
    void Allocate(void** slots, size_t count)
    {
        Guard guard(lock_);
        for (size_t n = 0; n < count; ++n)
            slots[n] = Take();
        live_ += count;
    }

    void Release(void* const* slots, size_t count)
    {
        Guard guard(lock_);
        live_ -= count;
        if (live_ == 0)
        {
            // The whole pool is free: the slots need not be chained.
            blocks_.clear();
            free_ = unused_ = unusedEnd_ = nullptr;
            return;
        }
        for (size_t n = 0; n < count; ++n)
        {
            Slot* slot = static_cast<Slot*>(slots[n]);
            slot->next = free_;
            free_ = slot;
        }
    }

private:
    union Slot
    {
        Slot* next;
        alignas(XMLNode) unsigned char storage[sizeof(XMLNode)];
    };

    // Nobody waits long: the lock is held for a few list steps.
    struct Guard
    {
        explicit Guard(std::atomic_flag& flag) : flag_(flag)
        {
            while (flag_.test_and_set(std::memory_order_acquire))
                std::this_thread::yield();
        }
        ~Guard() { flag_.clear(std::memory_order_release); }
        std::atomic_flag& flag_;
    };

    Slot* Take()
    {
        if (free_ != nullptr)
        {
            Slot* slot = free_;
            free_ = slot->next;
            return slot;
        }
        if (unused_ == unusedEnd_)
            Grow();
        return unused_++;
    }

    // Slots of a new block are handed out in order, never chained first.
    void Grow()
    {
        const size_t count = size_t{64} << std::min<size_t>(blocks_.size(), 7);
        blocks_.push_back(std::make_unique_for_overwrite<Slot[]>(count));
        unused_ = blocks_.back().get();
        unusedEnd_ = unused_ + count;
    }

    std::atomic_flag lock_;
    std::vector<std::unique_ptr<Slot[]>> blocks_;
    Slot* free_ = nullptr;
    Slot* unused_ = nullptr;
    Slot* unusedEnd_ = nullptr;
    size_t live_ = 0;
};

// Never destroyed, so trees that outlive static destruction can still be freed.
NodePool& Pool()
{
    static NodePool* pool = new NodePool;
    return *pool;
}
} // namespace

void* XMLNode::operator new(size_t)
{
    void* slot = nullptr;
    Pool().Allocate(&slot, 1);
    return slot;
}

void XMLNode::operator delete(void* node)
{
    Pool().Release(&node, 1);
}

// Iterative, so a file nested thousands of levels deep cannot exhaust the stack. Nodes go in the order the
// reader made them, which is their order in memory, and their slots go back in one call.
XMLNode::~XMLNode()
{
    std::vector<XMLNode*> pending = std::move(children);
    std::array<void*, 256> slots;
    size_t freed = 0;
    while (!pending.empty())
    {
        XMLNode* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->children.rbegin(), node->children.rend());
        node->children.clear();
        node->~XMLNode();
        slots[freed++] = node;
        if (freed == slots.size() || pending.empty())
        {
            Pool().Release(slots.data(), freed);
            freed = 0;
        }
    }
}

XMLNode* XMLNode::AddChild()
{
    return Adopt(new XMLNode);
}

XMLNode* XMLNode::Adopt(XMLNode* child)
{
    child->parent = this;
    // Most elements hold a handful of children; one allocation instead of four.
    if (children.capacity() == 0)
        children.reserve(8);
    children.push_back(child);
    return child;
}

// ---- XMLReader -------------------------------------------------------------------------------------------

XMLReader::Slots::~Slots()
{
    if (taken_ < slots_.size())
        Pool().Release(slots_.data() + taken_, slots_.size() - taken_);
}

XMLNode* XMLReader::Slots::NewNode()
{
    if (taken_ == slots_.size())
    {
        Pool().Allocate(slots_.data(), slots_.size());
        taken_ = 0;
    }
    return ::new (slots_[taken_++]) XMLNode;
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
    ASSERT(open_, "Error processing XML.");
    if (!open_)
        return;
    // Blocks small enough to stay in the cache; a line longer than a block doubles the buffer. One buffer per
    // thread, kept between files: loading reads hundreds of small files, and a fresh 64 KB block for each
    // (allocated, zeroed, freed) cost more than parsing them.
    constexpr size_t kBlock = 64 * 1024;
    thread_local std::string buffer;
    buffer.resize(kBlock);
    size_t begin = 0, end = 0, scanned = 0;
    for (;;)
    {
        const void* newline = std::memchr(buffer.data() + scanned, '\n', end - scanned);
        if (newline != nullptr)
        {
            const size_t at = static_cast<size_t>(static_cast<const char*>(newline) - buffer.data());
            ParseStoredLine(std::string_view(buffer).substr(begin, at - begin));
            begin = scanned = at + 1;
            continue;
        }
        if (!in_)
            break;
        std::memmove(buffer.data(), buffer.data() + begin, end - begin);
        end -= begin;
        scanned = end;
        begin = 0;
        if (end == buffer.size())
            buffer.resize(buffer.size() * 2);
        in_.read(buffer.data() + end, static_cast<std::streamsize>(buffer.size() - end));
        end += static_cast<size_t>(in_.gcount());
    }
    ParseStoredLine(std::string_view(buffer).substr(begin, end - begin)); // a last line without a line end
    // A file with a giant line does not keep its buffer for the rest of the thread.
    if (buffer.size() > kBlock)
    {
        buffer.resize(kBlock);
        buffer.shrink_to_fit();
    }
}

void XMLReader::ParseStoredLine(std::string_view line)
{
    // Files written on Windows end their lines with CR LF.
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (!line.empty() && line != kDeclaration)
        ParseLine(line);
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
        current_ = current_->Adopt(slots_.NewNode());
        ++depth_;
    }
    else if (current_->parent != nullptr)
    {
        current_ = current_->parent->Adopt(slots_.NewNode());
    }
    else if (!current_->name.empty() && !line.starts_with("</") && !reportedRootSibling_)
    {
        // Only the root's own lines stand at the left edge: a file indented with spaces would otherwise load
        // as an empty root without a word.
        reportedRootSibling_ = true;
        ASSERT(false, "XMLReader : \"" + std::string(line) + "\" stands beside the root element; the elements "
                      "below the root are indented with tabs");
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
// no digits, a value out of range, "nan" or "inf" reported instead of ending the program: one such number
// in a file would spread through every sum it takes part in. A float too small for full
// precision still reads as its nearest value: the writer produces such texts itself (1.4013e-45).
template <typename Number, typename Convert>
bool ReadNumber(const std::string& text, Number* target, std::string_view type, Convert convert)
{
    const char* begin = text.c_str();
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
bool ReadVector(const std::string& text, Vector* target)
{
    std::string_view groups[Count];
    if (!xmlmatch::FindComponents(text, groups, Count))
        return false;
    std::array<float, Count> components;
    for (unsigned n = 0; n < Count; ++n)
        if (!XMLReader::ReadValue(std::string(groups[n]), &components[n]))
            return false;
    *target = std::apply([](auto... c) { return Vector(c...); }, components);
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
bool XMLReader::ReadValue<std::uint32_t>(const std::string& text, std::uint32_t* target)
{
    return ReadNumber(text, target, "uint32", [](const char* s, char** end) { return std::strtoull(s, end, 10); });
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
    return ReadVector<2>(text, target);
}

template <>
bool XMLReader::ReadValue<Vector3>(const std::string& text, Vector3* target)
{
    return ReadVector<3>(text, target);
}

template <>
bool XMLReader::ReadValue<Vector4>(const std::string& text, Vector4* target)
{
    return ReadVector<4>(text, target);
}
