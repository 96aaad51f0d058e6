#pragma once

#include <string>

#include "option_state.h"
#include "working_date.h"

namespace kustel {

class Clock;
class FileSystem;
class MessageSink;

// What the engine reaches the outside world through.
struct EngineServices {
  FileSystem& files;
  const Clock& clock;
  MessageSink& messages;
};

// Puts the prefix chosen by `options` in front of the file's name, or, when the name already
// starts with a prefix of that shape, keeps it or takes it away. Renames at most one file, never
// over an existing one; problems the user must know of go to `services.messages`. `date` is the
// working date: read to print the prefix and overwritten with the date the prefix is built from.
void PrefixFile(const std::u16string& path, const OptionState& options, WorkingDate& date,
                EngineServices& services);

}  // namespace kustel
