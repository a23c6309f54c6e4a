#pragma once
// The shadow animation tool window: play, pause, single steps and a slider move the sun over
// one day (five-minute steps) or over the year (one day at a time at a fixed hour), and the
// dial draws the style's shadow for each position. Modeless; the view that opens it keeps it.
#include "app/qt/CTopDialog.h"
#include "dialogs/ShadowAnimation.h"
#include "docview/ViewDialogs.h"
#include "platform/Timers.h"

#include <functional>
#include <string>

class CCadran;
class QSlider;

class CDlgAnimationOmbre : public CTopDialog, public TimerHost, public ModelessWindow {
public:
    static constexpr int kTemplateId = 201;
    static constexpr int kTimerId = 1003;

    explicit CDlgAnimationOmbre(QWidget* parent = nullptr);
    ~CDlgAnimationOmbre() override;

    // Where the dial comes from (the document's by default) and how the view is repainted
    // without erasing.
    void SetDialSource(std::function<CCadran*()> source) { dialSource_ = std::move(source); }
    void SetRepaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }

    std::string m_dateText;
    std::string m_timeText;
    int m_fast = 1;
    int m_mode = 0;  // 0 day, 1 year
    int m_playing = 0;
    int m_periodMs = 100;

    ShadowAnimation& Animation() { return animation_; }
    const ShadowAnimation& Animation() const { return animation_; }
    QSlider* Slider() const { return slider_; }

    // The controls' actions.
    void OnForward();
    void OnBack();
    void OnSliderMoved(int pos);
    void OnModeChange();
    void OnFastChange();
    void OnPlay();
    void OnStop();
    void OnCancel() override;
    void OnTimer(int id) override;

    // Opens it modeless (the view has set the dial's shadow and animation flags).
    void Show() override { Create(); }

    // After every change: the dial's shadow, the title, the texts, the view.
    void UpdateShadow();

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    CCadran* Dial() const;
    void SetSliderFromState();
    void ShowPlayPicture();
    void Finish(int result);

    ShadowAnimation animation_;
    QSlider* slider_ = nullptr;
    std::function<CCadran*()> dialSource_;
    std::function<void()> repaint_;
};
