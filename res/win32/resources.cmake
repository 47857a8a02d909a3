# korvel_windows_resources(OUT PROGRAM): writes the resource script of the
# Windows program PROGRAM (korvel, korvel-cli or korvel-shock) to OUT from the data of res/
# (version_info.txt, read by the top-level CMakeLists.txt, and string_table.txt,
# read by res/CMakeLists.txt): icon group 128, the string table, the version
# block (fixed part and the nine keys in their order; korvel-cli's own
# description and names) and the manifest for the architecture built for.
function(korvel_windows_resources out program)
  set(res ${PROJECT_SOURCE_DIR}/res)
  set(description ${KORVEL_INFO_FileDescription})
  set(internal_name ${KORVEL_INFO_InternalName})
  set(original_filename ${KORVEL_INFO_OriginalFilename})
  if(program STREQUAL "korvel-cli")
    set(description ${KORVEL_INFO_CliFileDescription})
    set(internal_name ${KORVEL_INFO_CliInternalName})
    set(original_filename ${KORVEL_INFO_CliOriginalFilename})
  elseif(program STREQUAL "korvel-shock")
    set(description ${KORVEL_INFO_ShockFileDescription})
    set(internal_name ${KORVEL_INFO_ShockInternalName})
    set(original_filename ${KORVEL_INFO_ShockOriginalFilename})
  endif()
  set(keys "")
  foreach(entry
      "CompanyName|${KORVEL_INFO_CompanyName}"
      "FileDescription|${description}"
      "FileVersion|${KORVEL_VERSION_COMMAS}"
      "InternalName|${internal_name}"
      "LegalCopyright|${KORVEL_INFO_NoticeLine}"
      "LegalTrademarks|${KORVEL_INFO_LegalTrademarks}"
      "OriginalFilename|${original_filename}"
      "ProductName|${KORVEL_INFO_ProductName}"
      "ProductVersion|${KORVEL_VERSION_COMMAS}")
    string(FIND "${entry}" "|" bar)
    string(SUBSTRING "${entry}" 0 ${bar} key)
    math(EXPR bar "${bar} + 1")
    string(SUBSTRING "${entry}" ${bar} -1 value)
    string(APPEND keys "      VALUE \"${key}\", \"${value}\\0\"\n")
  endforeach()
  set(strings "")
  foreach(id IN LISTS KORVEL_STRING_KEYS)
    string(APPEND strings "  ${id} \"${KORVEL_STRING_${id}}\"\n")
  endforeach()
  set(KORVEL_PROGRAM ${program})
  set(KORVEL_VERSION ${PROJECT_VERSION})
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
${strings}END

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
endfunction()
