#include "app/FormMainFixture.h"

#include "analysis/InitialTexts.h"

#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"
#include "support/MessageBoxCatcher.h"
#include "support/QuoteDirFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

using namespace testing;

TEST_F(FormMainTest, FirstActivationQueriesThePrompt)
{
    EXPECT_EQ(text("stockcode"), QStringLiteral("请输入股票代码"));
    EXPECT_EQ(control<QLineEdit>("stockcode")->selectedText(), QStringLiteral("请输入股票代码"));
    EXPECT_EQ(QApplication::focusWidget(), control("stockcode"));
    EXPECT_EQ(text("MemMsg"), kNotACode);
    EXPECT_EQ(text("LblCDate"), QStringLiteral("当前荐股日期"));
    EXPECT_FALSE(control("RBtnYes")->isEnabled());
    EXPECT_FALSE(control<QRadioButton>("RBtnNo")->isChecked());
}

TEST_F(FormMainTest, WindowFrame)
{
    EXPECT_EQ(form.objectName(), QStringLiteral("FormMain"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("FormMain"));
    EXPECT_EQ(form.size(), QSize(603, 405));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowCloseButtonHint);
}

struct ControlCase {
    const char* name;
    const char* className;
    QString text;
    QRect geometry;
};

class FormMainControls : public FormMainTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(FormMainControls, KindTextAndPlace)
{
    const ControlCase& expected = GetParam();
    QWidget* widget = control(expected.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), expected.className);
    // Labels size themselves to their captions; only the notice line keeps its size.
    const bool sizesItself = qobject_cast<QLabel*>(widget) && widget->objectName() != QStringLiteral("Label4");
    if (sizesItself)
        EXPECT_EQ(widget->pos(), expected.geometry.topLeft());
    else
        EXPECT_EQ(widget->geometry(), expected.geometry);
    QString shown;
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        shown = box->title();
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        shown = button->text();
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        shown = combo->currentText();
    else
        shown = text(expected.name);
    EXPECT_EQ(shown, expected.text);
}

