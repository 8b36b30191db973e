#include "model.h"

#include "console.h"
#include "helpers.h"
#include "modelimport.h"
#include "modelread.h"

#include <assimp/scene.h>

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kDefaultTicksPerSecond = 25.0f;
constexpr unsigned kSlotsPerVertex = 4;

Vector3 ToVector3(const aiVector3D& v)
{
    return {v.x, v.y, v.z};
}

// Depth first, a node before its children and the children in order, without recursion: a file sets the depth.
template <class Visit>
void WalkNodes(const aiNode* root, Visit&& visit)
{
    std::vector<const aiNode*> pending{root};
    while (!pending.empty())
    {
        const aiNode* node = pending.back();
        pending.pop_back();
        visit(*node);
        for (unsigned n = node->mNumChildren; n > 0; --n)
            pending.push_back(node->mChildren[n - 1]);
    }
}

// The key before ticks and how far ticks lies towards the next one. Before the first key the first holds,
// from the last key on the last holds.
template <class Key>
std::pair<unsigned, float> KeySpan(const Key* keys, unsigned count, float ticks)
{
    if (ticks <= static_cast<float>(keys[0].mTime))
        return {0, 0.0f};
    if (ticks >= static_cast<float>(keys[count - 1].mTime))
        return {count - 2, 1.0f};
    unsigned k = 0;
    while (k + 2 < count && static_cast<float>(keys[k + 1].mTime) <= ticks)
        ++k;
    const float span = static_cast<float>(keys[k + 1].mTime - keys[k].mTime);
    const float factor = span > 0.0f ? (ticks - static_cast<float>(keys[k].mTime)) / span : 0.0f;
    return {k, std::clamp(factor, 0.0f, 1.0f)};
}

aiVector3D SampleVector(const aiVectorKey* keys, unsigned count, float ticks)
{
    if (count == 1)
        return keys[0].mValue;
    const auto [k, factor] = KeySpan(keys, count, ticks);
    return keys[k].mValue + (keys[k + 1].mValue - keys[k].mValue) * factor;
}

// A linear blend along the shorter arc, normalised.
aiQuaternion InterpolateRotation(float ticks, const aiNodeAnim& channel)
{
    if (channel.mNumRotationKeys == 1)
        return channel.mRotationKeys[0].mValue;
    const auto [k, factor] = KeySpan(channel.mRotationKeys, channel.mNumRotationKeys, ticks);
    const aiQuaternion& q0 = channel.mRotationKeys[k].mValue;
    const aiQuaternion& q1 = channel.mRotationKeys[k + 1].mValue;
    const float dot = q0.x * q1.x + q0.y * q1.y + q0.z * q1.z + q0.w * q1.w;
    const float b = dot >= 0.0f ? factor : -factor;
    const float a = 1.0f - factor;
    aiQuaternion q(a * q0.w + b * q1.w, a * q0.x + b * q1.x, a * q0.y + b * q1.y, a * q0.z + b * q1.z);
    return q.Normalize();
}

// A channel without keys of some kind keeps the node's own value for it.
aiMatrix4x4 ChannelTransform(float ticks, const aiNodeAnim& channel, const aiMatrix4x4& rest)
{
    aiVector3D scale, position;
    aiQuaternion rotation;
    rest.Decompose(scale, rotation, position);
    if (channel.mNumScalingKeys > 0)
        scale = SampleVector(channel.mScalingKeys, channel.mNumScalingKeys, ticks);
    if (channel.mNumRotationKeys > 0)
        rotation = InterpolateRotation(ticks, channel);
    if (channel.mNumPositionKeys > 0)
        position = SampleVector(channel.mPositionKeys, channel.mNumPositionKeys, ticks);
    return aiMatrix4x4(scale, rotation, position);
}

void ReportImportError(const std::string& message)
{
    PrintColoredLine(ConsoleColor::Red, "\t\tERROR::ASSIMP:: " + message);
}
} // namespace

Model::Model(std::string name_) : name(std::move(name_))
{
    channelByNode.max_load_factor(1.0f);
}

Model::~Model()
{
    importer.FreeScene();
}

const aiScene* Model::LoadModel(const std::string& path_, bool animated)
{
    postProcessFlags = ModelImportFlags(animated);
    path = path_;
    scene = ReadModelFile(importer, path, animated);
    return scene;
}

const aiScene* Model::LoadModelInChild(const std::string& path_, bool animated, ImporterChildren& importers)
{
    postProcessFlags = ModelImportFlags(animated);
    path = path_;
    ChildImport answer = importers.Import(path, animated);
    if (!answer.ok)
    {
        importError = std::move(answer.bytes);
        return scene = nullptr;
    }
    // The child has post-processed the scene already.
    scene = importer.ReadFileFromMemory(answer.bytes.data(), answer.bytes.size(), 0, kSceneFormat);
    return scene;
}

