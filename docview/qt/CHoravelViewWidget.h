#pragma once
// The view's window: a scrolling area that paints the view (docview/CHoravelView.h)
// through the Qt device context at the document's screen resolution, scaled by the zoom,
// and prints and previews its sheets on the application printer.
#include "docview/CHoravelView.h"
#include "docview/ViewWindow.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <memory>

class QPrinter;

class CHoravelViewWidget : public QAbstractScrollArea, public ViewWindow {
public:
    explicit CHoravelViewWidget(QWidget* parent = nullptr);
    ~CHoravelViewWidget() override;

    CHoravelView& View() { return *view_; }

    gdi::Size ClientSize() const override;
    void SetScrollSizes(gdi::Size total, gdi::Size page, gdi::Size line) override;
    void Invalidate(bool erase) override;
    void ScheduleDeferred() override;
    bool IsEphemerisToolBarShown() const override;
    void ToggleEphemerisToolBar() override;
    // The print dialog on the application printer, its page range running over the sheets
    // of the drawing, then the sheets of the range chosen.
    void Print() override;
    // The preview dialog: one sheet at a time, or two side by side when the drawing
    // covers more than one.
    void PrintPreview() override;
    void PrintPreview(QPrinter& printer);

    // Prints the sheets of the printer's page range (every sheet when it has none); false,
    // with nothing printed, when the printer cannot be opened or the range holds no sheet.
    bool PrintSheets(QPrinter& printer, bool preview = false);
    // The printer the program prints on: the desktop services' when they are Qt's.
    QPrinter& ApplicationPrinter();

    // Mouse editing: the scroll offset, part repaints, the cursor, keyboard scrolling.
    gdi::Point ScrollPosition() const override;
    void InvalidateRect(const gdi::Rect& deviceRect, bool erase) override;
    void SetCursor(ViewCursor cursor) override;
    void Scroll(ScrollStep horizontal, ScrollStep vertical) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // The viewport changes size when a scroll bar comes or goes.
    bool viewportEvent(QEvent* event) override;
    // Forwarded to the view's editing.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // The picture of the viewport's area as painted, with that many device pixels per pixel.
    QImage RenderArea(const QRect& area, double devicePixelRatio);
    void UpdateScrollBars();
    // The dialogs the view's commands open.
    ViewDialogs MakeDialogs();

    std::unique_ptr<CHoravelView> view_;
    std::unique_ptr<QPrinter> ownPrinter_;
    gdi::Size total_;
};
