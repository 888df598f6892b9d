// The option item lists the hub offers when several projectors of different
// models are set at once: input terminals from the profile list, and eleven
// lists of fixed codes with translated names.
#include "CLumivox5Data.h"

#include "CProfileList.h"
#include "ExceptionTrace.h"
#include "CSectionItem.h"
#include "CSectionItemList.h"

#include <QCoreApplication>

#include <memory>

namespace {

struct MultiItem
{
    int code;
    const char* key;
};

// Items in the order they are added; a later item replaces an earlier one of
// the same code.
const MultiItem PICTURE_PRESET[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset02H")},
    {3, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset03H")},
    {4, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset04H")},
    {5, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset05H")},
    {6, QT_TRANSLATE_NOOP("QObject", "MainMultiPicturePreset06H")},
};
const MultiItem PICTURE_GAMMA[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureGamma00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureGamma01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureGamma02H")},
};
const MultiItem PICTURE_COLOR_TEMPRATURE[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureColorTemprature00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureColorTemprature01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureColorTemprature02H")},
    {3, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureColorTemprature03H")},
    {4, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureColorTemprature04H")},
    {5, QT_TRANSLATE_NOOP("QObject", "MainMultiPictureColorTemprature05H")},
};
const MultiItem IMAGE_OVERSCAN[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiImageOverscan00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiImageOverscan01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiImageOverscan02H")},
};
const MultiItem IMAGE_ASPECT[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect00H")},
    {11, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect0BH")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect02H169")},
    {12, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect0CH")},
    {13, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect0DH")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect02HWIDESCREEN")},
    {4, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect04H")},
    {7, QT_TRANSLATE_NOOP("QObject", "MainMultiImageAspect07H")},
};
const MultiItem VIDEO_RANDOM_NR[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoRandomNR00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoRandomNR01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoRandomNR02H")},
    {3, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoRandomNR03H")},
};
const MultiItem VIDEO_MOSQUITO_NR[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoMosquitoNR00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoMosquitoNR01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoMosquitoNR02H")},
    {3, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoMosquitoNR03H")},
};
const MultiItem VIDEO_BLOCK_NR[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoBlockNR00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoBlockNR01H")},
};
const MultiItem VIDEO_DEINTERLACE[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoDeinterlace00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoDeinterlace01H")},
    {2, QT_TRANSLATE_NOOP("QObject", "MainMultiVideoDeinterlace02H")},
};
const MultiItem VIDEO_3DYC_SEPARATION[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiVideo3DYCSeparation00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiVideo3DYCSeparation01H")},
};
const MultiItem VOLUME_3D_SURROUND[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "MainMultiVolume3DSurround00H")},
    {1, QT_TRANSLATE_NOOP("QObject", "MainMultiVolume3DSurround01H")},
};

// Creates the list when missing, empties it and adds the items with names in
// the translation in force now.
template <size_t N>
void fillList(CSectionItemList*& list, const MultiItem (&items)[N])
{
    RunTraced([&] {
        if (!list)
            list = new CSectionItemList();
        list->Clear();
        for (const MultiItem& item : items)
            list->Add(item.code, QCoreApplication::translate("QObject", item.key), true);
    });
}

} // namespace

void CLumivox5Data::InitMultiInputTerminalList()
{
    RunTraced([&] {
        if (!m_pMultiInputTerminalList)
            m_pMultiInputTerminalList = new CSectionItemList();
        m_pMultiInputTerminalList->Clear();
        if (!m_pProfileList || !m_pProfileList->m_MultiTermList)
            return;
        for (const CSectionItem* item : m_pProfileList->m_MultiTermList->values()) {
            std::unique_ptr<CSectionItem> copy(new CSectionItem(*item));
            if (m_pMultiInputTerminalList->Add(copy.get()))
                copy.release();
        }
    });
}

void CLumivox5Data::InitMultiPicturePresetList()
{
    fillList(m_pMultiPicturePresetList, PICTURE_PRESET);
}

void CLumivox5Data::InitMultiPictureGammaList()
{
    fillList(m_pMultiPictureGammaList, PICTURE_GAMMA);
}

void CLumivox5Data::InitMultiPictureColorTempratureList()
{
    fillList(m_pMultiPictureColorTempratureList, PICTURE_COLOR_TEMPRATURE);
}

void CLumivox5Data::InitMultiImageOverscanList()
{
    fillList(m_pMultiImageOverscanList, IMAGE_OVERSCAN);
}

void CLumivox5Data::InitMultiImageAspectList()
{
    fillList(m_pMultiImageAspectList, IMAGE_ASPECT);
}

void CLumivox5Data::InitMultiVideoRandomNRList()
{
    fillList(m_pMultiVideoRandomNRList, VIDEO_RANDOM_NR);
}

void CLumivox5Data::InitMultiVideoMosquitoNRList()
{
    fillList(m_pMultiVideoMosquitoNRList, VIDEO_MOSQUITO_NR);
}

void CLumivox5Data::InitMultiVideoBlockNRList()
{
    fillList(m_pMultiVideoBlockNRList, VIDEO_BLOCK_NR);
}

void CLumivox5Data::InitMultiVideoDeinterlaceList()
{
    fillList(m_pMultiVideoDeinterlaceList, VIDEO_DEINTERLACE);
}

void CLumivox5Data::InitMultiVideo3DYCSeparationList()
{
    fillList(m_pMultiVideo3DYCSeparationList, VIDEO_3DYC_SEPARATION);
}

void CLumivox5Data::InitMultiVolume3DSurroundList()
{
    fillList(m_pMultiVolume3DSurroundList, VOLUME_3D_SURROUND);
}
