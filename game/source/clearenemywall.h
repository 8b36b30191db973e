#pragma once
#include <cstdint>
#include <vector>

#include "script.h"

// Enemy wall that clears once four particular enemies of its level are gone.
class ClearEnemyWall : public Script<ClearEnemyWall>
{
public:
    void Update() override;

    // Ids of objects stored in the level file. Held from construction, so a reloaded wall still waits.
    std::vector<std::uint64_t> guardIds{6937897433758630081u, 4192109035945722048u, 3711631222299951479u,
                                        1049440920970789055u};
};

// The door sound and the wall gone; both walls open so.
void OpenEnemyWall(GameObjectInterface& wall);
