// The picture files in an ELF read-only section. The build generates the list (one
// ZORVEL_PICTURE(image id, file) a line, from pages/CMakeLists.txt), passes
// ZORVEL_PICTURE_DIR and makes this file depend on every picture, so that an edited
// picture is embedded again.
#define ZORVEL_PICTURE(imageId, file)                                                              \
    ".global zorvel_picture_" #imageId "\nzorvel_picture_" #imageId ":\n"                          \
    ".incbin \"" ZORVEL_PICTURE_DIR "/" file "\"\n"

asm(".pushsection .rodata.zorvel_pictures, \"a\", @progbits\n"
#include "pages/embedded_picture_list.inc"
    ".global zorvel_pictures_end\n"
    "zorvel_pictures_end:\n"
    ".popsection\n");
