#include "propertyinspector.h"

#include "propertypaths.h"
#include "propertywidgets.h"

#include <imgui_internal.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace property
{
namespace
{
template <typename T>
NestedTable WholeMember(void* member, std::uint64_t)
{
    return {member, &T::StaticPropertyTable(), true};
}

template <typename T>
constexpr PropertyEntry ScopeEntry(const char* name, std::int64_t position)
{
    PropertyEntry made = TableEntry(name, &WholeMember<T>);
    made.position = position;
    return made;
}

const PropertyEntry kInspectorEntries[] = {
    ScopeEntry<inspector::settings>("Settings", PROPERTY_POSITION(inspector, m_Settings)),
    ScopeEntry<editor::undo::system>("UndoSystem", PROPERTY_POSITION(inspector, m_UndoSystem)),
};
const auto kInspectorIndex = BuildIndex(kInspectorEntries);
const table kInspectorTable = MakeTable("Inspector", kInspectorEntries, kInspectorIndex);

constexpr std::array<ImU32, 20> kCategoryPalette = {
    0xaec7e8, 0x1f77b4, 0xff7f0e, 0x2ca02c, 0xffbb78, 0x98df8a, 0xd62728, 0xff9896, 0x9467bd, 0xc5b0d5,
    0x8c564b, 0xc49c94, 0xe377c2, 0xf7b6d2, 0x7f7f7f, 0xc7c7c7, 0xbcbd22, 0xdbdb8d, 0x17becf, 0x9edae5};

const ImVec4 kReadOnlyCover(0.7f, 0.7f, 1.0f, 0.35f);

// One open level of the tree while an item is drawn.
struct TreeLevel
{
    static constexpr std::uint8_t kOpen = 1u << 0;
    static constexpr std::uint8_t kPlainList = 1u << 1;
    static constexpr std::uint8_t kReadOnly = 1u << 2;

    std::uint32_t hash = 0;
    // -1 outside a list, else the elements drawn so far.
    std::int32_t elements = -1;
    std::size_t begin = 0;
    std::size_t end = 0;
    // 1 opens every node right below this level, -1 closes them.
    std::int32_t openAll = 0;
    std::uint8_t flags = 0;

    bool Is(std::uint8_t flag) const { return (flags & flag) != 0; }
    bool Matches(std::string_view path) const
    {
        return path.size() >= end && PropertyNameHash(path.substr(begin, end - begin)) == hash;
    }
};

class LevelStack
{
public:
    explicit LevelStack(TreeLevel root) : levels_{root} {}
    ~LevelStack()
    {
        while (!levels_.empty())
            Pop();
    }

    TreeLevel& Deepest() { return levels_.back(); }
    std::size_t Depth() const { return levels_.size() - 1; }
    // Drops the levels the path has left; the root stays.
    void Leave(std::string_view path)
    {
        while (levels_.size() > 1 && !Deepest().Matches(path))
            Pop();
    }
    // A new level under a tree node labelled label; a pending request of the parent forces its open state.
    TreeLevel& Push(TreeLevel level, const char* label)
    {
        if (Deepest().openAll != 0)
            ImGui::SetNextItemOpen(Deepest().openAll > 0, ImGuiCond_Always);
        if (ImGui::TreeNodeEx(label, ImGuiTreeNodeFlags_OpenOnArrow))
            level.flags |= TreeLevel::kOpen;
        levels_.push_back(level);
        return levels_.back();
    }

private:
    void Pop()
    {
        if (Deepest().Is(TreeLevel::kOpen))
            ImGui::TreePop();
        levels_.pop_back();
    }

    std::vector<TreeLevel> levels_;
};

bool EndsWithBracket(std::string_view path)
{
    return !path.empty() && path.back() == ']';
}

// The cell from the cursor to the column's right edge, one frame high.
ImRect CellAtCursor(float extraWidth = 0.0f)
{
    const ImVec2 start = ImGui::GetCursorScreenPos();
    return {start, ImVec2(start.x + ImGui::GetContentRegionAvail().x + extraWidth, start.y + ImGui::GetFrameHeight())};
}

void Fill(const ImRect& cell, const ImVec4& colour)
{
    ImGui::GetWindowDrawList()->AddRectFilled(cell.Min, cell.Max, ImGui::GetColorU32(colour));
}
} // namespace

inspector::inspector(const char* name) : name_(name) {}

inspector::~inspector() = default;

const table& inspector::GetPropertyTable() const
{
    return StaticPropertyTable();
}

const table& inspector::StaticPropertyTable()
{
    return kInspectorTable;
}

void inspector::Clear()
{
    groups_.clear();
    m_UndoSystem.Clear();
}

void inspector::AddGroup()
{
    groups_.emplace_back();
}

void inspector::AddItem(const table& described, void* object)
{
    if (groups_.empty())
        AddGroup();
    auto item = std::make_unique<InspectorItem>();
    item->described = &described;
    item->object = object;
    groups_.back().items.push_back(std::move(item));
}

void inspector::Render(const std::function<void()>& header)
{
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, m_Settings.m_WindowPadding);
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, m_Settings.m_FramePadding);
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, m_Settings.m_ItemSpacing);
    ImGui::PushStyleVar(ImGuiStyleVar_IndentSpacing, m_Settings.m_IndentSpacing);
    ImGui::PushStyleVar(ImGuiStyleVar_FrameRounding, 0.0f);
    if (header)
        header();
    if (ImGui::GetColumnsCount() != 2)
        ImGui::Columns(2, nullptr, true);
    ImGui::Separator();
    DrawGroups();
    ImGui::Columns(1);
    ImGui::Separator();
    ImGui::PopStyleVar(5);
}

