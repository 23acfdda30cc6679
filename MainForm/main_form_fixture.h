// A fixture for tests of the main window: a module-like context (current
// record, window references), a temporary Plugins folder, and a fake log
// query that the window binds to instead of a database.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MainForm/main_form.h"
#include "base/log_query_override.h"
#include "base/testing/fake_log_query.h"
#include "domlist/dom_list.h"
#include "tests/support/record_builder.h"
#include "tests/support/temp_dir.h"
#include "ui/testing/framework_fixture.h"

namespace qxqy::testing {

// Forwards to a FakeLogQuery and runs a hook after each successful Open().
class HookedQuery : public LogQuery {
 public:
  HookedQuery(std::unique_ptr<FakeLogQuery> inner, std::function<void()>* on_open)
      : inner_(std::move(inner)), on_open_(on_open) {}
  void Close() override { inner_->Close(); }
  bool IsOpen() const override { return inner_->IsOpen(); }
  void SetText(std::string sql) override { inner_->SetText(std::move(sql)); }
  const std::string& Text() const override { return inner_->Text(); }
  void Open() override {
    inner_->Open();
    if (*on_open_) (*on_open_)();
  }
  bool Eof() const override { return inner_->Eof(); }
  std::string FieldAsText(std::string_view column) override { return inner_->FieldAsText(column); }
  void Next() override { inner_->Next(); }

 private:
  std::unique_ptr<FakeLogQuery> inner_;
  std::function<void()>* on_open_;
};

class MainFormTest : public FrameworkTest {
 protected:
  using Row = FakeLogQuery::Row;

  MainFormTest()
      : query_override_([this](uint32_t connection) {
          bound_connection_ = connection;
          auto query = std::make_unique<FakeLogQuery>(
              std::vector<std::string>{"QSOReportRecived", "CallSign", "DigiBand", "QSOMode",
                                       "WPX"},
              rows_);
          query_ = query.get();
          return std::make_unique<HookedQuery>(std::move(query), &on_open_);
        }) {
    context_.current_record = &current_;
    context_.main_form = &main_ref_;
    context_.dom_list = &dom_ref_;
    context_.plugins_folder = plugins_.path().string() + "/";
  }

  // A log row: report, call, band, mode, wpx.
  void AddLogRow(std::string report, std::string call, std::string band, std::string mode,
                 std::string wpx) {
    rows_.push_back(Row{report, call, band, mode, wpx});
  }
  void WriteDistrictTable(std::string_view bytes) { plugins_.Write("qx-qy.dom", bytes); }
  void WriteCallDistricts(std::string_view bytes) { plugins_.Write("qx-qy.txt", bytes); }

  // Creates the main window from `record` the way Run does, without showing it.
  TfmMainForm* Create(const HostRecord& record) {
    TfmMainForm* form = App().CreateForm<TfmMainForm>(record, context_);
    main_ref_ = form;
    return form;
  }
  // Creates and shows it: the first show rebuilds from the log.
  TfmMainForm* Open(const HostRecord& record) {
    TfmMainForm* form = Create(record);
    form->Show();
    return form;
  }

  static std::vector<std::string> GridRow(const TfmMainForm& form, int row) {
    std::vector<std::string> cells;
    for (int col = 0; col < form.StringGrid1.ColCount(); ++col) {
      cells.push_back(form.StringGrid1.Cell(col, row));
    }
    return cells;
  }

  // The record a host would send with the operator's station set up so that
  // every contact scores 3 and home-country prefixes count.
  static RecordBuilder HostDefaults() {
    RecordBuilder builder;
    builder.LogTable("QSOs").OwnGroup("QX").QsoGroup("DX").Country("QX").LogCaption("Log");
    return builder;
  }

  HostRecord current_{};
  ComponentRef<TfmMainForm> main_ref_;
  ComponentRef<TfmDomList> dom_ref_;
  MainFormContext context_;
  TempDir plugins_;
  std::vector<Row> rows_;
  FakeLogQuery* query_ = nullptr;
  std::optional<uint32_t> bound_connection_;
  // Runs right after the window's query has opened, just before the rebuild
  // lets pending messages run: what happens here happens "during the pause".
  std::function<void()> on_open_;

 private:
  ScopedLogQueryOverride query_override_;
};

}  // namespace qxqy::testing
