#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "script.h"

class ImageInterface;
class RectTransformInterface;
class FadeInFadeOut;

// Credits pages of the main menu, paged by confirm and closed back to the menu after the last.
class Credits : public Script<Credits>
{
public:
    void Start() override;
    // Takes its images and the glow; pages shown at a reload start again from the first.
    void Reload() override;
    void Update() override;

    // Shows the first page over the background, the menu's glow hidden.
    void Open();
    void Close();

    std::array<std::string, 4> pageNames{"UICredits1", "UICredits2", "UICredits3", "UICredits4"};
    bool active = false;
    FadeInFadeOut* fade = nullptr;
    RectTransformInterface* glow = nullptr;
    ImageInterface* creditsImage = nullptr;
    ImageInterface* creditsBackground = nullptr;
    // Frames since opening; the first five ignore input.
    std::int32_t frameCount = 0;
    std::int32_t page = 0;

private:
    void FindParts();
    void ShowImages(bool shown);
};
