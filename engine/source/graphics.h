#pragma once
#include "TorvaneMath.h"
#include "debugshapes.h"
#include "matrix4.h"
#include "mesh.h"
#include "particlepass.h"
#include "renderlists.h"
#include "system.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace platform
{
class Window;
}

class Animator;
class GameObject;
struct Material;
class MeshFilter;
class MeshRenderer;
class Model;
class ResourceManager;
class Shader;
class TransformInterface;

// The parts of an object the mesh passes read.
struct MeshParts
{
    const MeshFilter* filter = nullptr;
    const MeshRenderer* renderer = nullptr;
    const Animator* animator = nullptr;
};

// What the renderer draws with; the editor reads and writes them directly.
struct RenderSettings
{
    float gamma = 2.2f;
    float depthClearValue = 1.0f;
    bool renderSkybox = true;
    bool drawColliders = false;
    float exposure = 2.0f;
    bool hdr = true;
    bool discardAlpha = true;
    Vector3 worldAmbient{1.0f, 1.0f, 1.0f};
    std::string skyboxName = "MainSky";
    float shadowBoxHalfSize = 100.0f;
    float shadowNear = 0.0f;
    float shadowFar = 100.0f;
    int shadowMapWidth = 1024;
    int shadowMapHeight = 1024;
    float shadowHeightOffset = 100.0f;
    Vector4 clearColour{0.1f, 0.1f, 0.1f, 1.0f};
};

struct Viewport
{
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
};

// Where a view is drawn: a GL framebuffer name (0 is the window) and its size.
struct RenderTarget
{
    unsigned framebuffer = 0;
    int width = 0;
    int height = 0;
};

// A colour and a depth texture drawn into through one framebuffer.
struct TargetTextures
{
    unsigned colour = 0;
    unsigned depth = 0;
};

// The renderer. It draws in the main window's context, which the window makes and keeps; built without a
// window it keeps its lists and settings and makes no GL call.
class Graphics : public System, public RenderLists
{
public:
    // Keys of the framebuffer map. The shadow map's key 0 is not the window's framebuffer 0.
    static constexpr int kShadowMapKey = 0;
    static constexpr int kPickingKey = 2;
    static constexpr int kEditorViewKey = 6;
    static constexpr int kGameViewKey = 7;
    // The length of the skinning shaders' bones array (their MAX_BONES); poses past it are not uploaded.
    static constexpr std::size_t kMaxBones = 100;

    Graphics(platform::Window* window, int width, int height);
    ~Graphics() override;

    void Init() override;
    // One game frame: PrepareFrame, DrawFrame into the window, present. In Core's editor mode only the
    // animation clocks advance: the editor's scene view prepares, draws and presents.
    void Update() override;
    // The frame's work before drawing: particles, animation clocks, orders, the game camera.
    void PrepareFrame();
    // Clears the target and renders the game camera's view into it.
    void DrawFrame(const RenderTarget& target);
    // The editor's scene view: its target cleared and rendered through the editor camera with the icons at
    // cameras and lights and without the screen covers, which would hide the level being edited; or the game
    // view's through the game camera, as the player sees it. Nothing without a context.
    void DrawEditorView();
    void DrawGameView();
    // Clears the window to the clear colour; nothing without a context.
    void ClearWindow();
    void RegisterObject(GameObject* object) override;
    void UnregisterObject(GameObject* object) override;
    std::string GetName() const override { return "Graphics"; }
    void HandleMessage(const BaseMessage& message) override;

    // Hands over the caches the renderer draws from; Graphics frees them.
    void SetResourceManager(std::unique_ptr<ResourceManager> resources);
    ResourceManager* GetResourceManager() const { return resources_.get(); }

    // Draws one view into the target; nothing at all without a viewing camera. Without covers the interface
    // leaves out its screen covers (IsScreenCover).
    void Render(const RenderTarget& target, const Matrix4& view, const Matrix4& projection,
                const TransformInterface* camera, bool withCovers);
    // The window, the editor's scene view and the game view as the editor shows it.
    RenderTarget WindowTarget() const;
    RenderTarget EditorViewTarget();
    RenderTarget GameViewTarget();

    void UpdateGameCamera();
    void UpdateEditorCamera();
    void ResetEditorCamera();
    GameObject& GetEditorCamera() { return *editorCamera_; }
    const Matrix4& GetGameView() const { return gameView_; }
    const Matrix4& GetGameProjection() const { return gameProjection_; }
    const Matrix4& GetEditorView() const { return editorView_; }
    const Matrix4& GetEditorProjection() const { return editorProjection_; }
    const Matrix4& GetUIProjection() const { return uiProjection_; }

    // Unless paused, one emission tick of every active particle system, depths from the game camera.
    void EmitParticles();
    // The particles the registered systems can hold together; the draw sizes its streams per system.
    std::uint32_t GetParticleCapacity() const { return particles_.Buffers().capacity; }
    // Advances the clock of every enabled animator of a drawn object once per frame, unless paused; the
    // passes only sample.
    void AdvanceAnimators(float frameTime);

    // Unchanged sizes and zero sizes change nothing; a new size dirties the view's camera.
    void SetEditorViewportSize(int width, int height);
    void SetGameViewportSize(int width, int height);
    std::pair<int, int> EditorViewportSize() const { return {editorViewport_.width, editorViewport_.height}; }
    std::pair<int, int> GameViewportSize() const { return {gameViewport_.width, gameViewport_.height}; }

