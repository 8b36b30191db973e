#include "clearenemywallnothc.h"

#include "clearenemywall.h"
#include "enemyhelpers.h"

void ClearEnemyWallNotHC::Update()
{
    if (CountObjectsNamed("BoneElem") == 0)
        OpenEnemyWall(*owner);
}
