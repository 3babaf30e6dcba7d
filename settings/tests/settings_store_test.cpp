#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/memory/memory_registry.h"

namespace tessalander {

namespace {

struct RecordingAlert final : Alert {
  std::vector<std::string> shown;
  void Show(const char* text) override { shown.emplace_back(text); }
};

class SettingsStoreTest : public testing::Test {
 protected:
  MemoryRegistry registry;
  RecordingAlert alert;
  SettingsStore store{registry, alert};

  void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0) << "a key was left open"; }
};

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> out;
  for (int b : list) out.push_back(static_cast<uint8_t>(b));
  return out;
}

TEST_F(SettingsStoreTest, NothingStoredReadsDefaultsAndCreatesNoKey) {
  for (const char* name : {kSpeed, kShuffleNum, kBackColor, kGetImage, kParallel}) {
    EXPECT_EQ(ReadSettingCode(store, name, kNoCode), kNoCode) << name;
  }
  EXPECT_EQ(ReadSettingText(store, kBmpFile), nullptr);
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
  EXPECT_FALSE(registry.KeyExists(kMakerKeyPath));
}

TEST_F(SettingsStoreTest, EmptyKeyReadsDefaults) {
  registry.Put(kSettingsKeyPath, "other", kRegDword, Bytes({1, 0, 0, 0}));
  EXPECT_EQ(ReadSettingCode(store, kSpeed, kNoCode), kNoCode);
  EXPECT_EQ(ReadSettingText(store, kBmpFile), nullptr);
}

struct CodeReadRow {
  const char* what;
  RegType type;
  std::vector<uint8_t> data;
  int expected;
};

TEST_F(SettingsStoreTest, CodeReadsByStoredData) {
  const CodeReadRow rows[] = {
      {"dword 3", kRegDword, Bytes({3, 0, 0, 0}), 3},
      {"dword 7 set by hand", kRegDword, Bytes({7, 0, 0, 0}), 7},
      {"dword -1 set by hand", kRegDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), -1},
      {"little-endian", kRegDword, Bytes({0x78, 0x56, 0x34, 0x12}), 0x12345678},
      {"type not examined", kRegBinary, Bytes({2, 0, 0, 0}), 2},
      {"one byte zero-filled", kRegBinary, Bytes({4}), 4},
      {"three bytes zero-filled", kRegBinary, Bytes({1, 2, 3}), 0x030201},
      {"no bytes reads zero", kRegBinary, {}, 0},
      {"five bytes is too long", kRegBinary, Bytes({1, 0, 0, 0, 0}), kNoCode},
      {"four-character text is too long", kRegSz, Bytes({'1', '2', '3', '4', 0}), kNoCode},
      {"short text fits", kRegSz, Bytes({'2', 0}), '2'},
  };
  for (const auto& row : rows) {
    registry.Put(kSettingsKeyPath, kSpeed, row.type, row.data);
    EXPECT_EQ(ReadSettingCode(store, kSpeed, kNoCode), row.expected) << row.what;
  }
}

TEST_F(SettingsStoreTest, DefaultIsTheCallersOwn) {
  EXPECT_EQ(ReadSettingCode(store, kSpeed, 42), 42);
}

struct TextReadRow {
  const char* what;
  std::vector<uint8_t> data;
  const char* expected;  // nullptr: none
};

std::vector<uint8_t> Text(const std::string& s, size_t total) {
  std::vector<uint8_t> out(s.begin(), s.end());
  out.resize(total, 0);
  return out;
}

TEST_F(SettingsStoreTest, TextReadsAreBounded) {
  const std::string full255(255, 'x');
  const std::string full256(256, 'y');
  const std::string cut255(255, 'y');
  const TextReadRow rows[] = {
      {"path with NUL", Text("C:\\pic.bmp", 11), "C:\\pic.bmp"},
      {"256 bytes, garbage after NUL", [] {
         auto v = Text("C:\\pic.bmp", 256);
         std::memset(v.data() + 11, 'z', 245);
         return v;
       }(),
       "C:\\pic.bmp"},
      {"255 characters and NUL", Text(full255, 256), full255.c_str()},
      {"256 bytes without NUL cut to 255", Text(full256, 256), cut255.c_str()},
      {"short data without NUL", Bytes({'a', 'b', 'c'}), "abc"},
      {"empty data", {}, ""},
      {"257 bytes is too long", Text("C:\\pic.bmp", 257), nullptr},
  };
  for (const auto& row : rows) {
    registry.Put(kSettingsKeyPath, kBmpFile, kRegSz, row.data);
    const char* text = ReadSettingText(store, kBmpFile);
    if (row.expected == nullptr) {
      EXPECT_EQ(text, nullptr) << row.what;
    } else {
      ASSERT_NE(text, nullptr) << row.what;
      EXPECT_STREQ(text, row.expected) << row.what;
      EXPECT_EQ(text, store.SettingTextBuffer) << row.what;
    }
  }
}

