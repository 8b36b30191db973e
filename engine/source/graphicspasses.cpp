// The passes of one view: shadow depth, skybox, lights, meshes, debug lines and the UI, and picking.
#include "graphics.h"

#include "c_animator.h"
#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_transform.h"
#include "camerainterface.h"
#include "gameobject.h"
#include "lightinterface.h"
#include "recttransforminterface.h"
#include "model.h"
#include "resourcemanager.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

namespace
{
// The shaders divide by gamma.
constexpr float kLowestGamma = 0.1f;
constexpr std::uint32_t kPointLight = 1;
// Picking starts from white, which no object index reaches.
constexpr unsigned char kWhite = 0xFF;
// The editor's icons: a light yellow that stands out against sky and ground.
const Vector4 kIconColour(1.0f, 0.9f, 0.4f, 1.0f);

float UploadedGamma(float gamma)
{
    return gamma > 0.0f ? gamma : kLowestGamma;
}

std::string Indexed(const char* array, std::size_t index, const char* field)
{
    return std::string(array) + "[" + std::to_string(index) + "]." + field;
}

// Meshes drawn in a row leave their arrays bound: switching to none and back costs the driver a revalidation
// per draw. Each pass unbinds once at its end.
void DrawMesh(const Mesh& mesh)
{
    glBindVertexArray(mesh.vao);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indexCount), GL_UNSIGNED_INT, nullptr);
}

void DrawMeshes(const Model& model)
{
    for (const Mesh& mesh : model.meshes)
        DrawMesh(mesh);
}

// The object's first component of a class that alone has its kind: found by kind, without a cast per component.
template <class T>
T* ComponentOfKind(const GameObject& object, CompEnum kind)
{
    return static_cast<T*>(object.FirstOfType(kind));
}

// The first mesh filter, renderer and animator of the object, found in one walk over its components.
MeshParts PartsOf(const GameObject& object)
{
    MeshParts parts;
    for (const auto& owned : object.GetComponents())
    {
        Component* component = owned.get();
        if (component->GetKind() == CompEnum::MeshFilter && !parts.filter)
            parts.filter = static_cast<const MeshFilter*>(component);
        else if (component->GetKind() == CompEnum::MeshRenderer && !parts.renderer)
            parts.renderer = static_cast<const MeshRenderer*>(component);
        else if (component->GetKind() == CompEnum::Animator && !parts.animator)
            parts.animator = static_cast<const Animator*>(component);
    }
    return parts;
}

// Bone poses are row-major: uploaded transposed.
Matrix4 RowMajor(const aiMatrix4x4& pose)
{
    const float elements[16] = {pose.a1, pose.a2, pose.a3, pose.a4, pose.b1, pose.b2, pose.b3, pose.b4,
                                pose.c1, pose.c2, pose.c3, pose.c4, pose.d1, pose.d2, pose.d3, pose.d4};
    return Matrix4(elements);
}

void UploadLightList(Shader& forward, const char* array, const char* count, const ObjectSet& lights)
{
    forward.SetInt(count, static_cast<int>(lights.size()));
    std::size_t i = 0;
    for (auto entry = lights.begin(); entry != lights.end(); ++entry, ++i)
    {
        const TransformInterface* transform = (*entry)->GetTransform();
        const LightInterface* light = (*entry)->GetLight();
        // The index is kept, so the lights after it stay where the count says.
        if (!transform || !light)
            continue;
        const bool point = light->GetType() == kPointLight;
        if (point)
        {
            forward.SetVec3(Indexed(array, i, "position"), transform->GetPosition());
            forward.SetFloat(Indexed(array, i, "range"), light->GetRange());
        }
        else
            forward.SetVec3(Indexed(array, i, "direction"), transform->GetForward());
        forward.SetVec3(Indexed(array, i, "ambient"), light->GetAmbient());
        forward.SetVec3(Indexed(array, i, "diffuse"), light->GetDiffuse());
        forward.SetVec3(Indexed(array, i, "specular"), light->GetSpecular());
        forward.SetFloat(Indexed(array, i, "intensity"), light->GetIntensity());
    }
}
}

