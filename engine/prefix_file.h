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

// How one call of PrefixFile ended.
enum class PrefixOutcome {
  kStamped,       // the prefix was put in front of the name
  kUnstamped,     // the existing prefix was taken away
  kKept,          // the name already carried the prefix, and the action keeps it
  kRefused,       // a message told the user why nothing happened
  kNoFile,        // nothing there, or a folder: passed over without a message
  kTargetExists,  // the new name is taken: the file keeps its name, without a message
};

// True when the call did what the user asked for (the three first outcomes).
bool DidItsWork(PrefixOutcome outcome);

// Puts the prefix chosen by `options` in front of the file's name, or, when the name already
// starts with a prefix of that shape, keeps it or takes it away. Renames at most one file, never
// over an existing one; problems the user must know of go to `services.messages`. `date` is the
// working date: read to print the prefix and overwritten with the date the prefix is built from.
// Looks at the path once and touches the file system once more at most, for the rename.
PrefixOutcome PrefixFile(const std::u16string& path, const OptionState& options, WorkingDate& date,
                         EngineServices& services);

}  // namespace kustel
