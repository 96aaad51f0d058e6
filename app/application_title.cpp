#include "app/application_title.h"

#include "platform/latin_case.h"
#include "platform/path_split.h"

namespace kustel {

std::u16string ApplicationTitle(std::u16string_view programPath) {
  std::u16string name(SplitNativePath(programPath).name);
  if (const size_t dot = name.find(u'.'); dot != std::u16string::npos) name.erase(dot);
  // The file on POSIX is "kustel", and the title reads "Kustel" there as on Windows, where the
  // file is "KUSTEL.EXE": the first character is made a capital.
  if (!name.empty()) name[0] = LatinUpper(name[0]);
  for (size_t i = 1; i < name.size(); ++i) name[i] = LatinLower(name[i]);
  return name;
}

}  // namespace kustel
