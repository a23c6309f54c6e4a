#include "app/qt/ControlHost.h"

#include "app/Trace.h"
#include "app/qt/CHyperlinkCtrl.h"
#include "app/qt/DataExchange.h"
#include "app/qt/DialogControls.h"
#include "app/qt/Pictures.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

template <typename Widget>
Widget* Made(Widget* control, int id, const std::string* text = nullptr)
{
    SetControlId(*control, id);
    if (text)
        SetControlText(*control, *text);
    return control;
}

}  // namespace

ControlHost::ControlHost(QWidget& self, int templateId) : self_(self), templateId_(templateId) {}

ControlHost::~ControlHost() = default;

QLabel* ControlHost::AddStatic(int id, const std::string& text)
{
    auto* label = new QLabel(&self_);
    label->setTextFormat(Qt::PlainText);
    return Made(label, id, &text);
}

QLabel* ControlHost::AddPicture(int id, int bitmapId)
{
    auto* label = new QLabel(&self_);
    label->setPixmap(LoadBitmapResource(bitmapId));
    return Made(label, id);
}

QLineEdit* ControlHost::AddEdit(int id) { return Made(new QLineEdit(&self_), id); }

QPlainTextEdit* ControlHost::AddMultiLineEdit(int id) { return Made(new QPlainTextEdit(&self_), id); }

QPushButton* ControlHost::AddButton(int id, const std::string& text)
{
    auto* button = new QPushButton(&self_);
    // Only the dialog's default button answers Enter.
    button->setAutoDefault(false);
    return Made(button, id, &text);
}

QCheckBox* ControlHost::AddCheck(int id, const std::string& text) { return Made(new QCheckBox(&self_), id, &text); }

QRadioButton* ControlHost::AddRadio(int id, const std::string& text, RadioStart start)
{
    auto* radio = Made(new QRadioButton(&self_), id, &text);
    if (start == kNewGroup || radioGroups_.empty()) {
        RadioGroup group;
        group.buttons = new QButtonGroup(&self_);
        radioGroups_.push_back(std::move(group));
    }
    RadioGroup& group = radioGroups_.back();
    group.buttons->addButton(radio);
    group.radios.emplace_back(radio);
    return radio;
}

QGroupBox* ControlHost::AddGroupBox(int id, const std::string& title) { return Made(new QGroupBox(&self_), id, &title); }

QComboBox* ControlHost::AddComboList(int id) { return Made(new QComboBox(&self_), id); }

QComboBox* ControlHost::AddComboEdit(int id)
{
    auto* combo = new QComboBox(&self_);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    return Made(combo, id);
}

QListWidget* ControlHost::AddListBox(int id) { return Made(new QListWidget(&self_), id); }

QTreeWidget* ControlHost::AddTree(int id)
{
    auto* tree = new QTreeWidget(&self_);
    tree->setHeaderHidden(true);
    return Made(tree, id);
}

QTreeWidget* ControlHost::AddReportList(int id)
{
    auto* list = new QTreeWidget(&self_);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionsClickable(true);
    return Made(list, id);
}

CHyperlinkCtrl* ControlHost::AddHyperlink(int id, const std::string& text)
{
    return Made(new CHyperlinkCtrl(&self_), id, &text);
}

QWidget* ControlHost::AddPlaceholder(int id, QSize size)
{
    auto* placeholder = new QWidget(&self_);
    placeholder->setFixedSize(size);
    return Made(placeholder, id);
}

bool ControlHost::ReplacePlaceholder(int placeholderId, QWidget& child, int childId)
{
    QWidget* placeholder = GetDlgItem(placeholderId);
    if (!placeholder) {
        MissingControl(placeholderId);
        return false;
    }
    QWidget* parent = placeholder->parentWidget();
    SetControlId(child, childId);
    const QSize hint = placeholder->sizeHint();
    const QSize minimum = hint.isValid() ? placeholder->minimumSize().expandedTo(hint) : placeholder->minimumSize();
    if (QLayoutItem* old = parent->layout() ? parent->layout()->replaceWidget(placeholder, &child) : nullptr) {
        delete old;
        child.setMinimumSize(minimum);
        child.setMaximumSize(placeholder->maximumSize());
        child.setSizePolicy(placeholder->sizePolicy());
    } else {
        child.setParent(parent);
        child.setGeometry(placeholder->geometry());
    }
    placeholder->hide();
    child.setVisible(true);
    return true;
}

QWidget* ControlHost::GetDlgItem(int id) const { return FindControl(self_, id); }

std::string ControlHost::GetDlgItemText(int id) const
{
    const QWidget* control = GetDlgItem(id);
    return control ? GetControlText(*control) : std::string();
}

void ControlHost::SetDlgItemText(int id, const std::string& text)
{
    if (QWidget* control = GetDlgItem(id))
        SetControlText(*control, text);
    else
        MissingControl(id);
}

