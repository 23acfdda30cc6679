// ReadAndCheckLog scoring while a second thread reads must give what
// reading and then checking on one thread gives, byte for byte: the log,
// the figures and the report in the order its findings were made, for logs
// in time order, logs that leave it early, late or across a batch's edge,
// and logs whose own group is only known at their end. The handoff between
// the two threads passes every contact in order, and lets a reader whose
// scorer left finish alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "logfile/band_table.h"
#include "logfile/contact_handoff.h"
#include "logfile/log_checker.h"
#include "logfile/log_file.h"
#include "logfile/mode_map.h"
#include "tests/support/file_write_lock.h"
#include "tests/support/temp_dir.h"

namespace qxqy::logfile {
namespace {

constexpr size_t kBatch = ContactHandoff::kBatchContacts;
constexpr size_t kBatches = ContactHandoff::kBatches;

// Everything a check gave, as text.
std::string Describe(const CheckedLog& checked, const Report& report) {
  std::string out = "own call " + checked.log.own_call + ", claimed " +
                    checked.log.claimed_score.value_or("-") + "\n";
  for (const auto& contact : checked.log.contacts()) {
    const ContactText text = checked.log.TextOf(contact);
    out += std::to_string(contact.line) + " " + std::to_string(contact.time_key) + " " +
           std::string(text.call) + " " + std::string(Bands()[contact.band].label) + " " +
           std::string(kModes[contact.mode]) + " [" + std::string(text.exchange) + "]\n";
  }
  const CheckResult& result = checked.result;
  out += result.statistics.score_line + " own group " + result.own_group + " scored " +
         std::to_string(result.scored) + " duplicates " + std::to_string(result.duplicates) + "\n";
  for (const std::string& total : result.statistics.totals) out += total + " ";
  for (const TStatistic& band : result.bands) {
    out += "\n" + band.Band + ": " + std::to_string(band.Qsos) + " " + std::to_string(band.Points);
  }
  for (const Finding& finding : report.findings()) {
    out += "\n" + FormatFinding("log", finding);
  }
  return out + "\ndropped " + std::to_string(report.dropped());
}

class ReadAndCheckTest : public ::testing::Test {
 protected:
  ReadAndCheckTest() {
    folder_.Write("qx-qy.dom", "ALB=ALB\nBEX=BEX\nCAR=CAR\n");
    options_.plugins_folder = folder_.path().string() + "/";
  }

  // The check of `text` on one thread, or with a reading thread, as text
  // (or what it threw).
  std::string Check(const std::string& text, bool read_while_scoring) {
    CheckOptions options = options_;
    options.read_while_scoring = read_while_scoring;
    ByteSource source(ByteSource::InMemory{}, text);
    Report report;
    try {
      const CheckedLog checked = ReadAndCheckLog(source, std::nullopt, options, report);
      return Describe(checked, report);
    } catch (const Error& error) {
      return std::string("thrown: ") + error.what();
    }
  }

  void ExpectSameOnBothPaths(const std::string& name, const std::string& text) {
    const std::string alone = Check(text, false);
    const std::string pipelined = Check(text, true);
    EXPECT_EQ(pipelined, alone) << name;
  }

