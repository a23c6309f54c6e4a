#pragma once
// What dialogs and property pages share: building their controls with numeric control ids,
// radio groups, field exchange and handlers bound by control id.
//
// Controls are made as children of the dialog (or page) and placed by the caller in Qt
// layouts; each builder returns the widget, so a control is one line:
//
//   grid->addWidget(AddStatic(1139, "L'angle beta peut être négatif."), 2, 0, 1, 3);
//   grid->addWidget(AddRadio(1050, "&Est", kNewGroup), 3, 0);
//   grid->addWidget(AddRadio(1072, "&Ouest"), 3, 1);
//   OnClicked(1050, [this] { OnDeclinationChange(); });
//
// The French text given to a builder is the built-in text; the dialog base replaces it from
// the language file when the dialog opens. Radio buttons form groups in the order they are
// made: kNewGroup starts a group, and later radios join it until the next kNewGroup.
// The widgets the builders return are complete here, so that a dialog can place them in
// its layouts without further includes.
#include "app/qt/CHyperlinkCtrl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSize>
#include <QTreeWidget>

#include <functional>
#include <string>
#include <vector>

class DataExchange;
class QButtonGroup;

enum RadioStart { kSameGroup, kNewGroup };

class ControlHost {
public:
    ControlHost(QWidget& self, int templateId);
    virtual ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    int GetTemplateId() const { return templateId_; }

    // Builders. Each control is a child of this dialog or page until a layout places it.
    QLabel* AddStatic(int id, const std::string& text);
    // A static showing the bitmap resource bitmapId at its own size (empty when none).
    QLabel* AddPicture(int id, int bitmapId);
    QLineEdit* AddEdit(int id);
    QPlainTextEdit* AddMultiLineEdit(int id);
    QPushButton* AddButton(int id, const std::string& text);
    QCheckBox* AddCheck(int id, const std::string& text);
    QRadioButton* AddRadio(int id, const std::string& text, RadioStart start = kSameGroup);
    QGroupBox* AddGroupBox(int id, const std::string& title);
    // A drop-down list (no typing) and a combo box with an edit.
    QComboBox* AddComboList(int id);
    QComboBox* AddComboEdit(int id);
    QListWidget* AddListBox(int id);
    QTreeWidget* AddTree(int id);
    // A list of rows with columns (the columns are set by the caller).
    QTreeWidget* AddReportList(int id);
    CHyperlinkCtrl* AddHyperlink(int id, const std::string& text);
    // An empty, invisible area of that size that keeps a place for a custom child window
    // (ReplacePlaceholder).
    QWidget* AddPlaceholder(int id, QSize size);

    // Puts child in the place of the placeholder control: the same place in its layout (or
    // the same rectangle when it is not in one) and the same size; the placeholder is
    // hidden and child gets childId. False, and nothing changed, without that placeholder.
    bool ReplacePlaceholder(int placeholderId, QWidget& child, int childId);

    // Controls by id.
    QWidget* GetDlgItem(int id) const;
    template <typename Widget>
    Widget* Control(int id) const
    {
        return qobject_cast<Widget*>(GetDlgItem(id));
    }
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    void EnableControl(int id, bool enable);
    void ShowControl(int id, bool show);
    // Check boxes and radio buttons: 0 or 1 (2 for an undetermined check box).
    int IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, int check);

    // Radio groups: the index of the checked button counted from firstId in its group
    // (-1 when none); setting -1 (or an index past the group) unchecks them all.
    int GetRadioIndex(int firstId) const;
    void SetRadioIndex(int firstId, int index);
    // The buttons of the group holding id, in order (empty when id is no grouped radio).
    std::vector<QRadioButton*> RadioGroupOf(int id) const;

    // Field exchange: false when a field failed its check (the message has been shown).
    bool UpdateData(bool saveAndValidate = true);
    virtual void DoDataExchange(DataExchange& dx);

    // Handlers by control id, like a message map: a click on a button, check box or radio;
    // any change of an edit's text (also when the program sets it); a selection made by the
    // user in a combo box, or any change of the selected row of a list box. Nothing is
    // bound (and a trace line written) when there is no such control.
    void OnClicked(int id, std::function<void()> handler);
    void OnEditChange(int id, std::function<void()> handler);
    void OnSelChange(int id, std::function<void()> handler);

protected:
    QWidget& Self() const { return self_; }

private:
    struct RadioGroup {
        QButtonGroup* buttons = nullptr;  // owned by the dialog widget
        std::vector<QPointer<QRadioButton>> radios;
    };
    const RadioGroup* GroupOf(int id, std::size_t& position) const;
    void MissingControl(int id) const;

    QWidget& self_;
    int templateId_;
    std::vector<RadioGroup> radioGroups_;
};
