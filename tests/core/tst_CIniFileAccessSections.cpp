#include <QtTest>

#include "CIniFileAccess.h"

#include <QTemporaryDir>

// Listing the sections a file holds, as the user list reader does to find
// sections whatever their case.
class tst_CIniFileAccessSections : public QObject
{
    Q_OBJECT
private slots:
    void listsSectionsInFileOrderAsSpelled();
    void followsEdits();
};

void tst_CIniFileAccessSections::listsSectionsInFileOrderAsSpelled()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("a.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("stray=1\n[Header Info]\nMagicCode=x\n[setting 003]\nA=1\n[Group]\n001=\"G\"\n[SETTING 003]\nB=2\n");
    file.close();

    CIniFileAccess ini(path);
    QStringList sections;
    ini.GetIniSections(sections);
    QCOMPARE(sections, QStringList({"Header Info", "setting 003", "Group"}));
}

void tst_CIniFileAccessSections::followsEdits()
{
    CIniFileAccess ini;
    QStringList sections;
    ini.GetIniSections(sections);
    QVERIFY(sections.isEmpty());

    ini.SetIniString("One", "k", "v");
    ini.SetIniString("Two", "k", "v");
    ini.GetIniSections(sections);
    QCOMPARE(sections, QStringList({"One", "Two"}));

    ini.SetIniString("One", QString(), QString());
    ini.GetIniSections(sections);
    QCOMPARE(sections, QStringList({"Two"}));
}

QTEST_GUILESS_MAIN(tst_CIniFileAccessSections)
#include "tst_CIniFileAccessSections.moc"
