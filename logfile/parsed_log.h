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
#include <vector>

namespace qxqy::logfile {

class ContactSink;

// The texts of one contact as a reader found them.
struct ContactText {
  std::string_view call;      // upper case, trimmed
  std::string_view exchange;  // as received
  std::string_view prefix;    // the log's own WPX prefix (ADIF PFX); may be empty
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
    uint8_t band;  // index into Bands()
    uint8_t mode;  // index into kModes
  };

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

  std::vector<Contact>& contacts() { return contacts_; }
  const std::vector<Contact>& contacts() const { return contacts_; }
  ContactText TextOf(const Contact& contact) const;

  // From the log's header (or its first contacts).
  std::string own_call;
  std::optional<std::string> claimed_score;  // nullopt when the log claims none
  // A Cabrillo log without END-OF-LOG: (a submission that may be cut off).
  bool lacks_end_of_log = false;

 private:
  std::string text_;
  std::vector<Contact> contacts_;
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
