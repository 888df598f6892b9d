#include <QtTest>

#include "ByteMutator.h"
#include "CPlistSettingsFormat.h"

namespace {

QByteArray ValidDocument()
{
    QSettings::SettingsMap map;
    map.insert(QStringLiteral("Text"), QStringLiteral("a <b> & \"c\""));
    map.insert(QStringLiteral("Group/Int"), 42);
    map.insert(QStringLiteral("Group/Real"), 2.5);
    map.insert(QStringLiteral("Group/Flag"), true);
    map.insert(QStringLiteral("Group/Off"), false);
    map.insert(QStringLiteral("Group/Deep/Data"), QByteArray("\x00\x01\xFF", 3));
    map.insert(QStringLiteral("Group/Deep/Date"), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC));
    map.insert(QStringLiteral("List"), QVariantList{1, QStringLiteral("two"), QVariantList{3.0, true}});
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CPlistSettingsFormat::Write(buffer, map);
    return buffer.data();
}

} // namespace

// Damaged settings files: the reader refuses or reads them, never more.
class tst_CPlistSettingsFormatRobustness : public QObject
{
    Q_OBJECT
private slots:
    void mutatedDocuments()
    {
        const QByteArray valid = ValidDocument();
        {
            QBuffer buffer;
            buffer.setData(valid);
            buffer.open(QIODevice::ReadOnly);
            QSettings::SettingsMap map;
            QVERIFY(CPlistSettingsFormat::Read(buffer, map));
            QCOMPARE(map.value(QStringLiteral("Group/Int")).toInt(), 42);
        }
        ByteMutator mutator(0x9115u);
        for (int i = 0; i < 3000; ++i) {
            QByteArray bytes = mutator.Mutate(valid, 1 + i % 10);
            if (i % 50 == 0) // deep nesting
                bytes.replace("<dict>", QByteArray("<array>").repeated(2000) + "<dict>");
            if (i % 97 == 0) // a huge value
                bytes.replace("42", QByteArray(100000, '9'));
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QSettings::SettingsMap map;
            CPlistSettingsFormat::Read(buffer, map);
            // What was read writes again.
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            CPlistSettingsFormat::Write(out, map);
        }
    }
};

QTEST_GUILESS_MAIN(tst_CPlistSettingsFormatRobustness)
#include "tst_CPlistSettingsFormatRobustness.moc"
