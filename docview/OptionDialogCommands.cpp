// The view's commands that open the dimension, style-anchor, dial line option and line
// style dialogs, and what the view does once they close.
#include "docview/CHoravelView.h"

#include "app/Accessors.h"
#include "docview/CHoravelDoc.h"
#include "docview/ViewCommandRules.h"
#include "model/CCadran.h"

#include <cstdint>
#include <tuple>
#include <vector>

namespace {

constexpr int kDimensions = 32803;
constexpr int kStyleAnchor = 32865;
constexpr int kNoonMark = 32852;
constexpr int kDiurnalArcs = 32864;
constexpr int kLineStyles = 32904;
constexpr int kIndications = 32941;
constexpr int kReferenceYear = 32866;

// What the indications dialog may change on the dial.
auto IndicationState(const CCadran& dial)
{
    const CPrefs& p = dial.prefs;
    return std::make_tuple(dial.localSolarTime, p.hourLines, p.horizontalLines, p.italicHours, p.babylonianHours,
                           p.temporaryHours, p.noonMark, p.noonMarkType, p.noonMarkShape, p.noonMarkWithHourLine,
                           p.sunAboveHorizon);
}

}  // namespace

void CHoravelView::InstallOptionDialogCommands()
{
    const auto install = [this](int id, bool available, CommandTable::Handler handler) {
        if (available)
            commands_.OnCommand(id, std::move(handler));
    };
    install(kDimensions, bool(dialogs_.dimensions), [this] {
        CCadran* dial = Dial();
        if (dialogs_.dimensions(*this, dial) && dial) {
            if (CHoravelDoc* doc = GetDocument())
                doc->SetModifiedFlag(true);
        }
        RecalcLayout(1);
        Invalidate(false);
    });
    install(kStyleAnchor, bool(dialogs_.styleAnchor), [this] {
        // The anchor is stored in the document: a change must be saved like any other.
        if (CCadran* dial = Dial(); dial && dialogs_.styleAnchor(*dial))
            DialChanged(false);
    });
    install(kNoonMark, bool(dialogs_.noonMark), [this] {
        if (dialogs_.noonMark(CurrentPrefs()) && Dial())
            DialChanged(false);
    });
    install(kDiurnalArcs, bool(dialogs_.diurnalArcs), [this] {
        if (dialogs_.diurnalArcs(Dial(), defaultPrefs_) && Dial())
            DialChanged(false);
    });
    install(viewcmd::kParticularDatesCommand, bool(dialogs_.particularDates), [this] {
        CCadran* dial = Dial();
        if (!dial)
            return;
        // Cancel keeps the additions and deletions made: they are the document's changes too.
        const std::vector<std::uint32_t> before = dial->particularDates;
        if (dialogs_.particularDates(*dial) || dial->particularDates != before)
            DialChanged(false);
    });
    install(kLineStyles, bool(dialogs_.lineStyles), [this] {
        dialogs_.lineStyles();
        ResetDrawingTools();
        Invalidate(true);
    });
    install(kIndications, bool(dialogs_.indications), [this] {
        CCadran* dial = Dial();
        if (!dial)
            return;
        const auto before = IndicationState(*dial);
        const bool ok = dialogs_.indications(*dial);
        // The dial changes at each click and is put back when the dialog is cancelled: a dial
        // that differs afterwards is a change of the document.
        if (IndicationState(*dial) != before) {
            if (CHoravelDoc* doc = GetDocument())
                doc->SetModifiedFlag(true);
        }
        if (ok)
            RecalcLayout(1);
        Invalidate(false);
    });
    install(kReferenceYear, bool(dialogs_.referenceYear), [this] {
        if (CHoravelDoc* doc = GetDocument(); doc && dialogs_.referenceYear(*doc))
            Invalidate(false);
    });
}
