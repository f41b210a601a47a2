# The Debian package, written by `cpack -G DEB` in the build folder after a build.
#
# Layout below the prefix /usr:
#   lib/halvoret/                     the programs halvoret and halvoret-admin
#   share/halvoret/                   the delivered installation files: Help.html with its
#                                     help/ pictures, didi.wav, Image/, Reports/ and a new
#                                     DataBase/DataBase.mdb
#   bin/halvoret                      the launcher: copies the delivered files into the
#                                     user's data folder and starts the program there
#   bin/halvoret-admin                link to the admin tool, which works in the current folder
#   share/applications/halvoret.desktop, share/icons/hicolor/<size>/apps/halvoret.png
#   lib/udev/rules.d/70-halvoret-sensor.rules
#   share/man/man1/halvoret.1.gz, halvoret-admin.1.gz   made from the programs' --help
#   share/doc/halvoret/copyright, changelog.Debian.gz
#
# The delivered files come from what the build draws and from a database made for the
# package, never from build/stage: a program started there has written its own persons,
# report pages and comparison pages into that folder.

if(NOT HALVORET_BUILD_UI)
    return()
endif()

set(HALVORET_PROGRAM_DIR lib/halvoret)
set(HALVORET_DATA_DIR share/halvoret)
set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS halvoret halvoret-admin RUNTIME DESTINATION ${HALVORET_PROGRAM_DIR})

# Every file the asset script writes for the installation folder keeps its place (didi.wav,
# Image/, Reports/ pictures); the folders the program writes into exist even when empty.
install(DIRECTORY ${HALVORET_ASSET_DIR}/stage/ DESTINATION ${HALVORET_DATA_DIR})
install(FILES ${HALVORET_STAGE_DIR}/Help.html DESTINATION ${HALVORET_DATA_DIR})
install(DIRECTORY ${HALVORET_STAGE_DIR}/help DESTINATION ${HALVORET_DATA_DIR})
install(DIRECTORY DESTINATION ${HALVORET_DATA_DIR}/Reports)
install(DIRECTORY DESTINATION ${HALVORET_DATA_DIR}/Image)

# The delivered database, new for every package (init-db refuses to overwrite a file, and
# a file left from an earlier install into the same folder is no operator's data).
install(CODE "set(halvoret_delivered_db \"${HALVORET_DATA_DIR}/DataBase/DataBase.mdb\")")
install(CODE [[
    set(database "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${halvoret_delivered_db}")
    message(STATUS "Creating: ${database}")
    get_filename_component(database_folder "${database}" DIRECTORY)
    file(REMOVE "${database}")
    file(MAKE_DIRECTORY "${database_folder}")
    execute_process(COMMAND "$<TARGET_FILE:halvoret-admin>" init-db "${database}"
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR NOT EXISTS "${database}")
        message(FATAL_ERROR "halvoret-admin init-db could not create ${database}")
    endif()
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${database}")
]])

# The program icon (icons/128.png and its smaller forms icons/128-<n>.png) goes into the
# icon theme folder of its pixel size, read from the PNG header, so the folders follow the
# script's sizes.
install(CODE "set(halvoret_icon_dir \"${HALVORET_ASSET_DIR}/icons\")")
install(CODE [[
    file(GLOB icons "${halvoret_icon_dir}/128.png" "${halvoret_icon_dir}/128-*.png")
    if(NOT icons)
        message(FATAL_ERROR "no program icon in ${halvoret_icon_dir}")
    endif()
    foreach(icon IN LISTS icons)
        file(READ "${icon}" header OFFSET 16 LIMIT 8 HEX)
        string(SUBSTRING "${header}" 0 8 width)
        string(SUBSTRING "${header}" 8 8 height)
        math(EXPR width "0x${width}")
        math(EXPR height "0x${height}")
        if(NOT width EQUAL height)
            message(FATAL_ERROR "${icon} is ${width} x ${height}; theme icons are square")
        endif()
        file(INSTALL "${icon}" RENAME halvoret.png
             DESTINATION "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/${width}x${width}/apps")
    endforeach()
]])

install(PROGRAMS ${packaging_dir}/halvoret.sh DESTINATION bin RENAME halvoret)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(CREATE_LINK ../${HALVORET_PROGRAM_DIR}/halvoret-admin
     ${CMAKE_CURRENT_BINARY_DIR}/packaging/halvoret-admin SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/halvoret-admin DESTINATION bin)
install(FILES ${packaging_dir}/halvoret.desktop DESTINATION share/applications)
install(FILES ${packaging_dir}/70-halvoret-sensor.rules DESTINATION lib/udev/rules.d)

# Maintainer and package texts.
set(HALVORET_PACKAGE_MAINTAINER
    "Halvoret maintainers <maintainers@users.noreply.c-seed-f5738490.example>"
    CACHE STRING "Maintainer field of the Debian package")

# The manual pages are made from the programs' own --help and --version, so they never
# drift from what the programs say; both answer without a display.
find_program(HELP2MAN help2man REQUIRED)
set(man_dir ${CMAKE_CURRENT_BINARY_DIR}/packaging/man)
set(manual_pages)
foreach(page IN ITEMS halvoret halvoret-admin)
    if(page STREQUAL halvoret)
        set(name "operator's program of a screening station")
    else()
        set(name "command-line companion of the Halvoret screening station")
    endif()
    add_custom_command(OUTPUT ${man_dir}/${page}.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
        COMMAND ${HELP2MAN} --no-info --section=1 --name=${name} --output=${man_dir}/${page}.1
                $<TARGET_FILE:${page}>
        COMMAND gzip -9nf ${man_dir}/${page}.1
        DEPENDS ${page}
        COMMENT "Making the manual page of ${page}"
        VERBATIM)
    list(APPEND manual_pages ${man_dir}/${page}.1.gz)
endforeach()

# Debian's changelog of the package, compressed without a time stamp.
configure_file(${packaging_dir}/changelog.Debian.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian.gz
    COMMAND gzip -9nkf ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian
    VERBATIM)
add_custom_target(halvoret_package_docs ALL
    DEPENDS ${manual_pages} ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian.gz)

install(FILES ${manual_pages} DESTINATION share/man/man1)
install(FILES ${packaging_dir}/copyright ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian.gz
        DESTINATION share/doc/halvoret)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvoret)
set(CPACK_PACKAGE_VENDOR "Halvoret")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "operator's program of a screening station with a contact sensor")
set(CPACK_PACKAGE_CONTACT "${HALVORET_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HALVORET_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the first line; this is the long description below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Halvoret keeps a register of tested persons in groups, runs a timed test while
the person holds a USB sensor with two contact buttons, and writes report pages
to read, print and save.

The sensor reports only whether the person touches both buttons; it measures
nothing about the body. The values on the report pages are drawn by a
pseudo-random generator, shaped by the person's data (weight class, age,
earlier results and the days since the earlier test).

Halvoret is not a medical device. Its reports are not findings and must not be
used for diagnosis or treatment.]])

# Libraries come from dpkg-shlibdeps. The plugins Qt loads at run time travel with the
# libraries the program links, so they need no dependency of their own: the X11 platform
# plugin and the GIF, JPEG and ICO readers with Qt Gui, the CUPS print plugin with Qt
# Print Support, and Qt WebEngine's helper process is a dependency of its widgets. The
# beep plays through PulseAudio, which Qt Multimedia links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${packaging_dir}/postinst ${packaging_dir}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
