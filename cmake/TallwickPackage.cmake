# Installs the CMake package: find_package(Tallwick) gives Tallwick::Components.
include(CMakePackageConfigHelpers)
set(TALLWICK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tallwick)
install(EXPORT TallwickTargets NAMESPACE Tallwick:: DESTINATION ${TALLWICK_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/TallwickConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TallwickConfig.cmake INSTALL_DESTINATION ${TALLWICK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TallwickConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TallwickConfig.cmake ${CMAKE_BINARY_DIR}/TallwickConfigVersion.cmake
  DESTINATION ${TALLWICK_CMAKE_DIR} COMPONENT dev)
