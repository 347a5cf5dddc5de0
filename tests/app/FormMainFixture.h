#pragma once

#include "app/UnitMain.h"

#include "support/QuoteDirFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace verdaxil::testing {

inline const QString kNotACode = QStringLiteral("注意：您输入的不是股票代码请重新输入！！");
inline const QString kInfo = QStringLiteral("说明性信息！");

// What a control shows: a group's title, a button's caption, a box's text.
inline QString shownText(QWidget* widget)
{
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return memo->toPlainText();
    return {};
}

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    template <class Widget = QWidget>
    Widget* control(const char* name)
    {
        auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString text(const char* name) { return shownText(control(name)); }

    void setText(const char* name, const QString& value)
    {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control(name)))
            memo->setPlainText(value);
        else
            control<QLineEdit>(name)->setText(value);
    }

    void useQuoteDirWith600000()
    {
        quotes.addDayFile(Market::Shanghai, QStringLiteral("600000"), {sampleRecord(0)});
        setText("EdtYYY", quotes.quoteDir());
    }

    QuoteDirFixture quotes;
    TFormMain form;
};

} // namespace verdaxil::testing
