// The factory's files: prefabs, levels and scene settings. Readers load what they can from any file and
// report the rest; an object is never made from a number they could not read.
#include "objectfactory.h"

#include "assertion.h"
#include "core.h"
#include "editor.h"
#include "graphics.h"
#include "messagingsystem.h"
#include "objectid.h"
#include "platform/files.h"
#include "serializer.h"
#include "startup.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <unordered_map>

namespace
{
Graphics* GraphicsSystem()
{
    return gCore ? gCore->GetGraphics() : nullptr;
}

void ResetFrameTimer()
{
    if (gCore)
        gCore->ResetFrameTimer();
}

// Plain decimal digits that fit 64 bits; signs, blanks and trailing text are refused.
bool ParseId(const std::string& text, ObjectId& id)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    return !text.empty() && error == std::errc() && stop == end;
}

// Parses the file; false, after a report, when it could not be opened or is not a file of that root.
bool ParseFile(XMLReader& reader, const std::string& path, const std::string& rootName, bool reportMissing)
{
    if (!reader.IsOpen())
    {
        ASSERT(!reportMissing, "Error creating " + path);
        return false;
    }
    reader.Parse();
    const std::string& found = reader.GetRoot()->name;
    ASSERT(found == rootName, path + " - root \"" + found + "\" is not \"" + rootName + "\", nothing loaded");
    return found == rootName;
}

// A file the writer finished ends with the line that closes its root; one cut short (a save killed half way, a
// full disk) does not. Only the end of the file is read.
bool EndsWithClosingLine(const std::string& path, const std::string& rootName)
{
    constexpr std::streamoff kTail = 256;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file.tellg();
    if (!file || size < 0)
        return false;
    const std::streamoff start = std::max<std::streamoff>(0, size - kTail);
    std::string tail(static_cast<std::size_t>(size - start), '\0');
    file.seekg(start);
    file.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    const std::size_t last = tail.find_last_not_of(" \t\r\n");
    if (!file || last == std::string::npos)
        return false;
    tail.resize(last + 1);
    const std::string closing = "</" + rootName + ">";
    return tail.ends_with(closing) && (tail.size() == closing.size() || tail[tail.size() - closing.size() - 1] == '\n');
}

// Files hold "Object" elements only; anything else in their root is reported and skipped.
bool IsObjectElement(const XMLNode& element, const std::string& path)
{
    ASSERT(element.name == "Object", path + " - \"" + element.name + "\" is not an object, skipped");
    return element.name == "Object";
}

} // namespace

bool WriteXmlFile(const std::string& path, const std::function<void(XMLWriter&)>& write)
{
    std::ostringstream text;
    {
        XMLWriter writer(text);
        write(writer);
    }
    return platform::WriteFileSafely(path, text.view());
}

namespace
{
std::string PrefabFileSuffix(ObjectId id)
{
    // Built in steps: GCC 12 wrongly warns (-Wrestrict) about a chain of + on temporaries here.
    std::string suffix = "_";
    return suffix.append(std::to_string(id)).append("_Prefab.xml");
}

} // namespace

// Names come from files, so a separator in one must not lead out of the folder.
std::string PrefabFileName(const std::string& name, ObjectId id)
{
    std::string file = name;
    std::ranges::replace_if(file, [](char c) { return c == '/' || c == '\\' || c == '\0'; }, '_');
    return file + PrefabFileSuffix(id);
}

