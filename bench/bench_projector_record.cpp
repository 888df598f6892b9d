// Heap bytes held by one default projector record with its twelve adjustment
// records: a fleet keeps up to 2000 records (and a second map of copies for
// the settings dialogs).
#include <QCoreApplication>
#include <QElapsedTimer>


#include <cstdio>
#include <vector>

#include "CProjectorData.h"
#include "ProcessFigures.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    const int fleet = 2000;

    // Warm up what Qt allocates once (codecs, time zone data).
    delete new CProjectorData(nullptr, 0);

    std::vector<CProjectorData*> records;
    records.reserve(fleet);
    const size_t before = HeapInUse();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < fleet; ++i)
        records.push_back(new CProjectorData(nullptr, i));
    const qint64 createMs = timer.elapsed();
    const size_t after = HeapInUse();

    timer.restart();
    std::vector<CProjectorData*> copies;
    copies.reserve(fleet);
    for (CProjectorData* r : records)
        copies.push_back(new CProjectorData(*r));
    const qint64 copyMs = timer.elapsed();

    std::printf("sizeof(CProjectorData): %zu bytes (status value: %zu bytes x %d)\n", sizeof(CProjectorData),
                sizeof(CVariantParameter), int(CProjectorData::StatusCount));
    std::printf("heap per default record with adjustment records: %.0f bytes\n",
                double(after - before) / fleet);
    std::printf("%d records: %.1f MiB heap, created in %lld ms, copied in %lld ms\n", fleet,
                double(after - before) / (1024.0 * 1024.0), static_cast<long long>(createMs),
                static_cast<long long>(copyMs));

    for (CProjectorData* r : copies)
        delete r;
    for (CProjectorData* r : records)
        delete r;
    return 0;
}
