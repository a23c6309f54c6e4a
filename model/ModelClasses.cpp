#include "model/ModelClasses.h"

#include "docview/CObjetCadre.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"
#include "model/CPrefs.h"
#include "platform/ClassRegistry.h"

void RegisterModelClasses(ClassRegistry& registry)
{
    registry.Register<CCadran>();
    registry.Register<CCadranEquatorial>();
    registry.Register<CCadranAnalemmatique>();
    registry.Register<CCadranBifilaire>();
    registry.Register<CCadranCylindrique>();
    registry.Register<CCadranCylindriqueDeBerger>();
    registry.Register<CPrefs>();
    registry.Register<CObjetCadre>();
}
