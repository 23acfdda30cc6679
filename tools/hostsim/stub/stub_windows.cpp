// The stub's windows and its read of the host's log.
#include <windows.h>
// clang-format off
#include <commctrl.h>
// clang-format on

#include <array>
#include <string>
#include <vector>

#include "tools/hostsim/dispatch_client.h"
#include "tools/hostsim/stub/stub_plugin.h"

namespace qxqy::stub {

namespace {

using hostsim::ComRef;
using hostsim::InvokeByName;
using hostsim::OwnedVariant;

constexpr size_t kConnectionOffset = 0;
constexpr size_t kLogTableOffset = 12;
constexpr size_t kLogCaptionOffset = 3868;
constexpr int kRows = 8;
constexpr int kColumns = 5;
constexpr UINT kReleaseMessage = WM_APP + 1;
constexpr int kRecalcId = 101;
constexpr int kDistrictId = 102;
constexpr int kFirstBandId = 201;
const char* const kBands[] = {"7", "14", "21"};
const char* const kItems[] = {"AAA", "BBB", "CCC"};
const wchar_t* const kLogColumns[kColumns] = {L"CallSign", L"DigiBand", L"QSOMode",
                                              L"QSOReportRecived", L"WPX"};

HWND g_main = nullptr;
HWND g_score = nullptr;
HWND g_grid = nullptr;
HWND g_multipliers = nullptr;
IDispatch* g_connection = nullptr;
const unsigned char* g_record = nullptr;  // the plug-in's copy of the host's record
std::array<std::array<std::string, kColumns>, kRows> g_cells;

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x100 ? char(c) : '?';
  return out;
}

std::string GridText() {
  std::string text;
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      text += (column ? "\t" : "") + g_cells[row][column];
    }
    if (row + 1 < kRows) text += "\r\n";
  }
  return text;
}

// Reads the whole log the way a late-bound ADO client does.
std::vector<std::array<std::string, kColumns>> ReadLog() {
  const std::string table = RecordText(g_record, kLogTableOffset);
  OwnedVariant sql = OwnedVariant::Text(
      L"Select * from " + std::wstring(table.begin(), table.end()) + L" order by CallSign");
  ComRef<IDispatch> recordset =
      InvokeByName(g_connection, L"Execute", DISPATCH_METHOD, {sql.get()}).AsObject();
  std::vector<std::array<std::string, kColumns>> rows;
  while (!InvokeByName(recordset.get(), L"EOF", DISPATCH_PROPERTYGET).AsBool()) {
    std::array<std::string, kColumns> row;
    for (int column = 0; column < kColumns; ++column) {
      ComRef<IDispatch> fields =
          InvokeByName(recordset.get(), L"Fields", DISPATCH_PROPERTYGET).AsObject();
      OwnedVariant name = OwnedVariant::Text(kLogColumns[column]);
      ComRef<IDispatch> field =
          InvokeByName(fields.get(), L"Item", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {name.get()})
              .AsObject();
      row[column] = Narrow(InvokeByName(field.get(), L"Value", DISPATCH_PROPERTYGET).AsText());
    }
    rows.push_back(row);
    InvokeByName(recordset.get(), L"MoveNext", DISPATCH_METHOD);
  }
  InvokeByName(recordset.get(), L"Close", DISPATCH_METHOD);
  return rows;
}

void Recalc() {
  for (auto& row : g_cells) row.fill("");
  for (int column = 0; column < kColumns; ++column) {
    g_cells[0][column] = Narrow(kLogColumns[column]);
  }
  try {
    const auto rows = ReadLog();
    for (size_t i = 0; i < rows.size() && i + 1 < kRows; ++i) g_cells[i + 1] = rows[i];
    SetWindowTextA(g_score, ("Rows: " + std::to_string(rows.size())).c_str());
  } catch (const Error& error) {
    MessageBoxA(g_main, error.what(), "Error", MB_OK | MB_ICONERROR);
  }
}

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_GETTEXTLENGTH) return LRESULT(GridText().size());
  if (message == WM_GETTEXT) {
    const std::string text = GridText();
    const size_t copied = wparam == 0 ? 0 : std::min<size_t>(text.size(), wparam - 1);
    if (wparam > 0) {
      text.copy(reinterpret_cast<char*>(lparam), copied);
      reinterpret_cast<char*>(lparam)[copied] = '\0';
    }
    return LRESULT(copied);
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

int CheckedBand() {
  for (int i = 0; i < 3; ++i) {
    if (IsDlgButtonChecked(g_multipliers, kFirstBandId + i) == BST_CHECKED) return i;
  }
  return -1;
}

LRESULT CALLBACK MultipliersProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lparam)->code == NM_CUSTOMDRAW) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lparam);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      const bool worked = int(draw->nmcd.dwItemSpec) == CheckedBand();
      draw->clrText = worked ? RGB(255, 0, 0) : RGB(0, 0, 0);
      SelectObject(draw->nmcd.hdc, GetStockObject(worked ? SYSTEM_FONT : DEFAULT_GUI_FONT));
      return CDRF_NEWFONT;
    }
  }
  if (message == WM_DESTROY) g_multipliers = nullptr;
  return DefWindowProcA(window, message, wparam, lparam);
}

