#include "model/ModelClasses.h"

#include "docview/CObjetCadre.h"
#include "model/CCadran.h"
#include "model/CCadranAnalemmatique.h"
#include "model/CCadranBifilaire.h"
#include "model/CCadranCylindrique.h"
#include "model/CCadranCylindriqueDeBerger.h"
#include "model/CCadranEquatorial.h"
#include "model/CCadranHorizontal.h"
#include "model/CCadranMeridional.h"
#include "model/CCadranOccidental.h"
#include "model/CCadranOriental.h"
#include "model/CCadranPlanQuelconque.h"
#include "model/CCadranPolaire.h"
#include "model/CCadranVerticalQcq.h"
#include "model/CCadranVerticalQcqSept.h"
#include "model/CMeridienne.h"
#include "model/CPrefs.h"
#include "platform/ClassRegistry.h"

void RegisterModelClasses(ClassRegistry& registry)
{
    registry.Register<CCadran>();
    registry.Register<CCadranHorizontal>();
    registry.Register<CCadranMeridional>();
    registry.Register<CCadranOriental>();
    registry.Register<CCadranOccidental>();
    registry.Register<CCadranVerticalQcq>();
    registry.Register<CCadranPlanQuelconque>();
    registry.Register<CCadranVerticalQcqSept>();
    registry.Register<CMeridienne>();
    registry.Register<CCadranPolaire>();
    registry.Register<CCadranEquatorial>();
    registry.Register<CCadranAnalemmatique>();
    registry.Register<CCadranBifilaire>();
    registry.Register<CCadranCylindrique>();
    registry.Register<CCadranCylindriqueDeBerger>();
    registry.Register<CPrefs>();
    registry.Register<CObjetCadre>();
}
