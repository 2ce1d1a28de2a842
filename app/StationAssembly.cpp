#include "app/StationAssembly.h"

#include "results/ResultsDatabase.h"
#include "run/RunRecording.h"
#include "run/SignalGeneratorEvents.h"
#include "run/UnitEventRouter.h"
#include "ui/editors/EditorWindows.h"
#include "ui/reports/StationReportActions.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/ActiveLotWindow.h"
#include "ui/testwindow/TestDetailsDialog.h"
#include "ui/testwindow/TestWindow.h"
#include "ui/unitpanels/UnitLinkPanel.h"
#include "unit/SignalGeneratorLink.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>

namespace ExecutionWindows {

namespace {

MainFrameItems FrameItems(ParentMDIForm& frame)
{
    MainFrameItems items;
    for (int n = 1; n <= 2; ++n) {
        items.ZamoUnitsConnect[n] = frame.ZamoUnitsConnect[n];
        items.ZamoUnitsConnectSimulator[n] = frame.ZamoUnitsConnectSimulator[n];
        items.ZamoUnitsDisconnect[n] = frame.ZamoUnitsDisconnect[n];
    }
    items.ZamoUnitsConnectZamoSG = frame.ZamoUnitsConnectZamoSG;
    items.ZamoUnitsDisconnectZamoSG = frame.ZamoUnitsDisconnectZamoSG;
    items.TestsRunBiasTest = frame.TestsRunBiasTest;
    items.TestsRunACZ30Zero = frame.TestsRunACZ30Zero;
    items.TestsConfigureTestSequence = frame.TestsConfigureTestSequence;
    items.MainTests = frame.MainTests ? frame.MainTests->menuAction() : nullptr;
    items.MainProgressBar = frame.MainProgressBar;
    items.ExpectedCompletionTimeLabel = frame.ExpectedCompletionTimeLabel;
    return items;
}

MainFormServices* BuildMainForm(config::StationSettings& settings)
{
    auto* links = new MainFormUnitLinks();
    auto* form = new MainForm(settings, links->Units());
    links->setParent(form);
    links->Wire(form->connectionEvents(), form->Sequencer(), *form, form);
    for (int n = 1; n <= 2; ++n)
        form->PlaceUnitLinkView(n, new ctlZAMOUsbCommView(links->Link(n), form));
    form->AttachFrame(FrameItems(*StationWindows::Frame()));
    form->OtherWindows().TestSequenceEditor = [form] { DefinitionWindows::ShowTestSequenceEditor(*form); };
    form->OtherWindows().BiasTestParameters = [form] { DefinitionWindows::ShowBiasTestParameters(*form); };
    form->Services().recorder = std::make_unique<RunRecording>(form->State(), *form, settings, links->Units());
    form->Services().reports =
        std::make_unique<MainFormReportActions>(settings, [form] { return form->CheckZAMOMode(); });
    form->Services().preTestDetails = std::make_unique<TestDetailsForm>(
        settings, links->Units(), qobject_cast<ActiveLotNumbersForm*>(StationWindows::ActiveLotWindow()));
    auto* roller = new ctlZAMORoller(form);
    roller->setObjectName(QStringLiteral("ctlZAMOSG"));
    new RollerEvents(*roller, form->Sequencer(), *form, form->connectionEvents(), form);
    form->OtherWindows().RollChannel = [roller](qint16 channel) { roller->TXRollChannel(channel); };
    form->OtherWindows().ConnectZamoSG = [roller] { roller->Connect(); };
    form->OtherWindows().DisconnectZamoSG = [roller] { roller->Disconnect(); };
    modDatabase::SetConnectionObserver(&form->connectionEvents());
    StationWindows::AddToFrame(form);
    form->Form_Load();
    if (settings.signalGenerator.enabled)
        roller->setRollDelay(settings.signalGenerator.delay);
    return form;
}

} // namespace

void InstallMainForm(config::StationSettings& settings)
{
    StationWindows::SetActiveLotWindowFactory([]() -> QWidget* { return new ActiveLotNumbersForm(); });
    StationWindows::SetMainFormFactory([&settings] { return BuildMainForm(settings); });
}

} // namespace ExecutionWindows
