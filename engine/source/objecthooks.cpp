#include "objecthooks.h"

namespace
{
ObjectFactoryHooks gFactoryHooks;
}

void SetObjectFactoryHooks(const ObjectFactoryHooks& hooks)
{
    gFactoryHooks = hooks;
}

const ObjectFactoryHooks& GetObjectFactoryHooks()
{
    return gFactoryHooks;
}
