// Recording fakes of the user-facing ports and a fixture that runs the transfers with the real
// serial port against the radio simulator.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "image/radio_data.h"
#include "link/clone_worker.h"
#include "link/serial_port.h"
#include "sim/radio_sim.h"
#include "text/messages.h"
#include "fake_prompt.h"

namespace kp53::e2e {

class RecordingSink : public ProgressSink {
 public:
  void SetRange(int low, int high) override { Locked([&] { ranges.push_back({low, high}); }); }
  void SetPosition(int p) override { Locked([&] { position = p; }); }
  void SetStatus(int id) override { Locked([&] { statuses.push_back(id); }); }
  void SetStatusText(const std::string& t) override { Locked([&] { statusTexts.push_back(t); }); }
  void SetTitle(const std::string& t) override { Locked([&] { titles.push_back(t); }); }
  void Close(bool ok) override { Locked([&] { closes.push_back(ok); }); }
  void Repeat() override { Locked([&] { ++repeats; }); }
  bool SawStatus(int id) {
    std::lock_guard l(mu_);
    return std::find(statuses.begin(), statuses.end(), id) != statuses.end();
  }

  std::vector<std::pair<int, int>> ranges;
  int position = -1;
  std::vector<int> statuses;
  std::vector<std::string> statusTexts;
  std::vector<std::string> titles;
  std::vector<bool> closes;
  int repeats = 0;

 private:
  template <class F>
  void Locked(F f) {
    std::lock_guard l(mu_);
    f();
  }
  std::mutex mu_;
};

class LinkE2E : public ::testing::Test {
 protected:
  LinkE2E() { InitImage(data); }

  // A radio that powers on shortly after the PC's first byte and repeats "P" until answered, so
  // that a "P" purged by the PC's own reopening is announced again.
  static sim::SimOptions SwitchedOffRadio() {
    sim::SimOptions o;
    o.memory = sim::DefaultRadioMemory();
    o.powerOnDelayMs = 700;
    o.repeatReadyMs = 400;
    return o;
  }
  // A radio already in clone mode, answering read requests without a handshake.
  static sim::SimOptions RadioInCloneMode(unsigned baud = 9600) {
    sim::SimOptions o;
    o.memory = sim::DefaultRadioMemory();
    o.startInCloneMode = true;
    o.cloneBaud = baud;
    return o;
  }

  void StartRadio(const sim::SimOptions& options) {
    radio = std::make_unique<sim::RadioSimulator>(options);
    std::string error;
    ASSERT_TRUE(radio->Start(&error)) << error;
    device = radio->DevicePath();
    // A string, not a literal: GCC 12 at -O3 reports a false -Wrestrict on assigning a literal.
    context.portName = std::string("1");
  }

  // The PC's document: the given memory loaded and normalised, as the Download command has it.
  void LoadDocument(const RadioImage& memory) {
    InitImage(data);
    data.image = memory;
    ReloadAreas(data);
    NormalizeImage(data);
  }

  LinkSlot Slot() {
    return LinkSlot([dev = device](LinkFlags& f) { return std::make_unique<CSerialPort>(dev, f); });
  }

  TransferResult Upload() {
    LinkSlot slot = Slot();
    return RunUploadWorker({data, slot, context, sink, prompt, cancel});
  }
  TransferResult Download() {
    LinkSlot slot = Slot();
    const auto r = RunDownloadWorker({data, slot, context, sink, prompt, cancel});
    if (radio) radio->WaitIdle(std::chrono::seconds(5));
    return r;
  }

  std::unique_ptr<sim::RadioSimulator> radio;
  std::string device;
  RadioData data;
  LinkContext context;
  RecordingSink sink;
  test::FakePrompt prompt;
  CancelToken cancel;
};

}  // namespace kp53::e2e
