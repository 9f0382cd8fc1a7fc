# Checks that every picture in TO (the README's) is, byte for byte, the
# picture of the same name that the screen gallery wrote to FROM, so the
# README never shows a screen the game no longer draws.
#
#   cmake -DFROM=<gallery folder> -DTO=<copies folder> [-DREADME=<file>]
#         -P check_pictures.cmake
cmake_minimum_required(VERSION 3.22)

# Every picture of TO that README names must be there.
file(GLOB pictures RELATIVE ${TO} ${TO}/*.png)
if(README)
  file(READ ${README} text)
  get_filename_component(folder ${TO} NAME)
  string(REGEX MATCHALL "${folder}/[A-Za-z0-9_-]+\\.png" named "${text}")
  foreach(n ${named})
    get_filename_component(n ${n} NAME)
    if(NOT n IN_LIST pictures)
      message(FATAL_ERROR "README shows ${n}, which is not in ${TO}")
    endif()
  endforeach()
endif()
if(NOT pictures)
  message(FATAL_ERROR "No pictures in ${TO}")
endif()
set(stale "")
foreach(p ${pictures})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FROM}/${p} ${TO}/${p}
                  RESULT_VARIABLE differ OUTPUT_QUIET ERROR_QUIET)
  if(differ)
    list(APPEND stale ${p})
  endif()
endforeach()
if(stale)
  list(JOIN stale " " stale)
  message(FATAL_ERROR "Not what the gallery draws today: ${stale}\n"
                      "Copy them again from ${FROM} to ${TO}.")
endif()
list(LENGTH pictures n)
message(STATUS "${n} pictures as the gallery draws them")
