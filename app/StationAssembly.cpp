#include "app/StationAssembly.h"

#include "app/Station.h"
#include "run/ResultsDatabaseAccess.h"
#include "run/RunRecording.h"
#include "run/SignalGeneratorEvents.h"
#include "run/UnitEventRouter.h"
#include "ui/editors/EditorWindows.h"
#include "ui/service/ServicePanel.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/StationReportActions.h"
#include "ui/shell/StationWindows.h"
#include "ui/testwindow/ActiveLotWindow.h"
#include "ui/testwindow/DischargeWarningWindow.h"
#include "ui/testwindow/TestDetailsDialog.h"
#include "ui/testwindow/TestWindow.h"
#include "ui/unitpanels/UnitLinkPanel.h"
#include "unit/SignalGeneratorLink.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>

namespace app {

namespace ExecutionWindows {

namespace {

ui::FrameItems frameItems(ui::MainFrame& frame)
{
    ui::FrameItems items;
    for (int n = 1; n <= 2; ++n) {
        items.connectUnitActions[n] = frame.connectUnitActions[n];
        items.connectSimulatorActions[n] = frame.connectSimulatorActions[n];
        items.disconnectUnitActions[n] = frame.disconnectUnitActions[n];
    }
    items.connectSignalGeneratorAction = frame.connectSignalGeneratorAction;
    items.disconnectSignalGeneratorAction = frame.disconnectSignalGeneratorAction;
    items.runBiasTestAction = frame.runBiasTestAction;
    items.runAcz30ZeroAction = frame.runAcz30ZeroAction;
    items.configureTestSequenceAction = frame.configureTestSequenceAction;
    items.testsMenu = frame.testsMenu ? frame.testsMenu->menuAction() : nullptr;
    items.progressBar = frame.progressBar;
    items.completionTimeLabel = frame.completionTimeLabel;
    return items;
}

ui::TestWindowServices* buildMainForm(Station& station)
{
    config::StationSettings& settings = station.settings;
    auto* links = new run::TestWindowUnits();
    ui::StationWindows& windows = station.windows;
    auto* form = new ui::TestWindow(settings, station.log, station.testLists, windows, links->units());
    links->setParent(form);
    links->wire(form->connectionEvents(), form->sequencer(), *form, form);
    for (int n = 1; n <= 2; ++n)
        form->placeUnitLinkView(n, new ui::UnitLinkPanel(links->link(n), form));
    form->attachFrame(frameItems(*windows.frame()));
    form->otherWindows().testSequenceEditor = [&windows, form] {
        ui::DefinitionWindows::showTestSequenceEditor(windows, *form);
    };
    form->otherWindows().biasTestParameters = [&windows, form] {
        ui::DefinitionWindows::showBiasTestParameters(windows, *form);
    };
    form->services().recorder =
        std::make_unique<run::RunRecording>(form->state(), form->sequencer().schedule(), *form, settings,
                                            station.database, station.groupEnds, station.testLists, links->units());
    form->services().database = std::make_unique<run::ResultsDatabaseAccess>(station.database);
    form->services().reports =
        std::make_unique<ui::TestWindowReportActions>(settings, windows, [form] { return form->checkZAMOMode(); });
    form->services().preTestDetails = std::make_unique<ui::TestDetailsDialog>(
        settings, links->units(), qobject_cast<ui::ActiveLotWindow*>(windows.activeLotWindow()));
    auto* roller = new unit::SignalGeneratorLink(form);
    roller->setObjectName(QStringLiteral("ctlZAMOSG"));
    new run::RollerEvents(*roller, form->state(), form->sequencer().stationSettings(), *form, form->connectionEvents(),
                          form);
    form->otherWindows().rollChannel = [roller](qint16 channel) { roller->txRollChannel(channel); };
    form->services().zamo80->setRollerConnectedQuery([roller] { return roller->connected(); });
    // One warning at a time: a second stop raises the one still open.
    form->otherWindows().dischargeWarning = [form, open = std::make_shared<QPointer<ui::DischargeWarningWindow>>()] {
        if (!*open)
            *open = new ui::DischargeWarningWindow(form);
        (*open)->show();
        (*open)->raise();
    };
    form->otherWindows().connectZamoSG = [roller] { roller->connectDevice(); };
    form->otherWindows().disconnectZamoSG = [roller] { roller->disconnectDevice(); };
    station.database.setConnectionObserver(&form->connectionEvents());
    windows.addToFrame(form);
    windows.windowOpeners().SystemCalibration = [&windows, form, links] {
        ui::showServicePanel(windows, *form, form->sequencer(), *links->link(1));
    };
    form->load();
    if (settings.signalGenerator.enabled)
        roller->setRollDelay(settings.signalGenerator.delay);
    return form;
}

} // namespace

void installMainForm(Station& station)
{
    station.windows.setActiveLotWindowFactory([]() -> QWidget* { return new ui::ActiveLotWindow(); });
    station.windows.setMainFormFactory([&station] { return buildMainForm(station); });
}

} // namespace ExecutionWindows

} // namespace app
