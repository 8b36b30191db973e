#include "editorscripts.h"

#include "core.h"
#include "editor.h"
#include "gameobject.h"
#include "logic.h"
#include "monobehavior.h"

#include <utility>
#include <vector>

namespace
{
using Item = std::pair<const property::table*, void*>;

// The object's scripts with properties of their own (more than the link to the base's table), in name order.
std::vector<Item> ScriptsWithProperties(const GameObject& object)
{
    std::vector<Item> items;
    const MonoBehaviorDLL* holder = object.GetComponent<MonoBehaviorDLL>();
    if (!holder)
        return items;
    for (const std::string& name : holder->GetAttachedScriptNames())
        // By exact name: a name may be part of another attached name.
        if (MonoBehaviorInterface* script = holder->FindExact(name); script && script->GetPropertyTable().count > 1)
            items.emplace_back(&script->GetPropertyTable(), property::AddressOf(*script));
    return items;
}

std::vector<Item> Shown(const property::inspector& inspector)
{
    std::vector<Item> items;
    for (const property::InspectorGroup& group : inspector.Groups())
        for (const auto& item : group.items)
            items.emplace_back(item->described, item->object);
    return items;
}
} // namespace

ScriptEditorState::ScriptEditorState(std::string firstScriptName, Logic* logic)
    : chosenScriptName(std::move(firstScriptName)), logic_(logic)
{
    if (logic_)
        logic_->AddTableHolder(&inspector);
}

ScriptEditorState::~ScriptEditorState()
{
    if (logic_)
        logic_->RemoveTableHolder(&inspector);
}

void ScriptEditorState::Forget()
{
    inspector.Clear();
    lastObject_ = nullptr;
}

void ScriptEditorState::ShowScripts(GameObject& object, bool refresh)
{
    // Also rebuilt when the scripts are no longer the ones shown (one removed, the library reloaded), so no
    // item outlives its script.
    const std::vector<Item> scripts = ScriptsWithProperties(object);
    if (refresh || &object != lastObject_ || scripts != Shown(inspector))
    {
        lastObject_ = &object;
        inspector.Clear();
        inspector.AddGroup();
        for (const auto& [described, script] : scripts)
            inspector.AddItem(*described, script);
    }
    inspector.Render({});
}

ScriptEditorState& Editor::ScriptEditor()
{
    if (!scriptEditor_)
        scriptEditor_ = std::make_unique<ScriptEditorState>(
            scriptNames_.empty() ? std::string() : scriptNames_.front(), gCore ? gCore->GetLogic() : nullptr);
    return *scriptEditor_;
}

void Editor::ForgetScriptProperties()
{
    if (scriptEditor_)
        scriptEditor_->Forget();
}
