#include "platform/command_line.h"

#include "platform/name_codec.h"

namespace kustel {

std::vector<std::u16string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::u16string> arguments;
  arguments.reserve(argc > 0 ? static_cast<size_t>(argc) : 0);
  for (int i = 0; i < argc && argv[i] != nullptr; ++i) arguments.push_back(BytesToText(argv[i]));
  return arguments;
}

}  // namespace kustel
