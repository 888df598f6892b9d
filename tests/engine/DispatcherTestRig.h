#ifndef DISPATCHERTESTRIG_H
#define DISPATCHERTESTRIG_H

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

#include "CCommandFunctions.h"
#include "CCommandFunctionsEvent.h"
#include "CDataFunctions.h"
#include "CDeviceAccess.h"
#include "CEventContainer.h"
#include "CLumivox5Data.h"
#include "CProjectorData.h"
#include "CProjectorSimulator.h"
#include "CSimProjectorModel.h"
#include "CTestFolders.h"

// A data hub (with its device access object and command engine) on a
// temporary program and home folder holding the shipped Profile.ini, and a
// request dispatcher of type D on it. Projectors are bare records at chosen
// ids, or records that talk to simulated projectors.
template <typename D = CDataFunctions>
class DispatcherTestRig
{
public:
    // `arguments` follow the program name on the command line.
    explicit DispatcherTestRig(const QStringList& arguments = QStringList())
    {
        QFile::copy(QStringLiteral(":/engine/Profile.ini"), m_Folders.path(QStringLiteral("program/Profile.ini")));
        m_Hub = CTestFolders::makeHub(arguments);
        m_Dispatcher.reset(new D(m_Hub.get()));
    }

    ~DispatcherTestRig()
    {
        m_Dispatcher.reset();
        m_Hub->m_pDeviceAccess->CancelAll();
        // The hub's records free the commands still waiting in them.
        m_Hub.reset();
    }

    CLumivox5Data* Hub() const { return m_Hub.get(); }
    D* Dispatcher() const { return m_Dispatcher.get(); }
    QString Folder(const QString& name) const { return m_Folders.path(name); }

    // A bare record under `id`, addressed nowhere.
    CProjectorData* AddRecord(int id) { return m_Hub->f_AddProjectorThread(id); }

    // A record talking to a new simulated projector of the model; its id.
    int AddSimulated(const CSimModelSpec& spec)
    {
        CSimulatedProjector* projector = m_Simulator.AddProjector(
            QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + int(m_Models.size()))), 0);
        if (projector == nullptr)
            return -1;
        m_Models.emplace_back(new CSimProjectorModel(spec));
        CSimProjectorModel* model = m_Models.back().get();
        projector->SetHandler([model](const QByteArray& request) { return model->Answer(request); });
        CProjectorData* record = m_Hub->AddProjector(QString(), 0, CProjectorData::TYPE_LAN::IP,
                                                     projector->AddressText(), projector->PortText(), true,
                                                     QString());
        if (record == nullptr)
            return -1;
        m_Simulated.insert(record->m_Id, projector);
        m_ModelById.insert(record->m_Id, model);
        return record->m_Id;
    }
    CSimulatedProjector* Simulated(int id) const { return m_Simulated.value(id); }
    // The model answering for a simulated projector: its state and its faults.
    CSimProjectorModel* Model(int id) const { return m_ModelById.value(id); }

    // The request indexes a simulated projector has seen, in order.
    QList<int> Requests(int id) const
    {
        QList<int> out;
        for (const QByteArray& r : Simulated(id)->Requests())
            out << CSimProjectorModel::RequestIndex(r);
        return out;
    }

    // The commands waiting in a record, oldest first.
    QList<CCommandFunctionsEvent*> Pending(int id) const
    {
        QList<CCommandFunctionsEvent*> out;
        if (CProjectorData* record = m_Hub->GetProjectorData(id)) {
            for (CEventContainer* box : qAsConst(record->m_PendingEvents))
                out << static_cast<CCommandFunctionsEvent*>(box->GetEvent());
        }
        return out;
    }

private:
    CTestFolders m_Folders;
    // The models outlive the simulated projectors whose handlers use them.
    std::vector<std::unique_ptr<CSimProjectorModel>> m_Models;
    CProjectorSimulator m_Simulator;
    QMap<int, CSimulatedProjector*> m_Simulated;
    QMap<int, CSimProjectorModel*> m_ModelById;
    std::unique_ptr<CLumivox5Data> m_Hub;
    std::unique_ptr<D> m_Dispatcher;
};

#endif // DISPATCHERTESTRIG_H
