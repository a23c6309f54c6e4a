#include "dialogs/qt/CSpinButton.h"

#include "app/Formatting.h"
#include "model/Rounding.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CSpinButton::CSpinButton(QLineEdit& buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (const auto& [arrow, step] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, step = step] { Step(step); });
        column->addWidget(button);
    }
}

CSpinButton::~CSpinButton() = default;

void CSpinButton::Step(int step)
{
    const long long value = static_cast<long long>(RoundToInt(StringToDouble(buddy_.text().toStdString()))) + step;
    const long long held = std::clamp<long long>(value, minimum_, maximum_);
    buddy_.setText(QString::number(held));
}
