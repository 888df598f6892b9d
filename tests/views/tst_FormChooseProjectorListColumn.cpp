#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include "CListViewColumnStatus.h"
#include "FormChooseProjectorListColumn.h"
#include "GuiTestSupport.h"
#include "ScriptedModalBoxes.h"

#include <memory>

namespace {

using Chooser = FormChooseProjectorListColumn;

// The listed titles of the built-in table as the window normalises it:
// shown columns first, then the hidden ones in key order.
const QStringList DEFAULT_ROWS = {
    "Setting Name", "Setting", "Status", "Eco Mode", "Lamp Used Hours", "Filter Used Hours", "Input Terminal",
    "MAC Address", "Serial No.", "(Projector Name)", "(Device)", "(Port)", "(Model Name)", "(Picture Blank)",
    "(Sound Mute)", "(On-screen Display)", "(Lamp2 Used Hours)", "(MAC Address2)", "(MAC Address3)",
    "(Lens Cover/Shutter)", "(User Comment)", "(Last Update)", "(Remark)"};
// The same as keys: shown ones in display order, then "|" and the hidden ones.
const char DEFAULT_LAYOUT[] = "0 1 3 5 8 12 13 15 16 17 21 | 2 4 6 7 9 10 11 14 18 19 20 22 23 24";

// A chooser over copies of the built-in table, as the main window hands it
// over: the working list in the normalised order, the defaults as built.
struct ChooserRig
{
    CListViewColumnStatus::ColumnMap current;
    CListViewColumnStatus::ColumnMap defaults;
    std::unique_ptr<Chooser> dialog;

    ChooserRig()
    {
        CListViewColumnStatus::f_MakePjListColumns(&current);
        CListViewColumnStatus::f_MakePjListColumns(&defaults);
        CListViewColumnStatus::NumberVisibleFirst(CListViewColumnStatus::SortedByDisplayIndex(current.values()));
    }
    ~ChooserRig()
    {
        dialog.reset();
        CListViewColumnStatus::DeleteColumns(&current);
        CListViewColumnStatus::DeleteColumns(&defaults);
    }

    void open()
    {
        dialog.reset(new Chooser);
        dialog->m_columnStatusList = current.values();
        dialog->m_defaultColumnStatusList = defaults.values();
        dialog->show();
    }

    template <class Widget> Widget* child(const char* name) const
    {
        return dialog->findChild<Widget*>(QString::fromLatin1(name));
    }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    QPushButton* ok() const { return child<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Ok); }
    QPushButton* cancel() const { return child<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Cancel); }
    QTreeView* list() const { return child<QTreeView>("tvDetails"); }
    QLineEdit* width() const { return child<QLineEdit>("edtWidth"); }
    QStandardItemModel* model() const { return qobject_cast<QStandardItemModel*>(list()->model()); }

    // The listed titles, hidden ones in brackets.
    QStringList rows() const
    {
        QStringList titles;
        for (int row = 0; row < model()->rowCount(); ++row) {
            const QStandardItem* item = model()->item(row, Chooser::COL_TITLE);
            titles << (item->checkState() == Qt::Checked ? item->text() : '(' + item->text() + ')');
        }
        return titles;
    }
    int rowOf(const QString& title) const
    {
        for (int row = 0; row < model()->rowCount(); ++row) {
            if (model()->item(row, Chooser::COL_TITLE)->text() == title)
                return row;
        }
        return -1;
    }
    void select(const QString& title)
    {
        const int row = rowOf(title);
        QVERIFY2(row >= 0, qPrintable(title));
        list()->setCurrentIndex(model()->index(row, Chooser::COL_TITLE));
    }
    int selectedRow() const
    {
        const QModelIndexList selected = list()->selectionModel()->selectedIndexes();
        return selected.isEmpty() ? -1 : selected.first().row();
    }
    // Which of Move Up, Move Down, Show and Hide are enabled, as "UDSH" with "-" for off.
    QString buttons() const
    {
        QString state;
        const char* names[] = {"btnMoveUp", "btnMoveDown", "btnShow", "btnHide"};
        for (int i = 0; i < 4; ++i)
            state += button(names[i])->isEnabled() ? QChar("UDSH"[i]) : QChar('-');
        return state;
    }
};

