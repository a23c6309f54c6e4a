#pragma once
// The start-up screen: three large buttons (new dial, open a dial, help) and the tip of the
// day, read in turn from the tips file of the program language.
#include "app/qt/CTopDialog.h"
#include "dialogs/CTipsReader.h"

#include <filesystem>
#include <memory>
#include <string>

class CBitmapCtrl;

class CDlgDemarrage : public CTopDialog {
public:
    static constexpr int kTemplateId = 108;

    explicit CDlgDemarrage(QWidget* parent = nullptr);
    // Opens a given tips file instead of the language's (tests).
    CDlgDemarrage(QWidget* parent, const std::filesystem::path& tipsFile);
    ~CDlgDemarrage() override;

    // The command chosen with a large button: 57600 File New, 57601 File Open, 57667 the help
    // finder; 0 when closed otherwise.
    int GetCommand() const { return command_; }
    // The "show at the next start" check.
    bool ShowAtStartup() const { return showAtStartup_; }
    std::string TipText() const { return reader_->Tip(); }

    // The buttons.
    void OnNextTip();
    void OnCommandButton(int command);
    // Closing with OK (the "Fermer" button and the three large ones) writes the check.
    void OnOK() override;

protected:
    void OnInitDialog() override;

private:
    void Build();

    std::unique_ptr<CTipsReader> reader_;
    std::unique_ptr<CBitmapCtrl> picture_;
    int command_ = 0;
    bool showAtStartup_ = true;
};