void ControlHost::EnableControl(int id, bool enable)
{
    if (QWidget* control = GetDlgItem(id))
        control->setEnabled(enable);
    else
        MissingControl(id);
}

void ControlHost::ShowControl(int id, bool show)
{
    if (QWidget* control = GetDlgItem(id))
        control->setVisible(show);
    else
        MissingControl(id);
}

int ControlHost::IsDlgButtonChecked(int id) const
{
    const auto* button = Control<QAbstractButton>(id);
    if (!button)
        return 0;
    if (const auto* box = qobject_cast<const QCheckBox*>(button); box && box->checkState() == Qt::PartiallyChecked)
        return 2;
    return button->isChecked() ? 1 : 0;
}

void ControlHost::CheckDlgButton(int id, int check)
{
    auto* button = Control<QAbstractButton>(id);
    if (!button) {
        MissingControl(id);
        return;
    }
    if (auto* box = qobject_cast<QCheckBox*>(button); box && check == 2) {
        box->setTristate(true);
        box->setCheckState(Qt::PartiallyChecked);
        return;
    }
    auto* group = button->group();
    if (!check && group && group->exclusive() && button->isChecked()) {
        // An exclusive group keeps one button checked unless told otherwise for a moment.
        group->setExclusive(false);
        button->setChecked(false);
        group->setExclusive(true);
        return;
    }
    button->setChecked(check != 0);
}

const ControlHost::RadioGroup* ControlHost::GroupOf(int id, std::size_t& position) const
{
    for (const RadioGroup& group : radioGroups_) {
        for (std::size_t i = 0; i < group.radios.size(); ++i) {
            if (group.radios[i] && GetControlId(*group.radios[i]) == id) {
                position = i;
                return &group;
            }
        }
    }
    return nullptr;
}

std::vector<QRadioButton*> ControlHost::RadioGroupOf(int id) const
{
    std::size_t position = 0;
    std::vector<QRadioButton*> buttons;
    if (const RadioGroup* group = GroupOf(id, position))
        for (const auto& radio : group->radios)
            if (radio)
                buttons.push_back(radio);
    return buttons;
}

int ControlHost::GetRadioIndex(int firstId) const
{
    std::size_t first = 0;
    const RadioGroup* group = GroupOf(firstId, first);
    if (!group)
        return -1;
    for (std::size_t i = first; i < group->radios.size(); ++i)
        if (group->radios[i] && group->radios[i]->isChecked())
            return static_cast<int>(i - first);
    return -1;
}

void ControlHost::SetRadioIndex(int firstId, int index)
{
    std::size_t first = 0;
    const RadioGroup* group = GroupOf(firstId, first);
    if (!group) {
        MissingControl(firstId);
        return;
    }
    group->buttons->setExclusive(false);
    for (std::size_t i = first; i < group->radios.size(); ++i)
        if (group->radios[i])
            group->radios[i]->setChecked(index >= 0 && i - first == static_cast<std::size_t>(index));
    group->buttons->setExclusive(true);
}

bool ControlHost::UpdateData(bool saveAndValidate)
{
    DataExchange dx(*this, saveAndValidate);
    try {
        DoDataExchange(dx);
    } catch (const DataExchangeFailure&) {
        return false;
    }
    return true;
}

void ControlHost::DoDataExchange(DataExchange&) {}

void ControlHost::OnClicked(int id, std::function<void()> handler)
{
    if (auto* button = Control<QAbstractButton>(id))
        QObject::connect(button, &QAbstractButton::clicked, &self_, [handler = std::move(handler)] { handler(); });
    else
        MissingControl(id);
}

void ControlHost::OnEditChange(int id, std::function<void()> handler)
{
    QWidget* control = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        QObject::connect(edit, &QLineEdit::textChanged, &self_, [handler = std::move(handler)] { handler(); });
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(control))
        QObject::connect(multi, &QPlainTextEdit::textChanged, &self_, std::move(handler));
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable())
        QObject::connect(combo, &QComboBox::editTextChanged, &self_, [handler = std::move(handler)] { handler(); });
    else
        MissingControl(id);
}

void ControlHost::OnSelChange(int id, std::function<void()> handler)
{
    QWidget* control = GetDlgItem(id);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        QObject::connect(combo, &QComboBox::activated, &self_, [handler = std::move(handler)] { handler(); });
    else if (auto* list = qobject_cast<QListWidget*>(control))
        QObject::connect(list, &QListWidget::currentRowChanged, &self_, [handler = std::move(handler)] { handler(); });
    else if (auto* tree = qobject_cast<QTreeWidget*>(control))
        // A click makes the item current before it selects it: the handler waits for the
        // selection, which every way of choosing an item moves.
        QObject::connect(tree, &QTreeWidget::itemSelectionChanged, &self_, std::move(handler));
    else
        MissingControl(id);
}

void ControlHost::MissingControl(int id) const
{
    Trace("[ERROR] Dialog %d has no control %d", templateId_, id);
}