namespace
{
// A renamed prefab would otherwise come back from its old file at the next start.
void RemoveOtherFilesOfPrefab(const std::string& folder, ObjectId id, const std::string& kept)
{
    namespace fs = std::filesystem;
    const std::string suffix = PrefabFileSuffix(id);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
    {
        const std::string name = entry.path().filename().string();
        if (name != kept && name.ends_with(suffix) && entry.is_regular_file(error))
            fs::remove(entry.path(), error);
    }
}

// Made in order, which of the links from objects[n] to parents[n] would close a loop: of each loop, the
// link made last. The new objects had no links before, so a loop runs through them alone. Each object is
// visited once, where an ancestor walk per link would be quadratic in a long chain.
std::vector<bool> LinksClosingLoops(const std::vector<GameObject*>& objects, const std::vector<GameObject*>& parents)
{
    constexpr std::size_t kNone = SIZE_MAX;
    std::unordered_map<const GameObject*, std::size_t> index;
    for (std::size_t n = 0; n < objects.size(); ++n)
        index.emplace(objects[n], n);
    const auto next = [&](std::size_t n) {
        const auto found = index.find(parents[n]);
        return found == index.end() ? kNone : found->second;
    };
    enum class Seen : std::uint8_t { Not, OnPath, Done };
    std::vector<Seen> seen(objects.size(), Seen::Not);
    std::vector<bool> closes(objects.size(), false);
    std::vector<std::size_t> path;
    for (std::size_t start = 0; start < objects.size(); ++start)
    {
        std::size_t n = start;
        for (; n != kNone && seen[n] == Seen::Not; n = next(n))
        {
            seen[n] = Seen::OnPath;
            path.push_back(n);
        }
        if (n != kNone && seen[n] == Seen::OnPath)
            closes[*std::max_element(std::ranges::find(path, n), path.end())] = true;
        for (std::size_t walked : path)
            seen[walked] = Seen::Done;
        path.clear();
    }
    return closes;
}
} // namespace

// The parts of one "Object" element the readers use.
struct ObjectFactory::ObjectRecord
{
    explicit ObjectRecord(const XMLNode& element)
    {
        for (const XMLNode* child : element.children)
        {
            if (child->name == "Components")
                components = child;
            else if (std::string* text = TextFor(child->name))
                *text = child->value;
        }
    }

    std::string name;
    std::string prefabId;
    std::string id;
    std::string parentId;
    std::string tag;
    std::string enabled;
    const XMLNode* components = nullptr;

private:
    std::string* TextFor(const std::string& leaf)
    {
        if (leaf == "Name")
            return &name;
        if (leaf == "PrefabID")
            return &prefabId;
        if (leaf == "ID")
            return &id;
        if (leaf == "ParentID")
            return &parentId;
        if (leaf == "Tag")
            return &tag;
        if (leaf == "Enabled")
            return &enabled;
        return nullptr;
    }
};

template <class Taken>
ObjectId ObjectFactory::IdForLoadedObject(const ObjectRecord& record, const std::string& kind, Taken taken) const
{
    ObjectId id = 0;
    if (!ParseId(record.id, id) || id == 0)
    {
        ASSERT(false, kind + " \"" + record.name + "\" has no usable id \"" + record.id + "\". Will issue a new id.");
        return GenerateObjectId();
    }
    if (!taken(id))
        return id;
    std::cout << kind << " with id " << record.id << " already exist. Will reissue new id." << std::endl;
    return GenerateObjectId();
}

void ObjectFactory::ApplyRecord(GameObject& object, const ObjectRecord& record)
{
    object.SetTag(record.tag);
    bool active = object.IsActive();
    if (XMLReader::ReadValue(record.enabled, &active))
        object.SetActive(active);
    if (record.components)
        object.DeserializeComponents(*record.components);
}

void ObjectFactory::LoadPrefabFile(const std::string& path, bool skipKnown)
{
    XMLReader reader(path);
    if (ParseFile(reader, path, "Prefabs", true))
    {
        for (const XMLNode* element : reader.GetRoot()->children)
        {
            if (!IsObjectElement(*element, path))
                continue;
            const ObjectRecord record(*element);
            ObjectId fileId = 0;
            if (skipKnown && ParseId(record.id, fileId) && prefabs_.contains(fileId))
                continue;
            const ObjectId id =
                IdForLoadedObject(record, "Prefab", [this](ObjectId taken) { return prefabs_.contains(taken); });
            ApplyRecord(*CreatePrefab(id, record.name), record);
        }
    }
    ResetFrameTimer();
}