Model* Graphics::FindModel(const std::string& name) const
{
    if (!resources_)
        return nullptr;
    const auto found = resources_->models.find(name);
    return found == resources_->models.end() ? nullptr : found->second.get();
}

void Graphics::AdvanceAnimators(float frameTime)
{
    if (paused_)
        return;
    for (const ObjectLists* lists : {&opaqueRenderables, &transparentRenderables})
        for (GameObject* object : lists->active)
        {
            auto* animator = ComponentOfKind<Animator>(*object, CompEnum::Animator);
            if (animator && animator->IsEnabled() && !animator->GetControllerName().empty())
                animator->Advance(frameTime);
        }
}

void Graphics::Render(const RenderTarget& target, const Matrix4& view, const Matrix4& projection,
                      const TransformInterface* camera, bool withCovers)
{
    if (!camera || !HasContext() || !resources_)
        return;
    Shader* forward = Program("Forward");
    Shader* depthPass = Program("DepthPass");
    if (!forward || !depthPass)
        return;
    if (!directionalLights.active.empty())
    {
        glCullFace(GL_FRONT);
        RenderDepthPass(*depthPass, *camera);
        glCullFace(GL_BACK);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, target.width, target.height);
    glClearBufferfi(GL_DEPTH_STENCIL, 0, settings.depthClearValue, 0);
    SetForwardUniforms(*forward);
    UploadLights(*forward, *camera);
    // The opaque meshes mark their pixels in the stencil, and the sky then fills only the unmarked ones: the
    // picture of a sky drawn first and covered, without shading the covered part. The depth alone cannot tell
    // them apart, since a surface at the far end has the sky's depth.
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    DrawOpaqueMeshes(*forward, view, projection);
    glStencilFunc(GL_EQUAL, 0, 0xFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    DrawSkybox(view, projection);
    glDisable(GL_STENCIL_TEST);
    forward->Use();
    forward->SetInt("mat.renderMode", 1);
    forward->SetInt("renderParticles", 1);
    DrawParticles(view, projection);
    forward->Use();
    forward->SetInt("mat.renderMode", 1);
    forward->SetInt("renderParticles", 0);
    DrawTransparentMeshes(*forward, view, projection);
    if (settings.drawColliders)
        DrawDebugLines(view, projection);
    DrawSprites(withCovers);
}

void Graphics::DrawParticles(const Matrix4& view, const Matrix4& projection)
{
    if (Shader* program = Program("ParticleShader"))
        particles_.Draw(*program, view, projection, settings.discardAlpha, particleSystems.active,
                        [this](const std::string& name) { return TextureId(name); });
}

void Graphics::SetForwardUniforms(Shader& forward)
{
    forward.Use();
    forward.SetFloat("gamma", UploadedGamma(settings.gamma));
    forward.SetVec3("worldAmbient", settings.worldAmbient);
    forward.SetMat4("lightProj", lightProjection_);
    forward.SetMat4("lightView", lightView_);
    forward.SetInt("hdr", settings.hdr ? 1 : 0);
    forward.SetFloat("exposure", settings.exposure);
    forward.SetInt("renderParticles", 0);
    glActiveTexture(GL_TEXTURE4);
    forward.SetInt("shadowMap", 4);
    glBindTexture(GL_TEXTURE_2D, shadowMap_);
    glActiveTexture(GL_TEXTURE0);
}

void Graphics::RenderDepthPass(Shader& depthPass, const TransformInterface& camera)
{
    const TransformInterface* light = directionalLights.active.front()->GetTransform();
    if (!light)
        return;
    const Vector3 eye = camera.GetPosition() + Vector3(0, settings.shadowHeightOffset, 0);
    const float half = settings.shadowBoxHalfSize;
    lightProjection_ = Orthographic(-half, half, -half, half, settings.shadowNear, settings.shadowFar);
    lightView_ = LookAt(eye, eye + light->GetForward());
    depthPass.Use();
    depthPass.SetMat4("lightProj", lightProjection_);
    depthPass.SetMat4("lightView", lightView_);
    glBindFramebuffer(GL_FRAMEBUFFER, GetFramebuffer(kShadowMapKey));
    glViewport(0, 0, settings.shadowMapWidth, settings.shadowMapHeight);
    const GLenum none = GL_NONE;
    glDrawBuffers(1, &none);
    glClear(GL_DEPTH_BUFFER_BIT);
    PassUploads uploads;
    for (GameObject* object : opaqueRenderables.active)
        if (Model* model = PrepareObject(depthPass, *object, PartsOf(*object), uploads))
            DrawMeshes(*model);
    glBindVertexArray(0);
}

void Graphics::UploadLights(Shader& forward, const TransformInterface& camera)
{
    forward.Use();
    forward.SetVec3("camPos", camera.GetPosition());
    UploadLightList(forward, "dirLights", "NUM_OF_DIRECTIONAL_LIGHTS", directionalLights.active);
    UploadLightList(forward, "ptLights", "NUM_OF_POINT_LIGHTS", pointLights.active);
}

Model* Graphics::PrepareObject(Shader& shader, const GameObject& object, const MeshParts& parts,
                               PassUploads& uploads)
{
    const MeshFilter* filter = parts.filter;
    if (!filter || !filter->IsEnabled() || filter->GetMeshName() == "None")
        return nullptr;
    Model* model = FindModel(filter->GetMeshName());
    const TransformInterface* transform = object.GetTransform();
    if (!model || !transform)
        return nullptr;
    Matrix4 matrix = transform->GetModelMatrix();
    if (filter->GetMeshName() == "Set")
        matrix = matrix * setRotation_;
    shader.SetMat4("model", matrix);
    // Only a pose that is uploaded may skin the mesh.
    std::vector<aiMatrix4x4> bones;
    const Animator* animator = parts.animator;
    if (model->hasAnimation && animator && animator->IsEnabled() && !animator->GetControllerName().empty())
        model->BoneTransform(paused_ ? 0.0 : static_cast<double>(animator->GetCurrentTime()), bones);
    const int hasAnim = bones.empty() ? 0 : 1;
    if (hasAnim != uploads.hasAnim)
        shader.SetInt("hasAnim", hasAnim);
    uploads.hasAnim = hasAnim;
    for (std::size_t i = 0; i < std::min(bones.size(), kMaxBones); ++i)
        shader.SetMat4("bones[" + std::to_string(i) + "]", RowMajor(bones[i]), true);
    return model;
}

void Graphics::SetMaterialUniforms(Shader& forward, const Material& material)
{
    forward.SetVec4("mat.matDiffuse", material.diffuse);
    forward.SetVec4("mat.matSpecular", material.specular);
    forward.SetFloat("mat.shininess", material.shininess);
    forward.SetVec2("mat.repeat", material.tiling);
    struct Map
    {
        const char* flag;
        const char* sampler;
        bool present;
        const std::string& name;
    };
    const Map maps[] = {
        {"mat.hasDiffMap", "mat.diffuseTex", material.hasDiffuseMap, material.diffuseMap},
        {"mat.hasSpecMap", "mat.specularTex", material.hasSpecularMap, material.specularMap},
        {"mat.hasNormalMap", "mat.normalTex", material.hasNormalMap, material.normalMap},
        {"mat.hasHeightMap", "mat.heightTex", material.hasHeightMap, material.heightMap},
    };
    int unit = 0;
    for (const Map& map : maps)
    {
        forward.SetInt(map.flag, map.present ? 1 : 0);
        if (!map.present)
            continue;
        glActiveTexture(GL_TEXTURE0 + unit);
        forward.SetInt(map.sampler, unit);
        glBindTexture(GL_TEXTURE_2D, TextureId(map.name));
        ++unit;
    }
}

void Graphics::DrawMeshesWithMaterials(Shader& forward, const Model& model, const MeshRenderer* renderer,
                                       bool ownMaterials, PassUploads& uploads)
{
    const std::vector<Mesh>& meshes = model.meshes;
    for (std::size_t k = 0; k < meshes.size(); ++k)
    {
        const Material& material = ownMaterials && renderer && k < renderer->GetMaterials().size()
                                       ? renderer->GetMaterials()[k]
                                   : renderer && k < renderer->GetMaterialNames().size()
                                       ? CachedMaterial(renderer->GetMaterialNames()[k])
                                       : CachedMaterial("defaultMaterial");
        // Draws of one material in a row find its uniforms and textures in place.
        if (&material != uploads.material)
            SetMaterialUniforms(forward, material);
        uploads.material = &material;
        DrawMesh(meshes[k]);
        glActiveTexture(GL_TEXTURE0);
    }
}

void Graphics::DrawOpaqueMeshes(Shader& forward, const Matrix4& view, const Matrix4& projection)
{
    forward.Use();
    forward.SetMat4("view", view);
    forward.SetMat4("proj", projection);
    forward.SetInt("mat.renderMode", 0);
    PassUploads uploads;
    for (const GameObject* object : opaqueRenderables.active)
    {
        const MeshParts parts = PartsOf(*object);
        if (Model* model = PrepareObject(forward, *object, parts, uploads))
            DrawMeshesWithMaterials(forward, *model, parts.renderer, false, uploads);
    }
    glBindVertexArray(0);
}

void Graphics::DrawTransparentMeshes(Shader& forward, const Matrix4& view, const Matrix4& projection)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    forward.Use();
    forward.SetMat4("view", view);
    forward.SetMat4("proj", projection);
    forward.SetInt("mat.renderMode", 1);
    // Farthest first, so nearer surfaces blend over farther ones.
    const auto& order = TransparencyOrder();
    PassUploads uploads;
    for (auto entry = order.rbegin(); entry != order.rend(); ++entry)
    {
        const MeshParts parts = PartsOf(*entry->second);
        if (Model* model = PrepareObject(forward, *entry->second, parts, uploads))
            DrawMeshesWithMaterials(forward, *model, parts.renderer, true, uploads);
    }
    glBindVertexArray(0);
    glDisable(GL_BLEND);
}

