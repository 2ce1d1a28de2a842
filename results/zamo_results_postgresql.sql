-- The station's results database on a PostgreSQL server: every table,
-- index and fixed row at schema revision 15, exactly as the station makes
-- them itself.
--
-- Run it once on a new, empty database, as the user that is to own the
-- tables (the steps are in README.md):
--   psql -h <host> -U <owner> -d <database> -v ON_ERROR_STOP=1 -f results/zamo_results_postgresql.sql
-- It is one transaction: it makes everything or nothing.

BEGIN;

CREATE TABLE TestGroups (
    GroupID SERIAL PRIMARY KEY,
    DateExecuted TIMESTAMP(0),
    DateCompleted TIMESTAMP(0),
    LotNumber TEXT,
    Notes TEXT,
    Cancelled BOOLEAN NOT NULL DEFAULT FALSE,
    TestLimitString VARCHAR(250),
    DCOLimit DOUBLE PRECISION,
    ACZLimit DOUBLE PRECISION,
    SDR5SecOffsetLimit DOUBLE PRECISION,
    SDRRecoverySlopeLimit DOUBLE PRECISION,
    NoiseDCOLimit DOUBLE PRECISION,
    BiasDCOLimit DOUBLE PRECISION,
    DCOWarning DOUBLE PRECISION,
    ACZWarning DOUBLE PRECISION,
    SDR5SecOffsetWarning DOUBLE PRECISION,
    SDRRecoverySlopeWarning DOUBLE PRECISION,
    NoiseDCOWarning DOUBLE PRECISION,
    BiasDCOWarning DOUBLE PRECISION,
    TestWarningString VARCHAR(250),
    UniqueGroupID INTEGER,
    Zamo80 BOOLEAN NOT NULL DEFAULT FALSE,
    Zamo80ACZLimit DOUBLE PRECISION,
    Zamo80ACZ30Limit DOUBLE PRECISION,
    Zamo80ACLGLimit DOUBLE PRECISION,
    Zamo80DEFRLimit4 DOUBLE PRECISION,
    Zamo80DEFRLimit60 DOUBLE PRECISION,
    Zamo80DCOLimit DOUBLE PRECISION,
    Zamo80NOISEDCOLimit DOUBLE PRECISION,
    Zamo80ACZWarning DOUBLE PRECISION,
    Zamo80ACZ30Warning DOUBLE PRECISION,
    Zamo80ACLGWarning DOUBLE PRECISION,
    Zamo80DEFRWarning4 DOUBLE PRECISION,
    Zamo80DEFRWarning60 DOUBLE PRECISION,
    Zamo80DCOWarning DOUBLE PRECISION,
    Zamo80NOISEDCOWarning DOUBLE PRECISION,
    SoftwareVersion VARCHAR(250),
    Zamo80CondensedID INTEGER,
    DemoMode BOOLEAN NOT NULL DEFAULT FALSE,
    Zamo24 BOOLEAN NOT NULL DEFAULT FALSE,
    Completed BOOLEAN NOT NULL DEFAULT FALSE,
    WindowsUserName VARCHAR(250),
    ComputerName VARCHAR(250),
    LotNumberSortField VARCHAR(250)
);
CREATE INDEX TestGroups_GroupID ON TestGroups (GroupID);
CREATE UNIQUE INDEX TestGroups_UniqueGroupID ON TestGroups (UniqueGroupID);

CREATE TABLE Tests (
    TestID SERIAL PRIMARY KEY,
    GroupID INTEGER,
    TestTypeID INTEGER,
    TestStartTime TIMESTAMP(0),
    Zamo80ParentTestID INTEGER,
    ShowOnReport BOOLEAN NOT NULL DEFAULT TRUE
);
CREATE INDEX Tests_TestID ON Tests (TestID);
CREATE INDEX Tests_GroupID ON Tests (GroupID);
CREATE INDEX Tests_TestTypeID ON Tests (TestTypeID);

CREATE TABLE TestUnit (
    TestUnitID SERIAL PRIMARY KEY,
    UnitNumber INTEGER,
    TestID INTEGER,
    Itteration INTEGER
);
CREATE INDEX TestUnit_ID ON TestUnit (TestUnitID);
CREATE INDEX TestUnit_GroupID ON TestUnit (TestID);

