#pragma once
// A static text that is a link: coloured and underlined, a hand cursor, the address as its
// tooltip, highlighted while the mouse is over it, and opened by a click.
//
// Only http, https and mailto addresses and files inside the help folder are opened; any
// other target is refused with a beep and a message, and the control stays usable.
#include "platform/Gdi.h"

#include <QCursor>
#include <QLabel>

#include <optional>
#include <string>

class CHyperlinkCtrl : public QLabel {
    Q_OBJECT

public:
    // SetColours: the hover colour that stands for the system highlight colour.
    static constexpr gdi::COLORREF kSystemHighlight = 0xFFFFFFFFu;
    // GotoURL: results above this value mean the link was opened.
    static constexpr int kOpenedThreshold = 32;

    explicit CHyperlinkCtrl(QWidget* parent = nullptr);
    ~CHyperlinkCtrl() override;

    void SetURL(const std::string& url);
    const std::string& GetURL() const { return url_; }

    void SetColours(gdi::COLORREF link, gdi::COLORREF visited, gdi::COLORREF hover = kSystemHighlight);
    gdi::COLORREF GetLinkColour() const { return linkColour_; }
    gdi::COLORREF GetVisitedColour() const { return visitedColour_; }
    gdi::COLORREF GetHoverColour() const { return hoverColour_; }

    void SetVisited(bool visited);
    bool GetVisited() const { return visited_; }
    void SetUnderline(bool underline);
    bool GetUnderline() const { return underline_; }
    // Auto-size: the control is as large as its text, placed in its cell by its alignment.
    void SetAutoSize(bool autoSize);
    bool GetAutoSize() const { return autoSize_; }
    // No cursor: the pointing hand.
    void SetLinkCursor(std::optional<QCursor> cursor);
    QCursor GetLinkCursor() const;

    bool IsHovering() const { return hovering_; }
    // The colour the text is drawn in now: hover, else visited, else link.
    gdi::COLORREF GetTextColour() const;

    // Takes over the static: an empty address becomes the text and an empty text the
    // address; the font is underlined, the size fitted, the cursor and tooltip set. Runs
    // once, before the control is first shown.
    void PreSubclassWindow();

    // Opens the address with the desktop's program for it. Returns a value above 32 when it
    // was opened, else an error code: 2 for a local file that does not exist, 5 for a target
    // that is not allowed, 31 when the desktop has no program to open it.
    static int GotoURL(const std::string& url);
    // The message for a GotoURL error code.
    static std::string ErrorText(int code);
    // Shows it with an exclamation icon.
    static void ReportError(int code);

    // What a click does.
    void Click();

protected:
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyColour();
    void ApplyFont();
    void PositionWindow();
    void SetDefaultCursor();

    gdi::COLORREF linkColour_ = gdi::RGB(0, 0, 238);
    gdi::COLORREF visitedColour_ = gdi::RGB(85, 26, 139);
    gdi::COLORREF hoverColour_;
    bool hovering_ = false;
    bool visited_ = false;
    bool underline_ = true;
    bool autoSize_ = true;
    std::string url_;
    std::optional<QCursor> linkCursor_;
    bool subclassed_ = false;
    bool pressed_ = false;
};
