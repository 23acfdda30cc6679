// The plug-in's six entry points as portable functions. The Windows exports
// (exports_win32.cpp) are thin wrappers around these; the native scorer and
// the tests call them directly. They hold no contest logic: they copy the
// host's record into CurrentRecord, find the main window and hand the work on.
//
// Errors: an error raised by the main window's construction, scoring or the
// lookup leaves these functions as a qxqy::Error; the export barrier decides
// what the host sees. ReleasePlugin never throws.
#pragma once

#include <cstdint>

#include "records/host_record.h"

namespace qxqy::plugin {

// Writes InfoValue1, Title, Kind and InfoValue2 of `info`, nothing else.
void GetInfo(PluginInfo* info);

// Saves the application handle; creates the main window from `record` when
// none exists; shows it; returns its native window handle.
uint32_t Run(uint32_t unused, const HostRecord* record);

// Copies `record`; 0 without a main window, else -1 (duplicate), 1 or 3.
int32_t GetScore(const HostRecord* record);

// Copies `record`; 0 without a main window, else scores and remembers the
// contact, redraws the statistics and returns -1, 1 or 3.
int32_t AddQSO(const HostRecord* record);

// Copies `record`; writes the suggested district for the call into `result`
// as a short text (length byte and characters only; the rest of the buffer
// is left alone). Empty without a main window.
void GrabNumber(const HostRecord* record, ShortText* result);

// Restores the saved application handle and posts the main window's release.
// Swallows every error.
void ReleasePlugin();

}  // namespace qxqy::plugin
