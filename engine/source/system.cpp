#include "system.h"

std::map<SystemId, std::string>& SystemNameMap()
{
    static std::map<SystemId, std::string> names = {
        {SystemId::None, "Not System"}, {SystemId::All, "ALL SYSTEMS"}, {SystemId::Graphics, "GRAPHICS"},
        {SystemId::Editor, "EDITOR"},   {SystemId::Input, "INPUT"},     {SystemId::Logic, "LOGIC"},
        {SystemId::Physics, "PHYSICS"}, {SystemId::Messaging, "MESSAGING"}, {SystemId::Audio, "AUDIO"},
        {SystemId::AI, "AI"},
    };
    return names;
}
