#include "dialogs/qt/CDlgDemarrage.h"

#include "app/Accessors.h"
#include "app/Translation.h"
#include "app/qt/CBitmapCtrl.h"
#include "app/qt/DialogControls.h"
#include "app/qt/Pictures.h"
#include "dialogs/GeneralPreferences.h"
#include "platform/Profile.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 330;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The white frame of the tip (static 1076): picture 107 at its top-left corner and
// "Le saviez-vous ?" beside it.
class TipFrame : public QWidget {
public:
    explicit TipFrame(QWidget* parent) : QWidget(parent), lamp_(LoadBitmapResource(107)) { SetControlId(*this, 1076); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.drawPixmap(0, 0, lamp_);
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(16);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 128));
        // From the picture's right edge, 20 pixels above the frame's top, to the picture's bottom.
        const QRect heading(lamp_.width() + 8, -20, width() - lamp_.width() - 8, lamp_.height() + 20);
        painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         Utf8(GetTranslatedString(111)));
    }

private:
    QPixmap lamp_;
};

}  // namespace

CDlgDemarrage::CDlgDemarrage(QWidget* parent)
    : CTopDialog(kTemplateId, "Bienvenue dans Horavel", parent),
      reader_(std::make_unique<CTipsReader>(std::max(GetLanguageIndex(), 0)))
{
    Build();
}

CDlgDemarrage::CDlgDemarrage(QWidget* parent, const std::filesystem::path& tipsFile)
    : CTopDialog(kTemplateId, "Bienvenue dans Horavel", parent),
      reader_(std::make_unique<CTipsReader>(std::max(GetLanguageIndex(), 0), tipsFile))
{
    Build();
}

CDlgDemarrage::~CDlgDemarrage() = default;

void CDlgDemarrage::Build()
{
    setFixedSize(kWidth, kHeight);

    // Picture 236 stretched over its placeholder.
    AddPlaceholder(1061, QSize(192, 264))->setGeometry(12, 12, 192, 264);
    picture_ = std::make_unique<CBitmapCtrl>();
    picture_->CreateFromResource(*this, 2002, 1061, 236, false);

    auto addLarge = [this](int id, const char* text, int bitmap, int x, int command) {
        // The picture above the text.
        auto* button = new QToolButton(this);
        SetControlId(*button, id);
        button->setText(QString::fromUtf8(text));
        button->setIcon(QIcon(LoadBitmapResource(bitmap)));
        button->setIconSize(QSize(64, 64));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setGeometry(x, 12, 108, 100);
        OnClicked(id, [this, command] { OnCommandButton(command); });
    };
    addLarge(1037, "Nouveau Cadran", 177, 216, 57600);
    addLarge(1056, "Ouvrir un cadran", 179, 328, 57601);
    addLarge(1057, "Aide", 178, 440, 57667);

    auto* frame = new TipFrame(this);
    frame->setGeometry(216, 136, 332, 140);
    QLabel* tip = AddStatic(1004, reader_->Tip());
    tip->setParent(frame);
    tip->setGeometry(8, 52, 316, 84);
    tip->setWordWrap(true);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetNoPrefix(*tip);

    AddCheck(1001, "A&fficher cet écran au prochain démarrage")->setGeometry(12, 292, 300, 24);
    AddButton(1002, "&Astuce suivante")->setGeometry(328, 290, 108, 28);
    QPushButton* close = AddButton(IDOK, "&Fermer");
    close->setGeometry(440, 290, 108, 28);
    close->setDefault(true);
    OnClicked(1002, [this] { OnNextTip(); });
    OnClicked(IDOK, [this] { OnOK(); });

    // Shown at the next start unless the user asked otherwise.
    showAtStartup_ = GetProfile().GetInt("Tips", "IntStartup", kIntStartupDefault) == 0;
    CheckDlgButton(1001, showAtStartup_ ? 1 : 0);
    EnableControl(1002, reader_->IsOpen());
    SetDlgItemText(1004, reader_->Tip());
}

void CDlgDemarrage::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    SetDlgItemText(1004, reader_->Tip());
}

void CDlgDemarrage::OnNextTip()
{
    reader_->NextTip();
    SetDlgItemText(1004, reader_->Tip());
}

void CDlgDemarrage::OnCommandButton(int command)
{
    command_ = command;
    OnOK();
}

void CDlgDemarrage::OnOK()
{
    showAtStartup_ = IsDlgButtonChecked(1001) != 0;
    GetProfile().WriteInt("Tips", "IntStartup", showAtStartup_ ? 0 : 1);
    EndDialog(IDOK);
}
