-- A short log: the windows' placement does not depend on it.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES ('QX1AB', '14', 'CW', '599 ALB', 'QX1'), ('QY2CD', '7', 'CW', '599 BEX', 'QY2');
