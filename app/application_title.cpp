#include "app/application_title.h"

#include "platform/path_split.h"

namespace kustel {
namespace {

// Case for the letters a program name is made of in practice: ASCII and Latin-1 (the German
// umlauts among them). Other characters stay as they are.
bool IsLatinCapital(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'\u00C0' && c <= u'\u00DE' && c != u'\u00D7');
}

bool IsLatinSmall(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'\u00E0' && c <= u'\u00FE' && c != u'\u00F7');
}

char16_t ToLower(char16_t c) {
  return IsLatinCapital(c) ? c + 0x20 : c;
}
char16_t ToUpper(char16_t c) {
  return IsLatinSmall(c) ? c - 0x20 : c;
}

}  // namespace

std::u16string ApplicationTitle(std::u16string_view programPath) {
  std::u16string name = SplitNativePath(programPath).name;
  if (const size_t dot = name.find(u'.'); dot != std::u16string::npos) name.erase(dot);
  // The file on POSIX is "kustel", and the title reads "Kustel" there as on Windows, where the
  // file is "KUSTEL.EXE": the first character is made a capital.
  if (!name.empty()) name[0] = ToUpper(name[0]);
  for (size_t i = 1; i < name.size(); ++i) name[i] = ToLower(name[i]);
  return name;
}

}  // namespace kustel
