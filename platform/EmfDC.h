#pragma once
// A device context that writes what is drawn on it as an Enhanced Metafile, the vector
// picture format other desktop programs paste and open.
//
// Coordinates are written as the program gives them (logical pixels) together with the
// origin records, so a reader replays the same page. Pens, brushes and fonts become objects
// of the metafile's handle table, created when first needed and selected again from a
// cache; face names and characters are written as the program gave them (a "Wingdings"
// zodiac letter stays that letter in that face). Text is measured on a reference context,
// whose resolution the metafile also reports.
//
// Everything is built in memory; Close() completes the header and hands the bytes over.
#include "platform/DCBase.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gdi {

// The reference device a metafile declares: its surface in pixels and in millimetres (the
// ratio converts pixels to the frame's hundredths of a millimetre).
struct EmfDevice {
    Size pixels;
    Size millimetres;
    // The device of a context: HORZRES, VERTRES, HORZSIZE, VERTSIZE.
    static EmfDevice Of(const DC& dc);
};

class EmfDC final : public DCBase {
public:
    // reference: measures text and answers LOGPIXELSX/Y and BITSPIXEL; it must outlive this
    // context. device: HORZRES, VERTRES, HORZSIZE and VERTSIZE. description: the header's
    // description, NULs included ("Horavel\0name\0\0"). frameHimetric: the picture's frame
    // in 0.01 mm; without it the frame is the bounds of what was drawn.
    EmfDC(DC& reference, EmfDevice device, std::string_view description,
          std::optional<Rect> frameHimetric = std::nullopt);
    EmfDC(const EmfDC&) = delete;
    EmfDC& operator=(const EmfDC&) = delete;

    // Ends the metafile and returns its bytes; empty when it could not be completed (it grew
    // past the format's limits). Nothing is recorded afterwards.
    std::string Close();
    bool IsClosed() const { return closed_; }

    Point SetViewportOrg(int x, int y) override;
    Point SetWindowOrg(int x, int y) override;
    int SaveDC() override;
    bool RestoreDC(int saved) override;
    void IntersectClipRect(const Rect& rect) override;
    void SelectClipRect(const Rect* rect) override;

    bool LineTo(int x, int y) override;
    bool Polyline(const Point* points, int count) override;
    bool Polygon(const Point* points, int count) override;
    bool Rectangle(int left, int top, int right, int bottom) override;
    bool Ellipse(int left, int top, int right, int bottom) override;
    bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    bool Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    void FillRect(const Rect& rect, const Brush& brush) override;
    bool TextOut(int x, int y, std::string_view text) override;
    int DrawText(std::string_view text, Rect& rect, unsigned format) override;
    Size GetTextExtent(std::string_view text) const override;
    TextMetrics GetTextMetrics() const override;
    bool DrawImage(const Rect& dest, const Image& image) override;

    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return false; }
    bool IsPreview() const override { return false; }
    bool IsMetafile() const override { return true; }

protected:
    Rect DeviceBounds() const override;

private:
    // What an object slot holds, so that an identical object is selected again rather than
    // created twice.
    struct ObjectKey {
        int kind = 0;  // 1 pen, 2 brush, 3 font
        Pen pen;
        Brush brush;
        LogFont font;
        friend bool operator==(const ObjectKey&, const ObjectKey&) = default;
    };
    struct Slot {
        std::optional<ObjectKey> key;
        std::uint64_t lastUse = 0;
    };
    // What the reader replaying the metafile has in force; unknown until first written.
    struct PlayerState {
        std::optional<std::uint32_t> pen;    // handle index, or 0x80000000 | stock object
        std::optional<std::uint32_t> brush;
        std::optional<std::uint32_t> font;
        std::optional<COLORREF> textColor;
        std::optional<COLORREF> bkColor;
        std::optional<int> bkMode;
        std::optional<unsigned> textAlign;
        std::optional<Point> position;
    };

    bool Recording() const { return !closed_ && !failed_; }
    // Appends one record: type, size, then the body (padded to 4 bytes).
    void Emit(std::uint32_t type, const std::vector<std::uint8_t>& body);

    std::uint32_t Handle(const ObjectKey& key);
    bool Referenced(std::uint32_t handle) const;
    void SyncPen(const Pen& pen);
    void SyncBrush(const Brush& brush);
    void SyncFont();
    // The player draws a figure with our pen, and fills it with our brush when filled.
    void SyncFigure(bool filled);
    void SyncTextAttributes(unsigned align);
    void SelectObject(std::optional<std::uint32_t>& current, std::uint32_t handle);
    // Writes the record that sets one value of the player's state, unless it holds it already.
    template <typename T>
    void Play(std::uint32_t type, std::optional<T>& played, T value);
    void EmitOrigin(std::uint32_t type, Point origin);

    // Widens the header bounds by a device rectangle (inclusive), within the clip.
    void AddBounds(Rect deviceInclusive);
    Rect ShapeBounds(const Point* points, int count) const;
    // Widens the header bounds by a figure drawn in a logical box (right and bottom edges out).
    void AddBoxBounds(const Rect& box);
    bool BoxRecord(std::uint32_t type, int left, int top, int right, int bottom, bool filled);
    bool ArcRecord(std::uint32_t type, int left, int top, int right, int bottom, int xStart, int yStart,
                   int xEnd, int yEnd, bool filled);
    bool PolyRecord(std::uint32_t type16, std::uint32_t type32, const Point* points, int count);
    bool EmitText(Point reference, std::string_view text, unsigned align, const Rect* clip);

    DC& reference_;
    EmfDevice device_;
    std::u16string description_;
    std::optional<Rect> frame_;
    std::vector<std::uint8_t> bytes_;
    std::uint32_t records_ = 0;
    std::vector<Slot> slots_;  // slot 0 is reserved by the format
    std::uint32_t handlesUsed_ = 1;
    std::uint64_t useCounter_ = 0;
    PlayerState player_;
    std::vector<PlayerState> savedPlayers_;
    std::optional<Rect> bounds_;
    bool closed_ = false;
    bool failed_ = false;
};

}  // namespace gdi
