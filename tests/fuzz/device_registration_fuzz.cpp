// The 64-byte device registration other programs send the Monitor by
// WM_COPYDATA, decoded (with its UTF-16 name) and registered: only payloads of
// exactly 64 bytes count, the numbers are the payload's, the name is at most
// 20 units cut to a terminated 19-character field, the list never passes 100
// entries, and DeviceInfo.ini always loads back as the list the Monitor holds
// (names as the file can hold them).
// Input: one byte of choices (bit 0: the Monitor already knows 97 devices),
// then up to 8 registrations of 64 bytes one after the other; the whole input
// is also offered as one payload.
#include <cstring>

#include "common/file_system.h"
#include "monitor/device_registration.h"
#include "monitor/monitor_core.h"
#include "sim/simulated_mouse.h"
#include "tests/fuzz/fuzz_monitor_host.h"
#include "tests/fuzz/fuzz_support.h"

using namespace vextra;

namespace {

// Stands in for the system's code page conversion: UTF-8, '?' for a lone
// surrogate. It checks what the decoder hands it.
std::string ToUtf8(const std::u16string& wide) {
  FUZZ_CHECK(wide.size() <= kRegistrationNameUnits);
  std::string out;
  for (size_t i = 0; i < wide.size(); ++i) {
    uint32_t c = wide[i];
    FUZZ_CHECK(c != 0);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = '?';
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

uint32_t Little(const uint8_t* p, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

std::string Payload(uint16_t vid, uint16_t pid, const std::u16string& name, const int32_t cpi[5]) {
  std::string p(kDeviceRegistrationSize, '\0');
  auto put = [&p](size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) p[at + i] = static_cast<char>(v >> (8 * i));
  };
  put(0, vid, 2);
  put(2, pid, 2);
  for (size_t i = 0; i < name.size() && i < kRegistrationNameUnits; ++i) put(4 + 2 * i, name[i], 2);
  for (int i = 0; i < 5; ++i) put(44 + 4 * i, static_cast<uint32_t>(cpi[i]), 4);
  return p;
}

}  // namespace

constexpr int kKnownDevices = kMaxDeviceInfos - 3;
constexpr size_t kMaxRegistrations = 8;
const int32_t kSampleCpi[5] = {400, 800, 1600, 3200, 6400};

void fuzz::WriteSeeds(Seeds& seeds) {
  seeds.Add("one", '\0' + Payload(0x5A5A, 0x6001, u"Vextra Keyboard K2", kSampleCpi));
  seeds.Add("unterminated-name", '\0' + Payload(0x5A5A, 0x6002, u"A name of twenty u\u00e9\u4e2d", kSampleCpi));
  std::string more;
  for (int i = 0; i < 5; ++i)
    more += Payload(0x5A5A, static_cast<uint16_t>(0x7000 + i), u"Companion " + std::u16string(1, u'A' + i), kSampleCpi);
  seeds.Add("more-than-the-list-holds", '\1' + more);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string folder = fuzz::FreshFolder("program");
  static fuzz::FuzzHost host;
  static PcActions pc;
  static fuzz::NoClock clock;
  static SimulatedMouse mouse;
  static MonitorCore core(host, pc, mouse, clock, folder, nullptr);
  static const std::string knownList = [] {
    DeviceInfoList list;
    for (int i = 0; i < kKnownDevices; ++i) {
      DeviceInfoEntry e;
      e.VID = 0x5A5A;
      e.PID = static_cast<uint16_t>(0x6000 + i);
      e.SetName("Known " + std::to_string(i));
      list.AddOrUpdate(e);
    }
    const std::string path = fuzz::Folder() + "known.ini";
    list.Save(path);
    return fuzz::ReadFile(path);
  }();
  const std::string listPath = folder + "DeviceInfo.ini";
  const bool known = size > 0 && (data[0] & 1);
  RemoveFile(listPath);
  if (known) fuzz::WriteFile(listPath, knownList);
  core.LoadDeviceInfo();
  FUZZ_CHECK(core.devices().Count() == (known ? kKnownDevices : 0));

  DeviceInfoEntry whole;
  std::memset(&whole, 0x5A, sizeof whole);
  const bool decoded = DecodeDeviceRegistration(data, size, ToUtf8, whole);
  FUZZ_CHECK(decoded == (size == kDeviceRegistrationSize));
  if (!decoded) FUZZ_CHECK(whole.VID == 0x5A5A);

  for (size_t at = 1, n = 0; at + kDeviceRegistrationSize <= size && n < kMaxRegistrations;
       at += kDeviceRegistrationSize, ++n) {
    const uint8_t* p = data + at;
    DeviceInfoEntry entry;
    FUZZ_CHECK(DecodeDeviceRegistration(p, kDeviceRegistrationSize, ToUtf8, entry));
    FUZZ_CHECK(entry.VID == Little(p, 2) && entry.PID == Little(p + 2, 2));
    for (int i = 0; i < 5; ++i) FUZZ_CHECK(entry.CPI[i] == static_cast<int32_t>(Little(p + 44 + 4 * i, 4)));
    std::u16string name;
    for (size_t i = 0; i < kRegistrationNameUnits && Little(p + 4 + 2 * i, 2); ++i)
      name += static_cast<char16_t>(Little(p + 4 + 2 * i, 2));
    FUZZ_CHECK(std::strcmp(entry.Name, ToUtf8(name).substr(0, kDeviceNameSize - 1).c_str()) == 0);

    const int before = core.devices().Count();
    const bool listed = core.devices().FindByProductId(entry.PID) != nullptr;
    FUZZ_CHECK(core.RegisterDevice(entry) == (listed || before < kMaxDeviceInfos));
    FUZZ_CHECK(core.devices().Count() == before + (listed || before == kMaxDeviceInfos ? 0 : 1));
  }
  // What the Monitor saved is what it holds.
  DeviceInfoList saved;
  saved.Load(listPath);
  FUZZ_CHECK(saved.Count() == core.devices().Count());
  for (int i = 0; i < saved.Count(); ++i) {
    const DeviceInfoEntry &a = saved.entries()[i], &b = core.devices().entries()[i];
    FUZZ_CHECK(a.VID == b.VID && a.PID == b.PID && a.Name == fuzz::AsStored(b.Name) &&
               std::memcmp(a.CPI, b.CPI, sizeof a.CPI) == 0);
  }
  return 0;
}
