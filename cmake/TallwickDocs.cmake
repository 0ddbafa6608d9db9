# `docs`: an HTML reference of the installed headers made with Doxygen, opening on
# docs/reference.md (a first program, the gallery's picture) and listing the example programs of
# examples/; installed to share/doc/tallwick when it was built. Any Doxygen warning fails it. The
# target exists only where Doxygen is found.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  return()
endif()
set(DOXYGEN_PROJECT_NAME "Tallwick")
set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
set(DOXYGEN_PROJECT_BRIEF "Qt 6 components")
set(DOXYGEN_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/docs)
set(DOXYGEN_USE_MDFILE_AS_MAINPAGE ${PROJECT_SOURCE_DIR}/docs/reference.md)
set(DOXYGEN_IMAGE_PATH ${PROJECT_SOURCE_DIR}/docs)
set(DOXYGEN_EXTRACT_ALL YES)  # members without a comment of their own are listed too
set(DOXYGEN_JAVADOC_AUTOBRIEF YES)  # a comment's first sentence is its brief description
set(DOXYGEN_DISTRIBUTE_GROUP_DOC YES)  # a property's line (///@{ ... ///@}) documents its getter and setter
set(DOXYGEN_EXAMPLE_PATH ${PROJECT_SOURCE_DIR}/examples)
set(DOXYGEN_EXAMPLE_PATTERNS *.cpp)
set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
set(DOXYGEN_EXTRACT_STATIC YES)
# The headers are read from a copy laid out as installed, so that each class page names the
# include line a program writes: #include <Tallwick/Name.h>.
set(TALLWICK_DOCS_INCLUDE ${CMAKE_BINARY_DIR}/docs/include)
set(TALLWICK_DOCS_HEADERS)
foreach(header ${TALLWICK_PUBLIC_HEADERS})
  get_filename_component(name ${header} NAME)
  configure_file(${header} ${TALLWICK_DOCS_INCLUDE}/Tallwick/${name} COPYONLY)
  list(APPEND TALLWICK_DOCS_HEADERS ${TALLWICK_DOCS_INCLUDE}/Tallwick/${name})
endforeach()
set(DOXYGEN_FULL_PATH_NAMES YES)
set(DOXYGEN_STRIP_FROM_PATH ${TALLWICK_DOCS_INCLUDE})
set(DOXYGEN_STRIP_FROM_INC_PATH ${TALLWICK_DOCS_INCLUDE})
set(DOXYGEN_GENERATE_LATEX NO)
set(DOXYGEN_GENERATE_TREEVIEW YES)
set(DOXYGEN_SORT_MEMBER_DOCS NO)
set(DOXYGEN_WARN_IF_UNDOCUMENTED NO)
set(DOXYGEN_QUIET YES)
set(DOXYGEN_ENABLE_PREPROCESSING YES)
set(DOXYGEN_MACRO_EXPANSION YES)
set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
# Q_PROPERTY, signals and slots are Doxygen's own (a "Properties" list, signal and slot sections);
# the colour accessors' macro is expanded so that their QColor members are listed.
set(DOXYGEN_PREDEFINED TALLWICK_EXPORT= TALLWICK_NO_EXPORT= TALLWICK_DEPRECATED= Q_OBJECT= Q_GADGET=
  "Q_ENUM(x)=" "Q_ENUM_NS(x)=" "Q_NAMESPACE=" "Q_NAMESPACE_EXPORT(x)=" "Q_DECLARE_FLAGS(a,b)=")
set(DOXYGEN_EXPAND_AS_DEFINED TALLWICK_COLOR_ACCESSORS)
set(DOXYGEN_SEARCH_INCLUDES YES)
set(DOXYGEN_INCLUDE_PATH ${TALLWICK_DOCS_INCLUDE})
doxygen_add_docs(docs ${TALLWICK_DOCS_HEADERS} ${PROJECT_SOURCE_DIR}/docs/reference.md ${PROJECT_SOURCE_DIR}/docs/examples.md
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Making the HTML reference of the public headers in ${CMAKE_BINARY_DIR}/docs/html")
install(DIRECTORY ${CMAKE_BINARY_DIR}/docs/html/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tallwick OPTIONAL
        COMPONENT dev)
