# The layer rule, checked when the build is configured: the pure libraries, the model's
# tests and the fuzzers must not reach Qt, whether by a direct link or through a library
# they link. A link that slips in fails the configure instead of quietly growing the
# model a window system.

# Collects into out_var every library that target links, directly or through others.
function(zorvel_collect_links target out_var)
    set(seen "${${out_var}}")
    if(TARGET ${target})
        get_target_property(aliased ${target} ALIASED_TARGET)
        if(aliased)
            set(target ${aliased})
        endif()
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

# Fails the configure when one of the targets reaches Qt.
function(zorvel_require_no_qt)
    foreach(target IN LISTS ARGN)
        if(NOT TARGET ${target})
            continue()
        endif()
        set(links "")
        zorvel_collect_links(${target} links)
        foreach(link IN LISTS links)
            if(link MATCHES "^Qt[0-9]*::" OR link MATCHES "^Qt[0-9]*[A-Z]")
                message(FATAL_ERROR "${target} reaches ${link}: only the toolkit and what "
                                    "stands on it may link Qt (see CONTRIBUTING.md)")
            endif()
        endforeach()
    endforeach()
endfunction()
