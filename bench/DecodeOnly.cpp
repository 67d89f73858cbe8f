// tesselet-decode PICTURE: loads the picture as tesselet-cli does (the same reader, the same
// RGB32 result) and does nothing else, so that timing it gives the part of a conversion that no
// page writer can save.

#include "Failure.h"
#include "NativeText.h"
#include "PictureFiles.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tesselet-decode PICTURE\n");
        return 2;
    }
    // The same application object as tesselet-cli, so that the same image plug-ins load.
    QCoreApplication application(argc, argv);
    const std::string path = argv[1];
    try {
        const QImage image = LoadPictureFile(path);
        std::printf("%d %d\n", image.width(), image.height());
    } catch (const Failure& error) {
        std::fprintf(stderr, "tesselet-decode: %s: %s\n", path.c_str(),
                     error.Description().toUtf8().constData());
        return 1;
    }
    return 0;
}
