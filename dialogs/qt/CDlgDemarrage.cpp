#include "dialogs/qt/CDlgDemarrage.h"

#include "app/Accessors.h"
#include "app/Translation.h"
#include "dialogs/qt/DialogTexts.h"
#include "platform/Profile.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 330;

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The white frame of the tip: the lamp at its top-left corner and "Le saviez-vous ?" beside it.
class TipFrame : public QWidget {
public:
    explicit TipFrame(QWidget* parent) : QWidget(parent), lamp_(QStringLiteral(":/images/tip_107.png"))
    {
        setProperty("controlId", 1076);
    }

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
        // From the lamp's right edge, 20 pixels above the frame's top, to the lamp's bottom.
        const QRect heading(lamp_.width() + 8, -20, width() - lamp_.width() - 8, lamp_.height() + 20);
        painter.drawText(heading, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, Utf8(GetTranslatedString(111)));
    }

private:
    QPixmap lamp_;
};

}  // namespace

CDlgDemarrage::CDlgDemarrage(QWidget* parent)
    : QDialog(parent), reader_(std::make_unique<CTipsReader>(std::max(GetLanguageIndex(), 0)))
{
    Build();
}

CDlgDemarrage::CDlgDemarrage(QWidget* parent, const std::filesystem::path& tipsFile)
    : QDialog(parent), reader_(std::make_unique<CTipsReader>(std::max(GetLanguageIndex(), 0), tipsFile))
{
    Build();
}

CDlgDemarrage::~CDlgDemarrage() = default;

void CDlgDemarrage::Build()
{
    setFixedSize(kWidth, kHeight);
    setWindowTitle(DialogText(kTemplateId, kTemplateId, "Bienvenue dans Horavel"));

    // The picture, stretched over its placeholder.
    auto* picture = new QLabel(this);
    picture->setProperty("controlId", 2002);
    picture->setGeometry(12, 12, 192, 264);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/startup_236.png")));
    picture->setScaledContents(true);

    auto addLarge = [this](int id, const char* text, const char* image, int x, int command) {
        // The picture above the text.
        auto* button = new QToolButton(this);
        button->setText(DialogText(kTemplateId, id, text));
        button->setIcon(QIcon(QString::fromLatin1(image)));
        button->setProperty("controlId", id);
        button->setIconSize(QSize(64, 64));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setGeometry(x, 12, 108, 100);
        connect(button, &QToolButton::clicked, this, [this, command] { OnCommandButton(command); });
        return button;
    };
    addLarge(1037, "Nouveau Cadran", ":/images/new_dial_177.png", 216, 57600);
    addLarge(1056, "Ouvrir un cadran", ":/images/open_dial_179.png", 328, 57601);
    addLarge(1057, "Aide", ":/images/help_178.png", 440, 57667);

    auto* frame = new TipFrame(this);
    frame->setGeometry(216, 136, 332, 140);
    tip_ = new QLabel(frame);
    tip_->setProperty("controlId", 1004);
    tip_->setGeometry(8, 52, 316, 84);
    tip_->setWordWrap(true);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip_->setStyleSheet(QStringLiteral("background: white;"));

    showCheck_ = new QCheckBox(DialogText(kTemplateId, 1001, "A&fficher cet écran au prochain démarrage"), this);
    showCheck_->setProperty("controlId", 1001);
    showCheck_->setGeometry(12, 292, 300, 24);
    // Shown at the next start unless the user asked otherwise.
    showCheck_->setChecked(GetProfile().GetInt("Tips", "IntStartup", 0) == 0);

    auto* next = new QPushButton(DialogText(kTemplateId, 1002, "&Astuce suivante"), this);
    next->setProperty("controlId", 1002);
    next->setGeometry(328, 290, 108, 28);
    next->setAutoDefault(false);
    next->setEnabled(reader_->IsOpen());
    connect(next, &QPushButton::clicked, this, [this] { OnNextTip(); });

    auto* close = new QPushButton(DialogText(kTemplateId, 1, "&Fermer"), this);
    close->setProperty("controlId", 1);
    close->setGeometry(440, 290, 108, 28);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, [this] { OnOK(); });

    tip_->setText(Utf8(reader_->Tip()));
}

int CDlgDemarrage::RunModalLoop() { return exec() == QDialog::Accepted ? IDOK : IDCANCEL; }

bool CDlgDemarrage::ShowAtStartup() const { return showCheck_->isChecked(); }

QAbstractButton* CDlgDemarrage::Button(int controlId) const
{
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->property("controlId").toInt() == controlId)
            return button;
    return nullptr;
}

void CDlgDemarrage::OnNextTip()
{
    reader_->NextTip();
    tip_->setText(Utf8(reader_->Tip()));
}

void CDlgDemarrage::OnCommandButton(int command)
{
    command_ = command;
    OnOK();
}

void CDlgDemarrage::OnOK()
{
    GetProfile().WriteInt("Tips", "IntStartup", showCheck_->isChecked() ? 0 : 1);
    accept();
}