GameObject* ObjectFactory::LoadLevelObject(const ObjectRecord& record, const std::string& path)
{
    ObjectId prefabId = 0;
    if (!ParseId(record.prefabId, prefabId))
    {
        ASSERT(false, path + " - object \"" + record.name + "\" has no usable PrefabID \"" + record.prefabId +
                          "\", not loaded");
        return nullptr;
    }
    const ObjectId id =
        IdForLoadedObject(record, "Object", [this](ObjectId taken) { return FindObjectById(taken) != nullptr; });
    ObjectId parentId = 0;
    if (!ParseId(record.parentId, parentId))
    {
        ASSERT(false, path + " - object \"" + record.name + "\" has no usable ParentID \"" + record.parentId +
                          "\", loaded without a parent");
        parentId = 0;
    }
    GameObject* object = CreateObject(record.name, prefabId);
    // Announced before the file's values are applied: scripts rely on that order.
    DispatchMessage(SystemId::None, SystemId::All, MessageNames::Cloned, object);
    SetLiveId(*object, id);
    object->SetParentID(parentId);
    ApplyRecord(*object, record);
    return object;
}

GameObject* ObjectFactory::NamedParent(const GameObject& object, const std::string& path) const
{
    const ObjectId parentId = object.GetParentID();
    if (parentId == 0)
        return nullptr;
    GameObject* parent = FindObjectById(parentId);
    ASSERT(parent, path + " - object \"" + object.GetName() + "\" names parent " + std::to_string(parentId) +
                       ", which is not loaded");
    return parent;
}

void ObjectFactory::FinishLevelObject(GameObject& object, bool registerObjects)
{
    // Interface objects are placed by their RectTransform alone.
    if ((object.GetCanvas() || object.GetCanvasRenderer()) && object.GetTransform())
        object.RemoveComponentByName("Transform");
    if (!registerObjects)
        if (Graphics* graphics = GraphicsSystem())
            graphics->RegisterObject(&object);
    if (gCore && gCore->IsEditorMode() && gCore->GetEditor())
        gCore->GetEditor()->AddObjectEntry(object.GetID(), false);
}

bool ObjectFactory::LoadLevelFile(const std::string& path, bool registerObjects)
{
    return LoadLevelFile(path, registerObjects, SceneSettingsPath(GetFileStem(path)));
}

bool ObjectFactory::LoadLevelFile(const std::string& path, bool registerObjects, const std::string& settingsPath)
{
    XMLReader reader(path);
    bool loaded = ParseFile(reader, path, "Objects", true);
    // Part of a level would come back as the whole at the next save.
    const bool complete = !loaded || EndsWithClosingLine(path, "Objects");
    ASSERT(complete, path + " - ends before its closing element, nothing loaded");
    loaded = loaded && complete;
    if (loaded)
    {
        FinishLevelObjects(LoadLevelObjects(*reader.GetRoot(), path, registerObjects), path, registerObjects);
        LoadSceneSettings(settingsPath);
    }
    ResetFrameTimer();
    return loaded;
}

std::vector<GameObject*> ObjectFactory::LoadLevelObjects(const XMLNode& root, const std::string& path,
                                                         bool registerObjects)
{
    std::vector<GameObject*> loaded;
    for (const XMLNode* element : root.children)
    {
        GameObject* object = IsObjectElement(*element, path) ? LoadLevelObject(ObjectRecord(*element), path) : nullptr;
        if (!object)
            continue;
        loaded.push_back(object);
        if (registerObjects)
            RegisterObject(object);
    }
    return loaded;
}

// The hierarchy once every object is there, in live order, which is load order. Scripts woken by the
// loading may have destroyed some of the new objects (they are not freed before the next frame), so only
// those still live are finished.
void ObjectFactory::FinishLevelObjects(const std::vector<GameObject*>& loaded, const std::string& path,
                                       bool registerObjects)
{
    std::vector<GameObject*> objects;
    std::vector<GameObject*> parents;
    for (GameObject* object : loaded)
        if (IsLive(*object))
        {
            objects.push_back(object);
            parents.push_back(NamedParent(*object, path));
        }
    const std::vector<bool> closesLoop = LinksClosingLoops(objects, parents);
    for (std::size_t n = 0; n < objects.size(); ++n)
    {
        // Only a link known to close a loop needs AddChild's ancestor walk, which refuses and reports it.
        if (closesLoop[n])
            parents[n]->AddChild(objects[n]);
        else if (parents[n])
            parents[n]->AddChildWithoutLoopCheck(objects[n]);
        FinishLevelObject(*objects[n], registerObjects);
    }
}

