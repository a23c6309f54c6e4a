#include "docview/CHoravelDoc.h"

#include "app/Accessors.h"
#include "app/TextHelpers.h"
#include "app/Trace.h"
#include "app/Translation.h"
#include "docview/DocviewClasses.h"
#include "docview/TableRebuild.h"
#include "model/Astronomy.h"
#include "model/CCadran.h"
#include "model/ModelClasses.h"
#include "platform/Profile.h"
#include "platform/Services.h"
#include "platform/Timers.h"

#include <numbers>
#include <optional>
#include <utility>

namespace {

constexpr const char* kGeneralSection = "Options\\General";
constexpr double kDegToRad = std::numbers::pi / 180.0;

[[noreturn]] void Refuse(const std::string& what)
{
    throw ArchiveException(ArchiveException::Cause::BadClass, "document: " + what);
}

// Tells the user that lines of the user locations file could not be read, and where the file
// as it was is kept. The document is made before the language file is read: the message waits
// for the end of start-up, so that it speaks the program's language.
class SkippedPlacesNotice final : public TimerHost {
public:
    explicit SkippedPlacesNotice(SkippedPlaces skipped) : skipped_(std::move(skipped))
    {
        Trace("[ERROR] %d lines of Database File %s skipped", skipped_.lines, skipped_.file.c_str());
        SetTimer(kTimer, 0);
    }
    void OnTimer(int id) override
    {
        KillTimer(id);
        const std::string file = skipped_.file.string();
        const std::string text = skipped_.copy ? FillFormat(GetTranslatedString(211), {file, skipped_.copy->string()})
                                               : FillFormat(GetTranslatedString(226), {file});
        GetServices().MessageBox(text, "", MB_OK | MB_ICONEXCLAMATION);
    }

private:
    static constexpr int kTimer = 1;
    SkippedPlaces skipped_;
};

}  // namespace

CHoravelDoc::CHoravelDoc()
    : sunAzimuth_(std::make_unique<SunGrid>()), sunAltitude_(std::make_unique<SunGrid>())
{
    const std::string configured = GetProfile().GetString(kGeneralSection, "NomFichierLieux", "");
    locationsFile_ = configured.empty() ? DefaultStandardLocationsFile() : std::filesystem::path(configured);
    std::optional<SkippedPlaces> skipped;
    LoadLocationDatabase(locations_, locationsFile_, &skipped);
    if (skipped)
        skippedPlacesNotice_ = std::make_unique<SkippedPlacesNotice>(std::move(*skipped));
    ResetDocument();
    ephemeris_.time = GetServices().Now();
}

CHoravelDoc::~CHoravelDoc()
{
    SaveReferenceYear();
    if (location_)
        GetProfile().WriteString(kGeneralSection, "LieuReference", location_->name);
    if (!locations_.empty()) {
        SaveUserLocationsAtExit();
        DeleteAllLocations(locations_);
    }
}

void CHoravelDoc::SaveUserLocationsAtExit()
{
    // Places that would be lost with the list go to a copy, and the user is told where.
    std::optional<std::filesystem::path> copy;
    std::string error;
    if (SaveUserLocationsOrCopy(locations_, GetServices().LocalNow(), copy, &error))
        return;
    const std::string file = UserLocationsFile().string();
    const std::string text = copy ? FillFormat(GetTranslatedString(207), {file, copy->string()})
                                  : FillFormat(GetTranslatedString(208), {file});
    Trace("[ERROR] User locations not saved in %s", file.c_str());
    GetServices().MessageBox(WithReason(text, error), "", MB_OK | MB_ICONEXCLAMATION);
}

const ClassRegistry& CHoravelDoc::DocumentClasses()
{
    static const ClassRegistry registry = [] {
        ClassRegistry r;
        r.Register<CDataBaseElement>();
        RegisterModelClasses(r);
        RegisterDocviewClasses(r);
        return r;
    }();
    return registry;
}

const ClassRegistry& CHoravelDoc::GetClassRegistry() const
{
    return DocumentClasses();
}

// ---------------------------------------------------------------- reset and settings

void CHoravelDoc::ResetDocument()
{
    dial_.reset();
    location_.reset();

    const std::string reference = GetProfile().GetString(kGeneralSection, "LieuReference", "");
    const CDataBaseElement* chosen = nullptr;
    if (!reference.empty()) {
        for (const auto& record : locations_) {
            if (record->name == reference) {
                chosen = record.get();
                break;
            }
        }
    }
    if (!chosen && !locations_.empty())
        chosen = locations_.front().get();
    if (chosen)
        location_ = std::make_unique<CDataBaseElement>(*chosen);

    LoadReferenceYear();
    ComputeSunGrid();
    UpdatePrinterPageSize();
    drawingMm_ = printerMm_;
    pageCount_ = 1;
    const AppContext& context = GetAppContext();
    screenPpiX_ = context.screenPixelsPerInchX;
    screenPpiY_ = context.screenPixelsPerInchY;
}

void CHoravelDoc::LoadReferenceYear()
{
    SetAstroYear(GetProfile().GetInt(kGeneralSection, "AnneeReference", GetCurrentYear()));
    referenceYearMode_ = GetProfile().GetInt(kGeneralSection, "ModeAnneeReference", 0);
}

void CHoravelDoc::SaveReferenceYear() const
{
    GetProfile().WriteInt(kGeneralSection, "AnneeReference", GetAstroYear());
    GetProfile().WriteInt(kGeneralSection, "ModeAnneeReference", referenceYearMode_);
}

