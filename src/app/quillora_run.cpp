// quillora-run: plays a Quillora game folder.
#include "app/PlayerMain.h"

int main(int argc, char** argv) {
    return quillora::PlayerMain(argc, argv);
}
