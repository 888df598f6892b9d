#ifndef CREGISTRY_H
#define CREGISTRY_H

#include <QString>
#include <QVariant>

// The help viewer window's position and size from one run to the next, in the
// viewer's own settings file "Lumivox 5 Help.plist" beside its executable (an
// XML property list). Only reads and writes; the window checks the values.
class CRegistry
{
public:
    static const QString APPREG_KEY_BASEPATH;
    static const QString APPREG_KEY_POSITION;
    static const QString APPREG_NAME_POSMAINX;
    static const QString APPREG_NAME_POSMAINY;
    static const QString APPREG_NAME_POSMAINW;
    static const QString APPREG_NAME_POSMAINH;

    CRegistry();
    ~CRegistry();

    // The settings file: in the program folder.
    static QString SettingsFilePath();

    // The value under key + "/" + name; invalid when missing or the file is unreadable.
    QVariant ReadSettings(QString key, QString name);
    // True when the value was NOT found (the int is then untouched); a text
    // that is no number reads as 0.
    bool ReadSettingsInt(QString key, QString name, int* value);
    // Writes the value (truth values as "True"/"False"); an unreadable file is
    // left alone. Always false.
    bool WriteSettings(QString key, QString name, QVariant value);

    void Read();
    void Write();

    int m_MainX;
    int m_MainY;
    int m_MainWidth;
    int m_MainHeight;
    bool m_PositionValid;
    bool m_SizeValid;
};

#endif // CREGISTRY_H