    void SetGamma(float gamma) { settings.gamma = gamma; }
    float GetGamma() const { return settings.gamma; }
    void SetWorldAmbient(const Vector3& colour) { settings.worldAmbient = colour; }
    const Vector3& GetWorldAmbient() const { return settings.worldAmbient; }
    // A new name builds the cube map anew; the current name changes nothing.
    void SetSkybox(const std::string& folder);
    void LoadSkybox(const std::string& folder);
    const std::string& GetSkyboxName() const { return settings.skyboxName; }
    unsigned GetSkyboxTexture() const { return skyboxTexture_; }
    void SetShadowHeightOffset(float offset) { settings.shadowHeightOffset = offset; }
    float GetShadowHeightOffset() const { return settings.shadowHeightOffset; }
    bool IsPaused() const { return paused_; }

    // The framebuffer of a key, made on first use.
    unsigned GetFramebuffer(int key);
    const TargetTextures& GetTargetTextures(int key) { return targetTextures_[key]; }
    void CreateEditorViewTarget();
    void CreateGameViewTarget();
    void CreatePickingTarget();

    // The object of `objects` drawn at the picking target's pixel (x, y from the bottom left), or null.
    GameObject* PickObject(int x, int y, const std::vector<GameObject*>& objects);
    GameObject* PickIconObject(int x, int y, const std::vector<GameObject*>& objects, const Model* icon);
    // The editor's icon models: "camera" marks the active cameras, "Arrow" the active lights of both kinds.
    static constexpr const char* kCameraIcon = "camera";
    static constexpr const char* kLightIcon = "Arrow";
    std::vector<GameObject*> IconLights() const;
    // The model of that name, or null.
    Model* FindModel(const std::string& name) const;

    // Queues the wireframes of the active colliders while collider drawing is on; `selected` stands out.
    void DrawColliders(const GameObject* selected);
    // Ages the debug lines by the frame time.
    void UpdateDebugShapes();
    const DebugShapes& GetDebugShapes() const { return debugShapes_; }
    DebugShapes& GetDebugShapes() { return debugShapes_; }

    RenderSettings settings;

private:
    bool HasContext() const { return window_ != nullptr; }
    // Rebuilds the matrices the camera flags; true when the projection was rebuilt.
    bool RefreshCamera(CameraInterface* camera, const TransformInterface* transform, const Viewport& viewport,
                       Matrix4& view, Matrix4& projection);
    float FrameTime() const;
    void CreateSpriteQuad();
    void CreateShadowMap();
    void CreateLineMesh();
    void CreateSkyboxCube();
    void CreateViewTarget(int key, const Viewport& viewport);
    void DeleteGpuObjects();

    void SetForwardUniforms(Shader& forward);
    void RenderDepthPass(Shader& depthPass, const TransformInterface& camera);
    void UploadLights(Shader& forward, const TransformInterface& camera);
    void DrawOpaqueMeshes(Shader& forward, const Matrix4& view, const Matrix4& projection);
    void DrawTransparentMeshes(Shader& forward, const Matrix4& view, const Matrix4& projection);
    void DrawSkybox(const Matrix4& view, const Matrix4& projection);
    void DrawParticles(const Matrix4& view, const Matrix4& projection);
    void DrawSprites(bool withCovers);
    void DrawDebugLines(const Matrix4& view, const Matrix4& projection);
    // What a mesh pass set last on its program: draws in a row that need the same find it in place.
    struct PassUploads
    {
        const Material* material = nullptr;
        int hasAnim = -1;
    };
    // Sets the object's model matrix and pose; its model, or null when it has nothing to draw.
    Model* PrepareObject(Shader& shader, const GameObject& object, const MeshParts& parts, PassUploads& uploads);
    void SetMaterialUniforms(Shader& forward, const Material& material);
    // The renderer's own material copies, or the cached materials of its names.
    void DrawMeshesWithMaterials(Shader& forward, const Model& model, const MeshRenderer* renderer,
                                 bool ownMaterials, PassUploads& uploads);
    // Draws each object in its index colour (with `icon` in place of its model when given) and reads back.
    GameObject* Pick(int x, int y, const std::vector<GameObject*>& objects, const Model* icon);
    void ClearTarget(const RenderTarget& target);
    void DrawIcons(const RenderTarget& target);
    // The icon at the object's own transform, in the flat program's colour; nothing without a transform.
    static void DrawIcon(Shader& flat, const GameObject& object, const Model& icon);
    Shader* Program(const std::string& name) const;
    // The cached material of the name, made from the default one when it is missing.
    const Material& CachedMaterial(const std::string& name);
    unsigned TextureId(const std::string& name) const;
    bool IsTransparentMaterial(const std::string& name) const;

    platform::Window* window_;
    std::unique_ptr<ResourceManager> resources_;
    bool paused_ = false;
    Viewport editorViewport_;
    Viewport gameViewport_;
    Matrix4 lightProjection_;
    Matrix4 lightView_;
    Matrix4 setRotation_;

    std::unique_ptr<GameObject> editorCamera_;
    TransformInterface* editorCameraTransform_ = nullptr;
    CameraInterface* editorCameraComponent_ = nullptr;
    Matrix4 editorView_;
    Matrix4 editorProjection_;
    Matrix4 gameView_;
    Matrix4 gameProjection_;
    Matrix4 uiProjection_;

    std::map<int, unsigned> framebuffers_;
    std::map<int, TargetTextures> targetTextures_;
    unsigned shadowMap_ = 0;
    unsigned spriteVao_ = 0;
    unsigned spriteVbo_ = 0;
    Mesh lineMesh_;
    unsigned skyboxVao_ = 0;
    unsigned skyboxVbo_ = 0;
    unsigned skyboxTexture_ = 0;
    DebugShapes debugShapes_;
    ParticlePass particles_;
};
