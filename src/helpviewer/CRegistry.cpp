#include "CRegistry.h"

#include <QSettings>

#include "AppPaths.h"
#include "CPlistSettingsFormat.h"
#include "ExceptionTrace.h"
#include "LogCategories.h"

const QString CRegistry::APPREG_KEY_BASEPATH = QStringLiteral("Software/Corvex Projector User Fennick/Lumivox5/");
const QString CRegistry::APPREG_KEY_POSITION = CRegistry::APPREG_KEY_BASEPATH + QStringLiteral("Help/Position");
const QString CRegistry::APPREG_NAME_POSMAINX = QStringLiteral("MainX");
const QString CRegistry::APPREG_NAME_POSMAINY = QStringLiteral("MainY");
const QString CRegistry::APPREG_NAME_POSMAINW = QStringLiteral("MainWidth");
const QString CRegistry::APPREG_NAME_POSMAINH = QStringLiteral("MainHeight");

CRegistry::CRegistry()
    : m_MainX(0)
    , m_MainY(0)
    , m_MainWidth(0)
    , m_MainHeight(0)
    , m_PositionValid(false)
    , m_SizeValid(false)
{
}

CRegistry::~CRegistry() = default;

QString CRegistry::SettingsFilePath()
{
    // Beside the executable, wherever the viewer was started from.
    return AppPaths::programFolder() + QStringLiteral("/Lumivox 5 Help.plist");
}

QVariant CRegistry::ReadSettings(QString key, QString name)
{
    QVariant result;
    RunTraced([&] {
        QSettings settings(SettingsFilePath(), CPlistSettingsFormat::Format());
        if (settings.status() == QSettings::NoError)
            result = settings.value(key + QLatin1Char('/') + name, QVariant());
    });
    return result;
}

bool CRegistry::ReadSettingsInt(QString key, QString name, int* value)
{
    return RunTraced(true, [&] {
        const QVariant stored = ReadSettings(key, name);
        if (!stored.isValid())
            return true;
        *value = stored.toInt();
        return false;
    });
}

bool CRegistry::WriteSettings(QString key, QString name, QVariant value)
{
    return RunTraced(true, [&] {
        const QString text = value.toString().toUpper();
        if (text == QLatin1String("TRUE"))
            value = QStringLiteral("True");
        else if (text == QLatin1String("FALSE"))
            value = QStringLiteral("False");
        QSettings settings(SettingsFilePath(), CPlistSettingsFormat::Format());
        if (settings.status() == QSettings::NoError) {
            settings.setValue(key + QLatin1Char('/') + name, value);
            settings.sync();
            if (settings.status() != QSettings::NoError)
                qCWarning(lcHelpViewer, "cannot write %s", qUtf8Printable(SettingsFilePath()));
        }
        return false;
    });
}

void CRegistry::Read()
{
    RunTraced([&] {
        if (!ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINX, &m_MainX)
            && !ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINY, &m_MainY))
            m_PositionValid = true;
        if (!ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINW, &m_MainWidth)
            && !ReadSettingsInt(APPREG_KEY_POSITION, APPREG_NAME_POSMAINH, &m_MainHeight))
            m_SizeValid = true;
    });
}

void CRegistry::Write()
{
    RunTraced([&] {
        WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINX, m_MainX);
        WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINY, m_MainY);
        WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINW, m_MainWidth);
        WriteSettings(APPREG_KEY_POSITION, APPREG_NAME_POSMAINH, m_MainHeight);
    });
}
