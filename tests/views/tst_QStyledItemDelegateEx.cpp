#include <QIcon>
#include <QPixmap>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "QHeaderViewEx.h"
#include "QLineEditEx.h"
#include "QStyledItemDelegateEx.h"

namespace {

// Remembers every write and its role.
class RecordingModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    QList<QPair<QVariant, int>> writes;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override
    {
        writes.append(qMakePair(value, role));
        return QStandardItemModel::setData(index, value, role);
    }
};

// A tree view over a 2 x 2 model with the delegate installed, shown.
struct Rig {
    RecordingModel model{ 2, 2 };
    QTreeView view;
    QStyledItemDelegateEx* delegate = new QStyledItemDelegateEx(&view);

    Rig()
    {
        model.setData(model.index(0, 0), "Hall A");
        model.setData(model.index(0, 1), "second");
        model.writes.clear();
        view.setModel(&model);
        view.setItemDelegate(delegate);
        view.resize(400, 200);
        view.show();
    }
    QModelIndex cell(int row, int column) const { return model.index(row, column); }
    QLineEditEx* open(const QModelIndex& index)
    {
        view.setCurrentIndex(index);
        view.edit(index);
        return qobject_cast<QLineEditEx*>(view.indexWidget(index));
    }
};

} // namespace

class tst_QStyledItemDelegateEx : public QObject
{
    Q_OBJECT

private slots:
    void editorStartsWithCellTextAndGrabs_data();
    void editorStartsWithCellTextAndGrabs();
    void tabAndBacktabAreSwallowed_data();
    void tabAndBacktabAreSwallowed();
    void aChangeOfTheCellKeepsTheTyping();
    void enterCommitsUnderEditRole();
    void escapeClosesWithoutWriting();
    void clickOutsideCommits();
    void editorCoversTheWholeCell();
    void headerReportsBeforeItsOwnHandling();
};

void tst_QStyledItemDelegateEx::editorStartsWithCellTextAndGrabs_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cell with text") << 0 << "Hall A";
    QTest::newRow("empty cell") << 1 << "";
}

void tst_QStyledItemDelegateEx::editorStartsWithCellTextAndGrabs()
{
    QFETCH(int, row);
    QFETCH(QString, expected);
    Rig rig;
    QLineEditEx* editor = rig.open(rig.cell(row, 0));
    QVERIFY(editor);
    QCOMPARE(editor->text(), expected);
    QCOMPARE(editor->cursorPosition(), expected.size());
    QCOMPARE(QWidget::mouseGrabber(), editor);
}

void tst_QStyledItemDelegateEx::tabAndBacktabAreSwallowed_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Tab") << int(Qt::Key_Tab);
    QTest::newRow("Backtab") << int(Qt::Key_Backtab);
}

void tst_QStyledItemDelegateEx::tabAndBacktabAreSwallowed()
{
    QFETCH(int, key);
    Rig rig;
    QLineEditEx* editor = rig.open(rig.cell(0, 0));
    QVERIFY(editor);
    editor->setText("typed");
    QTest::keyClick(editor, Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::processEvents();
    QCOMPARE(rig.view.indexWidget(rig.cell(0, 0)), editor);
    QCOMPARE(editor->text(), QString("typed"));
    QCOMPARE(rig.view.currentIndex(), rig.cell(0, 0));
    QVERIFY(rig.model.writes.isEmpty());
}

// The cell changes while its editor is open (a refresh of the row): the
// editor keeps what was typed.
void tst_QStyledItemDelegateEx::aChangeOfTheCellKeepsTheTyping()
{
    Rig rig;
    QLineEditEx* editor = rig.open(rig.cell(0, 0));
    QVERIFY(editor);
    editor->setText("Hall-");
    rig.model.setData(rig.cell(0, 0), "Hall Old7");
    QCOMPARE(editor->text(), QString("Hall-"));
}

void tst_QStyledItemDelegateEx::enterCommitsUnderEditRole()
{
    Rig rig;
    QLineEditEx* editor = rig.open(rig.cell(0, 0));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "Hall B");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(rig.model.writes.size(), 1);
    QCOMPARE(rig.model.writes.first().first, QVariant(QString("Hall B")));
    QCOMPARE(rig.model.writes.first().second, int(Qt::EditRole));
    QTRY_VERIFY(!rig.view.indexWidget(rig.cell(0, 0)));
}

void tst_QStyledItemDelegateEx::escapeClosesWithoutWriting()
{
    Rig rig;
    QLineEditEx* editor = rig.open(rig.cell(0, 0));
    QVERIFY(editor);
    QTest::keyClicks(editor, "xyz");
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!rig.view.indexWidget(rig.cell(0, 0)));
    QVERIFY(rig.model.writes.isEmpty());
    QCOMPARE(rig.model.data(rig.cell(0, 0)).toString(), QString("Hall A"));
}

// The grab delivers a click elsewhere to the editor, at a position outside it.
void tst_QStyledItemDelegateEx::clickOutsideCommits()
{
    Rig rig;
    QLineEditEx* editor = rig.open(rig.cell(0, 0));
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClicks(editor, "!");
    QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, QPoint(editor->width() + 30, 5));
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QTRY_COMPARE(rig.model.writes.size(), 1);
    QCOMPARE(rig.model.writes.first().first, QVariant(QString("Hall A!")));
    QTRY_VERIFY(!rig.view.indexWidget(rig.cell(0, 0)));
}

void tst_QStyledItemDelegateEx::editorCoversTheWholeCell()
{
    Rig rig;
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    rig.model.setData(rig.cell(0, 1), QIcon(picture), Qt::DecorationRole);
    QLineEditEx* editor = rig.open(rig.cell(0, 1));
    QVERIFY(editor);
    QCOMPARE(editor->geometry(), rig.view.visualRect(rig.cell(0, 1)));
}

void tst_QStyledItemDelegateEx::headerReportsBeforeItsOwnHandling()
{
    QStandardItemModel model(1, 3);
    QTreeView view;
    QHeaderViewEx* header = new QHeaderViewEx(Qt::Horizontal, &view);
    view.setModel(&model);
    view.setHeader(header);
    header->setSectionsClickable(true);
    view.resize(400, 200);
    view.show();

    QStringList order;
    connect(header, &QHeaderViewEx::mousePress, [&](QMouseEvent* e) { order << QString("press %1").arg(e->pos().x()); });
    connect(header, &QHeaderViewEx::mouseRelease, [&](QMouseEvent*) { order << "release"; });
    connect(header, &QHeaderView::sectionPressed, [&](int) { order << "header pressed"; });
    connect(header, &QHeaderView::sectionClicked, [&](int) { order << "header clicked"; });

    const QPoint point(header->sectionPosition(1) + 5, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QCOMPARE(order, QStringList({ QString("press %1").arg(point.x()), "header pressed", "release", "header clicked" }));
}

QTEST_MAIN(tst_QStyledItemDelegateEx)
#include "tst_QStyledItemDelegateEx.moc"
