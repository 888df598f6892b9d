#include "CSectionItemList.h"

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

void CSectionItemList::qDebugSnapShot() const
{
    // Intentionally silent: tracing every list of every model would flood the log.
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
        f_Store(item->code, item);
        return true;
    } catch (const std::exception& e) {
        qDebug("exception occured [%s]", e.what());
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
        qDebug("exception occured [%s]", e.what());
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
