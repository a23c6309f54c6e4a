#include "docview/DocviewClasses.h"

#include "docview/CObjetBitmap.h"
#include "docview/CObjetCadre.h"
#include "docview/CObjetTexte.h"
#include "platform/ClassRegistry.h"

void RegisterDocviewClasses(ClassRegistry& registry)
{
    registry.Register<CObjetCadre>();
    registry.Register<CObjetTexte>();
    registry.Register<CObjetBitmap>();
}
