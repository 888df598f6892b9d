#ifndef HELPNAMES_H
#define HELPNAMES_H

#include <QString>

// What the main program and the help viewer agree on about the manual.
namespace HelpNames {

// The help viewer's executable in the program folder.
inline QString ViewerProgram() { return QStringLiteral("Lumivox 5 Help"); }

// The page below a language folder that a help request without a page shows.
inline QString AboutPage() { return QStringLiteral("_RESOURCE/html/about.htm"); }
inline QString IndexPage() { return QStringLiteral("index.htm"); }

// The manual's folder for a language code: Japanese "ja-JP/", French
// "fr-FR/", Simplified Chinese "zh-CN/", every other language "en-US/".
inline QString LanguageFolder(int languageCode)
{
    switch (languageCode) {
    case 1:
        return QStringLiteral("ja-JP/");
    case 3:
        return QStringLiteral("fr-FR/");
    case 7:
        return QStringLiteral("zh-CN/");
    default:
        return QStringLiteral("en-US/");
    }
}

} // namespace HelpNames

#endif // HELPNAMES_H
