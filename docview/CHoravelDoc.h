#pragma once
// The document: the current dial, the current location and the list of every known
// location, the horizon mask, a grid of sun positions for the page renderers, and the page
// and sheet sizes the view lays the drawing out on. It reads and writes dial documents
// (*.cds):
//   [marker location record][dial][current location]
// The marker is a location record at latitude 999 and longitude 1001; documents of the
// first versions have no marker and hold only [location][dial] ("old format").
#include "docview/CHorizonPoint.h"
#include "model/CDataBaseElement.h"
#include "model/LocationDatabase.h"
#include "platform/DocumentBase.h"
#include "platform/Gdi.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCadran;
class TableRebuildProgress;
class TimerHost;

class CHoravelDoc : public DocumentBase {
public:
    static constexpr const char* kLabel = "Horavel 2.0";
    static constexpr int kSunGridRows = 36;       // ecliptic longitude k x 10 degrees
    static constexpr int kSunGridColumns = 289;   // hour angle -180 to +180 degrees by 1.25
    static constexpr int kMeridianColumn = 144;
    static constexpr int kDefaultSheetWidthMm = 200;
    static constexpr int kDefaultSheetHeightMm = 280;
    using SunGrid = std::array<std::array<double, kSunGridColumns>, kSunGridRows>;

    // What the windows around the document do at its steps; each may be empty.
    struct Hooks {
        // After a document was opened: the view goes to the scale drawing and lays it out.
        std::function<void()> opened;
        // Before the document is closed: the main frame saves its toolbars.
        std::function<void()> closing;
        // The loading dialog shown while the tables of an opened dial are rebuilt.
        std::function<std::unique_ptr<TableRebuildProgress>()> makeLoadingProgress;
    };

    // The ephemeris date of the ephemerides page and how it is read.
    struct Ephemeris {
        std::int64_t time = 0;  // seconds since 1970
        int fixedDate = 0;      // 1: the stored date and time; 0: the clock
        int summerTime = 0;     // the legal time includes one hour of summer time
        int universalTime = 0;  // 1: the stored time is Universal Time; 0: legal time
    };

    // Loads the locations files (the standard one from "Options\General"/"NomFichierLieux"),
    // then resets itself; the ephemeris date is the current time.
    CHoravelDoc();
    // Saves the reference year, the current location's name and the user locations.
    ~CHoravelDoc() override;
    CHoravelDoc(const CHoravelDoc&) = delete;
    CHoravelDoc& operator=(const CHoravelDoc&) = delete;

    void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    // --- document steps -------------------------------------------------------------
    bool OnNewDocument() override;
    // A failed open leaves the document as it was.
    bool OnOpenDocument(const std::filesystem::path& path, std::string* error = nullptr) override;
    // Always writes the current format; a document opened in the old format is no longer
    // one once saved.
    bool OnSaveDocument(const std::filesystem::path& path, std::string* error = nullptr) override;
    void OnCloseDocument() override;
    void DeleteContents() override;
    // Counts the documents made or opened in this object: a view tells a new document from
    // the same one saved.
    int GetGeneration() const { return generation_; }
    // Storing writes the marker, the dial and the current location. Loading reads them
    // with the classes expected at each place and changes the document only when the
    // whole file was read; it then rebuilds the dial's tables.
    void Serialize(Archive& ar) override;
    const ClassRegistry& GetClassRegistry() const override;
    // The classes a dial document may hold.
    static const ClassRegistry& DocumentClasses();

    // No dial; the reference location ("Options\General"/"LieuReference", else the first of
    // the list); the reference year; the sun grid; the printer's sheet; one page.
    void ResetDocument();
    // The printer sheet in millimetres: the printable area of the application printer,
    // 200 x 280 without a printer; a printer that reports no size keeps the previous one.
    virtual void UpdatePrinterPageSize();
    // Sun positions for the current location over the reference year.
    void ComputeSunGrid();
    void LoadReferenceYear();
    void SaveReferenceYear() const;

    // --- dial -------------------------------------------------------------------------
    CCadran* GetDial() const { return dial_.get(); }
    void SetDial(std::unique_ptr<CCadran> dial);
    // Hands the dial over (the creation wizard sets it aside); the document has none after.
    std::unique_ptr<CCadran> ReleaseDial();

