#pragma once
// The start-up screen: three large buttons (new dial, open a dial, help) and the tip of the
// day, read in turn from the tips file of the program language.
#include "dialogs/CTipsReader.h"
#include "platform/Services.h"

#include <QDialog>

#include <memory>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLabel;

class CDlgDemarrage : public QDialog, public ModalDialog {
public:
    static constexpr int kTemplateId = 108;

    explicit CDlgDemarrage(QWidget* parent = nullptr);
    // Opens a given tips file instead of the language's (tests).
    CDlgDemarrage(QWidget* parent, const std::filesystem::path& tipsFile);
    ~CDlgDemarrage() override;

    int TemplateId() const override { return kTemplateId; }
    int RunModalLoop() override;

    // The command chosen with a large button: 57600 File New, 57601 File Open, 57667 the help
    // finder; 0 when closed otherwise.
    int GetCommand() const { return command_; }
    bool ShowAtStartup() const;
    std::string TipText() const { return reader_->Tip(); }

    // The buttons.
    void OnNextTip();
    void OnCommandButton(int command);
    void OnOK();

    QAbstractButton* Button(int controlId) const;
    QCheckBox* ShowCheck() const { return showCheck_; }

private:
    void Build();

    std::unique_ptr<CTipsReader> reader_;
    int command_ = 0;
    QCheckBox* showCheck_ = nullptr;
    QLabel* tip_ = nullptr;
};
