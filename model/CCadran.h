#pragma once
// The dial: geometry, site, year, drawing preferences, page frames, export shapes and the
// three precomputed sun tables. Base of every dial type; each subclass supplies the
// projection of a sun direction onto its face and overrides some drawing operations.
//
// Units: lengths in whole millimetres, angles in radians inside (degrees for latitude and
// longitude fields, as stored in documents), device coordinates in pixels. Azimuth is
// counted from the equator side (south in the northern hemisphere), positive west.
#include "model/CPolyline.h"
#include "model/CPrefs.h"
#include "model/LabelBoxes.h"
#include "platform/Archive.h"
#include "platform/Gdi.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CObjetCadre;
struct FaceMap;
namespace dialdraw {
struct HourStep;
}

class CCadran : public Serializable {
    HV_DECLARE_SERIAL(CCadran)
public:
    static constexpr int kDateRows = 72;        // days 1, 6, 11, 16, 21, 26 of each month
    static constexpr int kLongitudeRows = 36;   // ecliptic longitude k x 10 degrees
    static constexpr int kSteps = 289;          // 0 h 00 to 24 h 00 in five-minute steps
    using SunTable = std::array<std::array<double, kSteps>, kDateRows>;

    CCadran();
    ~CCadran() override;
    CCadran(const CCadran&) = delete;
    CCadran& operator=(const CCadran&) = delete;

    void Serialize(Archive& ar) override;

    // --- set-up and tables ------------------------------------------------------------
    void SetYear(int year);
    // Stores the type code and the plane angles (given in degrees, stored in radians);
    // style height 20 for type 3, else 40.
    void SetTypeAndPlane(int code, double angle1Deg, double angle2Deg);
    // Row of the by-date tables for a table date (1 January: 0, 26 December: 71).
    static int DateRow(int month, int day);
    void ComputeEquatorialCoords(int month, int day);
    void ComputeDateTable(int month, int day);
    void ComputeLongitudeTable(int k);
    // The fill order every caller uses: 72 dates (equatorial then horizontal), then the
    // 36 solar-longitude rows.
    void ComputeAllTables();
    bool HasHourPoints() const { return typeCode >= 20 && typeCode < 30; }

    // --- style anchor and page coordinates ------------------------------------------
    void SetStyleAnchorPercent(int px, int py);
    void SetStyleAnchorPosition(int x, int y);
    // Mode 3 keeps point B (the style's second attachment) where the anchor last put it, so
    // calling it again with unchanged dimensions moves nothing.
    void UpdateStyleAnchor(int mode = -1);
    void SetDialRect(int left, int top, int right, int bottom);
    void SetStyleHeight(int h);
    gdi::Rect GetInnerRect() const;     // dialRect deflated by the margins
    gdi::Point GetAnchorPoint() const;  // style anchor in page (device) coordinates
    void RectToAnchorCoords(gdi::Rect& r) const;
    void PointToAnchorCoords(gdi::Point& p) const;
    void RectFromAnchorCoords(gdi::Rect& r) const;
    void PointFromAnchorCoords(gdi::Point& p) const;

    // --- page frames ----------------------------------------------------------------
    // Draws every frame whose layer equals pass (0 below the dial lines, 1 above).
    // The anchor is GetAnchorPoint(); the second form takes it from the caller (the view's
    // scale drawing, which places the dial itself).
    void DrawFrameObjects(gdi::DC& dc, const gdi::Rect& pageRect, int pass);
    void DrawFrameObjects(gdi::DC& dc, gdi::Point anchor, const gdi::Rect& pageRect, int pass);
    // Device top-left corner of a frame that is not anchored to the drawing (kind 2 frames
    // are placed by the frame itself from the anchor).
    gdi::Point ResolveFramePosition(const CObjetCadre& frame, gdi::Point anchor, const gdi::Rect& pageRect,
                                    const gdi::DC& dc) const;
    CObjetCadre* HitTestFrames(gdi::Point point, int& zone);
    CObjetCadre* FindMarkedFrame(bool hovered);
    bool DeleteMarkedFrame(bool hovered);
    void OffsetFrames(int dxPercent, int dyPercent);

