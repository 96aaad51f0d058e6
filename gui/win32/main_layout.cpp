#include "gui/win32/main_layout.h"

#include <commctrl.h>

namespace kustel {
namespace {

constexpr COLORREF kWindowGrey = RGB(218, 218, 218);
constexpr COLORREF kSilver = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLightBlue = RGB(185, 220, 255);

constexpr const wchar_t* kFillItems[] = {L"Bindestrich", L"Unterstrich", L"Blank"};
constexpr const wchar_t* kPrefixActionItems[] = {L"beibehalten", L"entfernen"};
constexpr const wchar_t* kDropAreaLines[] = {L"", L" Zum Umbenennen", L" Datei(en) auf dieses",
                                             L" Feld ziehen "};

using K = ControlKind;

// The order is the order of creation and so the tab order: the calendar first (it is no tab
// stop), the labels, then the tab stops FuellzeichenComBox, EinfgDelComBox, BeliebigTextEdit, the
// two radio groups and the drop area, and last the two buttons that never take the focus.
// Radio items sit in the panel beside their group box, inside its frame: a radio group's items
// stand at (8, top + i * height) within the group, as wide as the group less 10, sharing the
// height below the caption; the ids and positions here are the panel's.
constexpr ControlDefinition kControls[] = {
    {kMonthCalendar1, 0, K::kMonthCalendar, 256, 28, 198, 160, L"", 0, MCS_WEEKNUMBERS},
    {kLabel3, 0, K::kLabel, 256, 194, 114, 16, L"Gewähltes Datum", 13},
    {kDatumLabel, 0, K::kLabel, 374, 194, 78, 16, L"", 13, SS_CENTER, kWhite},
    {kLabel4, 0, K::kLabel, 25, 243, 209, 16, L"Beliebiger Text  (max.40 Zeichen )", 13},
    {kLabel1, 0, K::kLabel, 490, 298, 73, 16, L"Füllzeichen", 13},
    {kLabel2, 0, K::kLabel, 457, 328, 106, 16, L"Vorh.Datum/Text", 13},
    {kFuellzeichenComBox, 0, K::kComboBox, 569, 295, 106, 24, L"", 13, WS_TABSTOP | WS_GROUP,
     kInheritedColour, kInheritedColour, kFillItems},
    {kEinfgDelComBox, 0, K::kComboBox, 569, 325, 106, 24, L"", 13, WS_TABSTOP | WS_GROUP,
     kInheritedColour, kInheritedColour, kPrefixActionItems},
    {kBeliebigTextEdit, 0, K::kEdit, 25, 265, 305, 24, L"", 13, WS_TABSTOP | WS_GROUP},

    {kPanel1, 0, K::kPanel, 17, 25, 216, 212, L"", 0, WS_GROUP, kSilver},
    {kDatumRGroup, kPanel1, K::kGroupBox, 8, 10, 198, 189, L"  Vorangestellt wird ...", 15,
     WS_GROUP, kInheritedColour, kWhite},
    {kDatumItem0 + 0, kPanel1, K::kRadioItem, 16, 29, 188, 33, L"Heutiges Datum", 15,
     WS_GROUP | WS_TABSTOP, kInheritedColour, kWhite},
    {kDatumItem0 + 1, kPanel1, K::kRadioItem, 16, 62, 188, 33, L"Dateidatum", 15, 0,
     kInheritedColour, kWhite},
    {kDatumItem0 + 2, kPanel1, K::kRadioItem, 16, 95, 188, 33, L"Gewähltes Datum", 15, 0,
     kInheritedColour, kWhite},
    {kDatumItem0 + 3, kPanel1, K::kRadioItem, 16, 128, 188, 33, L"Beliebiger Text", 15, 0,
     kInheritedColour, kWhite},
    {kDatumItem0 + 4, kPanel1, K::kRadioItem, 16, 161, 188, 33, L"Dateidatum + bel.Text", 15, 0,
     kInheritedColour, kWhite},

    // The items' texts are the labels of the fill character, set when the window is relabelled.
    {kPanel2, 0, K::kPanel, 473, 28, 217, 236, L"", 0, WS_GROUP, kSilver},
    {kFormatRGroup, kPanel2, K::kGroupBox, 17, 16, 185, 204, L"  Format Datum  ", 13, WS_GROUP},
    {kFormatItem0 + 0, kPanel2, K::kRadioItem, 25, 33, 175, 26, L"", 13, WS_GROUP | WS_TABSTOP},
    {kFormatItem0 + 1, kPanel2, K::kRadioItem, 25, 59, 175, 26, L"", 13},
    {kFormatItem0 + 2, kPanel2, K::kRadioItem, 25, 85, 175, 26, L"", 13},
    {kFormatItem0 + 3, kPanel2, K::kRadioItem, 25, 111, 175, 26, L"", 13},
    {kFormatItem0 + 4, kPanel2, K::kRadioItem, 25, 137, 175, 26, L"", 13},
    {kFormatItem0 + 5, kPanel2, K::kRadioItem, 25, 163, 175, 26, L"", 13},
    {kFormatItem0 + 6, kPanel2, K::kRadioItem, 25, 189, 175, 26, L"", 13},

    {kLboxFiles, 0, K::kListBox, 25, 295, 136, 69, L"", 12, WS_TABSTOP | WS_GROUP, kLightBlue,
     kInheritedColour, kDropAreaLines, 14},
    {kInfoSBtn, 0, K::kButton, 248, 328, 41, 30, L"&Info", 13, WS_GROUP},
    {kCloseSBtn, 0, K::kButton, 295, 328, 129, 30, L"&Schließen", 13, WS_GROUP},
};

constexpr WindowDefinition kMain{L"Programm KUSTEL  -  setzt Datum vor Dateinamen ",
                                 712,
                                 381,
                                 L"Tahoma",
                                 11,
                                 kWindowGrey,
                                 kControls};

}  // namespace

const WindowDefinition& MainDefinition() {
  return kMain;
}

}  // namespace kustel