void Graphics::DrawSkybox(const Matrix4& view, const Matrix4& projection)
{
    Shader* skybox = Program("SkyboxShader");
    if (!skybox)
        return;
    skybox->Use();
    skybox->SetMat4("view", view);
    skybox->SetMat4("proj", projection);
    skybox->SetInt("renderSkybox", settings.renderSkybox ? 1 : 0);
    skybox->SetFloat("gamma", UploadedGamma(settings.gamma));
    glBindVertexArray(skyboxVao_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, skyboxTexture_);
    // Nothing drawn later comes behind it, so it need not write its depth.
    glDepthMask(GL_FALSE);
    glDrawArrays(GL_TRIANGLES, 0, 36);
    glDepthMask(GL_TRUE);
    glBindVertexArray(0);
}

void Graphics::DrawSprites(bool withCovers)
{
    Shader* sprite = Program("SpriteShader");
    if (!sprite)
        return;
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    sprite->Use();
    sprite->SetMat4("projection", uiProjection_);
    sprite->SetFloat("gamma", UploadedGamma(settings.gamma));
    for (const auto& [depth, object] : UIOrder())
    {
        if (!withCovers && IsScreenCover(*object))
            continue;
        const Canvas* canvas = object->GetComponent<CanvasRenderer>()->GetCanvas();
        const auto* image = object->GetComponent<Image>();
        const Material& material = image->GetMaterial();
        // A clear image blends to nothing, but a full-screen one still costs every pixel of a software GL.
        if (material.diffuse.w <= 0.0f)
            continue;
        sprite->SetMat4("model", object->GetRectTransform()->GetModelMatrix(canvas->GetPPU()));
        sprite->SetVec4("matDiffuse", material.diffuse);
        sprite->SetInt("hasDiffMap", material.hasDiffuseMap ? 1 : 0);
        if (material.hasDiffuseMap)
        {
            glActiveTexture(GL_TEXTURE0);
            sprite->SetInt("diffuseTex", 0);
            glBindTexture(GL_TEXTURE_2D, TextureId(material.diffuseMap));
        }
        glBindVertexArray(spriteVao_);
        glDrawArrays(GL_TRIANGLES, 0, 6);
        glBindVertexArray(0);
        glActiveTexture(GL_TEXTURE0);
    }
    glDisable(GL_BLEND);
}

