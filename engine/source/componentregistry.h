#pragma once
#include "component.h"

#include <map>
#include <memory>
#include <string>

using ComponentCreator = std::unique_ptr<Component> (*)();

// Element name -> creator of a new component, iterated in ascending name order. Built on first use, never
// changed afterwards.
const std::map<std::string, ComponentCreator>& ComponentCreators();

// What the editor calls a component: the inspector's heading (empty: not shown) and the name the remove menu
// offers it by (null: the editor does not remove it).
struct EditorNames
{
    const char* label;
    const char* removeName;
};
// By the component's element name; a lone "Collider" kind keeps no name of its own.
const EditorNames& EditorNamesOf(const Component& component);
