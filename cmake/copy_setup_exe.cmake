# cmake -DEXE=PATH -DMEDIA=DIR -P copy_setup_exe.cmake: puts the native SETUP.EXE at the root of every
# sample media directory below DIR, when it has been built; nothing otherwise.
if(NOT EXISTS "${EXE}" OR NOT IS_DIRECTORY "${MEDIA}")
  return()
endif()
file(GLOB entries LIST_DIRECTORIES true "${MEDIA}/*")
foreach(entry ${entries})
  if(IS_DIRECTORY "${entry}")
    file(COPY_FILE "${EXE}" "${entry}/SETUP.EXE" ONLY_IF_DIFFERENT)
  endif()
endforeach()
