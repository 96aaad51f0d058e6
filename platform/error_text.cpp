#include "platform/error_text.h"

#include <new>

#include "platform/name_codec.h"

namespace kustel {

std::u16string ErrorText(std::u16string_view failureText) {
  std::u16string text(failureText);
  if (!text.empty() && text.back() > u'.') text += u'.';
  return text;
}

std::u16string FailureText(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr)
    return std::u16string(kLackOfMemoryText);
  const char* what = failure.what();
  return BytesToText(what != nullptr ? what : "");
}

std::u16string CurrentFailureText() {
  std::u16string text;
  try {
    throw;
  } catch (const std::exception& failure) {
    text = FailureText(failure);
  } catch (...) {
  }
  return text.empty() ? std::u16string(kUnknownFailureText) : text;
}

}  // namespace kustel