CREATE TABLE TestMeasurements (
    MeasurementID SERIAL PRIMARY KEY,
    TestUnitID INTEGER,
    TimeInterval VARCHAR(50),
    A_Value DOUBLE PRECISION,
    B_Value DOUBLE PRECISION,
    C_Value DOUBLE PRECISION,
    D_Value DOUBLE PRECISION,
    E_Value DOUBLE PRECISION,
    F_Value DOUBLE PRECISION,
    G_Value DOUBLE PRECISION,
    H_Value DOUBLE PRECISION,
    I_Value DOUBLE PRECISION,
    J_Value DOUBLE PRECISION,
    K_Value DOUBLE PRECISION,
    L_Value DOUBLE PRECISION,
    M_Value DOUBLE PRECISION,
    N_Value DOUBLE PRECISION,
    O_Value DOUBLE PRECISION,
    P_Value DOUBLE PRECISION,
    TimeIntervalInt INTEGER
);
CREATE INDEX TestMeasurements_MeasurementID ON TestMeasurements (MeasurementID);
CREATE INDEX TestMeasurements_TestUnitID ON TestMeasurements (TestUnitID);

CREATE TABLE TestResults (
    ResultID SERIAL PRIMARY KEY,
    TestUnitID INTEGER,
    A_Result VARCHAR(10),
    B_Result VARCHAR(10),
    C_Result VARCHAR(10),
    D_Result VARCHAR(10),
    E_Result VARCHAR(10),
    F_Result VARCHAR(10),
    G_Result VARCHAR(10),
    H_Result VARCHAR(10),
    I_Result VARCHAR(10),
    J_Result VARCHAR(10),
    K_Result VARCHAR(10),
    L_Result VARCHAR(10),
    M_Result VARCHAR(10),
    N_Result VARCHAR(10),
    O_Result VARCHAR(10),
    P_Result VARCHAR(10)
);
CREATE INDEX TestResults_ResultID ON TestResults (ResultID);
CREATE INDEX TestResults_TestUnitID ON TestResults (TestUnitID);

CREATE TABLE TestTypes (
    TypeID SERIAL PRIMARY KEY,
    TypeName VARCHAR(10),
    TypeMeasurementUnits VARCHAR(50),
    TypeDescription VARCHAR(50),
    TypeUnits VARCHAR(50),
    TypeUnits2 VARCHAR(50)
);
CREATE INDEX TestTypes_TypeID ON TestTypes (TypeID);

CREATE TABLE UnitElectrodes (
    UnitElectrodesID SERIAL PRIMARY KEY,
    GroupID INTEGER,
    UnitNumber INTEGER,
    A_CalibrationDate TIMESTAMP(0),
    A_FirmwareVersion VARCHAR(10),
    A_SerialNumber VARCHAR(10),
    A_LotNumber VARCHAR(50),
    B_CalibrationDate TIMESTAMP(0),
    B_FirmwareVersion VARCHAR(10),
    B_SerialNumber VARCHAR(10),
    B_LotNumber VARCHAR(50),
    C_CalibrationDate TIMESTAMP(0),
    C_FirmwareVersion VARCHAR(10),
    C_SerialNumber VARCHAR(10),
    C_LotNumber VARCHAR(50),
    D_CalibrationDate TIMESTAMP(0),
    D_FirmwareVersion VARCHAR(10),
    D_SerialNumber VARCHAR(10),
    D_LotNumber VARCHAR(50),
    E_CalibrationDate TIMESTAMP(0),
    E_FirmwareVersion VARCHAR(10),
    E_SerialNumber VARCHAR(10),
    E_LotNumber VARCHAR(50),
    F_CalibrationDate TIMESTAMP(0),
    F_FirmwareVersion VARCHAR(10),
    F_SerialNumber VARCHAR(10),
    F_LotNumber VARCHAR(50),
    G_CalibrationDate TIMESTAMP(0),
    G_FirmwareVersion VARCHAR(10),
    G_SerialNumber VARCHAR(10),
    G_LotNumber VARCHAR(50),
    H_CalibrationDate TIMESTAMP(0),
    H_FirmwareVersion VARCHAR(10),
    H_SerialNumber VARCHAR(10),
    H_LotNumber VARCHAR(50),
    I_CalibrationDate TIMESTAMP(0),
    I_FirmwareVersion VARCHAR(10),
    I_SerialNumber VARCHAR(10),
    I_LotNumber VARCHAR(50),
    J_CalibrationDate TIMESTAMP(0),
    J_FirmwareVersion VARCHAR(10),
    J_SerialNumber VARCHAR(10),
    J_LotNumber VARCHAR(50),
    K_CalibrationDate TIMESTAMP(0),
    K_FirmwareVersion VARCHAR(10),
    K_SerialNumber VARCHAR(10),
    K_LotNumber VARCHAR(50),
    L_CalibrationDate TIMESTAMP(0),
    L_FirmwareVersion VARCHAR(10),
    L_SerialNumber VARCHAR(10),
    L_LotNumber VARCHAR(50),
    M_CalibrationDate TIMESTAMP(0),
    M_FirmwareVersion VARCHAR(10),
    M_SerialNumber VARCHAR(10),
    M_LotNumber VARCHAR(50),
    N_CalibrationDate TIMESTAMP(0),
    N_FirmwareVersion VARCHAR(10),
    N_SerialNumber VARCHAR(10),
    N_LotNumber VARCHAR(50),
    O_CalibrationDate TIMESTAMP(0),
    O_FirmwareVersion VARCHAR(10),
    O_SerialNumber VARCHAR(10),
    O_LotNumber VARCHAR(50),
    P_CalibrationDate TIMESTAMP(0),
    P_FirmwareVersion VARCHAR(10),
    P_SerialNumber VARCHAR(10),
    P_LotNumber VARCHAR(50)
);
CREATE INDEX UnitElectrodes_UnitElectrodesID ON UnitElectrodes (UnitElectrodesID);
CREATE INDEX UnitElectrodes_GroupID ON UnitElectrodes (GroupID);

