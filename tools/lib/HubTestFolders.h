#ifndef HUBTESTFOLDERS_H
#define HUBTESTFOLDERS_H

#include "CTestFolders.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class CLumivox5Data;

// Temporary program and home folders with model profile files, and data
// hubs built on them with a command line.
class HubTestFolders : public CTestFolders
{
public:
    // A model profile file with the multiple-selection input terminals
    // 01H COMPUTER1 (shown) and 1AH HDMI (hidden), and no models.
    static const char* const PROFILE_TWO_TERMINALS;
    // The same without any multiple-selection terminal.
    static const char* const PROFILE_NO_TERMINALS;

    void writeProfile(const char* text = PROFILE_TWO_TERMINALS);

    // A hub started with the arguments (the program name comes first) and
    // its translator installed.
    std::unique_ptr<CLumivox5Data> makeHub(const QStringList& arguments = QStringList());
};

#endif // HUBTESTFOLDERS_H
