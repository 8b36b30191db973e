#pragma once
#include <cstddef>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "serializer.h"

class MonoBehaviorInterface;

// What every script writes of itself before the script library is reloaded, read back as the tree its new
// instance reads. Each script's record ("Script": a "Name" leaf, then what the script wrote) is one element of
// one document, so a script that ends more elements than it began shifts the records after its own.
//
// Reading back costs far more than writing, and most scripts write nothing but their one "Monos" leaf. So as
// long as every script keeps to lines of its own record, the one-leaf records are not read at all and the
// others are read as a document of their own, which gives them the same elements and the reader the same
// complaints. The first script that strays turns the rest back to the one document.
class ReloadSaves
{
public:
    // Starts a new set of records; the buffers of the last set are reused.
    void Begin();
    // Writes the script's record.
    void Save(const MonoBehaviorInterface& script, const std::string& name);
    // Ends the writing and reads the records back.
    void Read();
    // The element the next record's script wrote (null when it wrote a leaf), reported when the record is
    // not that script's. It keeps the tree read back for as long as it is held.
    std::shared_ptr<const XMLNode> Take(const std::string& name);
    // Lets go of what was read.
    void End();

private:
    enum class Kind
    {
        Leaf,
        Element,
    };
    struct Record
    {
        std::string name;
        std::size_t begin;
        std::size_t end;
        Kind kind;
    };

    std::string_view Written() const { return out_.view(); }
    void SaveInOneDocument(const MonoBehaviorInterface& script, const std::string& name);
    void SaveAlone(const MonoBehaviorInterface& script, const std::string& name);
    // The one document as far as the records saved alone go, up to the text of the last one's script.
    void ReturnToOneDocument();
    // A record as the one document has it, the script's text included or not.
    void AppendHead(std::string_view name);
    void AppendRecord(std::string_view name, std::string_view wrote);

    std::ostringstream out_;
    std::optional<XMLWriter> writer_;
    bool alone_ = true;
    // Where the one "Script" line that the records saved alone share was written.
    std::size_t sharedStart_ = 0;
    std::vector<Record> records_;
    // The document read back: the records with elements, or, after a script strayed, all of them.
    std::string document_;
    std::size_t copiedFrom_ = 0;
    std::shared_ptr<XMLReader> reader_;
    std::size_t nextRecord_ = 0;
    std::size_t nextElement_ = 0;
};
