// The Inspector's editors of the script holder and the UI components.
#include "editor.h"

void Editor::ShowScriptAndUIEditor(GameObject&, Component&) {}
