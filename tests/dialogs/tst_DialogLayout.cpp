#include <QHBoxLayout>
#include <QPushButton>
#include <QtTest>

#include "DialogLayout.h"

class tst_DialogLayout : public QObject
{
    Q_OBJECT

private slots:
    void narrowButtonsWiden_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("widened");
        QTest::newRow("10 px") << 10 << 32;
        QTest::newRow("31 px") << 31 << 32;
        QTest::newRow("32 px") << 32 << 32;
        QTest::newRow("144 px") << 144 << 144;
    }

    // Left edge, top and height stay.
    void narrowButtonsWiden()
    {
        QFETCH(int, width);
        QFETCH(int, widened);
        QWidget dialog;
        QPushButton button(&dialog);
        button.setGeometry(40, 150, width, 23);
        DialogLayout::WidenToMinimumButtonWidth(&button);
        QCOMPARE(button.geometry(), QRect(40, 150, widened, 23));
    }

    void lowButtonsRise_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("raised");
        QTest::newRow("23 px") << 23 << 32;
        QTest::newRow("31 px") << 31 << 32;
        QTest::newRow("32 px") << 32 << 32;
        QTest::newRow("240 px") << 240 << 240;
    }

    // Left edge, top and width stay.
    void lowButtonsRise()
    {
        QFETCH(int, height);
        QFETCH(int, raised);
        QWidget dialog;
        QPushButton button(&dialog);
        button.setGeometry(40, 150, 90, height);
        DialogLayout::RaiseToMinimumButtonHeight(&button);
        QCOMPARE(button.geometry(), QRect(40, 150, 90, raised));
    }

    // A button that a layout places keeps the height when laid out.
    void placedButtonsStayRaised()
    {
        QWidget dialog;
        auto* row = new QHBoxLayout(&dialog);
        auto* button = new QPushButton(QStringLiteral("OK"), &dialog);
        row->addWidget(button);
        button->setGeometry(0, 0, 90, 23);
        DialogLayout::RaiseToMinimumButtonHeight(button);
        dialog.show();
        QCOMPARE(button->height(), 32);
    }
};

QTEST_MAIN(tst_DialogLayout)
#include "tst_DialogLayout.moc"
