#include "logfile/parsed_log.h"

#include <algorithm>
#include <limits>

#include "logfile/byte_source.h"

namespace qxqy::logfile {
namespace {

constexpr size_t kMaxText = 255;

std::string_view Cut(std::string_view text) { return text.substr(0, kMaxText); }

}  // namespace

void ParsedLog::Add(int64_t time_key, uint32_t line, uint8_t band, uint8_t mode,
                    const ContactText& text) {
  const std::string_view call = Cut(text.call);
  const std::string_view exchange = Cut(text.exchange);
  const std::string_view prefix = Cut(text.prefix);
  if (text_.size() + 3 * kMaxText > std::numeric_limits<uint32_t>::max()) {
    throw LogReadError("the log holds more text than the checker can keep (4 GB)");
  }
  const auto offset = static_cast<uint32_t>(text_.size());
  text_.append(call).append(exchange).append(prefix);
  contacts_.push_back({time_key, line, offset, static_cast<uint8_t>(call.size()),
                       static_cast<uint8_t>(exchange.size()), static_cast<uint8_t>(prefix.size()),
                       band, mode});
  if (sink_ != nullptr) sink_->Take(*this, contacts_.back());
}

void ParsedLog::AddCopyOf(const ParsedLog& log, const Contact& contact) {
  // The three texts stand one after another: one copy takes them all.
  const size_t size = size_t{contact.call_size} + contact.exchange_size + contact.prefix_size;
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

void ParsedLog::ReserveForBytes(uint64_t bytes) {
  // Reserved memory that is never written costs address space only.
  constexpr uint64_t kMinBytesPerContact = 48;
  constexpr uint64_t kMaxReserve = uint64_t{1} << 30;
  const uint64_t contacts = std::min(bytes / kMinBytesPerContact, kMaxReserve / sizeof(Contact));
  contacts_.reserve(static_cast<size_t>(contacts));
  text_.reserve(static_cast<size_t>(std::min(bytes / 2, kMaxReserve)));
}

ContactText ParsedLog::TextOf(const Contact& contact) const {
  const std::string_view all(text_);
  const std::string_view call = all.substr(contact.text, contact.call_size);
  const std::string_view exchange =
      all.substr(contact.text + contact.call_size, contact.exchange_size);
  const std::string_view prefix =
      all.substr(contact.text + contact.call_size + contact.exchange_size, contact.prefix_size);
  return {call, exchange, prefix};
}

}  // namespace qxqy::logfile
