#include "tools/hostsim/ado_connection.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tools/hostsim/dispatch_client.h"
#include "tools/hostsim/native_path.h"

namespace qxqy::hostsim {
namespace {

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kMethod = DISPATCH_METHOD;
constexpr WORD kItem = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

int Live(const char* kind) {
  const auto& live = DispatchObject::LiveObjects();
  const auto found = live.find(kind);
  return found == live.end() ? 0 : found->second;
}

class AdoConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    connection_ = AdoConnection::Open(DriverPath(folder_.File("log.db")), nullptr, error);
    ASSERT_EQ(error, "");
    connection_->ExecuteForHost(
        "CREATE TABLE QSOs (CallSign TEXT, DigiBand REAL, Nr INTEGER, Big INTEGER, Note TEXT)");
    connection_->ExecuteForHost(
        "INSERT INTO QSOs VALUES ('K1ABC', 14, 7, 5000000000, NULL), "
        "('DL1XY', 3.5, -2, 1, 'x')");
  }

  IDispatch* connection() { return connection_.get(); }

  ComRef<IDispatch> Execute(const std::wstring& sql) {
    OwnedVariant text = OwnedVariant::Text(sql);
    return InvokeByName(connection(), L"Execute", kMethod, {text.get()}).AsObject();
  }

  OwnedVariant Value(IDispatch* recordset, const std::wstring& column) {
    ComRef<IDispatch> fields = InvokeByName(recordset, L"Fields", kGet).AsObject();
    OwnedVariant name = OwnedVariant::Text(column);
    ComRef<IDispatch> field = InvokeByName(fields.get(), L"Item", kItem, {name.get()}).AsObject();
    return InvokeByName(field.get(), L"Value", kGet);
  }

  bool AtEnd(IDispatch* recordset) { return InvokeByName(recordset, L"EOF", kGet).AsBool(); }

  testing::TempDir folder_;
  ComRef<AdoConnection> connection_;
};

TEST_F(AdoConnectionTest, WalksTheRowsInQueryOrderWithTypedValues) {
  ComRef<IDispatch> recordset = Execute(L"Select * from QSOs order by CallSign");
  ASSERT_FALSE(AtEnd(recordset.get()));
  EXPECT_EQ(Value(recordset.get(), L"CallSign").AsText(), L"DL1XY");
  EXPECT_EQ(Value(recordset.get(), L"callsign").type(), VT_BSTR);
  EXPECT_EQ(Value(recordset.get(), L"DigiBand").type(), VT_R8);
  EXPECT_EQ(Value(recordset.get(), L"DigiBand").AsText(), L"3.5");
  EXPECT_EQ(Value(recordset.get(), L"Nr").type(), VT_I4);
  EXPECT_EQ(Value(recordset.get(), L"Nr").AsText(), L"-2");
  InvokeByName(recordset.get(), L"MoveNext", kMethod);
  ASSERT_FALSE(AtEnd(recordset.get()));
  EXPECT_EQ(Value(recordset.get(), L"CallSign").AsText(), L"K1ABC");
  EXPECT_EQ(Value(recordset.get(), L"Big").type(), VT_R8);  // beyond 32 bits
  EXPECT_EQ(Value(recordset.get(), L"Note").type(), VT_NULL);
  InvokeByName(recordset.get(), L"MoveNext", kMethod);
  EXPECT_TRUE(AtEnd(recordset.get()));
  InvokeByName(recordset.get(), L"Close", kMethod);
}

TEST_F(AdoConnectionTest, AFieldFollowsTheCurrentRowAndDefaultMembersWork) {
  ComRef<IDispatch> recordset = Execute(L"Select CallSign from QSOs order by CallSign");
  OwnedVariant name = OwnedVariant::Text(L"CallSign");
  ComRef<IDispatch> field = InvokeByName(recordset.get(), L"Fields", kGet, {name.get()}).AsObject();
  EXPECT_EQ(InvokeByName(field.get(), L"Value", kGet).AsText(), L"DL1XY");
  InvokeByName(recordset.get(), L"MoveNext", kMethod);
  EXPECT_EQ(InvokeByName(field.get(), L"Value", kGet).AsText(), L"K1ABC");

  ComRef<IDispatch> fields = InvokeByName(recordset.get(), L"Fields", kGet).AsObject();
  EXPECT_EQ(InvokeByName(fields.get(), L"Count", kGet).AsText(), L"1");
  OwnedVariant index = OwnedVariant::Int(0);
  ComRef<IDispatch> first = InvokeByName(fields.get(), L"Item", kItem, {index.get()}).AsObject();
  EXPECT_EQ(InvokeByName(first.get(), L"Name", kGet).AsText(), L"CallSign");
}

