#include "logfile/contact_handoff.h"

namespace qxqy::logfile {

ContactHandoff::ContactHandoff() {
  empty_.reserve(kBatches);
  for (ParsedLog& batch : batches_) empty_.push_back(&batch);
}

void ContactHandoff::Take(const ParsedLog& log, const ParsedLog::Contact& contact) {
  if (stopped_) return;
  if (!seen_first_) {
    seen_first_ = true;
    first_own_call_ = log.own_call;
  }
  if (filling_ == nullptr) {
    std::unique_lock<std::mutex> lock(mutex_);
    batch_empty_.wait(lock, [this] { return !empty_.empty() || abandoned_; });
    if (abandoned_) {
      stopped_ = true;
      return;
    }
    filling_ = empty_.back();
    empty_.pop_back();
  }
  filling_->AddCopyOf(log, contact);
  if (filling_->contacts().size() == kBatchContacts) HandOver();
}

void ContactHandoff::HandOver() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (abandoned_) {
      stopped_ = true;
    } else {
      full_.push_back(filling_);
    }
  }
  filling_ = nullptr;
  batch_full_.notify_one();
}

void ContactHandoff::Close() {
  if (filling_ != nullptr) HandOver();
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  batch_full_.notify_one();
}

const ParsedLog* ContactHandoff::NextBatch() {
  std::unique_lock<std::mutex> lock(mutex_);
  batch_full_.wait(lock, [this] { return !full_.empty() || closed_; });
  if (full_.empty()) return nullptr;
  const ParsedLog* batch = full_.front();
  full_.pop_front();
  return batch;
}

void ContactHandoff::GiveBack(const ParsedLog* batch) {
  for (ParsedLog& own : batches_) {
    if (&own != batch) continue;
    own.ClearContacts();  // the scorer's until handed back
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      empty_.push_back(&own);
    }
    batch_empty_.notify_one();
    return;
  }
}

void ContactHandoff::Abandon() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
  }
  batch_empty_.notify_one();
}

}  // namespace qxqy::logfile
