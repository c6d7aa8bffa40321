# Fails when an include climbs out of its folder ("../x.h", "a/../b.h", with
# / or \, in quotes or in angle brackets). The compiler looks beside the file
# first, so such an include reaches a layer the file does not link, round the
# per-layer include paths. Run as: cmake -DROOT=<source folder> -P check_includes.cmake
if(NOT ROOT)
  message(FATAL_ERROR "check_includes.cmake: ROOT (the source folder) is not set")
endif()

set(sources)
foreach(area src tests bench tools)
  file(GLOB_RECURSE found ${ROOT}/${area}/*.h ${ROOT}/${area}/*.hpp ${ROOT}/${area}/*.cpp ${ROOT}/${area}/*.cc)
  list(APPEND sources ${found})
endforeach()

set(climbing)
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line ${includes})
    string(REGEX MATCH "[\"<]([^\">]*)[\">]" quoted "${line}")
    if(CMAKE_MATCH_1 MATCHES "(^|[/\\])\\.\\.([/\\]|$)")
      file(RELATIVE_PATH name ${ROOT} ${source})
      list(APPEND climbing "  ${name}: ${line}")
    endif()
  endforeach()
endforeach()

if(climbing)
  list(JOIN climbing "\n" report)
  message(FATAL_ERROR "Includes that climb out of their folder; name the header by its layer "
                      "(\"invoices/InvoiceRecord.h\") and link that layer instead:\n${report}")
endif()
message(STATUS "Every include names its header by its layer")
