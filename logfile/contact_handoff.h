// Hands the contacts a reader adds to its ParsedLog on one thread over to a
// scorer on another, in batches, in the order they were added.
//
// Threads: Take and Close are called by the reading thread only; NextBatch,
// GiveBack, Abandon and first_own_call by the scoring thread only. A batch
// belongs to one side at a time: the reader fills it, NextBatch gives it to
// the scorer, GiveBack returns it (emptied) to be filled again. Everything
// passed between the two goes through one mutex, so what the reader wrote
// into a batch (and the own call it noted) is seen whole by the scorer.
//
// Memory: kBatches batches of kBatchContacts contacts at most (about 3 MB),
// whatever the log's size; a reader that gets that far ahead waits for the
// scorer. That is far enough for either thread to go on for a while when
// the other is not running (a machine busy with other work), and small
// beside the log itself. A scorer that stops taking contacts (Abandon)
// lets the reader go on alone: from its next batch on the reader neither
// batches nor waits.
#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "logfile/parsed_log.h"

namespace qxqy::logfile {

class ContactHandoff final : public ContactSink {
 public:
  static constexpr size_t kBatchContacts = 4096;
  static constexpr size_t kBatches = 16;

  ContactHandoff();
  ~ContactHandoff() = default;
  ContactHandoff(const ContactHandoff&) = delete;
  ContactHandoff& operator=(const ContactHandoff&) = delete;

  // Reading thread: copies the contact into the batch being filled, and
  // hands the batch over when it is full.
  void Take(const ParsedLog& log, const ParsedLog::Contact& contact) override;
  // Reading thread: no contact follows; the batch being filled is handed
  // over as it is. Must be called once the reading ends, also when it
  // failed, or NextBatch waits forever.
  void Close();

  // Scoring thread: the next batch in reading order, waiting for it; null
  // once the reader closed and every batch was taken.
  const ParsedLog* NextBatch();
  // Scoring thread: returns a batch NextBatch gave, to be filled again.
  void GiveBack(const ParsedLog* batch);
  // Scoring thread: takes no more batches; the reader stops waiting.
  void Abandon();
  // Scoring thread, once NextBatch gave a batch: the log's own call as it
  // stood when its first contact was added.
  const std::string& first_own_call() const { return first_own_call_; }

 private:
  // Reading thread: hands `filling_` over unless the scorer abandoned.
  void HandOver();

  std::array<ParsedLog, kBatches> batches_;
  std::mutex mutex_;
  std::condition_variable batch_full_;   // full_ gained one, or closed_
  std::condition_variable batch_empty_;  // empty_ gained one, or abandoned_
  std::deque<ParsedLog*> full_;          // handed over, in reading order
  std::vector<ParsedLog*> empty_;        // ready to be filled
  bool closed_ = false;
  bool abandoned_ = false;

  // The reading thread's own (set before the first hand-over).
  ParsedLog* filling_ = nullptr;
  bool stopped_ = false;  // the scorer abandoned: nothing more is batched
  bool seen_first_ = false;
  std::string first_own_call_;
};

}  // namespace qxqy::logfile
