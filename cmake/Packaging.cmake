# Debian packages with CPack's DEB generator, one a component: the library, its development
# files, the command-line programs, the desktop application and the Designer plugin. Manual
# pages are made from the programs' own --help with help2man when it is installed.

set(MAILPIECE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

# The desktop application's entry, icon and AppStream metadata.
install(FILES ${MAILPIECE_PACKAGING_DIR}/mailpiece.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT Application)
install(FILES ${MAILPIECE_PACKAGING_DIR}/mailpiece.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT Application)
install(FILES ${MAILPIECE_PACKAGING_DIR}/io.github.mailpiece.Mailpiece.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT Application)

# Each package's copyright file and changelog, where Debian keeps them.
set(MAILPIECE_PACKAGES Runtime libmailpiece0 Development libmailpiece-dev Tools mailpiece-tools
    Application mailpiece Designer qt6-designer-plugin-mailpiece)
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND sh -c "gzip -9n < '${MAILPIECE_PACKAGING_DIR}/changelog' > '${changelog}'"
    DEPENDS ${MAILPIECE_PACKAGING_DIR}/changelog VERBATIM)
add_custom_target(mailpiece_changelog ALL DEPENDS ${changelog})
set(remaining ${MAILPIECE_PACKAGES})
while(remaining)
    list(POP_FRONT remaining component package)
    install(FILES ${MAILPIECE_PACKAGING_DIR}/copyright ${changelog}
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endwhile()

# Manual pages from each program's --help (help2man), or the application's own.
find_program(HELP2MAN help2man)
if(HELP2MAN AND MAILPIECE_BUILD_APPS)
    foreach(entry "mailpiece-batch|Tools|print a mailing on labels or envelopes"
                  "mailpiece-mailing|Tools|print a CSV mailing on sheets of address labels"
                  "mailpiece-preview|Tools|draw a sample piece as the screen and paper show it")
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 program)
        list(GET entry 1 component)
        list(GET entry 2 summary)
        set(page ${CMAKE_BINARY_DIR}/man/${program}.1)
        add_custom_command(OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                    "PATH=$<TARGET_FILE_DIR:${program}>:$ENV{PATH}"
                    ${HELP2MAN} --no-info --no-discard-stderr --section=1
                    --version-string=${PROJECT_VERSION} --name=${summary} --output=${page}
                    ${program}
            COMMAND sh -c "gzip -9nf '${page}'"
            DEPENDS ${program} VERBATIM)
        add_custom_target(man_${program} ALL DEPENDS ${page}.gz)
        install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
    endforeach()
endif()
set(app_page ${CMAKE_BINARY_DIR}/man/mailpiece.1.gz)
add_custom_command(OUTPUT ${app_page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n < '${MAILPIECE_PACKAGING_DIR}/mailpiece.1' > '${app_page}'"
    DEPENDS ${MAILPIECE_PACKAGING_DIR}/mailpiece.1 VERBATIM)
add_custom_target(man_mailpiece ALL DEPENDS ${app_page})
install(FILES ${app_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT Application)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mailpiece)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# Each package's description carries its own synopsis: CPack prepends a summary that differs
# from its default one, so the summary is left at that default.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_CONTACT "The Mailpiece developers <mailpiece@example.org>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development Tools Application Designer)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# dpkg-shlibdeps finds the packages' own library in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src)
set(exact "(= ${PROJECT_VERSION}-1)")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libmailpiece0)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS "glabels-data, libqt6sql6-sqlite")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SUGGESTS "libqt6sql6-psql")
# The library's shlibs file and its ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${MAILPIECE_PACKAGING_DIR}/triggers)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "Qt controls for mail pieces - library
Mailpiece's shared library: Qt controls for designing, previewing and printing
address labels on sheets and rolls and envelopes, with postal bar codes, and
the piece catalogue it reads.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libmailpiece-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libmailpiece0 ${exact}, qt6-base-dev")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "Qt controls for mail pieces - development files
The headers, the CMake package (find_package(Mailpiece)) and the pkg-config
file of Mailpiece's library, for programs that embed its label and envelope
controls.")

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME mailpiece-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)
set(CPACK_COMPONENT_TOOLS_DEPENDS Runtime)
set(CPACK_DEBIAN_TOOLS_DESCRIPTION "print mailings on labels and envelopes - command-line tools
mailpiece-batch prints a mailing (spreadsheets, delimited text, address books,
databases) on sheets of labels, roll labels or envelopes, to a printer or PDF.")

set(CPACK_DEBIAN_APPLICATION_PACKAGE_NAME mailpiece)
set(CPACK_DEBIAN_APPLICATION_PACKAGE_SECTION x11)
set(CPACK_COMPONENT_APPLICATION_DEPENDS Runtime)
set(CPACK_DEBIAN_APPLICATION_DESCRIPTION "print mailings on labels and envelopes
Mailpiece shows a mailing piece by piece and sheet by sheet on address labels,
roll labels and envelopes, with postal bar codes, and prints it.")

set(CPACK_DEBIAN_DESIGNER_PACKAGE_NAME qt6-designer-plugin-mailpiece)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_DESIGNER_PACKAGE_ENHANCES "designer-qt6")
set(CPACK_COMPONENT_DESIGNER_DEPENDS Runtime)
set(CPACK_DEBIAN_DESIGNER_DESCRIPTION "Qt Designer plugin for Mailpiece's controls
Puts the label and envelope controls in Qt Designer's widget box, with Edit
Piece... to lay a piece out.")

include(CPack)
