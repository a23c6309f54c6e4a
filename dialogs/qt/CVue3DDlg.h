#pragma once
// The 3D view dialog: an empty framed view area and two track bars (declination and
// inclination) that nothing reads yet. Its texts are its own French texts: the language
// file does not translate it.
#include "app/qt/CDialogBase.h"

#include <memory>

class C3DViewWnd;
class QSlider;

class CVue3DDlg : public CDialogBase {
    Q_OBJECT

public:
    static constexpr int IDD = 246;
    static constexpr int kViewId = 2001;

    explicit CVue3DDlg(QWidget* parent = nullptr);
    ~CVue3DDlg() override;

    C3DViewWnd* GetView() const { return view_.get(); }

protected:
    // Places the view over its placeholder; ends the dialog with Cancel when it cannot.
    void OnInitDialog() override;

private:
    QSlider* AddTrackBar(int id);

    std::unique_ptr<C3DViewWnd> view_;
};
