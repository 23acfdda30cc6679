// What the readers keep for the contest check: what each contact was sent
// with, the CALLSIGN and CATEGORY headers, and the contact lines they did
// not score.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logfile/byte_source.h"
#include "logfile/log_file.h"

namespace qxqy::logfile {
namespace {

ParsedLog Read(const std::string& text, Report& report) {
  ByteSource source(ByteSource::InMemory{}, text);
  return ReadLog(source, std::nullopt, report);
}

// "LINE SENT-CALL SENT-EXCHANGE RECEIVED-WITHOUT-REPORT" per contact.
std::vector<std::string> Sent(const ParsedLog& log) {
  std::vector<std::string> out;
  for (const auto& contact : log.contacts()) {
    out.push_back(std::to_string(contact.line) + " " + std::string(log.SentCallOf(contact)) + " " +
                  std::string(log.TextOf(contact).sent_exchange) + " " +
                  std::string(log.ExchangeWithoutReport(contact)));
  }
  return out;
}

TEST(SentFields, CabrilloKeepsSentCallExchangeHeadersAndUnscoredLines) {
  Report report;
  const ParsedLog log = Read(
      "START-OF-LOG: 3.0\n"
      "CALLSIGN: qx1aa\n"
      "CATEGORY-OPERATOR: single-op\n"
      "CATEGORY-BAND: ALL\n"
      "CATEGORY-POWER: LOW\n"
      "CATEGORY-MODE: CW\n"
      "CATEGORY-ASSISTED: NON-ASSISTED\n"
      "CATEGORY-TRANSMITTER: ONE\n"
      "QSO: 14025 CW 2026-03-14 1200 QX1AA 599 001 QY2BB 599 BEX\n"
      "QSO: 14025 CW 2026-03-14 1201 QX1AA/P 599 002 QY3CC 579 cAr\n"
      "QSO: 14025 CW 2026-03-14 1202 QX1AA 599 003 QY4DD 599\n"
      "X-QSO: 14025 CW 2026-03-14 1203 QX1AA 599 004 QY5EE 599 DDD\n"
      "QSO: 5360 CW 2026-03-14 1204 QX1AA 599 005 QY6FF 599 EEE\n"
      "QSO: \x01 binary\n"
      "END-OF-LOG:\n"
      "QSO: 14025 CW 2026-03-14 1205 QX1AA 599 006 QY7GG 599 FFF\n",
      report);
  EXPECT_EQ(Sent(log), (std::vector<std::string>{"9 QX1AA 001 BEX", "10 QX1AA/P 002 cAr"}));
  EXPECT_EQ(log.header_call, "QX1AA");
  EXPECT_EQ(log.sent_calls(), (std::vector<std::string>{"QX1AA", "QX1AA/P"}));
  EXPECT_EQ(log.category.op, "SINGLE-OP");
  EXPECT_EQ(log.category.band, "ALL");
  EXPECT_EQ(log.category.power, "LOW");
  EXPECT_EQ(log.category.mode, "CW");
  EXPECT_EQ(log.category.assisted, "NON-ASSISTED");
  EXPECT_EQ(log.category.transmitter, "ONE");
  EXPECT_EQ(log.unscored_lines, (std::vector<uint32_t>{11, 12, 13, 14, 16}));
}

TEST(SentFields, CabrilloWithoutCallsignHeaderHasNone) {
  Report report;
  const ParsedLog log = Read(
      "START-OF-LOG: 3.0\nQSO: 14025 CW 2026-03-14 1200 QX1AA 599 001 QY2BB 599 BEX\n", report);
  EXPECT_EQ(log.header_call, "");
  EXPECT_EQ(log.own_call, "QX1AA");
}

TEST(SentFields, AdifKeepsStationAndSentExchangeAndUnscoredRecords) {
  Report report;
  const ParsedLog log = Read(
      "<EOH>\n"
      "<STATION_CALLSIGN:5>QY2BB<CALL:5>QX1AA<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314"
      "<TIME_ON:4>1200<SRX_STRING:3>AAA<STX_STRING:3>BBB<STX:3>999<EOR>\n"
      "<OPERATOR:5>QY2BC<CALL:5>QX1AB<BAND:3>20m<MODE:2>CW<QSO_DATE:8>20260314"
      "<TIME_ON:4>1201<SRX:3>007<STX:3>008<EOR>\n"
      "<CALL:5>QX1AC<BAND:3>60m<MODE:2>CW<EOR>\n"
      "<BAND:3>20m<MODE:2>CW<EOR>\n",
      report);
  EXPECT_EQ(Sent(log), (std::vector<std::string>{"2 QY2BB BBB AAA", "3 QY2BC 008 007"}));
  EXPECT_EQ(log.unscored_lines, (std::vector<uint32_t>{4, 5}));
}

TEST(SentFields, ManySentCallsCostNoTimeAndShareTheLastIndexWhenFull) {
  ParsedLog log;
  for (uint32_t i = 0; i < ParsedLog::kMaxSentCalls + 10; ++i) {
    log.SetSentCall("C" + std::to_string(i));
    log.Add(20260314120000, i + 1, 0, 0, {"X", "", ""});
  }
  log.SetSentCall("C5");
  log.Add(20260314120000, 1, 0, 0, {"X", "", ""});
  EXPECT_EQ(log.sent_calls().size(), ParsedLog::kMaxSentCalls);
  EXPECT_EQ(log.SentCallOf(log.contacts().back()), "C5");
  EXPECT_EQ(log.SentCallOf(log.contacts()[ParsedLog::kMaxSentCalls + 5]), "");
  EXPECT_EQ(log.SentCallOf(log.contacts()[7]), "C7");
}

}  // namespace
}  // namespace qxqy::logfile
