// The picture files in a WebAssembly data segment; built as pages/posix/picture_data.cpp
// is. The WebAssembly assembler knows no section stack, so this file holds nothing else
// and the compiler never writes its own code or data after the switch; and every data
// symbol needs its size.
#define ZORVEL_PICTURE(imageId, file)                                                              \
    ".global zorvel_picture_" #imageId "\nzorvel_picture_" #imageId ":\n"                          \
    ".incbin \"" ZORVEL_PICTURE_DIR "/" file "\"\n"                                                \
    ".size zorvel_picture_" #imageId ", . - zorvel_picture_" #imageId "\n"

asm(".section .rodata.zorvel_pictures,\"\",@\n"
#include "pages/embedded_picture_list.inc"
    ".global zorvel_pictures_end\n"
    "zorvel_pictures_end:\n"
    ".byte 0\n"
    ".size zorvel_pictures_end, 1\n");
