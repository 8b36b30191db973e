#include "graphics.h"

#include "gameobject.h"

Graphics::Graphics(int, int) : System(SystemId::Graphics)
{
}

void Graphics::RegisterObject(GameObject* object)
{
    if (object)
        registeredIds_.push_back(object->GetID());
}

void Graphics::SetSkybox(const std::string& folder)
{
    if (folder == skyboxName_)
        return;
    skyboxName_ = folder;
    ++skyboxLoads_;
}
