# tallwick_install_qt_plugin(TARGET KIND COMPONENT): installs a Qt plugin module of KIND
# (designer, imageformats) where Qt looks for plugins under the prefix
# (QT_PLUGIN_PATH=<prefix>/lib/qt6/plugins), finding the component library three folders up.
#
# Qt looks only in its own plugin folder unless told otherwise: an install into /usr (the Debian
# packages, whatever prefix the build was configured with) moves the plugin there, so that a
# package holds it once, with a second search path that finds the library from that folder. The
# prefix is the one of the install itself, known only when it runs; the file moved is the
# installed one, whose search path for the library is the installed one.
function(tallwick_install_qt_plugin target kind component)
  set(rpath "$ORIGIN/../../..")
  if(QT6_INSTALL_PLUGINS)
    file(RELATIVE_PATH qt_folder_to_lib /${QT6_INSTALL_PLUGINS}/${kind} /${CMAKE_INSTALL_LIBDIR})
    list(APPEND rpath "$ORIGIN/${qt_folder_to_lib}")
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "${rpath}")
  install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/qt6/plugins/${kind} COMPONENT ${component})
  if(NOT QT6_INSTALL_PLUGINS)
    return()
  endif()
  install(CODE "
    if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\" AND NOT \"${CMAKE_INSTALL_LIBDIR}/qt6/plugins\" STREQUAL \"${QT6_INSTALL_PLUGINS}\")
      set(installed \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/qt6/plugins/${kind}/$<TARGET_FILE_NAME:${target}>\")
      file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/${kind}\" TYPE MODULE FILES \"\${installed}\")
      file(REMOVE \"\${installed}\")
      list(REMOVE_ITEM CMAKE_INSTALL_MANIFEST_FILES \"\${installed}\")
      foreach(folder qt6/plugins/${kind} qt6/plugins qt6)  # left empty
        set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/\${folder}\")
        file(GLOB left \"\${folder}/*\")
        if(NOT left)
          file(REMOVE_RECURSE \"\${folder}\")
        endif()
      endforeach()
    endif()" COMPONENT ${component})
endfunction()
