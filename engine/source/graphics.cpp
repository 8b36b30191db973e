#include "graphics.h"

#include "assertion.h"
#include "c_particlesystem.h"
#include "c_recttransform.h"
#include "c_transform.h"
#include "camerainterface.h"
#include "colliderinterface.h"
#include "core.h"
#include "gameobject.h"
#include "message.h"
#include "objectid.h"
#include "platform/window.h"
#include "resourcemanager.h"

#include <GL/glew.h>

#include <iostream>

namespace
{
constexpr std::uint32_t kTransparentRenderMode = 1;
// The UI is laid out on a 1920 x 1200 canvas centred on the screen. This projection's y grows downwards and
// element positions enter it with y negated, so a position's y grows upwards and pictures stand upright.
constexpr float kUIHalfWidth = kDesignHalfWidth;
constexpr float kUIHalfHeight = kDesignHalfHeight;

const DebugStyle kSelectedColliderStyle{Vector3(1.0f, 0.0f, 0.0f), 4.0f, 0.0f};
const DebugStyle kColliderStyle{Vector3(0.486f, 0.988f, 0.0f), 1.5f, 0.0f};

// The unit square as two triangles of x, y, u, v.
constexpr float kSpriteQuad[] = {0, 1, 0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1, 0};

// A cube of half size 10 around the eye, seen from inside.
constexpr float kSkyboxCube[] = {
    -10, 10,  -10, -10, -10, -10, 10,  -10, -10, 10,  -10, -10, 10,  10,  -10, -10, 10,  -10,
    -10, -10, 10,  -10, -10, -10, -10, 10,  -10, -10, 10,  -10, -10, 10,  10,  -10, -10, 10,
    10,  -10, -10, 10,  -10, 10,  10,  10,  10,  10,  10,  10,  10,  10,  -10, 10,  -10, -10,
    -10, -10, 10,  -10, 10,  10,  10,  10,  10,  10,  10,  10,  10,  -10, 10,  -10, -10, 10,
    -10, 10,  -10, 10,  10,  -10, 10,  10,  10,  10,  10,  10,  -10, 10,  10,  -10, 10,  -10,
    -10, -10, -10, -10, -10, 10,  10,  -10, -10, 10,  -10, -10, -10, -10, 10,  10,  -10, 10,
};

// The skybox faces in cube-map order.
unsigned MakeVertexArray(unsigned& buffer, const float* data, std::size_t bytes)
{
    unsigned vao = 0;
    glGenVertexArrays(1, &vao);
    glGenBuffers(1, &buffer);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), data, GL_STATIC_DRAW);
    return vao;
}

void FloatAttribute(unsigned index, int count, int stride, std::size_t offset)
{
    glEnableVertexAttribArray(index);
    glVertexAttribPointer(index, count, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
}

void DeleteTexture(unsigned& texture)
{
    if (texture)
        glDeleteTextures(1, &texture);
    texture = 0;
}

unsigned MakeTargetTexture(int width, int height, GLint internalFormat, GLenum format, GLenum type,
                           GLenum attachment)
{
    unsigned texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, texture, 0);
    return texture;
}
}

Graphics::Graphics(platform::Window* window, int width, int height)
    : System(SystemId::Graphics),
      RenderLists([this](const std::string& name) { return IsTransparentMaterial(name); }),
      window_(window), editorViewport_{width, height, 0, 0}, gameViewport_{width, height, 0, 0},
      editorCamera_(std::make_unique<GameObject>("", GenerateObjectId()))
{
}

Graphics::~Graphics()
{
    if (HasContext())
        DeleteGpuObjects();
    if (resources_)
        resources_->ClearResources();
    resources_.reset();
}

void Graphics::SetResourceManager(std::unique_ptr<ResourceManager> resources)
{
    resources_ = std::move(resources);
}

float Graphics::FrameTime() const
{
    return gCore ? gCore->GetFrameTime() : 0.0f;
}

Shader* Graphics::Program(const std::string& name) const
{
    if (!resources_)
        return nullptr;
    const auto found = resources_->shaders.find(name);
    return found == resources_->shaders.end() ? nullptr : &found->second;
}

const Material& Graphics::CachedMaterial(const std::string& name)
{
    return resources_->materials[name];
}

