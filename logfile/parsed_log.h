// What a reader took from a log file: its contacts, packed, and what its
// header says of the log.
//
// Each contact costs one small fixed record (time, line, band, mode and
// where its texts stand) plus its characters in one shared text buffer, so a
// log of a million contacts stays within the engine's own budget per
// contact. Texts are cut to 255 characters, the most the host's record holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qxqy::logfile {

class ContactSink;

// The texts of one contact as a reader found them.
struct ContactText {
  std::string_view call;             // upper case, trimmed
  std::string_view exchange;         // as received
  std::string_view prefix;           // the log's own WPX prefix (ADIF PFX); may be empty
  std::string_view sent_exchange{};  // what the log's station sent, without the report
};

class ParsedLog {
 public:
  struct Contact {
    int64_t time_key;  // YYYYMMDDhhmmss; equal keys keep file order
    uint32_t line;
    uint32_t text;  // offset of call, exchange and prefix, one after another
    uint8_t call_size;
    uint8_t exchange_size;
    uint8_t prefix_size;
    uint8_t band;                // index into Bands()
    uint8_t mode;                // index into kModes
    uint8_t sent_exchange_size;  // its text follows the prefix
    uint16_t sent_call;          // index into sent_calls()
  };

  // Sets the call the log's station sent with the contacts added from now
  // on (upper case, trimmed). A log sends the same call on nearly every
  // line, so each distinct call is kept once and a contact holds its index
  // (in the record's padding: it costs nothing more). After kMaxSentCalls
  // distinct calls, further new ones share the last index, whose text is
  // then empty.
  void SetSentCall(std::string_view call);
  static constexpr uint16_t kMaxSentCalls = 0xFFFF;
  const std::vector<std::string>& sent_calls() const { return sent_calls_; }
  std::string_view SentCallOf(const Contact& contact) const;

  // Appends a contact and passes it on to the sink, if one is set. Throws
  // LogReadError when the log's texts no longer fit the buffer's 4 GB.
  void Add(int64_t time_key, uint32_t line, uint8_t band, uint8_t mode, const ContactText& text);

  // Passes every contact added from now on to `sink` too (null: to none).
  // The sink is not owned: unset it before it goes.
  void ForwardContactsTo(ContactSink* sink) { sink_ = sink; }

  // Appends a copy of `contact` of `log` with its texts, passing it on to
  // no sink: a batch of another log's contacts.
  void AddCopyOf(const ParsedLog& log, const Contact& contact);

  // Forgets every contact and its texts, keeping their room (a batch of
  // contacts filled again and again).
  void ClearContacts();

  // Makes room for a log of about `bytes` bytes (at least some 50 per
  // contact), so that reading it does not copy what it read so far.
  void ReserveForBytes(uint64_t bytes);
  // Gives back what ReserveForBytes reserved and the log did not use: for a
  // log kept in memory with many others.
  void ShrinkToFit();

  std::vector<Contact>& contacts() { return contacts_; }
  const std::vector<Contact>& contacts() const { return contacts_; }
  // Inline: asked for every contact by every phase of a check.
  ContactText TextOf(const Contact& contact) const {
    // The four texts stand one after another from contact.text, within
    // text_ (Add put them there).
    const char* at = text_.data() + contact.text;
    const std::string_view call(at, contact.call_size);
    at += contact.call_size;
    const std::string_view exchange(at, contact.exchange_size);
    at += contact.exchange_size;
    const std::string_view prefix(at, contact.prefix_size);
    at += contact.prefix_size;
    return {call, exchange, prefix, std::string_view(at, contact.sent_exchange_size)};
  }
  // The received exchange without its signal report.
  std::string_view ExchangeWithoutReport(const Contact& contact) const;

  // From the log's header (or its first contacts).
  std::string own_call;
  std::optional<std::string> claimed_score;  // nullopt when the log claims none
  // A Cabrillo log without END-OF-LOG: (a submission that may be cut off).
  bool lacks_end_of_log = false;
  // The Cabrillo CALLSIGN: header as written (upper case), empty when none.
  std::string header_call;
  // The Cabrillo CATEGORY-OPERATOR, -BAND, -POWER, -MODE, -ASSISTED and
  // -TRANSMITTER headers (upper case), empty when absent.
  struct Category {
    std::string op, band, power, mode, assisted, transmitter;
  } category;
  // True when each contact's exchange starts with the signal report and a
  // blank (Cabrillo's "rcvd-rst rcvd-exch"); ADIF's SRX_STRING holds none.
  bool exchange_starts_with_report = false;
  // The lines of contacts the reader found and did not score (a broken or
  // X-QSO line, an ADIF record without a band...), in file order; the
  // reader's report says why.
  std::vector<uint32_t> unscored_lines;

 private:
  std::string text_;
  std::vector<Contact> contacts_;
  std::vector<std::string> sent_calls_;
  std::unordered_map<std::string, uint16_t> sent_call_index_;
  uint16_t current_sent_call_ = 0;
  ContactSink* sink_ = nullptr;
};

// Sees each contact a ParsedLog adds, right after it was added, on the
// thread that adds it: the check that scores a log while it is read.
class ContactSink {
 public:
  // `contact` is the one `log` just added (its texts: log.TextOf).
  virtual void Take(const ParsedLog& log, const ParsedLog::Contact& contact) = 0;

 protected:
  ContactSink() = default;
  ~ContactSink() = default;
  ContactSink(const ContactSink&) = default;
  ContactSink& operator=(const ContactSink&) = default;
};

}  // namespace qxqy::logfile
