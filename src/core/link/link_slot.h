// What a transfer with the radio shares between the window (or the command line) and the worker:
// the link slot holding the current port, the cancel token, and the program-wide values the worker
// reads and updates. While a worker runs, only the worker touches them.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "link/link_port.h"

namespace kp53 {

// The stop request of a transfer. The worker polls it at its cancel checks; once requested it stays
// requested, so every check after the first also ends the operation.
class CancelToken {
 public:
  void Cancel() { requested_.store(true, std::memory_order_relaxed); }
  bool Requested() const { return requested_.load(std::memory_order_relaxed); }
  void Reset() { requested_.store(false, std::memory_order_relaxed); }

 private:
  std::atomic<bool> requested_{false};
};
static_assert(std::atomic<bool>::is_always_lock_free, "the token is set from signal handlers");

// The link port slot: holds one port or none, created through the slot's factory. A transfer
// opens its port once and changes the speed on it; the link flags live in the slot, so they
// survive a replacement.
class LinkSlot {
 public:
  using Factory = std::function<std::unique_ptr<LinkPort>(LinkFlags&)>;
  explicit LinkSlot(Factory factory) : factory_(std::move(factory)) {}
  // The ports refer to the slot's flags: the slot stays where it was made.
  LinkSlot(const LinkSlot&) = delete;
  LinkSlot& operator=(const LinkSlot&) = delete;

  // Destroys the current port (closing it) and creates a new, closed one.
  LinkPort& Replace() {
    port_.reset();
    port_ = factory_(flags_);
    return *port_;
  }
  // The current port, created when there is none.
  LinkPort& Port() { return port_ ? *port_ : Replace(); }
  bool HasPort() const { return port_ != nullptr; }
  void Destroy() { port_.reset(); }
  LinkFlags& Flags() { return flags_; }

 private:
  Factory factory_;
  LinkFlags flags_;
  std::unique_ptr<LinkPort> port_;
};

// Program-wide values a transfer reads and updates.
struct LinkContext {
  int comPort = 1;         // configured COM port number, 1 to 16
  std::string portName;    // shown in message 81: the port number, or the device given instead
  int speedIndex = 0;      // 0 = 9600 bit/s, 1 = 19200 bit/s
  bool maintenanceMode = false;
  bool productionMode = false;
  bool modified = false;         // the document's modified flag
  bool marketingEdited = false;  // serial number or market application edited since the last Download
  bool uploadCompleted = false;  // set by a successful Upload (and alignment entry read)
  int powerOnWaitSeconds = 0;    // longest wait for the radio's "P"; 0 waits until cancelled
  std::string documentPath;      // becomes "<none>" after an Upload
  bool readBack = true;          // a Download reads the radio again and compares it with what was written

  unsigned Baud() const { return speedIndex == 1 ? 19200u : 9600u; }
};

}  // namespace kp53