void Graphics::DrawDebugLines(const Matrix4& view, const Matrix4& projection)
{
    Shader* line = Program("Line");
    if (!line || debugShapes_.Shapes().empty())
        return;
    line->Use();
    line->SetMat4("view", view);
    line->SetMat4("proj", projection);
    glBindVertexArray(lineMesh_.vao);
    for (const DebugShape& shape : debugShapes_.Shapes())
    {
        line->SetVec3("colour", shape.colour);
        glLineWidth(shape.lineWidth);
        for (const DebugSegment& segment : shape.segments)
        {
            // The unit segment's x axis stretched onto this segment.
            const Vector3 along = segment.to - segment.from;
            const float elements[16] = {along.x, along.y, along.z, 0, 0, 1, 0, 0, 0, 0, 1, 0,
                                        segment.from.x, segment.from.y, segment.from.z, 1};
            line->SetMat4("model", shape.model * Matrix4(elements));
            glDrawElements(GL_LINES, 2, GL_UNSIGNED_INT, nullptr);
        }
    }
    glBindVertexArray(0);
    glLineWidth(1.0f);
}

void Graphics::DrawIcon(Shader& flat, const GameObject& object, const Model& icon)
{
    const TransformInterface* transform = object.GetTransform();
    if (!transform)
        return;
    flat.SetMat4("model", transform->GetModelMatrix());
    flat.SetInt("hasAnim", 0);
    DrawMeshes(icon);
}

