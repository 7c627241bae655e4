// Time from the click on "Далее" with the right answer chosen to the next window's first paint,
// for each of the ten moves, over many passes through the test. Prints the median per move.
#include "app/program.h"
#include "support/right_answers.h"
#include "ui/qt/form_widget.h"
#include "ui/qt/qt_window_system.h"
#include "ui/qt/start_up.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Notes the first paint of every top-level window.
class PaintWatch : public QObject {
public:
    QWidget* painted = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            painted = static_cast<QWidget*>(watched);
        return false;
    }
};

kt::qt::FormWidget* visibleForm() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<kt::qt::FormWidget*>(w); form && form->isVisible())
            return form;
    return nullptr;
}

bool waitForPaintOf(PaintWatch& watch, QWidget* window) {
    QElapsedTimer limit;
    limit.start();
    while (watch.painted != window) {
        if (limit.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    const int passes = argc > 1 ? std::atoi(argv[1]) : 30;
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    kt::qt::prepareApplication();
    PaintWatch watch;
    application.installEventFilter(&watch);

    std::array<std::vector<double>, 10> times;
    for (int pass = 0; pass < passes; ++pass) {
        kt::qt::QtWindowSystem screen([](const kt::RuntimeErrorReport&) {});
        kt::Program program(screen);
        program.start();
        for (int n = 0; n < 10; ++n) {
            kt::qt::FormWidget* window = visibleForm();
            if (!window || !waitForPaintOf(watch, window)) {
                std::fprintf(stderr, "transition_probe: window %d never painted\n", n + 1);
                return 1;
            }
            qobject_cast<QRadioButton*>(window->control(kt::test::rightOption(n + 1)))
                ->setChecked(true);
            auto* next = qobject_cast<QPushButton*>(window->control(kt::ControlId::Command1));
            QElapsedTimer timer;
            timer.start();
            next->click();
            kt::qt::FormWidget* shown = visibleForm();
            if (!shown || !waitForPaintOf(watch, shown)) {
                std::fprintf(stderr, "transition_probe: the window after %d never painted\n",
                             n + 1);
                return 1;
            }
            times[static_cast<std::size_t>(n)].push_back(static_cast<double>(timer.nsecsElapsed()) /
                                                         1e6);
        }
    }
    std::printf("move\tmedian_ms\tmax_ms\n");
    for (int n = 0; n < 10; ++n) {
        auto& t = times[static_cast<std::size_t>(n)];
        std::sort(t.begin(), t.end());
        std::printf("%d->%s\t%.2f\t%.2f\n", n + 1,
                    n == 9 ? "Результат" : std::to_string(n + 2).c_str(), t[t.size() / 2],
                    t.back());
    }
    return 0;
}
