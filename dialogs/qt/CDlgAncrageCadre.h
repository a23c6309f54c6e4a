#pragma once
// How a page frame is anchored: it follows the dial's drawing, stays at its distance from
// one edge of the dial, or stays where it is on the screen.
#include "app/qt/CTopDialog.h"

class CDlgAncrageCadre : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 220;

    explicit CDlgAncrageCadre(QWidget* parent = nullptr);
    ~CDlgAncrageCadre() override;

    // 0 follows the drawing, 1 fixed to an edge, 2 fixed to the screen.
    int m_mode = 0;
    // 0 top, 1 bottom, 2 left, 3 right; -1 none.
    int m_edge = 0;

protected:
    void DoDataExchange(DataExchange& dx) override;
};

// Runs the dialog on a frame's anchoring kind (1 to 6); true on OK, with the chosen kind.
bool EditFrameAnchoring(int& anchoring, QWidget* parent = nullptr);
