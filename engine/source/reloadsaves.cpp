#include "reloadsaves.h"

#include <algorithm>
#include <istream>
#include <streambuf>

#include "assertion.h"
#include "monobehaviorinterface.h"

namespace
{
// Reads a string where it is.
class TextBuffer : public std::streambuf
{
public:
    explicit TextBuffer(std::string& text) { setg(text.data(), text.data(), text.data() + text.size()); }
};

// Written and read back unchanged, and read with the reader's complaints, as the writer's own lines are.
bool IsWordName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// The reader places a line by its leading tabs alone, one level at a time. Lines two tabs deep or deeper that
// step at most one level from the line before, starting after the "Name" leaf and ending at its depth, go
// into their own record and leave the reader where that record began, wherever it stands in the document.
bool KeepsToItsLines(std::string_view wrote)
{
    if (wrote.find('\r') != std::string_view::npos || (!wrote.empty() && wrote.back() != '\n'))
        return false;
    std::size_t previous = 2;
    for (std::size_t at = 0; at < wrote.size(); at = wrote.find('\n', at) + 1)
    {
        const std::size_t tabs = wrote.find_first_not_of('\t', at) - at;
        if (tabs < 2 || tabs > previous + 1 || tabs + 1 < previous)
            return false;
        previous = tabs;
    }
    return previous == 2;
}

// What a script without properties writes: the leaf "Monos0" holding its name.
bool IsNameLeaf(std::string_view wrote, std::string_view name)
{
    constexpr std::string_view open = "\t\t<Monos0>";
    constexpr std::string_view close = "</Monos0>\n";
    return wrote.size() == open.size() + name.size() + close.size() && wrote.starts_with(open) &&
           wrote.ends_with(close) && wrote.substr(open.size(), name.size()) == name;
}

// The script's own element in its record (name leaf, then what the script wrote): null for a script without
// properties, or a record that belongs to another name.
const XMLNode* FindProperties(const XMLNode* record, const std::string& name)
{
    const bool matches = record && record->children.size() == 2 && record->children[0]->value == name;
    ASSERT(matches, "The saved properties of " + name + " were not read back");
    if (!matches || record->children[1]->children.empty())
        return nullptr;
    return record->children[1];
}
} // namespace

void ReloadSaves::Begin()
{
    std::string buffer = std::move(out_).str();
    buffer.clear();
    out_.str(std::move(buffer));
    writer_.emplace(out_);
    writer_->BeginElement("Scripts");
    alone_ = true;
    sharedStart_ = 0;
    records_.clear();
    document_.assign("<Scripts>\n");
    copiedFrom_ = 0;
    nextRecord_ = 0;
    nextElement_ = 0;
}

void ReloadSaves::Save(const MonoBehaviorInterface& script, const std::string& name)
{
    if (alone_ && !IsWordName(name))
        ReturnToOneDocument();
    if (alone_)
        SaveAlone(script, name);
    else
        SaveInOneDocument(script, name);
}

void ReloadSaves::SaveInOneDocument(const MonoBehaviorInterface& script, const std::string& name)
{
    writer_->BeginElement("Script");
    // The name leaf keeps the record from being empty, whatever the script writes.
    writer_->WriteElement("Name", name);
    int counter = 0;
    script.WriteXml(*writer_, counter, name);
    writer_->EndElement();
}

void ReloadSaves::SaveAlone(const MonoBehaviorInterface& script, const std::string& name)
{
    if (records_.empty())
    {
        sharedStart_ = Written().size();
        writer_->BeginElement("Script");
    }
    const std::size_t begin = Written().size();
    int counter = 0;
    script.WriteXml(*writer_, counter, name);
    const std::string_view wrote = Written().substr(begin);
    records_.push_back({name, begin, Written().size(), IsNameLeaf(wrote, name) ? Kind::Leaf : Kind::Element});
    if (writer_->Depth() != 2 || !KeepsToItsLines(wrote))
        ReturnToOneDocument();
    else if (records_.back().kind == Kind::Element)
        AppendRecord(name, wrote);
}

void ReloadSaves::AppendHead(std::string_view name)
{
    document_.append("\t<Script>\n\t\t<Name>").append(name).append("</Name>\n");
}

void ReloadSaves::AppendRecord(std::string_view name, std::string_view wrote)
{
    AppendHead(name);
    document_.append(wrote).append("\t</Script>\n");
}

void ReloadSaves::ReturnToOneDocument()
{
    alone_ = false;
    document_.clear();
    if (records_.empty())
        return;
    // What the one document has up to the last record's script text; from there on it is what was written.
    const std::string_view written = Written();
    document_.assign(written.substr(0, sharedStart_));
    for (auto record = records_.begin(); record + 1 != records_.end(); ++record)
        AppendRecord(record->name, written.substr(record->begin, record->end - record->begin));
    AppendHead(records_.back().name);
    copiedFrom_ = records_.back().begin;
    // Ends the last record.
    writer_->EndElement();
}

void ReloadSaves::Read()
{
    writer_.reset();
    if (!alone_)
        document_.append(Written().substr(copiedFrom_));
    TextBuffer buffer(document_);
    std::istream in(&buffer);
    reader_ = std::make_shared<XMLReader>(in);
    reader_->Parse();
}

std::shared_ptr<const XMLNode> ReloadSaves::Take(const std::string& name)
{
    const bool leaf = alone_ && nextRecord_ < records_.size() && records_[nextRecord_].kind == Kind::Leaf;
    ++nextRecord_;
    if (leaf)
        return nullptr;
    const auto& records = reader_->GetRoot()->children;
    const XMLNode* record = nextElement_ < records.size() ? records[nextElement_] : nullptr;
    ++nextElement_;
    // Shares the reader's ownership: copying a tree would cost as much as reading it.
    const XMLNode* properties = FindProperties(record, name);
    return properties ? std::shared_ptr<const XMLNode>(reader_, properties) : nullptr;
}

void ReloadSaves::End()
{
    reader_.reset();
}
