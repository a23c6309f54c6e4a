#pragma once
// The about box, painted by the program itself: the program's name and version, what it is,
// two notice lines, and buttons to the web site and the acknowledgements page. The main
// frame's instance is shown modeless at start-up as the splash, without its buttons.
#include "platform/Services.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

class CDlgAPropos : public QDialog, public ModalDialog {
public:
    static constexpr int kTemplateId = 232;
    static constexpr int kPictureId = 1055;
    static constexpr int kButtonsLineId = 1306;
    static constexpr int kWebSiteId = 1304;
    static constexpr int kCreditsId = 1305;

    explicit CDlgAPropos(QWidget* parent = nullptr);
    ~CDlgAPropos() override;

    void SetSplashMode(bool splash) { splash_ = splash; }
    bool IsSplashMode() const { return splash_; }
    void SetVersion(std::string version) { version_ = std::move(version); }

    // Shows it without waiting (the splash).
    void CreateModeless();
    int TemplateId() const override { return kTemplateId; }
    int RunModalLoop() override;

    // The buttons' actions.
    void OnWebSite();
    void OnCredits();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnInitDialog();
    QPushButton* AddButton(int id, const char* text, int x, int width);

    bool splash_ = false;
    bool initialised_ = false;
    std::string version_;
    QLabel* picture_ = nullptr;
    QWidget* buttonsLine_ = nullptr;
    QPushButton* ok_ = nullptr;
};