bool Model::IsReadable() const
{
    return IsReadableScene(scene);
}

void Model::ProcessModel(TextureCache& textures, MissingTextures& missing)
{
    ReadScene(textures, missing);
    // Only now: the vector moved its meshes around while it grew.
    for (Mesh& mesh : meshes)
        mesh.SetupBuffers();
}

void Model::ReadScene(TextureCache& textures, MissingTextures& missing)
{
    if (!IsReadable())
    {
        ReportImportError(importError.empty() ? importer.GetErrorString() : importError);
        return;
    }
    // A root that flattens the model has no inverse (assimp would answer NaNs); the bones then keep it.
    if (scene->mRootNode->mTransformation.Determinant() != 0.0f)
    {
        globalInverseTransform = scene->mRootNode->mTransformation;
        globalInverseTransform.Inverse();
    }
    ProcessNode(scene->mRootNode, textures, missing);
    if (!scene->mAnimations || scene->mNumAnimations == 0)
        return;
    // Only a file's first animation is ever played.
    const aiAnimation& animation = *scene->mAnimations[0];
    hasAnimation = true;
    ticksPerSecond = animation.mTicksPerSecond != 0.0 ? static_cast<float>(animation.mTicksPerSecond)
                                                       : kDefaultTicksPerSecond;
    duration = static_cast<float>(animation.mDuration);
    BuildChannelMap(scene->mRootNode);
    BuildPoseNodes(scene->mRootNode);
}

void Model::ProcessNode(const aiNode* root, TextureCache& textures, MissingTextures& missing)
{
    WalkNodes(root, [&](const aiNode& node) {
        for (unsigned n = 0; n < node.mNumMeshes; ++n)
            if (node.mMeshes[n] < scene->mNumMeshes)
                meshes.push_back(ProcessMesh(*scene->mMeshes[node.mMeshes[n]], textures, missing));
    });
}

Mesh Model::ProcessMesh(const aiMesh& mesh, TextureCache& textures, MissingTextures& missing)
{
    std::vector<Vertex> vertices(mesh.mNumVertices);
    const bool tangents = mesh.HasTangentsAndBitangents();
    for (unsigned v = 0; v < mesh.mNumVertices; ++v)
    {
        Vertex& vertex = vertices[v];
        vertex.position = ToVector3(mesh.mVertices[v]);
        if (mesh.HasNormals())
            vertex.normal = ToVector3(mesh.mNormals[v]);
        if (mesh.HasTextureCoords(0))
            vertex.uv = {mesh.mTextureCoords[0][v].x, mesh.mTextureCoords[0][v].y};
        if (tangents)
        {
            vertex.tangent = ToVector3(mesh.mTangents[v]);
            vertex.bitangent = ToVector3(mesh.mBitangents[v]);
        }
    }

    std::vector<std::uint32_t> indices;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f)
    {
        const aiFace& face = mesh.mFaces[f];
        // Only triangles are drawn: a line or point would shift every later triangle. A face naming a vertex
        // the mesh lacks would make the GPU read past the vertex buffer.
        if (face.mNumIndices == 3 && std::all_of(face.mIndices, face.mIndices + face.mNumIndices,
                        [&](unsigned index) { return index < mesh.mNumVertices; }))
            indices.insert(indices.end(), face.mIndices, face.mIndices + face.mNumIndices);
    }

    std::vector<Texture> meshTextures;
    if (mesh.mMaterialIndex < scene->mNumMaterials)
    {
        const aiMaterial& material = *scene->mMaterials[mesh.mMaterialIndex];
        LoadMaterialTextures(material, aiTextureType_DIFFUSE, "diffuseTex", textures, missing, meshTextures);
        LoadMaterialTextures(material, aiTextureType_SPECULAR, "specularTex", textures, missing, meshTextures);
        LoadMaterialTextures(material, aiTextureType_HEIGHT, "normalTex", textures, missing, meshTextures);
        LoadMaterialTextures(material, aiTextureType_AMBIENT, "heightTex", textures, missing, meshTextures);
    }

    std::vector<VertexBoneData> boneData(mesh.mNumVertices);
    AddBones(mesh, boneData);
    return Mesh(std::move(vertices), std::move(indices), std::move(boneData), std::move(meshTextures));
}

