#include "host/display_power.h"

#include <cstring>

namespace tessalander {

namespace {

bool SameGuid(const SettingGuid& a, const SettingGuid& b) {
  return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
         std::memcmp(a.data4, b.data4, sizeof a.data4) == 0;
}

}  // namespace

const SettingGuid* DisplaySettingFor(uint32_t majorVersion, uint32_t minorVersion) {
  if (majorVersion < 6) return nullptr;
  if (majorVersion == 6 && minorVersion < 2) return &kMonitorPowerOn;
  return &kConsoleDisplayState;
}

DisplayPower ReadDisplayPower(const SettingGuid& setting, uint32_t dataLength, const uint8_t* data) {
  const bool display = SameGuid(setting, kConsoleDisplayState) || SameGuid(setting, kMonitorPowerOn);
  if (!display || dataLength < 4 || data == nullptr) return DisplayPower::Unknown;
  const uint32_t value = data[0] | uint32_t{data[1]} << 8 | uint32_t{data[2]} << 16 |
                         uint32_t{data[3]} << 24;
  return value == 0 ? DisplayPower::Off : DisplayPower::On;
}

}  // namespace tessalander
