#pragma once
// The windows the view's commands open, given by the windowing layer (the Qt view widget),
// or by tests. A command whose window is not given has no handler, so its menu item and
// toolbar button stay disabled.
#include "docview/CHoravelDoc.h"

#include <functional>
#include <memory>
#include <string>

class CDataBaseElement;

// A window that stays open beside the view (modeless) until the view or the user closes it.
class ModelessWindow {
public:
    virtual ~ModelessWindow() = default;
    virtual void Show() = 0;
};

// The clock of the live shadow: the legal and the solar time.
class ClockWindow : public ModelessWindow {
public:
    virtual void SetTimes(const std::string& legalTime, const std::string& solarTime) = 0;
};

struct ViewDialogs {
    // The locations database with `current` shown first; the record chosen with OK (valid
    // until the list changes again), null on Cancel.
    std::function<const CDataBaseElement*(const CDataBaseElement* current)> chooseLocation;
    // The horizon mask of the document and whether the graph shows it; true on OK, with
    // the document's flag stored.
    std::function<bool(CHoravelDoc& document)> horizonMask;
    // The anchoring of a page frame (kinds 1 to 6); true on OK with the chosen kind.
    std::function<bool(int& anchoring)> frameAnchoring;
    // The date of the ephemerides and how it is read; true on OK with the fields changed.
    std::function<bool(CHoravelDoc::Ephemeris& ephemeris)> ephemerisDate;
    // The clock of the live shadow; onClose runs when the user closes it.
    std::function<std::unique_ptr<ClockWindow>(std::function<void()> onClose)> makeClock;
    // The shadow animation, which moves the dial's shadow itself until it is stopped.
    std::function<std::unique_ptr<ModelessWindow>()> makeShadowAnimation;
    // Tools that change nothing in the document.
    std::function<void()> decimalConversion;
    std::function<void()> view3D;
};
