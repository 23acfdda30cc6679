-- Three contacts, and a view of them whose third call (in call order) cannot
-- be read: with the index, the rows come in call order one by one, so the
-- first two are delivered before the failure.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
CREATE INDEX QSOsByCall ON QSOs (CallSign);
INSERT INTO QSOs VALUES ('QX1AB', '14', 'CW', '599 ALB', 'QX1'),
                        ('QX2CD', '7', 'CW', '599 BEX', 'QX2'),
                        ('QX3EF', '21', 'SSB', '599 CAR', 'QX3');
CREATE VIEW BrokenAtThirdCall AS
  SELECT CallSign, DigiBand, QSOMode,
         CASE WHEN CallSign = 'QX3EF' THEN json('not json') ELSE QSOReportRecived END
           AS QSOReportRecived,
         WPX
  FROM QSOs;
