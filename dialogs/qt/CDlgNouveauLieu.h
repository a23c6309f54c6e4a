#pragma once
// The entry of one location: name, country, region, latitude and longitude in degrees and
// minutes with their sides, and the time zone, with the offset between legal and solar
// time shown as the longitude and zone change.
//
// The caller fills m_fields (a record's fields: FieldsFromRecord), runs the dialog and, after
// IDOK, checks the fields (CheckLocationFields) and writes them (ApplyFieldsToRecord).
#include "app/qt/CTopDialog.h"
#include "dialogs/LocationEntry.h"

#include <string>

class CDlgNouveauLieu : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 133;
    static constexpr int kMaxTextChars = 79;

    explicit CDlgNouveauLieu(QWidget* parent = nullptr);
    ~CDlgNouveauLieu() override;

    // Texts empty, angles 0, no side and no zone chosen.
    LocationFields m_fields;
    std::string m_offsetText;

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    void FillZoneList();
    // Reads the longitude and zone controls as they stand and shows the offset text.
    void UpdateOffsetText();
};
