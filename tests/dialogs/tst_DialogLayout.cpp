#include <QHBoxLayout>
#include <QPushButton>
#include <QtTest>

#include "DialogLayout.h"

class tst_DialogLayout : public QObject
{
    Q_OBJECT

private slots:
    void smallButtonsGrow_data()
    {
        QTest::addColumn<bool>("height");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("grown");
        QTest::newRow("10 px wide") << false << 10 << 32;
        QTest::newRow("31 px wide") << false << 31 << 32;
        QTest::newRow("32 px wide") << false << 32 << 32;
        QTest::newRow("144 px wide") << false << 144 << 144;
        QTest::newRow("23 px high") << true << 23 << 32;
        QTest::newRow("31 px high") << true << 31 << 32;
        QTest::newRow("32 px high") << true << 32 << 32;
        QTest::newRow("40 px high") << true << 40 << 40;
    }

    // Only the one side grows; left edge, top and the other side stay.
    void smallButtonsGrow()
    {
        QFETCH(bool, height);
        QFETCH(int, size);
        QFETCH(int, grown);
        QWidget dialog;
        QPushButton button(&dialog);
        if (height) {
            button.setGeometry(12, 290, 210, size);
            DialogLayout::RaiseToMinimumButtonHeight(&button);
            QCOMPARE(button.geometry(), QRect(12, 290, 210, grown));
        } else {
            button.setGeometry(40, 150, size, 23);
            DialogLayout::WidenToMinimumButtonWidth(&button);
            QCOMPARE(button.geometry(), QRect(40, 150, grown, 23));
        }
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