// The memory registry, counting how often the key is opened.
struct CountingRegistry final : Registry {
  MemoryRegistry& inner;
  int opens = 0;
  explicit CountingRegistry(MemoryRegistry& registry) : inner(registry) {}
  RegStatus OpenKey(const char* path, RegAccess access, RegKey* key) override {
    ++opens;
    return inner.OpenKey(path, access, key);
  }
  RegStatus CreateKey(const char* path, RegKey* key) override { return inner.CreateKey(path, key); }
  RegStatus QueryValue(RegKey key, const char* name, void* data, uint32_t* size) override {
    return inner.QueryValue(key, name, data, size);
  }
  RegStatus SetValue(RegKey key, const char* name, RegType type, const void* data,
                     uint32_t size) override {
    return inner.SetValue(key, name, type, data, size);
  }
  RegStatus DeleteKey(const char* path) override { return inner.DeleteKey(path); }
  void CloseKey(RegKey key) override { inner.CloseKey(key); }
};

struct StoredSettingsRow {
  const char* what;
  void (*store)(MemoryRegistry& registry);
};

// All six at once read what the one-by-one readers read, with one opening.
TEST_F(SettingsStoreTest, SaverSettingsAreTheSixReadsUnderOneOpening) {
  const StoredSettingsRow rows[] = {
      {"no key", [](MemoryRegistry&) {}},
      {"empty key", [](MemoryRegistry& r) { r.PutDword(kSettingsKeyPath, "other", 1); }},
      {"all six",
       [](MemoryRegistry& r) {
         r.PutDword(kSettingsKeyPath, kSpeed, 4);
         r.PutDword(kSettingsKeyPath, kShuffleNum, 1);
         r.PutDword(kSettingsKeyPath, kBackColor, 2);
         r.PutDword(kSettingsKeyPath, kGetImage, 2);
         r.PutDword(kSettingsKeyPath, kParallel, 1);
         r.Put(kSettingsKeyPath, kBmpFile, kRegSz, Text("C:\\pic.bmp", 256));
       }},
      {"short and long codes",
       [](MemoryRegistry& r) {
         r.Put(kSettingsKeyPath, kSpeed, kRegBinary, Bytes({3}));
         r.Put(kSettingsKeyPath, kBackColor, kRegBinary, Bytes({1, 0, 0, 0, 0}));
       }},
      {"text without NUL", [](MemoryRegistry& r) {
         r.Put(kSettingsKeyPath, kBmpFile, kRegSz, Text(std::string(256, 'y'), 256));
       }},
      {"text too long", [](MemoryRegistry& r) {
         r.Put(kSettingsKeyPath, kBmpFile, kRegSz, Text(std::string(300, 'z'), 300));
       }},
  };
  for (const auto& row : rows) {
    MemoryRegistry stored;
    row.store(stored);
    CountingRegistry counting(stored);
    SettingsStore counted{counting, alert};
    const SaverSettings all = ReadSaverSettings(counted);
    EXPECT_EQ(counting.opens, 1) << row.what;
    EXPECT_EQ(stored.OpenHandles(), 0) << row.what;

    SettingsStore one{stored, alert};
    EXPECT_EQ(all.Speed, ReadSettingCode(one, kSpeed, kNoCode)) << row.what;
    EXPECT_EQ(all.ShuffleNum, ReadSettingCode(one, kShuffleNum, kNoCode)) << row.what;
    EXPECT_EQ(all.BackColor, ReadSettingCode(one, kBackColor, kNoCode)) << row.what;
    EXPECT_EQ(all.GetImage, ReadSettingCode(one, kGetImage, kNoCode)) << row.what;
    EXPECT_EQ(all.Parallel, ReadSettingCode(one, kParallel, kNoCode)) << row.what;
    const char* text = ReadSettingText(one, kBmpFile);
    EXPECT_EQ(all.HasBmpFile, text != nullptr) << row.what;
    const char none[kSettingTextSize] = {};
    EXPECT_EQ(std::memcmp(all.BmpFile, text != nullptr ? one.SettingTextBuffer : none,
                          kSettingTextSize), 0)
        << row.what << ": the whole buffer, and all zero when nothing is read";
  }
}

