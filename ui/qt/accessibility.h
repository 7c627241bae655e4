#pragma once

// What assistive technology learns of a window: the words its description gives for the window
// and its controls, which stand in for the questions' pictures.

namespace kt::qt {

class FormWidget;

// Names and describes the window and its controls; called once when the window is built.
void describeForAssistiveTechnology(FormWidget& window);

} // namespace kt::qt
