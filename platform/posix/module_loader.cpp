#include "platform/module_loader.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <string>

namespace kustel {
namespace {

// The folder of the program file, found through the kernel, not argv[0]: a start through a
// link or through PATH still finds the module beside the real file.
std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return ".";
  const std::string file(path, static_cast<size_t>(length));
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

}  // namespace

void* FindModuleFunction(const char* fileName, const char* functionName) {
  const std::string modulePath = ProgramFolder() + "/" + fileName;
  void* module = dlopen(modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);
  return module != nullptr ? dlsym(module, functionName) : nullptr;
}

}  // namespace kustel
