#include <QtTest>

#include <pwd.h>
#include <unistd.h>

#include "LocalServerPath.h"

// The single-instance socket path, with and without the user's runtime folder.
class tst_LocalServerPath : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_Runtime.reset(new QTemporaryDir);
        m_Temp.reset(new QTemporaryDir);
        QVERIFY(m_Runtime->isValid() && m_Temp->isValid());
        QVERIFY(qputenv("TMPDIR", QFile::encodeName(m_Temp->path())));
    }

    void cleanup()
    {
        m_Runtime.reset();
        m_Temp.reset();
    }

    void inTheRuntimeFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("main program") << "Lumivox 5";
        QTest::newRow("help viewer") << "Lumivox 5 Help Viewer";
    }

    void inTheRuntimeFolder()
    {
        QFETCH(QString, name);
        QVERIFY(qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_Runtime->path())));
        QCOMPARE(LocalServerPath(name), m_Runtime->path() + "/" + name);
    }

    void withoutRuntimeFolderInTheTemporaryFolderWithTheUserId()
    {
        // Without XDG_RUNTIME_DIR Qt makes "runtime-<user>" in the temporary
        // folder its runtime folder; a file there leaves none at all.
        QVERIFY(qunsetenv("XDG_RUNTIME_DIR"));
        const passwd* user = ::getpwuid(::getuid());
        QVERIFY(user != nullptr);
        QFile blocker(m_Temp->filePath(QString("runtime-") + QString::fromLocal8Bit(user->pw_name)));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("XDG_RUNTIME_DIR not set"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a directory"));
        QCOMPARE(LocalServerPath("Lumivox 5"), m_Temp->path() + "/Lumivox 5-" + QString::number(::getuid()));
    }

    // A socket address holds 107 bytes of path: a runtime folder deeper than
    // that leaves the temporary folder.
    void aPathTooLongForAnAddressFallsBack_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("inRuntime");
        QTest::newRow("107 bytes") << 107 << true;
        QTest::newRow("108 bytes") << 108 << false;
    }

    void aPathTooLongForAnAddressFallsBack()
    {
        QFETCH(int, length);
        QFETCH(bool, inRuntime);
        const QString name = QStringLiteral("Lumivox 5");
        QString deep = m_Runtime->path() + "/";
        deep += QString(length - deep.size() - 1 - name.size(), QLatin1Char('d'));
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep)));
        const QString path = LocalServerPath(name);
        QCOMPARE(path, inRuntime ? deep + "/" + name : m_Temp->path() + "/Lumivox 5-" + QString::number(::getuid()));
        if (inRuntime)
            QCOMPARE(path.size(), length);
    }

private:
    std::unique_ptr<QTemporaryDir> m_Runtime;
    std::unique_ptr<QTemporaryDir> m_Temp;
};

QTEST_GUILESS_MAIN(tst_LocalServerPath)
#include "tst_LocalServerPath.moc"
