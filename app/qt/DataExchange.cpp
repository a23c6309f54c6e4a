#include "app/qt/DataExchange.h"

#include "app/Trace.h"
#include "app/Translation.h"
#include "app/qt/ControlHost.h"
#include "app/qt/DialogControls.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Substitute(std::string text, const std::string& first, const std::string& second)
{
    for (const auto& [mark, value] : {std::pair<std::string, std::string>{"%1", first}, {"%2", second}}) {
        if (const auto pos = text.find(mark); pos != std::string::npos)
            text.replace(pos, mark.size(), value);
    }
    return text;
}

}  // namespace

DataExchange::DataExchange(ControlHost& host, bool saveAndValidate) : host_(host), saving_(saveAndValidate) {}

QWidget* DataExchange::PrepareControl(int id)
{
    last_ = host_.GetDlgItem(id);
    if (!last_)
        Trace("[ERROR] Dialog %d has no control %d to exchange", host_.GetTemplateId(), id);
    return last_;
}

bool DataExchange::ParseInt(const std::string& text, int& value)
{
    std::string_view t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    if (t.empty() || t.front() == '+')
        return false;
    int parsed = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed);
    if (ec != std::errc() || end != t.data() + t.size())
        return false;
    value = parsed;
    return true;
}

bool DataExchange::ParseDouble(const std::string& text, double& value)
{
    std::string_view t = Trimmed(text);
    if (!t.empty() && t.front() == '+')
        t.remove_prefix(1);
    if (t.empty() || t.front() == '+')
        return false;
    double parsed = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), parsed, std::chars_format::general);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::string DataExchange::FormatDouble(double value)
{
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

void DataExchange::Text(int id, int& value)
{
    QWidget* control = PrepareControl(id);
    if (!control)
        return;
    if (!saving_) {
        SetControlText(*control, std::to_string(value));
    } else if (!ParseInt(GetControlText(*control), value)) {
        FailWithMessage(GetTranslatedString(61712));
    }
}

void DataExchange::Text(int id, double& value)
{
    QWidget* control = PrepareControl(id);
    if (!control)
        return;
    if (!saving_) {
        SetControlText(*control, FormatDouble(value));
    } else if (!ParseDouble(GetControlText(*control), value)) {
        FailWithMessage(GetTranslatedString(61713));
    }
}

void DataExchange::Text(int id, std::string& value)
{
    QWidget* control = PrepareControl(id);
    if (!control)
        return;
    if (saving_)
        value = GetControlText(*control);
    else
        SetControlText(*control, value);
}

void DataExchange::Check(int id, int& value)
{
    auto* box = qobject_cast<QCheckBox*>(PrepareControl(id));
    if (!box)
        return;
    if (saving_) {
        value = box->checkState() == Qt::Checked ? 1 : box->checkState() == Qt::PartiallyChecked ? 2 : 0;
        return;
    }
    if (value == 2)
        box->setTristate(true);
    box->setCheckState(value == 2 ? Qt::PartiallyChecked : value ? Qt::Checked : Qt::Unchecked);
}

void DataExchange::Radio(int firstId, int& index)
{
    if (!PrepareControl(firstId))
        return;
    if (saving_)
        index = host_.GetRadioIndex(firstId);
    else
        host_.SetRadioIndex(firstId, index);
}

void DataExchange::ComboIndex(int id, int& index)
{
    auto* combo = qobject_cast<QComboBox*>(PrepareControl(id));
    if (!combo)
        return;
    if (saving_)
        index = combo->currentIndex();
    else
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void DataExchange::ComboString(int id, std::string& text)
{
    Text(id, text);
}

void DataExchange::ListIndex(int id, int& index)
{
    auto* list = qobject_cast<QListWidget*>(PrepareControl(id));
    if (!list)
        return;
    if (saving_) {
        index = list->currentItem() && list->currentItem()->isSelected() ? list->currentRow() : -1;
    } else if (index >= 0 && index < list->count()) {
        list->setCurrentRow(index);
    } else {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
}

void DataExchange::Range(int value, int min, int max)
{
    if (saving_ && (value < min || value > max))
        FailWithMessage(Substitute(GetTranslatedString(61714), std::to_string(min), std::to_string(max)));
}

void DataExchange::Range(double value, double min, double max)
{
    if (saving_ && (value < min || value > max))
        FailWithMessage(Substitute(GetTranslatedString(61715), FormatDouble(min), FormatDouble(max)));
}

void DataExchange::MaxChars(const std::string& value, int count)
{
    if (!saving_) {
        if (auto* edit = qobject_cast<QLineEdit*>(last_))
            edit->setMaxLength(count);
        return;
    }
    if (QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())).size() > count)
        FailWithMessage(Substitute(GetTranslatedString(61716), std::to_string(count), ""));
}

void DataExchange::FailWithMessage(const std::string& message)
{
    GetServices().MessageBox(message, "", MB_OK | MB_ICONEXCLAMATION);
    Fail();
}

void DataExchange::Fail()
{
    if (last_) {
        last_->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(last_))
            edit->selectAll();
    }
    throw DataExchangeFailure{};
}
