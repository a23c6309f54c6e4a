#include "dialogs/qt/CDlgCadreTexte.h"

#include "app/Accessors.h"
#include "app/qt/DataExchange.h"
#include "dialogs/PreviewDrawing.h"
#include "dialogs/TextFrameInsertions.h"
#include "dialogs/qt/CDlgSelectionDevise.h"
#include "dialogs/qt/CDlgZodiacSigns.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "docview/CObjetTexte.h"

#include <QApplication>
#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kTextEdit = 1115;
constexpr int kInsertGroup = 1131;
// A zodiac sign is its letter in the symbol font, at a size that reads as a sign.
constexpr const char* kZodiacFace = "wingdings";
constexpr int kZodiacPoints = 18;

}  // namespace

CDlgCadreTexte::CDlgCadreTexte(CObjetTexte& frame, QWidget* parent)
    : CTopDialog(kTemplateId, "Edition d'un cadre de texte", parent), frame_(frame)
{
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(1130, "Saisissez le texte qui doit apparaître dans le cadre :"), 0, 0, 1, 2);
    QPlainTextEdit* edit = AddMultiLineEdit(kTextEdit);
    edit->setMinimumSize(320, 120);
    grid->addWidget(edit, 1, 0, 2, 1);
    grid->addWidget(AddButton(1116, "Style du texte..."), 1, 1, Qt::AlignTop);
    QGroupBox* insert = AddGroupBox(kInsertGroup, "Insérer...");
    auto* inserts = new QVBoxLayout(insert);
    inserts->addWidget(AddButton(1150, "une devise..."));
    inserts->addWidget(AddButton(1238, "un symbole du Zodiaque..."));
    inserts->addWidget(AddButton(1245, "le nom du lieu"));
    inserts->addWidget(AddButton(1246, "le type de cadran"));
    inserts->addWidget(AddButton(1247, "la position géographique"));
    grid->addWidget(insert, 2, 1, Qt::AlignTop);
    SetDialogLayout(grid);

    OnClicked(1116, [this] { OnStyle(); });
    OnClicked(1150, [this] { OnMotto(); });
    OnClicked(1238, [this] { OnZodiacSign(); });
    OnClicked(1245, [this] { OnInsert(TextInsertion::PlaceName); });
    OnClicked(1246, [this] { OnInsert(TextInsertion::DialType); });
    OnClicked(1247, [this] { OnInsert(TextInsertion::Position); });
}

CDlgCadreTexte::~CDlgCadreTexte() = default;

void CDlgCadreTexte::DoDataExchange(DataExchange& dx) { dx.Text(kTextEdit, m_text); }

void CDlgCadreTexte::OnInitDialog()
{
    m_text = frame_.text;
    CTopDialog::OnInitDialog();
    ApplyGroupBoxFont(*this, kInsertGroup);
}

void CDlgCadreTexte::OnOK()
{
    if (!UpdateData(true))
        return;
    frame_.text = m_text;
    EndDialog(IDOK);
}

void CDlgCadreTexte::OnStyle() { frame_.ChooseFontStyle(); }

void CDlgCadreTexte::OnMotto()
{
    // Nothing chosen (no mottoes file, or no motto selected) keeps the text typed so far.
    if (const auto motto = ChooseMotto(this)) {
        m_text = *motto;
        SetDlgItemText(kTextEdit, m_text);
    }
}

void CDlgCadreTexte::OnZodiacSign()
{
    const auto sign = ChooseZodiacSign(this);
    if (!sign)
        return;
    m_text = ZodiacGlyph(*sign);
    frame_.text = m_text;
    frame_.faceName = kZodiacFace;
    frame_.size = kZodiacPoints;
    SetDlgItemText(kTextEdit, m_text);
    EndDialog(IDOK);
}

void CDlgCadreTexte::OnInsert(TextInsertion what)
{
    const auto addition = InsertionText(GetDocument(), what);
    if (!addition)
        return;
    m_text = GetDlgItemText(kTextEdit) + " " + *addition;
    SetDlgItemText(kTextEdit, m_text);
}

int EditTextFrame(CObjetTexte& frame, QWidget* parent)
{
    CDlgCadreTexte dialog(frame, parent);
    return dialog.DoModal();
}

void InstallTextFrameEditor()
{
    CObjetTexte::SetEditHooks({
        [] { return QApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier); },
        [](CObjetTexte& frame) { return EditTextFrame(frame, QApplication::activeWindow()); },
    });
}
