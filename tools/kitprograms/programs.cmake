# The sample kit's programs as real Windows programs (64-bit, for the Wine Debian installs), cross-built
# with mingw-w64 when it is present. mkmedia then puts them on the sample media with each program's own
# version; without mingw-w64 the media carry version-only images that do not run.
find_program(KIT_MINGW_CC NAMES x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-gcc)
find_program(KIT_MINGW_WINDRES NAMES x86_64-w64-mingw32-windres)
set(KIT_PROGRAMS_DIR "")
set(KIT_PROGRAMS)
if(KIT_MINGW_CC AND KIT_MINGW_WINDRES)
  set(KIT_PROGRAMS_DIR ${CMAKE_BINARY_DIR}/kitprograms)
  set(kit_src ${CMAKE_CURRENT_LIST_DIR})
  set(KIT_PROGRAMS ${KIT_PROGRAMS_DIR}/Ovra.exe ${KIT_PROGRAMS_DIR}/tool.exe)
  add_custom_command(OUTPUT ${KIT_PROGRAMS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KIT_PROGRAMS_DIR}
    COMMAND ${KIT_MINGW_WINDRES} ${kit_src}/version.rc -O coff -o ${KIT_PROGRAMS_DIR}/version.o
    COMMAND ${KIT_MINGW_CC} -O2 -s -Wall -Wextra -mwindows -o ${KIT_PROGRAMS_DIR}/Ovra.exe
            ${kit_src}/ovra_ide.c ${KIT_PROGRAMS_DIR}/version.o
    COMMAND ${KIT_MINGW_CC} -O2 -s -Wall -Wextra -o ${KIT_PROGRAMS_DIR}/tool.exe
            ${kit_src}/kit_tool.c ${KIT_PROGRAMS_DIR}/version.o -lversion
    DEPENDS ${kit_src}/ovra_ide.c ${kit_src}/kit_tool.c ${kit_src}/version.rc
    COMMENT "Cross-building the sample kit's programs")
  add_custom_target(kit_programs DEPENDS ${KIT_PROGRAMS})
endif()

# The native uninstaller, once `make windows` has built it, rides on the media as VEXARMV.EXE. The staged
# copy always exists (empty until there is a real one), so the media are rebuilt only when it changes.
if(KIT_PROGRAMS_DIR)
  set(KIT_UNINSTALLER ${KIT_PROGRAMS_DIR}/VEXARMV.EXE)
  add_custom_target(stage_uninstaller
    COMMAND ${CMAKE_COMMAND} -DEXE=${OVRA_WINDOWS_BUILD}/VEXARMV.EXE -DOUT=${KIT_UNINSTALLER}
            -P ${CMAKE_CURRENT_LIST_DIR}/stage_uninstaller.cmake
    BYPRODUCTS ${KIT_UNINSTALLER}
    VERBATIM)
  list(APPEND KIT_PROGRAMS ${KIT_UNINSTALLER})
endif()
