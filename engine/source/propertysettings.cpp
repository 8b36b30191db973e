#include "propertyinspector.h"
#include "propertywidgets.h"

namespace property
{
namespace
{
using settings = inspector::settings;

constexpr EditorDescriptor kUpTo2 = FloatSlider(0.0f, 2.0f);
constexpr EditorDescriptor kUpTo20 = FloatSlider(0.0f, 20.0f);
constexpr EditorDescriptor kUpTo40 = FloatSlider(0.0f, 40.0f);
constexpr EditorDescriptor kChars = IntSlider(1, 200);

template <typename T>
constexpr PropertyEntry Setting(const char* name, std::int64_t position, const EditorDescriptor* editor,
                                const char* help = nullptr)
{
    PropertyEntry made = ValueEntry<T>(name, position);
    made.info.help = help;
    made.info.editor = editor;
    made.info.hasEditor = editor != nullptr;
    return made;
}

// A scope over the same settings object, described by another table.
template <const table& Described>
NestedTable SameObject(void* object, std::uint64_t)
{
    return {object, &Described, true};
}

constexpr const char* kLuminosityHelp = "Changes the Luminosity of one of the alternate colors for the background";

constexpr PropertyEntry kBackgroundEntries[] = {
    Setting<bool>("RenderLeft", PROPERTY_POSITION(settings, m_bRenderLeftBackground), nullptr,
                  "Disable the rendering of the background on the left"),
    Setting<bool>("RenderRight", PROPERTY_POSITION(settings, m_bRenderRightBackground), nullptr,
                  "Disable the rendering of the background on the right"),
    Setting<bool>("Depth", PROPERTY_POSITION(settings, m_bRenderBackgroundDepth), nullptr,
                  "Disable the rendering of multiple color background"),
    Setting<float>("ColorVScalar1", PROPERTY_POSITION(settings, m_ColorVScalar1), &kUpTo2, kLuminosityHelp),
    Setting<float>("ColorVScalar2", PROPERTY_POSITION(settings, m_ColorVScalar2), &kUpTo2, kLuminosityHelp),
    Setting<float>("ColorSScalar", PROPERTY_POSITION(settings, m_ColorSScalar), &kUpTo2,
                   "Changes the Saturation for all the colors in the background"),
};
constexpr auto kBackgroundIndex = BuildIndex(kBackgroundEntries);
constexpr table kBackgroundTable = MakeTable("Background", kBackgroundEntries, kBackgroundIndex);

constexpr PropertyEntry kHelpPopupEntries[] = {
    Setting<float>("WindowPadding.X", PROPERTY_POSITION(settings, m_HelpWindowPadding.x), &kUpTo20,
                   "Border size in X for the help popup"),
    Setting<float>("WindowPadding.Y", PROPERTY_POSITION(settings, m_HelpWindowPadding.y), &kUpTo20,
                   "Border size in Y for the help popup"),
    Setting<int>("MaxSizeInChars", PROPERTY_POSITION(settings, m_HelpWindowSizeInChars), &kChars,
                 "Max Size of the help window popup when it opens"),
};
constexpr auto kHelpPopupIndex = BuildIndex(kHelpPopupEntries);
constexpr table kHelpPopupTable = MakeTable("Help Popup", kHelpPopupEntries, kHelpPopupIndex);

constexpr PropertyEntry kSettingsEntries[] = {
    Setting<float>("WindowPadding.x", PROPERTY_POSITION(settings, m_WindowPadding.x), &kUpTo20,
                   "Blank Border for the property window in X"),
    Setting<float>("WindowPadding.y", PROPERTY_POSITION(settings, m_WindowPadding.y), &kUpTo20,
                   "Blank Border for the property window in Y"),
    Setting<float>("TableFramePadding.x", PROPERTY_POSITION(settings, m_TableFramePadding.x), &kUpTo20,
                   "Main/Top Property Border size in X"),
    Setting<float>("TableFramePadding.y", PROPERTY_POSITION(settings, m_TableFramePadding.y), &kUpTo40,
                   "Main/Top Property Border size in Y"),
    Setting<float>("FramePadding.x", PROPERTY_POSITION(settings, m_FramePadding.x), &kUpTo20),
    Setting<float>("FramePadding.y", PROPERTY_POSITION(settings, m_FramePadding.y), &kUpTo20),
    Setting<float>("ItemSpacing.x", PROPERTY_POSITION(settings, m_ItemSpacing.x), &kUpTo20),
    Setting<float>("ItemSpacing.y", PROPERTY_POSITION(settings, m_ItemSpacing.y), &kUpTo20),
    Setting<float>("IndentSpacing", PROPERTY_POSITION(settings, m_IndentSpacing), &kUpTo20),
    TableEntry("Background", &SameObject<kBackgroundTable>),
    TableEntry("Help Popup", &SameObject<kHelpPopupTable>),
};
constexpr auto kSettingsIndex = BuildIndex(kSettingsEntries);
constexpr table kSettingsTable = MakeTable("property::inspector::settings", kSettingsEntries, kSettingsIndex);
} // namespace

const table& inspector::settings::GetPropertyTable() const
{
    return StaticPropertyTable();
}

const table& inspector::settings::StaticPropertyTable()
{
    return kSettingsTable;
}
} // namespace property
