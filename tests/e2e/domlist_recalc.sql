-- Replayed in call-sign order: A1AA on 7, M1MM on 3.5, then Z1ZZ on 10, on
-- 18 and on 10 again (a duplicate), then ZZ9ZZ on 50 (no label of the nine).
-- The last contact that moves the window is Z1ZZ on 18.
CREATE TABLE QSOs (CallSign TEXT, DigiBand TEXT, QSOMode TEXT, QSOReportRecived TEXT, WPX TEXT);
INSERT INTO QSOs VALUES
  ('Z1ZZ', '10', 'CW', '599 CAR', 'Z1'),
  ('A1AA', '7', 'CW', '599 ALB', 'A1'),
  ('Z1ZZ', '18', 'CW', '599 CAR', 'Z1'),
  ('ZZ9ZZ', '50', 'CW', '599 DUN', 'ZZ9'),
  ('M1MM', '3.5', 'CW', '599 BEX', 'M1'),
  ('Z1ZZ', '10', 'CW', '599 CAR', 'Z1');
