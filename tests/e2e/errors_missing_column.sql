-- Log tables that lack the WPX column: one with a row, one without.
CREATE TABLE NoWpx (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT);
INSERT INTO NoWpx VALUES ('QX1AB', '14', 'CW', '599 ALB');
CREATE TABLE NoWpxEmpty (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT);
