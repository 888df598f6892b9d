#ifndef CGAININFO_H
#define CGAININFO_H

#include "CVariantParameter.h"

// What is known about one picture or sound adjustment of a projector: its
// range, current and default values, and whether it may be changed now.
// Map key in a projector record: (kind << 8) + index.
class CGainInfo
{
public:
    // Adjustment kinds (m_Kind).
    enum Kind {
        KindPictureBrightness = 0,
        KindPictureContrast = 1,
        KindPictureColor = 2,
        KindPictureHue = 3,
        KindPictureSharpness = 4,
        KindAudioVolume = 5,
        KindCount = 6
    };
    // m_Status value that allows a change.
    static const int STATUS_ADJUSTABLE = 2;

    CGainInfo();
    CGainInfo(const CGainInfo& other);
    CGainInfo& operator=(const CGainInfo& other);
    virtual ~CGainInfo();

    CGainInfo& f_Copy(const CGainInfo& other);

    static int Key(int kind, int index) { return (kind << 8) + index; }

    CVariantParameter m_Kind;
    CVariantParameter m_Index;
    CVariantParameter m_Max;
    CVariantParameter m_Min;
    CVariantParameter m_Current;
    CVariantParameter m_DefaultKnown;
    CVariantParameter m_Default;
    CVariantParameter m_Status;
};

#endif // CGAININFO_H
