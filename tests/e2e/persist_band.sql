-- Districts worked on three bands: ALB on 14, BEX on 7, CAR on 21.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES
  ('QX1AB', '14', 'CW', '599 ALB', 'QX1'),
  ('QY2CD', '7', 'CW', '599 BEX', 'QY2'),
  ('QX3EF', '21', 'SSB', '59 CAR', 'QX3');
