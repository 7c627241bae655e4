#include "result/result_window.h"

namespace kt {

namespace {

constexpr WindowDescription resultWindow() {
    WindowDescription w{.Name = "Form11",
                        .Caption = "Результат",
                        .ClientWidth = 7875,
                        .ClientHeight = 3570,
                        .accessibleName = "Результат теста",
                        .describedBy = ControlId::Label2};
    // clang-format off
    const ControlDescription controls[] = {
        // name        kind                        Left  Top   Width Height  tab  caption
        {.id = ControlId::Command1, .kind = ControlKind::CommandButton, .rect = {3360, 2198, 1215, 495}, .TabIndex = 0, .Caption = "Выход",      .Font = &kCaptionFont},
        {.id = ControlId::Label1,   .kind = ControlKind::Label,         .rect = {3030,  878, 1815, 375}, .TabIndex = 2, .Caption = "Результат:", .Font = &kCaptionFont, .ForeColor = kBlack, .Alignment = TextAlignment::Centre},
        {.id = ControlId::Label2,   .kind = ControlKind::Label,         .rect = {3600, 1478,  735, 495}, .TabIndex = 1, .Caption = "",           .Font = &kMarkFont,    .ForeColor = kBlack, .Alignment = TextAlignment::Centre},
    };
    // clang-format on
    for (const auto& c : controls)
        w.controlSlots[w.controlCount++] = c;
    return w;
}

} // namespace

constexpr WindowDescription kResultWindowTable = resultWindow();
const WindowDescription kResultWindow = kResultWindowTable;

} // namespace kt
