#include "platform/error_text.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

namespace kustel {
namespace {

struct EndingCase {
  const char* name;
  std::u16string failure;
  std::u16string shown;
};

TEST(ErrorText, AddsAFullStopUnlessTheTextEndsInACharacterUpToIt) {
  const EndingCase rows[] = {
      {"a plain sentence", u"'05.13.2024' ist kein gültiges Datum",
       u"'05.13.2024' ist kein gültiges Datum."},
      {"already a full stop", u"Datei fehlt.", u"Datei fehlt."},
      {"an exclamation mark", u"Achtung!", u"Achtung!"},
      {"a trailing blank", u"Fehler ", u"Fehler "},
      {"a hyphen, just below the full stop", u"Fehler -", u"Fehler -"},
      {"a closing parenthesis", u"Fehler (3)", u"Fehler (3)"},
      {"a slash, just above the full stop", u"/tmp/", u"/tmp/."},
      {"a question mark", u"Warum?", u"Warum?."},
      {"a digit", u"Fehler 3", u"Fehler 3."},
      {"an umlaut", u"Zugriff auf Datei ö", u"Zugriff auf Datei ö."},
      {"a failure without a text", u"", u""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ErrorText(row.failure), row.shown);
  }
}

TEST(ErrorText, TakesTheFailuresOwnTextAsUtf8) {
  EXPECT_EQ(FailureText(std::runtime_error("Datei M\xC3\xBCller fehlt")), u"Datei Müller fehlt");
  // A name byte that is not UTF-8 stays readable as its escape instead of being lost.
  EXPECT_EQ(FailureText(std::runtime_error("caf\xE9")), u"caf\xDCE9");
}

TEST(ErrorText, ReportsALackOfMemoryInGerman) {
  EXPECT_EQ(FailureText(std::bad_alloc()), u"Zu wenig Arbeitsspeicher");
  EXPECT_EQ(ErrorText(FailureText(std::bad_alloc())), u"Zu wenig Arbeitsspeicher.");
}

// Inside a catch block, whatever was thrown; never an empty text.
TEST(ErrorText, TheCurrentFailureSaysSomethingEvenWhenItBringsNoText) {
  auto textOf = [](auto&& raise) {
    try {
      raise();
    } catch (...) {
      return CurrentFailureText();
    }
    return std::u16string(u"nothing thrown");
  };
  EXPECT_EQ(textOf([] { throw std::runtime_error("Laufwerk fehlt"); }), u"Laufwerk fehlt");
  EXPECT_EQ(textOf([] { throw std::bad_alloc(); }), u"Zu wenig Arbeitsspeicher");
  EXPECT_EQ(textOf([] { throw std::runtime_error(""); }), kUnknownFailureText);
  EXPECT_EQ(textOf([] { throw 42; }), kUnknownFailureText);
}

}  // namespace
}  // namespace kustel
