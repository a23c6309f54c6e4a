#pragma once
// "Préférences générales": drawing, printing, start-up and equation-of-time options.
#include "app/qt/CTopDialog.h"

class CPrefs;

class CDlgPreferencesGenerales : public CTopDialog {
public:
    static constexpr int kTemplateId = 243;
    explicit CDlgPreferencesGenerales(QWidget* parent = nullptr);
    ~CDlgPreferencesGenerales() override;

    int m_doubleFrame = 0;
    int m_colouredBackground = 0;
    int m_checkVersion = 0;
    int m_startupScreen = 0;
    int m_longitudeCorrection = 0;
    int m_eotSign = -1;
    int m_frameThickness = 0;
    int m_cuttingMarks = 0;
    int m_pageLimits = 0;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;
};

// The view's command: the dialog on the profile and on the frame options of prefs (the
// dial's, or the view's defaults); on OK all are written back. True on OK.
bool RunGeneralPreferences(CPrefs& prefs, QWidget* parent);
