// A second program beside Morvela for make test-desktop: one line edit, with Qt's input
// method as Morvela has it but nothing that switches it. Its window is titled by the first
// argument; every change of the text is printed as a line "text=...".
#include <QApplication>
#include <QLineEdit>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLineEdit line;
    line.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("peer"));
    line.resize(300, 40);
    QObject::connect(&line, &QLineEdit::textChanged, [](const QString &text) {
        std::printf("text=%s\n", text.toUtf8().constData());
        std::fflush(stdout);
    });
    line.show();
    return QApplication::exec();
}
