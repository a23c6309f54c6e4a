#pragma once
// Controls of dialogs and pages found by their numeric control id.
//
// Every control carries its id in a widget property; translation, colours and field
// exchange find controls by it. Controls without an id answer kNoControlId. Texts follow
// the program's conventions: "&" marks a mnemonic ("&&" is a plain "&"), also on statics.
#include <QWidget>

#include <string>
#include <vector>

class QLabel;

// Standard ids of dialog buttons.
inline constexpr int IDC_STATIC = -1;
inline constexpr int kNoControlId = IDC_STATIC;
inline constexpr int ID_HELP = 57670;

void SetControlId(QWidget& control, int id);
int GetControlId(const QWidget& control);

// The first widget below root (depth first, in child order) with that id; null when none.
// Other windows (dialogs opened over this one) are not searched.
QWidget* FindControl(const QWidget& root, int id);
// Every widget below root that carries an id, in the same order.
std::vector<QWidget*> ControlsOf(const QWidget& root);

// The text of a control as the program sees it: a static's or button's text with its "&"
// marks, a group box's title, an edit's content, an editable combo's edit text, the
// selected item of a drop-down list. Empty for other widgets.
std::string GetControlText(const QWidget& control);
// Sets it; an unchanged text is left alone (no change signal, the caret stays). A
// drop-down list selects the first item with that text (none when there is none).
void SetControlText(QWidget& control, const std::string& text);

// Statics normally treat "&" as a mnemonic mark; after this call the static shows its text
// as it is (links, addresses).
void SetNoPrefix(QLabel& label);

// A static text with the program's "&" conventions shown as on the desktop: single marks
// hidden, "&&" shown as "&".
QString StaticDisplayText(const QString& text);
