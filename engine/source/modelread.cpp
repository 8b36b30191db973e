#include "modelread.h"

#include <assimp/config.h>
#include <assimp/postprocess.h>

std::uint32_t ModelImportFlags(bool animated)
{
    // Sorting by primitive type splits off the lines and points that triangulation leaves, to be dropped.
    std::uint32_t flags =
        aiProcess_CalcTangentSpace | aiProcess_Triangulate | aiProcess_SortByPType | aiProcess_FlipUVs;
    if (!animated)
        flags |= aiProcess_PreTransformVertices;
    return flags;
}

const aiScene* ReadModelFile(Assimp::Importer& importer, const std::string& path, bool animated)
{
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE, aiPrimitiveType_LINE | aiPrimitiveType_POINT);
    return importer.ReadFile(path, ModelImportFlags(animated));
}

bool IsReadableScene(const aiScene* scene)
{
    return scene && !(scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) && scene->mRootNode;
}