unsigned Graphics::TextureId(const std::string& name) const
{
    const auto found = resources_->textures.find(name);
    return found == resources_->textures.end() ? 0 : found->second.id;
}

bool Graphics::IsTransparentMaterial(const std::string& name) const
{
    if (!resources_)
        return false;
    const auto found = resources_->materials.find(name);
    return found != resources_->materials.end() && found->second.renderMode == kTransparentRenderMode;
}

void Graphics::Init()
{
    setRotation_ = AxisAngleToMatrix4(kPi / 2, Vector3(1, 0, 0));
    if (HasContext())
    {
        const Vector4& clear = settings.clearColour;
        glClearColor(clear.x, clear.y, clear.z, clear.w);
        for (int key : {kPickingKey, kShadowMapKey, kEditorViewKey, kGameViewKey})
            GetFramebuffer(key);
        CreateSpriteQuad();
        CreateShadowMap();
        CreatePickingTarget();
        CreateGameViewTarget();
        CreateSkyboxCube();
        LoadSkybox(settings.skyboxName);
        CreateLineMesh();
        particles_.Create();
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_TRUE);
        glEnable(GL_CULL_FACE);
    }
    std::cout << "System: Graphics\t- OK" << std::endl;
}

void Graphics::CreateSpriteQuad()
{
    spriteVao_ = MakeVertexArray(spriteVbo_, kSpriteQuad, sizeof(kSpriteQuad));
    FloatAttribute(0, 4, 4 * sizeof(float), 0);
    glBindVertexArray(0);
}

void Graphics::CreateSkyboxCube()
{
    skyboxVao_ = MakeVertexArray(skyboxVbo_, kSkyboxCube, sizeof(kSkyboxCube));
    FloatAttribute(0, 3, 3 * sizeof(float), 0);
    glBindVertexArray(0);
}

void Graphics::CreateLineMesh()
{
    lineMesh_.SetupBuffers();
}