void CHoravelDoc::UpdatePrinterPageSize()
{
    const PrinterInfo printer = GetServices().GetPrinter();
    // Without a printer the sheet is the program's own, unless the page setup chose the
    // paper of the file printed to.
    if (!printer.IsPresent() && !printer.paperChosen) {
        printerMm_ = {kDefaultSheetWidthMm, kDefaultSheetHeightMm};
        return;
    }
    SetPrinterPageSizeMm({printer.printableWidthMm, printer.printableHeightMm});
}

void CHoravelDoc::ComputeSunGrid()
{
    if (location_)
        SetAstroSite(location_->latitude, location_->longitude, location_->zone);
    UpdateOrbitElements();
    for (int k = 0; k < kSunGridRows; ++k) {
        const double declination = DeclinationOfLongitude(k, true) * kDegToRad;
        for (int j = 0; j < kSunGridColumns; ++j) {
            const double hourAngle = (j / 12.0 - 12.0) * 15.0 * kDegToRad;
            EquatorialToHorizontal(hourAngle, declination, (*sunAzimuth_)[k][j], (*sunAltitude_)[k][j]);
        }
    }
    sunGridReady_ = true;
}

bool CHoravelDoc::SetDrawingSizeMm(gdi::Size size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    drawingMm_ = size;
    return true;
}

bool CHoravelDoc::SetSheetSizePx(gdi::Size size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    sheetPx_ = size;
    return true;
}

bool CHoravelDoc::SetPrinterPageSizeMm(gdi::Size size)
{
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    printerMm_ = size;
    return true;
}

// ---------------------------------------------------------------- dial and location

void CHoravelDoc::SetDial(std::unique_ptr<CCadran> dial)
{
    dial_ = std::move(dial);
}

std::unique_ptr<CCadran> CHoravelDoc::ReleaseDial()
{
    return std::move(dial_);
}

void CHoravelDoc::SetLocation(const CDataBaseElement* location)
{
    location_ = location ? std::make_unique<CDataBaseElement>(*location) : nullptr;
    ComputeSunGrid();
}

// ---------------------------------------------------------------- document steps

bool CHoravelDoc::OnNewDocument()
{
    ResetDocument();
    ++generation_;
    return DocumentBase::OnNewDocument();
}

bool CHoravelDoc::OnOpenDocument(const std::filesystem::path& path, std::string* error)
{
    if (!DocumentBase::OnOpenDocument(path, error))
        return false;
    ++generation_;
    if (hooks_.opened)
        hooks_.opened();
    return true;
}

bool CHoravelDoc::OnSaveDocument(const std::filesystem::path& path, std::string* error)
{
    if (!DocumentBase::OnSaveDocument(path, error))
        return false;
    oldFormat_ = false;
    return true;
}

void CHoravelDoc::OnCloseDocument()
{
    if (hooks_.closing)
        hooks_.closing();
    DocumentBase::OnCloseDocument();
}

void CHoravelDoc::DeleteContents()
{
    dial_.reset();
}

// ---------------------------------------------------------------- dial documents

void CHoravelDoc::Serialize(Archive& ar)
{
    WaitCursor wait;
    if (ar.IsStoring())
        StoreDocument(ar);
    else
        LoadDocument(ar);
}

CDataBaseElement CHoravelDoc::SiteRecord() const
{
    CDataBaseElement site;
    if (dial_) {
        site.latitude = dial_->latitude;
        site.longitude = dial_->longitude;
        site.zone = GetTimeZone();
    }
    return site;
}

void CHoravelDoc::StoreDocument(Archive& ar) const
{
    CDataBaseElement marker;
    marker.latitude = CDataBaseElement::kMarkerLatitude;
    marker.longitude = CDataBaseElement::kMarkerLongitude;
    // Both records live until the archive has been written: objects are told apart by address.
    const CDataBaseElement site = location_ ? *location_ : SiteRecord();
    ar.WriteObject(&marker);
    ar.WriteObject(dial_.get());
    ar.WriteObject(&site);
}

void CHoravelDoc::LoadDocument(Archive& ar)
{
    // Reading a dial sets the astronomy module's year; a failed read puts it back.
    const int savedYear = GetAstroYear();
    try {
        std::unique_ptr<CDataBaseElement> first = ar.ReadObjectAs<CDataBaseElement>();
        if (!first)
            Refuse("no location record at the start");
        const bool oldFormat = !first->IsDocumentMarker();
        std::unique_ptr<CDataBaseElement> location;
        if (oldFormat)
            location = std::move(first);
        ar.Context().oldFormat = oldFormat;
        std::unique_ptr<CCadran> dial = ar.ReadObjectAs<CCadran>();
        if (!oldFormat)
            location = ar.ReadObjectAs<CDataBaseElement>();
        if (!location)
            Refuse("no current location");
        if (location->IsDocumentMarker() || !location->HasPlausibleValues())
            Refuse("the current location is not a place");

        SetAstroSite(location->latitude, location->longitude, location->zone);
        if (dial) {
            std::unique_ptr<TableRebuildProgress> progress;
            if (hooks_.makeLoadingProgress)
                progress = hooks_.makeLoadingProgress();
            RebuildDialTables(*dial, progress.get());
        }

        dial_ = std::move(dial);
        location_ = std::move(location);
        oldFormat_ = oldFormat;
    } catch (...) {
        SetAstroYear(savedYear);
        if (location_)
            SetAstroSite(location_->latitude, location_->longitude, location_->zone);
        throw;
    }
    // The grid belongs to the location just read.
    ComputeSunGrid();
}

// ---------------------------------------------------------------- accessors

CCadran* GetDial()
{
    const CHoravelDoc* document = GetDocument();
    return document ? document->GetDial() : nullptr;
}

CLocationList* GetLocationList()
{
    CHoravelDoc* document = GetDocument();
    return document ? &document->GetLocationList() : nullptr;
}
