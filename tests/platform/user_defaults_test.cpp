// The user-defaults store: values and conversions, lookup order, domain files,
// damaged files, and writers and readers in other processes.
#include "platform/user_defaults.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/user_defaults_internal.h"
#include "tests/platform/temp_config_home.h"

namespace vlx {
namespace {

using testing::TempConfigHome;
constexpr char kDomain[] = "org.example.Tester";

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// --- Conversions ---

struct ConversionCase {
  const char* label;
  DefaultsValue value;
  std::optional<int64_t> integer;
  std::optional<double> real;
  std::optional<bool> boolean;
};

TEST(DefaultsValueTest, ConvertsNumbersBooleansAndStringsOnly) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const ConversionCase cases[] = {
      {"integer", DefaultsValue(42), 42, 42.0, true},
      {"zero", DefaultsValue(0), 0, 0.0, false},
      {"real truncates", DefaultsValue(3.9), 3, 3.9, true},
      {"negative real truncates toward zero", DefaultsValue(-3.9), -3, -3.9, true},
      {"huge real saturates", DefaultsValue(1e300), kMax, 1e300, true},
      {"true", DefaultsValue(true), 1, 1.0, true},
      {"false", DefaultsValue(false), 0, 0.0, false},
      {"numeric string", DefaultsValue("5"), 5, 5.0, true},
      {"leading integer", DefaultsValue("  -17abc"), -17, -17.0, true},
      {"no digits", DefaultsValue("abc"), 0, 0.0, false},
      {"real string", DefaultsValue("2.5"), 2, 2.5, true},
      {"overlong digits saturate", DefaultsValue("99999999999999999999"), kMax, 1e20, true},
      {"overlong negative saturates", DefaultsValue("-99999999999999999999"), kMin, -1e20, true},
      {"YES", DefaultsValue("YES"), 0, 0.0, true},
      {"true text", DefaultsValue("true"), 0, 0.0, true},
      {"no", DefaultsValue("no"), 0, 0.0, false},
      {"leading zeros", DefaultsValue("007"), 7, 7.0, true},
      {"zero text", DefaultsValue("000"), 0, 0.0, false},
      {"nan text is not a number", DefaultsValue("nan"), 0, 0.0, false},
      {"hex text is not a number", DefaultsValue("0x10"), 0, 0.0, false},
      {"empty", DefaultsValue(""), 0, 0.0, false},
      {"array", DefaultsValue(DefaultsArray{1, 2}), std::nullopt, std::nullopt, std::nullopt},
      {"dictionary", DefaultsValue(DefaultsDictionary{{"a", 1}}), std::nullopt, std::nullopt, std::nullopt},
      {"data", DefaultsValue(DefaultsData{1, 2}), std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(c.value.integerValue(), c.integer);
    EXPECT_EQ(c.value.realValue(), c.real);
    EXPECT_EQ(c.value.boolValue(), c.boolean);
  }
}

// --- Domain files ---

class UserDefaultsTest : public ::testing::Test {
 protected:
  TempConfigHome home_;
};

TEST_F(UserDefaultsTest, EveryKindRoundTripsThroughTheDomainFile) {
  UserDefaults writer(kDomain);
  const DefaultsDictionary values = {
      {"int", int64_t{-123456789012}},
      {"real", 1.0},
      {"bool", true},
      {"string", "Žluťoučký kůň"},
      {"data", DefaultsData{0, 1, 2, 0xFF, 0x80}},
      {"emptyData", DefaultsData{}},
      {"array", DefaultsArray{1, "two", 3.5, DefaultsArray{}}},
      {"dict", DefaultsDictionary{{"nested", DefaultsDictionary{{"x", false}}}}},
  };
  for (const auto& [key, value] : values) ASSERT_TRUE(writer.setObject(value, key)) << key;

  UserDefaults reader(kDomain);
  for (const auto& [key, value] : values) {
    auto read = reader.objectForKey(key);
    ASSERT_TRUE(read) << key;
    EXPECT_EQ(*read, value) << key;
  }
  EXPECT_EQ(reader.persistentDomainForName(kDomain), values);
  EXPECT_EQ(reader.dataForKey("data"), (DefaultsData{0, 1, 2, 0xFF, 0x80}));
  EXPECT_EQ(reader.stringForKey("int"), std::nullopt);
  EXPECT_EQ(reader.dictionaryForKey("array"), std::nullopt);
  EXPECT_TRUE(reader.arrayForKey("array"));
  EXPECT_TRUE(reader.dictionaryForKey("dict"));
  // The file sits where the XDG layout says.
  EXPECT_TRUE(std::filesystem::is_regular_file(home_.domainPath(kDomain)));
}

TEST_F(UserDefaultsTest, LooksUpArgumentsThenTheDomainThenRegisteredDefaults) {
  UserDefaults defaults(kDomain);
  EXPECT_EQ(defaults.objectForKey("K"), std::nullopt);
  EXPECT_EQ(defaults.integerForKey("K"), 0);
  EXPECT_FALSE(defaults.boolForKey("K"));
  EXPECT_EQ(defaults.floatForKey("K"), 0.0f);

  defaults.registerDefaults({{"K", 1}, {"R", 7}});
  EXPECT_EQ(defaults.integerForKey("K"), 1);
  ASSERT_TRUE(defaults.setInteger(2, "K"));
  EXPECT_EQ(defaults.integerForKey("K"), 2);
  defaults.setArgumentDomain({{"K", 3}});
  EXPECT_EQ(defaults.integerForKey("K"), 3);

  // Registering again adds to the set; removing the stored key shows the default.
  defaults.registerDefaults({{"K", 4}});
  EXPECT_EQ(defaults.integerForKey("R"), 7);
  defaults.setArgumentDomain({});
  ASSERT_TRUE(defaults.removeObjectForKey("K"));
  EXPECT_EQ(defaults.integerForKey("K"), 4);
  // Registered values are never written.
  EXPECT_EQ(defaults.persistentDomainForName(kDomain), DefaultsDictionary{});
}

TEST_F(UserDefaultsTest, ReadsAnotherObjectsWritesWithoutCaching) {
  UserDefaults a(kDomain), b(kDomain);
  ASSERT_TRUE(a.setInteger(1, "n"));
  EXPECT_EQ(b.integerForKey("n"), 1);
  ASSERT_TRUE(a.setInteger(2, "n"));
  EXPECT_EQ(b.integerForKey("n"), 2);
  home_.writeDomainFile(kDomain, R"({"n": 3})");
  EXPECT_EQ(b.integerForKey("n"), 3);
}

TEST_F(UserDefaultsTest, PersistentDomainsByName) {
  UserDefaults defaults(kDomain);
  EXPECT_EQ(defaults.persistentDomainForName("org.example.Other"), std::nullopt);
  ASSERT_TRUE(defaults.setPersistentDomain({{"a", 1}}, "org.example.Other"));
  EXPECT_EQ(defaults.persistentDomainForName("org.example.Other"), (DefaultsDictionary{{"a", 1}}));
  // The object's own domain is untouched.
  EXPECT_EQ(defaults.persistentDomainForName(kDomain), std::nullopt);
  // An empty domain exists.
  ASSERT_TRUE(defaults.setPersistentDomain({}, "org.example.Other"));
  EXPECT_EQ(defaults.persistentDomainForName("org.example.Other"), DefaultsDictionary{});
  ASSERT_TRUE(defaults.removePersistentDomainForName("org.example.Other"));
  EXPECT_EQ(defaults.persistentDomainForName("org.example.Other"), std::nullopt);
}

TEST_F(UserDefaultsTest, RefusesDomainNamesThatLeaveTheFolder) {
  for (const char* name : {"", ".", "..", "../escape", "a/b", ".hidden"}) {
    SCOPED_TRACE(name);
    UserDefaults defaults(name);
    EXPECT_FALSE(defaults.setInteger(1, "k"));
    EXPECT_EQ(defaults.persistentDomainForName(name), std::nullopt);
    EXPECT_EQ(defaults.integerForKey("k"), 0);
  }
  EXPECT_FALSE(std::filesystem::exists(home_.root() + "/config/vellix/escape.json"));
}

TEST_F(UserDefaultsTest, KeepsMembersItDoesNotRead) {
  // A null member has no value kind; it reads as absent but a write elsewhere keeps it.
  home_.writeDomainFile(kDomain, R"({"gone": null, "list": [1, null, 2], "k": 1})");
  UserDefaults defaults(kDomain);
  EXPECT_EQ(defaults.objectForKey("gone"), std::nullopt);
  EXPECT_EQ(defaults.arrayForKey("list"), (DefaultsArray{1, 2}));
  ASSERT_TRUE(defaults.setInteger(2, "k"));
  const auto object = defaults_internal::parseDomainJson(TempConfigHome::readFile(home_.domainPath(kDomain)));
  ASSERT_TRUE(object);
  EXPECT_TRUE(object->contains("gone"));
  EXPECT_EQ((*object)["k"], 2);
}

TEST_F(UserDefaultsTest, FallsBackToHomeConfigWhenXdgIsUnsetOrRelative) {
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(UserDefaults::defaultsDirectory(), home_.root() + "/home/.config/vellix/defaults");
  setenv("XDG_CONFIG_HOME", "relative/dir", 1);
  EXPECT_EQ(UserDefaults::defaultsDirectory(), home_.root() + "/home/.config/vellix/defaults");
  UserDefaults defaults(kDomain);
  ASSERT_TRUE(defaults.setInteger(5, "k"));
  EXPECT_TRUE(std::filesystem::exists(home_.root() + "/home/.config/vellix/defaults/" + kDomain + ".json"));
}

TEST(UserDefaultsArgumentsTest, ReadsKeyValuePairsFromACommandLine) {
  const char* argv[] = {"prog", "-A", "5", "file.txt", "-B", "YES", "-C", "[1, \"x\"]",
                        "-D", "2.5", "-E", "1}, \"F\": {", "-G"};
  const auto args = UserDefaults::argumentDomainFromCommandLine(static_cast<int>(std::size(argv)), argv);
  const DefaultsDictionary expected = {
      {"A", 5}, {"B", "YES"}, {"C", DefaultsArray{1, "x"}}, {"D", 2.5}, {"E", "1}, \"F\": {"}};
  EXPECT_EQ(args, expected);
  EXPECT_TRUE(UserDefaults::argumentDomainFromCommandLine(0, nullptr).empty());
}

// --- Damaged files ---

struct DamagedCase {
  const char* label;
  std::string bytes;
};

std::vector<DamagedCase> damagedCases() {
  return {
      {"empty", ""},
      {"truncated", R"({"SourceTextEncoding": 1)"},
      {"not JSON", "SourceTextEncoding = 1\n"},
      {"array at top level", "[1, 2, 3]"},
      {"number at top level", "42"},
      {"string at top level", "\"text\""},
      {"invalid UTF-8", "{\"k\": \"\xC3\x28\"}"},
      {"nested too deep", std::string(100000, '[') + std::string(100000, ']')},
      {"too deep inside an object", "{\"k\": " + std::string(64, '[') + std::string(64, ']') + "}"},
      {"too large", "{\"k\": \"" + std::string(defaults_internal::kMaxDomainFileSize, 'x') + "\"}"},
  };
}

TEST_F(UserDefaultsTest, DamagedFileReadsAsMissingAndIsKeptAsideBeforeAWrite) {
  for (const auto& c : damagedCases()) {
    SCOPED_TRACE(c.label);
    std::filesystem::remove_all(home_.defaultsDir());
    home_.writeDomainFile(kDomain, c.bytes);
    UserDefaults defaults(kDomain);
    defaults.registerDefaults({{"k", 9}});
    EXPECT_EQ(defaults.persistentDomainForName(kDomain), std::nullopt);
    EXPECT_EQ(defaults.integerForKey("k"), 9);
    // Reading never changes the file.
    EXPECT_EQ(TempConfigHome::readFile(home_.domainPath(kDomain)), c.bytes);

    ASSERT_TRUE(defaults.setInteger(1, "new"));
    EXPECT_EQ(defaults.persistentDomainForName(kDomain), (DefaultsDictionary{{"new", 1}}));
    std::vector<std::string> aside;
    for (const auto& name : filesIn(home_.defaultsDir())) {
      if (name.rfind(std::string(kDomain) + ".json.corrupt-", 0) == 0) aside.push_back(name);
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(TempConfigHome::readFile(home_.defaultsDir() + "/" + aside[0]), c.bytes);
  }
}

TEST_F(UserDefaultsTest, SecondDamagedFileInTheSameSecondGetsItsOwnName) {
  UserDefaults defaults(kDomain);
  home_.writeDomainFile(kDomain, "first");
  ASSERT_TRUE(defaults.setInteger(1, "k"));
  home_.writeDomainFile(kDomain, "second");
  ASSERT_TRUE(defaults.setInteger(2, "k"));
  std::vector<std::string> kept;
  for (const auto& name : filesIn(home_.defaultsDir())) {
    if (name.find(".corrupt-") != std::string::npos) kept.push_back(TempConfigHome::readFile(home_.defaultsDir() + "/" + name));
  }
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (std::vector<std::string>{"first", "second"}));
}

TEST_F(UserDefaultsTest, UnreadableDomainIsNeverReplaced) {
  // A folder in the file's place cannot be read as a domain; a write must not destroy it.
  std::filesystem::create_directories(home_.domainPath(kDomain));
  UserDefaults defaults(kDomain);
  EXPECT_EQ(defaults.persistentDomainForName(kDomain), std::nullopt);
  EXPECT_FALSE(defaults.setInteger(1, "k"));
  EXPECT_TRUE(std::filesystem::is_directory(home_.domainPath(kDomain)));

  // Nor is a FIFO read (which would block) or replaced.
  const std::string fifoDomain = "org.example.Fifo";
  ASSERT_EQ(mkfifo(home_.domainPath(fifoDomain).c_str(), 0600), 0);
  UserDefaults fifo(fifoDomain);
  EXPECT_EQ(fifo.persistentDomainForName(fifoDomain), std::nullopt);
  EXPECT_FALSE(fifo.setInteger(1, "k"));
  EXPECT_TRUE(std::filesystem::is_fifo(home_.domainPath(fifoDomain)));
}

TEST(DomainParserTest, BoundsNestingOutsideStringsOnly) {
  using defaults_internal::nestingWithin;
  EXPECT_TRUE(nestingWithin("[[[]]]", 3));
  EXPECT_FALSE(nestingWithin("[[[[]]]]", 3));
  EXPECT_TRUE(nestingWithin(R"(["[[[[[[", "\"[[[[["])", 1));
  EXPECT_TRUE(nestingWithin("]]]]{}", 1));  // stray closers do not go below zero
  // The deepest file accepted: the top-level object and 63 arrays.
  EXPECT_TRUE(defaults_internal::parseDomainText("{\"k\": " + std::string(63, '[') + std::string(63, ']') + "}"));
  const auto parsed = defaults_internal::parseDomainText(R"({"k": ["[[[[", {"d": 1}]})");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->at("k"), (DefaultsArray{"[[[[", DefaultsDictionary{{"d", 1}}}));
  // A "$data" object that is not valid base64 stays a dictionary.
  const auto notData = defaults_internal::parseDomainText(R"({"k": {"$data": "***"}})");
  ASSERT_TRUE(notData);
  EXPECT_EQ(notData->at("k"), (DefaultsDictionary{{"$data", "***"}}));
}

// --- Other processes ---

// Waits for a child and tells whether it exited with 0.
bool childSucceeded(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(UserDefaultsTest, ReaderInAnotherProcessAlwaysSeesAWholeDomain) {
  // The writer replaces a domain of two large equal members over and over; a
  // torn or half-written file would show as a missing domain or unequal members.
  UserDefaults defaults(kDomain);
  ASSERT_TRUE(defaults.setPersistentDomain({{"a", "start"}, {"b", "start"}}, kDomain));
  const pid_t writer = fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    UserDefaults w(kDomain);
    bool ok = true;
    for (int i = 0; i < 100 && ok; ++i) {
      const std::string v = std::to_string(i) + std::string(20000, static_cast<char>('a' + i % 26));
      ok = w.setPersistentDomain({{"a", v}, {"b", v}}, kDomain);
    }
    _exit(ok ? 0 : 1);
  }
  int reads = 0, bad = 0;
  for (;;) {
    int status = 0;
    const bool done = waitpid(writer, &status, WNOHANG) == writer;
    const auto domain = defaults.persistentDomainForName(kDomain);
    ++reads;
    if (!domain || domain->count("a") != 1 || domain->count("b") != 1 || domain->at("a") != domain->at("b")) ++bad;
    if (done) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
      break;
    }
  }
  EXPECT_EQ(bad, 0) << "of " << reads << " reads";
  // No temporary files are left behind.
  for (const auto& name : filesIn(home_.defaultsDir())) EXPECT_EQ(name.find(".tmp-"), std::string::npos) << name;
}

TEST_F(UserDefaultsTest, TwoWritersInTwoProcessesLoseNoKeys) {
  constexpr int kKeys = 100;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = fork();
    ASSERT_GE(children[c], 0);
    if (children[c] == 0) {
      UserDefaults w(kDomain);
      bool ok = true;
      for (int i = 0; i < kKeys && ok; ++i) ok = w.setInteger(i, "w" + std::to_string(c) + "-" + std::to_string(i));
      _exit(ok ? 0 : 1);
    }
  }
  EXPECT_TRUE(childSucceeded(children[0]));
  EXPECT_TRUE(childSucceeded(children[1]));
  const auto domain = UserDefaults(kDomain).persistentDomainForName(kDomain);
  ASSERT_TRUE(domain);
  EXPECT_EQ(domain->size(), 2u * kKeys);
  for (int c = 0; c < 2; ++c) {
    for (int i = 0; i < kKeys; ++i) {
      auto it = domain->find("w" + std::to_string(c) + "-" + std::to_string(i));
      ASSERT_NE(it, domain->end()) << c << "-" << i;
      EXPECT_EQ(it->second, DefaultsValue(i));
    }
  }
}

}  // namespace
}  // namespace vlx