std::vector<GameObject*> Graphics::IconLights() const
{
    std::vector<GameObject*> lights = directionalLights.active.Objects();
    lights.insert(lights.end(), pointLights.active.begin(), pointLights.active.end());
    return lights;
}

// Over everything else, the interface included: an icon stays findable behind walls and panels.
void Graphics::DrawIcons(const RenderTarget& target)
{
    Shader* flat = Program("ObjPicking");
    if (!flat)
        return;
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glViewport(0, 0, target.width, target.height);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    flat->Use();
    flat->SetMat4("view", editorView_);
    flat->SetMat4("proj", editorProjection_);
    const std::pair<const char*, std::vector<GameObject*>> icons[] = {{kCameraIcon, cameras.active.Objects()},
                                                                       {kLightIcon, IconLights()}};
    flat->SetVec4("PickingColor", kIconColour);
    for (const auto& [name, objects] : icons)
        if (const Model* icon = FindModel(name))
            for (const GameObject* object : objects)
                DrawIcon(*flat, *object, *icon);
    glBindVertexArray(0);
}

GameObject* Graphics::PickObject(int x, int y, const std::vector<GameObject*>& objects)
{
    return Pick(x, y, objects, nullptr);
}

GameObject* Graphics::PickIconObject(int x, int y, const std::vector<GameObject*>& objects, const Model* icon)
{
    return icon ? Pick(x, y, objects, icon) : nullptr;
}

GameObject* Graphics::Pick(int x, int y, const std::vector<GameObject*>& objects, const Model* icon)
{
    Shader* picking = Program("ObjPicking");
    if (!HasContext() || !picking)
        return nullptr;
    glBindFramebuffer(GL_FRAMEBUFFER, GetFramebuffer(kPickingKey));
    glViewport(0, 0, editorViewport_.width, editorViewport_.height);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    picking->Use();
    picking->SetMat4("view", editorView_);
    picking->SetMat4("proj", editorProjection_);
    PassUploads uploads;
    for (std::size_t i = 0; i < objects.size(); ++i)
    {
        picking->SetVec4("PickingColor", PickingColor(static_cast<std::uint32_t>(i)));
        if (icon)
            DrawIcon(*picking, *objects[i], *icon);
        else if (Model* model = PrepareObject(*picking, *objects[i], PartsOf(*objects[i]), uploads))
            DrawMeshes(*model);
    }
    glBindVertexArray(0);
    glFinish();
    unsigned char pixel[4] = {kWhite, kWhite, kWhite, kWhite};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const Vector4& clear = settings.clearColour;
    glClearColor(clear.x, clear.y, clear.z, clear.w);
    return PickedObject(PickedIndex(pixel[0], pixel[1], pixel[2]), objects);
}