// The keys of the working list's records in display order, shown ones
// first, then "|" and the hidden ones; "gap" when the indexes are not
// exactly 0 to n - 1.
QString Layout(const QList<CListViewColumnStatus*>& records)
{
    const QList<CListViewColumnStatus*> sorted = CListViewColumnStatus::SortedByDisplayIndex(records);
    QStringList shown;
    QStringList hidden;
    for (int i = 0; i < sorted.size(); ++i) {
        if (sorted.at(i)->m_DisplayIndex != i)
            return QStringLiteral("gap at %1").arg(i);
        (sorted.at(i)->m_Visible ? shown : hidden) << QString::number(sorted.at(i)->m_ID);
    }
    return (shown + QStringList{"|"} + hidden).join(' ');
}

CListViewColumnStatus* Record(const QList<CListViewColumnStatus*>& records, int key)
{
    for (CListViewColumnStatus* record : records) {
        if (record->m_ID == key)
            return record;
    }
    return nullptr;
}

} // namespace

class tst_FormChooseProjectorListColumn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { GuiTestSupport::InstallEnglishCatalogue(); }

    void formIsFixedWithItsTextsAndTabOrder()
    {
        ChooserRig rig;
        rig.open();
        Chooser& dialog = *rig.dialog;
        QCOMPARE(dialog.objectName(), QString("FormChooseProjectorListColumn"));
        QCOMPARE(dialog.windowTitle(), QString("Choose Details"));
        QCOMPARE(dialog.size(), QSize(436, 436));
        QCOMPARE(dialog.minimumSize(), QSize(436, 436));
        QCOMPARE(dialog.maximumSize(), QSize(436, 436));
        QVERIFY(!dialog.windowIcon().isNull());
        QVERIFY(!dialog.isSizeGripEnabled());
        QVERIFY(!dialog.isModal());
        QCOMPARE(rig.child<QLabel>("lblInformation")->text(),
                 QString("Select the details you want to display for the projector list."));
        QCOMPARE(rig.child<QLabel>("lblWidth")->text(), QString("&Width of selected column (in pixels):"));
        QCOMPARE(rig.child<QLabel>("lblWidth")->buddy(), static_cast<QWidget*>(rig.width()));
        QCOMPARE(rig.width()->maxLength(), 3);
        QCOMPARE(rig.ok()->text(), QString("&OK"));
        QCOMPARE(rig.cancel()->text(), QString("&Cancel"));

        // Tab walks the list, the side buttons, the width and Default in this order.
        const QStringList chain = {"tvDetails", "btnMoveUp", "btnMoveDown", "btnShow", "btnHide", "edtWidth",
                                   "btnInit"};
        QWidget* widget = rig.list();
        for (int i = 1; i < chain.size(); ++i) {
            widget = widget->nextInFocusChain();
            while (widget->focusPolicy() == Qt::NoFocus)
                widget = widget->nextInFocusChain();
            QCOMPARE(widget->objectName(), chain.at(i));
        }

        // A language change sets the texts again.
        rig.child<QLabel>("lblInformation")->setText("stale");
        rig.ok()->setText("stale");
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&dialog, &change);
        QCOMPARE(rig.child<QLabel>("lblInformation")->text(),
                 QString("Select the details you want to display for the projector list."));
        QTRY_COMPARE(rig.ok()->text(), QString("&OK"));
        QCOMPARE(rig.cancel()->text(), QString("&Cancel"));
    }

    void buttonsStandThirtyTwoHigh_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("Move Up") << "btnMoveUp" << QRect(315, 58, 111, 32) << "Move &Up";
        QTest::newRow("Move Down") << "btnMoveDown" << QRect(315, 92, 111, 32) << "Move &Down";
        QTest::newRow("Show") << "btnShow" << QRect(315, 126, 111, 32) << "&Show";
        QTest::newRow("Hide") << "btnHide" << QRect(315, 160, 111, 32) << "&Hide";
        QTest::newRow("Default") << "btnInit" << QRect(10, 400, 111, 32) << "D&efault";
        QTest::newRow("OK and Cancel") << "buttonBox" << QRect(215, 400, 210, 32) << "";
    }

    void buttonsStandThirtyTwoHigh()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        ChooserRig rig;
        rig.open();
        QWidget* widget = rig.dialog->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        if (auto* button = qobject_cast<QPushButton*>(widget))
            QCOMPARE(button->text(), text);
    }

    void listsEveryColumnButTheIconColumns()
    {
        ChooserRig rig;
        rig.open();
        QCOMPARE(rig.rows(), DEFAULT_ROWS);
        for (int column = 0; column < Chooser::COL_COUNT; ++column)
            QCOMPARE(rig.list()->columnWidth(column), column == 0 ? 250 : 0);
        QVERIFY(rig.list()->isHeaderHidden());
        QVERIFY(!rig.list()->rootIsDecorated());
        QCOMPARE(rig.model()->item(0, Chooser::COL_TITLE)->sizeHint().height(), 17);
        for (int column = 1; column < Chooser::COL_COUNT; ++column)
            QVERIFY(!rig.model()->item(0, column)->isEnabled());
        // Status: width 100, key 8, third shown column overall.
        const int status = rig.rowOf("Status");
        QCOMPARE(rig.model()->item(status, Chooser::COL_WIDTH)->data(Chooser::ROLE_VALUE).toInt(), 100);
        QCOMPARE(rig.model()->item(status, Chooser::COL_KEY)->data(Chooser::ROLE_VALUE).toInt(), 8);
        QCOMPARE(rig.model()->item(status, Chooser::COL_DISPLAY_INDEX)->text(), QString("4"));
        QCOMPARE(rig.model()->item(status, Chooser::COL_VISIBLE)->data(Chooser::ROLE_VALUE).toBool(), true);

        // Nothing selected: the four side buttons are off, the width empty.
        QCOMPARE(rig.buttons(), QString("----"));
        QVERIFY(rig.width()->text().isEmpty());
        QVERIFY(rig.button("btnInit")->isEnabled());
        QVERIFY(rig.ok()->isEnabled());
    }

    void buttonsFollowTheSelectedRow_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("width");
        QTest::newRow("first row") << "Setting Name" << "-D-H" << "120";
        QTest::newRow("shown row") << "Status" << "UD-H" << "100";
        QTest::newRow("hidden row") << "Port" << "UDS-" << "60";
        QTest::newRow("last row") << "Remark" << "U-S-" << "200";
    }

    void buttonsFollowTheSelectedRow()
    {
        QFETCH(QString, title);
        QFETCH(QString, buttons);
        QFETCH(QString, width);
        ChooserRig rig;
        rig.open();
        rig.select(title);
        QCOMPARE(rig.buttons(), buttons);
        QCOMPARE(rig.width()->text(), width);
        // Ticking the box in the list swaps Show and Hide at once.
        QStandardItem* item = rig.model()->item(rig.rowOf(title), Chooser::COL_TITLE);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        QCOMPARE(rig.buttons().right(2), buttons.right(2) == "-H" ? QString("S-") : QString("-H"));
    }

    void movesSwapWithTheNeighbour_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("moves");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("layout");
        QTest::newRow("second row up") << "Setting" << QStringList{"btnMoveUp"} << 0
                                       << "0 1 5 3 8 12 13 15 16 17 21 | 2 4 6 7 9 10 11 14 18 19 20 22 23 24";
        QTest::newRow("up stops at the first row")
            << "Setting" << QStringList{"btnMoveUp", "btnMoveUp", "btnMoveUp"} << 0
            << "0 1 5 3 8 12 13 15 16 17 21 | 2 4 6 7 9 10 11 14 18 19 20 22 23 24";
        QTest::newRow("down") << "Status" << QStringList{"btnMoveDown", "btnMoveDown"} << 4
                              << "0 1 3 5 12 13 8 15 16 17 21 | 2 4 6 7 9 10 11 14 18 19 20 22 23 24";
        QTest::newRow("down on the last row does nothing")
            << "Remark" << QStringList{"btnMoveDown"} << 22 << DEFAULT_LAYOUT;
        QTest::newRow("a hidden column moved among the shown stays hidden")
            << "Projector Name" << QStringList{"btnMoveUp", "btnMoveUp"} << 7
            << "0 1 3 5 8 12 13 15 16 17 21 | 2 4 6 7 9 10 11 14 18 19 20 22 23 24";
    }

    void movesSwapWithTheNeighbour()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, moves);
        QFETCH(int, row);
        QFETCH(QString, layout);
        ChooserRig rig;
        rig.open();
        rig.list()->resize(rig.list()->width(), 120);
        rig.select(title);
        for (const QString& move : moves) {
            if (rig.button(qPrintable(move))->isEnabled())
                rig.button(qPrintable(move))->click();
        }
        // The moved row stays selected, in view, and the width edit refers to it.
        QCOMPARE(rig.selectedRow(), row);
        QCOMPARE(rig.model()->item(row, Chooser::COL_TITLE)->text(), title);
        const QRect shown = rig.list()->visualRect(rig.model()->index(row, 0));
        QVERIFY(rig.list()->viewport()->rect().contains(shown));
        rig.width()->setText("77");
        rig.ok()->click();
        QCOMPARE(rig.dialog->result(), 1);
        QCOMPARE(Layout(rig.dialog->m_columnStatusList), layout);
        QCOMPARE(Record(rig.dialog->m_columnStatusList, rig.model()->item(row, Chooser::COL_KEY)
                                                             ->data(Chooser::ROLE_VALUE).toInt())->m_Width, 77);
    }

    void okWritesWidthsAndVisibility_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("width");
        QTest::newRow("minus five") << "-5" << 12;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letters") << "x" << 0;
        QTest::newRow("three digits") << "250" << 250;
    }

    void okWritesWidthsAndVisibility()
    {
        QFETCH(QString, typed);
        QFETCH(int, width);
        ChooserRig rig;
        rig.open();
        rig.select("Eco Mode");
        rig.width()->setText(typed);
        rig.button("btnHide")->click();
        QCOMPARE(rig.buttons(), QString("UDS-"));
        rig.select("Remark");
        rig.button("btnShow")->click();
        rig.ok()->click();
        QCOMPARE(rig.dialog->result(), 1);
        const QList<CListViewColumnStatus*>& records = rig.dialog->m_columnStatusList;
        QCOMPARE(Layout(records), QString("0 1 3 5 8 13 15 16 17 21 24 | 2 4 6 7 9 10 11 12 14 18 19 20 22 23"));
        QCOMPARE(Record(records, 12)->m_Width, width);
        QCOMPARE(Record(records, 24)->m_Width, 200);
        // The records are the caller's own, left in display order.
        QCOMPARE(records.first(), rig.current.value(0));
        QCOMPARE(records.at(1), rig.current.value(1));
    }

    void hidingEveryListedColumnLeavesTheIconColumns()
    {
        ChooserRig rig;
        // A stored width above what the edit can hold comes back cut.
        rig.current.value(16)->m_Width = 1200;
        rig.open();
        rig.select("Input Terminal");
        QCOMPARE(rig.width()->text(), QString("999"));
        for (int row = 0; row < rig.model()->rowCount(); ++row) {
            rig.list()->setCurrentIndex(rig.model()->index(row, 0));
            if (rig.button("btnHide")->isEnabled())
                rig.button("btnHide")->click();
        }
        rig.ok()->click();
        QCOMPARE(rig.dialog->result(), 1);
        QCOMPARE(Layout(rig.dialog->m_columnStatusList),
                 QString("0 1 | 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24"));
        QCOMPARE(rig.current.value(16)->m_Width, 999);
    }

    void defaultAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("layout");
        QTest::newRow("question cancelled, OK")
            << int(QMessageBox::Cancel) << true << "0 1 5 3 8 12 13 15 16 17 21 24 | 2 4 6 7 9 10 11 14 18 19 20 22 23";
        QTest::newRow("default, OK") << int(QMessageBox::Ok) << true << DEFAULT_LAYOUT;
        QTest::newRow("default, Cancel") << int(QMessageBox::Ok) << false << "";
    }

    void defaultAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, confirm);
        QFETCH(QString, layout);
        ChooserRig rig;
        // A stored layout other than the default: Setting before Setting Name,
        // Remark shown.
        rig.current.value(24)->m_Visible = true;
        rig.open();
        rig.select("Setting");
        rig.button("btnMoveUp")->click();
        QCOMPARE(rig.selectedRow(), 0);

        ScriptedMessageBoxes boxes;
        boxes.answers << QMessageBox::StandardButton(answer);
        rig.button("btnInit")->click();
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().title, QString("Lumivox 5"));
        QCOMPARE(boxes.shown.first().text, QString("Is the detail setting set to default?"));
        QCOMPARE(boxes.shown.first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(boxes.shown.first().defaultButton, QMessageBox::Ok);
        // The width edit follows the row now selected.
        QCOMPARE(rig.width()->text(),
                 QString::number(rig.model()->item(0, Chooser::COL_WIDTH)->data(Chooser::ROLE_VALUE).toInt()));
        if (answer == QMessageBox::Ok)
            QCOMPARE(rig.rows(), DEFAULT_ROWS);
        else
            QVERIFY(rig.rows().contains("Remark"));

        (confirm ? rig.ok() : rig.cancel())->click();
        QCOMPARE(rig.dialog->result(), confirm ? 1 : 0);
        if (!confirm) {
            // The caller's records are untouched.
            QVERIFY(rig.current.value(24)->m_Visible);
            QCOMPARE(rig.current.value(3)->m_DisplayIndex, 2);
            return;
        }
        QCOMPARE(Layout(rig.dialog->m_columnStatusList), layout);
    }

    void closingKeepsTheResult_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("result");
        QTest::newRow("OK") << "OK" << 1;
        QTest::newRow("Cancel") << "Cancel" << 0;
        QTest::newRow("Escape") << "Escape" << 0;
        QTest::newRow("close button") << "close" << 0;
    }

    void closingKeepsTheResult()
    {
        QFETCH(QString, way);
        QFETCH(int, result);
        ChooserRig rig;
        rig.dialog.reset(new Chooser);
        rig.dialog->m_columnStatusList = rig.current.values();
        rig.dialog->m_defaultColumnStatusList = rig.defaults.values();
        GuiTestSupport::OnNextPopup([&](QWidget*) {
            rig.select("Status");
            rig.button("btnHide")->click();
            if (way == "OK")
                rig.ok()->click();
            else if (way == "Cancel")
                rig.cancel()->click();
            else if (way == "Escape")
                QTest::keyClick(rig.dialog.get(), Qt::Key_Escape);
            else
                rig.dialog->close();
        });
        QCOMPARE(rig.dialog->exec(), result);
        QCOMPARE(rig.current.value(8)->m_Visible, result == 0);
    }

    void iconColumnsOutOfPlaceAreLeftOutByKey()
    {
        ChooserRig rig;
        // A settings file hid the projector error column: normalised, it
        // stands among the hidden ones at 11, and the listed indexes have a gap.
        rig.current.value(0)->m_Visible = false;
        CListViewColumnStatus::NumberVisibleFirst(CListViewColumnStatus::SortedByDisplayIndex(rig.current.values()));
        QCOMPARE(rig.current.value(0)->m_DisplayIndex, 10);
        rig.current.value(0)->m_DisplayIndex = 11;
        rig.current.value(2)->m_DisplayIndex = 10;
        rig.open();
        QCOMPARE(rig.rows().size(), 23);
        QVERIFY(!rig.rows().contains("Projector Error") && !rig.rows().contains("(Projector Error)"));
        QVERIFY(!rig.rows().contains("(Communication Error)") && !rig.rows().contains("Communication Error"));
        QCOMPARE(rig.rows().at(9), QString("(Projector Name)"));
        // Moving across the gap swaps with the next listed index (12), not 11.
        rig.select("Projector Name");
        rig.button("btnMoveDown")->click();
        QCOMPARE(rig.model()->item(9, Chooser::COL_DISPLAY_INDEX)->text(), QString("10"));
        QCOMPARE(rig.model()->item(10, Chooser::COL_DISPLAY_INDEX)->text(), QString("12"));
        QSet<QString> indexes;
        for (int row = 0; row < rig.model()->rowCount(); ++row)
            indexes << rig.model()->item(row, Chooser::COL_DISPLAY_INDEX)->text();
        QCOMPARE(indexes.size(), 23);
        QVERIFY(!indexes.contains("11"));
        rig.ok()->click();
        QCOMPARE(Layout(rig.dialog->m_columnStatusList),
                 QString("1 3 5 8 12 13 15 16 17 21 | 0 2 4 6 7 9 10 11 14 18 19 20 22 23 24"));
        QVERIFY(!rig.current.value(0)->m_Visible);
        QVERIFY(rig.current.value(1)->m_Visible);
    }
};

QTEST_MAIN(tst_FormChooseProjectorListColumn)
#include "tst_FormChooseProjectorListColumn.moc"
