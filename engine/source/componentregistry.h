#pragma once
#include "component.h"

#include <map>
#include <memory>
#include <string>

using ComponentCreator = std::unique_ptr<Component> (*)();

// Element name -> creator of a new component, iterated in ascending name order. Built on first use, never
// changed afterwards.
const std::map<std::string, ComponentCreator>& ComponentCreators();
