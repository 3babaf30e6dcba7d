#include "settings/config_dialog.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/memory/memory_registry.h"

namespace tessalander {

namespace {

// The dialog's controls as plain state. Check and IsChecked behave like
// BM_SETCHECK and BM_GETCHECK: checking one button leaves the others alone.
struct FakeControls final : ConfigDialogControls {
  std::set<int> checked;
  std::vector<int> queried;  // every id asked with IsChecked
  std::vector<int> setCalls;  // every id sent BM_SETCHECK
  std::string pathField;
  bool pathEnabled = true;
  int ended = 0;
  int browseErrors = 0;
  int abouts = 0;
  int confirms = 0;
  bool answerYes = false;
  std::function<int(SettingText&)> browse = [](SettingText&) { return 1; };

  bool IsChecked(int id) override {
    queried.push_back(id);
    return checked.count(id) != 0;
  }
  void Check(int id) override {
    setCalls.push_back(id);
    checked.insert(id);
  }
  void SetPathText(const char* text) override { pathField = text; }
  void ReadPathText(char* buffer, int size) override {
    const size_t room = static_cast<size_t>(size) - 1;
    const size_t n = pathField.size() < room ? pathField.size() : room;
    std::memcpy(buffer, pathField.data(), n);
    buffer[n] = '\0';
  }
  void EnablePathField(bool enabled) override { pathEnabled = enabled; }
  void EndDialog() override { ++ended; }
  int Browse(SettingText& path) override { return browse(path); }
  void ShowBrowseError() override { ++browseErrors; }
  void ShowAbout() override { ++abouts; }
  bool ConfirmDelete() override {
    ++confirms;
    return answerYes;
  }
};

struct SilentAlert final : Alert {
  int shown = 0;
  void Show(const char*) override { ++shown; }
};

// Forwards to the in-memory registry and notes the order of the values set.
struct RecordingRegistry final : Registry {
  MemoryRegistry& inner;
  std::vector<std::string> setNames;
  explicit RecordingRegistry(MemoryRegistry& r) : inner(r) {}
  RegStatus OpenKey(const char* path, RegAccess access, RegKey* key) override {
    return inner.OpenKey(path, access, key);
  }
  RegStatus CreateKey(const char* path, RegKey* key) override { return inner.CreateKey(path, key); }
  RegStatus QueryValue(RegKey key, const char* name, void* data, uint32_t* size) override {
    return inner.QueryValue(key, name, data, size);
  }
  RegStatus SetValue(RegKey key, const char* name, RegType type, const void* data,
                     uint32_t size) override {
    setNames.emplace_back(name);
    return inner.SetValue(key, name, type, data, size);
  }
  RegStatus DeleteKey(const char* path) override { return inner.DeleteKey(path); }
  void CloseKey(RegKey key) override { inner.CloseKey(key); }
};

class ConfigDialogTest : public testing::Test {
 protected:
  MemoryRegistry memory;
  RecordingRegistry registry{memory};
  SilentAlert alert;
  SettingsStore store{registry, alert};
  FakeControls controls;
  SettingText path = {};