    // --- export shapes (input in tenths of a millimetre, stored in millimetres) ------
    void ClearExportShapes();
    void AddSegmentShape(int x1, int y1, int x2, int y2);
    void BeginShape(int x, int y);
    void AddShapePoint(int x, int y);
    void AddPointShape(int x, int y, int width);
    void AddRectangleShape(int left, int top, int right, int bottom);
    void UpdateBounds(const CDoublePoint& p);
    // Writes the collected shapes as a DXF drawing; false (error set) when it cannot.
    bool ExportDxf(const std::filesystem::path& path, std::string* error = nullptr);

    // --- drawing --------------------------------------------------------------------
    // The whole dial into dc, within dialRect, in the fixed family order.
    void Draw(gdi::DC& dc);
    // The same within rect, in device units of dc (a caller drawing on a printer has already
    // scaled it from the screen): the families clip to it and the style foot is placed in it.
    void Draw(gdi::DC& dc, const gdi::Rect& rect);
    // Rectangle of the drawing under way; the families clip to it.
    const gdi::Rect& GetDrawRect() const { return drawRect; }
    // dialRect in device units of dc: scaled from the screen when dc is a printer.
    gdi::Rect GetDeviceDialRect(const gdi::DC& dc) const;
    // Colour entry of the pen for five-minute step s: 5 whole hours, 6 half hours, 7 quarter
    // hours, 8 five minutes; 0 when the preferences leave that step out.
    int StepPenEntry(int step) const;
    // Empties the hour-label slots and gives them count entries (at least the 25 hours).
    void ResetHourLabels(int count);
    void DrawHorizonLine(gdi::DC& dc, int ax, int ay);
    void DrawSubstyleLine(gdi::DC& dc, int ax, int ay);
    void DrawAxes(gdi::DC& dc, int ax, int ay);
    void DrawBorder(gdi::DC& dc);
    // The sheet within rect (device units of dc, already scaled for a printer).
    void DrawBorder(gdi::DC& dc, const gdi::Rect& rect);

