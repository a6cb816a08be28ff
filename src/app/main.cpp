// The program's entry point. The main window is not part of this build yet.
#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::fprintf(stderr, "Lumoria: the main window is not built yet; nothing to show.\n");
    return 1;
}