void inspector::DrawGroups()
{
    for (InspectorGroup& group : groups_)
        for (const std::unique_ptr<InspectorItem>& item : group.items)
        {
            item->records.clear();
            std::string path;
            if (item->described->className && *item->described->className != '\0')
                path = std::string(item->described->className) + '/';
            EnumerateProperties(*item->described, item->object, path, path.size(),
                                [&](std::string_view at, PropertyValue&& value, const table& holder,
                                    std::uint32_t index, flags::type rowFlags) {
                                    item->records.push_back(
                                        {std::string(at), std::move(value), &holder.entries[index].info, rowFlags});
                                });
        }
    for (InspectorGroup& group : groups_)
    {
        int rowCounter = 0;
        for (const std::unique_ptr<InspectorItem>& item : group.items)
        {
            if (ImGui::GetColumnsCount() != 2)
                ImGui::Columns(2, nullptr, true);
            DrawPropertyList(*item, rowCounter);
            if (ImGui::GetColumnsCount() != 1)
                ImGui::Columns(1);
        }
    }
}

void inspector::DrawPropertyList(InspectorItem& item, int& rowCounter)
{
    const char* tableName = item.described->className ? item.described->className : "";
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, m_Settings.m_TableFramePadding);
    TreeLevel root;
    root.hash = PropertyNameHash(tableName);
    root.end = std::string_view(tableName).size();
    if (ImGui::TreeNodeEx(tableName, ImGuiTreeNodeFlags_DefaultOpen | ImGuiTreeNodeFlags_OpenOnArrow))
        root.flags |= TreeLevel::kOpen;
    ImGui::NextColumn();
    Fill(CellAtCursor(), ImGui::GetStyle().Colors[ImGuiCol_Header]);
    ImGui::NextColumn();
    ImGui::PopStyleVar();
    LevelStack levels(root);
    if (!root.Is(TreeLevel::kOpen))
        return;

    for (std::size_t at = 0; at < item.records.size();)
    {
        PropertyRecord& record = item.records[at];
        levels.Leave(record.path);
        TreeLevel& level = levels.Deepest();
        if (!level.Is(TreeLevel::kOpen))
        {
            ++at;
            continue;
        }
        ++rowCounter;
        const std::size_t depth = levels.Depth();
        const bool inList = level.elements != -1;
        const bool readOnly = (record.flags & flags::kReadOnly) != 0 || level.Is(TreeLevel::kReadOnly);
        const char* name = record.info->name;
        ImGui::PushID(static_cast<int>(depth * 1000 + record.info->hash + (inList ? level.elements : 0)));
        if (m_Settings.m_bRenderLeftBackground)
            DrawRowBackground(depth, rowCounter);

        const ImGuiTreeNodeFlags leaf = ImGuiTreeNodeFlags_Leaf | ImGuiTreeNodeFlags_NoTreePushOnOpen;
        const void* leafId = reinterpret_cast<const void*>(static_cast<std::uintptr_t>(record.info->hash));
        TreeLevel* opened = nullptr;
        bool elementScope = false;
        if (inList)
        {
            const std::string label = '[' + std::to_string(level.elements++) + ']';
            if (level.Is(TreeLevel::kPlainList))
                ImGui::TreeNodeEx(leafId, leaf, "%s", label.c_str());
            else
            {
                TreeLevel element;
                element.hash = PropertyNameHash(std::string_view(record.path).substr(level.begin,
                                                    record.path.find('/', level.end) - level.begin));
                element.begin = level.begin;
                element.end = std::min(record.path.find('/', level.end), record.path.size());
                element.flags = level.flags & TreeLevel::kReadOnly;
                opened = &levels.Push(element, label.c_str());
                elementScope = true;
            }
        }
        else if ((record.flags & flags::kOpensLevel) == 0)
            ImGui::TreeNodeEx(leafId, leaf, "%s", name);
        else
        {
            TreeLevel scope;
            scope.begin = level.end + 1;
            scope.flags = readOnly ? TreeLevel::kReadOnly : 0;
            std::string label = name;
            if (EndsWithBracket(record.path))
            {
                const int count = std::get_if<int>(&record.value) ? *std::get_if<int>(&record.value) : 0;
                label += "[.." + std::to_string(count) + "]";
                scope.end = record.path.size() - 2;
                scope.elements = 0;
                if (at + 1 < item.records.size() && EndsWithBracket(item.records[at + 1].path))
                    scope.flags |= TreeLevel::kPlainList;
            }
            else
                scope.end = record.path.size();
            scope.hash = PropertyNameHash(std::string_view(record.path).substr(scope.begin, scope.end - scope.begin));
            opened = &levels.Push(scope, label.c_str());
        }
        if (!elementScope && ImGui::IsItemHovered())
            ShowRowTooltip(record);

        ImGui::NextColumn();
        ImGui::PushItemWidth(-1.0f);
        if (!opened)
        {
            if (m_Settings.m_bRenderRightBackground)
                DrawRowBackground(depth, rowCounter);
            if (!readOnly)
                m_UndoSystem.RecordEdit(record, item);
            else
            {
                record.flags |= flags::kReadOnly;
                const ImRect cell = CellAtCursor();
                const ImVec4 text = ImGui::GetStyle().Colors[ImGuiCol_Text];
                ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(text.x * 1.1f, text.y * 0.8f, text.z * 0.8f, text.w));
                editor::undo::entry blank(record.value);
                ShowValueWidget(blank, record.value, *record.info, record.flags);
                ImGui::PopStyleColor();
                Fill(cell, kReadOnlyCover);
            }
        }
        else
        {
            if (m_Settings.m_bRenderRightBackground)
                DrawRowBackground(depth, rowCounter);
            const ImRect cell = CellAtCursor();
            if (opened->Is(TreeLevel::kOpen) && !opened->Is(TreeLevel::kPlainList))
            {
                if (ImGui::Button(" O "))
                    opened->openAll = 1;
                ShowHelpPopup("Open/Expands all entries in the list");
                ImGui::SameLine();
                if (ImGui::Button(" C "))
                    opened->openAll = -1;
                ShowHelpPopup("Closes/Collapses all entries in the list");
            }
            if (opened->Is(TreeLevel::kReadOnly))
                Fill(cell, kReadOnlyCover);
        }
        ImGui::PopItemWidth();
        ImGui::PopID();
        ImGui::NextColumn();
        // A list element that is a scope only opened its level: its record is drawn inside it.
        if (!elementScope)
            ++at;
    }
}

