#pragma once
#include "logic.h"
#include "property.h"
#include "propertyhistory.h"

#include <imgui.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace property
{
// The items of one group share one row counter while they are drawn.
struct InspectorGroup
{
    std::vector<std::unique_ptr<InspectorItem>> items;
};

// The editor's generic editor of described objects: every property of every item as a two-column tree, names on
// the left and value widgets on the right. Edits are written at once and recorded in its own history. It is
// described itself (table "Inspector"), so its settings and history can be inspected like anything else.
class inspector : public base, public PropertyTableHolder
{
public:
    // The look of the inspector; every run starts from these defaults.
    struct settings final : public base
    {
        ImVec2 m_WindowPadding{0.0f, 3.0f};
        ImVec2 m_FramePadding{0.0f, 2.0f};
        ImVec2 m_ItemSpacing{2.0f, 1.0f};
        float m_IndentSpacing = 3.0f;
        ImVec2 m_TableFramePadding{2.0f, 6.0f};
        bool m_bRenderLeftBackground = true;
        bool m_bRenderRightBackground = true;
        bool m_bRenderBackgroundDepth = true;
        float m_ColorVScalar1 = 0.5f;
        float m_ColorVScalar2 = 0.4f;
        float m_ColorSScalar = 0.4f;
        ImVec2 m_HelpWindowPadding{10.0f, 10.0f};
        std::int32_t m_HelpWindowSizeInChars = 50;

        const table& GetPropertyTable() const override;
        static const table& StaticPropertyTable();
    };

    explicit inspector(const char* name);
    virtual ~inspector();

    const table& GetPropertyTable() const override;
    static const table& StaticPropertyTable();

    // Hooks for a derived inspector: one per value kind for a value, then one per kind for an edit.
    virtual void OnValue(int) {}
    virtual void OnValue(bool) {}
    virtual void OnValue(float) {}
    virtual void OnValue(const std::string&) {}
    virtual void OnValue(const Vector2&) {}
    virtual void OnValue(const Vector3&) {}
    virtual void OnIntEdit(editor::undo::entry&) {}
    virtual void OnBoolEdit(editor::undo::entry&) {}
    virtual void OnFloatEdit(editor::undo::entry&) {}
    virtual void OnStringEdit(editor::undo::entry&) {}
    virtual void OnVector2Edit(editor::undo::entry&) {}
    virtual void OnVector3Edit(editor::undo::entry&) {}

    // Deletes every group with its items and empties the history.
    void Clear();
    void AddGroup();
    // The table and object belong to the caller and must stay alive until the next Clear. Needs a group.
    void AddItem(const table& described, void* object);
    // Draws every group; header, when not empty, is called first.
    void Render(const std::function<void()>& header);
    // Before the script library goes: the items point into its tables.
    void DropPropertyTables() override { Clear(); }

    const char* Name() const { return name_; }
    const std::vector<InspectorGroup>& Groups() const { return groups_; }

    settings m_Settings;
    editor::undo::system m_UndoSystem;

private:
    void DrawGroups();
    void DrawPropertyList(InspectorItem& item, int& rowCounter);
    void DrawRowBackground(std::size_t depth, int rowCounter) const;
    void ShowHelpPopup(const char* text) const;
    void ShowRowTooltip(const PropertyRecord& record) const;

    const char* name_;
    std::vector<InspectorGroup> groups_;
};
} // namespace property
