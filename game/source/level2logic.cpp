#include "level2logic.h"

#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "scriptlookup.h"
#include "transforminterface.h"

void Level2Logic::Reload()
{
    const GameObjectInterface* wall = FindObjectNamed("FireWall");
    ASSERT(wall, "Level2Logic. FireWall cannot be found");
    // Id 0 names no object: without the wall the element would come at once.
    fireWallId = wall ? wall->GetID() : 0;
    done = !wall;
}

void Level2Logic::Start()
{
    Reload();
}

void Level2Logic::Update()
{
    ObjectFactoryInterface& factory = *gServices.factory;
    if (done || factory.FindObjectById(fireWallId))
        return;
    done = true;
    const GameObjectInterface* prefab = factory.FindPrefab("FireElem");
    if (!prefab)
    {
        ReportAssertion("Level2Logic. FireElem cannot be found", __FILE__, __LINE__);
        return;
    }
    InstantiateAt(prefab->GetID(), "FireEle", owner->GetTransform()->GetPosition());
}
