#pragma once
// The main window's status bar: the prompt of the command under the mouse (translated into
// the program language) and three panes for the Caps, Num and Scroll lock keys.
#include "app/qt/KeyboardLocks.h"

#include <QStatusBar>

#include <array>
#include <string>

class QLabel;
class QTimer;

class CMainStatusBar : public QStatusBar {
public:
    // Command ids of the three panes' texts.
    static constexpr std::array<int, 3> kIndicators = {59137, 59138, 59139};
    static constexpr int kLockPollMs = 250;

    explicit CMainStatusBar(QWidget* parent = nullptr);
    ~CMainStatusBar() override;

    // Shows a French prompt, or its translation when the language file has one.
    void SetText(const std::string& text);
    // The idle prompt ("Prêt").
    void ShowIdle();
    // Texts again after a change of language.
    void Retranslate();
    // Reads the lock keys and fills the panes; blank panes when they cannot be read.
    void UpdateLocks();
    // What a pane shows (tests).
    QString PaneText(int index) const;

private:
    KeyboardLocks locks_;
    std::array<QLabel*, 3> panes_{};
    QTimer* poll_ = nullptr;
};
