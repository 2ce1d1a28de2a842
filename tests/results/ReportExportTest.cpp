// The report of a fixture group exported as text, PDF and workbook, on both
// database back ends.

#include "ReportFixture.h"

#include "XlsxCells.h"

#include "results/TestReportForm.h"

#include <QFile>

namespace {

using ReportExport = ReportTest;

const char* const kFullReport =
    "Test Report\n"
    "\n"
    "Test Group 40001\n"
    "Lot Number\tLOT-7781\n"
    "Started\t2026-03-02 09:00:00\n"
    "Completed\t2026-03-02 09:30:00\n"
    "Run\tCompleted\n"
    "Unit Model\tZAMO\n"
    "User\toperator\n"
    "Computer\tBENCH-01\n"
    "Software Version\t1.0.0\n"
    "Demo Mode\tNo\n"
    "Limits\tDCO 100 mV, ACZ 3000 Ohms\n"
    "Warnings\tDCO 100 mV, ACZ 2000 Ohms\n"
    "Notes\tSecond shift\n"
    "\n"
    "Electrodes\n"
    "\n"
    "Unit 1\n"
    "Electrode\tSerial Number\tFirmware\tCalibration Date\tLot Number\n"
    "A1\tSA1\tF1.2\t2026-01-15 00:00:00\tL-A\n"
    "B1\tSB1\tF1.2\t2026-01-15 00:00:00\tL-B\n"
    "C1\tSC1\tF1.2\t2026-01-15 00:00:00\tL-C\n"
    "\n"
    "Tests\n"
    "\n"
    "ACZ, Unit 1, Iteration 1, started 2026-03-02 09:01:00\n"
    "Readings: Impedance (Ohms)\n"
    "Electrode\t20\tVerdict\n"
    "A1\t1234.500\tPassed\n"
    "B1\t2100.250\tMarginal Pass\n"
    "C1\t3500.000\tFailed\n"
    "\n"
    "DCO, Unit 1, Iteration 1, started 2026-03-02 09:05:00\n"
    "Readings: DCO (mV)\n"
    "Electrode\t30\t61\tVerdict\n"
    "A1\t12.500\t13.000\tPassed with Expired Channel\n"
    "B1\t-3.250\t-3.500\tERR\n"
    "C1\t0.004\t0.013\tFAIL_O\n";

TEST_P(ReportExport, TabTextHoldsTheGroupTheElectrodesAndEveryReadingWithItsVerdict)
{
    const QString file = exportReport("TAB", "report.txt");
    ASSERT_FALSE(file.isEmpty()) << log.join("\n").toStdString();
    EXPECT_EQ(readText(file), QString::fromUtf8(kFullReport));
    EXPECT_TRUE(prompts->shown.isEmpty());
}

INSTANTIATE_ON_BOTH_BACKENDS(ReportExport);

} // namespace
