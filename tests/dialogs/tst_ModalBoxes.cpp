#include <QtTest>

#include "CLumivox5Data.h"
#include "CTestFolders.h"
#include "GuiTestSupport.h"
#include "ModalBoxes.h"
#include "ScriptedModalBoxes.h"

#include <QAbstractButton>
#include <QMessageBox>

class tst_ModalBoxes : public QObject
{
    Q_OBJECT

private:
    CTestFolders m_Folders;
    std::unique_ptr<CLumivox5Data> m_Hub;

private slots:
    void init()
    {
        m_Hub = CTestFolders::makeHub();
        QVERIFY(!m_Hub->m_ModalDialog);
    }
    void cleanup() { m_Hub.reset(); }

    void theFlagComesBackToItsPriorValue()
    {
        {
            CModalDialogFlag outer(m_Hub.get());
            QVERIFY(m_Hub->m_ModalDialog);
            {
                // A box inside a dialog keeps the dialog's flag.
                CModalDialogFlag inner(m_Hub.get());
                QVERIFY(m_Hub->m_ModalDialog);
            }
            QVERIFY(m_Hub->m_ModalDialog);
        }
        QVERIFY(!m_Hub->m_ModalDialog);
        CModalDialogFlag noHub(nullptr);
    }

    void scriptedBoxesAnswerAndAreRecorded()
    {
        ScriptedMessageBoxes script;
        script.answers << QMessageBox::Cancel;
        const QMessageBox::StandardButton first =
            CMessageBoxes::Question(nullptr, m_Hub.get(), "Title", "Proceed?", QMessageBox::Ok | QMessageBox::Cancel,
                                    QMessageBox::Cancel);
        QCOMPARE(first, QMessageBox::Cancel);
        // Out of answers: the box's default button, else Ok.
        QCOMPARE(CMessageBoxes::Question(nullptr, m_Hub.get(), "Title", "Again?", QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No),
                 QMessageBox::No);
        QCOMPARE(CMessageBoxes::Warning(nullptr, m_Hub.get(), "Title", "Careful"), QMessageBox::Ok);
        QCOMPARE(CMessageBoxes::Critical(nullptr, nullptr, "Title", "Broken"), QMessageBox::Ok);
        QCOMPARE(CMessageBoxes::Information(nullptr, m_Hub.get(), "Title", "Done"), QMessageBox::Ok);
        QCOMPARE(script.shown.size(), 5);
        QCOMPARE(script.shown.at(0).icon, QMessageBox::Question);
        QCOMPARE(script.shown.at(0).text, QStringLiteral("Proceed?"));
        QCOMPARE(script.shown.at(0).buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(script.shown.at(2).icon, QMessageBox::Warning);
        QCOMPARE(script.shown.at(3).icon, QMessageBox::Critical);
        QCOMPARE(script.shown.at(4).icon, QMessageBox::Information);
        QVERIFY(script.shown.at(0).modalFlag);
        QVERIFY(!script.shown.at(3).modalFlag); // no hub
        QVERIFY(!m_Hub->m_ModalDialog);
    }

    void aRealBoxRunsWithTheFlagSet()
    {
        GuiTestSupport::InstallEnglishCatalogue();
        bool flagWhileShown = false;
        QString textShown;
        GuiTestSupport::OnNextPopup([&](QWidget* widget) {
            flagWhileShown = m_Hub->m_ModalDialog;
            auto* box = qobject_cast<QMessageBox*>(widget);
            QVERIFY(box);
            textShown = box->text();
            box->button(QMessageBox::No)->click();
        });
        const QMessageBox::StandardButton answer = CMessageBoxes::Question(
            nullptr, m_Hub.get(), "Title", "Really?", QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        QCOMPARE(answer, QMessageBox::No);
        QVERIFY(flagWhileShown);
        QCOMPARE(textShown, QStringLiteral("Really?"));
        QVERIFY(!m_Hub->m_ModalDialog);
    }

    void scriptedFileDialogsAnswerAndAreRecorded()
    {
        ScriptedFileDialogs script;
        script.answers << CFileDialogs::Answer{"/tmp/a.lst", "UTF-16 (*.lst)"} << CFileDialogs::Answer{"/tmp/b.csv", ""}
                       << CFileDialogs::Answer{"/tmp/logs", ""};
        QString filter = "unchanged";
        QCOMPARE(CFileDialogs::GetOpenFileName(nullptr, m_Hub.get(), "Open", "/tmp/user.lst", "Lists (*.lst)", &filter),
                 QStringLiteral("/tmp/a.lst"));
        QCOMPARE(filter, QStringLiteral("UTF-16 (*.lst)"));
        QCOMPARE(CFileDialogs::GetSaveFileName(nullptr, m_Hub.get(), "Save", "/tmp", "CSV (*.csv)"),
                 QStringLiteral("/tmp/b.csv"));
        QCOMPARE(CFileDialogs::GetExistingDirectory(nullptr, m_Hub.get(), "Folder", "/tmp"), QStringLiteral("/tmp/logs"));
        // Out of answers: cancelled.
        QVERIFY(CFileDialogs::GetOpenFileName(nullptr, m_Hub.get(), "Open", "/tmp", "*").isEmpty());
        QCOMPARE(script.asked.size(), 4);
        QCOMPARE(script.asked.at(0).kind, CFileDialogs::OPEN_FILE);
        QCOMPARE(script.asked.at(0).directory, QStringLiteral("/tmp/user.lst"));
        QCOMPARE(script.asked.at(0).filter, QStringLiteral("Lists (*.lst)"));
        QCOMPARE(script.asked.at(1).kind, CFileDialogs::SAVE_FILE);
        QCOMPARE(script.asked.at(2).kind, CFileDialogs::FOLDER);
        for (const CFileDialogs::Request& request : qAsConst(script.asked))
            QVERIFY(request.modalFlag);
        QVERIFY(!m_Hub->m_ModalDialog);
    }
};

QTEST_MAIN(tst_ModalBoxes)
#include "tst_ModalBoxes.moc"
