# korvel_read_key_values(FILE PREFIX): sets PREFIX_KEY to VALUE in the caller's
# scope for every KEY=VALUE line of FILE, a plain data file of res/, and
# PREFIX_KEYS to the keys in their order; blank lines and lines starting with #
# are passed over. The values go into C++ and
# resource scripts as they are, so a double quote or a backslash in one stops
# the build. A change of FILE configures the build again.
function(korvel_read_key_values file prefix)
  file(STRINGS ${file} lines ENCODING UTF-8)
  set(keys "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    string(FIND "${line}" "=" equals)
    if(equals LESS 1)
      message(FATAL_ERROR "${file}: not KEY=VALUE: ${line}")
    endif()
    string(SUBSTRING "${line}" 0 ${equals} key)
    math(EXPR start "${equals} + 1")
    string(SUBSTRING "${line}" ${start} -1 value)
    if(value MATCHES "[\"\\\\]")
      message(FATAL_ERROR "${file}: ${key}: no double quotes or backslashes, please")
    endif()
    set(${prefix}_${key} "${value}" PARENT_SCOPE)
    list(APPEND keys ${key})
  endforeach()
  set(${prefix}_KEYS ${keys} PARENT_SCOPE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endfunction()