void OpenMultipliers() {
  if (g_multipliers) return;
  g_multipliers = CreateWindowExA(WS_EX_TOPMOST, "QxqyStubMultipliers", "Multipliers",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 200, 150, g_main,
                                  nullptr, ThisModule(), nullptr);
  for (int i = 0; i < 3; ++i) {
    CreateWindowExA(0, "Button", kBands[i],
                    WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | BS_PUSHLIKE | (i ? 0 : WS_GROUP),
                    i * 40, 0, 40, 20, g_multipliers,
                    reinterpret_cast<HMENU>(INT_PTR(kFirstBandId + i)), ThisModule(), nullptr);
  }
  CheckDlgButton(g_multipliers, kFirstBandId + 1, BST_CHECKED);
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_LIST, 0, 22, 180, 80,
                              g_multipliers, nullptr, ThisModule(), nullptr);
  for (int i = 0; i < 3; ++i) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(kItems[i]);
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wparam) == kRecalcId) Recalc();
      if (LOWORD(wparam) == kDistrictId) OpenMultipliers();
      return 0;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_CLOSE) {
        ShowWindow(window, SW_MINIMIZE);
        return 0;
      }
      break;
    case kReleaseMessage:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (g_connection) g_connection->Release();
      g_connection = nullptr;
      g_main = nullptr;
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

const char* const kClassNames[] = {"QxqyStubMain", "QxqyStubMultipliers", "QxqyStringGrid"};
bool g_registered = false;

void RegisterClasses() {
  if (g_registered) return;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA window_class{};
  window_class.hInstance = ThisModule();
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpfnWndProc = MainProc;
  window_class.lpszClassName = kClassNames[0];
  RegisterClassA(&window_class);
  window_class.lpfnWndProc = MultipliersProc;
  window_class.lpszClassName = kClassNames[1];
  RegisterClassA(&window_class);
  window_class.lpfnWndProc = GridProc;
  window_class.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  window_class.lpszClassName = kClassNames[2];
  RegisterClassA(&window_class);
  g_registered = true;
}

}  // namespace

HWND MainWindow() { return g_main; }

HWND CreateMainWindow(const unsigned char* record) {
  RegisterClasses();
  const std::string caption = RecordText(record, kLogCaptionOffset) + " in Hostsim Stub";
  g_main = CreateWindowExA(WS_EX_TOPMOST, "QxqyStubMain", caption.c_str(),
                           WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 100, 100, 340, 240, nullptr,
                           nullptr, ThisModule(), nullptr);
  g_grid = CreateWindowExA(0, "QxqyStringGrid", "", WS_CHILD | WS_VISIBLE, 0, 0, 328, 149, g_main,
                           nullptr, ThisModule(), nullptr);
  g_score = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 8, 150, 200, 16, g_main,
                            nullptr, ThisModule(), nullptr);
  CreateWindowExA(0, "Button", "Recalc", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 121, 168, 102, 25,
                  g_main, reinterpret_cast<HMENU>(kRecalcId), ThisModule(), nullptr);
  CreateWindowExA(0, "Button", "District", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 224, 168, 102, 25,
                  g_main, reinterpret_cast<HMENU>(kDistrictId), ThisModule(), nullptr);
  g_connection = *reinterpret_cast<IDispatch* const*>(record + kConnectionOffset);
  if (g_connection) g_connection->AddRef();
  g_record = record;
  Recalc();
  return g_main;
}

void ShowQsoCount(int count) {
  SetWindowTextA(g_score, ("QSOs: " + std::to_string(count)).c_str());
}

void PostRelease() { PostMessageA(g_main, kReleaseMessage, 0, 0); }

void DestroyWindows() {
  if (g_main) DestroyWindow(g_main);
  if (!g_registered) return;
  for (const char* name : kClassNames) UnregisterClassA(name, ThisModule());
  g_registered = false;
}

}  // namespace qxqy::stub
