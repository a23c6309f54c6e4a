#include "dialogs/qt/CDlgAncrageCadre.h"

#include "app/qt/DataExchange.h"
#include "dialogs/FrameAnchoringChoice.h"

#include <QVBoxLayout>

namespace {

constexpr int kFollowsRadio = 1236;
constexpr int kEdgeModeRadio = 1241;
constexpr int kScreenRadio = 1242;
constexpr int kTopRadio = 1237;
constexpr int kBottomRadio = 1238;
constexpr int kLeftRadio = 1239;
constexpr int kRightRadio = 1240;
// Indent of the edges under their mode.
constexpr int kEdgeIndent = 24;

}  // namespace

CDlgAncrageCadre::CDlgAncrageCadre(QWidget* parent) : CTopDialog(kTemplateId, "Ancrage du cadre", parent)
{
    // The two groups are made one after the other; the layout puts the edges under their mode.
    QWidget* follows = AddRadio(kFollowsRadio, "La position s'adapte avec le tracé du cadran", kNewGroup);
    QWidget* edgeMode = AddRadio(kEdgeModeRadio, "La position est fixe par rapport au bord du cadran");
    QWidget* screen = AddRadio(kScreenRadio, "La position est fixe par rapport à l'écran");
    auto* edges = new QVBoxLayout;
    edges->setContentsMargins(kEdgeIndent, 0, 0, 0);
    edges->addWidget(AddRadio(kTopRadio, "Bord supérieur", kNewGroup));
    edges->addWidget(AddRadio(kBottomRadio, "Bord inférieur"));
    edges->addWidget(AddRadio(kLeftRadio, "Bord gauche"));
    edges->addWidget(AddRadio(kRightRadio, "Bord droit"));

    auto* body = new QVBoxLayout;
    body->addWidget(follows);
    body->addWidget(edgeMode);
    body->addLayout(edges);
    body->addWidget(screen);
    SetDialogLayout(body);
}

CDlgAncrageCadre::~CDlgAncrageCadre() = default;

void CDlgAncrageCadre::DoDataExchange(DataExchange& dx)
{
    dx.Radio(kFollowsRadio, m_mode);
    dx.Radio(kTopRadio, m_edge);
}

bool EditFrameAnchoring(int& anchoring, QWidget* parent)
{
    CDlgAncrageCadre dialog(parent);
    const FrameAnchoringChoice choice = AnchoringToChoice(anchoring);
    dialog.m_mode = choice.mode;
    dialog.m_edge = choice.edge;
    if (dialog.DoModal() != IDOK)
        return false;
    anchoring = ChoiceToAnchoring({dialog.m_mode, dialog.m_edge});
    return true;
}
