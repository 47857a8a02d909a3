# korvel_header_string(VAR FILE NAME): sets VAR to the text of the constant NAME
# in res/FILE, written there as `NAME = "text";`. The version block and the
# application id are written once, in res/, and the build reads them from there.
function(korvel_header_string var file name)
  set(path ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../res/${file})
  file(STRINGS ${path} lines REGEX "${name} = \"")
  if(NOT lines MATCHES "${name} = \"([^\"]*)\"")
    message(FATAL_ERROR "${path}: no ${name} = \"...\";")
  endif()
  set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
endfunction()