void ObjectFactory::LoadSceneSettings(const std::string& path)
{
    XMLReader reader(path);
    if (!ParseFile(reader, path, "SceneSettings", false))
        return;
    std::string ambientText;
    std::string skybox;
    std::string offsetText = "100.0";
    for (const XMLNode* leaf : reader.GetRoot()->children)
    {
        if (leaf->name == "WorldAmbient")
            ambientText = leaf->value;
        else if (leaf->name == "SkyboxFolderName")
            skybox = leaf->value;
        else if (leaf->name == "ShadowHeightOffset")
            offsetText = leaf->value;
    }
    Vector3 ambient(0.0f, 0.0f, 0.0f);
    const bool ambientRead = XMLReader::ReadValue(ambientText, &ambient);
    ASSERT(ambientRead || ambientText.empty(), path + " - WorldAmbient \"" + ambientText + "\" is not a colour");
    // An unreadable offset is reported by the reader and counts as missing.
    float offset = 100.0f;
    XMLReader::ReadValue(offsetText, &offset);

    Graphics* graphics = GraphicsSystem();
    if (!graphics)
        return;
    graphics->SetWorldAmbient(ambient);
    graphics->SetSkybox(skybox);
    graphics->SetShadowHeightOffset(offset);
}

bool ObjectFactory::SavePrefabs(const std::string& folder) const
{
    bool saved = true;
    for (const auto& [id, prefab] : prefabs_)
    {
        // Every prefab is tried, whichever failed before.
        if (!SavePrefab(*prefab, folder))
            saved = false;
    }
    return saved;
}

bool ObjectFactory::SavePrefab(GameObject& prefab, const std::string& folder) const
{
    const std::string name = PrefabFileName(prefab.GetName(), prefab.GetID());
    if (!SaveObjects(folder + name, "Prefabs", {&prefab}))
        return false;
    RemoveOtherFilesOfPrefab(folder, prefab.GetID(), name);
    return true;
}

bool ObjectFactory::SaveLevel(const std::string& path) const
{
    const bool objectsSaved = SaveObjects(path, "Objects", GetObjects());
    return SaveSceneSettings(SceneSettingsPath(GetFileStem(path))) && objectsSaved;
}

bool ObjectFactory::SaveSceneSettings(const std::string& path) const
{
    const Graphics* graphics = GraphicsSystem();
    if (!Check(graphics, "No Graphics system, scene settings not saved to " + path))
        return false;
    return WriteXmlFile(path, [graphics](XMLWriter& writer) {
        writer.BeginElement("SceneSettings");
        writer.WriteElement("WorldAmbient", graphics->GetWorldAmbient());
        writer.WriteElement("SkyboxFolderName", graphics->GetSkyboxName());
        writer.WriteElement("ShadowHeightOffset", graphics->GetShadowHeightOffset());
        writer.EndElement();
    });
}

bool SaveObjects(const std::string& path, const std::string& rootName, const std::vector<GameObject*>& objects)
{
    return WriteXmlFile(path, [&rootName, &objects](XMLWriter& writer) {
        writer.BeginElement(rootName);
        for (const GameObject* object : objects)
            object->Serialize(writer, "Object");
        writer.EndElement();
    });
}

ContentLoading FactoryContent(ObjectFactory& factory)
{
    return {[&factory](const std::string& path) { factory.LoadPrefabFile(path); },
            [&factory](const std::string& path, bool registerObjects) { factory.LoadLevelFile(path, registerObjects); },
            [&factory] { factory.DestroyAllObjects(); },
            [&factory](const std::string& name) { factory.SetLevelName(name); }};
}
