// Costs of the user-defaults store, which reads the domain file afresh at every
// call: one key read, one write (locked, flushed, renamed), a converter start
// (Prefs init) and a service request's reads. Runs in a temporary
// XDG_CONFIG_HOME and prints microseconds per operation.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/user_defaults.h"
#include "prefs/domain.h"
#include "prefs/prefs.h"
#include "service/service_prefs.h"

namespace {

double microsecondsPer(int n, const std::function<void(int)>& op) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i) op(i);
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::micro>(end - start).count() / n;
}

}  // namespace

int main() {
  std::string dir = (std::filesystem::temp_directory_path() / "vellix-defaults-bench-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);

  vlx::UserDefaults defaults(vlx::kConverterDomain);
  Prefs prefs(defaults);
  prefs.init();
  defaults.setInteger(3, "LanguageGroup");

  volatile int64_t sink = 0;
  std::printf("integerForKey (converter domain, %zu keys): %.1f us\n",
              defaults.persistentDomainForName(vlx::kConverterDomain)->size(),
              microsecondsPer(20000, [&](int) { sink = sink + defaults.integerForKey("TargetTextEncoding"); }));
  std::printf("integerForKey of a registered-only key:      %.1f us\n",
              microsecondsPer(20000, [&](int) { sink = sink + defaults.integerForKey("AskNotSureValue"); }));
  std::printf("setInteger (lock, fsync, rename):            %.1f us\n",
              microsecondsPer(200, [&](int i) { defaults.setInteger(i, "Bench"); }));
  std::printf("Prefs init (a converter start):              %.1f us\n", microsecondsPer(100, [&](int) {
                vlx::UserDefaults run(vlx::kConverterDomain);
                Prefs p(run);
                p.init();
              }));
  std::printf("ServicePrefs and its five reads:             %.1f us\n", microsecondsPer(2000, [&](int) {
                ServicePrefs s;
                sink = sink + s.sourceEncForType(VLXTypeDatabase) + s.langGroup() +
                       s.targetEncForType(VLXTypeDatabase) + s.doCompress() + s.doOpenInHSM();
              }));

  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
