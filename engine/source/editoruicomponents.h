#pragma once

class Canvas;
class CanvasRenderer;
class Image;
class RectTransform;

// The Inspector's editors of the UI components, inside their open tree nodes. Changes are applied directly;
// none can be undone.
namespace inspector
{
void ShowRectTransformEditor(RectTransform& rect);
void ShowCanvasRendererEditor(const CanvasRenderer& renderer);
void ShowImageEditor(Image& image);
void ShowCanvasEditor(Canvas& canvas);
} // namespace inspector
