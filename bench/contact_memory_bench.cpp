// Memory per remembered contact: every allocation of the process is counted
// (a replaced global operator new/delete, sizes as malloc really reserves
// them), the scoring state is filled with 100,000 contacts, and the live
// bytes it holds are divided by the contacts. Reported beside the bytes of
// the contacts' own characters (call, band and mode), which any design has
// to keep. The target is at most 100 bytes per contact beyond those, for the
// whole scoring state (contact list and both multiplier key lists).
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/contest_log.h"
#include "refdata/district_table.h"
#include "scoring/scoring_state.h"

namespace {

size_t live_bytes = 0;

void* CountedAllocate(size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  live_bytes += malloc_usable_size(block);
  return block;
}

void CountedFree(void* block) noexcept {
  if (block == nullptr) return;
  live_bytes -= malloc_usable_size(block);
  std::free(block);
}

constexpr size_t kContacts = 100000;
constexpr double kTargetBytesPerContact = 100.0;

}  // namespace

void* operator new(size_t size) { return CountedAllocate(size); }
void* operator new[](size_t size) { return CountedAllocate(size); }
void operator delete(void* block) noexcept { CountedFree(block); }
void operator delete[](void* block) noexcept { CountedFree(block); }
void operator delete(void* block, size_t) noexcept { CountedFree(block); }
void operator delete[](void* block, size_t) noexcept { CountedFree(block); }

int main() {
  using namespace qxqy;
  using namespace qxqy::bench;
  ContestLogGenerator generator(7);
  const std::vector<LoggedContact> log = generator.Take(kContacts);
  size_t characters = 0;
  for (const LoggedContact& contact : log) {
    characters += contact.call.size() + contact.band.size() + contact.mode.size();
  }

  HostRecord record{};
  WriteShortText(record.OwnGroup, "QX");
  WriteShortText(record.QsoGroup, "DX");
  DistrictTable table;
  table.Assign(ContestLogGenerator::DistrictTableLines());
  ScoringState state(record, table, /*observer=*/nullptr);

  const size_t before = live_bytes;
  for (const LoggedContact& contact : log) {
    WriteContact(contact, record);
    state.ScoreQso(/*commit=*/true);
  }
  const size_t held = live_bytes - before;

  const double per_contact = static_cast<double>(held) / kContacts;
  const double characters_per_contact = static_cast<double>(characters) / kContacts;
  const double beyond = per_contact - characters_per_contact;
  std::printf("contacts remembered:            %zu\n", state.qso_list().Count());
  std::printf("district / prefix keys:         %zu / %zu\n", state.district_mults().Count(),
              state.wpx_mults().Count());
  std::printf("bytes held by the scoring state: %zu\n", held);
  std::printf("bytes per contact:              %.1f\n", per_contact);
  std::printf("characters per contact:         %.1f\n", characters_per_contact);
  std::printf("bytes per contact beyond them:  %.1f (target at most %.0f: %s)\n", beyond,
              kTargetBytesPerContact, beyond <= kTargetBytesPerContact ? "met" : "NOT met");
  return 0;
}
