-- Three contacts on three bands: one district (ALB, when the district table
-- lists it) and, with a home-country record, two prefixes.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES ('QX1AB', '14', 'CW', '599 ALB', 'QX1');
INSERT INTO QSOs VALUES ('DL1XYZ', '7', 'SSB', '59 001', 'DL1');
INSERT INTO QSOs VALUES ('QY2CD', '21', 'CW', '599 BEX', 'QY2');
