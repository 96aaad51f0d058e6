#include "platform/program_entry.h"
#include "platform/command_line.h"

int main(int argc, char** argv) {
  return kustel::ProgramMain(kustel::CommandLineArguments(argc, argv));
}