struct WriteRow {
  const char* what;
  int code;
  int result;
  bool stored;
};

TEST_F(SettingsStoreTest, WriteCodesStoreDwordsAndRejectTheRest) {
  const WriteRow rows[] = {
      {"code 1", 1, 1, true},   {"code 2", 2, 1, true},  {"code 3", 3, 1, true},
      {"code 4", 4, 1, true},   {"nothing (-1)", -1, 0, false},
      {"code 5", 5, 0, false},  {"negative", -7, 0, false},
  };
  for (const auto& row : rows) {
    DeleteSettings(store);
    ASSERT_FALSE(registry.KeyExists(kSettingsKeyPath));
    EXPECT_EQ(WriteSetting(store, kSpeed, nullptr, row.code), row.result) << row.what;
    // The key is created before the code is looked at.
    EXPECT_TRUE(registry.KeyExists(kSettingsKeyPath)) << row.what;
    const auto value = registry.Value(kSettingsKeyPath, kSpeed);
    ASSERT_EQ(value.has_value(), row.stored) << row.what;
    if (row.stored) {
      EXPECT_EQ(value->type, kRegDword) << row.what;
      EXPECT_EQ(value->data, Bytes({row.code, 0, 0, 0})) << row.what;
      EXPECT_EQ(ReadSettingCode(store, kSpeed, kNoCode), row.code) << row.what;
    }
  }
  EXPECT_TRUE(alert.shown.empty());
}

TEST_F(SettingsStoreTest, WriteTextStoresAll256Bytes) {
  char path[kSettingTextSize];
  std::memset(path, 'q', sizeof path);  // whatever follows the NUL goes too
  std::strcpy(path, "C:\\pic.bmp");
  EXPECT_EQ(WriteSetting(store, kBmpFile, path, kTextCode), 1);
  const auto value = registry.Value(kSettingsKeyPath, kBmpFile);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, kRegSz);
  ASSERT_EQ(value->data.size(), kSettingTextSize);
  EXPECT_EQ(std::memcmp(value->data.data(), "C:\\pic.bmp\0qq", 13), 0);
  EXPECT_STREQ(ReadSettingText(store, kBmpFile), "C:\\pic.bmp");
}

TEST_F(SettingsStoreTest, WriteTextWithoutBufferWritesNothing) {
  EXPECT_EQ(WriteSetting(store, kBmpFile, nullptr, kTextCode), 0);
  EXPECT_FALSE(registry.Value(kSettingsKeyPath, kBmpFile).has_value());
}

TEST_F(SettingsStoreTest, CreateFailureAlertsOncePerWrite) {
  registry.FailCreate(true);
  char path[kSettingTextSize] = "C:\\pic.bmp";
  EXPECT_EQ(WriteSetting(store, kSpeed, nullptr, 2), 0);
  EXPECT_EQ(WriteSetting(store, kBmpFile, path, kTextCode), 0);
  EXPECT_EQ(WriteSetting(store, kBackColor, nullptr, -1), 0);
  EXPECT_EQ(alert.shown, (std::vector<std::string>(3, kCreateKeyErrorText)));
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
}

TEST_F(SettingsStoreTest, DeleteRemovesOnlyTheProductKey) {
  registry.PutDword(kMakerKeyPath, "keep", 1);
  for (const char* name : {kSpeed, kShuffleNum, kBackColor, kGetImage, kParallel}) {
    WriteSetting(store, name, nullptr, 1);
  }
  char path[kSettingTextSize] = "C:\\pic.bmp";
  WriteSetting(store, kBmpFile, path, kTextCode);
  ASSERT_EQ(registry.ValueCount(kSettingsKeyPath), 6u);

  EXPECT_EQ(DeleteSettings(store), kRegOk);
  EXPECT_FALSE(registry.KeyExists(kSettingsKeyPath));
  EXPECT_TRUE(registry.KeyExists(kMakerKeyPath));
  EXPECT_TRUE(registry.Value(kMakerKeyPath, "keep").has_value());
  EXPECT_EQ(ReadSettingCode(store, kSpeed, kNoCode), kNoCode);
  EXPECT_EQ(ReadSettingText(store, kBmpFile), nullptr);

  EXPECT_NE(DeleteSettings(store), kRegOk) << "a second delete finds nothing";
  EXPECT_EQ(WriteSetting(store, kSpeed, nullptr, 3), 1);
  EXPECT_EQ(ReadSettingCode(store, kSpeed, kNoCode), 3);
}

}  // namespace

}  // namespace tessalander
