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

FrameItems frameItems(MainFrame& frame)
{
    FrameItems items;
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

TestWindowServices* buildMainForm(config::StationSettings& settings)
{
    auto* links = new TestWindowUnits();
    auto* form = new TestWindow(settings, links->units());
    links->setParent(form);
    links->wire(form->connectionEvents(), form->sequencer(), *form, form);
    for (int n = 1; n <= 2; ++n)
        form->placeUnitLinkView(n, new UnitLinkPanel(links->link(n), form));
    form->attachFrame(frameItems(*StationWindows::frame()));
    form->otherWindows().testSequenceEditor = [form] { DefinitionWindows::showTestSequenceEditor(*form); };
    form->otherWindows().biasTestParameters = [form] { DefinitionWindows::showBiasTestParameters(*form); };
    form->services().recorder = std::make_unique<RunRecording>(form->state(), *form, settings, links->units());
    form->services().reports =
        std::make_unique<TestWindowReportActions>(settings, [form] { return form->checkZAMOMode(); });
    form->services().preTestDetails = std::make_unique<TestDetailsDialog>(
        settings, links->units(), qobject_cast<ActiveLotWindow*>(StationWindows::activeLotWindow()));
    auto* roller = new SignalGeneratorLink(form);
    roller->setObjectName(QStringLiteral("ctlZAMOSG"));
    new RollerEvents(*roller, form->sequencer(), *form, form->connectionEvents(), form);
    form->otherWindows().rollChannel = [roller](qint16 channel) { roller->txRollChannel(channel); };
    form->otherWindows().connectZamoSG = [roller] { roller->connectDevice(); };
    form->otherWindows().disconnectZamoSG = [roller] { roller->disconnectDevice(); };
    results::setConnectionObserver(&form->connectionEvents());
    StationWindows::addToFrame(form);
    form->load();
    if (settings.signalGenerator.enabled)
        roller->setRollDelay(settings.signalGenerator.delay);
    return form;
}

} // namespace

void installMainForm(config::StationSettings& settings)
{
    StationWindows::setActiveLotWindowFactory([]() -> QWidget* { return new ActiveLotWindow(); });
    StationWindows::setMainFormFactory([&settings] { return buildMainForm(settings); });
}

} // namespace ExecutionWindows
