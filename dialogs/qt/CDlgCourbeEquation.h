#pragma once
// The meridian in the shape of an eight: whether it is drawn, at noon or at each hour line,
// whole or as one of its halves, with its hour line and its date points.
#include "app/qt/CTopDialog.h"

class CPrefs;

class CDlgCourbeEquation : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 160;

    explicit CDlgCourbeEquation(QWidget* parent = nullptr);
    ~CDlgCourbeEquation() override;

    // Set by the caller (not owned): read at opening, written after OK by the caller.
    const CPrefs* m_prefs = nullptr;
    int m_shape = 0;
    int m_withHourLine = 0;
    int m_datePoints = 0;
    int m_placement = 0;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

// The meridian settings of the preferences (the dial's, or the view's defaults); written
// after OK. Returns IDOK or IDCANCEL; with a dial the caller marks the document modified
// and repaints.
int EditNoonMark(CPrefs& prefs, QWidget* parent = nullptr);
