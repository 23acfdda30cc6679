-- One district on 7 and one on 21.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES ('QX1AB', '7', 'CW', '599 ALB', 'QX1'), ('QY2CD', '21', 'CW', '599 BEX', 'QY2');
