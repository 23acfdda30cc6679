CREATE TABLE NoWpx (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT);
INSERT INTO NoWpx VALUES ('K1ABC', '14', 'CW', '599');
CREATE TABLE Empty (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT);
