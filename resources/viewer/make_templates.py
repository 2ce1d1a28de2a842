#!/usr/bin/env python3
# Writes the report viewer's templates for the schema revisions 4 to 12 into
# reports/ and the resource list viewer.qrc beside this script. Run it again
# after a change here; the files it writes are kept in the source tree.
#
# Each template reads only the columns its revision has:
#   4   groups numbered by GroupID; no NOISE limits
#   5   NOISE limits
#   6   unit diagnostics (UnitMasterDiagnostics) without the ZAMO80 readings
#   7   UniqueGroupID, warnings text
#   8   ZAMO80 flag, software version, ZAMO80 diagnostics; condensed reports
#   9   link to the condensed ZAMO80 group
#   10  demonstration flag
#   11  ZAMO2-4 flag and pace settings
#   12  tests hidden from reports (ShowOnReport)
# From revision 13 on (the run completed flag, user and computer, readings
# ordered by their time as a number) the reports read what the station's
# own templates (../reports) read; the viewer carries those under its
# numbers for 13 and 14 and for 15.

import os

HERE = os.path.dirname(os.path.abspath(__file__))

VERDICTS = """  <map name="verdict">
    <entry key="PASS">Passed</entry>
    <entry key="PASS?">Marginal Pass</entry>
    <entry key="PASS*">Passed with Expired Channel</entry>
    <entry key="FAIL">Failed</entry>
  </map>
"""

# The station's templates under the viewer's numbers: the full report with and
# without diagnostics, the condensed and the ZAMO80 condensed report, for a
# database file and then for a server.
STATION_TEMPLATES = {}
for first in (2131, 2151):
    for offset, station in enumerate((201, 202, 251, 252, 1201, 1202, 1251, 1252)):
        STATION_TEMPLATES[first + offset] = station


def group_query(rev):
    if rev >= 11:
        model = "CASE WHEN g.Zamo24 THEN 'ZAMO2-4' WHEN g.Zamo80 THEN 'ZAMO80' ELSE 'ZAMO' END"
    elif rev >= 8:
        model = "CASE WHEN g.Zamo80 THEN 'ZAMO80' ELSE 'ZAMO' END"
    else:
        model = "'ZAMO'"
    # Before the Completed flag a run was completed once it had a completion date after the zero date.
    state = ("CASE WHEN g.Cancelled THEN 'Cancelled' WHEN g.DateCompleted > '1899-12-30 00:00:00' "
             "THEN 'Completed' ELSE 'Not completed' END")
    key = "UniqueGroupID" if rev >= 7 else "GroupID"
    return (f"SELECT g.*, {model} AS UnitModel, {state} AS RunState FROM TestGroups g "
            f"WHERE g.{key} = $TestGroups.{key}")


def group_head(rev, condensed):
    key = "UniqueGroupID" if rev >= 7 else "GroupID"
    fields = [("Lot Number", "{LotNumber}"), ("Started", "{DateExecuted|date}"),
              ("Completed", "{DateCompleted|date}"), ("Run", "{RunState}"), ("Unit Model", "{UnitModel}")]
    if rev >= 8:
        fields.append(("Software Version", "{SoftwareVersion}"))
    if not condensed:
        if rev >= 10:
            fields.append(("Demo Mode", "{DemoMode|yesno}"))
        fields.append(("Limits", "{TestLimitString}"))
        if rev >= 7:
            fields.append(("Warnings", "{TestWarningString}"))
    fields.append(("Notes", "{Notes}"))
    text = f'  <band required="yes" query="{group_query(rev)}">\n'
    text += "    <title/>\n"
    text += f"    <heading>Test Group {{{key}}}</heading>\n"
    text += "    <fields>\n"
    for label, value in fields:
        text += f'      <field label="{label}">{value}</field>\n'
    text += "    </fields>\n"
    return text


ELECTRODES = """    <heading>Electrodes</heading>
    <band query="SELECT * FROM UnitElectrodes WHERE GroupID = $GroupID ORDER BY UnitNumber, UnitElectrodesID">
      <heading level="2">Unit {UnitNumber}</heading>
      <table letters="A-P">
        <column title="Electrode">{@}{UnitNumber}</column>
        <column title="Serial Number" key="yes">{@_SerialNumber}</column>
        <column title="Firmware" key="yes">{@_FirmwareVersion}</column>
        <column title="Calibration Date" key="yes">{@_CalibrationDate|date}</column>
        <column title="Lot Number" key="yes">{@_LotNumber}</column>
      </table>
    </band>
"""

