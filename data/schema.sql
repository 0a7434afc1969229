-- The empty project database: every new project file is a byte copy of the
-- PelvaneVA21.rdb built from this script. Every column holds the text shown in
-- the window field bound to it; numbers are stored as their display text.

CREATE TABLE PROJECT (
    MAJOR_RELEASE   TEXT(10),   -- "2.1" marks the NOAA-station release
    NOAA_STATION    TEXT(50),
    PROJECT_ID      TEXT,
    PROJECT_NAME    TEXT,
    COUNTY          TEXT,
    STATE           TEXT,
    UNITS           TEXT,   -- "ENGLISH" or "METRIC"
    LOCATION        TEXT,
    DESIGNER        TEXT,
    INLET_DATABASE  TEXT,
    -- The details windows never write the product name, so a new record takes it
    -- from here; without it a new project would fail the compatibility check.
    PRODUCT_NAME    TEXT(20) DEFAULT 'PELVANEVA',
    -- Written only by the release conversion and read by nothing.
    MINOR_RELEASE   TEXT(10),
    RELEASE_DATE    TEXT(10),
    DESCRIPTION     TEXT
);

-- One row per pipe run. Rows keep their rowid for life (edits and renumbering
-- update in place), so "table order" is the order in which pipes were added.
CREATE TABLE PIPE (
    PROJECT_ID          TEXT,
    PIPE_NUMBER         TEXT NOT NULL UNIQUE,
    NODEIN_NO           TEXT,
    NODEIN_TYPE         TEXT,
    NODEIN_STATION      TEXT,
    NODEIN_OFFSET       TEXT,
    NODEIN_OFFLOC       TEXT,
    NODEIN_TOPELE       TEXT,
    NODEIN_SHAPING      TEXT,
    NODEOUT_NO          TEXT,
    NODEOUT_TYPE        TEXT,
    NODEOUT_STATION     TEXT,
    NODEOUT_OFFSET      TEXT,
    NODEOUT_OFFLOC      TEXT,
    NODEOUT_TOPELE      TEXT,
    PIPE_LENGTH         TEXT,
    PIPE_ELEIN          TEXT,
    PIPE_ELEOUT         TEXT,
    PIPE_SLOPE          TEXT,
    PIPE_SHAPE          TEXT,
    PIPE_MAT            TEXT,
    PIPE_DIA            TEXT,
    SPAN                TEXT,
    RISE                TEXT,
    NUMOFPIPES          TEXT,
    PIPE_MANN           TEXT,
    PIPE_SKEW           TEXT,
    PIPE_STORM_FREQ     TEXT,
    PIPE_CF             TEXT,
    PIPE_I              TEXT,
    STRUCTURE_AREA      TEXT,
    STRUCTURE_CA        TEXT,
    STRUCTURE_TC        TEXT,
    STRUCTURE_DISCHARGE TEXT,
    DISCHARGEVAL        TEXT,    -- "INP" typed, "CRM" computed
    STRUCTURE_INPUT     INTEGER, -- 1/0 mirror of DISCHARGEVAL, kept for legacy files
    STRUCTURE_COMPUTE   INTEGER,
    PRENODE1            TEXT,
    PRENODE2            TEXT,
    PRENODE3            TEXT,
    PRENODE4            TEXT,
    PRECA1              TEXT,
    PRECA2              TEXT,
    PRECA3              TEXT,
    PRECA4              TEXT,
    PRETC1              TEXT,
    PRETC2              TEXT,
    PRETC3              TEXT,
    PRETC4              TEXT,
    PREFLOWTIME1        TEXT,
    PREFLOWTIME2        TEXT,
    PREFLOWTIME3        TEXT,
    PREFLOWTIME4        TEXT,
    ACCUMULATED_CA      TEXT,
    ACCUMULATED_TC      TEXT,
    LATERAL_DISCHARGE   TEXT,
    PIPE_DISCHARGE      TEXT,
    CAPACITY            TEXT,
    FLOW_TYPE           TEXT,
    PIPE_FLOWDEPTH      TEXT,
    PIPE_AREAFLOW       TEXT,
    PIPE_VELOCITY       TEXT,
    HYD_RADIUS          TEXT,
    PIPE_WP             TEXT,
    FROUDE_NO           TEXT,
    PIPE_SUMMARY        TEXT,
    ENERGY              TEXT,
    FLOW_TIME           TEXT,
    CRITICAL_DEPTH      TEXT,
    FRICTION_SLOPE      TEXT,
    PTCOPTIONSTR        TEXT,
    PTCSTR              TEXT,
    PTCSTR2             TEXT,
    PCBUFSTR            TEXT,
    PAREABUFSTR         TEXT
);

-- The network rules look pipes up by their structure and previous pipes; without
-- these indexes every check reads the whole table. Opening a project adds them to
-- files made before they were part of the template.
CREATE INDEX IF NOT EXISTS PIPE_NODEIN_NO ON PIPE (NODEIN_NO);
CREATE INDEX IF NOT EXISTS PIPE_PRENODE1 ON PIPE (PRENODE1);
CREATE INDEX IF NOT EXISTS PIPE_PRENODE2 ON PIPE (PRENODE2);
CREATE INDEX IF NOT EXISTS PIPE_PRENODE3 ON PIPE (PRENODE3);
CREATE INDEX IF NOT EXISTS PIPE_PRENODE4 ON PIPE (PRENODE4);

-- The outlet protection record of an outfall.
CREATE TABLE ENERGY (
    ENODEOUT_NO     TEXT,
    EFLOW_DEPTH     TEXT,
    W_CULVERT       TEXT,
    C_DISCHARGE     TEXT,
    BED_MATL        TEXT,
    OUTLET_PROTECT  TEXT,
    PLINDEX         TEXT,
    TXT_EC          TEXT,   -- VDOT riprap class
    TXTEC_L         TEXT,   -- L2/h2 of the Contra Costa basin
    TXTEC_T         TEXT,   -- h3 of the Contra Costa basin
    TXT_D           TEXT,   -- D16 of the bed material
    TXT_W           TEXT,   -- D84 of the bed material
    VELOCITY_NS     TEXT,
    D50BED          TEXT,
    TXT_L           TEXT,
    SCOUR_LOCATION  TEXT
);

-- The rainfall coefficients the pipes were last solved with, one row per storm
-- frequency, so that opening the project can tell when the rainfall databases
-- have changed since. Files made before it get it on the first solve.
CREATE TABLE DESIGN_RAINFALL (
    STORM_FREQ      INTEGER PRIMARY KEY,  -- years
    RAINFALL_FILE   TEXT,   -- VArainfall.rdb, VARMSTORM.rdb or VARMNOAA.rdb
    RAINFALL_NAME   TEXT,   -- the station or county as stored there
    COEF_A          REAL,   -- i = A / (B + Tc) for legacy projects
    COEF_B          REAL,   -- i = B / (Tc + D)^E otherwise
    COEF_D          REAL,
    COEF_E          REAL,
    SOURCE          TEXT,   -- "program folder" or "per-user import"
    SOURCE_PATH     TEXT,   -- the rainfall database read
    IMPORTED_FROM   TEXT,   -- the NOAA export or coefficient table imported
    IMPORT_DATE     TEXT    -- YYYY-MM-DD of that import
);
