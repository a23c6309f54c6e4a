#pragma once
// The horizon mask of the document: its points (azimuth, height of the horizon) listed,
// added, edited, deleted and reordered, with a preview of the mask, and whether the
// azimuth-altitude graph shows it.
//
// The document's point list is changed in place (Cancel keeps the changes). When the
// document holds no point yet, the dialog starts from the file "HorizonMask.txt" of the
// install folder; once the document has points, they are shown as they are, so that
// reopening the dialog neither repeats the file's points nor loses the user's edits. A
// missing file or a wrong first line is only traced.
#include "app/qt/CTopDialog.h"

#include <memory>

class CHoravelDoc;
class CHorizonMaskPreview;
struct CHorizonPoint;

class CDlgMasqueHorizon : public CTopDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 241;

    explicit CDlgMasqueHorizon(CHoravelDoc& document, QWidget* parent = nullptr);
    ~CDlgMasqueHorizon() override;

    // Filled by the caller, read after IDOK: 1 when the mask is drawn on the graph.
    int m_showMask = 0;

    // The buttons' actions, as a click runs them.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnDeleteAll();
    void OnMoveUp();
    void OnMoveDown();

    CHorizonMaskPreview* Preview() const { return preview_.get(); }

protected:
    void OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

private:
    // Reads the file into the document's list when it holds no point.
    void LoadHorizonMask();
    void InsertItem(int row, const CHorizonPoint& point);
    // The document's list becomes the list box's points in list box order; the preview
    // is repainted.
    void SyncDocument();
    void MoveSelected(int step);

    CHoravelDoc& document_;
    std::unique_ptr<CHorizonMaskPreview> preview_;
};

// The mask dialog on the document with its show-mask flag; after OK the flag is stored in
// the document. Returns IDOK or IDCANCEL.
int EditHorizonMask(CHoravelDoc& document, QWidget* parent = nullptr);
