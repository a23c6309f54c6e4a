#pragma once
// The view's window: a scrolling area that paints the view (docview/CHoravelView.h)
// through the Qt device context at the document's screen resolution, scaled by the zoom,
// and prints and previews its sheets on the application printer.
#include "docview/CHoravelView.h"
#include "docview/ViewWindow.h"

#include <QAbstractScrollArea>

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
    // The print dialog on the application printer (its page range limited to the sheets
    // of the drawing), then the sheets.
    void Print() override;
    // The preview dialog: one sheet at a time, or two side by side when the drawing
    // covers more than one.
    void PrintPreview() override;
    void PrintPreview(QPrinter& printer);

    // Prints the printer's page range (every sheet when it has none); false, with nothing
    // printed, when the printer cannot be opened.
    bool PrintSheets(QPrinter& printer, bool preview = false);
    // The printer the program prints on: the desktop services' when they are Qt's.
    QPrinter& ApplicationPrinter();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // The viewport changes size when a scroll bar comes or goes.
    bool viewportEvent(QEvent* event) override;

private:
    void UpdateScrollBars();
    // The dialogs the view's commands open.
    ViewDialogs MakeDialogs();

    std::unique_ptr<CHoravelView> view_;
    std::unique_ptr<QPrinter> ownPrinter_;
    gdi::Size total_;
};