TEST_F(AdoConnectionTest, ErrorsCarryTheirMessagesAsAutomationExceptions) {
  ComRef<IDispatch> recordset = Execute(L"Select * from QSOs where Nr = 99");
  EXPECT_TRUE(AtEnd(recordset.get()));

  const struct {
    std::function<void()> call;
    HRESULT code;
    const char* message_part;
  } cases[] = {
      {[&] { Execute(L"Select * from Missing"); }, E_FAIL, "no such table: Missing"},
      {[&] { Execute(L"Selekt"); }, E_FAIL, "syntax error"},
      {[&] { Value(recordset.get(), L"CallSign"); }, kAdoNoCurrentRecord, "BOF or EOF"},
      {[&] { InvokeByName(recordset.get(), L"MoveNext", kMethod); }, kAdoNoCurrentRecord,
       "BOF or EOF"},
      {[&] {
         ComRef<IDispatch> other = Execute(L"Select * from QSOs");
         Value(other.get(), L"NoSuchColumn");
       },
       kAdoNotFound, "Item cannot be found"},
      {[&] {
         InvokeByName(recordset.get(), L"Close", kMethod);
         AtEnd(recordset.get());
       },
       kAdoClosed, "object is closed"},
  };
  for (const auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error; expected " << c.message_part;
    } catch (const DispatchCallError& error) {
      EXPECT_EQ(error.code(), c.code) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.message_part), std::string::npos) << error.what();
    }
  }
}

TEST_F(AdoConnectionTest, EveryObjectGoesWhenItsLastReferenceGoes) {
  const int connections = Live("connections");
  {
    ComRef<IDispatch> recordset = Execute(L"Select * from QSOs");
    OwnedVariant value = Value(recordset.get(), L"CallSign");
    EXPECT_EQ(Live("recordsets"), 1);
  }
  EXPECT_EQ(Live("recordsets"), 0);
  EXPECT_EQ(Live("fields-collections"), 0);
  EXPECT_EQ(Live("fields"), 0);
  EXPECT_EQ(Live("connections"), connections);

  // A recordset keeps its connection alive after the host let go of it.
  ComRef<IDispatch> recordset = Execute(L"Select * from QSOs");
  connection_.reset();
  EXPECT_EQ(Live("connections"), connections);
  EXPECT_FALSE(AtEnd(recordset.get()));
  recordset.reset();
  EXPECT_EQ(Live("connections"), connections - 1);
}

TEST(AdoConnectionOpenTest, AConnectionThatCannotOpenIsHandedOverClosed) {
  std::string error;
  ComRef<AdoConnection> connection =
      AdoConnection::Open("/nonexistent-folder/log.db", nullptr, error);
  EXPECT_NE(error, "");
  EXPECT_FALSE(connection->is_open());
  EXPECT_EQ(InvokeByName(connection.get(), L"State", kGet).AsText(), L"0");
  OwnedVariant sql = OwnedVariant::Text(L"Select 1");
  EXPECT_THROW(InvokeByName(connection.get(), L"Execute", kMethod, {sql.get()}), DispatchCallError);
}

TEST(AdoConnectionOpenTest, ClosingByTheClientIsReported) {
  testing::TempDir folder;
  std::string error;
  std::vector<std::string> notices;
  ComRef<AdoConnection> connection = AdoConnection::Open(
      DriverPath(folder.File("log.db")),
      [&notices](const std::string& notice) { notices.push_back(notice); }, error);
  InvokeByName(connection.get(), L"Close", kMethod);
  EXPECT_EQ(notices, std::vector<std::string>{"the plug-in closed the host's connection"});
  EXPECT_FALSE(connection->is_open());
}

}  // namespace
}  // namespace qxqy::hostsim
