#include "dialogs/qt/CDlgSaisieDevise.h"

#include "app/qt/DataExchange.h"

#include <QGridLayout>

namespace {

constexpr int kTextEdit = 1159;
constexpr int kCommentEdit = 1160;
constexpr int kLanguageEdit = 1161;

}  // namespace

CDlgSaisieDevise::CDlgSaisieDevise(QWidget* parent) : CTopDialog(kTemplateId, "Saisie d'une devise", parent)
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(1731, "Texte de la devise :"), 0, 0, 1, 3);
    QLineEdit* text = AddEdit(kTextEdit);
    text->setMinimumWidth(360);
    grid->addWidget(text, 1, 0, 1, 3);
    grid->addWidget(AddStatic(1732, "Commentaire associé :"), 2, 0, 1, 3);
    grid->addWidget(AddEdit(kCommentEdit), 3, 0, 1, 3);
    grid->addWidget(AddStatic(1733, "Langue :"), 4, 0);
    grid->addWidget(AddEdit(kLanguageEdit), 4, 1);
    grid->addWidget(AddStatic(1734, "( Optionnel )"), 4, 2);
    grid->setColumnStretch(2, 1);
    SetDialogLayout(grid);
}

CDlgSaisieDevise::~CDlgSaisieDevise() = default;

void CDlgSaisieDevise::DoDataExchange(DataExchange& dx)
{
    dx.Text(kTextEdit, m_text);
    dx.Text(kCommentEdit, m_comment);
    dx.Text(kLanguageEdit, m_language);
}
