#include "app/qt/CTopDialog.h"

#include "app/Accessors.h"
#include "app/CLanguageFile.h"
#include "app/HelpEntry.h"
#include "app/Translation.h"
#include "app/qt/DialogControls.h"
#include "platform/qt/QtDC.h"

#include <QAbstractButton>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace {

bool HasTranslatableText(const QWidget& control)
{
    return qobject_cast<const QLabel*>(&control) || qobject_cast<const QAbstractButton*>(&control) ||
           qobject_cast<const QGroupBox*>(&control) || qobject_cast<const QLineEdit*>(&control) ||
           qobject_cast<const QPlainTextEdit*>(&control);
}

}  // namespace

int DialogLanguage() { return std::max(GetLanguageIndex(), 0); }

void TranslateControlTexts(QWidget& root, int templateId)
{
    const CLanguageFile* file = GetLanguageFile();
    if (!file)
        return;
    const int language = DialogLanguage();
    for (QWidget* control : ControlsOf(root)) {
        if (!HasTranslatableText(*control))
            continue;
        const std::string text = ExpandLineBreaks(file->GetDialogText(language, templateId, GetControlId(*control)));
        const std::string current = GetControlText(*control);
        if (!current.empty() && !text.empty() && text != current)
            SetControlText(*control, text);
    }
    root.update();
}

void ApplyStaticColors(QWidget& root, const std::vector<CControlColor>& colors)
{
    for (const CControlColor& entry : colors) {
        auto* label = qobject_cast<QLabel*>(FindControl(root, entry.controlId));
        if (!label)
            continue;
        QPalette palette = label->palette();
        const QColor color = gdi::ToQColor(entry.color);
        // Disabled statics keep the greyed text of the desktop.
        palette.setColor(QPalette::Active, QPalette::WindowText, color);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, color);
        label->setPalette(palette);
    }
}

CTopDialog::CTopDialog(QWidget* parent) : CDialogBase(-1, parent) {}

CTopDialog::CTopDialog(int templateId, const std::string& title, QWidget* parent) : CDialogBase(templateId, parent)
{
    SetTitle(title);
}

CTopDialog::~CTopDialog() = default;

void CTopDialog::SetControlColor(int controlId, gdi::COLORREF color)
{
    colors_.push_back({controlId, color});
    ApplyControlColors();
}

void CTopDialog::ApplyControlColors() { ApplyStaticColors(*this, colors_); }

void CTopDialog::TranslateTexts()
{
    const CLanguageFile* file = GetLanguageFile();
    if (!file)
        return;
    const std::string title = file->GetDialogText(DialogLanguage(), GetHelpId(), GetHelpId());
    const std::string current = GetTitle();
    if (!current.empty() && !title.empty() && title != current)
        SetTitle(title);
    TranslateControlTexts(*this, GetHelpId());
}

void CTopDialog::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    TranslateTexts();
    ApplyControlColors();
}

bool CTopDialog::PrepareWindow()
{
    if (GetLanguageIndex() == 9) {
        setFont(QFont(QString::fromStdString(GetTranslatedString(115)), 10));
        substituteFont_ = true;
    } else if (substituteFont_) {
        setFont(QFont());
        substituteFont_ = false;
    }
    return true;
}

void CTopDialog::OnHelp() { CallHelpEntry(kDialogHelpBase + static_cast<unsigned long>(GetHelpId()), HELP_CONTEXT); }
