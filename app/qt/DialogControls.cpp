#include "app/qt/DialogControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVariant>

namespace {

constexpr char kIdProperty[] = "horavelControlId";
// A static's text with its "&" marks, as it was set (the label shows it without them).
constexpr char kStaticTextProperty[] = "horavelStaticText";
constexpr char kNoPrefixProperty[] = "horavelNoPrefix";

QString ToQ(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string FromQ(const QString& text) { return text.toUtf8().toStdString(); }

template <typename Visit>
bool Walk(const QWidget& parent, Visit&& visit)
{
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        if (visit(*widget) || Walk(*widget, visit))
            return true;
    }
    return false;
}

}  // namespace

void SetControlId(QWidget& control, int id) { control.setProperty(kIdProperty, id); }

int GetControlId(const QWidget& control)
{
    const QVariant id = control.property(kIdProperty);
    return id.isValid() ? id.toInt() : kNoControlId;
}

QWidget* FindControl(const QWidget& root, int id)
{
    QWidget* found = nullptr;
    Walk(root, [&](QWidget& w) {
        if (GetControlId(w) != id || id == kNoControlId)
            return false;
        found = &w;
        return true;
    });
    return found;
}

std::vector<QWidget*> ControlsOf(const QWidget& root)
{
    std::vector<QWidget*> controls;
    Walk(root, [&](QWidget& w) {
        if (GetControlId(w) != kNoControlId)
            controls.push_back(&w);
        return false;
    });
    return controls;
}

void SetNoPrefix(QLabel& label)
{
    const std::string text = GetControlText(label);
    label.setProperty(kNoPrefixProperty, true);
    label.setProperty(kStaticTextProperty, QVariant());
    label.setText(ToQ(text));
}

QString StaticDisplayText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                shown += '&';
                ++i;
            }
            continue;
        }
        shown += text[i];
    }
    return shown;
}

std::string GetControlText(const QWidget& control)
{
    if (auto* label = qobject_cast<const QLabel*>(&control)) {
        const QVariant raw = label->property(kStaticTextProperty);
        return FromQ(raw.isValid() ? raw.toString() : label->text());
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(&control))
        return FromQ(button->text());
    if (auto* group = qobject_cast<const QGroupBox*>(&control))
        return FromQ(group->title());
    if (auto* edit = qobject_cast<const QLineEdit*>(&control))
        return FromQ(edit->text());
    if (auto* edit = qobject_cast<const QPlainTextEdit*>(&control))
        return FromQ(edit->toPlainText());
    if (auto* combo = qobject_cast<const QComboBox*>(&control))
        return FromQ(combo->currentText());
    return {};
}

void SetControlText(QWidget& control, const std::string& text)
{
    if (GetControlText(control) == text)
        return;
    const QString q = ToQ(text);
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setProperty(kStaticTextProperty, q);
        label->setText(label->property(kNoPrefixProperty).toBool() ? q : StaticDisplayText(q));
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(q);
    } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
        group->setTitle(q);
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->setText(q);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(&control)) {
        edit->setPlainText(q);
    } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        if (combo->isEditable())
            combo->setEditText(q);
        else
            combo->setCurrentIndex(combo->findText(q, Qt::MatchExactly));
    }
}
