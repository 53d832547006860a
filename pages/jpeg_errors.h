// libjpeg error handling that hands a fatal error back to the caller instead of ending
// the process.
//
// A function that calls libjpeg sets the jump point with setjmp(manager.jump) before its
// first libjpeg call and returns failure when setjmp returns non-zero. Such a function
// keeps only trivially destructible locals, since the jump skips destructors; the libjpeg
// object itself is owned by an RAII holder one level up.
#pragma once

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

struct ReturningErrorManager {
    jpeg_error_mgr standard; // first, so libjpeg's pointer to it leads back here
    std::jmp_buf jump;
};

// The standard error manager whose fatal exit jumps to manager.jump. With silent set,
// warnings and trace messages are dropped instead of going to the standard error stream.
jpeg_error_mgr* InstallReturningErrors(ReturningErrorManager& manager, bool silent);
