#include "CSectionItemList.h"

#include "CIniFileAccess.h"
#include "ExceptionTrace.h"

#include <QDebug>

#include <exception>
#include <memory>

CSectionItemList::CSectionItemList()
{
}

CSectionItemList::~CSectionItemList()
{
    Clear();
}

void CSectionItemList::Clear()
{
    qDeleteAll(m_Items);
    m_Items.clear();
}

void CSectionItemList::CopyFrom(const CSectionItemList& other)
{
    if (&other == this)
        return;
    Clear();
    for (auto it = other.m_Items.cbegin(); it != other.m_Items.cend(); ++it)
        f_Store(it.key(), new CSectionItem(*it.value()));
}

void CSectionItemList::qDebugSnapShot() const
{
    // Intentionally silent: tracing every list of every model would flood the log.
}

QString CSectionItemList::f_GetNameOfCode(int code) const
{
    for (const CSectionItem* item : m_Items) {
        if (item && item->code == code)
            return item->name;
    }
    return QLatin1String("");
}

void CSectionItemList::f_Store(int key, CSectionItem* item)
{
    CSectionItem*& slot = m_Items[key];
    if (slot != item)
        delete slot;
    slot = item;
}

bool CSectionItemList::Add(CSectionItem* item)
{
    if (!item || m_Items.size() >= TERM_MAX)
        return false;
    try {
        // An item the list already holds under another key would be freed twice.
        for (auto it = m_Items.constBegin(); it != m_Items.constEnd(); ++it) {
            if (it.value() == item && it.key() != item->code)
                return false;
        }
        f_Store(item->code, item);
        return true;
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return false;
}

void CSectionItemList::f_Add(int key, int code, const QString& name, bool builtIn, bool hasSub, int sub, bool show)
{
    if (m_Items.size() >= TERM_MAX)
        return;
    try {
        std::unique_ptr<CSectionItem> item(new CSectionItem);
        item->code = code;
        item->name = name;
        item->builtIn = builtIn;
        item->hasSub = hasSub;
        item->sub = sub;
        item->show = show;
        f_Store(key, item.get());
        item.release();
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
}

void CSectionItemList::Add(int key, int code, QString name, bool builtIn, bool show)
{
    f_Add(key, code, name, builtIn, false, 0, show);
}

void CSectionItemList::Add(int key, int code, QString name, int sub, bool builtIn)
{
    f_Add(key, code, name, builtIn, true, sub, true);
}

void CSectionItemList::Add(int key, int code, QString name, bool builtIn)
{
    f_Add(key, code, name, builtIn, false, 0, true);
}

void CSectionItemList::Add(int code, QString name, bool builtIn)
{
    f_Add(code, code, name, builtIn, false, 0, true);
}

namespace {

// Name column by application language 0..20.
const int NAME_COLUMN[CLanguageCodeTable::LANG_COUNT] = {
    0, 1, 4, 5, 6, 7, 8, 2, 11, 12, 13, 14, 15, 9, 16, 3, 17, 10, 18, 19, 20
};
const int NAME_COLUMNS = 21;
const int NAME_KEYS = 5;
const int NAMES_PER_KEY = 4;

QString iniString(const CIniFileAccess* ini, const QString& section, const QString& key)
{
    QString value;
    ini->GetIniString(section, key, QString(""), &value);
    return value;
}

} // namespace

int CSectionItemList::f_LC2PLC(CLanguageCodeTable::LANGUAGE_CODE language)
{
    const int index = int(language);
    if (index < 0 || index >= CLanguageCodeTable::LANG_COUNT)
        return 0;
    return NAME_COLUMN[index];
}

QStringList CSectionItemList::f_GetInputTermNameList(const CIniFileAccess* ini, const QString& section,
                                                     const QString& key)
{
    QStringList names;
    try {
        names.reserve(NAME_COLUMNS);
        for (int i = 0; i < NAME_COLUMNS; ++i)
            names << QString("");
        if (!ini)
            return names;
        for (int j = 0; j < NAME_KEYS; ++j) {
            const QString value = iniString(ini, section, j == 0 ? key : key + QLatin1Char('_') + QString::number(j));
            if (value.isEmpty())
                continue;
            // A value that starts with a comma is one name, comma and all.
            const QStringList parts = value.startsWith(QLatin1Char(','))
                                          ? QStringList(value)
                                          : value.split(QLatin1Char(','), Qt::KeepEmptyParts);
            for (int k = 0; k < NAMES_PER_KEY && k < parts.size(); ++k) {
                if (!parts.at(k).isEmpty())
                    names[NAMES_PER_KEY * j + k] = parts.at(k);
            }
        }
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return names;
}

bool CSectionItemList::f_Load(const CIniFileAccess* ini, CLanguageCodeTable::LANGUAGE_CODE language,
                              const QString& section, int& count, bool multipleSelected)
{
    try {
        Clear();
        if (!ini)
            return false;
        const int c = ini->GetIniInt(section, QStringLiteral("Count"), -1);
        if (multipleSelected) {
            if (c < 1)
                return false;
        } else if (c == -1) {
            return false; // missing or no number: the built-in list applies
        } else if (c == 0) {
            return true; // the model offers no such choices
        } else if (c < -1) {
            count = 0;
            return false;
        }

        const int column = f_LC2PLC(language);
        const int last = qMin(c, int(TERM_MAX));
        int read = 0;
        for (int n = 1; n <= last; ++n) {
            const QString number = QString::number(n);
            QString codeText = iniString(ini, section, QStringLiteral("Code") + number);
            // Codes are hexadecimal with a capital "H"; anything else is no entry.
            if (codeText.isEmpty() || !codeText.endsWith(QLatin1Char('H')))
                continue;
            codeText.chop(1);
            const QStringList names = f_GetInputTermNameList(ini, section, QStringLiteral("Name") + number);
            QString name = names.at(column);
            if (name.isEmpty())
                name = names.at(0);
            // Text that is no hexadecimal number gives code 0.
            const int code = codeText.toInt(nullptr, 16);

            if (multipleSelected) {
                const QString showText = iniString(ini, section, QStringLiteral("ShowTerminal") + number);
                Add(n, code, name, false, showText.toUpper() == QLatin1String("TRUE"));
            } else {
                QString subText = iniString(ini, section, QStringLiteral("Code") + number + QStringLiteral("Sub"));
                // The sub-code loses its last character, whatever it is.
                subText.chop(1);
                if (!subText.isEmpty())
                    Add(n, code, name, subText.toInt(nullptr, 16), false);
                else
                    Add(n, code, name, false);
            }
            ++read;
        }
        count = read;
        // A section whose entries were all skipped gives way to the built-in list.
        return read > 0;
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
    return false;
}

bool CSectionItemList::f_LoadProfileSectionItems(const CIniFileAccess* ini,
                                                 CLanguageCodeTable::LANGUAGE_CODE language,
                                                 const QString& section, int& count)
{
    return f_Load(ini, language, section, count, false);
}

bool CSectionItemList::f_LoadMultipleSelectedTermList(const CIniFileAccess* ini,
                                                      CLanguageCodeTable::LANGUAGE_CODE language,
                                                      const QString& section, int& count)
{
    return f_Load(ini, language, section, count, true);
}
