#pragma once

// Where an editor window goes, in GUI screen coordinates.
struct PanelRect
{
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// The editor's fixed workspace over the work area: the hierarchy on the left (a fifth of the width), the
// inspector on the right (a quarter), the scene between them, and under all three a strip of a quarter of the
// height holding the console, project, prefabs and systems windows side by side.
struct EditorLayout
{
    PanelRect hierarchy;
    PanelRect scene;
    PanelRect inspector;
    PanelRect console;
    PanelRect project;
    PanelRect prefabs;
    PanelRect systems;
};

EditorLayout LayoutEditor(const PanelRect& workArea);

// Puts the next GUI window there: every frame when always, else on its first use only, so the user's moves
// are kept.
void PlaceNextWindow(const PanelRect& place, bool always);
