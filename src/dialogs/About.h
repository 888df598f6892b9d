#ifndef ABOUT_H
#define ABOUT_H

// The about dialog of the main program. Before any window exists, the program
// records its identity on the application object; the dialog shows it.
class About
{
public:
    // Sets the application name, the version from the embedded ":/app.plist"
    // and the identity properties. Called once, right after the application
    // object is created.
    static void SetupVersion();
};

#endif // ABOUT_H
