#include "app/FormMainFixture.h"

#include "app/QueryDisplay.h"
#include "support/TextWindow.h"
#include "tools/DemoQuotes.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>

namespace verdaxil {
namespace {

using namespace testing;

const QString kTableFileMissing = QStringLiteral("注意：对应文件丢失，请检查系统状况是否稳定，然后重新再试！");

class FormMainCommands : public FormMainTest {
protected:
    void SetUp() override
    {
        FormMainTest::SetUp();
        writeDemoQuoteDir(quotes.quoteDir());
        setText("EdtYYY", quotes.quoteDir());
    }

    // What the query command shows for a code on a window in Clear's state.
    TextWindow expectedFor(const QString& code)
    {
        TextWindow expected;
        expected.setText(Control::EdtYYY, quotes.quoteDir());
        expected.setText(Control::EdtDate, text("EdtDate"));
        expected.setText(Control::stockcode, code);
        runQueryCommand(expected);
        return expected;
    }

    void expectShows(const TextWindow& expected)
    {
        for (QueryField field : kQueryFields)
            EXPECT_EQ(text(controlName(controlOf(field))), expected.text(controlOf(field))) << controlName(controlOf(field));
        for (Control radio : {Control::RBtnYes, Control::RBtnNo}) {
            EXPECT_EQ(control<QRadioButton>(controlName(radio))->isChecked(), expected.radio(radio).checked);
            EXPECT_EQ(control(controlName(radio))->isEnabled(), expected.radio(radio).enabled);
        }
    }

    void expectClearsState()
    {
        for (QueryField field : kQueryFields) {
            if (field != QueryField::Message) {
                EXPECT_EQ(text(controlName(controlOf(field))), placeholderText(field)) << controlName(controlOf(field));
            }
        }
        EXPECT_FALSE(control("RBtnYes")->isEnabled());
        EXPECT_FALSE(control<QRadioButton>("RBtnNo")->isChecked());
    }

    static int openDescriptors() { return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).count()); }
};

TEST_F(FormMainCommands, StepButtonsWalkNeighbouringCodesAndQueryEach)
{
    setText("stockcode", QStringLiteral("600001"));
    QTest::mouseClick(control("BtnUp"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("600000"));
    expectShows(expectedFor(QStringLiteral("600000")));
    EXPECT_EQ(QApplication::focusWidget(), control("BtnUp"));

    QTest::mouseClick(control("BtnUp"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("599999"));
    EXPECT_EQ(text("MemMsg"), kNotACode);
    expectClearsState();

    QTest::mouseClick(control("BtnNext"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("600000"));
    expectShows(expectedFor(QStringLiteral("600000")));
}

TEST_F(FormMainCommands, StepAcceleratorsLeaveTheFocusWhereItWas)
{
    control("EdtFee")->setFocus();
    setText("stockcode", QStringLiteral("000003"));
    QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
    QTRY_COMPARE(text("stockcode"), QStringLiteral("000002"));
    expectShows(expectedFor(QStringLiteral("000002")));

    QTest::keyClick(&form, Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(text("stockcode"), QStringLiteral("000003"));
    EXPECT_EQ(text("MemMsg"), kNotACode);
    EXPECT_EQ(QApplication::focusWidget(), control("EdtFee"));
}

TEST_F(FormMainCommands, ThePromptStepsToItsNeighbourAndBack)
{
    QTest::mouseClick(control("BtnUp"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("请输汝股票代码"));
    EXPECT_EQ(text("MemMsg"), kNotACode);
    QTest::mouseClick(control("BtnNext"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("请输入股票代码")); // written whole, never cut to six
}

TEST_F(FormMainCommands, WrapsAroundAtBothEnds)
{
    setText("stockcode", QStringLiteral("000000"));
    QTest::mouseClick(control("BtnUp"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("999999"));
    QTest::mouseClick(control("BtnNext"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("000000"));
    setText("stockcode", QStringLiteral("6000001"));
    QTest::mouseClick(control("BtnUp"), Qt::LeftButton);
    EXPECT_EQ(text("stockcode"), QStringLiteral("5999991"));
}

TEST_F(FormMainCommands, AStepThatBreaksACharacterShowsWhatTheDecoderMakesOfIt)
{
    setText("stockcode", QStringLiteral("1234丂")); // 丂 is 81 40: the step leaves 81 3F
    QTest::mouseClick(control("BtnUp"), Qt::LeftButton);
    EXPECT_TRUE(text("stockcode").startsWith(QStringLiteral("1234")));
    EXPECT_TRUE(text("stockcode").endsWith(QStringLiteral("?")));
    EXPECT_EQ(text("MemMsg"), kNotACode);
}

// Each query shows exactly what the query command computes, whatever the previous
// query left in the window.
TEST_F(FormMainCommands, QueriesThroughTheButtonAndTheFocusShowEachSecurity)
{
    setText("EdtDate", QStringLiteral("45"));
    for (int round = 0; round < 2; ++round) {
        for (const DemoSecurity& security : demoSecurities()) {
            const QString code = QLatin1String(security.code);
            setText("stockcode", code);
            if (round == 0) {
                QTest::mouseClick(control("BtnConfirm"), Qt::LeftButton);
            } else {
                control("EdtSNum")->setFocus();
                QTest::mouseClick(control("stockcode"), Qt::LeftButton);
            }
            expectShows(expectedFor(code));
            EXPECT_EQ(text("MemMsg"), kInfo) << code.toStdString();
            EXPECT_NE(text("LblCDate"), placeholderText(QueryField::Date)) << code.toStdString();
        }
    }
}

TEST_F(FormMainCommands, RecommendationListWithBothTableFilesChangesNothing)
{
    setText("MemMsg", QStringLiteral("marker"));
    QTest::mouseClick(control("BtnGetRecom"), Qt::LeftButton);
    EXPECT_EQ(text("MemMsg"), QStringLiteral("marker"));
}

// The one-line memo cuts its warnings; hovering shows them whole.
TEST_F(FormMainCommands, EveryTextTheCommandsWriteIsAlsoItsTooltip)
{
    setText("stockcode", QStringLiteral("abc"));
    QTest::mouseClick(control("BtnConfirm"), Qt::LeftButton);
    EXPECT_EQ(control("MemMsg")->toolTip(), kNotACode);
    setText("stockcode", QStringLiteral("600000"));
    QTest::mouseClick(control("BtnConfirm"), Qt::LeftButton);
    for (const char* name : {"MemMsg", "EdtHHigh", "EdtSNum", "Edt5P", "LblCDate"})
        EXPECT_EQ(control(name)->toolTip(), text(name)) << name;
}

class MissingTableFile : public FormMainCommands, public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingTableFile, IsReportedAndLeavesNoFileOpen)
{
    ASSERT_TRUE(QFile::remove(quotes.localPath(QString::fromLatin1(GetParam()))));
    setText("MemMsg", QStringLiteral("marker"));
    QTest::keyClick(&form, Qt::Key_G, Qt::AltModifier);
    QTRY_COMPARE(text("MemMsg"), kTableFileMissing);

    const int before = openDescriptors();
    for (int press = 0; press < 50; ++press)
        form.BtnGetRecomClick(nullptr);
    EXPECT_EQ(openDescriptors(), before);
}

INSTANTIATE_TEST_SUITE_P(Files, MissingTableFile, ::testing::Values("data/shase/shacdp.dat", "data/sznse/szncdp.dat"));

} // namespace
} // namespace verdaxil