    // Virtual operations, in slot order.
    virtual void GetTypeName(std::string& text, bool longName, bool upperCase) const;
    virtual void DrawCentreLine(gdi::DC& dc, int left, int top, int right, int bottom, int ax, int ay);
    virtual void SetSite(double latitudeDeg, double longitudeDeg, double zoneHours);
    // Point where the nodus' shadow falls for the sun direction, relative to the style
    // anchor: device pixels (toDevice), else tenths of a millimetre (inTenths), else
    // hundredths; y down in device mode.
    virtual void Project(double azimuth, double altitude, int& x, int& y, bool toDevice = true,
                         bool inTenths = true) const;
    virtual bool IsLit(double azimuth, double altitude, bool aboveHorizonOnly) const;
    virtual void GetStyleAnchorPoint(int left, int top, int right, int bottom, int& x, int& y) const;
    virtual void GetCentreOffset(int& dx, int& dy) const;
    // Sub-style length in millimetres; truncate asks for the cut and says whether it was cut.
    virtual double GetStyleLength(bool& truncate, double& endHeight) const;
    virtual void DrawSpecific(gdi::DC& dc, int ax, int ay);
    virtual void GetExtraPoint(int& x, int& y, double azimuth, double altitude) const;
    virtual bool GetCentre(int& x, int& y, bool truncate, bool inTenths) const;
    virtual double GetCentreAngle() const;
    virtual void DrawStyle(gdi::DC& dc, int ax, int ay);
    virtual void DrawHourNumbers(gdi::DC& dc);
    // lastWritten: the box of the number written last in this drawing, which this one may
    // not run into; it becomes this number's when this one is written.
    virtual void DrawHourLabel(gdi::DC& dc, int hour, const std::string& text, std::optional<LabelBox>& lastWritten);
    // Where the number of label slot `hour` goes with the font and text alignment in force
    // (those DrawHourNumbers gives it): its reference point and box. Nothing when it is not
    // written at the end of its line, or cannot get inside the drawing.
    struct NumberPlace {
        gdi::Point at;
        LabelBox box;
    };
    virtual std::optional<NumberPlace> PlaceHourLabel(const gdi::DC& dc, int hour, const std::string& text) const;
    // Whether the numbers of the hour and azimuth lines stand at the inner end of their
    // lines (nearer the centre) or at the outer end.
    virtual bool LabelsAtInnerEnd() const { return labelsAtInnerEnd != 0; }
    // The same for the hour lines alone, whose ends DrawHourLines takes in table order (June
    // first) when GetCentre finds no centre to order them by.
    virtual bool HourLabelsAtInnerEnd() const { return LabelsAtInnerEnd(); }
    virtual void DrawIndications(gdi::DC& dc);
    // Ray from a point at an angle (radians, y up) to the edge of rect.
    virtual bool ClipRay(const gdi::Rect& rect, gdi::Point from, double angle, gdi::Point& end) const;
    virtual bool IsInsideDial(const gdi::Rect& rect, gdi::Point& p1, gdi::Point& p2) const;
    virtual bool ClipSegmentToDial(const gdi::Rect& rect, gdi::Point& p1, gdi::Point& p2) const;
    virtual void DrawHourLines(gdi::DC& dc, int ax, int ay);
    // The diurnal arcs; true when they traced the two solstice arcs.
    virtual bool DrawLongitudeArcs(gdi::DC& dc, int ax, int ay);
    virtual bool DrawDeclinationArcs(gdi::DC& dc, int ax, int ay);
    virtual bool DrawCalendarArcs(gdi::DC& dc, int ax, int ay);
    virtual void DrawMeanTimeLines(gdi::DC& dc, int ax, int ay, int step);
    virtual void DrawDateArc(gdi::DC& dc, int day, int month, int ax, int ay);
    virtual void DrawAzimuthLines(gdi::DC& dc, int ax, int ay);
    virtual void DrawAltitudeLines(gdi::DC& dc, int ax, int ay);
    virtual void DrawItalicBabylonianHours(gdi::DC& dc, bool babylonian, int ax, int ay);
    // The face as linear forms of the sun's horizontal vector, giving what Project and IsLit
    // give (the plane dials with a polar style); false, the base, for a type that has none.
    // A map is for the class that builds it alone: a subclass sharing its Project and IsLit
    // says so with a GetFaceMap of its own.
    virtual bool GetFaceMap(FaceMap& map) const;

