#include "HelpPages.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace HelpPages {

QString FindBelow(const QString& path, const QString& helpFolder)
{
    const QString help = QDir::cleanPath(helpFolder);
    const QString clean = QDir::cleanPath(path);
    if (help.isEmpty() || !clean.startsWith(help + QLatin1Char('/')))
        return QString();
    QString current = help;
    const QStringList components = clean.mid(help.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        if (component == QLatin1String(".") || component == QLatin1String(".."))
            return QString();
        const QString exact = current + QLatin1Char('/') + component;
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        QStringList entries = QDir(current).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
        // A fixed order, so that of two names differing only in case the same one always wins.
        std::sort(entries.begin(), entries.end());
        const auto match = std::find_if(entries.cbegin(), entries.cend(), [&](const QString& entry) {
            return entry.compare(component, Qt::CaseInsensitive) == 0;
        });
        if (match == entries.cend())
            return QString();
        current += QLatin1Char('/') + *match;
    }
    return current;
}

namespace {

// The existing file or folder a path names, exactly or below the help folder.
QString existingHelpPath(const QString& path, const QString& helpFolder)
{
    if (path.isEmpty())
        return QString();
    if (QFileInfo::exists(path))
        return path;
    return FindBelow(path, helpFolder);
}

} // namespace

PageTarget ResolvePage(const QString& text, const QString& helpFolder)
{
    PageTarget target;
    QString path = text;
    if (path.left(7).toUpper() == QLatin1String("FILE://"))
        path.remove(0, 7);

    QString found = existingHelpPath(path, helpFolder);
    QString tail;
    if (found.isEmpty()) {
        // A section or query of an existing page: the page is looked up without it.
        const int hash = path.indexOf(QLatin1Char('#'));
        const int query = path.indexOf(QLatin1Char('?'));
        const int cut = (hash < 0 || (query >= 0 && query < hash)) ? query : hash;
        if (cut > 0) {
            found = existingHelpPath(path.left(cut), helpFolder);
            tail = path.mid(cut);
        }
    }
    if (found.isEmpty())
        return target;

    target.found = true;
    target.url = QUrl::fromLocalFile(found);
    if (!tail.isEmpty()) {
        const QUrl rest(tail);
        if (rest.hasQuery())
            target.url.setQuery(rest.query(QUrl::FullyEncoded), QUrl::StrictMode);
        if (rest.hasFragment())
            target.url.setFragment(rest.fragment(QUrl::FullyEncoded), QUrl::StrictMode);
    }
    return target;
}

QList<PageRequest> LaunchRequests(const QStringList& arguments, const QString& baseFolder)
{
    static const QString index = QStringLiteral("/INDEX=");
    static const QString contents = QStringLiteral("/CONTENTS=");
    QList<PageRequest> requests;
    for (const QString& argument : arguments) {
        const QString upper = argument.toUpper();
        PageRequest request;
        QString value;
        if (upper.startsWith(index) && upper.size() > index.size()) {
            request.pane = PageRequest::Index;
            value = upper.mid(index.size());
        } else if (upper.startsWith(contents) && upper.size() > contents.size()) {
            request.pane = PageRequest::Contents;
            value = upper.mid(contents.size());
        } else {
            continue;
        }
        value.remove(QLatin1Char('"'));
        request.page = baseFolder + value;
        requests << request;
    }
    return requests;
}

LinkRoute RouteLink(bool indexPane, const QUrl& link)
{
    if (indexPane)
        return LinkRoute::ContentsPane;
    const QString text = link.toString().toUpper();
    for (const char* scheme : { "HTTP://", "HTTPS://", "MAILTO:" }) {
        if (text.startsWith(QLatin1String(scheme)))
            return LinkRoute::Desktop;
    }
    return LinkRoute::ContentsPane;
}

QRect FirstShowFrame(const QSize& client, const QRect& desktop, const QRect& available,
                     const StoredGeometry& stored)
{
    const int W = client.width();
    const int H = client.height();
    int x = (available.width() - W) / 2;
    int y = 0;
    int w = W;
    int h = H;
    if (stored.sizeValid) {
        w = std::min(stored.width, desktop.width());
        h = std::min(stored.height, desktop.height());
    }
    if (stored.positionValid) {
        x = stored.x;
        if (x + w <= desktop.left())
            x = desktop.left();
        if (x + w > desktop.right() + 1)
            x = desktop.right() + 1 - w;
        y = std::max(stored.y, desktop.top());
        if (y > desktop.bottom())
            y = desktop.bottom() + 1 - h;
    } else {
        y = (available.height() - H) / 2;
    }
    return QRect(x, y, w, h);
}

} // namespace HelpPages
