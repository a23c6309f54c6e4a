#pragma once
// The map of the locations between 41 and 52 degrees north and 5 degrees west and 10
// degrees east: every known location of that window marked with a cross, the chosen one
// with a yellow disc, and its name and coordinates above the map.
#include "app/qt/CTopDialog.h"
#include "model/LocationDatabase.h"

#include <memory>
#include <string>

class CBitmapCtrl;

class CDlgCarte : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 143;
    static constexpr int kMapPicture = 152;
    static constexpr int kMapControlId = 2004;

    // locations: the records to mark; null: the document's list.
    explicit CDlgCarte(QWidget* parent = nullptr, const CLocationList* locations = nullptr);
    ~CDlgCarte() override;

    // The location to show (observed).
    const CDataBaseElement* m_location = nullptr;
    // Name and coordinates of the location once the map is drawn.
    std::string m_caption;

    // The map control; null before the dialog opened or without a map picture.
    CBitmapCtrl* GetMap() const { return map_.get(); }

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    const CLocationList* locations_;
    std::unique_ptr<CBitmapCtrl> map_;
};
