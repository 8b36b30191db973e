#pragma once
// How a model file is read, shared by the program and the importer child (modelimport.h).
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include <cstdint>
#include <string>

// The post-processing flags of a file of the animated or the non-animated folder.
std::uint32_t ModelImportFlags(bool animated);
// Reads the file into the importer; a non-animated file has its node transforms baked into the vertices. Null
// when the file could not be read.
const aiScene* ReadModelFile(Assimp::Importer& importer, const std::string& path, bool animated);
// The import gave a complete scene with a root.
bool IsReadableScene(const aiScene* scene);
