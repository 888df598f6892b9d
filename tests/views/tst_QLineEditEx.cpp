#include <QKeyEvent>
#include <QSignalSpy>
#include <QtTest>

#include "GuiTestSupport.h"
#include "QLineEditEx.h"

namespace {

// Counts the Enter key presses that reach a widget.
class EnterCounter : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter)
            ++count;
        return false;
    }
};

} // namespace

class tst_QLineEditEx : public QObject
{
    Q_OBJECT

private slots:
    void keepsFirstLine_data();
    void keepsFirstLine();
    void insertedLinesAreCut();
    void releasePosition_data();
    void releasePosition();
    void laterFocusLossPostsNothing();
    void focusLossWhileGrabbingEndsEdit();
    void focusLossWithoutGrabPostsNothing();
    void grabEndsWithHideAndDestruction_data();
    void grabEndsWithHideAndDestruction();
};

void tst_QLineEditEx::keepsFirstLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("changes");
    QTest::newRow("two lines") << "first\nsecond" << "first" << 2;
    QTest::newRow("leading line feed") << "\nabc" << "" << 2;
    QTest::newRow("carriage return stays") << "a\r\nb" << "a\r" << 2;
    QTest::newRow("one line, one change") << "plain" << "plain" << 1;
}

void tst_QLineEditEx::keepsFirstLine()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(int, changes);
    QLineEditExBase edit;
    QSignalSpy changed(&edit, &QLineEdit::textChanged);
    edit.setText(text);
    QCOMPARE(edit.text(), expected);
    QCOMPARE(changed.count(), changes);
}

// Pasted text arrives through insert, like typing.
void tst_QLineEditEx::insertedLinesAreCut()
{
    QLineEditEx edit;
    edit.setText("ab");
    edit.setCursorPosition(1);
    edit.insert("X\nY");
    QCOMPARE(edit.text(), QString("aX"));
}

// The edit is 100 x 20 pixels.
void tst_QLineEditEx::releasePosition_data()
{
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("endsEdit");
    QTest::newRow("inside") << QPoint(50, 10) << false;
    QTest::newRow("x exactly at the width") << QPoint(100, 10) << false;
    QTest::newRow("y exactly at the height") << QPoint(50, 20) << false;
    QTest::newRow("right of it") << QPoint(101, 10) << true;
    QTest::newRow("below it") << QPoint(50, 21) << true;
    QTest::newRow("left of it") << QPoint(-1, 10) << true;
    QTest::newRow("above it") << QPoint(50, -1) << true;
}

void tst_QLineEditEx::releasePosition()
{
    QFETCH(QPoint, position);
    QFETCH(bool, endsEdit);
    QLineEditEx edit;
    edit.resize(100, 20);
    EnterCounter enters;
    edit.installEventFilter(&enters);
    edit.grabMouse();
    QTest::mouseRelease(&edit, Qt::LeftButton, Qt::NoModifier, position);
    QCoreApplication::processEvents();
    QCOMPARE(enters.count, endsEdit ? 1 : 0);
    QCOMPARE(QWidget::mouseGrabber() == &edit, !endsEdit);
    edit.releaseMouse();
}

void tst_QLineEditEx::laterFocusLossPostsNothing()
{
    QLineEditEx edit;
    edit.resize(100, 20);
    EnterCounter enters;
    edit.installEventFilter(&enters);
    edit.grabMouse();
    QTest::mouseRelease(&edit, Qt::LeftButton, Qt::NoModifier, QPoint(-1, 5));
    GuiTestSupport::SendFocus(&edit, QEvent::FocusOut);
    QCoreApplication::processEvents();
    QCOMPARE(enters.count, 1);
}

void tst_QLineEditEx::focusLossWhileGrabbingEndsEdit()
{
    QLineEditEx edit;
    EnterCounter enters;
    edit.installEventFilter(&enters);
    edit.grabMouse();
    GuiTestSupport::SendFocus(&edit, QEvent::FocusOut);
    QCOMPARE(enters.count, 0); // posted, not sent
    QCoreApplication::processEvents();
    QCOMPARE(enters.count, 1);
    QVERIFY(QWidget::mouseGrabber() != &edit);
}

void tst_QLineEditEx::focusLossWithoutGrabPostsNothing()
{
    QLineEditEx edit;
    EnterCounter enters;
    edit.installEventFilter(&enters);
    GuiTestSupport::SendFocus(&edit, QEvent::FocusOut);
    QCoreApplication::processEvents();
    QCOMPARE(enters.count, 0);
}

void tst_QLineEditEx::grabEndsWithHideAndDestruction_data()
{
    QTest::addColumn<bool>("destroy");
    QTest::newRow("hidden") << false;
    QTest::newRow("destroyed") << true;
}

void tst_QLineEditEx::grabEndsWithHideAndDestruction()
{
    QFETCH(bool, destroy);
    QWidget window;
    QLineEditEx* edit = new QLineEditEx(&window);
    window.show();
    edit->grabMouse();
    QWidget* grabber = edit;
    if (destroy) {
        // Qt lets go of a dead widget's grab only after its destroyed signal,
        // whose handlers (the view closing its editor) must find it gone.
        QObject::connect(edit, &QObject::destroyed, [&grabber] { grabber = QWidget::mouseGrabber(); });
        delete edit;
    } else {
        edit->hide();
        grabber = QWidget::mouseGrabber();
    }
    QCOMPARE(grabber, nullptr);
}

QTEST_MAIN(tst_QLineEditEx)
#include "tst_QLineEditEx.moc"