  qxqy::testing::TempDir folder_;
  CheckOptions options_;
};

// A Cabrillo QSO: line at `minute` of the contest (from 2026-03-14 00:00).
std::string Qso(int minute, const std::string& call, const std::string& exchange,
                const std::string& freq = "14025", const std::string& mode = "CW") {
  const int hour = minute / 60 % 24;
  const int day = 14 + minute / 1440;
  char when[32];
  std::snprintf(when, sizeof when, "2026-03-%02d %02d%02d", day, hour, minute % 60);
  return "QSO: " + freq + " " + mode + " " + when + " QX1OWN 599 001 " + call + " 599 " + exchange +
         "\n";
}

// A different call for every `i` (QX, QY or DL, a digit, three letters).
std::string CallOf(size_t i) {
  static const char* const kPrefixes[] = {"QX", "QY", "DL"};
  std::string call = kPrefixes[i % 3];
  call += static_cast<char>('0' + i / 3 % 10);
  for (size_t n = i / 30, k = 0; k < 3; ++k, n /= 26) call += static_cast<char>('A' + n % 26);
  return call;
}

// A Cabrillo log of `count` contacts, twenty a minute in file order except
// that contact `early` (when below count) goes back an hour; every
// hundredth contact repeats the one before it. `header` comes before the
// contacts, `trailer` after them.
std::string BigLog(size_t count, size_t early = SIZE_MAX,
                   const std::string& header = "CALLSIGN: QX1OWN\n",
                   const std::string& trailer = "") {
  std::string text = "START-OF-LOG: 3.0\n" + header;
  for (size_t i = 0; i < count; ++i) {
    const size_t who = i % 100 == 99 ? i - 1 : i;
    const int minute = static_cast<int>(i / 20) + (i == early ? 0 : 60);
    text += Qso(minute, CallOf(who), who % 3 == 2 ? "017" : "BEX");
  }
  return text + trailer + "END-OF-LOG:\n";
}

TEST_F(ReadAndCheckTest, GivesWhatReadingThenCheckingGives) {
  const std::string header = "START-OF-LOG: 3.0\nCALLSIGN: QX1OWN\nCLAIMED-SCORE: 12\n";
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"in time order, with a repeat and an unknown country",
       header + Qso(0, "QY2CD", "BEX") + Qso(1, "DL1XYZ", "017") + Qso(2, "QY2CD", "BEX") +
           "QSO: 99999 CW 2026-03-14 0003 QX1OWN 599 001 QX3EF 599 CAR\n"},
      {"out of order at once",
       header + Qso(10, "QY2CD", "BEX") + Qso(0, "QX3EF", "CAR") + Qso(10, "QY2CD", "BEX")},
      {"equal times keep file order",
       header + Qso(5, "QY2CD", "BEX") + Qso(5, "QY2CD", "BEX", "7025") + Qso(5, "QY2CD", "BEX")},
      {"no contact", header + "END-OF-LOG:\n"},
      {"no contact and no own call", "START-OF-LOG: 3.0\n"},
      {"the own call taken from the first contact",
       "START-OF-LOG: 3.0\n" + Qso(0, "QY2CD", "BEX") + Qso(1, "QX3EF", "CAR")},
      {"the own call named after the contacts (another group)",
       "START-OF-LOG: 3.0\n" + Qso(0, "QY2CD", "BEX") + Qso(1, "QX3EF", "CAR") +
           "CALLSIGN: QY9OWN\n"},
      {"the own call named after the contacts (the same group)",
       "START-OF-LOG: 3.0\n" + Qso(0, "QY2CD", "BEX") + "CALLSIGN: QX7OWN\n"},
      {"an ADIF log whose own call comes with its second record",
       "<EOH>\n<CALL:5>QY2CD <BAND:3>20m <MODE:2>CW <QSO_DATE:8>20260314 <TIME_ON:4>1200 "
       "<SRX_STRING:7>599 BEX <EOR>\n<CALL:5>QX3EF <BAND:3>20m <MODE:2>CW <QSO_DATE:8>20260314 "
       "<TIME_ON:4>1201 <SRX_STRING:7>599 CAR <STATION_CALLSIGN:6>QY1OWN <EOR>\n"},
      {"an ADIF log without own call, two records on a line",
       "<EOH>\n<CALL:6>DL1XYZ <BAND:3>20m <MODE:2>CW <QSO_DATE:8>20260314 <TIME_ON:4>1200 "
       "<SRX:7>599 017 <EOR><CALL:6>DL1XYZ <BAND:3>20m <MODE:2>CW <QSO_DATE:8>20260314 "
       "<TIME_ON:4>1201 <SRX:7>599 017 <EOR>\n"},
      {"a format that cannot be told", "hello\n"},
      {"three batches in time order", BigLog(2 * kBatch + 100)},
      {"leaving time order within the first batch", BigLog(3 * kBatch, 17)},
      {"leaving time order in the last batch", BigLog(3 * kBatch, 3 * kBatch - 2)},
      {"leaving time order at a batch's first contact", BigLog(3 * kBatch, kBatch)},
      {"leaving time order after the reader had to wait",
       BigLog((kBatches + 4) * kBatch, (kBatches + 3) * kBatch)},
      {"an own call after many batches", BigLog(2 * kBatch, SIZE_MAX, "", "CALLSIGN: DL1OWN\n")},
  };
  for (const auto& c : cases) ExpectSameOnBothPaths(c.name, c.text);
}

