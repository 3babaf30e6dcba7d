// The displays' power, as Windows Vista and later report it to a window that
// registered for it (RegisterPowerSettingNotification): a WM_POWERBROADCAST
// with PBT_POWERSETTINGCHANGE whose POWERBROADCAST_SETTING names the setting
// and holds its new value. The saver stops its timer while the displays are
// off, and starts it again when they come back on or dim.
#pragma once

#include <cstdint>

namespace tessalander {

// A power setting's GUID, laid out as Win32's GUID is.
struct SettingGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

// GUID_CONSOLE_DISPLAY_STATE, {6FE69556-704A-47A0-8F24-C28D936FDA47}: the
// console's displays, on Windows 8 and later: 0 off, 1 on, 2 dimmed.
inline constexpr SettingGuid kConsoleDisplayState = {
    0x6FE69556, 0x704A, 0x47A0, {0x8F, 0x24, 0xC2, 0x8D, 0x93, 0x6F, 0xDA, 0x47}};
// GUID_MONITOR_POWER_ON, {02731015-4510-4526-99E6-E5A17EBD1AEA}: the same on
// Windows Vista and 7, which know no other: 0 off, 1 on.
inline constexpr SettingGuid kMonitorPowerOn = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};

// The setting to register for on a system of this version (GetVersionExA's
// major and minor numbers); nullptr before Vista (6.0).
const SettingGuid* DisplaySettingFor(uint32_t majorVersion, uint32_t minorVersion);

enum class DisplayPower : uint8_t {
  Unknown,  // another setting, or too little data
  Off,
  On,       // on or dimmed: either way someone may be looking
};

// What a notification of `setting` with `dataLength` bytes of `data` (a
// little-endian DWORD for the display settings) says of the displays.
DisplayPower ReadDisplayPower(const SettingGuid& setting, uint32_t dataLength, const uint8_t* data);

}  // namespace tessalander