PACE = """    <band query="SELECT * FROM Zamo24PaceProperties WHERE GroupID = $GroupID ORDER BY UnitNumber, Zamo24PacePropertiesID">
      <heading level="2">Unit {UnitNumber} Pace Settings</heading>
      <table letters="A-P">
        <column title="Electrode">{@}{UnitNumber}</column>
        <column title="Amplitude" key="yes">{@_PaceAmplitude|number}</column>
        <column title="Rate" key="yes">{@_PaceRate|number}</column>
        <column title="Pulse Width" key="yes">{@_PacePulseWidth|number}</column>
        <column title="Roll" key="yes">{@_PaceRoll}</column>
      </table>
    </band>
"""

BASE_DIAGNOSTICS_COLUMNS = """        <column title="Unit">{UnitNumber}</column>
        <column title="Firmware">{FirmwareVersion}</column>
        <column title="10 Hz Peak">{10HzPeak|number:3}</column>
        <column title="Temperature">{Temperature|number:1}</column>
        <column title="Vcc">{Vcc|number:3}</column>
        <column title="+5 V">{5VPos|number:3}</column>
        <column title="-5 V">{5VNeg|number:3}</column>
        <column title="5 V Reference">{5VRWorking|yesno}</column>
        <column title="200 V On">{200vOnWorking|yesno}</column>
        <column title="200 V Off">{200vOffWorking|yesno}</column>
"""

# Before revision 8 every unit was a base unit: one table of all readings.
OLD_DIAGNOSTICS = """    <heading>Unit Diagnostics</heading>
    <table query="SELECT * FROM UnitMasterDiagnostics WHERE GroupID = $GroupID ORDER BY UnitNumber, UnitMasterDiagnosticsID">
""" + BASE_DIAGNOSTICS_COLUMNS.replace("        <", "      <") + """    </table>
"""

DIAGNOSTICS = """    <heading>Unit Diagnostics</heading>
    <!-- A base unit reports its temperature and the 200 V supply; a ZAMO80 or ZAMO2-4 the 30 kHz peak and
         the lid. Each reading is stored with one of the two sets, the other columns left at their defaults:
         a reading of the newer models is the one with a 30 kHz peak. -->
    <band query="SELECT DISTINCT 1 AS BaseModel FROM UnitMasterDiagnostics WHERE GroupID = $GroupID AND Zamo8030kPeak IS NULL">
      <table query="SELECT * FROM UnitMasterDiagnostics WHERE GroupID = $GroupID AND Zamo8030kPeak IS NULL ORDER BY UnitNumber, UnitMasterDiagnosticsID">
""" + BASE_DIAGNOSTICS_COLUMNS + """      </table>
    </band>
    <band query="SELECT DISTINCT 1 AS NewModel FROM UnitMasterDiagnostics WHERE GroupID = $GroupID AND Zamo8030kPeak IS NOT NULL">
      <table query="SELECT * FROM UnitMasterDiagnostics WHERE GroupID = $GroupID AND Zamo8030kPeak IS NOT NULL ORDER BY UnitNumber, UnitMasterDiagnosticsID">
        <column title="Unit">{UnitNumber}</column>
        <column title="Firmware">{FirmwareVersion}</column>
        <column title="10 Hz Peak">{10HzPeak|number:3}</column>
        <column title="30 kHz Peak">{Zamo8030kPeak|number:3}</column>
        <column title="Vcc">{Vcc|number:3}</column>
        <column title="+5 V">{5VPos|number:3}</column>
        <column title="-5 V">{5VNeg|number:3}</column>
        <column title="5 V Reference">{5VRWorking|yesno}</column>
        <column title="Lid Closed">{Zamo80LidClosed|yesno}</column>
      </table>
    </band>
"""


def shown(rev):
    return " AND t.ShowOnReport" if rev >= 12 else ""


def tests(rev):
    return f"""    <heading>Tests</heading>
    <band query="SELECT t.TestID, t.TestStartTime, ty.TypeName, ty.TypeMeasurementUnits, u.TestUnitID, u.UnitNumber, u.Itteration, r.* FROM Tests t INNER JOIN TestTypes ty ON ty.TypeID = t.TestTypeID INNER JOIN TestUnit u ON u.TestID = t.TestID LEFT JOIN TestResults r ON r.TestUnitID = u.TestUnitID WHERE t.GroupID = $GroupID{shown(rev)} ORDER BY t.TestStartTime, t.TestID, u.UnitNumber, u.Itteration, u.TestUnitID">
      <heading level="2">{{TypeName}}, Unit {{UnitNumber}}, Iteration {{Itteration}}, started {{TestStartTime|date}}</heading>
      <text>Readings: {{TypeMeasurementUnits}}</text>
      <table letters="A-P">
        <column title="Electrode">{{@}}{{UnitNumber}}</column>
        <columns key="yes" title="{{TimeInterval}}" query="SELECT * FROM TestMeasurements WHERE TestUnitID = $TestUnitID ORDER BY MeasurementID">{{@_Value|number:3}}</columns>
        <column title="Verdict" key="yes">{{@_Result|map:verdict}}</column>
      </table>
    </band>
"""


