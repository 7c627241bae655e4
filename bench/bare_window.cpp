// The yardstick for start-up: the plainest Qt Widgets window with one push button, one radio
// button and one label, built with the program's own flags.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("1"));
    window.resize(619, 251);
    auto* button = new QPushButton(QStringLiteral("Далее"), &window);
    button->setGeometry(280, 112, 81, 33);
    auto* option = new QRadioButton(QStringLiteral("Option1"), &window);
    option->setGeometry(56, 48, 17, 17);
    auto* label = new QLabel(&window);
    label->setGeometry(224, 104, 49, 33);
    window.show();
    return QApplication::exec();
}
