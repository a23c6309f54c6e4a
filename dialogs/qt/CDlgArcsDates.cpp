#include "dialogs/qt/CDlgArcsDates.h"

#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "dialogs/LineOptions.h"
#include "dialogs/qt/GroupBoxFont.h"
#include "model/CCadran.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

constexpr int kList = 1225;
constexpr int kDayCombo = 1074;
constexpr int kMonthCombo = 1075;
constexpr int kCodeRole = Qt::UserRole;

}  // namespace

CDlgArcsDates::CDlgArcsDates(QWidget* parent) : CTopDialog(kTemplateId, "Arcs diurnes à dates particulières", parent)
{
    QGroupBox* group = AddGroupBox(1130, "Dates particulières");
    auto* grid = new QGridLayout(group);
    QListWidget* list = AddListBox(kList);
    list->setMinimumSize(160, 180);
    grid->addWidget(list, 0, 0, 5, 1);
    grid->addWidget(AddStatic(1716, "&Jour :"), 0, 1);
    grid->addWidget(AddComboList(kDayCombo), 0, 2);
    grid->addWidget(AddStatic(1717, "&Mois :"), 1, 1);
    grid->addWidget(AddComboList(kMonthCombo), 1, 2);
    grid->addWidget(AddButton(1226, "Ajouter"), 2, 1, 1, 2);
    grid->addWidget(AddButton(1022, "Supprimer"), 3, 1, 1, 2);
    grid->addWidget(AddButton(1228, "Tout Supprimer..."), 4, 1, 1, 2, Qt::AlignTop);
    auto* body = new QVBoxLayout;
    body->addWidget(group);
    SetDialogLayout(body);

    OnClicked(1226, [this] { OnAdd(); });
    OnClicked(1022, [this] { OnDelete(); });
    OnClicked(1228, [this] { OnDeleteAll(); });
}

CDlgArcsDates::~CDlgArcsDates() = default;

void CDlgArcsDates::DoDataExchange(DataExchange& dx)
{
    dx.ComboIndex(kDayCombo, m_day);
    dx.ComboIndex(kMonthCombo, m_month);
}

void CDlgArcsDates::OnInitDialog()
{
    QComboBox* days = Control<QComboBox>(kDayCombo);
    days->clear();
    for (int day = 1; day <= 31; ++day)
        days->addItem(QString::number(day));
    QComboBox* months = Control<QComboBox>(kMonthCombo);
    months->clear();
    for (int month = 1; month <= 12; ++month)
        months->addItem(QString::fromStdString(GetMonthName(month)));
    CTopDialog::OnInitDialog();
    ApplyGroupBoxFont(*this, 1130);
    Control<QListWidget>(kList)->clear();
    if (m_dates)
        for (const std::uint32_t code : *m_dates)
            AddItem(code);
}

void CDlgArcsDates::AddItem(std::uint32_t code)
{
    auto* item = new QListWidgetItem(QString::fromStdString(ParticularDateText(code)));
    item->setData(kCodeRole, code);
    Control<QListWidget>(kList)->addItem(item);
}

void CDlgArcsDates::OnAdd()
{
    if (!UpdateData(true) || !m_dates)
        return;
    const int day = m_day + 1;
    const int month = m_month + 1;
    if (!DateExists(day, month)) {
        TranslatedMessageBox(161, MB_OK | MB_ICONERROR);
        return;
    }
    const std::uint32_t code = ParticularDateCode(day, month);
    const QListWidget* list = Control<QListWidget>(kList);
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(kCodeRole).toUInt() == code) {
            GetServices().Beep();
            return;
        }
    }
    AddItem(code);
    m_dates->push_back(code);
}

void CDlgArcsDates::OnDelete()
{
    QListWidget* list = Control<QListWidget>(kList);
    QListWidgetItem* item = list->currentItem();
    if (!item || !m_dates)
        return;
    const std::uint32_t code = item->data(kCodeRole).toUInt();
    delete list->takeItem(list->row(item));
    RemoveParticularDate(*m_dates, code);
}

void CDlgArcsDates::OnDeleteAll()
{
    if (TranslatedMessageBox(157, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Control<QListWidget>(kList)->clear();
    if (m_dates)
        m_dates->clear();
}

int EditParticularDates(CCadran& dial, QWidget* parent)
{
    CDlgArcsDates dialog(parent);
    dialog.m_dates = &dial.particularDates;
    return dialog.DoModal();
}