def condensed_units(rev, group, indent):
    pad = " " * indent
    return f"""{pad}<band query="SELECT * FROM UnitElectrodes WHERE GroupID = $GroupID ORDER BY UnitNumber, UnitElectrodesID">
{pad}  <heading level="2">Unit {{UnitNumber}}</heading>
{pad}  <table letters="A-P" fixed="3">
{pad}    <column title="Electrode">{{@}}{{UnitNumber}}</column>
{pad}    <column title="Serial Number">{{@_SerialNumber}}</column>
{pad}    <column title="Lot Number">{{@_LotNumber}}</column>
{pad}    <columns key="yes" title="{{TypeName}} {{Itteration}}" query="SELECT t.TestID, ty.TypeName, u.Itteration, r.* FROM Tests t INNER JOIN TestTypes ty ON ty.TypeID = t.TestTypeID INNER JOIN TestUnit u ON u.TestID = t.TestID LEFT JOIN TestResults r ON r.TestUnitID = u.TestUnitID WHERE t.GroupID = ${group} AND u.UnitNumber = $UnitNumber{shown(rev)} ORDER BY t.TestStartTime, t.TestID, u.Itteration, u.TestUnitID">{{@_Result|map:verdict}}</columns>
{pad}  </table>
{pad}</band>
"""


def report(name, comment, body):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f"<!-- {comment} -->\n"
            f'<report name="{name}" source="file" orientation="landscape">\n'
            + VERDICTS + body + "  </band>\n</report>\n")


def full(rev, diagnostics):
    body = group_head(rev, False) + ELECTRODES
    if rev >= 11:
        body += PACE
    if diagnostics:
        body += DIAGNOSTICS if rev >= 8 else OLD_DIAGNOSTICS
    body += tests(rev)
    what = "every reading and verdict" + (", and the unit diagnostics" if diagnostics else "")
    return report("ElectrodeTestReport",
                  f"Electrode test report of a revision-{rev} database: the whole test group with {what}.", body)


def condensed(rev):
    return report("CondensedElectrodeTestReport",
                  f"Condensed electrode test report of a revision-{rev} database: one line per electrode with "
                  "its verdict in each test.", group_head(rev, True) + condensed_units(rev, "GroupID", 4))


def zamo80_condensed(rev):
    body = (group_head(rev, True)
            + '    <band query="SELECT GroupID AS CondensedGroupID FROM TestGroups WHERE GroupID = $Zamo80CondensedID">\n'
            + condensed_units(rev, "CondensedGroupID", 6) + "    </band>\n")
    return report("Zamo80CondensedElectrodeTestReport",
                  f"Condensed ZAMO80 electrode test report of a revision-{rev} database: the run's group with the "
                  "tests of its condensed group, one line per electrode with its verdict in each test.", body)


# Revisions 4 to 12 have one set for both back ends; the station made them
# on database files only. Up to 7 there is no condensed report (the full one
# stands in for it), and no diagnostics before 6.
def templates():
    t = {204: full(4, False), 205: full(5, False)}
    for rev in range(6, 13):
        base = 2000 + rev * 10
        t[base + 1] = full(rev, True)
        t[base + 2] = full(rev, False)
        if rev >= 8:
            t[base + 3] = condensed(rev)
        if rev >= 9:
            t[base + 4] = zamo80_condensed(rev)
    return t


def main():
    os.makedirs(os.path.join(HERE, "reports"), exist_ok=True)
    files = templates()
    for number, text in files.items():
        with open(os.path.join(HERE, "reports", f"rpt{number}.rpt"), "w", encoding="utf-8") as f:
            f.write(text)
    entries = {n: f"reports/rpt{n}.rpt" for n in files}
    entries.update({n: f"../reports/rpt{s}.rpt" for n, s in STATION_TEMPLATES.items()})
    with open(os.path.join(HERE, "viewer.qrc"), "w", encoding="utf-8") as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/">\n')
        for n in sorted(entries):
            f.write(f'    <file alias="RPT/{n}">{entries[n]}</file>\n')
        f.write("  </qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
