#include "CLumivox5Arguments.h"

CLumivox5Arguments::CLumivox5Arguments(int argc, char** argv)
    : m_VirtualTime(false)
    , m_ImportAvailable(false)
    , m_Demo(false)
{
    f_Analyze(argc, argv);
}

void CLumivox5Arguments::f_Analyze(int argc, char** argv)
{
    m_ImportAvailable = true;
    if (!argv)
        return;

    // Every argument counts, the program path included; options are whole
    // words in any case, and a later language option overrides an earlier one.
    for (int i = 0; i < argc; ++i) {
        if (!argv[i])
            continue;
        const QString arg = QString::fromLocal8Bit(argv[i]).toUpper();
        if (arg == QLatin1String("/VT")) {
            m_VirtualTime = true;
        } else if (arg == QLatin1String("/E") || arg == QLatin1String("-E")
                   || arg == QLatin1String("/L=EN")) {
            m_Language = QStringLiteral("ENG");
        } else if (arg == QLatin1String("/J") || arg == QLatin1String("-J")
                   || arg == QLatin1String("/L=JP")) {
            m_Language = QStringLiteral("JPN");
        } else if (arg.startsWith(QLatin1String("/L=")) && arg.size() > 5) {
            m_Language = arg.mid(3, 3);
        } else if (arg == QLatin1String("/DEMO")) {
            m_Demo = true;
        }
    }
}
