// An in-memory stand-in for the host's ADO-compatible Connection, for tests
// of the automation log query: the IDispatch object model the query uses
// (Connection.Execute, Recordset.EOF/Fields/MoveNext/Close,
// Fields.Item(name), Field.Value), nothing more.
//
// Faults on demand: Execute fails for a chosen table, a chosen column is
// unknown, errors come with or without a description, or with the
// description deferred to pfnDeferredFillIn. Counters let tests check that
// every object handed out was released, and that member ids and Field
// objects were fetched once per recordset rather than once per row.
#pragma once

#include <windows.h>
// windows.h first: the automation headers build on it.
#include <oaidl.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

namespace qxqy::win32::testing {

// A cell: null, text or a 32-bit integer.
using FakeValue = std::variant<std::monostate, std::wstring, int>;

struct FakeTable {
  std::vector<std::wstring> columns;
  std::vector<std::vector<FakeValue>> rows;
};

struct FakeConnectionStats {
  int live_objects = 0;  // recordsets, field collections and fields not yet released
  int id_lookups = 0;    // GetIDsOfNames calls on every object
  int item_calls = 0;    // Fields.Item calls, whether they found a column or not
  // "Item <name>" and "Value <column>" for every Fields.Item and Field.Value
  // call, in call order.
  std::vector<std::wstring> field_calls;
  int executes = 0;
  int closes = 0;
  std::wstring last_sql;
};

// How Execute fails when the SQL names `failing_table`.
enum class FakeFailure { kDescribed, kDeferredDescription, kNoDescription };

// Creates the connection with one reference, owned by the caller (Release it).
// `stats` must outlive every object the connection hands out.
IDispatch* CreateFakeConnection(FakeTable table, FakeConnectionStats* stats,
                                std::wstring failing_table = L"",
                                FakeFailure failure = FakeFailure::kDescribed);

}  // namespace qxqy::win32::testing
