#pragma once

// What assistive technology learns of a window: the questions' words instead of their pictures,
// and a spoken form of what the program writes into its labels.

#include "app/form_id.h"

#include <QString>

namespace kt::qt {

class FormWidget;

// Names and describes the window and its controls; called once when the window is built.
void describeForAssistiveTechnology(FormWidget& window);

// The accessible name of a label once the program has written `caption` into it.
QString spokenCaption(FormId form, QStringView control, const QString& caption);

} // namespace kt::qt
