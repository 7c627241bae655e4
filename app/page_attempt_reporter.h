#pragma once

#include "questions/choice_record.h"
#include "runtime/attempt_reporter.h"
#include "ui/web/page_calls.h"

namespace kt::web {

// Tells the page's record of the attempt (ui/web/page_calls.h) what happens, with the pupil's
// choices so far.
class PageAttemptReporter final : public AttemptReporter {
public:
    // The choices of an attempt that the page's platform says was left halfway; none when there
    // is no such attempt, or when what the platform kept is not a record of choices.
    ChoiceRecord earlierChoices();

    void started() override { kt_page_attempt_started(); }
    void tried(const AnswerTry& answer) override;
    void resultShown(std::int32_t mark, double) override { kt_page_attempt_result(mark); }
    void ended() override { kt_page_attempt_ended(); }

private:
    ChoiceRecord m_choices;
};

} // namespace kt::web
