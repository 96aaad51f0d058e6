#include "app/command_line_mode.h"

#include "engine/option_state.h"
#include "engine/prefix_file.h"
#include "engine/working_date.h"
#include "platform/clock.h"
#include "settings/settings_store.h"

namespace kustel {

bool IsCommandLineMode(const std::vector<std::u16string>& arguments) {
  return !arguments.empty() && !arguments.front().empty();
}

bool RunCommandLineMode(const std::vector<std::u16string>& arguments,
                        const CommandLineServices& services) {
  OptionState options;  // the start values
  SettingsStore store(services.settings, services.messages);
  store.LoadSettings(options);

  WorkingDate date;
  TakeMoment(date, services.clock.Now());
  EngineServices engine{services.files, services.clock, services.messages};
  bool allDone = true;
  for (const std::u16string& argument : arguments) {
    if (argument.empty()) break;
    allDone = DidItsWork(PrefixFile(argument, options, date, engine)) && allDone;
  }
  return allDone;
}

}  // namespace kustel
