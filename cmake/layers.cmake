# The layer table: each folder of the house (or a target that must stay narrower than its
# folder) and what its code may use besides itself, read from the ground up. Both checks of
# cmake/layer_check.cmake read it: the links of every target, through whatever they link,
# and the quoted includes of every file ("x/…" names the folder x).
#
# A folder may use what the folders it names may use. An entry with a slash is a part, not
# a floor: it is taken as it is and brings nothing else in: toolkit/internal (the toolkit's
# private headers, included as "internal/…"), and the folders of tests. Qt stands below the
# toolkit, so only what may use the toolkit reaches it. A folder without a row is not
# checked.
set(ZORVEL_LAYERS common toolkit calc chart pages lifecycle ui batch web resources bench fuzz
    tools/pictures tests/support tests/common tests/calc tests/chart tests/toolkit tests/pages
    tests/pictures tests/lifecycle tests/ui tests/batch tests/shipping tests/web)

set(ZORVEL_USES_common "")
set(ZORVEL_USES_toolkit common Qt)
set(ZORVEL_USES_calc "")
set(ZORVEL_USES_chart calc common)
set(ZORVEL_USES_pages common)
set(ZORVEL_USES_lifecycle toolkit common)
set(ZORVEL_USES_ui lifecycle pages chart calc toolkit common resources)
set(ZORVEL_USES_batch chart calc common resources)
# The conversion core holds nothing of a process: the web page runs it too.
set(ZORVEL_USES_batch_conversion chart calc common)
# The page is a platform of its own: the pure libraries and the conversion core, never the
# toolkit. A folder is the table's grain, so "batch" here cannot tell the core from the
# program's own parts; web/CMakeLists.txt links the core alone.
set(ZORVEL_USES_web pages chart calc batch common)
set(ZORVEL_USES_resources "")
set(ZORVEL_USES_bench ui resources)
set(ZORVEL_USES_fuzz calc pages)
# The generator of the help pictures draws with Qt's image classes alone.
set(ZORVEL_USES_tools/pictures Qt)

# The tests' own rows: the library under test and the support they need.
set(ZORVEL_USES_tests/support ui toolkit/internal)
set(ZORVEL_USES_tests/common common)
set(ZORVEL_USES_tests/calc calc)
set(ZORVEL_USES_tests/chart chart)
# The drawing test holds the toolkit's text to the widths the chart lays its labels out by.
set(ZORVEL_USES_tests/toolkit toolkit toolkit/internal tests/support chart)
# The saves run under the fault trap; the picture store's own test stays pure.
set(ZORVEL_USES_tests/pages pages lifecycle tests/support)
set(ZORVEL_USES_pages_picture_store_test pages tests/support)
set(ZORVEL_USES_tests/pictures tests/support)
set(ZORVEL_USES_tests/lifecycle lifecycle pages tests/support)
set(ZORVEL_USES_tests/ui ui resources toolkit/internal tests/support)
set(ZORVEL_USES_tests/batch batch tests/shipping)
set(ZORVEL_USES_tests/shipping ui resources tests/support)
# The page's own test and the desktop's saved pages it compares the page's downloads with.
set(ZORVEL_USES_tests/web web pages chart calc batch common)
