#include "dialogs/NewDialCommand.h"

#include "dialogs/DialTypeChoices.h"
#include "docview/CHoravelDoc.h"
#include "model/CCadran.h"
#include "model/CCadranCylindrique.h"

#include <memory>
#include <string>

bool RunFileNewWizard(CHoravelDoc& doc, const FileNewSteps& steps)
{
    std::unique_ptr<CCadran> setAside = doc.ReleaseDial();
    const int result = steps.runWizard ? steps.runWizard() : 0;
    const bool finished = result == kWizardFinished && doc.GetDial() != nullptr;
    if (result == kWizardFinished) {
        setAside.reset();
        if (CCadran* dial = doc.GetDial()) {
            // Cylinders keep their own options and the sheet size they computed.
            const std::optional<NewDialDefaults> defaults =
                steps.viewDefaults ? steps.viewDefaults() : std::optional<NewDialDefaults>();
            if (defaults && !dynamic_cast<CCadranCylindrique*>(dial)) {
                dial->prefs.CopyFrom(defaults->prefs);
                dial->SetStyleHeight(defaults->styleHeight);
                dial->width = defaults->width;
                dial->height = defaults->height;
                dial->UpdateStyleAnchor(-1);
            }
            if (steps.showScaleDrawing)
                steps.showScaleDrawing();
            std::string typeName;
            dial->GetTypeName(typeName, true, false);
            const CDataBaseElement* location = doc.GetLocation();
            doc.SetTitle((location ? location->name : std::string()) + "-" + typeName);
            doc.SetModifiedFlag(true);
        }
    } else {
        // Whatever a page stored before the wizard was cancelled goes; the old dial returns.
        doc.SetDial(std::move(setAside));
    }
    if (steps.relayout)
        steps.relayout();
    return finished;
}

void InstallNewDial(CHoravelDoc& doc, std::unique_ptr<CCadran> dial)
{
    if (const CDataBaseElement* location = doc.GetLocation())
        PlaceDial(*dial, location->latitude, location->longitude, location->zone);
    else
        PlaceDial(*dial, dial->latitude, dial->longitude, 0.0);
    doc.SetDial(std::move(dial));
    ComputeDialTables(doc);
}

int ComputeDialTables(CHoravelDoc& doc)
{
    CCadran* dial = doc.GetDial();
    if (!dial)
        return 0;
    dial->ComputeAllTables();
    dial->tablesValid = 1;
    return 1;
}

double CurrentLatitude(const CHoravelDoc& doc)
{
    if (const CDataBaseElement* location = doc.GetLocation())
        return location->latitude;
    return CCadran().latitude;
}
