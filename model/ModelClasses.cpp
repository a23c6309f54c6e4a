#include "model/ModelClasses.h"

#include "docview/CObjetCadre.h"
#include "model/CCadran.h"
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
    registry.Register<CPrefs>();
    registry.Register<CObjetCadre>();
}
