// make-icon FILE.png [SIZE]: writes the player's icon, as the window shows it, for installing.
#include "app/PlayerIcon.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make-icon FILE.png [SIZE]\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const int size = argc == 3 ? std::stoi(argv[2]) : 256;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "make-icon: the size must be 16 to 1024 pixels\n");
        return 2;
    }
    if (!quillora::DrawPlayerIcon(size).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
