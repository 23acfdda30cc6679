#include "logfile/adif_reader.h"

#include <string>

#include "base/text.h"
#include "logfile/adif_record.h"

namespace qxqy::logfile {
namespace {

// A tag longer than this (name, length and type) is no tag.
constexpr size_t kMaxTag = 80;
// The most of a field's data that is kept.
constexpr size_t kMaxKeptData = 255;

// A tag's parts: <NAME:LENGTH:TYPE> or <NAME>.
struct Tag {
  std::string name;  // upper case
  std::string length;
  bool has_length = false;
};

Tag SplitTag(std::string_view text) {
  Tag tag;
  const size_t colon = text.find(':');
  tag.name = UpperCase(Trim(text.substr(0, colon)));
  if (colon != std::string_view::npos) {
    tag.has_length = true;
    const size_t type = text.find(':', colon + 1);
    tag.length = Trim(text.substr(
        colon + 1, type == std::string_view::npos ? std::string_view::npos : type - colon - 1));
  }
  return tag;
}

// The length written in `text`, or nullopt for anything but digits giving
// at most kMaxAdifLength.
std::optional<uint64_t> ParseLength(std::string_view text) {
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > kMaxAdifLength) return std::nullopt;
  }
  return value;
}

class AdifReader {
 public:
  AdifReader(ByteSource& source, ParsedLog& log, Report& report)
      : source_(source), log_(log), report_(report) {}

  void Read() {
    source_.SkipByteOrderMark();
    // Text before the first tag is a header only when the file does not
    // start with a tag.
    in_header_ = source_.Peek() != '<';
    while (true) {
      int c = source_.Get();
      while (c >= 0 && c != '<') c = source_.Get();
      if (c < 0) break;
      if (!ReadTag()) return;
    }
    if (!record_.empty() && !in_header_) {
      report_.Add(record_line_, "the last record is not ended by <EOR>; scored as it stands");
      EndRecord();
    }
  }

 private:
  // Reads a tag after its "<" and the field's data; false when the file
  // cannot be read further.
  bool ReadTag() {
    const uint32_t line = source_.line();
    std::string text;
    int c;
    while ((c = source_.Peek()) >= 0 && c != '>' && c != '<' && text.size() < kMaxTag) {
      text += static_cast<char>(source_.Get());
    }
    if (c != '>') {
      // Not a tag: the "<" was text between fields (or in the header).
      if (!in_header_) report_.Add(line, "unreadable tag '<" + Printable(text) + "', read past");
      return true;
    }
    source_.Get();
    const Tag tag = SplitTag(text);
    if (!tag.has_length) {
      EndOfSection(line, tag.name);
      return true;
    }
    const std::optional<uint64_t> length = ParseLength(tag.length);
    if (!length) {
      // The field's data cannot be told from what follows: it is read past
      // up to the next tag.
      report_.Add(line, "field " + Printable(tag.name) + ": length '" + Printable(tag.length) +
                            "' is not a number from 0 to 2147483647; field read past up to "
                            "the next <");
      return true;
    }
    std::string data;
    for (uint64_t i = 0; i < *length; ++i) {
      c = source_.Get();
      if (c < 0) {
        report_.Add(line, "field " + Printable(tag.name) + ": its length " +
                              std::to_string(*length) +
                              " runs past the end of the file; reading stops here");
        return false;
      }
      if (data.size() < kMaxKeptData) data += static_cast<char>(c);
    }
    // Header fields are collected too and dropped at <EOH>: a log whose
    // text before the first tag was no header keeps its first record.
    if (record_.empty()) record_line_ = line;
    if (const auto field = AdifRecord::FieldOfName(tag.name)) record_.Set(*field, std::move(data));
    return true;
  }

  void EndOfSection(uint32_t line, const std::string& name) {
    if (name == "EOH") {
      in_header_ = false;
      record_.Clear();
    } else if (name == "EOR") {
      if (in_header_) {
        // A log without <EOH> whose text before the first tag was no header.
        in_header_ = false;
      }
      if (!record_.empty()) EndRecord();
    } else if (!in_header_) {
      report_.Add(line, "tag <" + Printable(name) + "> has no length, read past");
    }
  }

  void EndRecord() {
    // A record that adds no contact is listed as not scored.
    const size_t before = log_.contacts().size();
    record_.AddTo(record_line_, log_, report_, time_key_);
    if (log_.contacts().size() == before) log_.unscored_lines.push_back(record_line_);
    record_.Clear();
  }

  // `text` with bytes outside printable ASCII shown as "?".
  static std::string Printable(std::string_view text) {
    std::string out(text.substr(0, kMaxTag));
    for (char& c : out) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < ' ' || byte > '~') c = '?';
    }
    return out;
  }

  ByteSource& source_;
  ParsedLog& log_;
  Report& report_;
  AdifRecord record_;
  uint32_t record_line_ = 0;
  int64_t time_key_ = 0;
  bool in_header_ = false;
};

}  // namespace

void ReadAdif(ByteSource& source, ParsedLog& log, Report& report) {
  AdifReader(source, log, report).Read();
}

}  // namespace qxqy::logfile
