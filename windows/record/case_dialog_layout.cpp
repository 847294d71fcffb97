#include "windows/record/case_dialog_layout.h"

#include "core/record.h"

using namespace toolkit;
using namespace toolkit::table;

namespace {

// A caption and its field on one row: the field `top` twips down, the caption level with its
// text. The captions and the fields' accessible names are the record's own labels.
constexpr Control Caption(const char* name, int field, int top) {
    return {.name = name,
            .kind = L,
            .container = "CaseDialog",
            .caption = core::kCaseFields[field].label.data(),
            .left = 240,
            .top = top + 45,
            .width = 1920,
            .height = 255};
}
constexpr Control Field(const char* name, int field, int top, int tab) {
    return {.name = name,
            .kind = T,
            .container = "CaseDialog",
            .left = 2280,
            .top = top,
            .width = 3840,
            .height = 315,
            .tab = tab,
            .access = core::kCaseFields[field].label.data()};
}

// clang-format off
const Control kCaseDialogControls[] = {
Caption("CaseNumberLabel", 0, 180),     Field("CaseNumber", 0, 180, 0),
Caption("ExpertLabel", 1, 660),         Field("Expert", 1, 660, 1),
Caption("OrganisationLabel", 2, 1140),  Field("Organisation", 2, 1140, 2),
Caption("NoteLabel", 3, 1620),          Field("Note", 3, 1620, 3),
// name    kind  in            caption                                               left  top   width height font     text      back      tab
{"Hint",   L, "CaseDialog", "Эксперт и организация запоминаются для следующих запусков программы, "
                            "№ дела и примечание — до её закрытия.",                 240, 2100, 5880,  435, kWindow, kDefault, kDefault, -1},
{"Ok",     B, "CaseDialog", "ОК",                                                    3600, 2640, 1200,  375, kWindow, kDefault, kDefault,  4},
{"Cancel", B, "CaseDialog", "Отмена",                                                4920, 2640, 1200,  375, kWindow, kDefault, kDefault,  5},
};
// clang-format on

} // namespace

std::span<const Control> CaseDialogLayout() {
    return kCaseDialogControls;
}
