// Reading a large level: the dialect's reader against pugixml on the same tree, and against the same
// line splitting done with std::regex.
#include "serializer.h"
#include "tempfolder.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <chrono>
#include <fstream>
#include <regex>
#include <string>

namespace
{
constexpr int kObjects = 5000;

void WriteObject(XMLWriter& writer, int n)
{
    writer.BeginElement("Object");
    writer.WriteElement("Name", "Torch_" + std::to_string(n));
    writer.WriteElement("Id", std::uint64_t{0x4A3F000012340000ULL} + static_cast<std::uint64_t>(n));
    writer.WriteElement("PrefabId", std::uint64_t{0x11AA000056780000ULL} + static_cast<std::uint64_t>(n % 40));
    writer.WriteElement("Enabled", n % 7 != 0);
    writer.WriteElement("Tag", std::string(n % 3 == 0 ? "RunWhenPaused" : ""));
    writer.BeginElement("Transform");
    writer.WriteElement("Enabled", true);
    writer.WriteElement("Position", Vector3(n * 0.25f, 1.5f, -n * 0.125f));
    writer.WriteElement("Rotation", Vector3(0.0f, static_cast<float>(n % 360), 0.0f));
    writer.WriteElement("Scale", Vector3(1.0f, 1.0f, 1.0f));
    writer.EndElement();
    writer.BeginElement("MeshRenderer");
    writer.WriteElement("Enabled", true);
    writer.WriteElement("Material", std::string("Sandstone"));
    writer.WriteElement("CastShadow", true);
    writer.WriteElement("Colour", Vector4(1.0f, 0.9f, 0.8f, 1.0f));
    writer.EndElement();
    writer.BeginElement("MeshFilter");
    writer.WriteElement("Model", std::string("Torch"));
    writer.EndElement();
    writer.BeginElement("BoxCollider");
    writer.WriteElement("Enabled", true);
    writer.WriteElement("Offset", Vector3(0.0f, 0.5f, 0.0f));
    writer.WriteElement("Size", Vector3(1.0f, 2.0f, 1.0f));
    writer.WriteElement("IsTrigger", false);
    writer.EndElement();
    writer.BeginElement("RigidBody");
    writer.WriteElement("Mass", 1.0f + static_cast<float>(n % 5));
    writer.WriteElement("GravityScale", 1.0f);
    writer.WriteElement("IsStatic", n % 2 == 0);
    writer.EndElement();
    writer.BeginElement("MonoBehavior");
    writer.WriteElement("Monos0", std::string("TorchScript"));
    writer.EndElement();
    writer.EndElement();
}

void CopyTree(const XMLNode& from, pugi::xml_node to)
{
    pugi::xml_node node = to.append_child(from.name.c_str());
    if (!from.value.empty())
        node.text().set(from.value.c_str());
    for (const XMLNode* child : from.children)
        CopyTree(*child, node);
}

// The level in the dialect and the same tree as ordinary XML, made once per run.
struct Level
{
    Level()
    {
        {
            XMLWriter writer(dialect);
            writer.BeginElement("Objects");
            for (int n = 0; n < kObjects; ++n)
                WriteObject(writer, n);
        }
        XMLReader reader(dialect);
        reader.Parse();
        pugi::xml_document document;
        CopyTree(*reader.GetRoot(), document);
        document.save_file(ordinary.c_str(), "\t");
    }
    TempFolder folder;
    std::string dialect = folder.Folder() + "level.xml";
    std::string ordinary = folder.Folder() + "plain.xml";
};

const Level& TheLevel()
{
    static const Level level;
    return level;
}

double SecondsOf(auto&& action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void ParseOurs(const std::string& path)
{
    XMLReader reader(path);
    reader.Parse();
    benchmark::DoNotOptimize(reader.GetRoot()->children.size());
}

void BM_ParseLevel_vs_pugixml(benchmark::State& state)
{
    const Level& level = TheLevel();
    double ours = 0.0, reference = 0.0;
    for (auto _ : state)
    {
        ours += SecondsOf([&] { ParseOurs(level.dialect); });
        reference += SecondsOf([&] {
            pugi::xml_document document;
            benchmark::DoNotOptimize(document.load_file(level.ordinary.c_str()));
        });
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / iterations * 1e3;
    state.counters["pugixml_ms"] = reference / iterations * 1e3;
    state.counters["ratio"] = ours / reference;
}
BENCHMARK(BM_ParseLevel_vs_pugixml)->Unit(benchmark::kMillisecond);

// The same walk over the lines with the dialect's regular expressions, to show what the matcher saves.
void ParseWithRegex(const std::string& path)
{
    static const std::regex leafTest(R"(<(\w+)>.+</(\w+)>\B)");
    static const std::regex leafSplit(R"(<(\w+)>(.+)</\w+>)");
    static const std::regex tag(R"(\B<\/?(\w+)>(?=\B)(?!-))");
    // Under a root of its own, as the tree's root has no name to set: the file's root element is its child.
    XMLTree tree;
    XMLNode* current = tree.GetRoot();
    int depth = -1;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
    {
        if (line.empty() || line.starts_with("<?xml"))
            continue;
        const int tabs = static_cast<int>(std::min(line.find_first_not_of('\t'), line.size()));
        if (tabs < depth)
        {
            current = current->parent;
            --depth;
            continue;
        }
        std::smatch match;
        std::string name, value;
        if (std::regex_search(line, leafTest) && std::regex_search(line, match, leafSplit))
        {
            name = match[1];
            value = match[2];
        }
        else if (std::regex_search(line, match, tag))
            name = match[1];
        if (tabs > depth)
        {
            current = tree.AddChild(current, name, value);
            ++depth;
        }
        else
            current = tree.AddChild(current->parent, name, value);
    }
    benchmark::DoNotOptimize(tree.GetRoot()->children.size());
}

void BM_ParseLevel_vs_stdregex(benchmark::State& state)
{
    const Level& level = TheLevel();
    double ours = 0.0, reference = 0.0;
    for (auto _ : state)
    {
        ours += SecondsOf([&] { ParseOurs(level.dialect); });
        reference += SecondsOf([&] { ParseWithRegex(level.dialect); });
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / iterations * 1e3;
    state.counters["stdregex_ms"] = reference / iterations * 1e3;
    state.counters["ratio"] = ours / reference;
}
BENCHMARK(BM_ParseLevel_vs_stdregex)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace
