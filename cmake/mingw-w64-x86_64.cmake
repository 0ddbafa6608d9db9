# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads, for std::thread).
# Programs link the C and C++ runtimes statically, so they need no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_AR ${MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Look for libraries and headers only in the target's folders (and the prefixes given, such as
# the cached Qt and picture libraries); programs such as moc come from the build machine.
# The toolchain built by scripts/windows-toolchain (static Qt and picture libraries) lives in a
# cache folder outside the tree.
if(DEFINED ENV{SKYGLOW_WINDOWS_CACHE})
  set(SKYGLOW_WINDOWS_PREFIX $ENV{SKYGLOW_WINDOWS_CACHE}/prefix)
else()
  set(SKYGLOW_WINDOWS_PREFIX $ENV{HOME}/.cache/skyglow/windows/prefix)
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${SKYGLOW_WINDOWS_PREFIX})
list(APPEND CMAKE_PREFIX_PATH ${SKYGLOW_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
