// The picture files in a PE read-only section; built as pages/posix/picture_data.cpp is.
// PE assemblers know no section stack: this file holds nothing else, so that the compiler
// never writes its own code or data after the switch.
#define ZORVEL_PICTURE(imageId, file)                                                              \
    ".global zorvel_picture_" #imageId "\nzorvel_picture_" #imageId ":\n"                          \
    ".incbin \"" ZORVEL_PICTURE_DIR "/" file "\"\n"

asm(".section .rdata$zorvel_pictures, \"dr\"\n"
#include "pages/embedded_picture_list.inc"
    ".global zorvel_pictures_end\n"
    "zorvel_pictures_end:\n");
