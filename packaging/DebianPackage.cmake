# `cpack -G DEB` in the build folder makes four packages, one per install component, under /usr:
#   skyglow                             the saver for its hosts ("saver")
#   libtallwick3                        the shared component library ("library"), named after its
#                                       SOVERSION (TALLWICK_SOVERSION)
#   libtallwick-dev                     headers, CMake package, link, reference, Designer plugin ("dev")
#   qt6-image-formats-plugin-tallwick   Qt's WMF/EMF/PCX plugin, tallwick-convert, the thumbnailer
#                                       ("imageformats")
# Their dependencies on other packages are found by dpkg-shlibdeps from the binaries; the ones on
# each other come from the components' DEPENDS below.
set(CPACK_PACKAGE_NAME skyglow)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Skyglow II")
set(CPACK_PACKAGE_CONTACT "Skyglow II maintainers <maintainers@skyglow.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)  # the install sees /usr as its prefix (the desktop entry's paths)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL saver library dev imageformats)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)  # DEPENDS below become "Depends: package (= version)"
# dpkg-shlibdeps runs in each package's staging folder and finds the component library, which the
# saver, the plugin and tallwick-convert link, in the library package's folder beside it; the
# dependency on that package comes from DEPENDS.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ../library/usr/${CMAKE_INSTALL_LIBDIR})

set(CPACK_DEBIAN_SAVER_PACKAGE_NAME skyglow)
set(CPACK_DEBIAN_SAVER_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_SAVER_DESCRIPTION "star-field screen saver with the date and time
Stars stream outward from a slowly wandering centre point; the date and time
stand at that centre with a colour-graded shadow, under a framed logo.
.
It runs as an XScreenSaver display program, with its options in XScreenSaver's
settings dialog, full screen on every monitor (skyglow /s), or inside any
window (skyglow --window-id ID). Its own settings dialog (skyglow /c) edits
the number of stars, the speed, the logo and the four colours.")
# The date and time are set in Times New Roman, which Liberation Serif stands in for; on a Wayland
# desktop without XWayland, Qt needs its Wayland platform; Qt's own translations name the buttons
# of its message boxes.
set(CPACK_DEBIAN_SAVER_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_SAVER_PACKAGE_SUGGESTS "xscreensaver")

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libtallwick${TALLWICK_SOVERSION})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION "Tallwick Qt 6 components - shared library
Qt widgets for programs that show pictures and measurements: an image
surface reading BMP, JPEG, GIF, TIFF, PCX, WMF and EMF, a plotting canvas
with zoom and history, a scale, a progress bar, a polygon, a colour button
and the facts of a disk drive.
.
This package holds the shared library programs run with.")
# The shlibs file names the package for the library's soname (the plugins have no soname, and
# no shlibs entry); the trigger runs ldconfig once after every package that installs libraries.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/library-control/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_BINARY_DIR}/library-control/triggers)

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtallwick-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "Tallwick Qt 6 components - development files
Qt widgets for programs that show pictures and measurements: an image
surface reading BMP, JPEG, GIF, TIFF, PCX, WMF and EMF, a plotting canvas
with zoom and history, a scale, a progress bar, a polygon, a colour button
and the facts of a disk drive.
.
This package holds what a program is built with: the headers, the CMake
package (find_package(Tallwick)), the HTML reference and the components'
plugin for Qt Designer.")
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev")

set(CPACK_DEBIAN_IMAGEFORMATS_PACKAGE_NAME qt6-image-formats-plugin-tallwick)
set(CPACK_DEBIAN_IMAGEFORMATS_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_IMAGEFORMATS_DESCRIPTION "WMF, EMF and PCX for every Qt 6 program, and their previews
A Qt image-format plugin that lets every Qt 6 program read Windows
metafiles (WMF, EMF) and PCX pictures, and write PCX, through QImage and
QImageReader, with no change to the program.
.
It also holds tallwick-convert, which converts between these formats and
PNG, and the thumbnailer entry through which file managers show previews
of such files.")

include(CPack)
cpack_add_component(library)
cpack_add_component(saver DEPENDS library)
cpack_add_component(dev DEPENDS library)
cpack_add_component(imageformats DEPENDS library)
