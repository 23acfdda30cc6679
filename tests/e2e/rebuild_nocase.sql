-- A log whose CallSign column sorts ignoring letter case, so the rows come
-- back in an order that is not the calls' byte order. QB1B and qb1b are two
-- different calls; QB1B on 14 CW and qc1c on 7 SSB are each logged twice.
CREATE TABLE QSOs (CallSign TEXT COLLATE NOCASE, DigiBand TEXT, QSOMode TEXT,
                   QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES ('qa1a', '14', 'CW', '599', 'QA1');
INSERT INTO QSOs VALUES ('QB1B', '14', 'CW', '599', 'QB1');
INSERT INTO QSOs VALUES ('QB1B', '14', 'CW', '599', 'QB1');
INSERT INTO QSOs VALUES ('qb1b', '14', 'CW', '599', 'QB1');
INSERT INTO QSOs VALUES ('qc1c', '7', 'SSB', '59', 'QC1');
INSERT INTO QSOs VALUES ('QD1D', '7', 'SSB', '59', 'QD1');
INSERT INTO QSOs VALUES ('qc1c', '7', 'SSB', '59', 'QC1');
INSERT INTO QSOs VALUES ('Qe1e', '21', 'CW', '599', 'QE1');
