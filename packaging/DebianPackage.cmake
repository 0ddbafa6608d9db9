# `cpack -G DEB` in the build folder: the package "skyglow", holding the install component
# "saver" under /usr, its dependencies found by dpkg-shlibdeps from the binaries.
set(CPACK_PACKAGE_NAME skyglow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Skyglow II")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "star-field screen saver with the date and time")
set(CPACK_PACKAGE_DESCRIPTION "Stars stream outward from a slowly wandering centre point; the date and time
stand at that centre with a colour-graded shadow, under a framed logo.
.
It runs as an XScreenSaver display program, with its options in XScreenSaver's
settings dialog, full screen on every monitor (skyglow /s), or inside any
window (skyglow --window-id ID). Its own settings dialog (skyglow /c) edits
the number of stars, the speed, the logo and the four colours.")
set(CPACK_PACKAGE_CONTACT "Skyglow II maintainers <maintainers@skyglow.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)  # the install sees /usr as its prefix (the desktop entry's paths)
set(CPACK_INSTALL_PREFIX /usr)
# One package of the saver's component only: the library's headers, CMake package and Designer
# plugin are for developers, installed with cmake --install.
set(CPACK_COMPONENTS_ALL saver)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The date and time are set in Times New Roman, which Liberation Serif stands in for. On a Wayland
# desktop the saver needs Qt's Wayland platform, a package of its own.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver")
include(CPack)
