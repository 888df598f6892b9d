#include "CProjectorGroup.h"

CProjectorGroup::CProjectorGroup(QObject* parent)
    : QObject(parent)
    , m_GroupID(0)
    , m_EditMode(EditNone)
    , m_Projectors(new QMap<qint32, qint32>)
    , m_InTree(false)
{
}

CProjectorGroup::~CProjectorGroup()
{
    delete m_Projectors;
}
