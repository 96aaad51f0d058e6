// The windows' entry as a front end offers it: the calls cross as plain data, a box lives on
// the windows' side behind its handle, and whatever a front end throws comes back as a failure
// text. A throw inside a real front end cannot be brought about from outside, so the front end
// here is a stand-in whose every call can be made to throw.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/front_end_entry.h"
#include "app/gui_entry.h"

namespace kustel {
namespace {

struct Shown {
  std::u16string caption;
  std::u16string text;
  bool errorIcon;
  bool operator==(const Shown&) const = default;
};

// What the stand-in front end was asked, and the failure each of its calls raises, if any.
struct FrontEndLog {
  bool hasDisplay = true;
  bool boxSeen = true;
  std::function<void()> raise;              // thrown from inside every call while set
  std::vector<std::u16string> windowModes;  // "path|title|guard" of each run
  std::vector<Shown> shown;
  int boxesAlive = 0;
};
FrontEndLog frontEnd;

void RaiseIfAsked() {
  if (frontEnd.raise) frontEnd.raise();
}

class StandInBox final : public DesktopBox {
 public:
  StandInBox() { ++frontEnd.boxesAlive; }
  ~StandInBox() override { --frontEnd.boxesAlive; }
  void Show(const std::u16string& caption, const std::u16string& text, bool errorIcon) override {
    RaiseIfAsked();
    frontEnd.shown.push_back({caption, text, errorIcon});
  }
};

struct StandInFrontEnd {
  static bool CanOpenWindow() { return frontEnd.hasDisplay; }
  static bool BoxWouldBeSeen() { return frontEnd.boxSeen; }
  static int RunWindowMode(const std::u16string& programPath, const std::u16string& title,
                           GuardResult guard) {
    RaiseIfAsked();
    frontEnd.windowModes.push_back(
        programPath + u"|" + title + u"|" +
        (guard == GuardResult::kAlreadyRunning ? u"running" : u"acquired"));
    return 7;
  }
  static std::unique_ptr<DesktopBox> MakeDesktopBox(const std::u16string&, const std::u16string&) {
    RaiseIfAsked();
    return std::make_unique<StandInBox>();
  }
};

const GuiEntry& Entry() {
  return FrontEndEntry<StandInFrontEnd>::kEntry;
}

class GuiEntryTest : public ::testing::Test {
 protected:
  void SetUp() override { frontEnd = FrontEndLog{}; }
  void TearDown() override { frontEnd = FrontEndLog{}; }
};

// A text with an umlaut, a character outside the basic plane and a lone surrogate (an
// undecodable name byte): every code unit must cross unchanged.
const std::u16string kAwkwardText = u"M\u00fcller \U0001F600 \xDC80.pdf";

TEST_F(GuiEntryTest, CarriesTextsAndResultsAcrossAndKeepsTheBoxOnItsSide) {
  int32_t exitCode = -1;
  SeamFailure failure;
  ASSERT_EQ(Entry().runWindowMode(ToSeamText(u"/usr/bin/kustel"), ToSeamText(u"Kustel"),
                                  static_cast<int32_t>(GuardResult::kAlreadyRunning), &exitCode,
                                  &failure),
            SeamStatus::kDone);
  EXPECT_EQ(exitCode, 7);
  EXPECT_EQ(frontEnd.windowModes, std::vector<std::u16string>{u"/usr/bin/kustel|Kustel|running"});

  SeamDesktopBox* box = nullptr;
  ASSERT_EQ(
      Entry().openDesktopBox(ToSeamText(u"/usr/bin/kustel"), ToSeamText(u"Kustel"), &box, &failure),
      SeamStatus::kDone);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(
      Entry().showDesktopBox(box, ToSeamText(u"Kustel"), ToSeamText(kAwkwardText), 1, &failure),
      SeamStatus::kDone);
  EXPECT_EQ(frontEnd.shown, (std::vector<Shown>{{u"Kustel", kAwkwardText, true}}));
  EXPECT_EQ(Entry().destroyDesktopBox(box, &failure), SeamStatus::kDone);
  EXPECT_EQ(frontEnd.boxesAlive, 0);
}

TEST_F(GuiEntryTest, WithNothingToDrawOnNoWindowRunsAndNoBoxIsMade) {
  frontEnd.hasDisplay = false;
  frontEnd.boxSeen = false;
  int32_t exitCode = -1;
  SeamFailure failure;
  EXPECT_EQ(
      Entry().runWindowMode(ToSeamText(u"kustel"), ToSeamText(u"Kustel"), 0, &exitCode, &failure),
      SeamStatus::kNoDisplay);
  EXPECT_TRUE(frontEnd.windowModes.empty());
  SeamDesktopBox* box = reinterpret_cast<SeamDesktopBox*>(&exitCode);  // must be overwritten
  EXPECT_EQ(Entry().openDesktopBox(ToSeamText(u"kustel"), ToSeamText(u"Kustel"), &box, &failure),
            SeamStatus::kNoDisplay);
  EXPECT_EQ(box, nullptr);
  EXPECT_EQ(frontEnd.boxesAlive, 0);
}

struct FailureCase {
  const char* name;
  std::function<void()> raise;
  std::u16string text;
};

std::vector<FailureCase> FailureCases() {
  return {
      {"a failure with a text", [] { throw std::runtime_error("Das Laufwerk ist nicht bereit"); },
       u"Das Laufwerk ist nicht bereit"},
      {"a text in UTF-8", [] { throw std::runtime_error("Datei M\xC3\xBCller fehlt"); },
       u"Datei Müller fehlt"},
      {"a lack of memory", [] { throw std::bad_alloc(); }, u"Zu wenig Arbeitsspeicher"},
      {"a failure with an empty text", [] { throw std::runtime_error(""); },
       u"Im Programmteil für das Fenster ist ein unbekannter Fehler aufgetreten"},
      {"something that is no failure at all", [] { throw 42; },
       u"Im Programmteil für das Fenster ist ein unbekannter Fehler aufgetreten"},
  };
}

TEST_F(GuiEntryTest, AFailureInsideAnyCallComesBackAsItsText) {
  for (const FailureCase& row : FailureCases()) {
    SCOPED_TRACE(row.name);
    frontEnd = FrontEndLog{};
    SeamDesktopBox* box = nullptr;
    SeamFailure failure;
    ASSERT_EQ(Entry().openDesktopBox(ToSeamText(u"kustel"), ToSeamText(u"Kustel"), &box, &failure),
              SeamStatus::kDone);
    frontEnd.raise = row.raise;

    const struct {
      const char* call;
      std::function<SeamStatus(SeamFailure&)> make;
    } calls[] = {
        {"window mode",
         [](SeamFailure& f) {
           int32_t exitCode = 0;
           return Entry().runWindowMode(ToSeamText(u"kustel"), ToSeamText(u"Kustel"), 0, &exitCode,
                                        &f);
         }},
        {"opening a box",
         [](SeamFailure& f) {
           SeamDesktopBox* other = nullptr;
           const SeamStatus status =
               Entry().openDesktopBox(ToSeamText(u"kustel"), ToSeamText(u"Kustel"), &other, &f);
           EXPECT_EQ(other, nullptr);
           return status;
         }},
        {"showing a box",
         [box](SeamFailure& f) {
           return Entry().showDesktopBox(box, ToSeamText(u"Kustel"), ToSeamText(u"Text"), 0, &f);
         }},
    };
    for (const auto& call : calls) {
      SCOPED_TRACE(call.call);
      SeamFailure raised;
      EXPECT_EQ(call.make(raised), SeamStatus::kFailed);
      EXPECT_EQ(raised.Text(), row.text);
    }
    frontEnd.raise = nullptr;
    EXPECT_EQ(Entry().destroyDesktopBox(box, &failure), SeamStatus::kDone);
    EXPECT_EQ(frontEnd.boxesAlive, 0);
  }
}

TEST_F(GuiEntryTest, ALongFailureTextIsCutBeforeACharacterThatWouldNotFitWhole) {
  // The last character that would fit lies outside the basic plane: its first half fits, its
  // second would not, so it is left out whole.
  std::string text(SeamFailure::kCapacity - 1, 'x');
  text += "\xF0\x9F\x98\x80 und mehr";
  frontEnd.raise = [&] { throw std::runtime_error(text); };
  SeamFailure failure;
  int32_t exitCode = 0;
  ASSERT_EQ(
      Entry().runWindowMode(ToSeamText(u"kustel"), ToSeamText(u"Kustel"), 0, &exitCode, &failure),
      SeamStatus::kFailed);
  EXPECT_EQ(failure.Text(), std::u16string(SeamFailure::kCapacity - 1, u'x'));
}

}  // namespace
}  // namespace kustel
