// LogQuery over the host's ADO-compatible Connection, by late binding only:
// Connection.Execute(sql) gives a Recordset; rows are read with EOF,
// Fields.Item(name).Value and MoveNext, and the recordset is closed with
// Close. The connection belongs to the host: it is borrowed (no reference
// taken), never closed and never released here. Every object obtained from
// it is released exactly once.
//
// Per recordset the member ids are resolved once, the Fields collection is
// fetched once, and each Field once, as ADO clients do: at the first read
// of its column (so in the order the columns are first read, and never for
// a recordset without rows), then kept until the recordset is closed. A
// Field's Value follows the current row, so each value read after that is
// one Value call.
#include <windows.h>
// windows.h first: the automation headers build on it.
#include <oleauto.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/native_log_query.h"
#include "base/win32/automation_object.h"
#include "base/win32/win32_error.h"

namespace qxqy {

namespace {

using win32::AutomationObject;
using win32::UniqueVariant;

// A Field of the open recordset and the column name it was asked for by.
struct KeptField {
  std::string name;
  AutomationObject field;
};

// The open recordset with the ids and Field objects it needs for every row.
struct OpenRecordset {
  AutomationObject recordset;
  AutomationObject fields;
  DISPID eof_id = DISPID_UNKNOWN;
  DISPID move_next_id = DISPID_UNKNOWN;
  DISPID item_id = DISPID_UNKNOWN;
  std::optional<DISPID> value_id;      // learnt from the first field read
  std::vector<KeptField> kept_fields;  // in the order they were first read
  size_t next_kept = 0;                // where the next search of kept_fields starts
};

class AdoLogQuery : public LogQuery {
 public:
  explicit AdoLogQuery(uint32_t connection_handle)
      : connection_(AutomationObject::Borrow(
            reinterpret_cast<IDispatch*>(static_cast<uintptr_t>(connection_handle)))) {}
  ~AdoLogQuery() override { CloseRecordset(); }

  void Close() override { CloseRecordset(); }

  bool IsOpen() const override { return open_.has_value(); }
  void SetText(std::string sql) override { text_ = std::move(sql); }
  const std::string& Text() const override { return text_; }

  void Open() override {
    Close();
    if (!connection_) throw DatabaseError("No database connection");
    UniqueVariant sql = win32::TextVariant(text_);

    OpenRecordset open;
    open.recordset = AutomationObject::FromVariant(
        connection_.Call(connection_.Id(L"Execute"), L"Execute", &sql.get()), L"Recordset");
    open.eof_id = open.recordset.Id(L"EOF");
    open.move_next_id = open.recordset.Id(L"MoveNext");
    open.fields = AutomationObject::FromVariant(
        open.recordset.Get(open.recordset.Id(L"Fields"), L"Fields"), L"Fields");
    open.item_id = open.fields.Id(L"Item");
    open_ = std::move(open);
    ReadEof();
  }

  bool Eof() const override { return eof_; }

  std::string FieldAsText(std::string_view column) override {
    if (!open_ || eof_) throw DatabaseError("No current row");
    AutomationObject& field = FieldOf(column);
    if (!open_->value_id) open_->value_id = field.Id(L"Value");
    const UniqueVariant value = field.Get(*open_->value_id, L"Value");
    return win32::VariantText(value.get());
  }

  void Next() override {
    if (!open_) throw DatabaseError("The query is not open");
    if (eof_) return;
    open_->recordset.Call(open_->move_next_id, L"MoveNext");
    ReadEof();
  }

 private:
  // Close's work, not virtual, so that the destructor runs exactly this.
  void CloseRecordset() {
    if (open_) {
      try {
        open_->recordset.Call(open_->recordset.Id(L"Close"), L"Close");
      } catch (const Error&) {
        // Closing is best effort: the recordset is let go either way.
      }
    }
    open_.reset();
    eof_ = true;
  }

  // The Field of `column`, fetched with Fields.Item at its first read and
  // kept. The rebuild reads the same names in the same order on every row,
  // so the search starts after the Field found last. An unknown column
  // throws (the database's message) and keeps nothing.
  AutomationObject& FieldOf(std::string_view column) {
    std::vector<KeptField>& kept = open_->kept_fields;
    for (size_t tried = 0; tried < kept.size(); ++tried) {
      const size_t at = open_->next_kept;
      open_->next_kept = at + 1 == kept.size() ? 0 : at + 1;
      if (kept[at].name == column) return kept[at].field;
    }
    UniqueVariant name = win32::TextVariant(column);
    AutomationObject field =
        AutomationObject::FromVariant(open_->fields.Call(open_->item_id, L"Item", &name.get(),
                                                         DISPATCH_PROPERTYGET | DISPATCH_METHOD),
                                      L"Field");
    kept.push_back(KeptField{std::string(column), std::move(field)});
    open_->next_kept = 0;
    return open_->kept_fields.back().field;
  }

  void ReadEof() {
    const UniqueVariant value = open_->recordset.Get(open_->eof_id, L"EOF");
    UniqueVariant flag;
    if (FAILED(VariantChangeType(flag.out(), const_cast<VARIANT*>(&value.get()), 0, VT_BOOL))) {
      throw DatabaseError("The database gave no EOF flag");
    }
    eof_ = V_BOOL(&flag.get()) != VARIANT_FALSE;
  }

  AutomationObject connection_;
  std::string text_;
  std::optional<OpenRecordset> open_;
  bool eof_ = true;
};

}  // namespace

std::unique_ptr<LogQuery> backend::CreateNativeLogQuery(uint32_t connection_handle) {
  return std::make_unique<AdoLogQuery>(connection_handle);
}

}  // namespace qxqy
