// The seams of the command layer: the device's feature interface, the pause
// clock, and the flags by which a running job is told to stop.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace vextra {

class FeatureDevice {
 public:
  virtual ~FeatureDevice() = default;
  // Byte 0 of data is the report id. True when the report was delivered.
  virtual bool SetFeature(const uint8_t* data, size_t size) = 0;
  // data[0] holds the wanted report id on entry. True when data holds the report.
  virtual bool GetFeature(uint8_t* data, size_t size) = 0;
};

class DeviceClock {
 public:
  virtual ~DeviceClock() = default;
  virtual void Sleep(int milliseconds) = 0;
};

// Shared by the thread running a job and the thread that may stop it. A stop
// belongs to the job it was asked of: a job starts without one and takes its
// stop with it when it ends, so no later exchange is cut short by it. Begin,
// End and the requests are serialised, so a request never lands between a
// job's end and the next job's start.
class JobFlags {
 public:
  // Marks a job busy, without a pending stop. False once closed: no job starts.
  bool Begin() {
    std::lock_guard<std::mutex> lock(lock_);
    if (closed_) return false;
    stop_ = 0;
    busy_ = 1;
    return true;
  }
  void End() {
    std::lock_guard<std::mutex> lock(lock_);
    busy_ = 0;
    stop_ = 0;
  }
  // Tells the running job, if there is one, to stop. True when one was running.
  bool RequestStop() {
    std::lock_guard<std::mutex> lock(lock_);
    if (busy_) stop_ = 1;
    return busy_ != 0;
  }
  // RequestStop, and no job starts after it.
  bool Close() {
    std::lock_guard<std::mutex> lock(lock_);
    closed_ = true;
    if (busy_) stop_ = 1;
    return busy_ != 0;
  }
  bool busy() const { return busy_.load() != 0; }
  bool stopRequested() const { return stop_.load() != 0; }

 private:
  std::mutex lock_;
  std::atomic<int> busy_{0};
  std::atomic<int> stop_{0};
  bool closed_ = false;
};

// A job's run: busy for the scope's life; started() is false when none may start.
class JobScope {
 public:
  explicit JobScope(JobFlags& flags) : flags_(flags), started_(flags.Begin()) {}
  ~JobScope() {
    if (started_) flags_.End();
  }
  JobScope(const JobScope&) = delete;
  JobScope& operator=(const JobScope&) = delete;
  bool started() const { return started_; }

 private:
  JobFlags& flags_;
  const bool started_;
};

}  // namespace vextra
