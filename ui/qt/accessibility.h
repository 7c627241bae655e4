#pragma once

// What assistive technology learns of a window: the words its description gives for the window
// and its controls, which stand in for the questions' pictures.

class QString;

namespace kt::qt {

class FormWidget;

// Names and describes the window and its controls; called once when the window is built.
void describeForAssistiveTechnology(FormWidget& window);

// Describes the window by the words of the control its description names for that, as they are
// now (a mark is written just before its window appears); called as the window is shown.
void describeAsItAppears(FormWidget& window);

// Tells the words at once, as news of the window, without moving the focus.
void announce(FormWidget& window, const QString& words);

} // namespace kt::qt
