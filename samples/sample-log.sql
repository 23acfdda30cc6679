-- A short sample contest log in the host's log table layout. The scripts
-- build it into build/samples/sample-log.db with the sqlite3 tool.
DROP TABLE IF EXISTS QSOs;
CREATE TABLE QSOs (
  QSOId INTEGER PRIMARY KEY,
  QSODateTime TEXT,
  CallSign TEXT,
  DigiBand TEXT,
  QSOMode TEXT,
  QSOReportSent TEXT,
  QSOReportRecived TEXT,
  WPX TEXT
);
INSERT INTO QSOs (QSODateTime, CallSign, DigiBand, QSOMode, QSOReportSent, QSOReportRecived, WPX) VALUES
  ('2026-03-14 12:00', 'QX1AB',  '14',  'CW',  '599 001', '599 ALB',  'QX1'),
  ('2026-03-14 12:03', 'QX1AB',  '7',   'CW',  '599 002', '599 ALB',  'QX1'),
  ('2026-03-14 12:05', 'QX1AB',  '14',  'CW',  '599 003', '599 ALB',  'QX1'),
  ('2026-03-14 12:09', 'QX1AB',  '14',  'SSB', '59 004',  '59 ALB',   'QX1'),
  ('2026-03-14 12:12', 'QY2CD',  '14',  'CW',  '599 005', '599 BEX',  'QY2'),
  ('2026-03-14 12:15', 'QY2CD',  '21',  'CW',  '599 006', '599 bex',  'QY2'),
  ('2026-03-14 12:20', 'QX3EF',  '3.5', 'CW',  '599 007', '599 CAR',  'QX3'),
  ('2026-03-14 12:24', 'QX3EF',  '1.8', 'CW',  '599 008', '599 CAR ', 'QX3'),
  ('2026-03-14 12:30', 'DL1XYZ', '14',  'CW',  '599 009', '599 001',  'DL1'),
  ('2026-03-14 12:33', 'DL1XYZ', '28',  'CW',  '599 010', '599 002',  'DL1'),
  ('2026-03-14 12:40', 'K1ABC',  '21',  'SSB', '59 011',  '59 005',   'K1'),
  ('2026-03-14 12:41', 'K1ABC',  '21',  'SSB', '59 012',  '59 005',   'K1'),
  ('2026-03-14 12:45', 'QX4GH',  '7',   'SSB', '59 013',  '59 DUN',   'QX4'),
  ('2026-03-14 12:50', 'QX5IJ',  '7',   'CW',  '599 014', '599 ZZZ',  'QX5'),
  ('2026-03-14 12:55', 'QY6KL',  '28',  'CW',  '599 015', '599 ELM',  'QY6'),
  ('2026-03-14 13:00', 'QY6KL',  '10',  'CW',  '599 016', '599 ELM',  'QY6'),
  ('2026-03-14 13:05', 'JA1AAA', '14',  'CW',  '599 017', '599 010',  'JA1'),
  ('2026-03-14 13:10', 'QX7MN',  '14',  'CW',  '599 018', '599FEN',   'QX7'),
  ('2026-03-14 13:15', 'QX7MN',  '3.5', 'CW',  '599 019', '599 FEN',  'QX7'),
  ('2026-03-14 13:20', 'QY8OP',  '21',  'CW',  '599 020', '599 GAR',  'QY8'),
  ('2026-03-14 13:25', 'G4XYZ',  '1.8', 'CW',  '599 021', '599 011',  'G4'),
  ('2026-03-14 13:30', 'QX1AB',  '28',  'CW',  '599 022', '599 ALB',  'QX1'),
  ('2026-03-14 13:35', 'QY2CD',  '7',   'CW',  '599 023', '599 BEX',  'QY2'),
  ('2026-03-14 13:40', 'ON4AA',  '28',  'CW',  '599 024', '599 012',  'ON4');
