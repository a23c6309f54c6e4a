#pragma once
// A view without a display over the test document: the window it talks to records what the
// view asked of it.
#include "DocTestSupport.h"

#include "app/Accessors.h"
#include "docview/CHoravelView.h"
#include "docview/ColorTable.h"
#include "docview/ViewWindow.h"

#include <memory>

class RecordingWindow : public ViewWindow {
public:
    gdi::Size client{800, 600};
    gdi::Size total, page, line;
    int invalidations = 0;
    int erasingInvalidations = 0;
    int deferredRequests = 0;
    bool ephemerisShown = false;
    int toolBarToggles = 0;
    int prints = 0;
    int previews = 0;

    gdi::Size ClientSize() const override { return client; }
    void SetScrollSizes(gdi::Size t, gdi::Size p, gdi::Size l) override
    {
        total = t;
        page = p;
        line = l;
    }
    void Invalidate(bool erase) override
    {
        ++invalidations;
        erasingInvalidations += erase ? 1 : 0;
    }
    void ScheduleDeferred() override { ++deferredRequests; }
    bool IsEphemerisToolBarShown() const override { return ephemerisShown; }
    void ToggleEphemerisToolBar() override
    {
        ephemerisShown = !ephemerisShown;
        ++toolBarToggles;
    }
    void Print() override { ++prints; }
    void PrintPreview() override { ++previews; }
};

// The document in the application context, an A4-like printer sheet and a view on it.
template <class Window = RecordingWindow>
class ViewFixture : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        ResetColorTable();
        GetAppContext().document = &Doc();
        Doc().SetPrinterPageSizeMm({200, 287});
        view_ = std::make_unique<CHoravelView>(&window_);
    }
    void TearDown() override
    {
        view_.reset();
        GetAppContext().document = nullptr;
        DocumentTest::TearDown();
    }

    CHoravelView& View() { return *view_; }

    Window window_;
    std::unique_ptr<CHoravelView> view_;
};
