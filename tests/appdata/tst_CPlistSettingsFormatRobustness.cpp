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
        // Element texts no writer produces.
        static const char* const texts[] = {"", "-", "99999999999999999999", "-9223372036854775809", "1e999",
                                            "nan", "-inf", "!!!", "====", "QUJD", "0000-00-00T00:00:00Z",
                                            "9999-99-99T99:99:99Z", "&amp;", "&#0;", "&#x110000;", "&undefined;",
                                            "]]>", "<![CDATA[x]]>"};
        ByteMutator mutator(0x9115u);
        int readCount = 0;
        for (int i = 0; i < 3000; ++i) {
            QByteArray bytes = valid;
            if (mutator.Below(2) == 0) {
                // Replace the text of one element.
                const int open = bytes.indexOf('>', mutator.Below(bytes.size()));
                const int close = open < 0 ? -1 : bytes.indexOf('<', open);
                if (close > open)
                    bytes.replace(open + 1, close - open - 1, texts[mutator.Below(18)]);
            }
            if (mutator.Below(3) != 0)
                bytes = mutator.Mutate(bytes, 1 + i % 10);
            if (i % 50 == 0) // deep nesting
                bytes.replace("<dict>", QByteArray("<array>").repeated(2000) + "<dict>");
            if (i % 97 == 0) // a huge value
                bytes.replace("42", QByteArray(100000, '9'));
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            QSettings::SettingsMap map;
            readCount += CPlistSettingsFormat::Read(buffer, map) ? 1 : 0;
            // What was read writes again.
            QBuffer out;
            out.open(QIODevice::WriteOnly);
            CPlistSettingsFormat::Write(out, map);
        }
        // Not every input was refused at its first byte.
        QVERIFY(readCount > 100);
    }
};

QTEST_GUILESS_MAIN(tst_CPlistSettingsFormatRobustness)
#include "tst_CPlistSettingsFormatRobustness.moc"
