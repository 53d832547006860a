# The Windows packages, made by the default build (target zorvel_packages):
#   zorvel-<version>-windows-x64.zip   the programs, the licence and a short read-me;
#   zorvel-<version>-setup.exe         the NSIS installer of the same files.
# Included from the top-level CMakeLists.txt after every target exists.
set(package_name zorvel-${PROJECT_VERSION}-windows-x64)
set(ZORVEL_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package/${package_name})
set(ZORVEL_ZIP ${PROJECT_BINARY_DIR}/${package_name}.zip)
set(ZORVEL_INSTALLER ${PROJECT_BINARY_DIR}/zorvel-${PROJECT_VERSION}-setup.exe)
set(ZORVEL_ICON ${PROJECT_BINARY_DIR}/resources/windows/zorvel.ico)
file(MAKE_DIRECTORY ${ZORVEL_PACKAGE_DIR})

# Texts with Windows line ends, so that Notepad of any age shows them right.
function(zorvel_windows_text input output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
    file(READ ${input} text)
    string(CONFIGURE "${text}" text @ONLY)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${output} "${text}")
endfunction()
zorvel_windows_text(${PROJECT_SOURCE_DIR}/resources/copyright ${ZORVEL_PACKAGE_DIR}/LICENCE.txt)

# The installer's licence page shows the agreement as the program's own page has it: the
# Bulgarian original, which the copyright file carries after its English rendering, out
# of the file's indented form, in UTF-8 with a byte-order mark (NSIS reads a text without
# one in the build machine's code page).
function(zorvel_installer_licence copyright output)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${copyright})
    file(READ ${copyright} text)
    string(FIND "${text}" "\n Лицензионно споразумение\n" start)
    if(start LESS 0)
        message(FATAL_ERROR "${copyright} has no Bulgarian licence agreement")
    endif()
    string(SUBSTRING "${text}" ${start} -1 text)
    # Each line is indented by one space, and " ." stands for an empty line.
    string(REPLACE "\n .\n" "\n\n" text "${text}")
    string(REPLACE "\n " "\n" text "${text}")
    string(STRIP "${text}" text)
    string(REPLACE "\n" "\r\n" text "${text}\n")
    string(ASCII 239 187 191 byte_order_mark)
    file(WRITE ${output} "${byte_order_mark}${text}")
endfunction()
set(ZORVEL_INSTALLER_LICENCE ${PROJECT_BINARY_DIR}/installer-licence.txt)
zorvel_installer_licence(${PROJECT_SOURCE_DIR}/resources/copyright ${ZORVEL_INSTALLER_LICENCE})
zorvel_windows_text(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${ZORVEL_PACKAGE_DIR}/README.txt)

# The programs go in stripped: symbols are of no use to a user and triple the size.
set(packaged_files LICENCE.txt README.txt)
set(staged_programs "")
foreach(program zorvel zorvel-batch)
    if(TARGET ${program})
        set(staged ${ZORVEL_PACKAGE_DIR}/${program}.exe)
        add_custom_command(OUTPUT ${staged}
            COMMAND ${CMAKE_STRIP} --strip-all -o ${staged} $<TARGET_FILE:${program}>
            DEPENDS ${program}
            COMMENT "Stripping ${program}.exe for the packages")
        list(APPEND staged_programs ${staged})
        list(APPEND packaged_files ${program}.exe)
    endif()
endforeach()
if(NOT staged_programs)
    return()
endif()

list(TRANSFORM packaged_files PREPEND ${package_name}/ OUTPUT_VARIABLE zipped_files)
add_custom_command(OUTPUT ${ZORVEL_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${ZORVEL_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${ZORVEL_ZIP} --format=zip ${zipped_files}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/package
    DEPENDS ${staged_programs} ${ZORVEL_PACKAGE_DIR}/LICENCE.txt ${ZORVEL_PACKAGE_DIR}/README.txt
    COMMENT "Packing ${package_name}.zip")

# The installer's file lists follow the programs built.
set(ZORVEL_INSTALLER_FILES "")
set(ZORVEL_UNINSTALLER_FILES "")
foreach(file IN LISTS packaged_files)
    string(APPEND ZORVEL_INSTALLER_FILES "    File \"${ZORVEL_PACKAGE_DIR}/${file}\"\n")
    string(APPEND ZORVEL_UNINSTALLER_FILES "    Delete \"$INSTDIR\\${file}\"\n")
endforeach()
if(TARGET zorvel)
    set(ZORVEL_INSTALLER_ICON_PROGRAM zorvel.exe)
    set(ZORVEL_INSTALLER_SHORTCUT
        "    CreateShortcut \"$SMPROGRAMS\\\${PRODUCT}.lnk\" \"$INSTDIR\\zorvel.exe\"")
else()
    set(ZORVEL_INSTALLER_ICON_PROGRAM uninstall.exe)
    set(ZORVEL_INSTALLER_SHORTCUT "")
endif()
# The finish page offers to start the window program, when there is one.
if(TARGET zorvel)
    set(ZORVEL_INSTALLER_RUN "!define MUI_FINISHPAGE_RUN \"$INSTDIR\\zorvel.exe\"
!define MUI_FINISHPAGE_RUN_TEXT \"$(StartZorvel)\"")
else()
    set(ZORVEL_INSTALLER_RUN "")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/installer.nsi.in ${PROJECT_BINARY_DIR}/installer.nsi @ONLY)
find_program(ZORVEL_MAKENSIS makensis REQUIRED)
add_custom_command(OUTPUT ${ZORVEL_INSTALLER}
    COMMAND ${ZORVEL_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${PROJECT_BINARY_DIR}/installer.nsi
    DEPENDS ${staged_programs} ${PROJECT_BINARY_DIR}/installer.nsi ${ZORVEL_ICON}
            ${ZORVEL_INSTALLER_LICENCE}
    COMMENT "Making the installer zorvel-${PROJECT_VERSION}-setup.exe")

add_custom_target(zorvel_packages ALL DEPENDS ${ZORVEL_ZIP} ${ZORVEL_INSTALLER})
