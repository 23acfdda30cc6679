-- An empty log: only the windows' placement matters here.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
