#ifndef CLUMIVOX5ARGUMENTS_H
#define CLUMIVOX5ARGUMENTS_H

#include <QString>

// The main program's command line: requested language, virtual-time menu
// commands, the automatic import option and demo mode. Never fails: unknown
// arguments are ignored.
class CLumivox5Arguments
{
public:
    CLumivox5Arguments(int argc, char** argv);

    QString m_Language;
    bool m_VirtualTime;
    bool m_ImportAvailable;
    bool m_Demo;

private:
    void f_Analyze(int argc, char** argv);
};

#endif // CLUMIVOX5ARGUMENTS_H
