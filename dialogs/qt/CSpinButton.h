#pragma once
// Two small arrow buttons beside an edit (its buddy) that step the edit's whole number by
// one within a range; the edit's change handlers then run as if the user had typed it.
#include <QWidget>

class QLineEdit;

class CSpinButton : public QWidget {
    Q_OBJECT

public:
    CSpinButton(QLineEdit& buddy, int minimum, int maximum, QWidget* parent = nullptr);
    ~CSpinButton() override;

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    // The buddy's value (rounded) moved by step and held within the range.
    void Step(int step);

private:
    QLineEdit& buddy_;
    int minimum_;
    int maximum_;
};
