#include "dialogs/qt/CDlgAnimationOmbre.h"

#include "app/Accessors.h"
#include "app/Translation.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "app/qt/Pictures.h"
#include "model/CCadran.h"
#include "platform/Services.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kYearRadio = 1263;
constexpr int kDayRadio = 1264;
constexpr int kSlider = 1171;
constexpr int kBackButton = 1170;
constexpr int kForwardButton = 1172;
constexpr int kStopButton = 1168;
constexpr int kPlayButton = 1169;
constexpr int kDateText = 1077;
constexpr int kUnlitText = 1079;  // says why no shadow is drawn
constexpr int kTimeText = 1078;
constexpr int kFastCheck = 1176;

constexpr int kPlayPicture = 202;
constexpr int kPausePicture = 210;

constexpr int kFastPeriodMs = 100;
constexpr int kSlowPeriodMs = 500;

void SetPicture(QAbstractButton* button, int bitmapId)
{
    const QPixmap picture = LoadBitmapResource(bitmapId);
    button->setIcon(QIcon(picture));
    if (!picture.isNull())
        button->setIconSize(picture.size());
}

}  // namespace

// Titled, so that the window list names it in the program's language rather than by the
// program's file name.
CDlgAnimationOmbre::CDlgAnimationOmbre(QWidget* parent) : CTopDialog(kTemplateId, "Animation de l'ombre", parent)
{
    setWindowFlags(Qt::Tool);
    auto* body = new QVBoxLayout;

    auto* modes = new QHBoxLayout;
    QRadioButton* day = AddRadio(kDayRadio, "", kNewGroup);
    QRadioButton* year = AddRadio(kYearRadio, "");
    SetPicture(day, 212);
    SetPicture(year, 213);
    modes->addWidget(day);
    modes->addWidget(year);
    modes->addStretch(1);
    modes->addWidget(AddCheck(kFastCheck, "Rapide"));
    body->addLayout(modes);

    auto* texts = new QHBoxLayout;
    QLabel* date = AddStatic(kDateText, "");
    QLabel* time = AddStatic(kTimeText, "");
    date->setMinimumWidth(110);
    time->setMinimumWidth(90);
    texts->addWidget(date);
    texts->addStretch(1);
    texts->addWidget(time);
    body->addLayout(texts);
    // In the window rather than in its narrow title, where it would be cut.
    QLabel* unlit = AddStatic(kUnlitText, "");
    unlit->setWordWrap(true);
    unlit->setAlignment(Qt::AlignCenter);
    SetControlColor(kUnlitText, gdi::RGB(160, 0, 0));
    body->addWidget(unlit);

    slider_ = new QSlider(Qt::Horizontal, this);
    SetControlId(*slider_, kSlider);
    slider_->setRange(0, ShadowAnimation::kLastStep);
    body->addWidget(slider_);

    auto* buttons = new QHBoxLayout;
    const std::pair<int, int> pictures[] = {
        {kStopButton, 203}, {kBackButton, 206}, {kPlayButton, kPlayPicture}, {kForwardButton, 207}};
    QPushButton* made[4] = {AddButton(kStopButton, "Stop"), AddButton(kBackButton, "avant"),
                            AddButton(kPlayButton, ""), AddButton(kForwardButton, "après")};
    for (size_t i = 0; i < 4; ++i) {
        QPushButton* button = made[i];
        // Pictures, not words: the text stays for screen readers only.
        button->setAccessibleName(button->text());
        button->setText(QString());
        SetPicture(button, pictures[i].second);
        buttons->addWidget(button);
    }
    made[2]->setCheckable(true);
    body->addLayout(buttons);
    SetDialogLayout(body, 0);

    OnClicked(kForwardButton, [this] { OnForward(); });
    OnClicked(kBackButton, [this] { OnBack(); });
    OnClicked(kStopButton, [this] { OnStop(); });
    OnClicked(kPlayButton, [this] { OnPlay(); });
    OnClicked(kFastCheck, [this] { OnFastChange(); });
    OnClicked(kDayRadio, [this] { OnModeChange(); });
    OnClicked(kYearRadio, [this] { OnModeChange(); });
    QObject::connect(slider_, &QSlider::valueChanged, this, [this](int pos) { OnSliderMoved(pos); });
}

