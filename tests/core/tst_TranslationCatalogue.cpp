#include <QtTest>

#include "CLanguageCodeTable.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

// A key without an English entry shows on screen as the bare key. lupdate lists
// every key the sources pass to translation (tr, QCoreApplication::translate,
// QT_TRANSLATE_NOOP, .ui texts); each must have an English text in the
// catalogue. Keys built at run time are invisible to it: list them with
// QT_TRANSLATE_NOOP so they are checked too.

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString type;
    bool numerus = false;
    int line = 0;
};

QString keyOf(const Message& m)
{
    return m.context + QLatin1Char('\x1f') + m.source + QLatin1Char('\x1f') + m.comment;
}

QString describe(const Message& m)
{
    QString text = QStringLiteral("%1 / \"%2\"").arg(m.context, m.source);
    if (!m.comment.isEmpty())
        text += QStringLiteral(" (%1)").arg(m.comment);
    return text;
}

// Reads a .ts file; contexts in file order, each with its messages.
bool readTs(const QString& path, QList<Message>& messages, QStringList& contexts, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    bool inMessage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringRef name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
                contexts << context;
            } else if (name == QLatin1String("message")) {
                message = Message();
                message.context = context;
                message.line = int(xml.lineNumber());
                message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
                inMessage = true;
            } else if (name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                message.comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages << message;
            inMessage = false;
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

} // namespace

// The two programs have a catalogue each: the help viewer's covers its own
// folder, the main program's every other folder.
const char* const HELP_VIEWER_FOLDER = "helpviewer";

class tst_TranslationCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void catalogues_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<bool>("helpViewer");
        QTest::newRow("Lumivox 5") << "Lumivox5.en-US" << false;
        QTest::newRow("Lumivox 5 Help") << "Lumivox5Help.en-US" << true;
    }

    // Every engineer adds keys to it: alphabetical contexts keep parallel edits apart.
    void contextsAreUniqueAndAlphabetical_data() { catalogues_data(); }
    void contextsAreUniqueAndAlphabetical()
    {
        QList<Message> messages;
        QStringList contexts;
        if (!readCatalogue(messages, contexts))
            return;
        for (int i = 1; i < contexts.size(); ++i) {
            QVERIFY2(contexts[i - 1] < contexts[i],
                     qPrintable(QStringLiteral("context \"%1\" must come after \"%2\"")
                                    .arg(contexts[i - 1], contexts[i])));
        }
    }

    void everyEntryIsFinishedAndUnique_data() { catalogues_data(); }
    void everyEntryIsFinishedAndUnique()
    {
        QList<Message> messages;
        QStringList contexts;
        if (!readCatalogue(messages, contexts))
            return;
        QSet<QString> seen;
        for (const Message& m : qAsConst(messages)) {
            const QString where = QStringLiteral("line %1: %2").arg(m.line).arg(describe(m));
            QVERIFY2(!m.source.isEmpty(), qPrintable(where));
            QVERIFY2(!m.translation.trimmed().isEmpty(), qPrintable(where + QStringLiteral(" has no English text")));
            QVERIFY2(m.type.isEmpty(), qPrintable(where + QStringLiteral(" is marked ") + m.type));
            QVERIFY2(!seen.contains(keyOf(m)), qPrintable(where + QStringLiteral(" is listed twice")));
            seen.insert(keyOf(m));
        }
    }

    // The build compiles the catalogue and embeds it where the language table loads it.
    void embeddedCatalogueMatchesItsSource_data() { catalogues_data(); }
    void embeddedCatalogueMatchesItsSource()
    {
        QFETCH(QString, catalogue);
        QList<Message> messages;
        QStringList contexts;
        if (!readCatalogue(messages, contexts))
            return;
        CLanguageCodeTable table(CLanguageCodeTable::LANG_ENGLISH);
        table.SetEnglishCatalogueName(catalogue);
        table.SetCulture(nullptr); // also registers the embedded resources
        QVERIFY(!table.m_pTranslator->isEmpty());
        QTranslator plain;
        QVERIFY(plain.load(QStringLiteral(":/translations/%1.qm").arg(catalogue)));
        for (const Message& m : qAsConst(messages)) {
            if (m.numerus)
                continue;
            QCOMPARE(plain.translate(qPrintable(m.context), m.source.toUtf8().constData(),
                                     m.comment.isEmpty() ? nullptr : m.comment.toUtf8().constData()),
                     m.translation);
        }
    }

    void everyKeyInTheSourcesHasAnEnglishText_data() { catalogues_data(); }
    void everyKeyInTheSourcesHasAnEnglishText()
    {
        QFETCH(bool, helpViewer);
        QList<Message> messages;
        QStringList contexts;
        if (!readCatalogue(messages, contexts))
            return;

        const QDir src(QStringLiteral(LUMIVOX_SOURCE_DIR "/src"));
        QVERIFY(src.exists());
        QStringList folders;
        for (const QString& name : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if ((name == QLatin1String(HELP_VIEWER_FOLDER)) == helpViewer)
                folders << src.filePath(name);
        }

        QTemporaryDir temp;
        QVERIFY(temp.isValid());
        const QString scanned = temp.filePath(QStringLiteral("scanned.ts"));
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(LUMIVOX_LUPDATE),
                      QStringList{ QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none") }
                          + folders + QStringList{ QStringLiteral("-ts"), scanned });
        QVERIFY(lupdate.waitForFinished(120000));
        const QByteArray output = lupdate.readAll();
        QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0, output.constData());
        if (!output.trimmed().isEmpty())
            qWarning("lupdate: %s", output.constData());

        QList<Message> keys;
        QStringList keyContexts;
        QString error;
        QVERIFY2(readTs(scanned, keys, keyContexts, error), qPrintable(error));

        QSet<QString> known;
        for (const Message& m : qAsConst(messages))
            known.insert(keyOf(m));
        QStringList missing;
        for (const Message& m : qAsConst(keys)) {
            if (!known.contains(keyOf(m)))
                missing << describe(m);
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("keys without an English text in %1:\n  %2")
                                .arg(catalogueSource(), missing.join(QStringLiteral("\n  ")))));
    }

private:
    static QString catalogueSource()
    {
        QFETCH(QString, catalogue);
        return QStringLiteral(LUMIVOX_SOURCE_DIR "/resources/translations/%1.ts").arg(catalogue);
    }

    // Reads the row's catalogue; false (with the test skipped or failed) when
    // there is none. Only a program that is not built yet may lack one.
    static bool readCatalogue(QList<Message>& messages, QStringList& contexts)
    {
        QFETCH(bool, helpViewer);
        const QString path = catalogueSource();
        if (!QFile::exists(path)) {
            if (helpViewer && !QDir(QStringLiteral(LUMIVOX_SOURCE_DIR "/src/") + HELP_VIEWER_FOLDER).exists()) {
                QTest::qSkip("no help viewer yet", __FILE__, __LINE__);
                return false;
            }
            QTest::qFail(qPrintable(QStringLiteral("%1 is missing").arg(path)), __FILE__, __LINE__);
            return false;
        }
        QString error;
        if (!readTs(path, messages, contexts, error)) {
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
            return false;
        }
        return true;
    }
};

QTEST_GUILESS_MAIN(tst_TranslationCatalogue)
#include "tst_TranslationCatalogue.moc"
