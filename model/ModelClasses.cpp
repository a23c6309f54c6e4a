#include "model/ModelClasses.h"

#include "docview/CObjetCadre.h"
#include "model/CCadran.h"
#include "model/CPrefs.h"
#include "platform/ClassRegistry.h"

void RegisterModelClasses(ClassRegistry& registry)
{
    registry.Register<CCadran>();
    registry.Register<CPrefs>();
    registry.Register<CObjetCadre>();
}
