# The shared library Tallwick::Components, its public headers, and the private static library
# Tallwick::Internals.
#
# Public parts: their headers are the installed API, included as <Tallwick/Name.h>. Internal parts
# (codecs, metafile players, operating-system facts) are compiled into the shared library hidden;
# the project's own tools and tests that need them link the same objects from Tallwick::Internals,
# which therefore must hold no program-wide state.
set(TALLWICK_PUBLIC_PARTS platform_graphics platform_controls utils toolkit imageio components)
set(TALLWICK_HIDDEN_PARTS imageio_codecs platform_system platform_files)
set(TALLWICK_INTERNAL_PARTS ${TALLWICK_HIDDEN_PARTS} platform_headless)
# Headers inside public folders that only the library's own sources use.
# The *Private.h headers hold the state of a class split over several sources; the *Testing.h ones
# and CustomPanelHooks.h give the tests and the library's own subclasses their access.
set(TALLWICK_PRIVATE_HEADERS AccessibleComponent.h DiskinfoFacts.h VisiblePart.h CursorScope.h AxisLabels.h AxisPixels.h PropertyChange.h
  MulDiv.h SmoothRaster.h CustomPanelHooks.h Tcanvas2dPrivate.h TveximagePrivate.h TcolorbuttonTesting.h TveximageTesting.h BeepTesting.h)

foreach(part ${TALLWICK_PUBLIC_PARTS} ${TALLWICK_INTERNAL_PARTS})
  set_target_properties(${part} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_compile_definitions(${part} PRIVATE TallwickComponents_EXPORTS)
endforeach()

# Forwarding headers: build/include/<part>/Tallwick/Name.h includes the source file, so code in the
# tree includes public headers exactly as installed programs do. Each part sees its own folder and,
# through the parts it links, the folders of the tiers below it, never those above: an upward
# include fails to compile.
set(TALLWICK_PUBLIC_HEADERS)
set(TALLWICK_PART_INCLUDES)
foreach(part ${TALLWICK_PUBLIC_PARTS})
  get_target_property(part_sources ${part} SOURCES)
  get_target_property(part_dir ${part} SOURCE_DIR)
  set(part_include ${CMAKE_BINARY_DIR}/include/${part})
  foreach(header ${part_sources})
    if(NOT header MATCHES "\\.h$")
      continue()
    endif()
    if(NOT IS_ABSOLUTE ${header})
      set(header ${part_dir}/${header})
    endif()
    get_filename_component(name ${header} NAME)
    if(name IN_LIST TALLWICK_PRIVATE_HEADERS)
      continue()
    endif()
    list(APPEND TALLWICK_PUBLIC_HEADERS ${header})
    file(CONFIGURE OUTPUT ${part_include}/Tallwick/${name}
      CONTENT "#pragma once\n#include \"${header}\"\n" @ONLY)
  endforeach()
  target_include_directories(${part} PUBLIC $<BUILD_INTERFACE:${part_include}>)
  list(APPEND TALLWICK_PART_INCLUDES $<BUILD_INTERFACE:${part_include}>)
endforeach()
# The codecs are imageio's own tier: they see its public headers.
target_include_directories(imageio_codecs PRIVATE ${CMAKE_BINARY_DIR}/include/imageio)

# Windows programs link Qt statically, so the library is static there too: a DLL would carry a
# second copy of Qt.
if(WIN32)
  add_library(TallwickComponents STATIC)
  # The components' accessible faces register themselves at start-up; see AccessibleKinds.cpp.
  target_link_options(TallwickComponents INTERFACE "LINKER:--undefined=tallwick_accessible_faces")
else()
  add_library(TallwickComponents SHARED)
endif()
add_library(Tallwick::Components ALIAS TallwickComponents)
set_target_properties(TallwickComponents PROPERTIES
  OUTPUT_NAME tallwick-components EXPORT_NAME Components
  VERSION ${TALLWICK_SOVERSION}.${PROJECT_VERSION_MINOR} SOVERSION ${TALLWICK_SOVERSION}
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
foreach(part ${TALLWICK_PUBLIC_PARTS} ${TALLWICK_HIDDEN_PARTS})
  target_link_libraries(TallwickComponents PRIVATE ${part})  # brings the part's objects
endforeach()
target_include_directories(TallwickComponents PUBLIC ${TALLWICK_PART_INCLUDES}
  $<BUILD_INTERFACE:${TALLWICK_GENERATED_INCLUDE}> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(TallwickComponents PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets)
# The codecs' and the system's own libraries are private to the shared library.
target_link_libraries(TallwickComponents PRIVATE JPEG::JPEG TIFF::TIFF GIF::GIF $<TARGET_NAME_IF_EXISTS:PkgConfig::BLKID>)

# The sources lupdate reads for the library's texts (update_translations; platform/controls
# compiles the translations into the library).
set(TALLWICK_TEXT_SOURCES)
foreach(part ${TALLWICK_PUBLIC_PARTS} ${TALLWICK_HIDDEN_PARTS})
  get_target_property(part_dir ${part} SOURCE_DIR)
  file(GLOB part_sources CONFIGURE_DEPENDS ${part_dir}/*.cpp)
  list(APPEND TALLWICK_TEXT_SOURCES ${part_sources})
endforeach()
list(REMOVE_DUPLICATES TALLWICK_TEXT_SOURCES)
qt_add_lupdate(TallwickComponents TS_FILES ${PROJECT_SOURCE_DIR}/translations/tallwick_es.ts
               ${PROJECT_SOURCE_DIR}/translations/tallwick_gl.ts SOURCES ${TALLWICK_TEXT_SOURCES})

include(GenerateExportHeader)
generate_export_header(TallwickComponents BASE_NAME TALLWICK
  EXPORT_FILE_NAME ${TALLWICK_GENERATED_INCLUDE}/Tallwick/TallwickExport.h)
list(APPEND TALLWICK_PUBLIC_HEADERS ${TALLWICK_GENERATED_INCLUDE}/Tallwick/TallwickExport.h)
set(TALLWICK_PUBLIC_HEADERS ${TALLWICK_PUBLIC_HEADERS} PARENT_SCOPE)
# The same list for scripts (scripts/abi-check), one path a line.
list(JOIN TALLWICK_PUBLIC_HEADERS "\n" public_header_lines)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/public-headers.txt CONTENT "${public_header_lines}\n" @ONLY)

# Tallwick::Internals: never installed.
add_library(tallwick_internals STATIC)
add_library(Tallwick::Internals ALIAS tallwick_internals)
foreach(part ${TALLWICK_INTERNAL_PARTS})
  target_sources(tallwick_internals PRIVATE $<TARGET_OBJECTS:${part}>)
  get_target_property(part_dir ${part} SOURCE_DIR)
  target_include_directories(tallwick_internals PUBLIC ${part_dir})
endforeach()
target_link_libraries(tallwick_internals PUBLIC Tallwick::Components
  PRIVATE JPEG::JPEG TIFF::TIFF GIF::GIF $<TARGET_NAME_IF_EXISTS:PkgConfig::BLKID>)

# Install components, one Debian package each (packaging/DebianPackage.cmake): "library" the shared
# library, "dev" what a program is built with (headers, CMake package, link, reference).
install(TARGETS TallwickComponents EXPORT TallwickTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT dev)
install(FILES ${TALLWICK_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/Tallwick COMPONENT dev)
