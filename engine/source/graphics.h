#pragma once
#include "system.h"

#include <cstdint>
#include <utility>

// The renderer.
class Graphics : public System
{
public:
    // Sized to the main window's client area.
    Graphics(int width, int height);

    void Init() override {}
    void Update() override {}
    void RegisterObject(GameObject*) override {}
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

private:
    float gamma_ = 1.0f;
    std::pair<int, int> editorViewport_;
    std::pair<int, int> gameViewport_;
};
