// The multiplier window's colour decision for a list of 200 districts with
// 2,000 district keys recorded: one paint of the whole list (LV1's font for
// every item, as the backends draw it), through the key list's substring
// index, against the same decision made by scanning every key in order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "domlist/dom_list.h"
#include "refdata/district_table.h"
#include "scoring/multiplier_key_list.h"
#include "ui/application.h"

namespace qxqy::bench {
namespace {

constexpr size_t kDistricts = 200;
// Ten band labels times 200 districts: 2,000 keys.
const char* const kBands[] = {"1.8", "3.5", "7", "10", "14", "18", "21", "24", "28", "50"};

std::string DistrictCode(size_t index) {
  std::string code(3, 'A');
  for (int i = 2; i >= 0; --i, index /= 26) code[i] = static_cast<char>('A' + index % 26);
  return code;
}

class PaintSource : public DistrictMarks, public DomListHost {
 public:
  PaintSource() {
    std::vector<std::string> lines;
    for (size_t i = 0; i < kDistricts; ++i)
      lines.push_back(DistrictCode(i) + "=" + DistrictCode(i));
    table_.Assign(lines);
    // Every other district worked on each band, so half the items are red.
    for (const char* band : kBands) {
      for (size_t i = 0; i < kDistricts; ++i) {
        keys_.AddIfAbsent(std::string(band) + "|" + DistrictCode(i * 2 % (2 * kDistricts)) + "|");
      }
    }
  }
  const DistrictTable* GetDistrictTable() const override { return &table_; }
  DistrictMark MarkOfDistrict(std::string_view band_label,
                              std::string_view district) const override {
    return qxqy::MarkOfDistrict(&keys_, band_label, district);
  }
  std::string StoredCurrentBand() const override { return "5"; }
  void StoreCurrentBand(int) override {}
  void ForgetDomList(const TfmDomList&) override {}

  const MultiplierKeyList& keys() const { return keys_; }

 private:
  DistrictTable table_;
  MultiplierKeyList keys_{MultiplierKeyList::SubstringIndex::kBarEnded};
};

void BM_PaintDistrictList(benchmark::State& state) {
  PaintSource source;
  TfmDomList* window = Application::Instance().CreateForm<TfmDomList>(source, source);
  window->SelectBand(5);
  int red = 0;
  for (auto _ : state) {
    red = 0;
    for (int i = 0; i < window->LV1.Count(); ++i) red += window->LV1.DrawItemFont(i).bold;
    benchmark::DoNotOptimize(red);
  }
  state.counters["keys"] = static_cast<double>(source.keys().Count());
  state.counters["items"] = window->LV1.Count();
  state.counters["red"] = red;
  Component::Destroy(window);
}
BENCHMARK(BM_PaintDistrictList);

// The same decision as a scan of the keys in order, first hit wins.
void BM_PaintDistrictListLinearScan(benchmark::State& state) {
  PaintSource source;
  TfmDomList* window = Application::Instance().CreateForm<TfmDomList>(source, source);
  window->SelectBand(5);
  const std::vector<std::string>& keys = source.keys().Keys();
  int red = 0;
  for (auto _ : state) {
    red = 0;
    for (int i = 0; i < window->LV1.Count(); ++i) {
      const std::string search = window->CurrentBandText + "|" + window->LV1.Caption(i) + "|";
      red += std::any_of(keys.begin(), keys.end(), [&](const std::string& key) {
        return key.find(search) != std::string::npos;
      });
    }
    benchmark::DoNotOptimize(red);
  }
  state.counters["red"] = red;
  Component::Destroy(window);
}
BENCHMARK(BM_PaintDistrictListLinearScan);

}  // namespace
}  // namespace qxqy::bench