CREATE TABLE UnitMasterDiagnostics (
    UnitMasterDiagnosticsID SERIAL PRIMARY KEY,
    GroupID INTEGER,
    UnitNumber INTEGER,
    "10HzPeak" DOUBLE PRECISION,
    Temperature DOUBLE PRECISION,
    Vcc DOUBLE PRECISION,
    "5VPos" DOUBLE PRECISION,
    "5VNeg" DOUBLE PRECISION,
    "5VRWorking" BOOLEAN NOT NULL DEFAULT FALSE,
    "200vOnWorking" BOOLEAN NOT NULL DEFAULT FALSE,
    "200vOffWorking" BOOLEAN NOT NULL DEFAULT FALSE,
    FirmwareVersion VARCHAR(50),
    Zamo80LidClosed BOOLEAN NOT NULL DEFAULT FALSE,
    Zamo8030kPeak DOUBLE PRECISION
);
CREATE INDEX UnitMasterDiagnostics_ID ON UnitMasterDiagnostics (UnitMasterDiagnosticsID);
CREATE INDEX UnitMasterDiagnostics_UnitMasterDiagnosticsGroupID ON UnitMasterDiagnostics (GroupID);
CREATE INDEX UnitMasterDiagnostics_GroupID ON UnitMasterDiagnostics (UnitNumber);