void Model::AddBones(const aiMesh& mesh, std::vector<VertexBoneData>& boneData)
{
    for (unsigned b = 0; b < mesh.mNumBones; ++b)
    {
        const aiBone& bone = *mesh.mBones[b];
        const auto [entry, added] = boneIndex.try_emplace(bone.mName.C_Str(), boneCount);
        // A bone met again in a later mesh keeps its index and its first offset.
        if (added)
        {
            ++boneCount;
            bones.push_back({bone.mOffsetMatrix, aiMatrix4x4()});
        }
        const auto index = static_cast<std::int32_t>(entry->second);
        for (unsigned w = 0; w < bone.mNumWeights; ++w)
        {
            const aiVertexWeight& weight = bone.mWeights[w];
            if (weight.mVertexId >= boneData.size())
                continue;
            VertexBoneData& slots = boneData[weight.mVertexId];
            // The first free slot; past four influences the rest are dropped.
            for (unsigned slot = 0; slot < kSlotsPerVertex; ++slot)
                if (slots.weights[slot] == 0.0f)
                {
                    slots.ids[slot] = index;
                    slots.weights[slot] = weight.mWeight;
                    break;
                }
        }
    }
}

void Model::LoadMaterialTextures(const aiMaterial& material, int type, const char* kind, TextureCache& textures,
                                 MissingTextures& missing, std::vector<Texture>& out) const
{
    const auto textureType = static_cast<aiTextureType>(type);
    for (unsigned n = 0; n < material.GetTextureCount(textureType); ++n)
    {
        aiString texturePath;
        if (material.GetTexture(textureType, n, &texturePath) != aiReturn_SUCCESS)
            continue;
        const std::string fileName = GetFileName(texturePath.C_Str());
        const auto cached = textures.find(fileName);
        if (cached == textures.end())
        {
            missing.emplace_back(name, fileName);
            continue;
        }
        cached->second.kind = kind;
        out.push_back(cached->second);
    }
}

void Model::BuildChannelMap(const aiNode* root)
{
    const aiAnimation& animation = *scene->mAnimations[0];
    // Each channel by its node name, the first of a name winning; then the nodes look theirs up.
    std::unordered_map<std::string, const aiNodeAnim*> channels;
    for (unsigned c = 0; c < animation.mNumChannels; ++c)
        channels.try_emplace(animation.mChannels[c]->mNodeName.C_Str(), animation.mChannels[c]);
    WalkNodes(root, [&](const aiNode& node) {
        const auto found = channels.find(node.mName.C_Str());
        if (found != channels.end())
            channelByNode.try_emplace(found->first, found->second);
    });
}

void Model::BoneTransform(double seconds, std::vector<aiMatrix4x4>& out)
{
    if (hasAnimation)
    {
        const double length = scene->mAnimations[0]->mDuration;
        // An animation without length shows its first pose.
        float ticks = length > 0.0 ? static_cast<float>(std::fmod(ticksPerSecond * seconds, length)) : 0.0f;
        if (!(ticks >= 0.0f))
            ticks = 0.0f;
        ReadNodeHierarchy(ticks);
    }
    out.resize(boneCount);
    for (std::uint32_t n = 0; n < boneCount; ++n)
        out[n] = bones[n].finalTransform;
}

void Model::BuildPoseNodes(const aiNode* root)
{
    // Depth first, children in order, without recursion: a file sets the depth.
    std::vector<std::pair<const aiNode*, std::size_t>> pending{{root, kNone}};
    while (!pending.empty())
    {
        const auto [node, parent] = pending.back();
        pending.pop_back();
        const auto channel = channelByNode.find(node->mName.C_Str());
        const auto bone = boneIndex.find(node->mName.C_Str());
        poseNodes_.push_back({node, parent, channel == channelByNode.end() ? nullptr : channel->second,
                              bone == boneIndex.end() ? kNone : std::size_t{bone->second}});
        const std::size_t self = poseNodes_.size() - 1;
        for (unsigned n = node->mNumChildren; n > 0; --n)
            pending.emplace_back(node->mChildren[n - 1], self);
    }
    globals_.resize(poseNodes_.size());
}

void Model::ReadNodeHierarchy(float ticks)
{
    for (std::size_t n = 0; n < poseNodes_.size(); ++n)
    {
        const PoseNode& pose = poseNodes_[n];
        const aiMatrix4x4 local = pose.channel ? ChannelTransform(ticks, *pose.channel, pose.node->mTransformation)
                                               : pose.node->mTransformation;
        globals_[n] = (pose.parent == kNone ? aiMatrix4x4() : globals_[pose.parent]) * local;
        if (pose.bone != kNone)
            bones[pose.bone].finalTransform = globalInverseTransform * globals_[n] * bones[pose.bone].offset;
    }
}
