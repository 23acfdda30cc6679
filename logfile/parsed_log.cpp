#include "logfile/parsed_log.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string_view>

#include "base/small_bytes.h"
#include "logfile/byte_source.h"

namespace qxqy::logfile {
namespace {

constexpr size_t kMaxText = 255;

// A contest's contacts are held by the million: the record stays 24 bytes.
static_assert(sizeof(ParsedLog::Contact) == 24);

std::string_view Cut(std::string_view text) { return text.substr(0, kMaxText); }

}  // namespace

void ParsedLog::Add(int64_t time_key, uint32_t line, uint8_t band, uint8_t mode,
                    const ContactText& text) {
  const std::string_view call = Cut(text.call);
  const std::string_view exchange = Cut(text.exchange);
  const std::string_view prefix = Cut(text.prefix);
  const std::string_view sent_exchange = Cut(text.sent_exchange);
  if (text_.size() + 4 * kMaxText > std::numeric_limits<uint32_t>::max()) {
    throw LogReadError("the log holds more text than the checker can keep (4 GB)");
  }
  const auto offset = static_cast<uint32_t>(text_.size());
  // The room for the four texts taken at once, then each copied in.
  text_.append(call.size() + exchange.size() + prefix.size() + sent_exchange.size(), '\0');
  char* at = text_.data() + offset;
  for (const std::string_view part : {call, exchange, prefix, sent_exchange}) {
    CopySmallBytes(at, part.data(), part.size());
    at += part.size();
  }
  contacts_.push_back({time_key, line, offset, static_cast<uint8_t>(call.size()),
                       static_cast<uint8_t>(exchange.size()), static_cast<uint8_t>(prefix.size()),
                       band, mode, static_cast<uint8_t>(sent_exchange.size()), current_sent_call_});
  if (sink_ != nullptr) sink_->Take(*this, contacts_.back());
}

void ParsedLog::AddCopyOf(const ParsedLog& log, const Contact& contact) {
  // The four texts stand one after another: one copy takes them all. The
  // copy keeps the contact's sent call index, which names a call of `log`.
  const size_t size = size_t{contact.call_size} + contact.exchange_size + contact.prefix_size +
                      contact.sent_exchange_size;
  if (text_.size() + size > std::numeric_limits<uint32_t>::max()) {
    throw LogReadError("the log holds more text than the checker can keep (4 GB)");
  }
  Contact copy = contact;
  copy.text = static_cast<uint32_t>(text_.size());
  text_.append(log.text_, contact.text, size);
  contacts_.push_back(copy);
}

void ParsedLog::ClearContacts() {
  contacts_.clear();
  text_.clear();
}

void ParsedLog::SetSentCall(std::string_view call) {
  call = Cut(call);
  if (!sent_calls_.empty() && sent_calls_[current_sent_call_] == call) return;
  const auto found = sent_call_index_.find(std::string(call));
  if (found != sent_call_index_.end()) {
    current_sent_call_ = found->second;
    return;
  }
  if (sent_calls_.size() < kMaxSentCalls) {
    sent_calls_.emplace_back(call);
    sent_call_index_.emplace(call, static_cast<uint16_t>(sent_calls_.size() - 1));
  } else {
    // Full: every further new call shares the last index, now without a text.
    sent_call_index_.erase(sent_calls_.back());
    sent_calls_.back().clear();
  }
  current_sent_call_ = static_cast<uint16_t>(sent_calls_.size() - 1);
}

std::string_view ParsedLog::SentCallOf(const Contact& contact) const {
  return contact.sent_call < sent_calls_.size() ? std::string_view(sent_calls_[contact.sent_call])
                                                : std::string_view();
}

std::string_view ParsedLog::ExchangeWithoutReport(const Contact& contact) const {
  std::string_view exchange = TextOf(contact).exchange;
  if (exchange_starts_with_report) {
    const size_t blank = exchange.find(' ');
    exchange = blank == std::string_view::npos ? std::string_view() : exchange.substr(blank + 1);
  }
  return exchange;
}

void ParsedLog::ReserveForBytes(uint64_t bytes) {
  // Reserved memory that is never written costs address space only.
  constexpr uint64_t kMinBytesPerContact = 48;
  constexpr uint64_t kMaxReserve = uint64_t{1} << 30;
  const uint64_t contacts = std::min(bytes / kMinBytesPerContact, kMaxReserve / sizeof(Contact));
  contacts_.reserve(static_cast<size_t>(contacts));
  text_.reserve(static_cast<size_t>(std::min(bytes / 2, kMaxReserve)));
}

void ParsedLog::ShrinkToFit() {
  contacts_.shrink_to_fit();
  text_.shrink_to_fit();
}

}  // namespace qxqy::logfile
