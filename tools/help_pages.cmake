# Makes the help pages of one language from their bodies and the one page
# frame (head, style, the way between the pages, foot), so the frame is
# written once for every page of every language.
#
#   cmake -DFRAME=page.html.in -DSRC=<folder of pages.txt and bodies> -DOUT=<folder> -P help_pages.cmake
#
# pages.txt: "lang=", "contents=" (the name of the contents page in the
# bar), "sep=" (between the links of the bar), "foot=", then one
# "<file>=<title>" line per page, in reading order, the contents page first.
file(READ ${FRAME} frame)
file(STRINGS ${SRC}/pages.txt lines ENCODING UTF-8)
set(files "")
foreach(line IN LISTS lines)
  string(FIND "${line}" "=" eq)
  if(eq LESS 1)
    continue()
  endif()
  string(SUBSTRING "${line}" 0 ${eq} key)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${line}" ${from} -1 value)
  if(key MATCHES "\\.html$")
    list(APPEND files ${key})
    set(title_${key} "${value}")
  else()
    set(${key} "${value}")
  endif()
endforeach()

list(LENGTH files count)
file(MAKE_DIRECTORY ${OUT})
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET files ${i} page)
  set(nav "<a href=\"index.html\">${contents}</a>")
  if(i GREATER 0)
    math(EXPR p "${i} - 1")
    list(GET files ${p} prev)
    string(APPEND nav "${sep}<a href=\"${prev}\">← ${title_${prev}}</a>")
  endif()
  if(i LESS last)
    math(EXPR n "${i} + 1")
    list(GET files ${n} next)
    string(APPEND nav "${sep}<a href=\"${next}\">${title_${next}} →</a>")
  endif()
  file(READ ${SRC}/${page} body)
  string(STRIP "${body}" body)
  set(html "${frame}")
  string(REPLACE "@LANG@" "${lang}" html "${html}")
  string(REPLACE "@TITLE@" "${title_${page}}" html "${html}")
  string(REPLACE "@NAV@" "<p class=\"nav\">${nav}</p>" html "${html}")
  string(REPLACE "@FOOT@" "${foot}" html "${html}")
  string(REPLACE "@BODY@" "${body}" html "${html}")
  file(WRITE ${OUT}/${page} "${html}")
endforeach()
