#include "graphics.h"
void Graphics::AdvanceAnimators() {}
void Graphics::Render(const RenderTarget&, const Matrix4&, const Matrix4&, const TransformInterface*) {}
GameObject* Graphics::PickObject(int, int, const std::vector<GameObject*>&) { return nullptr; }
GameObject* Graphics::PickIconObject(int, int, const std::vector<GameObject*>&, const Model*) { return nullptr; }
