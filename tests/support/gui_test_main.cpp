// Entry of the GUI test programs: the toolkit (and with it the Qt application) is
// started before any test runs, as the program itself does.
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!toolkit::InitToolkit(argc, argv)) {
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    toolkit::ShutDownToolkit();
    return result;
}
