# The layer rule of cmake/layers.cmake, checked when the build is configured and, for the
# includes, again by every build (cmake/include_check.cmake): a target whose links reach a
# library its row does not allow, directly or through a library it links, fails the
# configure; a quoted include "x/…" of a folder that x's row does not allow fails the
# configure or the build with the file and line. So an upward dependency never compiles
# quietly, however it came in. Readable in script mode: the include check runs there too.

include(${CMAKE_CURRENT_LIST_DIR}/layers.cmake)

# Everything a row may use: its entries and, for each floor among them, what that floor
# may use. A part (an entry with a slash) brings nothing else in.
function(zorvel_layer_closure row out_var)
    set(result "")
    set(pending ${ZORVEL_USES_${row}})
    while(pending)
        list(POP_FRONT pending entry)
        if(entry IN_LIST result)
            continue()
        endif()
        list(APPEND result ${entry})
        if(NOT entry MATCHES "/")
            list(APPEND pending ${ZORVEL_USES_${entry}})
        endif()
    endwhile()
    set(${out_var} "${result}" PARENT_SCOPE)
endfunction()

# The row of a path relative to the project ("" when it has none). The folders of tests
# and tools have a row each; the targets made in tests/ itself are the support libraries.
function(zorvel_layer_of relative out_var)
    if(relative STREQUAL "tests")
        set(layer tests/support)
    elseif(relative MATCHES "^(tests|tools)/")
        string(REGEX MATCH "^[^/]+/[^/]+" layer "${relative}")
    else()
        string(REGEX MATCH "^[^/]+" layer "${relative}")
    endif()
    if(NOT layer IN_LIST ZORVEL_LAYERS)
        set(layer "")
    endif()
    set(${out_var} "${layer}" PARENT_SCOPE)
endfunction()

# The row an included path names: "x/…" the folder x, "tests/x/…" that folder of tests,
# "internal/…" the toolkit's private part; "" for anything else (system and relative
# includes).
function(zorvel_included_layer path out_var)
    set(layer "")
    if(path MATCHES "^internal/")
        set(layer toolkit/internal)
    elseif(path MATCHES "^tests/[^/]+/")
        string(REGEX MATCH "^tests/[^/]+" layer "${path}")
    elseif(path MATCHES "^([^/]+)/")
        set(layer ${CMAKE_MATCH_1})
    endif()
    if(NOT layer IN_LIST ZORVEL_LAYERS AND NOT layer STREQUAL "toolkit/internal")
        set(layer "")
    endif()
    set(${out_var} "${layer}" PARENT_SCOPE)
endfunction()

