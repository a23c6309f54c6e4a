#pragma once
// The clock beside the live shadow: the legal time of the computer's clock and the site's
// true solar time, filled by the view at every step. Closing it turns the shadow off.
#include "app/qt/CTopDialog.h"
#include "docview/ViewDialogs.h"

#include <functional>
#include <string>

class CDlgHorloge : public CTopDialog, public ClockWindow {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 237;

    // onClose runs when the user closes the window.
    explicit CDlgHorloge(std::function<void()> onClose, QWidget* parent = nullptr);
    ~CDlgHorloge() override;

    std::string m_legalTime;
    std::string m_solarTime;

    // ClockWindow
    void Show() override;
    void SetTimes(const std::string& legalTime, const std::string& solarTime) override;

    // "Fermer", Escape and the close box.
    void OnCancel() override;

protected:
    void DoDataExchange(DataExchange& dx) override;

private:
    std::function<void()> onClose_;
};
