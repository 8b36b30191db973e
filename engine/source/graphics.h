#pragma once
#include "TorvaneMath.h"
#include "system.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The renderer.
class Graphics : public System
{
public:
    // Sized to the main window's client area.
    Graphics(int width, int height);

    void Init() override {}
    void Update() override {}
    // Recorded: the objects handed over directly, by id.
    void RegisterObject(GameObject* object) override;
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Graphics"; }
    void HandleMessage(const BaseMessage&) override {}

    void SetMainCamera(std::uint64_t) {}
    void ResetEditorCamera() {}
    void SetGamma(float gamma) { gamma_ = gamma; }
    void SetEditorViewportSize(int width, int height) { editorViewport_ = {width, height}; }
    void SetGameViewportSize(int width, int height) { gameViewport_ = {width, height}; }
    const std::pair<int, int>& EditorViewportSize() const { return editorViewport_; }
    const std::pair<int, int>& GameViewportSize() const { return gameViewport_; }
    float GetGamma() const { return gamma_; }

    // Scene settings.
    void SetWorldAmbient(const Vector3& colour) { worldAmbient_ = colour; }
    const Vector3& GetWorldAmbient() const { return worldAmbient_; }
    // A new name builds the cube map anew; the current name changes nothing.
    void SetSkybox(const std::string& folder);
    const std::string& GetSkyboxName() const { return skyboxName_; }
    void SetShadowHeightOffset(float offset) { shadowHeightOffset_ = offset; }
    float GetShadowHeightOffset() const { return shadowHeightOffset_; }

    const std::vector<std::uint64_t>& RegisteredIds() const { return registeredIds_; }
    int SkyboxLoads() const { return skyboxLoads_; }

private:
    float gamma_ = 1.0f;
    std::pair<int, int> editorViewport_;
    std::pair<int, int> gameViewport_;
    Vector3 worldAmbient_{1.0f, 1.0f, 1.0f};
    std::string skyboxName_ = "MainSky";
    float shadowHeightOffset_ = 100.0f;
    std::vector<std::uint64_t> registeredIds_;
    int skyboxLoads_ = 0;
};