    // --- data (declaration order of the stored model) ------------------------------
    int symmetricMargins = 1;
    int styleTruncation = 0;
    int styleLimit = 25;
    double pixelsPerMmX = 96.0 / 25.4;
    double pixelsPerMmY = 96.0 / 25.4;
    int width = 0;
    int height = 0;
    double latitude = 45.0;   // degrees, north positive
    double longitude = 0.0;   // degrees, east negative
    int localSolarTime = 1;
    int typeCode = 1;
    double planeAngle1 = 0.0;  // radians
    double planeAngle2 = 0.0;  // radians
    double latitudeRad = 0.0;
    int tablesValid = 0;
    std::vector<gdi::Point> hourLabelPos;  // per label slot; x = 0: no label
    std::vector<double> hourLabelAngle;
    // Per label slot, the direction (radians, y up) of the date arc through the labelled
    // end, which the number keeps clear of; NaN when no arc is known to run there.
    std::vector<double> hourLabelArcAngle;
    int marginX = 0;
    int marginY = 0;
    int referenceYear = 0;
    int firstHour = 0;
    int lastHour = 24;
    int styleMarkingAllowed = 1;
    int collectShapes = 0;
    double scale = 1.0;
    int castShadow = 0;
    int shadowAnimation = 0;
    double shadowAzimuth = 0.5235987755982988;
    double shadowAltitude = 0.5235987755982988;
    int styleShape = 3;
    int labelsAtInnerEnd = 1;
    double noonCurveHour = 12.0;
    std::vector<std::uint32_t> particularDates;  // day x 100 + month
    std::vector<std::unique_ptr<CObjetCadre>> frames;
    CPrefs prefs;
    int eqTableValid = 0;
    std::array<double, kDateRows> rightAscension{};
    std::array<double, kDateRows> declination{};
    int dateTableValid = 0;
    SunTable azimuthByDate{};
    SunTable altitudeByDate{};
    int longitudeTableValid = 0;
    SunTable azimuthByLongitude{};   // rows 0..35 used
    SunTable altitudeByLongitude{};
    int styleHeight = 25;
    gdi::Rect dialRect;
    int anchorPercentX = 50;
    int anchorPercentY = 30;
    int anchorX = 0;
    int anchorY = 0;
    int anchoringMode = 1;
    // Point B in tenths of a millimetre from the top left corner, taken each time the anchor
    // is set; anchoring mode 3 places the anchor from it.
    long long pointBX = 0;
    long long pointBY = 0;
    std::vector<std::unique_ptr<CPolyline>> exportShapes;
    CPolyline* currentShape = nullptr;  // observes the last shape of exportShapes
    CDoublePoint boundsMin;
    CDoublePoint boundsMax;
    gdi::Rect drawRect;  // set by Draw
    // While Draw runs, the boxes of the numbers to be written at the ends of the hour or
    // azimuth lines (device units): the lines drawn after DrawHourLines or DrawAzimuthLines
    // has placed them go round them.
    std::vector<LabelBox> numberBoxes;

protected:
    // The number of a label slot placed beyond the end of its line, `further` device units
    // more, or slid back along the line into the drawing when the edge cuts it there.
    std::optional<NumberPlace> PlaceAtLineEnd(const gdi::DC& dc, int hour, const std::string& text, int further) const;
    // True when the slots of DrawHourLines get numbers: hour numbers and no azimuth lines.
    bool HourLinesGetNumbers() const;
    // The boxes of the numbers that DrawHourNumbers will write, half a blank wider (a number
    // beyond the end of its line stays clear of the line); none in a metafile, which keeps
    // its lines whole.
    std::vector<LabelBox> LayOutNumbers(gdi::DC& dc);
    // True when the mean-time lines are drawn at five-minute step s, noonStep being the step
    // of noon on the dial's time.
    bool MeanTimeAtStep(int s, int noonStep) const;
    // Lays out the numbers of the hour lines (when they get some), then draws the steps of
    // DrawHourLines round them: each step's hour line, extension and mean-time lines.
    void DrawHourSteps(gdi::DC& dc, int ax, int ay, const std::vector<dialdraw::HourStep>& steps);

private:
    // The text of the number of label slot i: an hour, or an azimuth with azimuth lines.
    std::string LabelText(int slot) const;
    // The font of the numbers for a line at lineAngle (see StanceAtLineEnd) on dc; nothing
    // when the numbers would be less than a pixel high.
    std::optional<gdi::LogFont> LabelFont(const gdi::DC& dc, double lineAngle) const;
    // Direction (radians, y up) on the device of the day's arc of a row of the by-date table
    // at a five-minute step; NaN when the sun lights too little of it there.
    double DateArcAngle(int row, int step, gdi::Point origin) const;
    // Direction (radians, y up) on the device of the solstice arc through the sun direction
    // (azimuth, altitude) that ends an azimuth line; NaN when no solstice arc runs there.
    double SolsticeArcAngle(double azimuth, double altitude, gdi::Point origin) const;
    // Calls each(slot, text) for every number to write, its font and alignment selected
    // in dc (and put back after the last).
    template <class Each>
    void ForEachNumber(gdi::DC& dc, Each each);
    // The anchor and its percentages, point B left where it is.
    void PlaceStyleAnchor(int x, int y);
    void RecordPointB();
};
