// Masks x87 floating-point exceptions for the lifetime of the guard and puts
// the caller's control word back afterwards. Hosts commonly run with x87
// exceptions unmasked; every export and window procedure of the plug-in does
// its own work under this guard so that no floating-point operation of ours
// (or of the C runtime) can trap in the host, and the host's setting survives.
#pragma once

#include <cstdint>

namespace qxqy {

class FpuGuard {
 public:
  FpuGuard() {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    __asm__ __volatile__("fnstcw %0" : "=m"(saved_));
    const uint16_t masked = static_cast<uint16_t>(saved_ | kAllExceptions);
    __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(masked));
#endif
  }
  ~FpuGuard() {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    // Flags raised by our own work must not fire once the host's mask is back.
    __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(saved_));
#endif
  }
  FpuGuard(const FpuGuard&) = delete;
  FpuGuard& operator=(const FpuGuard&) = delete;

 private:
  static constexpr uint16_t kAllExceptions = 0x3F;
  uint16_t saved_ = 0;
};

}  // namespace qxqy
