#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "script.h"

class ImageInterface;
class RectTransformInterface;
class FadeInFadeOut;

// Credits screen.
class Credits : public Script<Credits>
{
public:
    std::array<std::string, 4> pageNames{"UICredits1", "UICredits2", "UICredits3", "UICredits4"};
    bool active = false;
    FadeInFadeOut* fade = nullptr;
    RectTransformInterface* glow = nullptr;
    ImageInterface* creditsImage = nullptr;
    ImageInterface* creditsBackground = nullptr;
    std::int32_t frameCount = 0;
    std::int32_t page = 0;
};
