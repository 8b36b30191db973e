#pragma once
// A game controller that exists only in SDL, so pad handling can be tried without a device.
#include <SDL2/SDL.h>
#include <utility>
#include <vector>

class VirtualPad
{
public:
    VirtualPad()
    {
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Nektaru test pad";
        desc.userdata = this;
        desc.Rumble = &VirtualPad::OnRumble;
        deviceIndex_ = SDL_JoystickAttachVirtualEx(&desc);
        joystick_ = SDL_JoystickOpen(deviceIndex_);
    }
    ~VirtualPad()
    {
        Unplug();
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool IsPlugged() const { return joystick_ != nullptr; }
    void SetAxis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }
    void SetButton(SDL_GameControllerButton button, bool down)
    {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
    }
    void Unplug()
    {
        if (!joystick_)
            return;
        SDL_JoystickClose(joystick_);
        SDL_JoystickDetachVirtual(deviceIndex_);
        joystick_ = nullptr;
    }
    // Every (low, high) motor pair the driver was asked for, in order.
    const std::vector<std::pair<Uint16, Uint16>>& Rumbles() const { return rumbles_; }

private:
    static int OnRumble(void* userdata, Uint16 low, Uint16 high)
    {
        static_cast<VirtualPad*>(userdata)->rumbles_.emplace_back(low, high);
        return 0;
    }

    int deviceIndex_ = -1;
    SDL_Joystick* joystick_ = nullptr;
    std::vector<std::pair<Uint16, Uint16>> rumbles_;
};
