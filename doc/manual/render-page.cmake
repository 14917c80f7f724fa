# Turns one page of the manual from Markdown into a whole HTML page, at build time:
#   cmake -DCMARK_GFM=... -DINPUT=en/channels.md -DOUTPUT=.../en/channels.html -DLANGUAGE=en
#         -P render-page.cmake
# cmark-gfm gives the body; the page around it gets the language, the character set, a
# title from the first heading, the shared stylesheet, and a navigation line (contents,
# the same page in the other language) above and below the text.

foreach(var CMARK_GFM INPUT OUTPUT LANGUAGE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "render-page.cmake: ${var} is not set")
  endif()
endforeach()

# --unsafe keeps the raw <a id="..."></a> anchors that links and help topics point to.
execute_process(
  COMMAND ${CMARK_GFM} --unsafe -e table -e autolink -t html ${INPUT}
  OUTPUT_VARIABLE body
  RESULT_VARIABLE result
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmark-gfm failed on ${INPUT}: ${errors}")
endif()

# The title: the first heading, without its anchor.
file(STRINGS ${INPUT} headings REGEX "^# " LIMIT_COUNT 1 ENCODING UTF-8)
string(REGEX REPLACE "^# +" "" title "${headings}")
string(REGEX REPLACE " *<a id=\"[^\"]*\"></a> *" "" title "${title}")
string(REPLACE "&" "&amp;" title "${title}")
string(REPLACE "<" "&lt;" title "${title}")
string(REPLACE ">" "&gt;" title "${title}")

get_filename_component(page ${INPUT} NAME_WE)
if(LANGUAGE STREQUAL "zh")
  set(html_lang "zh-CN")
  set(contents "目录")
  set(other_dir "en")
  set(other_lang "en")
  set(other_name "English")
else()
  set(html_lang "en")
  set(contents "Contents")
  set(other_dir "zh")
  set(other_lang "zh-CN")
  set(other_name "中文")
endif()
set(nav "<nav class=\"manual-nav\"><a href=\"index.html#contents\">${contents}</a> · <a href=\"../${other_dir}/${page}.html\" hreflang=\"${other_lang}\" lang=\"${other_lang}\">${other_name}</a></nav>")

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"${html_lang}\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title} · qx260</title>
<link rel=\"stylesheet\" href=\"../manual.css\">
</head>
<body>
${nav}
<main>
${body}</main>
${nav}
</body>
</html>
")
