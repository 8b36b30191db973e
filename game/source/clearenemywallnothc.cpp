#include "clearenemywallnothc.h"

#include "clearenemywall.h"
#include "scriptlookup.h"

void ClearEnemyWallNotHC::Update()
{
    if (CountObjectsNamed("BoneElem") == 0)
        OpenEnemyWall(*owner);
}
