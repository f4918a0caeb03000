# `make package`: a Debian package of the installed layout. The run-time
# dependencies are found by dpkg-shlibdeps from the installed programs, so the
# package asks for exactly the Qt 6 libraries they link; the Qt translations
# and the Chinese fonts make the Chinese interfaces complete.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brenvik-cps)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brenvik CPS developers <cps@brenvik.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming tool for Brenvik handheld radios")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads, edits and writes the channels and features of Brenvik handheld two-way radios over a\n"
    "serial programming cable. Includes brenvik-cli (the same engine for the command line) and\n"
    "brenvik-radio-sim (a virtual radio on a pseudo-terminal).")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
