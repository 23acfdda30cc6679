// A stand-in plug-in for testing the host simulator itself: the six exports
// with the host's register convention, a window with the controls the
// simulator looks for, a log read through the host's Connection, an error box,
// and switches that break the calling convention or hang on purpose. Its
// behaviour, keyed on the call sign in the host's record:
//
//   _GetInfo     Title "Hostsim Stub", InfoValue1 1, Kind "stub", InfoValue2 2.
//   _Run         creates the window once ("<LogCaption> in Hostsim Stub"),
//                reads the log (the table named by LogTable) into the grid,
//                shows it, returns its handle.
//   _GetScore    0 without a window or call; -1 when the call was added
//                before, else 1. Call "HANG" never returns. Calls
//                "ABI-EBX", "ABI-ESP", "ABI-FPU" make the next _AddQSO break
//                that part of the convention.
//   _AddQSO      0 without a window; else counts the call, shows "QSOs: n"
//                and returns 1.
//   _GrabNumber  "D-" + call, cut to 255; empty without a window. Call
//                "OVERRUN" writes the whole 256-byte buffer.
//   _Release     posts the window's destruction.
//   unloading    destroys the windows that are left.
//
// The window: a "Static" score line, a "QxqyStringGrid" grid (8 rows of 5
// cells: the first seven rows of the log), buttons "Recalc" (reads the log
// again) and "District" (opens the "Multipliers" window: band buttons "7",
// "14", "21" and a list whose item at the checked band's index is drawn red
// bold). A failing log query shows its message in an error box.
#pragma once

#include <windows.h>

#include <string>

namespace qxqy::stub {

// A short text of the host's record at `offset`.
std::string RecordText(const unsigned char* record, size_t offset);

// Windows (stub_windows.cpp). `record` is the plug-in's own copy of the
// host's record, refreshed by every export call; it outlives the windows.
HWND CreateMainWindow(const unsigned char* record);
HWND MainWindow();
void ShowQsoCount(int count);
void PostRelease();
// Destroys the windows and unregisters their classes (the library is unloading).
void DestroyWindows();

}  // namespace qxqy::stub