void Graphics::CreateShadowMap()
{
    DeleteTexture(shadowMap_);
    glGenTextures(1, &shadowMap_);
    glBindTexture(GL_TEXTURE_2D, shadowMap_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, settings.shadowMapWidth, settings.shadowMapHeight, 0,
                 GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const float border[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    glBindFramebuffer(GL_FRAMEBUFFER, GetFramebuffer(kShadowMapKey));
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowMap_, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

unsigned Graphics::GetFramebuffer(int key)
{
    const auto found = framebuffers_.find(key);
    if (found != framebuffers_.end())
        return found->second;
    unsigned framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    framebuffers_.emplace(key, framebuffer);
    return framebuffer;
}

void Graphics::CreateViewTarget(int key, const Viewport& viewport)
{
    TargetTextures& textures = targetTextures_[key];
    DeleteTexture(textures.colour);
    DeleteTexture(textures.depth);
    glBindFramebuffer(GL_FRAMEBUFFER, GetFramebuffer(key));
    const bool picking = key == kPickingKey;
    // Picking reads exact bytes back; the views keep the lit colours unclamped.
    textures.colour = MakeTargetTexture(viewport.width, viewport.height, picking ? GL_RGB8 : GL_RGBA16F,
                                        picking ? GL_RGB : GL_RGBA, picking ? GL_UNSIGNED_BYTE : GL_FLOAT,
                                        GL_COLOR_ATTACHMENT0);
    // The stencil marks what the opaque meshes cover before the sky is drawn.
    textures.depth = MakeTargetTexture(viewport.width, viewport.height, GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL,
                                       GL_UNSIGNED_INT_24_8, GL_DEPTH_STENCIL_ATTACHMENT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Graphics::CreateEditorViewTarget()
{
    CreateViewTarget(kEditorViewKey, editorViewport_);
}

void Graphics::CreateGameViewTarget()
{
    CreateViewTarget(kGameViewKey, gameViewport_);
}

void Graphics::CreatePickingTarget()
{
    CreateViewTarget(kPickingKey, editorViewport_);
}

RenderTarget Graphics::WindowTarget() const
{
    return {0, gameViewport_.width, gameViewport_.height};
}

RenderTarget Graphics::EditorViewTarget()
{
    return {GetFramebuffer(kEditorViewKey), editorViewport_.width, editorViewport_.height};
}

RenderTarget Graphics::GameViewTarget()
{
    return {GetFramebuffer(kGameViewKey), gameViewport_.width, gameViewport_.height};
}

void Graphics::DeleteGpuObjects()
{
    glBindVertexArray(0);
    for (unsigned* vao : {&spriteVao_, &skyboxVao_})
        if (*vao)
            glDeleteVertexArrays(1, vao);
    for (unsigned* buffer : {&spriteVbo_, &skyboxVbo_})
        if (*buffer)
            glDeleteBuffers(1, buffer);
    DeleteTexture(shadowMap_);
    DeleteTexture(skyboxTexture_);
    for (auto& [key, textures] : targetTextures_)
    {
        DeleteTexture(textures.colour);
        DeleteTexture(textures.depth);
    }
    for (auto& [key, framebuffer] : framebuffers_)
        glDeleteFramebuffers(1, &framebuffer);
    particles_.Destroy();
}

void Graphics::Update()
{
    if (gCore && gCore->IsEditorMode())
    {
        AdvanceAnimators(FrameTime());
        return;
    }
    PrepareFrame();
    if (!HasContext())
        return;
    DrawFrame(WindowTarget());
    window_->SwapBuffers();
}

void Graphics::PrepareFrame()
{
    EmitParticles();
    AdvanceAnimators(FrameTime());
    SortTransparentRenderables();
    SortCanvasRenderers();
    UpdateGameCamera();
}

void Graphics::ClearTarget(const RenderTarget& target)
{
    const Vector4& clear = settings.clearColour;
    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glClearColor(clear.x, clear.y, clear.z, clear.w);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Graphics::DrawFrame(const RenderTarget& target)
{
    ClearTarget(target);
    Render(target, gameView_, gameProjection_, GetGameCameraTransform(), true);
}

void Graphics::DrawEditorView()
{
    if (!HasContext())
        return;
    const RenderTarget target = EditorViewTarget();
    ClearTarget(target);
    Render(target, editorView_, editorProjection_, editorCameraTransform_, false);
    DrawIcons(target);
}

void Graphics::DrawGameView()
{
    if (HasContext())
        DrawFrame(GameViewTarget());
}

void Graphics::ClearWindow()
{
    if (HasContext())
        ClearTarget(WindowTarget());
}

void Graphics::RegisterObject(GameObject* object)
{
    FileObject(object);
    // Only a particle system changes the sum: a level's other objects must not each walk the systems.
    if (!object || !object->GetParticleSystem())
        return;
    std::uint32_t capacity = 0;
    for (const GameObject* filed : particleSystems.active)
        if (const auto* system = filed->GetComponent<ParticleSystem>())
            capacity += static_cast<std::uint32_t>(system->settings.maxParticles);
    particles_.SetCapacity(capacity);
}

void Graphics::EmitParticles()
{
    if (paused_)
        return;
    const TransformInterface* camera = GetGameCameraTransform();
    const Vector3 cameraPosition = camera ? camera->GetPosition() : Vector3();
    for (GameObject* object : particleSystems.active)
        if (auto* system = object->GetComponent<ParticleSystem>())
            system->EmissionTick(FrameTime(), camera ? &cameraPosition : nullptr);
}

void Graphics::UnregisterObject(GameObject* object)
{
    UnfileObject(object);
}

void Graphics::HandleMessage(const BaseMessage& message)
{
    if (message.receiver != SystemId::All)
        return;
    using namespace MessageNames;
    if (message.name == Register)
    {
        if (const auto* object = PayloadOf<GameObject*>(message))
            RegisterObject(*object);
    }
    else if (message.name == Destroy)
    {
        if (const auto* object = PayloadOf<GameObject*>(message))
            UnregisterObject(*object);
    }
    else if (message.name == Enable || message.name == Disable)
    {
        if (const auto* object = PayloadOf<GameObject*>(message))
        {
            const CompEnum wholeObject{};
            if (message.name == Enable)
                OnEnableComponent(*object, wholeObject);
            else
                OnDisableComponent(*object, wholeObject);
        }
    }
    else if (message.name == EnableComponent || message.name == DisableComponent)
    {
        if (const auto* payload = PayloadOf<std::pair<CompEnum, GameObject*>>(message))
        {
            if (message.name == EnableComponent)
                OnEnableComponent(payload->second, payload->first);
            else
                OnDisableComponent(payload->second, payload->first);
        }
    }
    else if (message.name == Paused)
    {
        if (const auto* paused = PayloadOf<bool>(message))
            paused_ = *paused;
    }
}

bool Graphics::RefreshCamera(CameraInterface* camera, const TransformInterface* transform, const Viewport& viewport,
                             Matrix4& view, Matrix4& projection)
{
    if (!camera || !transform)
        return false;
    if (camera->IsViewDirty())
    {
        view = LookAt(transform->GetPosition(), transform->GetPosition() + transform->GetForward());
        camera->SetViewDirty(false);
    }
    if (!camera->IsProjectionDirty())
        return false;
    uiProjection_ = Orthographic(-kUIHalfWidth, kUIHalfWidth, kUIHalfHeight, -kUIHalfHeight, -1.0f, 1.0f);
    const float aspect = static_cast<float>(viewport.width) / static_cast<float>(viewport.height);
    projection = Perspective(camera->GetFOV(), aspect, camera->GetNear(), camera->GetFar());
    camera->SetProjectionDirty(false);
    return true;
}

void Graphics::UpdateGameCamera()
{
    if (!RefreshCamera(GetGameCamera(), GetGameCameraTransform(), gameViewport_, gameView_, gameProjection_) ||
        !HasContext())
        return;
    CreateGameViewTarget();
    CreateEditorViewTarget();
}

void Graphics::UpdateEditorCamera()
{
    if (!RefreshCamera(editorCameraComponent_, editorCameraTransform_, editorViewport_, editorView_,
                       editorProjection_) ||
        !HasContext())
        return;
    CreatePickingTarget();
    CreateEditorViewTarget();
}

void Graphics::ResetEditorCamera()
{
    editorCameraTransform_ = editorCamera_->GetTransform();
    editorCameraComponent_ = editorCamera_->GetCamera();
    if (editorCameraComponent_)
        editorCameraComponent_->SetViewDirty(true);
}

void Graphics::SetEditorViewportSize(int width, int height)
{
    if (width <= 0 || height <= 0 || (width == editorViewport_.width && height == editorViewport_.height))
        return;
    editorViewport_ = {width, height, 0, 0};
    if (editorCameraComponent_)
        editorCameraComponent_->SetProjectionDirty(true);
}

void Graphics::SetGameViewportSize(int width, int height)
{
    if (width <= 0 || height <= 0 || (width == gameViewport_.width && height == gameViewport_.height))
        return;
    gameViewport_ = {width, height, 0, 0};
    if (CameraInterface* camera = GetGameCamera())
        camera->SetProjectionDirty(true);
}

void Graphics::SetSkybox(const std::string& folder)
{
    if (folder == settings.skyboxName)
        return;
    settings.skyboxName = folder;
    LoadSkybox(folder);
}

void Graphics::LoadSkybox(const std::string& folder)
{
    if (!HasContext() || !resources_)
        return;
    DeleteTexture(skyboxTexture_);
    // The name comes from a scene-settings file: one that leads out of the sky folder gives a black sky.
    skyboxTexture_ = LoadCubemapDDS(SkyboxFacePaths(resources_->RootFolder() + "Assets/Textures/", folder));
    if (Shader* skybox = Program("SkyboxShader"))
    {
        skybox->Use();
        skybox->SetInt("skyboxTex", 0);
    }
}

void Graphics::DrawColliders(const GameObject* selected)
{
    if (!settings.drawColliders)
        return;
    for (const GameObject* object : colliders.active)
    {
        const TransformInterface* transform = object->GetTransform();
        const ColliderInterface* collider = object->GetCollider();
        if (!transform || !collider)
            continue;
        const bool isSelected = selected && selected->GetID() == object->GetID();
        DrawColliderShape(debugShapes_, *collider, *transform, isSelected ? kSelectedColliderStyle : kColliderStyle);
    }
}

void Graphics::UpdateDebugShapes()
{
    debugShapes_.UpdateDebugShapes(FrameTime());
}
