#include "reloadsaves.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>

#include "assertion.h"
#include "monobehaviorinterface.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace
{
using Write = std::function<void(XMLWriter&, int&, const std::string&)>;

class WritingScript : public MonoBehaviorInterface
{
public:
    explicit WritingScript(Write write) : write_(std::move(write)) {}
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<WritingScript>(*this); }
    void WriteXml(XMLWriter& writer, int& counter, const std::string& name) const override
    {
        write_(writer, counter, name);
    }

private:
    Write write_;
};

struct Saved
{
    std::string name;
    Write write;
};

struct Outcome
{
    std::vector<std::string> elements;
    // Everything reported, without the places in the source.
    std::string reports;
};

std::string Shown(const XMLNode* node)
{
    if (!node)
        return "none";
    std::string shown = node->name + "=" + node->value + "{";
    for (const XMLNode* child : node->children)
        shown += Shown(child) + ";";
    return shown + "}";
}

std::string WithoutPlaces(const std::string& reports)
{
    std::istringstream lines(reports);
    std::string kept;
    for (std::string line; std::getline(lines, line);)
        if (line.find("::") == std::string::npos)
            kept += line + "\n";
    return kept;
}

void LeafScript(XMLWriter& writer, int& counter, const std::string& name)
{
    WriteMonosLeaf(writer, counter, name);
}

void PropertyScript(XMLWriter& writer, int&, const std::string& name)
{
    writer.BeginElement(name);
    writer.WriteElement("Hits", 7);
    writer.WriteElement("Label", std::string("seven"));
    writer.BeginElement("Nested");
    writer.WriteElement("Speed", 2.5f);
    writer.EndElement();
    writer.EndElement();
}

// The records as one document, read back whole: what every reload must give.
Outcome AsOneDocument(const std::vector<Saved>& saved)
{
    Outcome outcome;
    CaptureStderr();
    std::stringstream text;
    {
        XMLWriter writer(text);
        writer.BeginElement("Scripts");
        for (const Saved& script : saved)
        {
            writer.BeginElement("Script");
            writer.WriteElement("Name", script.name);
            int counter = 0;
            WritingScript(script.write).WriteXml(writer, counter, script.name);
            writer.EndElement();
        }
    }
    XMLReader reader(text);
    reader.Parse();
    const auto& records = reader.GetRoot()->children;
    for (std::size_t index = 0; index < saved.size(); ++index)
    {
        const XMLNode* record = index < records.size() ? records[index] : nullptr;
        const bool matches = record && record->children.size() == 2 && record->children[0]->value == saved[index].name;
        ASSERT(matches, "The saved properties of " + saved[index].name + " were not read back");
        const bool element = matches && !record->children[1]->children.empty();
        outcome.elements.push_back(Shown(element ? record->children[1] : nullptr));
    }
    outcome.reports = WithoutPlaces(GetCapturedStderr());
    return outcome;
}

Outcome ThroughSaves(ReloadSaves& saves, const std::vector<Saved>& saved)
{
    Outcome outcome;
    std::vector<WritingScript> scripts;
    for (const Saved& script : saved)
        scripts.emplace_back(script.write);
    CaptureStderr();
    saves.Begin();
    for (std::size_t index = 0; index < saved.size(); ++index)
        saves.Save(scripts[index], saved[index].name);
    saves.Read();
    for (const Saved& script : saved)
    {
        outcome.elements.push_back(Shown(saves.Take(script.name).get()));
    }
    saves.End();
    outcome.reports = WithoutPlaces(GetCapturedStderr());
    return outcome;
}

// Scripts around the one under test, so a record it shifts or swallows shows.
std::vector<Saved> Around(const Saved& odd)
{
    return {{"Alpha", LeafScript}, {"Props", PropertyScript}, odd, {"Omega", LeafScript}, {"Later", PropertyScript}};
}

TEST(ReloadSavesTest, EveryScriptGetsWhatTheRecordsReadAsOneDocumentGiveWithTheSameReports)
{
    const std::vector<std::pair<std::string, std::vector<Saved>>> cases = {
        {"well-behaved scripts only", Around({"Middle", LeafScript})},
        {"no scripts", {}},
        {"a script that writes nothing", Around({"Quiet", [](XMLWriter&, int&, const std::string&) {}})},
        {"a script that writes two leaves", Around({"Twice",
                                                    [](XMLWriter& writer, int& counter, const std::string& name) {
                                                        WriteMonosLeaf(writer, counter, name);
                                                        WriteMonosLeaf(writer, counter, name);
                                                    }})},
        {"a leaf that is not its name", Around({"Other", [](XMLWriter& writer, int&, const std::string&) {
                                                    writer.WriteElement("Monos0", std::string("Somebody"));
                                                }})},
        {"an empty element", Around({"Empty", [](XMLWriter& writer, int&, const std::string& name) {
                                         writer.BeginElement(name);
                                         writer.EndElement();
                                     }})},
        {"a value the reader cannot split", Around({"Odd", [](XMLWriter& writer, int&, const std::string& name) {
                                                        writer.BeginElement(name);
                                                        writer.WriteElement("Text", std::string("a</Text><b>"));
                                                        writer.WriteElement("Blank", std::string());
                                                        writer.WriteElement("Broken", std::string("two\nlines"));
                                                        writer.EndElement();
                                                    }})},
        {"a script that ends more than it began",
         Around({"Closer", [](XMLWriter& writer, int& counter, const std::string& name) {
                     WriteMonosLeaf(writer, counter, name);
                     writer.EndElement();
                 }})},
        {"a script that ends everything", Around({"Wrecker", [](XMLWriter& writer, int&, const std::string&) {
                                                      writer.EndElement();
                                                      writer.EndElement();
                                                      writer.EndElement();
                                                  }})},
        {"a script that leaves an element open",
         Around({"Opener", [](XMLWriter& writer, int&, const std::string& name) {
                     writer.BeginElement(name);
                     writer.WriteElement("Hits", 1);
                 }})},
        {"a script that only begins an element",
         Around({"Starter", [](XMLWriter& writer, int&, const std::string& name) { writer.BeginElement(name); }})},
        {"an element name with a line break", Around({"Breaker", [](XMLWriter& writer, int&, const std::string&) {
                                                          writer.BeginElement("Two\nParts");
                                                          writer.WriteElement("Hits", 1);
                                                          writer.EndElement();
                                                      }})},
        {"a line break that fakes a deeper line",
         Around({"Deeper", [](XMLWriter& writer, int&, const std::string&) {
                     writer.BeginElement("Deep\n\t\t\t\t<Fake>");
                     writer.WriteElement("Hits", 1);
                     writer.EndElement();
                 }})},
        {"a script name with a line break", Around({"Two\nlines", LeafScript})},
        {"a script that strays first", {{"First", [](XMLWriter& writer, int&, const std::string&) {
                                             writer.EndElement();
                                         }},
                                        {"Props", PropertyScript},
                                        {"Alpha", LeafScript}}},
        {"a script name with a line break first", {{"Two\nlines", PropertyScript}, {"Alpha", LeafScript}}},
    };
    // One set of buffers for all, as the reloads of a session share them.
    ReloadSaves saves;
    for (const auto& [description, saved] : cases)
    {
        SCOPED_TRACE(description);
        const Outcome expected = AsOneDocument(saved);
        const Outcome outcome = ThroughSaves(saves, saved);
        EXPECT_EQ(outcome.elements, expected.elements);
        EXPECT_EQ(outcome.reports, expected.reports);
    }
}
} // namespace
