#include "dialogs/qt/CDlgHorloge.h"

#include "app/qt/DataExchange.h"

#include <QGridLayout>
#include <QLabel>

namespace {

constexpr int kLegalTime = 1320;
constexpr int kSolarTime = 1321;
constexpr int kLegalLabel = 1322;
constexpr int kSolarLabel = 1323;

}  // namespace

CDlgHorloge::CDlgHorloge(std::function<void()> onClose, QWidget* parent)
    : CTopDialog(kTemplateId, "Horloge", parent), onClose_(std::move(onClose))
{
    // A small window beside the main one, not a page of its own.
    setWindowFlag(Qt::Tool);
    auto* grid = new QGridLayout;
    grid->addWidget(AddStatic(kLegalLabel, "Temps Légal :"), 0, 0);
    grid->addWidget(AddStatic(kLegalTime, ""), 0, 1);
    grid->addWidget(AddStatic(kSolarLabel, "Temps Solaire :"), 1, 0);
    grid->addWidget(AddStatic(kSolarTime, ""), 1, 1);
    // Room for the longest time, so the window does not jump at every second.
    for (int id : {kLegalTime, kSolarTime})
        Control<QLabel>(id)->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00 h 00 min 00 s")) + 8);
    grid->addWidget(AddButton(IDCANCEL, "Fermer"), 2, 1, Qt::AlignRight);
    OnClicked(IDCANCEL, [this] { OnCancel(); });
    SetDialogLayout(grid, 0);
}

CDlgHorloge::~CDlgHorloge() = default;

void CDlgHorloge::DoDataExchange(DataExchange& dx)
{
    dx.Text(kLegalTime, m_legalTime);
    dx.Text(kSolarTime, m_solarTime);
}

void CDlgHorloge::Show()
{
    if (!IsOpen())
        Create();
    else
        raise();
}

void CDlgHorloge::SetTimes(const std::string& legalTime, const std::string& solarTime)
{
    m_legalTime = legalTime;
    m_solarTime = solarTime;
    UpdateData(false);
}

void CDlgHorloge::OnCancel()
{
    if (onClose_)
        onClose_();
    CTopDialog::OnCancel();
}
