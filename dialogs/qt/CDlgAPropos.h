#pragma once
// The about box, painted by the program itself: the program's name and version, what it is,
// two notice lines, and buttons to the web site and the acknowledgements page. The main
// frame's instance is shown modeless at start-up as the splash, without its buttons.
#include "app/qt/CTopDialog.h"

#include <string>

class QLabel;

class CDlgAPropos : public CTopDialog {
public:
    static constexpr int kTemplateId = 232;

    explicit CDlgAPropos(QWidget* parent = nullptr);
    ~CDlgAPropos() override;

    void SetSplashMode(bool splash) { splash_ = splash; }
    bool IsSplashMode() const { return splash_; }
    void SetVersion(std::string version) { version_ = std::move(version); }

    // Shows it modeless, without frame (the splash).
    bool CreateModeless();

    // The buttons' actions.
    void OnWebSite();
    void OnCredits();

protected:
    void OnInitDialog() override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool splash_ = false;
    std::string version_;
    QLabel* picture_ = nullptr;
};
