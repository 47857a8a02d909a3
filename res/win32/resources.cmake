# korvel_windows_resources(OUT PROGRAM): writes the resource script of the
# Windows program PROGRAM (korvel or korvel-cli) to OUT from the values in res/:
# icon group 128, string 101, the version block (fixed part and the nine keys in
# their order; korvel-cli's own description and names) and the manifest for the
# architecture built for.
function(korvel_windows_resources out program)
  set(res ${PROJECT_SOURCE_DIR}/res)
  file(STRINGS ${res}/version_info.h entries REGEX "^ *\\{\"[A-Za-z]+\", ")
  set(keys "")
  foreach(entry IN LISTS entries)
    if(NOT entry MATCHES "\\{\"([A-Za-z]+)\", (\"[^\"]*\"|k[A-Za-z]+)\\}")
      message(FATAL_ERROR "version_info.h: cannot read ${entry}")
    endif()
    set(key ${CMAKE_MATCH_1})
    set(value ${CMAKE_MATCH_2})
    if(value MATCHES "^k")
      # The first definition: the Windows one where the value differs.
      file(STRINGS ${res}/version_info.h definition REGEX "${value} = \"")
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" value "${definition}")
    else()
      string(REGEX REPLACE "^\"(.*)\"$" "\\1" value "${value}")
    endif()
    if(program STREQUAL "korvel-cli" AND key MATCHES "^(FileDescription|InternalName|OriginalFilename)$")
      file(STRINGS ${res}/version_info.h definition REGEX "kCli${key} = \"")
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*" "\\1" value "${definition}")
    endif()
    string(APPEND keys "      VALUE \"${key}\", \"${value}\\0\"\n")
  endforeach()
  file(STRINGS ${res}/string_table.h about REGEX "IDS_ABOUTBOX: return \"")
  string(REGEX REPLACE ".*return \"([^\"]*)\".*" "\\1" about "${about}")
  set(KORVEL_PROGRAM ${program})
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    set(KORVEL_MANIFEST_ARCHITECTURE amd64)
  else()
    set(KORVEL_MANIFEST_ARCHITECTURE x86)
  endif()
  configure_file(${res}/win32/korvel.manifest ${out}.manifest @ONLY)
  set(version_comma "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
  file(WRITE ${out}.tmp "// Written by the build from res/; edit res/ instead.
#include <windows.h>

128 ICON \"${res}/icons/korvel.ico\"
1 RT_MANIFEST \"${out}.manifest\"

STRINGTABLE
BEGIN
  101 \"${about}\"
END

VS_VERSION_INFO VERSIONINFO
  FILEVERSION ${version_comma}
  PRODUCTVERSION ${version_comma}
  FILEFLAGSMASK 0x3fL
  FILEFLAGS 0x0L
  FILEOS VOS_NT_WINDOWS32
  FILETYPE VFT_APP
  FILESUBTYPE VFT2_UNKNOWN
BEGIN
  BLOCK \"StringFileInfo\"
  BEGIN
    BLOCK \"040904B0\"
    BEGIN
${keys}    END
  END
  BLOCK \"VarFileInfo\"
  BEGIN
    VALUE \"Translation\", 0x409, 1200
  END
END
")
  configure_file(${out}.tmp ${out} COPYONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${res}/string_table.h)
endfunction()