  std::optional<int> StoredCode(const char* name) {
    const auto value = memory.Value(kSettingsKeyPath, name);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->type, kRegDword) << name;
    EXPECT_EQ(value->data.size(), 4u) << name;
    int code = 0;
    std::memcpy(&code, value->data.data(), sizeof code);
    return code;
  }
  void Open() { InitConfigDialog(store, controls, path); }
  void TearDown() override { EXPECT_EQ(memory.OpenHandles(), 0) << "a key was left open"; }
};

// -------------------------------------------------------------------------

TEST(ButtonForCode, PicksThePlaceOrTheSecondButton) {
  const struct {
    int code;
    int speedButton;       // 1002 1020 1021 1022
    int backgroundButton;  // 1004 1010 -1 -1
  } rows[] = {
      // code     speed  background
      {1,         1002,  1004},
      {2,         1020,  1010},
      {3,         1021,  kNoButton},
      {4,         1022,  kNoButton},
      {-1,        1020,  1010},
      {0,         1020,  1010},
      {5,         1020,  1010},
      {9,         1020,  1010},
      {-2,        1020,  1010},
      {INT_MIN,   1020,  1010},
      {INT_MAX,   1020,  1010},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(ButtonForCode(row.code, kSpeedGroup), row.speedButton);
    EXPECT_EQ(ButtonForCode(row.code, kBackgroundGroup), row.backgroundButton);
  }
}

TEST(CheckedChoiceCode, FirstCheckedPlaceOrNothing) {
  const struct {
    const char* what;
    ChoiceIds group;
    std::set<int> checked;
    int code;
  } rows[] = {
      {"nothing checked",              kShuffleGroup,    {},                 kNoCode},
      {"first",                        kShuffleGroup,    {1003},             1},
      {"second",                       kShuffleGroup,    {1027},             2},
      {"third",                        kShuffleGroup,    {1028},             3},
      {"fourth",                       kShuffleGroup,    {1029},             4},
      {"two checked: the first wins",  kShuffleGroup,    {1029, 1028},       3},
      {"other groups do not count",    kShuffleGroup,    {1002, 1020, 1025}, kNoCode},
      {"two-choice: white",            kBackgroundGroup, {1004},             1},
      {"two-choice: black",            kBackgroundGroup, {1010},             2},
      {"two-choice: none",             kBackgroundGroup, {},                 kNoCode},
      {"empty places are never asked", kBackgroundGroup, {kNoButton},        kNoCode},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    FakeControls controls;
    controls.checked = row.checked;
    EXPECT_EQ(CheckedChoiceCode(controls, row.group), row.code);
    for (int id : controls.queried) EXPECT_NE(id, kNoButton);
  }
}

// -------------------------------------------------------------------------

struct OpeningRow {
  const char* what;
  std::map<std::string, uint32_t> stored;  // nothing stored when empty
  std::set<int> checked;
  bool pathEnabled;
};

// stored codes                                  buttons checked at opening           PathField
const OpeningRow kOpenings[] = {
    {"first use", {},                             {1020, 1027, 1010, 1006},            true},
    {"all first choices",
     {{"speed", 1}, {"shufflenum", 1}, {"backcolor", 1}, {"getimage", 1}, {"parallel", 1}},
                                                  {1002, 1003, 1004, 1005, 1025},      false},
    {"all fourth choices",
     {{"speed", 4}, {"shufflenum", 4}, {"backcolor", 2}, {"getimage", 2}, {"parallel", 2}},
                                                  {1022, 1029, 1010, 1006},            true},
    {"speed 3, shuffle 3", {{"speed", 3}, {"shufflenum", 3}},
                                                  {1021, 1028, 1010, 1006},            true},
    {"desktop source",    {{"getimage", 1}},      {1020, 1027, 1010, 1005},            false},
    {"backcolor 3",       {{"backcolor", 3}},     {1020, 1027, 1006},                  true},
    {"getimage 4",        {{"getimage", 4}},      {1020, 1027, 1010},                  true},
    {"speed 0",           {{"speed", 0}},         {1020, 1027, 1010, 1006},            true},
    {"speed 9",           {{"speed", 9}},         {1020, 1027, 1010, 1006},            true},
    {"speed -5",          {{"speed", 0xFFFFFFFBu}},
                                                  {1020, 1027, 1010, 1006},            true},
    {"parallel 2",        {{"parallel", 2}},      {1020, 1027, 1010, 1006},            true},
    {"parallel 5",        {{"parallel", 5}},      {1020, 1027, 1010, 1006},            true},
};

TEST_F(ConfigDialogTest, OpeningChecksTheStoredChoices) {
  for (const auto& row : kOpenings) {
    SCOPED_TRACE(row.what);
    MemoryRegistry fresh;
    RecordingRegistry recorder(fresh);
    SettingsStore rowStore{recorder, alert};
    for (const auto& [name, code] : row.stored) fresh.PutDword(kSettingsKeyPath, name, code);
    FakeControls rowControls;
    SettingText rowPath = {};
    InitConfigDialog(rowStore, rowControls, rowPath);
    EXPECT_EQ(rowControls.checked, row.checked);
    EXPECT_EQ(rowControls.pathEnabled, row.pathEnabled);
    for (int id : rowControls.setCalls) EXPECT_NE(id, kNoButton) << "BM_SETCHECK sent to id -1";
    EXPECT_TRUE(recorder.setNames.empty()) << "opening wrote to the registry";
    EXPECT_EQ(fresh.OpenHandles(), 0);
  }
}

TEST_F(ConfigDialogTest, OpeningFillsPathFromBmpfileZeroFilled) {
  std::vector<uint8_t> data(kSettingTextSize, '#');
  std::memcpy(data.data(), "C:\\pics\\cat.bmp", 16);
  memory.Put(kSettingsKeyPath, kBmpFile, kRegSz, data);
  std::memset(path, 'x', sizeof path);  // left over from an earlier text
  Open();
  EXPECT_STREQ(path, "C:\\pics\\cat.bmp");
  EXPECT_EQ(controls.pathField, "C:\\pics\\cat.bmp");
  for (size_t i = 16; i < sizeof path; ++i) ASSERT_EQ(path[i], '\0') << "byte " << i;
}

TEST_F(ConfigDialogTest, OpeningWithNoPathEmptiesTheField) {
  std::memset(path, 'x', sizeof path);
  controls.pathField = "typed before";
  Open();
  EXPECT_EQ(controls.pathField, "");
  EXPECT_EQ(std::string(path, sizeof path), std::string(sizeof path, '\0'));
}

// -------------------------------------------------------------------------

TEST_F(ConfigDialogTest, FirstUseOkStoresTheDefaultsInOrder) {
  Open();
  EXPECT_TRUE(HandleConfigCommand(kOkButton, store, controls, path));
  EXPECT_EQ(controls.ended, 1);
  EXPECT_EQ(registry.setNames,
            (std::vector<std::string>{"speed", "shufflenum", "backcolor", "getimage", "parallel",
                                      "bmpfile"}));
  for (const char* name : {kSpeed, kShuffleNum, kBackColor, kGetImage, kParallel}) {
    EXPECT_EQ(StoredCode(name), 2) << name;
  }
  const auto bmpfile = memory.Value(kSettingsKeyPath, kBmpFile);
  ASSERT_TRUE(bmpfile);
  EXPECT_EQ(bmpfile->type, kRegSz);
  EXPECT_EQ(bmpfile->data, std::vector<uint8_t>(kSettingTextSize, 0));
  EXPECT_EQ(alert.shown, 0);
}

TEST_F(ConfigDialogTest, OkStoresWhatTheUserPicked) {
  const struct {
    const char* what;
    std::set<int> checked;  // after the user's clicks
    const char* typed;
    int speed, shufflenum, backcolor, getimage, parallel;
  } rows[] = {
      {"firsts and tiled", {1002, 1003, 1004, 1005, 1025}, "C:\\a.bmp", 1, 1, 1, 1, 1},
      {"fourths",          {1022, 1029, 1010, 1006},       "",          4, 4, 2, 2, 2},
      {"thirds",           {1021, 1028, 1004, 1006, 1025}, "D:\\x.BMP", 3, 3, 1, 2, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryRegistry fresh;
    SettingsStore rowStore{fresh, alert};
    FakeControls rowControls;
    SettingText rowPath = {};
    InitConfigDialog(rowStore, rowControls, rowPath);
    rowControls.checked = row.checked;
    rowControls.pathField = row.typed;
    EXPECT_TRUE(HandleConfigCommand(kPathField, rowStore, rowControls, rowPath));
    EXPECT_TRUE(HandleConfigCommand(kOkButton, rowStore, rowControls, rowPath));

    // Reopening shows the same choices and the same path.
    FakeControls reopened;
    SettingText reopenedPath = {};
    InitConfigDialog(rowStore, reopened, reopenedPath);
    EXPECT_EQ(reopened.checked, row.checked);
    EXPECT_EQ(reopened.pathField, row.typed);
    EXPECT_EQ(ReadSettingCode(rowStore, kSpeed, kNoCode), row.speed);
    EXPECT_EQ(ReadSettingCode(rowStore, kShuffleNum, kNoCode), row.shufflenum);
    EXPECT_EQ(ReadSettingCode(rowStore, kBackColor, kNoCode), row.backcolor);
    EXPECT_EQ(ReadSettingCode(rowStore, kGetImage, kNoCode), row.getimage);
    EXPECT_EQ(ReadSettingCode(rowStore, kParallel, kNoCode), row.parallel);
  }
}

TEST_F(ConfigDialogTest, AnEmptyGroupKeepsItsStoredCode) {
  memory.PutDword(kSettingsKeyPath, kBackColor, 3);
  memory.PutDword(kSettingsKeyPath, kSpeed, 4);
  Open();
  EXPECT_EQ(controls.checked.count(1004) + controls.checked.count(1010), 0u);
  controls.checked.erase(1022);
  controls.checked.insert(1002);
  HandleConfigCommand(kOkButton, store, controls, path);
  EXPECT_EQ(StoredCode(kBackColor), 3);
  EXPECT_EQ(StoredCode(kSpeed), 1);
  EXPECT_EQ(registry.setNames,
            (std::vector<std::string>{"speed", "shufflenum", "getimage", "parallel", "bmpfile"}));
}

TEST_F(ConfigDialogTest, UnknownCodesAreStoredBackAsTheDefault) {
  const struct {
    const char* name;
    uint32_t stored;
    int afterOk;
  } rows[] = {
      {kSpeed,      0, 2},
      {kSpeed,      9, 2},
      {kShuffleNum, 7, 2},
      {kParallel,   5, 2},
      {kParallel,   1, 1},
      {kGetImage,   1, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.name << " " << row.stored);
    MemoryRegistry fresh;
    fresh.PutDword(kSettingsKeyPath, row.name, row.stored);
    SettingsStore rowStore{fresh, alert};
    FakeControls rowControls;
    SettingText rowPath = {};
    InitConfigDialog(rowStore, rowControls, rowPath);
    HandleConfigCommand(kOkButton, rowStore, rowControls, rowPath);
    EXPECT_EQ(ReadSettingCode(rowStore, row.name, kNoCode), row.afterOk);
  }
}

TEST_F(ConfigDialogTest, PathFieldTextIsStoredUpTo255Characters) {
  const struct {
    size_t typed;
    size_t stored;
  } rows[] = {{0, 0}, {1, 1}, {254, 254}, {255, 255}, {256, 255}, {400, 255}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    MemoryRegistry fresh;
    SettingsStore rowStore{fresh, alert};
    FakeControls rowControls;
    SettingText rowPath = {};
    InitConfigDialog(rowStore, rowControls, rowPath);
    rowControls.pathField = std::string(row.typed, 'p');
    HandleConfigCommand(kPathField, rowStore, rowControls, rowPath);
    HandleConfigCommand(kOkButton, rowStore, rowControls, rowPath);
    const auto value = fresh.Value(kSettingsKeyPath, kBmpFile);
    ASSERT_TRUE(value);
    ASSERT_EQ(value->data.size(), kSettingTextSize);
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(value->data.data())), row.stored);
  }
}

