#include "QtCatalogue.h"

#include <QCoreApplication>
#include <QDir>

#include "CLanguageCodeTable.h"
#include "QTranslatorEx.h"

QTranslatorEx* InstallQtCatalogue(const CLanguageCodeTable& languages, const QLoggingCategory& trace)
{
    QString file;
    QString folder;
    switch (int(languages.m_LanguageCode)) {
    case CLanguageCodeTable::LANG_ENGLISH:
    case CLanguageCodeTable::ARG_EN:
        file = QStringLiteral("qt_uk");
        folder = QLatin1String(CLanguageCodeTable::EMBEDDED_CATALOGUE_DIR);
        break;
    case CLanguageCodeTable::LANG_FRENCH:
        file = QStringLiteral("qt_fr");
        break;
    case CLanguageCodeTable::LANG_CHINESE:
        file = QStringLiteral("qt_zh_CN");
        break;
    default:
        file = QStringLiteral("qt_ja");
        break;
    }
    if (folder.isEmpty()) {
        const QString* culture = languages.GetCultureString();
        folder = QCoreApplication::applicationDirPath() + QDir::separator() + (culture ? *culture : QString());
    }
    auto* translator = new QTranslatorEx(nullptr);
    translator->load(file, folder, QString(), QString());
    QCoreApplication::installTranslator(translator);
    const QByteArray rule(73, '=');
    qCDebug(trace, "%s", rule.constData());
    qCDebug(trace, "load QtLib Tarnslator \n  dir[%s] \n  filename[%s]", folder.toLocal8Bit().constData(),
            file.toLocal8Bit().constData());
    qCDebug(trace, "%s", rule.constData());
    return translator;
}