// Texts as the window stands after start-up, so the fields Clear writes show Clear's
// text, and MemMsg is the start-up query's warning. The setting boxes start with the
// texts the command lines default to.
INSTANTIATE_TEST_SUITE_P(
    Layout, FormMainControls,
    ::testing::Values(ControlCase{"GBBaseInfo", "QGroupBox", "基本信息", {16, 24, 281, 233}},
                      ControlCase{"GBHistory", "QGroupBox", "历史选股状况", {305, 24, 281, 233}},
                      ControlCase{"GroupBox1", "QGroupBox", "获取当日股票推荐信息", {16, 256, 569, 49}},
                      ControlCase{"GBEnvironment", "QGroupBox", "环境设置", {16, 303, 569, 69}},
                      ControlCase{"Label4",
                                  "QLabel",
                                  "注意：本系统目前使用的数据来源于天网远程，请在使用前安装天网远程股票交易系统！",
                                  {16, 376, 553, 17}},
                      ControlCase{"stockcode", "QLineEdit", InitialTexts::kCode, {79, 26, 90, 21}},
                      ControlCase{"BtnUp", "QPushButton", "向前(&F)", {177, 11, 73, 25}},
                      ControlCase{"BtnNext", "QPushButton", "向后(&N)", {177, 43, 73, 25}},
                      ControlCase{"RBtnYes", "QRadioButton", "是", {79, 54, 41, 17}},
                      ControlCase{"RBtnNo", "QRadioButton", "否", {135, 54, 41, 17}},
                      ControlCase{"StaticText15", "QLabel", "当前荐股日期：", {7, 76, 88, 17}},
                      ControlCase{"stockprice", "QLineEdit", "当前股价", {82, 94, 90, 21}},
                      ControlCase{"EdtHHigh", "QLineEdit", "历史最高股价", {82, 120, 89, 21}},
                      ControlCase{"EdtLowest", "QLineEdit", "历史最低股价", {83, 145, 89, 21}},
                      ControlCase{"EdtSNum", "QLineEdit", "选股点数", {83, 170, 65, 21}},
                      ControlCase{"ComBSelectP", "QComboBox", "历史选股点", {171, 170, 94, 21}},
                      ControlCase{"BtnConfirm", "QPushButton", "确定(&O)", {19, 198, 73, 25}},
                      ControlCase{"BtnClear", "QPushButton", "清空(&C)", {103, 198, 73, 25}},
                      ControlCase{"BtnExit", "QPushButton", "退出(&X)", {187, 198, 73, 25}},
                      ControlCase{"LblDate1", "QLabel", InitialTexts::kHorizon, {23, 24, 12, 13}},
                      ControlCase{"LblUpData", "QLabel", "日内最大涨幅：", {47, 24, 84, 13}},
                      ControlCase{"HighestPriceinDate", "QLineEdit", "历史最大涨幅", {135, 24, 92, 21}},
                      ControlCase{"EdtRiseRateinHistory", "QLineEdit", "历史最高上升比", {135, 51, 93, 21}},
                      ControlCase{"EdtRiseRateinDate", "QLineEdit", "上涨比例", {135, 78, 92, 21}},
                      ControlCase{"Label2", "QLabel", "上涨    5%以上的几率：", {9, 109, 122, 13}},
                      ControlCase{"Edt5P", "QLineEdit", "上涨5%的几率", {135, 105, 93, 21}},
                      ControlCase{"Label7", "QLabel", "上涨  10%以上的几率：", {9, 137, 122, 13}},
                      ControlCase{"Edt100P", "QLineEdit", "上涨100%以上的几率", {135, 187, 93, 21}},
                      ControlCase{"StaticText16", "QLabel", "荐股信息保存目录：", {8, 22, 112, 17}},
                      ControlCase{"EdtRecomPath", "QLineEdit", InitialTexts::kRecomPath, {120, 18, 329, 21}},
                      ControlCase{"BtnGetRecom", "QPushButton", "获取推荐列表(&G)", {456, 15, 105, 25}},
                      ControlCase{"LblDate", "QLabel", "设定选股状况时间间隔：", {8, 18, 132, 13}},
                      ControlCase{"EdtDate", "QLineEdit", InitialTexts::kHorizon, {139, 14, 57, 21}},
                      ControlCase{"MemMsg", "QPlainTextEdit", "注意：您输入的不是股票代码请重新输入！！", {288, 10, 145, 23}},
                      ControlCase{"EdtFee", "QLineEdit", InitialTexts::kFee, {456, 32, 73, 21}},
                      ControlCase{"EdtYYY", "QLineEdit", InitialTexts::kQuoteDir, {69, 39, 100, 21}},
                      ControlCase{"EdtFileP", "QLineEdit", "D:\\Tamlorn2003\\History", {296, 37, 137, 21}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormMainTest, ReadOnlyBoxes)
{
    for (const char* name : {"stockprice", "EdtHHigh", "EdtLowest", "HighestPriceinDate", "EdtRiseRateinHistory",
                             "EdtRiseRateinDate", "Edt5P", "Edt10P", "Edt50P", "Edt100P"})
        EXPECT_TRUE(control<QLineEdit>(name)->isReadOnly()) << name;
    for (const char* name : {"stockcode", "EdtSNum", "EdtRecomPath", "EdtDate", "EdtFee", "EdtYYY", "EdtFileP"})
        EXPECT_FALSE(control<QLineEdit>(name)->isReadOnly()) << name;
    EXPECT_FALSE(control<QPlainTextEdit>("MemMsg")->isReadOnly());
}

TEST_F(FormMainTest, TabVisitsTheControlsInOrderAndWraps)
{
    const QStringList order = {"stockprice",
                               "EdtHHigh",
                               "EdtLowest",
                               "BtnConfirm",
                               "BtnClear",
                               "BtnUp",
                               "BtnNext",
                               "BtnExit",
                               "EdtSNum",
                               "ComBSelectP",
                               "HighestPriceinDate",
                               "EdtRiseRateinDate",
                               "EdtRiseRateinHistory",
                               "Edt5P",
                               "Edt10P",
                               "Edt50P",
                               "Edt100P",
                               "EdtYYY",
                               "EdtDate",
                               "MemMsg",
                               "EdtFileP",
                               "EdtFee",
                               "BtnGetRecom",
                               "EdtRecomPath",
                               "stockcode"};
    for (const QString& expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget()->objectName(), expected);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("EdtRecomPath"));
}

TEST_F(FormMainTest, ClearRestoresResultsAndLeavesInputs)
{
    for (const char* name : {"stockprice", "EdtHHigh", "EdtLowest", "MemMsg", "HighestPriceinDate", "EdtRiseRateinHistory",
                             "Edt5P", "Edt10P", "Edt50P", "Edt100P", "EdtRiseRateinDate", "EdtSNum", "stockcode", "EdtYYY",
                             "EdtDate", "EdtFee", "EdtFileP", "EdtRecomPath"})
        setText(name, QStringLiteral("typed"));
    form.BtnClearClick(nullptr);

    const std::pair<const char*, const char*> cleared[] = {
        {"stockprice", "当前股价"},        {"EdtHHigh", "历史最高股价"},           {"EdtLowest", "历史最低股价"},
        {"MemMsg", "说明性信息！"},        {"HighestPriceinDate", "历史最大涨幅"}, {"EdtRiseRateinHistory", "历史最高上升比"},
        {"Edt5P", "上涨5%的几率"},         {"Edt10P", "上涨10%以上的几率"},        {"Edt50P", "上涨50%以上的几率"},
        {"Edt100P", "上涨100%以上的几率"}, {"EdtRiseRateinDate", "上涨比例"},      {"EdtSNum", "选股点数"},
        {"LblCDate", "当前荐股日期"}};
    for (const auto& [name, placeholder] : cleared)
        EXPECT_EQ(text(name), QString::fromUtf8(placeholder)) << name;
    for (const char* name : {"stockcode", "EdtYYY", "EdtDate", "EdtFee", "EdtFileP", "EdtRecomPath", "LblDate1"})
        EXPECT_EQ(text(name), QStringLiteral("typed")) << name;
}

TEST_F(FormMainTest, ClearButtonAndItsAcceleratorLeaveTheFocus)
{
    setText("EdtSNum", QStringLiteral("3"));
    QTest::keyClick(&form, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(text("EdtSNum"), QStringLiteral("选股点数"));
    EXPECT_EQ(QApplication::focusWidget(), control("stockcode"));

    setText("EdtSNum", QStringLiteral("3"));
    QTest::mouseClick(control("BtnClear"), Qt::LeftButton);
    EXPECT_EQ(text("EdtSNum"), QStringLiteral("选股点数"));
}

TEST_F(FormMainTest, IntervalMirror)
{
    auto* date = control<QLineEdit>("EdtDate");
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("4"));
    EXPECT_EQ(text("LblDate1"), QStringLiteral("4"));
    QTest::keyClicks(date, QStringLiteral("5x"));
    EXPECT_EQ(text("LblDate1"), QStringLiteral("45x"));
    EXPECT_EQ(text("LblDate2"), QStringLiteral("45x"));
    date->clear();
    EXPECT_EQ(text("LblDate1"), QString());
    EXPECT_EQ(text("LblDate2"), QString());
}

TEST_F(FormMainTest, FocusEnteringTheCodeBoxRunsTheQuery)
{
    useQuoteDirWith600000();
    setText("stockcode", QStringLiteral("600000"));

    control("EdtSNum")->setFocus();
    QTest::mouseClick(control("stockcode"), Qt::LeftButton);
    EXPECT_EQ(text("MemMsg"), kInfo);

    setText("MemMsg", QStringLiteral("marker"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(text("MemMsg"), kInfo);
    EXPECT_EQ(control<QLineEdit>("stockcode")->selectedText(), QStringLiteral("600000"));
}

TEST_F(FormMainTest, FocusComingBackWithTheWindowRunsNothing)
{
    setText("MemMsg", QStringLiteral("marker"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), control("stockcode"));
    EXPECT_EQ(text("MemMsg"), QStringLiteral("marker"));
}

TEST_F(FormMainTest, BadFeeShowsTheErrorBoxOnceAndChangesNothing)
{
    useQuoteDirWith600000();
    setText("stockcode", QStringLiteral("600000"));
    setText("MemMsg", QStringLiteral("marker"));
    setText("EdtFee", QStringLiteral("abc"));

    MessageBoxCatcher catcher;
    QTest::mouseClick(control("BtnConfirm"), Qt::LeftButton);
    ASSERT_EQ(catcher.count(), 1);
    EXPECT_EQ(catcher.last().text, errorBoxText(ConversionError(QStringLiteral("abc")).message()));
    EXPECT_EQ(catcher.last().title, QStringLiteral("Verdaxil"));
    EXPECT_EQ(catcher.last().icon, QMessageBox::Critical);
    EXPECT_EQ(catcher.last().buttonCount, 1);
    EXPECT_TRUE(catcher.last().applicationModal);
    EXPECT_EQ(text("MemMsg"), QStringLiteral("marker"));

    // The focus going back to the code box runs the query, which fails again; once the
    // box closes the focus only returns, and no second box follows.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(control("stockcode"), Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(catcher.count(), 2);

    setText("EdtFee", QString());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(control("BtnConfirm"), Qt::LeftButton);
    EXPECT_EQ(catcher.last().text, errorBoxText(ConversionError(QString()).message()));

    setText("EdtFee", QStringLiteral("5"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::mouseClick(control("BtnConfirm"), Qt::LeftButton);
    EXPECT_EQ(catcher.count(), 3); // the empty fee's box; the fee of 5 raises none
    EXPECT_EQ(text("MemMsg"), kInfo);
}

TEST_F(FormMainTest, TypingLimitsDoNotCutProgramTexts)
{
    auto* code = control<QLineEdit>("stockcode");
    EXPECT_EQ(code->text().size(), 7); // the prompt, written by the program
    QTest::keyClick(code, Qt::Key_End);
    QTest::keyClicks(code, QStringLiteral("8"));
    EXPECT_EQ(code->text(), QStringLiteral("请输入股票代码"));
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(code->text(), QStringLiteral("请输入股票代"));

    code->clear();
    QTest::keyClicks(code, QStringLiteral("6000001"));
    EXPECT_EQ(code->text(), QStringLiteral("600000"));

    auto* fee = control<QLineEdit>("EdtFee");
    fee->setFocus();
    fee->clear();
    QTest::keyClicks(fee, QStringLiteral("123"));
    EXPECT_EQ(fee->text(), QStringLiteral("12"));
}

TEST_F(FormMainTest, ExitButtonDoesNothing)
{
    setText("MemMsg", QStringLiteral("marker"));
    QTest::mouseClick(control("BtnExit"), Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_X, Qt::AltModifier);
    QTest::qWait(150);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(text("MemMsg"), QStringLiteral("marker"));
}

} // namespace
} // namespace verdaxil
