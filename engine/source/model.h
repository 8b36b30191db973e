#pragma once
#include "mesh.h"
#include "texture.h"

#include <assimp/Importer.hpp>
#include <assimp/matrix4x4.h>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class ImporterChildren;

struct aiMaterial;
struct aiMesh;
struct aiNode;
struct aiNodeAnim;
struct aiScene;

// One bone of a model: mesh space to bone space, and the pose the last sampling gave it.
struct BoneInfo
{
    aiMatrix4x4 offset;
    aiMatrix4x4 finalTransform;
};

// What processing a model reads from the resource manager and reports back to it.
using TextureCache = std::map<std::string, Texture>;
// (model name, texture file name) for each texture a model's materials name and the cache lacks.
using MissingTextures = std::vector<std::pair<std::string, std::string>>;

// One imported model file: its meshes, the bones that deform them and the file's first animation. The import
// (LoadModel) may run on any thread; everything after it runs on the main thread. Matrices are assimp's,
// row-major.
class Model
{
public:
    explicit Model(std::string name);
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Reads the file into this model's own importer and nothing else, so it may run off the main thread.
    // A non-animated file has its node transforms baked into the vertices. Null when the file could not be read.
    const aiScene* LoadModel(const std::string& path, bool animated);
    // LoadModel in a child of the importer program (modelimport.h). When the child fails, the scene
    // is null and importError says why.
    const aiScene* LoadModelInChild(const std::string& path, bool animated, ImporterChildren& importers);
    // The import gave a complete scene with a root.
    bool IsReadable() const;
    // Builds the meshes, bones and channel map (ReadScene), then uploads the meshes. Needs the GL context.
    void ProcessModel(TextureCache& textures, MissingTextures& missing);
    // The CPU part of processing. An unreadable file is reported and leaves the model without meshes.
    void ReadScene(TextureCache& textures, MissingTextures& missing);
    // Poses every bone at the time (seconds) in the first animation, looping over its length.
    void BoneTransform(double seconds, std::vector<aiMatrix4x4>& out);

    const std::string& GetName() const { return name; }

    // Ticks; 0 without animation.
    float duration = 0.0f;
    // In node-walk order: a node's own meshes before its children's.
    std::vector<Mesh> meshes;
    bool hasAnimation = false;
    // Owned by the importer.
    const aiScene* scene = nullptr;
    Assimp::Importer importer;
    std::map<std::string, std::uint32_t> boneIndex;
    std::uint32_t boneCount = 0;
    std::vector<BoneInfo> bones;
    aiMatrix4x4 globalInverseTransform;
    std::unordered_map<std::string, const aiNodeAnim*> channelByNode;
    std::uint32_t postProcessFlags = 0;
    std::string path;
    // Why a child import gave no scene; assimp's own message is the importer's.
    std::string importError;
    float ticksPerSecond = 0.0f;
    std::string name;

private:
    void ProcessNode(const aiNode* root, TextureCache& textures, MissingTextures& missing);
    Mesh ProcessMesh(const aiMesh& mesh, TextureCache& textures, MissingTextures& missing);
    void AddBones(const aiMesh& mesh, std::vector<VertexBoneData>& boneData);
    void LoadMaterialTextures(const aiMaterial& material, int type, const char* kind, TextureCache& textures,
                              MissingTextures& missing, std::vector<Texture>& out) const;
    void BuildChannelMap(const aiNode* root);
    void BuildPoseNodes(const aiNode* root);
    void ReadNodeHierarchy(float ticks);

    // A node with what posing it needs, looked up once instead of by name every frame.
    struct PoseNode
    {
        const aiNode* node;
        // Index in poseNodes_ of the parent, which comes earlier; kNone for the root.
        std::size_t parent;
        const aiNodeAnim* channel;
        // Index in bones, or kNone.
        std::size_t bone;
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::vector<PoseNode> poseNodes_;
    // Each pose node's global transform, kept between calls.
    std::vector<aiMatrix4x4> globals_;
};