TEST_F(ConfigDialogTest, OkWithAnUnwritableKeyWarnsSixTimesAndStillCloses) {
  memory.FailCreate(true);
  Open();
  EXPECT_TRUE(HandleConfigCommand(kOkButton, store, controls, path));
  EXPECT_EQ(alert.shown, 6);
  EXPECT_EQ(controls.ended, 1);
}

// -------------------------------------------------------------------------

TEST_F(ConfigDialogTest, EveryCommand) {
  const struct {
    const char* what;
    int id;
    bool answerYes;
    int browseResult;
    bool result;
    int ended;
    bool keyAfter;        // the product's key exists afterwards
    bool pathEnabled;     // starting enabled
    int abouts, confirms, browseErrors;
  } rows[] = {
      // what              id     yes    browse result ended key    enabled about ask err
      {"OK",               1,     false, 1,     true,  1,    true,  true,   0,    0,  0},
      {"Cancel",           2,     false, 1,     true,  1,    true,  true,   0,    0,  0},
      {"PathField",        1000,  false, 1,     true,  0,    true,  true,   0,    0,  0},
      {"Browse",           1001,  false, 1,     true,  0,    true,  true,   0,    0,  0},
      {"Browse failing",   1001,  false, 0,     false, 0,    true,  true,   0,    0,  1},
      {"desktop",          1005,  false, 1,     true,  0,    true,  false,  0,    0,  0},
      {"bitmap",           1006,  false, 1,     true,  0,    true,  true,   0,    0,  0},
      {"about",            1030,  false, 1,     true,  0,    true,  true,   1,    0,  0},
      {"delete, No",       1031,  false, 1,     true,  0,    true,  true,   0,    1,  0},
      {"delete, Yes",      1031,  true,  1,     true,  1,    false, true,   0,    1,  0},
      {"white",            1004,  false, 1,     false, 0,    true,  true,   0,    0,  0},
      {"speed 2",          1020,  false, 1,     false, 0,    true,  true,   0,    0,  0},
      {"tile check box",   1025,  false, 1,     false, 0,    true,  true,   0,    0,  0},
      {"group box",        1008,  false, 1,     false, 0,    true,  true,   0,    0,  0},
      {"credit label",     0xFFFF, false, 1,    false, 0,    true,  true,   0,    0,  0},
      {"id 0",             0,     false, 1,     false, 0,    true,  true,   0,    0,  0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    MemoryRegistry fresh;
    fresh.PutDword(kSettingsKeyPath, kSpeed, 3);
    fresh.PutDword(kMakerKeyPath, "other", 1);
    RecordingRegistry recorder(fresh);
    SettingsStore rowStore{recorder, alert};
    FakeControls rowControls;
    rowControls.answerYes = row.answerYes;
    rowControls.browse = [&row](SettingText&) { return row.browseResult; };
    SettingText rowPath = {};
    InitConfigDialog(rowStore, rowControls, rowPath);
    EXPECT_EQ(HandleConfigCommand(row.id, rowStore, rowControls, rowPath), row.result);
    EXPECT_EQ(rowControls.ended, row.ended);
    EXPECT_EQ(fresh.KeyExists(kSettingsKeyPath), row.keyAfter);
    EXPECT_TRUE(fresh.KeyExists(kMakerKeyPath));
    EXPECT_EQ(rowControls.pathEnabled, row.pathEnabled);
    EXPECT_EQ(rowControls.abouts, row.abouts);
    EXPECT_EQ(rowControls.confirms, row.confirms);
    EXPECT_EQ(rowControls.browseErrors, row.browseErrors);
    // Only OK writes.
    EXPECT_EQ(recorder.setNames.size(), row.id == kOkButton ? 6u : 0u);
  }
}

TEST_F(ConfigDialogTest, SourceButtonsSwitchPathFieldBackAndForth) {
  memory.PutDword(kSettingsKeyPath, kGetImage, 1);
  Open();
  EXPECT_FALSE(controls.pathEnabled);
  const struct {
    int id;
    bool enabled;
  } clicks[] = {{1006, true}, {1006, true}, {1005, false}, {1004, false}, {1006, true}};
  for (const auto& click : clicks) {
    HandleConfigCommand(click.id, store, controls, path);
    EXPECT_EQ(controls.pathEnabled, click.enabled) << "after " << click.id;
  }
}

TEST_F(ConfigDialogTest, ThePathThatBrowseChoosesIsWhatOkStores) {
  std::strcpy(path, "C:\\old.bmp");
  controls.browse = [](SettingText& p) {
    std::strcpy(p, "C:\\new.bmp");
    return 1;
  };
  EXPECT_TRUE(HandleConfigCommand(kBrowseButton, store, controls, path));
  EXPECT_STREQ(path, "C:\\new.bmp");
  HandleConfigCommand(kOkButton, store, controls, path);
  EXPECT_STREQ(ReadSettingText(store, kBmpFile), "C:\\new.bmp");
}

}  // namespace

}  // namespace tessalander