# Checks every quoted include of the C and C++ files below root's folders with a row.
function(zorvel_check_includes root)
    set(failures 0)
    foreach(folder IN LISTS ZORVEL_LAYERS)
        zorvel_layer_closure(${folder} allowed)
        list(APPEND allowed ${folder})
        if(folder STREQUAL "toolkit")
            list(APPEND allowed toolkit/internal)
        endif()
        file(GLOB_RECURSE files ${root}/${folder}/*.cpp ${root}/${folder}/*.c ${root}/${folder}/*.h)
        foreach(file IN LISTS files)
            file(READ ${file} content)
            string(REGEX MATCHALL "#[ \t]*include[ \t]*\"[^\"]+\"" directives "${content}")
            foreach(directive IN LISTS directives)
                string(REGEX REPLACE ".*\"([^\"]+)\"" "\\1" path "${directive}")
                zorvel_included_layer("${path}" layer)
                if(layer STREQUAL "" OR layer IN_LIST allowed)
                    continue()
                endif()
                string(FIND "${content}" "${directive}" at)
                string(SUBSTRING "${content}" 0 ${at} before)
                string(REGEX MATCHALL "\n" breaks "${before}")
                list(LENGTH breaks line)
                math(EXPR line "${line} + 1")
                file(RELATIVE_PATH relative ${root} ${file})
                message(SEND_ERROR "${relative}:${line}: #include \"${path}\" reaches ${layer}, "
                                   "which ${folder} may not use (cmake/layers.cmake)")
                math(EXPR failures "${failures} + 1")
            endforeach()
        endforeach()
    endforeach()
    if(failures GREATER 0)
        message(FATAL_ERROR "${failures} include(s) against the layer rule (CONTRIBUTING.md)")
    endif()
endfunction()

# The target an alias stands for; any other name as it is.
function(zorvel_unaliased name out_var)
    set(result ${name})
    if(TARGET ${name})
        get_target_property(aliased ${name} ALIASED_TARGET)
        if(aliased)
            set(result ${aliased})
        endif()
    endif()
    set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# Collects into out_var every library that target links, directly or through others.
function(zorvel_collect_links target out_var)
    set(seen "${${out_var}}")
    if(TARGET ${target})
        zorvel_unaliased(${target} target)
        get_target_property(type ${target} TYPE)
        set(properties INTERFACE_LINK_LIBRARIES)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            list(APPEND properties LINK_LIBRARIES)
        endif()
        foreach(property IN LISTS properties)
            get_target_property(links ${target} ${property})
            if(NOT links)
                continue()
            endif()
            foreach(link IN LISTS links)
                # A private link of a static library shows up as $<LINK_ONLY:name>.
                string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
                if(link STREQUAL "" OR link IN_LIST seen)
                    continue()
                endif()
                list(APPEND seen ${link})
                zorvel_collect_links(${link} seen)
            endforeach()
        endforeach()
    endif()
    set(${out_var} "${seen}" PARENT_SCOPE)
endfunction()

# The row a linked name belongs to: Qt for Qt's libraries, a target's folder for the
# house's own, "" for other outside libraries.
function(zorvel_link_layer link out_var)
    set(layer "")
    if(link MATCHES "^Qt[0-9]*::" OR link MATCHES "^Qt[0-9]*[A-Z]")
        set(layer Qt)
    elseif(TARGET ${link})
        zorvel_unaliased(${link} link)
        get_target_property(imported ${link} IMPORTED)
        if(NOT imported)
            get_target_property(folder ${link} SOURCE_DIR)
            file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${folder})
            zorvel_layer_of("${relative}" layer)
        endif()
    endif()
    set(${out_var} "${layer}" PARENT_SCOPE)
endfunction()

function(zorvel_targets_below directory out_var)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(below DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS below)
        zorvel_targets_below(${subdirectory} more)
        list(APPEND targets ${more})
    endforeach()
    set(${out_var} "${targets}" PARENT_SCOPE)
endfunction()

# The house's libraries and programs (no alias, nothing imported: those are not made here).
function(zorvel_house_targets out_var)
    zorvel_targets_below(${PROJECT_SOURCE_DIR} targets)
    set(house "")
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "UTILITY")
            continue()
        endif()
        zorvel_link_layer(${target} folder)
        if(NOT folder STREQUAL "")
            list(APPEND house ${target})
        endif()
    endforeach()
    set(${out_var} "${house}" PARENT_SCOPE)
endfunction()

# Fails the configure when a target's links reach a row its own does not allow.
function(zorvel_check_links)
    zorvel_house_targets(targets)
    foreach(target IN LISTS targets)
        zorvel_link_layer(${target} folder)
        set(row ${folder})
        if(DEFINED ZORVEL_USES_${target})
            set(row ${target})
        endif()
        zorvel_layer_closure(${row} allowed)
        set(links "")
        zorvel_collect_links(${target} links)
        foreach(link IN LISTS links)
            zorvel_link_layer(${link} layer)
            if(layer STREQUAL "" OR layer STREQUAL folder OR layer IN_LIST allowed)
                continue()
            endif()
            message(SEND_ERROR "${target} (${folder}) reaches ${link} of ${layer}, which ${row} "
                               "may not use (cmake/layers.cmake)")
        endforeach()
    endforeach()
endfunction()

# Both checks now, and the include check again whenever a build finds a file changed:
# every target of the house waits for it.
function(zorvel_check_layers)
    zorvel_check_links()
    zorvel_check_includes(${PROJECT_SOURCE_DIR})
    set(files "")
    foreach(folder IN LISTS ZORVEL_LAYERS)
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp
             ${PROJECT_SOURCE_DIR}/${folder}/*.c ${PROJECT_SOURCE_DIR}/${folder}/*.h)
        list(APPEND files ${found})
    endforeach()
    set(stamp ${PROJECT_BINARY_DIR}/include-check.stamp)
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DZORVEL_ROOT=${PROJECT_SOURCE_DIR}
                -P ${PROJECT_SOURCE_DIR}/cmake/include_check.cmake
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/layers.cmake
                ${PROJECT_SOURCE_DIR}/cmake/layer_check.cmake
                ${PROJECT_SOURCE_DIR}/cmake/include_check.cmake
        COMMENT "Checking that every include points down the layers"
        VERBATIM)
    add_custom_target(zorvel_include_check DEPENDS ${stamp})
    zorvel_house_targets(targets)
    foreach(target IN LISTS targets)
        add_dependencies(${target} zorvel_include_check)
    endforeach()
endfunction()
