#ifndef HELPPAGES_H
#define HELPPAGES_H

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>

// The help viewer's decisions that need no window: where a page text leads,
// which pages a command line asks for, where a clicked link goes, which
// language folder a country reads and where the window first appears.
namespace HelpPages {

// A page text as a pane gets it: a path, or a file URL whose "file://" may
// be written in any letter case. Found: a file or folder exists for it, and
// `url` is what the pane loads (the real path, so that relative links work).
// The path is tried as given, then, when it lies below `helpFolder`, with
// each component below it matched to the folder's entries in any letter
// case (the command line upper-cases page texts); nothing outside
// `helpFolder` is searched. A text whose file is missing is tried once more
// without its "#..." or "?..." part, which the loaded URL keeps.
struct PageTarget {
    bool found = false;
    QUrl url;
};
PageTarget ResolvePage(const QString& text, const QString& helpFolder);

// The page of one case-insensitive walk below `helpFolder`: the real path, or
// empty when some component has no match.
QString FindBelow(const QString& path, const QString& helpFolder);

// One page request of a command line.
struct PageRequest {
    enum Pane { Index, Contents };
    Pane pane;
    QString page; // base folder followed by the page path, upper-cased
    bool operator==(const PageRequest& other) const { return pane == other.pane && page == other.page; }
};
// The requests of the arguments, in order: "/INDEX=" and "/CONTENTS=" at
// the start of an argument in any letter case, followed by a page; double
// quotes dropped. Anything else asks for nothing.
QList<PageRequest> LaunchRequests(const QStringList& arguments, const QString& baseFolder);

// Where a clicked link goes. A link of the index pane always opens in the
// contents pane; in the contents pane web and mail links ("http://",
// "https://", "mailto:" in any letter case) go to the desktop's handler.
enum class LinkRoute { ContentsPane, Desktop };
LinkRoute RouteLink(bool indexPane, const QUrl& link);

// The window's place and size on its first show.
struct StoredGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool positionValid = false;
    bool sizeValid = false;
};
// `client`: the window's size before the show; `desktop`: the whole desktop;
// `available`: the primary screen's free area. A stored size is cut to the
// desktop, a stored position pulled back onto it; without a position the
// window is centred.
QRect FirstShowFrame(const QSize& client, const QRect& desktop, const QRect& available,
                     const StoredGeometry& stored);

} // namespace HelpPages

#endif // HELPPAGES_H
