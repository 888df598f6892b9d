// The built-in item lists a model profile falls back on when the profile file
// gives no usable section, and which fill the dummy profile.
#include "CProfile.h"

#include <QCoreApplication>

#include "CSectionItemList.h"
#include "ExceptionTrace.h"

namespace {

struct DefaultItem
{
    int code;
    const char* key; // translation key, context "QObject"
};

// QT_TRANSLATE_NOOP marks the keys for the catalogue; the names are looked up
// when a filler runs, in the language installed at that moment.
const DefaultItem kInputTerminals[] = {
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal02H") },
    { 0x1A, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal1AH") },
    { 0x06, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal06H") },
    { 0x0B, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal0BH") },
    { 0x12, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal12H") },
    { 0x1F, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal1FH") },
    { 0x20, QT_TRANSLATE_NOOP("QObject", "DefaultInputTerminal20H") },
};

const DefaultItem kPicturePresets[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset02H") },
    { 0x03, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset03H") },
    { 0x04, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset04H") },
    { 0x05, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset05H") },
    { 0x06, QT_TRANSLATE_NOOP("QObject", "DefaultPicturePreset06H") },
};

const DefaultItem kPictureGammas[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultPictureGamma00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultPictureGamma01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultPictureGamma02H") },
};

const DefaultItem kPictureColorTempratures[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultPictureColorTemprature00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultPictureColorTemprature01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultPictureColorTemprature02H") },
    { 0x03, QT_TRANSLATE_NOOP("QObject", "DefaultPictureColorTemprature03H") },
    { 0x04, QT_TRANSLATE_NOOP("QObject", "DefaultPictureColorTemprature04H") },
    { 0x05, QT_TRANSLATE_NOOP("QObject", "DefaultPictureColorTemprature05H") },
};

const DefaultItem kImageOverscans[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultImageOverscan00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultImageOverscan01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultImageOverscan02H") },
};

// Code 02 is added twice; the later "WIDE SCREEN" replaces "16:9".
const DefaultItem kImageAspects[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect00H") },
    { 0x0B, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect0BH") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect02H169") },
    { 0x0C, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect0CH") },
    { 0x0D, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect0DH") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect02HWIDESCREEN") },
    { 0x04, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect04H") },
    { 0x07, QT_TRANSLATE_NOOP("QObject", "DefaultImageAspect07H") },
};

const DefaultItem kVideoRandomNRs[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultVideoRandomNR00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultVideoRandomNR01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultVideoRandomNR02H") },
    { 0x03, QT_TRANSLATE_NOOP("QObject", "DefaultVideoRandomNR03H") },
};

const DefaultItem kVideoMosquitoNRs[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultVideoMosquitoNR00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultVideoMosquitoNR01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultVideoMosquitoNR02H") },
    { 0x03, QT_TRANSLATE_NOOP("QObject", "DefaultVideoMosquitoNR03H") },
};

const DefaultItem kVideoBlockNRs[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultVideoBlockNR00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultVideoBlockNR01H") },
};

const DefaultItem kVideoDeinterlaces[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultVideoDeinterlace00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultVideoDeinterlace01H") },
    { 0x02, QT_TRANSLATE_NOOP("QObject", "DefaultVideoDeinterlace02H") },
};

const DefaultItem kVideo3DYCSeparations[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultVideo3DYCSeparation00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultVideo3DYCSeparation01H") },
};

const DefaultItem kVolume3DSurrounds[] = {
    { 0x00, QT_TRANSLATE_NOOP("QObject", "DefaultVolume3DSurround00H") },
    { 0x01, QT_TRANSLATE_NOOP("QObject", "DefaultVolume3DSurround01H") },
};

// Replaces a list by built-in items. The count is the list's real size, so no
// reader trusting the count can step past the end of the list.
template <size_t N>
void FillDefaults(CSectionItemList* list, qint32& count, const DefaultItem (&items)[N])
{
    try {
        count = 0;
        if (!list)
            return;
        list->Clear();
        for (const DefaultItem& item : items)
            list->Add(item.code, QCoreApplication::translate("QObject", item.key), true);
        count = list->count();
    } catch (const std::exception& e) {
        TraceException(e);
    } catch (...) {
    }
}

} // namespace

void CProfile::f_SetDefaultInputTerminals()
{
    FillDefaults(m_ItemList[ListInputTerminal], m_ItemCount[ListInputTerminal], kInputTerminals);
}

void CProfile::f_SetDefaultPicturePresets()
{
    FillDefaults(m_ItemList[ListPicturePreset], m_ItemCount[ListPicturePreset], kPicturePresets);
}

void CProfile::f_SetDefaultPictureGammas()
{
    FillDefaults(m_ItemList[ListPictureGamma], m_ItemCount[ListPictureGamma], kPictureGammas);
}

void CProfile::f_SetDefaultPictureColorTempratures()
{
    FillDefaults(m_ItemList[ListPictureColorTemprature], m_ItemCount[ListPictureColorTemprature],
                 kPictureColorTempratures);
}

void CProfile::f_SetDefaultImageOverscans()
{
    FillDefaults(m_ItemList[ListImageOverscan], m_ItemCount[ListImageOverscan], kImageOverscans);
}

void CProfile::f_SetDefaultImageAspects()
{
    FillDefaults(m_ItemList[ListImageAspect], m_ItemCount[ListImageAspect], kImageAspects);
}

void CProfile::f_SetDefaultVideoRandomNRs()
{
    FillDefaults(m_ItemList[ListVideoRandomNR], m_ItemCount[ListVideoRandomNR], kVideoRandomNRs);
}

void CProfile::f_SetDefaultVideoMosquitoNRs()
{
    FillDefaults(m_ItemList[ListVideoMosquitoNR], m_ItemCount[ListVideoMosquitoNR], kVideoMosquitoNRs);
}

void CProfile::f_SetDefaultVideoBlockNRs()
{
    FillDefaults(m_ItemList[ListVideoBlockNR], m_ItemCount[ListVideoBlockNR], kVideoBlockNRs);
}

void CProfile::f_SetDefaultVideoDeinterlaces()
{
    FillDefaults(m_ItemList[ListVideoDeinterlace], m_ItemCount[ListVideoDeinterlace], kVideoDeinterlaces);
}

void CProfile::f_SetDefaultVideo3DYCSeparations()
{
    FillDefaults(m_ItemList[ListVideo3DYCSeparation], m_ItemCount[ListVideo3DYCSeparation],
                 kVideo3DYCSeparations);
}

void CProfile::f_SetDefaultVolume3DSurrounds()
{
    FillDefaults(m_ItemList[ListVolume3DSurround], m_ItemCount[ListVolume3DSurround], kVolume3DSurrounds);
}
