// The input selection drop-downs and switching the selection's input.
#include "Lumivox5Main.h"
#include "ui_Lumivox5Main.h"

#include "CCommandFunctions.h"
#include "CLumivox5Data.h"
#include "CProfile.h"
#include "CProjectorData.h"
#include "CSectionItemList.h"
#include "ExceptionTrace.h"

#include <QAction>
#include <QMenu>
#include <QSet>

#include <algorithm>

namespace {

// One entry of an input menu.
struct InputChoice
{
    int code;
    QString name;
    bool checked;
};

// Identified on the current connection as a model the profile file knows.
bool identifiedModel(const CProjectorData* record)
{
    return record->m_EngineFlags[CCommandFunctions::FLAG_IDENTIFIED] != 0 && record->m_Profile;
}

bool connectedAndPowered(const CProjectorData* record)
{
    return record->m_ConnectState == CProjectorData::CONNECT_STATE_CONNECTED
           && record->m_Status[CProjectorData::StPowerStatus].ToInt() != 0;
}

QList<CSectionItem*> itemsOf(const CSectionItemList* list)
{
    return list ? list->values() : QList<CSectionItem*>();
}

QList<CSectionItem*> modelInputs(const CProfile* profile)
{
    return itemsOf(profile ? profile->InputTerminals() : nullptr);
}

QList<CSectionItem*> modelInputs(const CProjectorData* record)
{
    return modelInputs(record->m_Profile);
}

// The model lists the input under its code, or as the sub code of one of its terminals.
bool supportsInput(const CProfile* profile, int code)
{
    for (const CSectionItem* item : modelInputs(profile)) {
        if (item->code == code || (item->hasSub && item->sub == code))
            return true;
    }
    return false;
}

// The input every record of a multiple selection reports, or -1 when one
// of them is off, not identified or on another input.
int commonInput(const QList<CProjectorData*>& records)
{
    const int first = records.first()->GetInputSignalPrioritySub();
    for (CProjectorData* record : records) {
        if (!connectedAndPowered(record) || record->GetInputSignalPrioritySub() != first)
            return -1;
    }
    return first;
}

// The entries of the input menu for the selection, in menu order.
QList<InputChoice> inputChoices(const QList<CProjectorData*>& records, const CSectionItemList* common)
{
    QList<InputChoice> choices;
    if (records.size() == 1 && identifiedModel(records.first())) {
        // The model's own terminals, those the common list hides included.
        const CProjectorData* record = records.first();
        const bool on = connectedAndPowered(record);
        const int input = record->m_Status[CProjectorData::StInputTerminal].ToInt();
        for (const CSectionItem* item : modelInputs(record)) {
            const bool current = input == item->code || (item->hasSub && input == item->sub);
            choices.append({item->code, item->name, on && current});
        }
        return choices;
    }
    int current = -1;
    if (records.size() == 1) {
        CProjectorData* record = records.first();
        if (connectedAndPowered(record))
            current = record->GetInputSignalPrioritySub();
    } else if (records.size() > 1) {
        current = commonInput(records);
    }
    // A large selection holds few models: each is asked once. Records
    // without a profile do not restrict the choice.
    QSet<const CProfile*> models;
    if (records.size() > 1) {
        for (const CProjectorData* record : records) {
            if (record->m_Profile)
                models.insert(record->m_Profile);
        }
    }
    for (const CSectionItem* item : itemsOf(common)) {
        if (!item->show)
            continue;
        const bool everyModel = std::all_of(models.begin(), models.end(),
                                            [&](const CProfile* model) { return supportsInput(model, item->code); });
        if (everyModel)
            choices.append({item->code, item->name, current >= 0 && item->code == current});
    }
    return choices;
}

} // namespace

void Lumivox5Main::f_On_menuPJCtrlSignalSelect_showDropDown()
{
    f_MenuSignalSelectDropDownCreate(ui->menuPJCtrlSignalSelect);
}

void Lumivox5Main::f_MenuSignalSelectDropDownCreate(QMenu* targetMenu)
{
    if (!targetMenu)
        return;
    RunTraced([&] {
        // The entries of the last opening go with it.
        qDeleteAll(targetMenu->actions());
        targetMenu->clear();

        const QList<InputChoice> choices =
            inputChoices(f_GetSelectedPjDataList(), m_Lumivox5Data->m_pMultiInputTerminalList);
        QList<QAction*> entries;
        for (const InputChoice& choice : choices) {
            const int number = entries.size() + 1;
            // The digit is the accelerator while there is one digit.
            const QString prefix = number <= 9 ? QStringLiteral("&%1. ") : QStringLiteral("%1. ");
            QAction* entry = new QAction(prefix.arg(number) + choice.name, this);
            entry->setData(choice.code);
            connect(entry, &QAction::triggered, this, &Lumivox5Main::f_OnInputSW_triggered);
            f_SetMenuCheckedDot(entry, choice.checked);
            entries.append(entry);
        }
        if (entries.isEmpty()) {
            QAction* none = new QAction(tr("MenuSignalSelectNone"), this);
            none->setEnabled(false);
            entries.append(none);
        }
        targetMenu->addActions(entries);
    });
}

void Lumivox5Main::f_OnInputSW_triggered()
{
    auto* entry = qobject_cast<QAction*>(sender());
    if (!entry)
        return;
    RunTraced([&] {
        // The name follows the number: "&3. HDMI1".
        const QString text = entry->text();
        const int cut = text.indexOf(QLatin1String(". "));
        const QString name = cut < 0 ? text : text.mid(cut + 2);

        const QList<CProjectorData*> records = f_GetSelectedPjDataList();
        if (records.isEmpty())
            return;
        const QList<CSectionItem*> search = records.size() == 1 && identifiedModel(records.first())
                                                ? modelInputs(records.first())
                                                : itemsOf(m_Lumivox5Data->m_pMultiInputTerminalList);
        // The selection may have changed while the menu was open; a name the
        // list now lacks still switches to the input the entry was made for.
        bool known = false;
        int code = entry->data().toInt(&known);
        for (const CSectionItem* item : search) {
            if (item->name == name) {
                code = item->code;
                known = true;
                break;
            }
        }
        if (known)
            f_SetInputTerminalSelectedConnection(static_cast<unsigned char>(code));
    });
}
