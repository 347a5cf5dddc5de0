#include "app/FormMainFixture.h"

#include "analysis/InitialTexts.h"

#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"
#include "support/MessageBoxCatcher.h"
#include "support/QuoteDirFixture.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

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
};

class FormMainControls : public FormMainTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(FormMainControls, KindAndText)
{
    const ControlCase& expected = GetParam();
    QWidget* widget = control(expected.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), expected.className);
    EXPECT_EQ(shownText(widget), expected.text);
}

// The controls the form names, without Qt's own parts of them.
QList<QWidget*> namedControls(const QWidget& form)
{
    QList<QWidget*> controls;
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"))
            controls.append(widget);
    }
    return controls;
}

// Where a control shows: a label up to its text's ink (a caption sizes itself, and
// its closing full-width colon may run under the box it names); any other within its
// edge line, which neighbouring frames may share.
QRect shownRect(QWidget* widget)
{
    if (qobject_cast<QLabel*>(widget)) {
        const QRectF ink = QFontMetricsF(widget->font()).tightBoundingRect(shownText(widget));
        return QRect(widget->pos(), QSize(static_cast<int>(std::ceil(ink.right())), widget->height()));
    }
    // A titled group's frame starts halfway down its title.
    const int titleHalf = qobject_cast<QGroupBox*>(widget) ? widget->fontMetrics().height() / 2 : 0;
    return widget->geometry().adjusted(0, titleHalf, -1, -1);
}

// Room a caption's indicator, frame and margins take beside its text.
int chrome(const QWidget* widget)
{
    if (qobject_cast<const QRadioButton*>(widget))
        return widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth)
            + widget->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    return qobject_cast<const QPushButton*>(widget) ? 6 : 0;
}

// As a user sees the window: no control covers another, and every caption (labels,
// buttons, group titles) is whole at 100 % and 125 %, its font scaled with the window.
// Boxes scroll their texts.
TEST_F(FormMainTest, NoControlCoversAnotherAndEveryCaptionIsWhole)
{
    const QList<QWidget*> controls = namedControls(form);
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            if (a < b && a->parentWidget() == b->parentWidget()) {
                EXPECT_FALSE(shownRect(a).intersects(shownRect(b)))
                    << a->objectName().toStdString() << " and " << b->objectName().toStdString();
            }
        }
    }
    for (const qreal scale : {1.0, 1.25}) {
        for (QWidget* widget : controls) {
            if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QGroupBox*>(widget))
                continue;
            QFont font = widget->font();
            if (font.pixelSize() > 0)
                font.setPixelSize(qRound(font.pixelSize() * scale));
            else
                font.setPointSizeF(font.pointSizeF() * scale);
            const qreal room = (widget->width() - chrome(widget)) * scale;
            EXPECT_LE(QFontMetricsF(font).horizontalAdvance(shownText(widget).remove(u'&')), room)
                << widget->objectName().toStdString() << " at " << scale;
        }
    }
}

// Texts as the window stands after start-up, so the fields Clear writes show Clear's
// text, and MemMsg is the start-up query's warning. The setting boxes start with the
// texts the command lines default to.
INSTANTIATE_TEST_SUITE_P(
    Layout, FormMainControls,
    ::testing::Values(
        ControlCase{"GBBaseInfo", "QGroupBox", "基本信息"}, ControlCase{"GBHistory", "QGroupBox", "历史选股状况"},
        ControlCase{"GroupBox1", "QGroupBox", "获取当日股票推荐信息"}, ControlCase{"GBEnvironment", "QGroupBox", "环境设置"},
        ControlCase{"Label4", "QLabel", "注意：本系统目前使用的数据来源于天网远程，请在使用前安装天网远程股票交易系统！"},
        ControlCase{"stockcode", "QLineEdit", InitialTexts::kCode}, ControlCase{"BtnUp", "QPushButton", "向前(&F)"},
        ControlCase{"BtnNext", "QPushButton", "向后(&N)"}, ControlCase{"RBtnYes", "QRadioButton", "是"},
        ControlCase{"RBtnNo", "QRadioButton", "否"}, ControlCase{"StaticText15", "QLabel", "当前荐股日期："},
        ControlCase{"stockprice", "QLineEdit", "当前股价"}, ControlCase{"EdtHHigh", "QLineEdit", "历史最高股价"},
        ControlCase{"EdtLowest", "QLineEdit", "历史最低股价"}, ControlCase{"EdtSNum", "QLineEdit", "选股点数"},
        ControlCase{"ComBSelectP", "QComboBox", "历史选股点"}, ControlCase{"BtnConfirm", "QPushButton", "确定(&O)"},
        ControlCase{"BtnClear", "QPushButton", "清空(&C)"}, ControlCase{"BtnExit", "QPushButton", "退出(&X)"},
        ControlCase{"LblDate1", "QLabel", InitialTexts::kHorizon}, ControlCase{"LblUpData", "QLabel", "日内最大涨幅："},
        ControlCase{"HighestPriceinDate", "QLineEdit", "历史最大涨幅"},
        ControlCase{"EdtRiseRateinHistory", "QLineEdit", "历史最高上升比"},
        ControlCase{"EdtRiseRateinDate", "QLineEdit", "上涨比例"}, ControlCase{"Label2", "QLabel", "上涨    5%以上的几率："},
        ControlCase{"Edt5P", "QLineEdit", "上涨5%的几率"}, ControlCase{"Label7", "QLabel", "上涨  10%以上的几率："},
        ControlCase{"Edt100P", "QLineEdit", "上涨100%以上的几率"}, ControlCase{"StaticText16", "QLabel", "荐股信息保存目录："},
        ControlCase{"EdtRecomPath", "QLineEdit", InitialTexts::kRecomPath},
        ControlCase{"BtnGetRecom", "QPushButton", "获取推荐列表(&G)"}, ControlCase{"LblDate", "QLabel", "设定选股状况时间间隔："},
        ControlCase{"EdtDate", "QLineEdit", InitialTexts::kHorizon},
        ControlCase{"MemMsg", "QPlainTextEdit", "注意：您输入的不是股票代码请重新输入！！"},
        ControlCase{"EdtFee", "QLineEdit", InitialTexts::kFee}, ControlCase{"EdtYYY", "QLineEdit", InitialTexts::kQuoteDir},
        ControlCase{"EdtFileP", "QLineEdit", "D:\\Tamlorn2003\\History"}),
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
