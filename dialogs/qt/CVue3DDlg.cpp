#include "dialogs/qt/CVue3DDlg.h"

#include "app/qt/DialogControls.h"
#include "dialogs/qt/C3DViewWnd.h"

#include <QGridLayout>
#include <QSlider>

namespace {

constexpr int kPlaceholderId = 1130;
constexpr int kDeclinationBar = 1351;
constexpr int kInclinationBar = 1352;

}  // namespace

CVue3DDlg::CVue3DDlg(QWidget* parent) : CDialogBase(IDD, parent)
{
    setWindowTitle(QString::fromUtf8("Vue 3D du cadran"));
    auto* grid = new QGridLayout;
    grid->addWidget(AddPlaceholder(kPlaceholderId, QSize(320, 240)), 0, 0, 1, 4);
    int row = 1;
    for (const auto& [bar, label] : {std::pair{kDeclinationBar, "Déclinaison gnomonique :"},
                                     std::pair{kInclinationBar, "Inclinaison :"}}) {
        grid->addWidget(AddStatic(IDC_STATIC, label), row, 0, 1, 4);
        grid->addWidget(AddTrackBar(bar), row + 1, 0, 1, 4);
        grid->addWidget(AddStatic(IDC_STATIC, "-180°"), row + 2, 0, Qt::AlignLeft);
        grid->addWidget(AddStatic(IDC_STATIC, "0°"), row + 2, 1, 1, 2, Qt::AlignHCenter);
        grid->addWidget(AddStatic(IDC_STATIC, "+180°"), row + 2, 3, Qt::AlignRight);
        row += 3;
    }
    SetDialogLayout(grid, kOk | kCancel);
}

CVue3DDlg::~CVue3DDlg() = default;

QSlider* CVue3DDlg::AddTrackBar(int id)
{
    auto* bar = new QSlider(Qt::Horizontal, this);
    bar->setRange(-180, 180);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(30);
    SetControlId(*bar, id);
    return bar;
}

void CVue3DDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    if (view_)
        return;
    auto view = std::make_unique<C3DViewWnd>();
    if (!view->CreateOverPlaceholder(*this, kPlaceholderId, kViewId)) {
        EndDialog(IDCANCEL);
        return;
    }
    view_ = std::move(view);
}
