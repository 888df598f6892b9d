#include <QtTest>

#include "../../tools/lib/ByteMutator.h"
#include "CIniFileAccess.h"

namespace {

const QByteArray ValidText =
    "; comment\r\n"
    "[General]\r\n"
    "Name=\"Projector One\"\r\n"
    "Count=12\r\n"
    "\r\n"
    "[Section 2]\r\n"
    "Key=Value with = sign\r\n"
    "Empty=\r\n"
    "NoValue\r\n"
    "[General]\r\n"
    "Again=1\r\n";

QByteArray Bom(int kind)
{
    switch (kind) {
    case 0: return QByteArray("\xEF\xBB\xBF");
    case 1: return QByteArray("\xFF\xFE", 2);
    case 2: return QByteArray("\xFE\xFF", 2);
    case 3: return QByteArray("\xFF\xFE\x00\x00", 4);
    case 4: return QByteArray("\x00\x00\xFE\xFF", 4);
    default: return QByteArray();
    }
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray CTestRead(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// Damaged INI files: reading takes what it can, and a merging write into the
// damaged file either works or reports its failure.
class tst_CIniFileAccessRobustness : public QObject
{
    Q_OBJECT
private slots:
    void damagedFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("damaged.ini"));
        ByteMutator mutator(0x1A1u);
        for (int i = 0; i < 400; ++i) {
            QByteArray bytes;
            switch (mutator.Below(6)) {
            case 0:
                bytes = mutator.Random(600);
                break;
            case 1: // a huge line
                bytes = ValidText + QByteArray("Long=") + QByteArray(200000 + mutator.Below(1000), 'x')
                        + (mutator.Below(2) ? QByteArray("\r\n") : QByteArray());
                break;
            case 2: // NULs
                bytes = ValidText;
                for (int n = 0; n < 8; ++n)
                    bytes.insert(mutator.Below(bytes.size() + 1), '\0');
                break;
            default: {
                const QString text = QString::fromLatin1(ValidText);
                bytes = mutator.Below(2) ? ValidText : QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
                bytes = Bom(mutator.Below(7)) + mutator.Mutate(bytes, 8);
                break;
            }
            }
            QVERIFY(WriteFile(path, bytes));

            CIniFileAccess ini;
            const int read = ini.ReadIniFile(path);
            QVERIFY2(read == 0, qPrintable(QString::fromLatin1(bytes.left(64).toHex(' '))));
            QStringList sections;
            ini.GetIniSections(sections);
            for (const QString& section : sections) {
                QStringList keys;
                ini.GetIniKeys(section, keys);
                for (const QString& key : keys) {
                    QString value;
                    ini.GetIniString(section, key, QString(), &value);
                    ini.GetIniInt(section, key, 0);
                }
            }

            ini.SetIniString(QStringLiteral("Robust"), QStringLiteral("Key"), QStringLiteral("Value %1").arg(i));
            const int written = ini.WriteIniFile(path);
            QVERIFY2(written == 0 || written == 1 || written == -1,
                     qPrintable(QStringLiteral("write %1").arg(written)));
            if (written == 0) {
                CIniFileAccess back;
                QCOMPARE(back.ReadIniFile(path), 0);
                QString value;
                back.GetIniString(QStringLiteral("Robust"), QStringLiteral("Key"), QString(), &value);
                QVERIFY2(value == QStringLiteral("Value %1").arg(i),
                         qPrintable(QString::fromLatin1(bytes.toHex(' ')) + QStringLiteral(" -> ")
                                    + QString::fromLatin1(QByteArray(CTestRead(path)).toHex(' '))));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_CIniFileAccessRobustness)
#include "tst_CIniFileAccessRobustness.moc"
