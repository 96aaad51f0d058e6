#include "gui/main_definition.h"

namespace kustel {
namespace {

constexpr Rgb kWindowGrey{218, 218, 218};
constexpr Rgb kSilver{192, 192, 192};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLightBlue{185, 220, 255};

constexpr const char16_t* kFillItems[] = {u"Bindestrich", u"Unterstrich", u"Blank"};
constexpr const char16_t* kPrefixActionItems[] = {u"beibehalten", u"entfernen"};
constexpr const char16_t* kDropAreaLines[] = {u"", u" Zum Umbenennen", u" Datei(en) auf dieses",
                                              u" Feld ziehen "};

using K = ControlKind;

// The order is the tab order: the calendar first (it is no tab stop), the labels, then the tab
// stops FuellzeichenComBox, EinfgDelComBox, BeliebigTextEdit, the two radio groups and the drop
// area, and last the two buttons that never take the focus. The format items get their texts,
// the labels of the fill character, when the window is relabelled.
// One control a row, as a table.
// clang-format off
constexpr ControlDefinition kControls[] = {
    {.id = kMonthCalendar1, .name = "MonthCalendar1", .kind = K::kMonthCalendar,
     .place = {256, 28, 198, 160}, .flags = kWeekNumbers, .date = {2017, 1, 1}},
    {.id = kLabel3, .name = "Label3", .kind = K::kLabel, .place = {256, 194, 114, 16},
     .text = u"Gewähltes Datum", .characterHeight = 13},
    {.id = kDatumLabel, .name = "DatumLabel", .kind = K::kLabel, .place = {374, 194, 78, 16},
     .characterHeight = 13, .flags = kCentred, .background = kWhite},
    {.id = kLabel4, .name = "Label4", .kind = K::kLabel, .place = {25, 243, 209, 16},
     .text = u"Beliebiger Text  (max.40 Zeichen )", .characterHeight = 13},
    {.id = kLabel1, .name = "Label1", .kind = K::kLabel, .place = {490, 298, 73, 16},
     .text = u"Füllzeichen", .characterHeight = 13},
    {.id = kLabel2, .name = "Label2", .kind = K::kLabel, .place = {457, 328, 106, 16},
     .text = u"Vorh.Datum/Text", .characterHeight = 13},
    {.id = kFuellzeichenComBox, .name = "FuellzeichenComBox", .kind = K::kComboBox,
     .place = {569, 295, 106, 24}, .characterHeight = 13, .flags = kTabStop, .items = kFillItems},
    {.id = kEinfgDelComBox, .name = "EinfgDelComBox", .kind = K::kComboBox,
     .place = {569, 325, 106, 24}, .characterHeight = 13, .flags = kTabStop,
     .items = kPrefixActionItems},
    // Takes 25 typed characters, not the 40 its label names.
    {.id = kBeliebigTextEdit, .name = "BeliebigTextEdit", .kind = K::kEdit,
     .place = {25, 265, 305, 24}, .characterHeight = 13, .flags = kTabStop, .typedLimit = 25},

    {.id = kPanel1, .name = "Panel1", .kind = K::kPanel, .place = {17, 25, 216, 212},
     .background = kSilver},
    {.id = kDatumRGroup, .name = "DatumRGroup", .kind = K::kGroupBox, .parent = kPanel1,
     .place = {8, 10, 198, 189}, .text = u"  Vorangestellt wird ...", .characterHeight = 15,
     .textColour = kWhite},
    {.id = kDatumRGroupItem0, .name = "DatumRGroupItem0", .kind = K::kRadioItem,
     .parent = kDatumRGroup, .place = {8, 19, 188, 33}, .text = u"Heutiges Datum",
     .flags = kTabStop},
    {.id = kDatumRGroupItem1, .name = "DatumRGroupItem1", .kind = K::kRadioItem,
     .parent = kDatumRGroup, .place = {8, 52, 188, 33}, .text = u"Dateidatum", .flags = kTabStop},
    {.id = kDatumRGroupItem2, .name = "DatumRGroupItem2", .kind = K::kRadioItem,
     .parent = kDatumRGroup, .place = {8, 85, 188, 33}, .text = u"Gewähltes Datum",
     .flags = kTabStop},
    {.id = kDatumRGroupItem3, .name = "DatumRGroupItem3", .kind = K::kRadioItem,
     .parent = kDatumRGroup, .place = {8, 118, 188, 33}, .text = u"Beliebiger Text",
     .flags = kTabStop},
    {.id = kDatumRGroupItem4, .name = "DatumRGroupItem4", .kind = K::kRadioItem,
     .parent = kDatumRGroup, .place = {8, 151, 188, 33}, .text = u"Dateidatum + bel.Text",
     .flags = kTabStop},

    {.id = kPanel2, .name = "Panel2", .kind = K::kPanel, .place = {473, 28, 217, 236},
     .background = kSilver},
    {.id = kFormatRGroup, .name = "FormatRGroup", .kind = K::kGroupBox, .parent = kPanel2,
     .place = {17, 16, 185, 204}, .text = u"  Format Datum  ", .characterHeight = 13},
    {.id = kFormatRGroupItem0, .name = "FormatRGroupItem0", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 17, 175, 26}, .flags = kTabStop},
    {.id = kFormatRGroupItem1, .name = "FormatRGroupItem1", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 43, 175, 26}, .flags = kTabStop},
    {.id = kFormatRGroupItem2, .name = "FormatRGroupItem2", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 69, 175, 26}, .flags = kTabStop},
    {.id = kFormatRGroupItem3, .name = "FormatRGroupItem3", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 95, 175, 26}, .flags = kTabStop},
    {.id = kFormatRGroupItem4, .name = "FormatRGroupItem4", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 121, 175, 26}, .flags = kTabStop},
    {.id = kFormatRGroupItem5, .name = "FormatRGroupItem5", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 147, 175, 26}, .flags = kTabStop},
    {.id = kFormatRGroupItem6, .name = "FormatRGroupItem6", .kind = K::kRadioItem,
     .parent = kFormatRGroup, .place = {8, 173, 175, 26}, .flags = kTabStop},

    // The drop area: its lines never change.
    {.id = kLboxFiles, .name = "lboxFiles", .kind = K::kListBox, .place = {25, 295, 136, 69},
     .characterHeight = 12, .flags = kTabStop, .background = kLightBlue, .items = kDropAreaLines,
     .lineHeight = 14},
    {.id = kInfoSBtn, .name = "InfoSBtn", .kind = K::kButton, .place = {248, 328, 41, 30},
     .text = u"&Info", .characterHeight = 13, .flags = kTakesNoFocus, .textColour = kBlack},
    {.id = kCloseSBtn, .name = "CloseSBtn", .kind = K::kButton, .place = {295, 328, 129, 30},
     .text = u"&Schließen", .characterHeight = 13, .flags = kTakesNoFocus, .textColour = kBlack},
};
// clang-format on

constexpr WindowDefinition kMain{
    .name = "MainForm",
    .caption = u"Programm KUSTEL  -  setzt Datum vor Dateinamen ",
    .clientWidth = 712,
    .clientHeight = 381,
    .frame = WindowFrame::kMainWindow,
    .fontFace = u"Tahoma",
    .characterHeight = 11,
    .background = kWindowGrey,
    .controls = kControls,
};

}  // namespace

const WindowDefinition& MainDefinition() {
  return kMain;
}

}  // namespace kustel
