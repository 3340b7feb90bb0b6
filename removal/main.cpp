// tolvex: removes a kelpa installation.

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvex"));
    return 0;
}
