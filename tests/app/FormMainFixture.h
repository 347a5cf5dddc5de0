#pragma once

#include "app/UnitMain.h"

#include "support/QuoteDirFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace verdaxil::testing {

inline const QString kNotACode = QStringLiteral("注意：您输入的不是股票代码请重新输入！！");
inline const QString kInfo = QStringLiteral("说明性信息！");

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

    QString text(const char* name)
    {
        QWidget* widget = control(name);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            return edit->text();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
            return memo->toPlainText();
        return {};
    }

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
