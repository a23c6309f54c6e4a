#include "DialogTestSupport.h"

#include "dialogs/qt/CDlgConversionDecimale.h"
#include "platform/FakeServices.h"

#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

class DecimalConversionDialog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dialog_.Create()); }
    // Types the text into the field, one character at a time, as the user would.
    void Type(int id, const std::string& text)
    {
        auto* edit = dialog_.Control<QLineEdit>(id);
        edit->clear();
        for (const QChar c : QString::fromStdString(text))
            edit->insert(QString(c));
    }
    std::string Text(int id) const { return dialog_.GetDlgItemText(id); }
    std::vector<std::string> Components() const { return {Text(1311), Text(1312), Text(1313)}; }
    bool TimerRunning() const { return timers_->IsRunning(dialog_, CDlgConversionDecimale::kTimerId); }

    ScopedFakeServices fake_;
    ScopedFakeTimers timers_;
    dialogtest::ScopedDialogContext context_;
    CDlgConversionDecimale dialog_;
};

}  // namespace

TEST_F(DecimalConversionDialog, ComponentsConvertAtOnce)
{
    EXPECT_EQ(Text(1310), "0");
    Type(1311, "12");
    Type(1312, "24");
    Type(1313, "2");
    EXPECT_EQ(Text(1310), "12.4005555555556");
    EXPECT_NEAR(dialog_.m_decimal, 12.4005555555556, 1e-12);
    // The conversion's own writing of the decimal field starts no conversion back.
    EXPECT_FALSE(TimerRunning());

    Type(1311, "-3");
    EXPECT_EQ(Components(), (std::vector<std::string>{"3", "24", "2"}));
    Type(1312, "0");
    Type(1313, "0");
    EXPECT_EQ(Text(1310), "3");
    Type(1312, "75");
    EXPECT_EQ(Text(1312), "59");
    EXPECT_EQ(Text(1310), "3.98333333333333");
    // A field that is no number yet converts nothing.
    Type(1313, "");
    EXPECT_EQ(Text(1310), "3.98333333333333");
    EXPECT_TRUE(fake_->messageBoxes.empty());
}

TEST_F(DecimalConversionDialog, TheDecimalValueConvertsTwoSecondsAfterTheLastKey)
{
    Type(1310, "-2.5");
    EXPECT_TRUE(TimerRunning());
    EXPECT_EQ(timers_->PeriodOf(dialog_, 1004), 2000);
    timers_->Advance(1500);
    EXPECT_EQ(Components(), (std::vector<std::string>{"0", "0", "0"}));
    // Another key starts the wait again.
    Type(1310, "-2.50");
    timers_->Advance(1500);
    EXPECT_EQ(Components(), (std::vector<std::string>{"0", "0", "0"}));
    timers_->Advance(500);
    EXPECT_EQ(Components(), (std::vector<std::string>{"-2", "30", "0"}));
    EXPECT_FALSE(TimerRunning());
    EXPECT_EQ(Text(1310), "-2.5");

    // A decimal comma is read too, and 2.3 is 2° 18' exactly.
    Type(1310, "2,3");
    timers_->Advance(2000);
    EXPECT_EQ(Components(), (std::vector<std::string>{"2", "18", "0"}));
    EXPECT_EQ(Text(1310), "2.3");
    // Text that is no number converts nothing.
    Type(1310, "abc");
    timers_->Advance(2000);
    EXPECT_EQ(Components(), (std::vector<std::string>{"2", "18", "0"}));
    EXPECT_TRUE(fake_->messageBoxes.empty());
}

TEST_F(DecimalConversionDialog, ClosingKillsAPendingConversionEvenInTheMiddleOfANumber)
{
    Type(1310, "-");
    ASSERT_TRUE(TimerRunning());
    dialog_.OnOK();
    EXPECT_EQ(dialog_.GetDialogResult(), IDOK);
    EXPECT_FALSE(TimerRunning());
    EXPECT_TRUE(fake_->messageBoxes.empty());

    CDlgConversionDecimale escaped;
    ASSERT_TRUE(escaped.Create());
    Type(1310, "1");
    escaped.Control<QLineEdit>(1310)->insert("5");
    ASSERT_TRUE(timers_->IsRunning(escaped, 1004));
    escaped.OnCancel();
    EXPECT_FALSE(timers_->IsRunning(escaped, 1004));
}

TEST_F(DecimalConversionDialog, HoursChangeOnlyTheMarks)
{
    Type(1311, "12");
    const std::string decimal = Text(1310);
    EXPECT_EQ(Text(1318), "°");
    EXPECT_EQ(Text(1314), "°");
    EXPECT_EQ(Text(1315), "'");
    EXPECT_EQ(Text(1316), "\"");
    dialog_.Control<QRadioButton>(1177)->click();
    EXPECT_EQ(dialog_.m_mode, 1);
    EXPECT_EQ(Text(1318), "h");
    EXPECT_EQ(Text(1314), "h");
    EXPECT_EQ(Text(1315), "min");
    EXPECT_EQ(Text(1316), "s");
    EXPECT_EQ(Text(1310), decimal);
    EXPECT_EQ(Text(1311), "12");
    EXPECT_FALSE(TimerRunning());
    dialog_.Control<QRadioButton>(1317)->click();
    EXPECT_EQ(Text(1316), "\"");
}
