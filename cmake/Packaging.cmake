# `make package`: a Debian package of the installed layout. The run-time
# dependencies are found by dpkg-shlibdeps from the installed programs, so the
# package asks for exactly the Qt 6 libraries they link. Only recommended:
# Qt's translations (Qt's own buttons and dialogs in Chinese), the Chinese
# fonts (Chinese text drawn at all) and bash-completion (the installed
# completion script calls its functions).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brenvik-cps)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brenvik CPS developers <cps@brenvik.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming tool for Brenvik handheld radios")
# The long description's lines stay within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the channels and features of Brenvik handheld\n"
    "two-way radios over a serial programming cable. Includes brenvik-cli (the\n"
    "same engine for the command line) and brenvik-radio-sim (a virtual radio\n"
    "on a pseudo-terminal).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk, bash-completion")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
