#include "CCommandIF.h"

CCommandIF::CCommandIF(QObject* parent)
    : QObject(parent)
{
}

CCommandIF::~CCommandIF() = default;

void CCommandIF::SetVariantData(QList<CVariantParameter>& paramList, int action, bool cash, int fromId)
{
    while (paramList.size() < 3)
        paramList.append(CVariantParameter());
    CVariantParameter values[3];
    values[0].FromInt(action);
    values[1].FromBool(cash);
    values[2].FromInt(fromId);
    for (int i = 0; i < 3; ++i)
        paramList[i] = values[i];
}
