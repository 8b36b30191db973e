#include "gameservices.h"

#include "objectref.h"

StapleArguments gServices;

ObjectFactoryInterface* ReferencedFactory()
{
    return gServices.factory;
}
