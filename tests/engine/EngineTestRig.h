#ifndef ENGINETESTRIG_H
#define ENGINETESTRIG_H

#include <QFile>
#include <QLoggingCategory>
#include <QMap>
#include <QSet>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "CCommandFunctions.h"
#include "CDeviceAccess.h"
#include "CEventBase.h"
#include "CEventContainer.h"
#include "CProfile.h"
#include "CProfileList.h"
#include "CProjectorData.h"
#include "CProjectorSimulator.h"
#include "CSimProjectorModel.h"

// A command engine wired to a device access object, projector records read
// against the shipped Profile.ini, and one simulated projector per record
// (record id n talks to simulated projector n - 1).
class EngineTestRig
{
public:
    EngineTestRig()
    {
        const QString path = m_Dir.filePath(QStringLiteral("Profile.ini"));
        QFile::copy(QStringLiteral(":/engine/Profile.ini"), path);
        m_Profiles.reset(new CProfileList(path));
        m_Engine.SetProjectorDatas(&m_Records);
        m_Engine.SetDeviceAccess(&m_Access);
    }

    ~EngineTestRig()
    {
        // Nothing may still run when the records go.
        m_Access.CancelAll();
        qDeleteAll(m_Records);
    }

    bool ProfilesLoaded() const { return !m_Profiles->m_LoadFailed; }

    // Adds a simulated projector of the given model and its record; the id.
    int Add(const CSimModelSpec& spec)
    {
        CSimulatedProjector* projector = m_Simulator.AddProjector(
            QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + m_Models.size())), 0);
        if (projector == nullptr)
            return -1;
        m_Models.emplace_back(new CSimProjectorModel(spec));
        CSimProjectorModel* model = m_Models.back().get();
        projector->SetHandler([model](const QByteArray& request) { return model->Answer(request); });
        const int id = int(m_Models.size());
        CProjectorData* record = new CProjectorData(m_Profiles.get(), id);
        record->m_Address = projector->AddressText();
        record->m_Port = projector->PortText();
        m_Records.insert(id, record);
        return id;
    }

    CSimProjectorModel* Model(int id) { return m_Models.at(size_t(id - 1)).get(); }
    CSimulatedProjector* Projector(int id) { return m_Simulator.Projector(id - 1); }
    CProjectorData* Record(int id) { return m_Records.value(id); }

    // The profile the engine finds for simulated projector `id`; tests switch
    // its flags to make test models.
    CProfile* ProfileFor(int id)
    {
        const QByteArray code = Model(id)->Spec().code;
        CProfile* profile = nullptr;
        m_Profiles->f_GetProfile(quint8(code.at(0)), quint8(code.at(1)), quint8(code.at(2)), quint8(code.at(3)),
                                 &profile);
        return profile;
    }

    void SetFlags(int id, const QList<int>& flags, bool on)
    {
        CProfile* profile = ProfileFor(id);
        for (int flag : flags)
            profile->m_Flags[flag] = on;
    }

    // What a simulated projector has seen, in order: the request index, and
    // for requests with parameters their data bytes ("27 01", "16 00 01").
    QStringList RequestTexts(int id)
    {
        static const QSet<int> withData = {4, 11, 12, 16, 18, 19, 23, 24, 27};
        QStringList out;
        for (const QByteArray& r : Projector(id)->Requests()) {
            const int index = CSimProjectorModel::RequestIndex(r);
            QString text = QString::number(index);
            if (withData.contains(index) && r.size() > 6) {
                QByteArray data = r.mid(5, r.size() - 6);
                if (index == 24 || index == 27 || index == 4)
                    data = data.mid(index == 24 ? 0 : 1); // drop the fixed leading byte of 27 and 4
                text += QLatin1Char(' ') + QString::fromLatin1(data.toHex(' ').toUpper());
            }
            out << text;
        }
        return out;
    }

    // The request indexes a simulated projector has seen, in order.
    QList<int> Requests(int id)
    {
        QList<int> out;
        for (const QByteArray& r : Projector(id)->Requests())
            out << CSimProjectorModel::RequestIndex(r);
        return out;
    }

    QTemporaryDir m_Dir;
    std::unique_ptr<CProfileList> m_Profiles;
    QMap<int, CProjectorData*> m_Records;
    CDeviceAccess m_Access;
    CCommandFunctions m_Engine;
    // The models outlive the simulated projectors whose handlers use them.
    std::vector<std::unique_ptr<CSimProjectorModel>> m_Models;
    CProjectorSimulator m_Simulator;
};

// A rig with `count` simulated projectors, the shipped models taken in turn,
// each answering after `delayMs`; the device link in the main thread or in
// threads of its own (`workerThreads` of them, 0 for as many as it picks).
inline std::unique_ptr<EngineTestRig> FleetRig(int count, const QStringList& models, int delayMs,
                                               bool deviceLinkThread, int workerThreads = 0)
{
    std::unique_ptr<EngineTestRig> rig(new EngineTestRig);
    CSimFaults faults;
    faults.extraDelayMs = delayMs;
    for (int i = 0; i < count; ++i) {
        const int id = rig->Add(CSimModelSpec::Shipped(models.at(i % models.size())));
        if (id < 0)
            return nullptr;
        rig->Projector(id)->SetFaults(faults);
    }
    if (deviceLinkThread && !rig->m_Access.StartWorkerThread(workerThreads))
        return nullptr;
    return rig;
}

// What the engine reports, one spy per signal.
struct EngineSpies
{
    explicit EngineSpies(CCommandFunctions* engine)
        : completed(engine, &CCommandFunctions::Completed),
          error(engine, &CCommandFunctions::Error),
          nack(engine, &CCommandFunctions::NackReceived),
          canceled(engine, &CCommandFunctions::Canceled),
          timing(engine, &CCommandFunctions::UpdateTiming),
          updateError(engine, &CCommandFunctions::UpdateError)
    {
    }

    int Ends() const { return completed.count() + error.count() + nack.count() + canceled.count(); }

    QSignalSpy completed;
    QSignalSpy error;
    QSignalSpy nack;
    QSignalSpy canceled;
    QSignalSpy timing;
    QSignalSpy updateError;
};

#endif // ENGINETESTRIG_H