    // --- locations --------------------------------------------------------------------
    CLocationList& GetLocationList() { return locations_; }
    const CLocationList& GetLocationList() const { return locations_; }
    // The document's own copy of the current location (null when none): deleting records
    // of the list never touches it.
    const CDataBaseElement* GetLocation() const { return location_.get(); }
    // Takes a copy of the location (null: none) and recomputes the sun grid.
    void SetLocation(const CDataBaseElement* location);
    std::filesystem::path GetLocationsFilePath() const { return locationsFile_; }
    // The standard locations file in use (the locations dialog loads another one).
    void SetLocationsFilePath(std::filesystem::path path) { locationsFile_ = std::move(path); }

    // --- horizon mask -----------------------------------------------------------------
    std::vector<CHorizonPoint>& GetHorizonMask() { return horizonMask_; }
    const std::vector<CHorizonPoint>& GetHorizonMask() const { return horizonMask_; }
    bool GetHorizonMaskFlag() const { return horizonMaskFlag_; }
    void SetHorizonMaskFlag(bool shown) { horizonMaskFlag_ = shown; }

    // --- sun grid: radians; row k ecliptic longitude k x 10 degrees, column j hour angle
    // (j / 12 - 12) x 15 degrees ---------------------------------------------------------
    bool IsSunGridReady() const { return sunGridReady_; }
    const SunGrid& GetSunGridAzimuth() const { return *sunAzimuth_; }
    const SunGrid& GetSunGridAltitude() const { return *sunAltitude_; }

    // --- page geometry (pixels are screen pixels at the reference resolution) ----------
    int GetPageCount() const { return pageCount_; }
    void SetPageCount(int pages) { pageCount_ = pages > 0 ? pages : 1; }
    gdi::Size GetDrawingSizePx() const { return drawingPx_; }
    void SetDrawingSizePx(gdi::Size size) { drawingPx_ = size; }
    gdi::Size GetDrawingSizeMm() const { return drawingMm_; }
    // Sizes of zero or less are refused (false, nothing changed): the layout divides by them.
    bool SetDrawingSizeMm(gdi::Size size);
    gdi::Size GetSheetSizePx() const { return sheetPx_; }
    bool SetSheetSizePx(gdi::Size size);
    gdi::Size GetPrinterPageSizeMm() const { return printerMm_; }
    bool SetPrinterPageSizeMm(gdi::Size size);
    int GetScreenPixelsPerInchX() const { return screenPpiX_; }
    int GetScreenPixelsPerInchY() const { return screenPpiY_; }

    // --- reference year, format, label, ephemeris -------------------------------------
    int GetReferenceYearMode() const { return referenceYearMode_; }
    void SetReferenceYearMode(int mode) { referenceYearMode_ = mode; }
    // The document was read from a file without a marker and not saved since.
    bool IsOldFormat() const { return oldFormat_; }
    const std::string& GetLabel() const { return label_; }
    Ephemeris& GetEphemeris() { return ephemeris_; }
    const Ephemeris& GetEphemeris() const { return ephemeris_; }

private:
    // The user locations written at exit; when they cannot be, the user is told, and they go
    // to a dated copy in the data folder.
    void SaveUserLocationsAtExit();
    void StoreDocument(Archive& ar) const;
    void LoadDocument(Archive& ar);
    // The record saved as the current location when there is none: the dial's site.
    CDataBaseElement SiteRecord() const;

    Hooks hooks_;
    int generation_ = 0;
    int pageCount_ = 1;
    gdi::Size drawingPx_;
    gdi::Size drawingMm_{kDefaultSheetWidthMm, kDefaultSheetHeightMm};
    gdi::Size sheetPx_;
    gdi::Size printerMm_{kDefaultSheetWidthMm, kDefaultSheetHeightMm};
    int screenPpiX_ = 96;
    int screenPpiY_ = 96;
    int referenceYearMode_ = 0;
    bool oldFormat_ = false;
    std::string label_ = kLabel;
    Ephemeris ephemeris_;
    bool sunGridReady_ = false;
    std::unique_ptr<SunGrid> sunAzimuth_;
    std::unique_ptr<SunGrid> sunAltitude_;
    CLocationList locations_;
    std::unique_ptr<CDataBaseElement> location_;
    std::filesystem::path locationsFile_;
    std::unique_ptr<CCadran> dial_;
    std::vector<CHorizonPoint> horizonMask_;
    bool horizonMaskFlag_ = false;
    // Tells the user that lines of the user locations file were skipped, once start-up is over.
    std::unique_ptr<TimerHost> skippedPlacesNotice_;
};
