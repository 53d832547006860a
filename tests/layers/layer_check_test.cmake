# Builds small source trees under WORK and runs the layer checks of ZORVEL_SOURCE on them,
# with the house's own table: each case says whether the check must pass or fail, and
# what a failure must say.
cmake_minimum_required(VERSION 3.25)

# The check's words as one line: CMake wraps its messages.
function(judge name outcome result output expected)
    string(REGEX REPLACE "[ \t\r\n]+" " " flat "${output}")
    string(FIND "${flat}" "${expected}" at)
    if(outcome STREQUAL "pass" AND NOT result EQUAL 0)
        message(SEND_ERROR "${name}: the check failed, and should pass:\n${output}")
    elseif(outcome STREQUAL "fail" AND result EQUAL 0)
        message(SEND_ERROR "${name}: the check passed, and should fail")
    elseif(outcome STREQUAL "fail" AND at EQUAL -1)
        message(SEND_ERROR "${name}: the message lacks \"${expected}\":\n${output}")
    endif()
endfunction()

# Files of a tree given as pairs: a path and its text.
function(check_includes name outcome expected)
    set(root ${WORK}/${name})
    file(REMOVE_RECURSE ${root})
    set(pairs "${ARGN}")
    while(pairs)
        list(POP_FRONT pairs path text)
        file(WRITE ${root}/${path} "${text}")
    endwhile()
    execute_process(COMMAND ${CMAKE_COMMAND} -DZORVEL_ROOT=${root}
                            -P ${ZORVEL_SOURCE}/cmake/include_check.cmake
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    judge(${name} ${outcome} "${result}" "${output}" "${expected}")
endfunction()

# A project of interface libraries given as triples: a folder, the library made there and
# what it links ("+" between two).
function(check_links name outcome expected)
    set(root ${WORK}/${name})
    file(REMOVE_RECURSE ${root})
    set(top "cmake_minimum_required(VERSION 3.25)\nproject(layers NONE)\n")
    set(triples "${ARGN}")
    while(triples)
        list(POP_FRONT triples folder library links)
        string(REPLACE "+" " " links "${links}")
        file(WRITE ${root}/${folder}/CMakeLists.txt "add_library(${library} INTERFACE)
target_link_libraries(${library} INTERFACE ${links})\n")
        string(APPEND top "add_subdirectory(${folder})\n")
    endwhile()
    file(WRITE ${root}/CMakeLists.txt
         "${top}include(${ZORVEL_SOURCE}/cmake/layer_check.cmake)\nzorvel_check_layers()\n")
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${root} -B ${root}/build
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    judge(${name} ${outcome} "${result}" "${output}" "${expected}")
endfunction()

# Down the layers, the toolkit's private headers in the toolkit and its tests, the tests'
# support from a test, system and relative includes, a folder without a row: all pass.
check_includes(downward pass ""
    ui/window.cpp "#include \"calc/input_reading.h\"\n#include \"toolkit/toolkit.h\"\n"
    toolkit/qt/menus.cpp "#include \"internal/qt_state.h\"\n#include \"common/id.h\"\n"
    tests/toolkit/probe.cpp "#include \"internal/backend.h\"\n#include \"tests/support/x.h\"\n"
    chart/chart.cpp "#include <vector>\n#include \"chart_axes.h\"\n#include \"calc/model.h\"\n"
    sketches/page.cpp "#include \"toolkit/toolkit.h\"\n")
# Up from a pure library: the file and the line are named.
check_includes(upward fail
    "calc/reading.cpp:3: #include \"ui/main_window.h\" reaches ui, which calc may not use"
    calc/reading.cpp "// The readings.\n#include \"calc/reading.h\"\n  #  include \"ui/main_window.h\"\n")
# Sideways between floors, into the toolkit's private part from above, into the tests
# from a library or from bench.
check_includes(sideways fail "chart/axes.h:1: #include \"pages/picture_store.h\" reaches pages"
    chart/axes.h "#include \"pages/picture_store.h\"\n")
# The web page is a platform of its own: it never reaches the toolkit.
check_includes(web fail "web/page.cpp:1: #include \"toolkit/toolkit.h\" reaches toolkit, which web"
    web/page.cpp "#include \"toolkit/toolkit.h\"\n#include \"batch/csv_reader.h\"\n")
check_includes(private fail
    "lifecycle/trap.cpp:2: #include \"internal/object_tables.h\" reaches toolkit/internal"
    lifecycle/trap.cpp "#include \"toolkit/toolkit.h\"\n#include \"internal/object_tables.h\"\n")
check_includes(into_tests fail
    "pages/store.cpp:1: #include \"tests/support/jpeg_markers.h\" reaches tests/support"
    pages/store.cpp "#include \"tests/support/jpeg_markers.h\"\n")
check_includes(bench fail
    "bench/probe.cpp:1: #include \"tests/support/loop_fixture.h\" reaches tests/support"
    bench/probe.cpp "#include \"tests/support/loop_fixture.h\"\n#include \"ui/main_window.h\"\n")
# A part brings nothing of its own in: the batch tests use a helper of the shipping tests,
# not what the shipping tests may use.
check_includes(part fail
    "tests/batch/run.cpp:2: #include \"ui/main_window.h\" reaches ui, which tests/batch may"
    tests/batch/run.cpp "#include \"tests/shipping/command_runner.h\"\n#include \"ui/main_window.h\"\n")

check_links(links_down pass "" common common "" toolkit toolkit common+Qt6::Widgets
    calc calc "" chart chart calc+common lifecycle lifecycle toolkit)
check_links(links_up fail "calc (calc) reaches toolkit of toolkit, which calc may not use"
    common common "" toolkit toolkit common calc calc toolkit)
check_links(links_qt fail "pages (pages) reaches Qt6::Gui of Qt, which pages may not use"
    pages pages Qt6::Gui)
# Each link allowed on its own, but the shipping tests' helper brings the window along.
check_links(links_through fail
    "batch_check (tests/batch) reaches ui of ui, which tests/batch may not use"
    ui ui "" tests/shipping shipping_runner ui tests/batch batch_check shipping_runner)
# A target with a row of its own is held to it, narrower than its folder's.
check_links(links_own_row fail
    "pages_picture_store_test (tests/pages) reaches lifecycle of lifecycle, which pages_picture_store_test may not use"
    lifecycle lifecycle "" pages pages "" tests/pages pages_picture_store_test pages+lifecycle)