TEST_F(ReadAndCheckTest, KeepsTheReportsBoundWhereTheReaderFilledIt) {
  // More findings than the report keeps, most of them the reader's: the
  // checker's come after them and are only counted.
  std::string text = "START-OF-LOG: 3.0\nCALLSIGN: QX1OWN\n";
  for (size_t i = 0; i < Report::kMaxKept - 3; ++i) text += "X-QSO: nothing\n";
  for (size_t i = 0; i < 10; ++i) text += Qso(static_cast<int>(i), "DL1XYZ", "017");
  ExpectSameOnBothPaths("findings past the report's bound", text);
}

TEST_F(ReadAndCheckTest, FailsAsReadingThenCheckingFails) {
  // A district table that exists but cannot be read: held for writing.
  const qxqy::testing::FileWriteLock lock(folder_.File("qx-qy.dom"));
  const std::string alone = Check(BigLog(kBatch + 5), false);
  EXPECT_EQ(alone.rfind("thrown: ", 0), 0u) << alone;
  EXPECT_EQ(Check(BigLog(kBatch + 5), true), alone);
  // A log that cannot be read comes first.
  EXPECT_EQ(Check("hello\n", true), Check("hello\n", false));
}

TEST_F(ReadAndCheckTest, ReportsEachContactOnOneThreadWhenAskedTo) {
  // Contacts shown to on_contact cannot be taken back: the check reads
  // first, so that a log out of order is shown in time order.
  options_.read_while_scoring = true;
  const std::string text =
      "START-OF-LOG: 3.0\nCALLSIGN: QX1OWN\n" + Qso(10, "QY2CD", "BEX") + Qso(0, "QX3EF", "CAR");
  ByteSource source(ByteSource::InMemory{}, text);
  Report report;
  std::vector<std::string> shown;
  ReadAndCheckLog(source, std::nullopt, options_, report, [&](const ScoredContact& contact) {
    shown.push_back(std::to_string(contact.line) + " " + std::string(contact.call));
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"4 QX3EF", "3 QY2CD"}));
}

// Adds `count` contacts to a log forwarding them to `handoff`, numbered by
// their line from 1, then closes the handoff: a reader's side.
void AddContacts(ContactHandoff& handoff, size_t count) {
  ParsedLog log;
  log.ForwardContactsTo(&handoff);
  for (size_t i = 1; i <= count; ++i) {
    log.Add(static_cast<int64_t>(i), static_cast<uint32_t>(i), 0, 0, {"QX1AB", "599 ALB", ""});
  }
  handoff.Close();
}

TEST(ContactHandoffTest, PassesEveryContactInOrderAndEndsAfterTheLast) {
  ContactHandoff handoff;
  std::thread reader([&] { AddContacts(handoff, 3 * kBatch + 7); });
  uint32_t expected = 1;
  std::vector<size_t> sizes;
  while (const ParsedLog* batch = handoff.NextBatch()) {
    sizes.push_back(batch->contacts().size());
    for (const auto& contact : batch->contacts()) {
      ASSERT_EQ(contact.line, expected++);
      ASSERT_EQ(batch->TextOf(contact).exchange, "599 ALB");
    }
    handoff.GiveBack(batch);
  }
  reader.join();
  EXPECT_EQ(sizes, (std::vector<size_t>{kBatch, kBatch, kBatch, 7}));
}

TEST(ContactHandoffTest, ALeftReaderFinishesAloneHoweverFarAheadItWas) {
  // The scorer takes two batches and leaves; the reader, which may be
  // waiting for a batch to fill by then, reads on to its end.
  ContactHandoff handoff;
  std::thread reader([&] { AddContacts(handoff, (kBatches + 8) * kBatch); });
  for (int taken = 0; taken < 2; ++taken) handoff.GiveBack(handoff.NextBatch());
  handoff.Abandon();
  reader.join();  // hangs, and the test times out, if the reader waits on
}

}  // namespace
}  // namespace qxqy::logfile
