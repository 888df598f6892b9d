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
};

QTEST_MAIN(tst_DialogLayout)
#include "tst_DialogLayout.moc"