CREATE TABLE Zamo24PaceProperties (
    Zamo24PacePropertiesID SERIAL PRIMARY KEY,
    GroupID INTEGER,
    UnitNumber INTEGER,
    A_PaceAmplitude DOUBLE PRECISION,
    A_PaceRate DOUBLE PRECISION,
    A_PacePulseWidth DOUBLE PRECISION,
    A_PaceRoll VARCHAR(50),
    B_PaceAmplitude DOUBLE PRECISION,
    B_PaceRate DOUBLE PRECISION,
    B_PacePulseWidth DOUBLE PRECISION,
    B_PaceRoll VARCHAR(50),
    C_PaceAmplitude DOUBLE PRECISION,
    C_PaceRate DOUBLE PRECISION,
    C_PacePulseWidth DOUBLE PRECISION,
    C_PaceRoll VARCHAR(50),
    D_PaceAmplitude DOUBLE PRECISION,
    D_PaceRate DOUBLE PRECISION,
    D_PacePulseWidth DOUBLE PRECISION,
    D_PaceRoll VARCHAR(50),
    E_PaceAmplitude DOUBLE PRECISION,
    E_PaceRate DOUBLE PRECISION,
    E_PacePulseWidth DOUBLE PRECISION,
    E_PaceRoll VARCHAR(50),
    F_PaceAmplitude DOUBLE PRECISION,
    F_PaceRate DOUBLE PRECISION,
    F_PacePulseWidth DOUBLE PRECISION,
    F_PaceRoll VARCHAR(50),
    G_PaceAmplitude DOUBLE PRECISION,
    G_PaceRate DOUBLE PRECISION,
    G_PacePulseWidth DOUBLE PRECISION,
    G_PaceRoll VARCHAR(50),
    H_PaceAmplitude DOUBLE PRECISION,
    H_PaceRate DOUBLE PRECISION,
    H_PacePulseWidth DOUBLE PRECISION,
    H_PaceRoll VARCHAR(50),
    I_PaceAmplitude DOUBLE PRECISION,
    I_PaceRate DOUBLE PRECISION,
    I_PacePulseWidth DOUBLE PRECISION,
    I_PaceRoll VARCHAR(50),
    J_PaceAmplitude DOUBLE PRECISION,
    J_PaceRate DOUBLE PRECISION,
    J_PacePulseWidth DOUBLE PRECISION,
    J_PaceRoll VARCHAR(50),
    K_PaceAmplitude DOUBLE PRECISION,
    K_PaceRate DOUBLE PRECISION,
    K_PacePulseWidth DOUBLE PRECISION,
    K_PaceRoll VARCHAR(50),
    L_PaceAmplitude DOUBLE PRECISION,
    L_PaceRate DOUBLE PRECISION,
    L_PacePulseWidth DOUBLE PRECISION,
    L_PaceRoll VARCHAR(50),
    M_PaceAmplitude DOUBLE PRECISION,
    M_PaceRate DOUBLE PRECISION,
    M_PacePulseWidth DOUBLE PRECISION,
    M_PaceRoll VARCHAR(50),
    N_PaceAmplitude DOUBLE PRECISION,
    N_PaceRate DOUBLE PRECISION,
    N_PacePulseWidth DOUBLE PRECISION,
    N_PaceRoll VARCHAR(50),
    O_PaceAmplitude DOUBLE PRECISION,
    O_PaceRate DOUBLE PRECISION,
    O_PacePulseWidth DOUBLE PRECISION,
    O_PaceRoll VARCHAR(50),
    P_PaceAmplitude DOUBLE PRECISION,
    P_PaceRate DOUBLE PRECISION,
    P_PacePulseWidth DOUBLE PRECISION,
    P_PaceRoll VARCHAR(50)
);
CREATE INDEX Zamo24PaceProperties_UnitElectrodesID ON Zamo24PaceProperties (Zamo24PacePropertiesID);
CREATE INDEX Zamo24PaceProperties_GroupID ON Zamo24PaceProperties (GroupID);

CREATE TABLE Archive (
    ID SERIAL PRIMARY KEY,
    Range VARCHAR(50),
    RangeStart INTEGER,
    RangeEnd INTEGER,
    FileName VARCHAR(50),
    ArchiveDate TIMESTAMP(0)
);
CREATE INDEX Archive_ID ON Archive (ID);

CREATE TABLE Globals (
    ID SERIAL PRIMARY KEY,
    LastUniqueGroupID INTEGER
);
CREATE INDEX Globals_ID ON Globals (ID);
CREATE INDEX Globals_LastUniqueGroupID ON Globals (LastUniqueGroupID);

CREATE TABLE Version (
    ID SERIAL PRIMARY KEY,
    DBRevNumber INTEGER
);
CREATE INDEX Version_ID ON Version (ID);

INSERT INTO TestTypes (TypeName, TypeMeasurementUnits, TypeDescription, TypeUnits, TypeUnits2) VALUES
    ('DCO', 'DCO (mV)', NULL, 'mV', NULL),
    ('ACZ', 'Impedance (Ohms)', NULL, 'Ohms', NULL),
    ('SDR', 'DCO (mV)/Slope (mV/Sec)', NULL, 'mV', 'mV/Sec'),
    ('BIAS', 'DCO (mV)', NULL, 'mV', NULL),
    ('NOISE', 'Amplitude (uVpp)', NULL, 'uV', NULL),
    ('ACLG', 'Impedance (50:X Ohms)', '', 'Ohms', NULL),
    ('DEFR', 'DCO (mV)', '', 'mV', NULL),
    ('ACZ30', 'Impedance (Ohms)', '', 'Ohms', NULL),
    ('PACE1', '', '', '', NULL),
    ('PACE2', '', '', '', NULL),
    ('AVG_ACLG', 'Impedance (50:X Ohms)', NULL, 'Ohms', NULL);
INSERT INTO Globals (LastUniqueGroupID) VALUES (0);
INSERT INTO Version (DBRevNumber) VALUES (15);

COMMIT;