CDlgAnimationOmbre::~CDlgAnimationOmbre() { KillTimer(kTimerId); }

CCadran* CDlgAnimationOmbre::Dial() const { return dialSource_ ? dialSource_() : GetDial(); }

void CDlgAnimationOmbre::DoDataExchange(DataExchange& dx)
{
    dx.Text(kDateText, m_dateText);
    dx.Text(kTimeText, m_timeText);
    dx.Check(kFastCheck, m_fast);
    dx.Radio(kDayRadio, m_mode);
}

void CDlgAnimationOmbre::OnInitDialog()
{
    CTopDialog::OnInitDialog();
    animation_.Start(Dial(), GetServices().Now());
    animation_.SetDayMode(m_mode == 0);
    SetSliderFromState();
    const std::pair<int, int> tips[] = {{kStopButton, 1001}, {kPlayButton, 1002}, {kBackButton, 1003},
                                        {kForwardButton, 1004}, {kDayRadio, 1005}, {kYearRadio, 1006}};
    for (const auto& [id, string] : tips)
        if (QWidget* control = GetDlgItem(id))
            control->setToolTip(QString::fromStdString(GetTranslatedString(string)));
    UpdateShadow();
}

void CDlgAnimationOmbre::SetSliderFromState()
{
    const QSignalBlocker quiet(slider_);
    slider_->setRange(0, animation_.SliderMax());
    slider_->setValue(animation_.SliderPosition());
}

void CDlgAnimationOmbre::UpdateShadow()
{
    CCadran* dial = Dial();
    if (!dial)
        return;
    const bool lit = animation_.Update(dial);
    SetDlgItemText(kUnlitText, lit ? std::string() : GetTranslatedString(ShadowAnimation::kUnlitTitleString));
    if (repaint_)
        repaint_();
    m_dateText = animation_.DateText();
    m_timeText = animation_.TimeText();
    UpdateData(false);
}

void CDlgAnimationOmbre::OnForward()
{
    animation_.Forward();
    SetSliderFromState();
    UpdateShadow();
}

void CDlgAnimationOmbre::OnBack()
{
    animation_.Back();
    SetSliderFromState();
    UpdateShadow();
}

void CDlgAnimationOmbre::OnSliderMoved(int pos)
{
    animation_.SetSliderPosition(pos);
    UpdateShadow();
}

void CDlgAnimationOmbre::OnModeChange()
{
    UpdateData(true);
    animation_.SetDayMode(m_mode == 0);
    SetSliderFromState();
}

void CDlgAnimationOmbre::OnFastChange()
{
    UpdateData(true);
    m_periodMs = m_fast ? kFastPeriodMs : kSlowPeriodMs;
}

void CDlgAnimationOmbre::ShowPlayPicture()
{
    auto* play = Control<QPushButton>(kPlayButton);
    if (!play)
        return;
    play->setChecked(m_playing != 0);
    SetPicture(play, m_playing ? kPausePicture : kPlayPicture);
}

void CDlgAnimationOmbre::OnPlay()
{
    m_playing = m_playing ? 0 : 1;
    ShowPlayPicture();
    if (!m_playing) {
        KillTimer(kTimerId);
        return;
    }
    UpdateShadow();
    SetTimer(kTimerId, m_periodMs);
}

void CDlgAnimationOmbre::OnTimer(int id)
{
    if (id != kTimerId)
        return;
    KillTimer(kTimerId);
    animation_.Forward();
    UpdateShadow();
    SetSliderFromState();
    if (m_playing)
        SetTimer(kTimerId, m_periodMs);
}

void CDlgAnimationOmbre::Finish(int result)
{
    KillTimer(kTimerId);
    m_playing = 0;
    if (CCadran* dial = Dial()) {
        dial->castShadow = 0;
        dial->shadowAnimation = 0;
    }
    EndDialog(result);
    if (repaint_)
        repaint_();
}

void CDlgAnimationOmbre::OnStop() { Finish(IDOK); }

void CDlgAnimationOmbre::OnCancel() { Finish(IDCANCEL); }
