-- The sample project: the storm sewer of Laurel Ridge Drive, a short subdivision
-- street in Pulaski, Virginia, in English units at the NOAA-station release. Its
-- inlets are those of the sample inlet database (SampleInlets.gwk), which the
-- build links by its full path in the program folder. The pipes are in
-- sample_project.csv.
--
-- Two runs of curb inlets follow the street down, one on each side, and meet in a
-- junction box under the low point; a low-cover box culvert carries the flow to an
-- end wall at the channel below the road. Every discharge is computed for the
-- 10-year storm: the curb inlets' areas, C·A and Tc come from the inlet database;
-- the yard inlet and the junction box have their own drainage areas (and the yard
-- inlet its own Tc), kept in the pipe list as the area and Tc windows store them.

INSERT INTO PROJECT (MAJOR_RELEASE, NOAA_STATION, PROJECT_ID, PROJECT_NAME, COUNTY, STATE,
                     UNITS, LOCATION, DESIGNER, DESCRIPTION)
VALUES ('2.1', 'Pulaski', 'LRD-07', 'Laurel Ridge Drive Storm Sewer', 'Pulaski', 'VA',
        'ENGLISH', 'Laurel Ridge Dr., Sta. 9+60 to 15+20', 'R. Hale',
        'Curb inlet runs on both sides joining at a junction box; box culvert outfall.');