void inspector::DrawRowBackground(std::size_t depth, int rowCounter) const
{
    const std::size_t index = m_Settings.m_bRenderBackgroundDepth ? std::min<std::size_t>(depth, 19) : 0;
    const ImU32 rgb = kCategoryPalette[index];
    float h = 0.0f;
    float s = 0.0f;
    float v = 0.0f;
    ImGui::ColorConvertRGBtoHSV(static_cast<float>((rgb >> 16) & 0xff) / 255.0f,
                                static_cast<float>((rgb >> 8) & 0xff) / 255.0f, static_cast<float>(rgb & 0xff) / 255.0f,
                                h, s, v);
    s *= m_Settings.m_ColorSScalar;
    v *= rowCounter % 2 != 0 ? m_Settings.m_ColorVScalar1 : m_Settings.m_ColorVScalar2;
    ImVec4 colour(0.0f, 0.0f, 0.0f, 1.0f);
    ImGui::ColorConvertHSVtoRGB(h, s, v, colour.x, colour.y, colour.z);
    Fill(CellAtCursor(16.0f), colour);
}

void inspector::ShowHelpPopup(const char* text) const
{
    if (!ImGui::IsItemHovered())
        return;
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, m_Settings.m_HelpWindowPadding);
    ImGui::BeginTooltip();
    ImGui::PushTextWrapPos(static_cast<float>(m_Settings.m_HelpWindowSizeInChars) * ImGui::GetFontSize());
    ImGui::TextUnformatted(text);
    ImGui::PopTextWrapPos();
    ImGui::EndTooltip();
    ImGui::PopStyleVar();
}

void inspector::ShowRowTooltip(const PropertyRecord& record) const
{
    const auto line = [](const char* label, const char* value) {
        ImGui::TextUnformatted(label);
        ImGui::SameLine();
        ImGui::TextUnformatted(value);
    };
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, m_Settings.m_HelpWindowPadding);
    ImGui::BeginTooltip();
    ImGui::PushTextWrapPos(static_cast<float>(m_Settings.m_HelpWindowSizeInChars) * ImGui::GetFontSize());
    line("FullName: ", record.path.c_str());
    line("Name:     ", record.info->name);
    char hash[16];
    std::snprintf(hash, sizeof hash, "0x%x", record.info->hash);
    line("Hash:     ", hash);
    if (record.info->help)
    {
        ImGui::Separator();
        ImGui::TextUnformatted(record.info->help);
    }
    else
        line("Help:     ", "none provided");
    ImGui::PopTextWrapPos();
    ImGui::EndTooltip();
    ImGui::PopStyleVar();
}
} // namespace property
