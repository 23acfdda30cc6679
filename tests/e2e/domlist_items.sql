-- One district worked: XAB on 14 (its key 14|XAB| holds the text "AB|").
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES ('QX1AB', '14', 'CW', '599 XAB', 'QX1');
