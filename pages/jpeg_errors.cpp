#include "pages/jpeg_errors.h"

namespace {

[[noreturn]] void ReturnToCaller(j_common_ptr info) {
    // Nothing with a destructor may live in this frame: longjmp skips it.
    std::longjmp(reinterpret_cast<ReturningErrorManager*>(info->err)->jump, 1);
}

void DropMessage(j_common_ptr) {}

} // namespace

jpeg_error_mgr* InstallReturningErrors(ReturningErrorManager& manager, bool silent) {
    jpeg_error_mgr* standard = jpeg_std_error(&manager.standard);
    standard->error_exit = ReturnToCaller;
    if (silent) {
        standard->output_message = DropMessage;
    }
    return standard;
}
