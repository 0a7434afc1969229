-- The sample inlet database: the curb and yard inlets of a short subdivision
-- street in Pulaski, Virginia (English units), as the inlet-design product keeps
-- them. The sample project links it; the tests read it.
--
-- The street falls about 4.5 % from the cul-de-sac at Sta. 14+75 to the outfall
-- end wall (structure 1) below Sta. 10+50. Inlets sit in pairs, 14 ft either side
-- of the baseline; each drains a pavement strip (area 1, C 0.90) and the lots
-- behind it (area 2, C 0.30 to 0.50). Inlet 10 is a yard inlet behind the lots
-- whose flow was typed in the inlet product rather than computed from its area.
-- Numbers as the engineer typed them are kept as text; areas, C·A and flows are
-- numbers; COMPUTE_DISCHARGE is a yes/no (1 or 0).

CREATE TABLE INLET (
    INLET_NUMBER       TEXT PRIMARY KEY,
    DESCRIPTION        TEXT,
    STATION            TEXT,
    OFFSET             TEXT,
    OFFSET_LOCATION    TEXT,     -- "RIGHT" or "LEFT"
    TOP_ELEVATION      TEXT,     -- ft
    INLET_TYPE         TEXT,     -- VDOT standard inlet
    INLET_CONDITION    TEXT,     -- "ON GRADE" or "SAG"
    INLET_LENGTH       TEXT,     -- throat length, ft
    LONG_SLOPE         TEXT,     -- ft/ft
    CROSS_SLOPE        TEXT,     -- ft/ft
    TOTALAREA1         REAL,     -- acres
    TOTALAREA2         REAL,     -- acres
    TOTALCA1           REAL,     -- acres
    TOTALCA2           REAL,     -- acres
    TC                 TEXT,     -- min
    COMPUTE_DISCHARGE  INTEGER,  -- yes/no
    TOTAL_DISCHARGE    REAL,     -- cfs
    SPREAD             TEXT,     -- ft
    BYPASS_TO          TEXT      -- inlet that takes the flow passing this one
);

INSERT INTO INLET VALUES
 ('2',  'Laurel Ridge Dr. low point, right', '10+50.00', '14.00', 'RIGHT', '2081.42',
  'DI-3B', 'SAG',      '8',  '0.005', '0.020', 0.32, 0.85, 0.288, 0.298, '7.5',  1, 3.69, '6.8', NULL),
 ('3',  'Laurel Ridge Dr. low point, left',  '10+50.00', '14.00', 'LEFT',  '2081.38',
  'DI-3B', 'SAG',      '8',  '0.005', '0.020', 0.28, 0.64, 0.252, 0.224, '7.2',  1, 3.02, '6.1', NULL),
 ('4',  'Laurel Ridge Dr., right',           '12+00.00', '14.00', 'RIGHT', '2087.95',
  'DI-3B', 'ON GRADE', '10', '0.045', '0.020', 0.30, 1.10, 0.270, 0.330, '9.5',  1, 3.36, '5.4', '2'),
 ('5',  'Laurel Ridge Dr., left',            '12+00.00', '14.00', 'LEFT',  '2087.90',
  'DI-3B', 'ON GRADE', '10', '0.045', '0.020', 0.26, 0.45, 0.234, 0.203, '6.0',  1, 2.88, '5.0', '3'),
 ('6',  'Laurel Ridge Dr., right',           '13+40.00', '14.00', 'RIGHT', '2093.60',
  'DI-3B', 'ON GRADE', '6',  '0.040', '0.020', 0.22, 0.70, 0.198, 0.245, '8.4',  1, 2.61, '5.2', '4'),
 ('7',  'Laurel Ridge Dr., left',            '13+40.00', '14.00', 'LEFT',  '2093.55',
  'DI-3B', 'ON GRADE', '6',  '0.040', '0.020', 0.20, 0.35, 0.180, 0.175, '5.0',  1, 2.45, '4.9', '5'),
 ('8',  'Laurel Ridge Ct. cul-de-sac',       '14+75.00', '16.50', 'RIGHT', '2098.20',
  'DI-3C', 'SAG',      '10', '0.010', '0.020', 0.25, 1.25, 0.225, 0.375, '11.8', 1, 3.00, '7.5', NULL),
 ('10', 'Yard inlet behind lots 12 and 13',  '15+20.00', '32.00', 'LEFT',  '2099.10',
  'DI-7',  'SAG',      NULL, NULL,    NULL,    1.20, 0.00, 0.360, 0.000, '12.0', 0, 2.10, NULL,  NULL);
