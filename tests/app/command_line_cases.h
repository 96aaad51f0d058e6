#pragma once

// Rows that the program runs alike on Linux and on Windows, each started as a process with the
// stored settings and the files of the row: the same table for build/default/app/kustel and
// for kustel.exe under Wine, so that both show they stamp, unstamp and refuse identically.

#include <ctime>
#include <string>
#include <vector>

namespace kustel {

// 5 November 2024, 14:32 in Berlin (13:32 UTC): the last-write time of every file of the rows.
inline constexpr time_t kFileMoment = 1730813520;

// The worked examples, with one file each. The settings text: source, layout, fill character,
// action, "00", the chosen date or 99999999, then the free text or xxx.
struct WorkedExample {
  const char* name;
  const char* settings;
  const char* before;   // the file's name
  const char* after;    // its name afterwards
  const char* message;  // the one message shown, or none
  int exitCode;
};

inline const WorkedExample kWorkedExamples[] = {
    {"file date", "10000099999999xxx", "scan.pdf", "2024-11-05-scan.pdf", "", 0},
    {"file date kept", "10000099999999xxx", "2024-11-05-scan.pdf", "2024-11-05-scan.pdf", "", 0},
    {"file date removed", "10010099999999xxx", "2024-11-05-scan.pdf", "scan.pdf", "", 0},
    {"any date of the shape removed", "10010099999999xxx", "2019-03-08-scan.pdf", "scan.pdf", "",
     0},
    {"remove adds where there is none", "10010099999999xxx", "scan.pdf", "2024-11-05-scan.pdf", "",
     0},
    {"another fill character is another shape", "10000099999999xxx", "2024_11_05_scan.pdf",
     "2024-11-05-2024_11_05_scan.pdf", "", 0},
    {"layout 2 with blanks", "12200099999999xxx", "scan.pdf", "20241105   scan.pdf", "", 0},
    {"layout 6 with underscores", "16100099999999xxx", "scan.pdf", "241105_1432_scan.pdf", "", 0},
    {"digits of the name stay", "11000099999999xxx", "12.pdf", "20241105-12.pdf", "", 0},
    {"a chosen date", "23000020250107xxx", "scan.pdf", "25-01-07-scan.pdf", "", 0},
    {"a free text", "30000099999999Rechnung_", "scan.pdf", "Rechnung_scan.pdf", "", 0},
    {"a free text removed", "30010099999999Rechnung_", "Rechnung_scan.pdf", "scan.pdf", "", 0},
    {"a free text in another case", "30000099999999Rechnung_", "rechnung_scan.pdf",
     "Rechnung_rechnung_scan.pdf", "", 0},
    {"file date and text", "40000099999999Rechnung_", "scan.pdf", "2024-11-05-Rechnung_scan.pdf",
     "", 0},
    {"file date and text in layout 6", "46000099999999Rechnung_", "scan.pdf",
     "241105-1432Rechnung_scan.pdf", "", 0},
    {"file date and text removed", "40010099999999Rechnung_", "2024-11-05-Rechnung_scan.pdf",
     "scan.pdf", "", 0},
    {"file date and text of another date", "40000099999999Rechnung_",
     "2023-01-05-Rechnung_scan.pdf", "2024-11-05-Rechnung_2023-01-05-Rechnung_scan.pdf", "", 0},
    {"umlauts in the name and the text", "30000099999999Grüße_", "Müller €.pdf",
     "Grüße_Müller €.pdf", "", 0},
    // Refused, with a message; the file keeps its name.
    {"free text chosen but none given", "30000099999999xxx", "scan.pdf", "scan.pdf",
     "Geben Sie einen beliebigen Text ein", 1},
    {"a free text that would move the file", "30000099999999Re:", "scan.pdf", "scan.pdf",
     "Der beliebige Text darf die Zeichen \\ / : nicht enthalten", 1},
    {"chosen date but none chosen", "20000099999999xxx", "scan.pdf", "scan.pdf",
     "Wählen Sie ein Datum im Kalender aus", 1},
    {"nothing left without the prefix", "30010099999999Rechnung_", "Rechnung_", "Rechnung_",
     "Die Datei „Rechnung_“ behält ihren Namen: ohne das Präfix bliebe kein Name übrig.", 1},
};

// Several arguments: the exit code says whether every one got what was asked.
struct ExitCase {
  const char* name;
  const char* settings;
  std::vector<std::string> files;  // in the folder before; a name ending in / is a folder
  std::vector<std::string> arguments;
  int exitCode;
  std::vector<std::string> filesAfter;
  const char* message = "";  // shown for each argument that is refused with one
};

inline const std::vector<ExitCase>& ExitCases() {
  static const char* const keep = "35000099999999N_";
  static const char* const remove = "35010099999999N_";
  static const std::vector<ExitCase> rows = {
      {"stamped", keep, {"a.pdf", "b.pdf"}, {"a.pdf", "b.pdf"}, 0, {"N_a.pdf", "N_b.pdf"}},
      {"unstamped", remove, {"N_a.pdf"}, {"N_a.pdf"}, 0, {"a.pdf"}},
      {"already stamped and kept", keep, {"N_a.pdf"}, {"N_a.pdf"}, 0, {"N_a.pdf"}},
      {"one missing among stamped ones", keep, {"a.pdf"}, {"a.pdf", "fehlt.pdf"}, 1, {"N_a.pdf"}},
      {"a folder", keep, {"Ordner/"}, {"Ordner"}, 1, {"Ordner"}},
      {"the new name is taken", keep, {"a.pdf", "N_a.pdf"}, {"a.pdf"}, 1, {"N_a.pdf", "a.pdf"}},
      {"refused with a message",
       "30000099999999xxx",
       {"a.pdf"},
       {"a.pdf"},
       1,
       {"a.pdf"},
       "Geben Sie einen beliebigen Text ein"},
      // With "remove", every argument that names the file toggles its prefix; a name that does
      // not exist (yet) is passed over. Only the given order ends as listed.
      {"there and back", remove, {"x.pdf"}, {"x.pdf", "N_x.pdf"}, 0, {"x.pdf"}},
      {"back first, then there", remove, {"x.pdf"}, {"N_x.pdf", "x.pdf"}, 1, {"N_x.pdf"}},
      {"five toggles",
       remove,
       {"x.pdf"},
       {"x.pdf", "N_x.pdf", "x.pdf", "N_x.pdf", "x.pdf"},
       0,
       {"N_x.pdf"}},
  };
  return rows;
}

}  // namespace kustel
